#include "segment_list/segment_list.h"

#include <charconv>

namespace segment_list {

namespace {

std::string FailureMessage(std::string_view step, const std::filesystem::path& path,
                           const std::string& description) {
  std::string message = "Cannot ";
  message += step;
  message += ' ';
  message += Utf8(path);
  message += ": ";
  message += description;
  return message;
}

void AppendIndex(std::string& text, int index, int padWidth) {
  char digits[8];
  const auto end = std::to_chars(digits, digits + sizeof digits, index).ptr;
  const auto length = static_cast<int>(end - digits);
  if (length < padWidth) text.append(static_cast<std::size_t>(padWidth - length), '0');
  text.append(digits, end);
}

}  // namespace

Failure::Failure(int code, std::string_view step, std::filesystem::path path,
                 std::string description)
    : std::system_error(code, std::system_category()),
      path_(std::move(path)),
      description_(std::move(description)),
      message_(FailureMessage(step, path_, description_)) {}

std::string Utf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return {text.begin(), text.end()};
}

std::string ListText(const SegmentList& list) {
  const std::size_t lineCount = static_cast<std::size_t>(list.lastIndex - list.firstIndex) + 1;
  const std::size_t longestLine = UrlPrefix.size() + 4 + SegmentSuffix.size() + LineEnd.size();
  std::string text;
  text.reserve(lineCount * longestLine);
  for (int index = list.firstIndex; index <= list.lastIndex; ++index) {
    text += UrlPrefix;
    AppendIndex(text, index, list.padWidth);
    text += SegmentSuffix;
    text += LineEnd;
  }
  return text;
}

void WriteSegmentLists(const std::filesystem::path& driveC) {
  for (const SegmentList& list : Lists) WriteFile(driveC / list.fileName, ListText(list));
}

void WriteSegmentLists() { WriteSegmentLists(DriveC()); }

}  // namespace segment_list
