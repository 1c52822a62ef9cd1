#include "segment_list/segment_list.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "tests/temp_folder.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

using segment_list::Failure;
using segment_list::FirstList;
using segment_list::SecondList;
using segment_list::SegmentSuffix;
using segment_list::UrlPrefix;
using segment_list::WriteSegmentLists;
using testing_support::ReadBytes;
using testing_support::SameBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

// Splits at CR LF; a final piece that is not terminated comes back as a last, unterminated line.
std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(bytes.substr(start, end - start));
  if (start != bytes.size()) lines.push_back(bytes.substr(start) + "<unterminated>");
  return lines;
}

std::string Address(const char* format, int index) {
  char digits[16];
  std::snprintf(digits, sizeof digits, format, index);
  return std::string(UrlPrefix) + digits + std::string(SegmentSuffix);
}

class SegmentListFiles : public ::testing::Test {
 protected:
  std::filesystem::path First() const { return folder_.Path() / "xz.txt"; }
  std::filesystem::path Second() const { return folder_.Path() / "xz2.txt"; }
  TempFolder folder_;
};

TEST_F(SegmentListFiles, HoldEveryAddressInOrderWithCrLf) {
  WriteSegmentLists(folder_.Path());

  const std::string first = ReadBytes(First());
  const std::string second = ReadBytes(Second());
  ASSERT_EQ(first.size(), 1000 * (UrlPrefix.size() + 8));
  ASSERT_EQ(second.size(), 890 * (UrlPrefix.size() + 9));
  ASSERT_EQ(first.substr(first.size() - 2), "\r\n");
  ASSERT_EQ(second.substr(second.size() - 2), "\r\n");

  const auto firstLines = Lines(first);
  ASSERT_EQ(firstLines.size(), 1000u);
  for (int index = 0; index < 1000; ++index)
    ASSERT_EQ(firstLines[index], Address("%03d", index)) << "line " << index + 1;
  const auto secondLines = Lines(second);
  ASSERT_EQ(secondLines.size(), 890u);
  for (int index = 1000; index < 1890; ++index)
    ASSERT_EQ(secondLines[index - 1000], Address("%d", index)) << "line " << index - 999;
}

TEST_F(SegmentListFiles, SpotLinesCarryTheirIndexText) {
  WriteSegmentLists(folder_.Path());
  struct Case {
    const char* file;
    std::size_t line;  // 1-based
    const char* indexText;
  };
  const Case cases[] = {
      {"xz.txt", 1, "000"},   {"xz.txt", 10, "009"},    {"xz.txt", 11, "010"},
      {"xz.txt", 100, "099"}, {"xz.txt", 101, "100"},   {"xz.txt", 1000, "999"},
      {"xz2.txt", 1, "1000"}, {"xz2.txt", 890, "1889"},
  };
  for (const Case& c : cases) {
    const auto lines = Lines(ReadBytes(folder_.Path() / c.file));
    ASSERT_GE(lines.size(), c.line) << c.file;
    EXPECT_EQ(lines[c.line - 1], std::string(UrlPrefix) + c.indexText + ".ts")
        << c.file << " line " << c.line;
  }
}

TEST_F(SegmentListFiles, ReplaceLongerOldContent) {
  const std::string old(200000, 'x');
  WriteBytes(First(), old);
  WriteBytes(Second(), old);

  WriteSegmentLists(folder_.Path());

  EXPECT_TRUE(SameBytes(ReadBytes(First()), segment_list::ListText(FirstList)));
  EXPECT_TRUE(SameBytes(ReadBytes(Second()), segment_list::ListText(SecondList)));
}

TEST_F(SegmentListFiles, TwoRunsWriteIdenticalBytes) {
  WriteSegmentLists(folder_.Path());
  const std::string first = ReadBytes(First());
  const std::string second = ReadBytes(Second());

  WriteSegmentLists(folder_.Path());

  EXPECT_TRUE(SameBytes(ReadBytes(First()), first));
  EXPECT_TRUE(SameBytes(ReadBytes(Second()), second));
}

#ifdef _WIN32

TEST(DriveC, IsTheRootOfDriveC) {
  EXPECT_EQ(segment_list::DriveC(), std::filesystem::path(L"C:\\"));
}

#else

// Without HOME the home folder comes from the password database, never a relative path that
// would put the lists into whatever the working folder is.
TEST(DriveC, IsTheHomeFolder) {
  const std::string saved = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
  const passwd* user = ::getpwuid(::getuid());
  ASSERT_NE(user, nullptr);
  struct Case {
    const char* home;  // nullptr: unset
    std::filesystem::path expected;
  };
  const Case cases[] = {{"/some/home", "/some/home"}, {"", user->pw_dir}, {nullptr, user->pw_dir}};
  for (const Case& c : cases) {
    if (c.home != nullptr)
      ::setenv("HOME", c.home, 1);
    else
      ::unsetenv("HOME");
    EXPECT_EQ(segment_list::DriveC(), c.expected) << (c.home ? c.home : "unset");
  }
  ::setenv("HOME", saved.c_str(), 1);
}

