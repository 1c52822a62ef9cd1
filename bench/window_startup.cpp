// Start-up time (from fork to the top-level window being mapped) and resident memory once it is
// shown, of each program given, run in turns on the current X display; prints medians and their
// ratios to the first program's.
#include <X11/Xlib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Sample {
  double milliseconds;
  long residentKib;
};

long ResidentKib(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
  return -1;
}

Sample Run(Display* display, const char* program) {
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, True);
  const auto start = Clock::now();
  const pid_t child = fork();
  if (child == 0) {
    execl(program, program, static_cast<char*>(nullptr));
    _exit(127);
  }
  for (XEvent event;;) {
    XNextEvent(display, &event);
    if (event.type == MapNotify) break;
  }
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  std::this_thread::sleep_for(std::chrono::milliseconds(300));  // let it paint and settle
  const long rss = ResidentKib(child);
  kill(child, SIGTERM);
  waitpid(child, nullptr, 0);
  return {ms, rss};
}

template <typename T>
T Median(std::vector<T> values) {
  std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s BASELINE PROGRAM... (on an X display)\n", argv[0]);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "no X display\n");
    return 1;
  }
  constexpr int Runs = 21;
  const int programs = argc - 1;
  std::vector<std::vector<double>> times(programs);
  std::vector<std::vector<long>> memory(programs);
  for (int run = 0; run < Runs; ++run) {
    for (int p = 0; p < programs; ++p) {
      const Sample sample = Run(display, argv[p + 1]);
      times[p].push_back(sample.milliseconds);
      memory[p].push_back(sample.residentKib);
    }
  }
  const double baseTime = Median(times[0]);
  const double baseMemory = static_cast<double>(Median(memory[0]));
  std::printf("%-44s %10s %8s %12s %8s\n", "program", "start ms", "ratio", "resident KiB", "ratio");
  for (int p = 0; p < programs; ++p) {
    const double time = Median(times[p]);
    const long kib = Median(memory[p]);
    std::printf("%-44s %10.1f %8.2f %12ld %8.2f\n", argv[p + 1], time, time / baseTime, kib,
                static_cast<double>(kib) / baseMemory);
  }
  XCloseDisplay(display);
}
