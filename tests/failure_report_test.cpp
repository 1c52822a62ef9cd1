#include <gtest/gtest.h>

#include "segment_list/segment_list.h"
#include "tests/temp_folder.h"
#include "ui/events.h"

#ifdef _WIN32
#include <windows.h>
constexpr int Refused = ERROR_ACCESS_DENIED;
constexpr int Missing = ERROR_PATH_NOT_FOUND;
constexpr bool FolderInTheWayIsARefusal = false;  // Windows says "access denied" for it too
#else
#include <cerrno>
constexpr int Refused = EACCES;
constexpr int Missing = ENOENT;
constexpr bool FolderInTheWayIsARefusal = true;  // POSIX says EISDIR for it, EACCES means rights
#endif

namespace {

// What the user can do is added only where the user's rights are the cause.
TEST(FailureReport, NamesTheFileAndTheCauseAndAdvisesOnlyOnRefusal) {
  testing_support::TempFolder folder;
  std::filesystem::create_directory(folder.Path() / "folder");
  struct Case {
    int code;
    std::filesystem::path path;
    bool advice;
  };
  const Case cases[] = {
      {Refused, folder.Path() / "xz.txt", true},
      {Refused, folder.Path() / "folder", FolderInTheWayIsARefusal},
      {Missing, folder.Path() / "missing" / "xz.txt", false},
  };
  for (const Case& c : cases) {
    const segment_list::Failure failure(c.code, "create", c.path, "The platform's words.");
    const std::string report = ui::FailureReport(std::make_exception_ptr(failure));
    EXPECT_NE(report.find(failure.what()), std::string::npos) << report;
    EXPECT_NE(report.find("The platform's words."), std::string::npos) << report;
    EXPECT_EQ(report.find(ui::AccessDeniedAdvice) != std::string::npos, c.advice) << report;
  }
}

}  // namespace
