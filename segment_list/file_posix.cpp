// The file interface on POSIX systems, where drive C stands for the user's home folder.
#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "segment_list/segment_list.h"

namespace segment_list {

namespace {

[[noreturn]] void Fail(int code, std::string_view step, const std::filesystem::path& path) {
  throw Failure(code, step, path, std::strerror(code));
}

// Closes the descriptor if a failure leaves it open, so that a failed run holds no file.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int Get() const { return fd_; }
  // close() reports errors that a write left pending, so its result counts.
  int Close() { return ::close(std::exchange(fd_, -1)); }

 private:
  int fd_;
};

std::filesystem::path HomeFromPasswordDatabase() {
  long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  const int code = ::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found);
  if (found == nullptr || found->pw_dir == nullptr || *found->pw_dir == '\0')
    Fail(code != 0 ? code : ENOENT, "find the home folder of user", std::to_string(::getuid()));
  return found->pw_dir;
}

}  // namespace

bool Failure::AccessDenied() const noexcept {
  return code().value() == EACCES || code().value() == EPERM;
}

std::filesystem::path DriveC() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && *home != '\0') return home;
  return HomeFromPasswordDatabase();
}

void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
  Descriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (file.Get() < 0) Fail(errno, "create", path);
  while (!bytes.empty()) {  // one call, unless a signal or a pipe cuts it short
    const ssize_t written = ::write(file.Get(), bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) Fail(errno, "write to", path);
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  if (file.Close() != 0) Fail(errno, "close", path);
}

}  // namespace segment_list
