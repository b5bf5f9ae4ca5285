#pragma once
// Texts between the core (UTF-8 messages, Shift-JIS fields) and Qt widgets.

#include <QString>
#include <string>
#include <string_view>

namespace corvane {

inline QString Qs(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
inline std::string Utf8(const QString& text) { return text.toUtf8().toStdString(); }

// A Shift-JIS field shown in a widget, and a widget's text stored in one.
QString FromSjis(std::string_view sjis);
std::string ToSjis(const QString& text);

}  // namespace corvane