#endif

// The platform's own words for an error code, found independently of the writer.
std::string PlatformDescription(int code) {
#ifdef _WIN32
  char text[512] = {};
  ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   static_cast<DWORD>(code), 0, text, sizeof text, nullptr);
  std::string description = text;
  while (!description.empty() && std::strchr("\r\n ", description.back())) description.pop_back();
  return description;
#else
  return std::strerror(code);
#endif
}

#ifdef _WIN32
constexpr int NoSuchFolder = ERROR_PATH_NOT_FOUND;
constexpr int FolderInTheWay = ERROR_ACCESS_DENIED;
#else
constexpr int NoSuchFolder = ENOENT;
constexpr int FolderInTheWay = EISDIR;
#endif

// Runs the writer, which must fail on `failingFile` with `code`, and checks the report.
void ExpectFailure(const std::filesystem::path& driveC, const std::filesystem::path& failingFile,
                   int code) {
  try {
    WriteSegmentLists(driveC);
    ADD_FAILURE() << "no failure reported for " << failingFile;
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.code().value(), code);
    EXPECT_EQ(failure.Path(), failingFile);
    EXPECT_EQ(failure.Description(), PlatformDescription(code));
    const std::string message = failure.what();
    EXPECT_NE(message.find(segment_list::Utf8(failingFile)), std::string::npos) << message;
    EXPECT_NE(message.find(PlatformDescription(code)), std::string::npos) << message;
  }
}

TEST_F(SegmentListFiles, MissingFolderFailsOnTheFirstFile) {
  const auto missing = folder_.Path() / "missing";
  ExpectFailure(missing, missing / "xz.txt", NoSuchFolder);
  EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST_F(SegmentListFiles, FolderInPlaceOfTheFirstFileLeavesTheSecondUncreated) {
  std::filesystem::create_directory(First());
  ExpectFailure(folder_.Path(), First(), FolderInTheWay);
  EXPECT_FALSE(std::filesystem::exists(Second()));
}

TEST_F(SegmentListFiles, FolderInPlaceOfTheSecondFileComesAfterACompleteFirst) {
  std::filesystem::create_directory(Second());
  ExpectFailure(folder_.Path(), Second(), FolderInTheWay);
  EXPECT_TRUE(SameBytes(ReadBytes(First()), segment_list::ListText(FirstList)));
}

#ifdef _WIN32

// Another program holds the first file open without sharing it.
TEST_F(SegmentListFiles, LockedFirstFileIsRefused) {
  WriteBytes(First(), "old");
  const HANDLE lock = ::CreateFileW(First().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  ExpectFailure(folder_.Path(), First(), ERROR_SHARING_VIOLATION);
  ::CloseHandle(lock);
  EXPECT_EQ(ReadBytes(First()), "old");
  EXPECT_FALSE(std::filesystem::exists(Second()));
}

#else

TEST_F(SegmentListFiles, FullDiskIsReportedAndTheSecondFileIsUntouched) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "this system has no /dev/full";
  std::filesystem::create_symlink("/dev/full", First());
  WriteBytes(Second(), "old");
  ExpectFailure(folder_.Path(), First(), ENOSPC);
  EXPECT_EQ(ReadBytes(Second()), "old");
}

// Root may write anywhere, so the case runs in a child that becomes an ordinary user.
TEST_F(SegmentListFiles, FolderWithoutWritePermissionIsRefused) {
  ASSERT_EQ(::chmod(folder_.Path().c_str(), 0555), 0);
  const uid_t nobody = 65534;
  if (::geteuid() == 0) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      if (::setgid(nobody) != 0 || ::setuid(nobody) != 0) ::_exit(77);
      int code = 0;
      try {
        WriteSegmentLists(folder_.Path());
      } catch (const Failure& failure) {
        code = failure.code().value() == EACCES && failure.Path() == First() &&
                       failure.Description() == PlatformDescription(EACCES)
                   ? 10
                   : 11;
      }
      ::_exit(code);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77) GTEST_SKIP() << "cannot become an unprivileged user here";
    EXPECT_EQ(WEXITSTATUS(status), 10) << "0: written anyway; 11: wrong failure";
  } else {
    ExpectFailure(folder_.Path(), First(), EACCES);
  }
  EXPECT_FALSE(std::filesystem::exists(First()));
}

#endif

}  // namespace
