#pragma once
// The interface font: the desktop's font, with a Japanese font behind it so
// that Japanese texts show as glyphs wherever the desktop font lacks them.

#include <QFont>

namespace corvane {

// `base` with the Japanese fallback families added after its own.
QFont WithJapaneseFallback(const QFont& base);

}  // namespace corvane
