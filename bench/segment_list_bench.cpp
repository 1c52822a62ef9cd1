// The writer against the floor (the same bytes, precomputed, one open/write/close per file) and
// against a stream that writes and flushes line by line.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "segment_list/segment_list.h"

namespace {

using segment_list::Lists;

// tmpfs, so that the disk does not drown the difference in the writing.
std::filesystem::path BenchFolder() {
  std::filesystem::path folder =
      std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
  folder /= "m3u8-bench-" + std::to_string(::getpid());
  std::filesystem::create_directories(folder);
  return folder;
}

const std::filesystem::path& Folder() {
  static const std::filesystem::path folder = BenchFolder();
  return folder;
}

void Writer(benchmark::State& state) {
  for (auto _ : state) segment_list::WriteSegmentLists(Folder());
}

void Floor(benchmark::State& state) {
  std::array<std::string, Lists.size()> texts;
  std::array<std::filesystem::path, Lists.size()> paths;
  for (std::size_t i = 0; i < Lists.size(); ++i) {
    texts[i] = segment_list::ListText(Lists[i]);
    paths[i] = Folder() / Lists[i].fileName;
  }
  for (auto _ : state) {
    for (std::size_t i = 0; i < Lists.size(); ++i) {
      const int fd = ::open(paths[i].c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
      if (fd < 0 || ::write(fd, texts[i].data(), texts[i].size()) < 0 || ::close(fd) != 0)
        state.SkipWithError("floor write failed");
    }
  }
}

void FlushEveryLine(benchmark::State& state) {
  for (auto _ : state) {
    for (const auto& list : Lists) {
      std::ofstream out(Folder() / list.fileName, std::ios::binary | std::ios::trunc);
      for (int index = list.firstIndex; index <= list.lastIndex; ++index) {
        std::string number = std::to_string(index);
        if (static_cast<int>(number.size()) < list.padWidth)
          number.insert(0, static_cast<std::size_t>(list.padWidth) - number.size(), '0');
        out << segment_list::UrlPrefix << number << segment_list::SegmentSuffix
            << segment_list::LineEnd << std::flush;
      }
    }
  }
}

}  // namespace

BENCHMARK(Floor);
BENCHMARK(Writer);
BENCHMARK(FlushEveryLine);

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(Folder());
}
