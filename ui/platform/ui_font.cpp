#include "platform/ui_font.h"

#include <QStringList>

namespace corvane {

namespace {

// Gothic faces with the whole of JIS X 0208, in order of preference.
constexpr const char* kJapaneseFamilies[] = {"IPAGothic", "IPAPGothic", "Noto Sans CJK JP"};

}  // namespace

QFont WithJapaneseFallback(const QFont& base) {
  QStringList families = base.families();
  if (families.isEmpty()) families << base.family();
  for (const char* family : kJapaneseFamilies) {
    if (!families.contains(QLatin1String(family))) families << QLatin1String(family);
  }
  QFont font = base;
  font.setFamilies(families);
  return font;
}

}  // namespace corvane
