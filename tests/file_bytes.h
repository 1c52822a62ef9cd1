// Whole-file reads and writes for the tests.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace testing_support {

// The file's bytes; empty where there is no regular file to read.
inline std::string ReadBytes(const std::filesystem::path& path) {
  if (!std::filesystem::is_regular_file(path)) return {};
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace testing_support
