// Writes the two files that list the addresses of the stream's media segments.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace segment_list {

// Every address is UrlPrefix, the segment's index in decimal, then SegmentSuffix.
inline constexpr std::string_view UrlPrefix =
    "http://media.example.com/20171211/EUoPggm6/800kb/hls/kUGTo2291";
inline constexpr std::string_view SegmentSuffix = ".ts";
inline constexpr std::string_view LineEnd = "\r\n";

// One list file in the root of drive C and the segments it holds.
struct SegmentList {
  std::string_view fileName;
  int firstIndex;
  int lastIndex;
  int padWidth;  // index texts shorter than this get leading zeros; 0 pads nothing
};

inline constexpr SegmentList FirstList{"xz.txt", 0, 999, 3};
inline constexpr SegmentList SecondList{"xz2.txt", 1000, 1889, 0};
inline constexpr std::array Lists{FirstList, SecondList};  // in the order they are written

// A file operation that the platform refused. The message names the step, the path and the
// platform's own description of the error (strerror on POSIX, FormatMessage on Windows).
class Failure : public std::system_error {
 public:
  Failure(int code, std::string_view step, std::filesystem::path path, std::string description);

  const std::filesystem::path& Path() const noexcept { return path_; }
  const std::string& Description() const noexcept { return description_; }
  // The user's rights kept the file from being written: more rights would let it through.
  bool AccessDenied() const noexcept;
  // UTF-8, for example: Cannot create C:\xz.txt: Access is denied.
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::filesystem::path path_;
  std::string description_;
  std::string message_;
};

// The folder that stands for the root of drive C: C:\ on Windows, the user's home folder elsewhere.
std::filesystem::path DriveC();

// The exact bytes of one list file.
std::string ListText(const SegmentList& list);

// Creates or truncates the file, writes the bytes with one call and closes it; throws Failure.
void WriteFile(const std::filesystem::path& path, std::string_view bytes);

// Writes both lists into the folder that stands for drive C, the first closed before the second
// is opened. A failure stops the run at once and leaves what is on disk as it is.
void WriteSegmentLists(const std::filesystem::path& driveC);
void WriteSegmentLists();

// UTF-8 text of a path, for messages.
std::string Utf8(const std::filesystem::path& path);

}  // namespace segment_list
