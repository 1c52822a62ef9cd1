#include "ui/events.h"

#include "segment_list/segment_list.h"

namespace ui {

void Command1Click(FrontEnd& frontEnd) {
  segment_list::WriteSegmentLists();
  frontEnd.ShowCompletion(CompletionMessage);
}

std::string FailureReport(const std::exception_ptr& failure) {
  std::string report = "The segment lists could not be written.\n\n";
  try {
    std::rethrow_exception(failure);
  } catch (const segment_list::Failure& error) {
    report += error.what();
    if (error.AccessDenied()) (report += "\n\n") += AccessDeniedAdvice;
  } catch (const std::exception& error) {
    report += error.what();
  } catch (...) {
    report += "An unknown error occurred.";
  }
  report += "\n\nThe program will now close.";
  return report;
}

void HandleFailure(FrontEnd& frontEnd, const std::exception_ptr& failure) {
  frontEnd.ShowFailure(FailureReport(failure));
  frontEnd.EndProgram(FailureExitStatus);
}

}  // namespace ui
