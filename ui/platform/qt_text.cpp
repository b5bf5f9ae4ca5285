#include "platform/qt_text.h"

#include "base/encoding.h"

namespace corvane {

QString FromSjis(std::string_view sjis) { return Qs(SjisToUtf8(sjis)); }

std::string ToSjis(const QString& text) { return Utf8ToSjis(Utf8(text)); }

}  // namespace corvane
