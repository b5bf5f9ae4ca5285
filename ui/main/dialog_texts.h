#pragma once
// Button texts the program's own dialogs share.

namespace corvane {

inline constexpr const char kOkButtonText[] = "OK";
inline const char* CancelButtonText(bool english) { return english ? "Cancel" : "ｷｬﾝｾﾙ"; }

}  // namespace corvane
