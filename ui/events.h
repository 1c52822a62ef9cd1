// The window's one event handler and the program's top-level failure handler, which both front
// ends share. A front end provides the message boxes and the end of the program.
#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace ui {

inline constexpr std::string_view CompletionMessage = "123456";
inline constexpr int FailureExitStatus = 1;

// What the user can do when the system refused the file: on Windows the root of drive C is closed
// to programs that are not elevated.
#ifdef _WIN32
inline constexpr std::string_view AccessDeniedAdvice =
    "Windows lets only programs that run as administrator write to the root of drive C. "
    "Right-click the program and choose \"Run as administrator\".";
#else
inline constexpr std::string_view AccessDeniedAdvice =
    "Check that you may write to the folder the file is in.";
#endif

class FrontEnd {
 public:
  // A box titled ApplicationTitle with the text, one OK button and no icon, modal to the
  // application; returns once it is dismissed.
  virtual void ShowCompletion(std::string_view text) = 0;
  // An error box titled ApplicationTitle; returns once it is dismissed.
  virtual void ShowFailure(std::string_view text) = 0;
  // Ends the program with this exit status once control is back in the event loop.
  virtual void EndProgram(int status) = 0;

 protected:
  ~FrontEnd() = default;
};

// Command1's Click: writes both lists, then shows the completion message. Catches nothing.
void Command1Click(FrontEnd& frontEnd);

// What the user reads when a failure ends the program.
std::string FailureReport(const std::exception_ptr& failure);

// Reports the failure and ends the program.
void HandleFailure(FrontEnd& frontEnd, const std::exception_ptr& failure);

// Runs an event handler from a front end's dispatch: a failure stops there, at the edge of the
// toolkit, and goes to the top-level failure handler.
template <typename Handler>
void Dispatch(FrontEnd& frontEnd, Handler&& handler) noexcept {
  try {
    handler(frontEnd);
  } catch (...) {
    HandleFailure(frontEnd, std::current_exception());
  }
}

}  // namespace ui
