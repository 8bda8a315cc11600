#pragma once

#include <string>

namespace dz {

// Answers carry the numbers of the classic dialog results, so a window's
// result and a message box answer can share one vocabulary.
enum class Answer { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

enum class Buttons { Ok, OkCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };

enum class Icon { None, Error, Question, Exclamation, Information };

struct MessageRequest {
    std::string text;
    std::string caption;
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
};

// Dialog results used by the windows.
inline constexpr int kResultOk = 1;
inline constexpr int kResultCancel = 2;

}  // namespace dz
