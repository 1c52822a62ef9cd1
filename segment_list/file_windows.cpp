// The file interface on Windows: the lists go into the root of drive C.
#include <windows.h>

#include <utility>

#include "segment_list/segment_list.h"
#include "segment_list/windows_error.h"

namespace segment_list {

namespace {

[[noreturn]] void Fail(std::string_view step, const std::filesystem::path& path) {
  const DWORD code = ::GetLastError();
  throw Failure(static_cast<int>(code), step, path, WindowsErrorText(code));
}

// Closes the handle if a failure leaves it open, so that a failed run holds no file.
class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() {
    if (handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
  }
  HANDLE Get() const { return handle_; }
  bool Close() { return ::CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != FALSE; }

 private:
  HANDLE handle_;
};

}  // namespace

// Windows answers "access denied" for a folder or a read-only file in the way too; only a refusal
// of the file itself is one that the user's rights decide.
bool Failure::AccessDenied() const noexcept {
  if (code().value() != ERROR_ACCESS_DENIED) return false;
  const DWORD attributes = ::GetFileAttributesW(path_.c_str());
  return attributes == INVALID_FILE_ATTRIBUTES ||
         (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) == 0;
}

std::filesystem::path DriveC() { return L"C:\\"; }

void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
  // CREATE_ALWAYS truncates an existing file; readers may look while it is written.
  Handle file(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.Get() == INVALID_HANDLE_VALUE) Fail("create", path);
  while (!bytes.empty()) {
    DWORD written = 0;
    if (!::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
      Fail("write to", path);
    bytes.remove_prefix(written);
  }
  if (!file.Close()) Fail("close", path);
}

}  // namespace segment_list
