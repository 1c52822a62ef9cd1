// Creates the real Win32 window in-process under Wine: geometry, focus, tab order, fonts, the
// click, the message boxes as a CBT hook sees them, and the end after a failure.
#include "ui/win32/main_window.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "segment_list/segment_list.h"
#include "segment_list/windows_error.h"
#include "tests/file_bytes.h"
#include "ui/win32/dpi.h"

namespace {

using testing_support::ReadBytes;
using testing_support::WriteBytes;

const std::filesystem::path FirstFile = L"C:\\xz.txt";
const std::filesystem::path SecondFile = L"C:\\xz2.txt";

bool ListsComplete() {
  return ReadBytes(FirstFile) == segment_list::ListText(segment_list::FirstList) &&
         ReadBytes(SecondFile) == segment_list::ListText(segment_list::SecondList);
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  return name;
}

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// A message box as the user met it, and the state of the lists while it was up.
struct SeenBox {
  std::wstring caption;
  std::wstring text;
  int buttons = 0;
  bool okButton = false;
  bool icon = false;
  HWND owner = nullptr;
  bool listsCompleteMeanwhile = false;
};

// Every message box of this thread, seen when it activates; OK is pressed for the user.
class BoxWatcher {
 public:
  BoxWatcher()
      : hook_(::SetWindowsHookExW(WH_CBT, &BoxWatcher::Hook, nullptr, ::GetCurrentThreadId())) {
    current_ = this;
  }
  ~BoxWatcher() {
    ::UnhookWindowsHookEx(hook_);
    current_ = nullptr;
  }
  const std::vector<SeenBox>& Seen() const { return seen_; }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    const auto box = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && ClassOf(box) == L"#32770") current_->Record(box);
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static BOOL CALLBACK CountChild(HWND child, LPARAM lParam) {
    auto& box = *reinterpret_cast<SeenBox*>(lParam);
    const std::wstring kind = ClassOf(child);
    if (kind == L"Button") ++box.buttons;
    if (kind == L"Static" && (::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
        ::SendMessageW(child, STM_GETICON, 0, 0) != 0)
      box.icon = true;
    return TRUE;
  }
  void Record(HWND box) {
    SeenBox seen;
    seen.caption = TextOf(box);
    seen.text = TextOf(::GetDlgItem(box, 0xFFFF));  // the box's text is the static with ID -1
    ::EnumChildWindows(box, &BoxWatcher::CountChild, reinterpret_cast<LPARAM>(&seen));
    seen.okButton = ::GetDlgItem(box, IDOK) != nullptr;
    seen.owner = ::GetWindow(box, GW_OWNER);
    seen.listsCompleteMeanwhile = ListsComplete();
    seen_.push_back(seen);
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  }

  static inline BoxWatcher* current_ = nullptr;
  HHOOK hook_;
  std::vector<SeenBox> seen_;
};

void RemoveLists() {
  std::filesystem::remove_all(FirstFile);
  std::filesystem::remove_all(SecondFile);
}

class Win32MainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    QuitStatus();  // an earlier test's window asked for the end of the loop on its way out
    RemoveLists();
    window_.Show(SW_SHOWNORMAL);
  }
  void TearDown() override { RemoveLists(); }

  HWND Main() const { return window_.Handle(); }
  HWND Text1() const { return window_.Control(ui::Text1); }
  HWND Command1() const { return window_.Control(ui::Command1); }

  // Hands the window what is waiting in this thread's queue, as its message loop would.
  void ProcessPendingMessages() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE) && message.message != WM_QUIT) {
      ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);
      window_.ProcessMessage(message);
    }
  }
  void PressKey(HWND target, WPARAM key) {
    ::PostMessageW(target, WM_KEYDOWN, key, 1);
    ::PostMessageW(target, WM_KEYUP, key, 0xC0000001);
    ProcessPendingMessages();
  }
  // The exit status the program would end with, if its end has been asked for.
  std::optional<int> QuitStatus() {
    MSG message;
    if (!::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) return std::nullopt;
    return static_cast<int>(message.wParam);
  }

  win32::MainWindow window_{::GetModuleHandleW(nullptr)};
};

RECT RectInParent(HWND control) {
  RECT rect;
  ::GetWindowRect(control, &rect);
  ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

::testing::AssertionResult SameRect(const RECT& actual, const RECT& expected) {
  if (::EqualRect(&actual, &expected)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "(" << actual.left << "," << actual.top << ")-(" << actual.right << "," << actual.bottom
         << ") instead of (" << expected.left << "," << expected.top << ")-(" << expected.right
         << "," << expected.bottom << ")";
}

// The form in pixels at the densities the tests run at.
struct Geometry {
  int dpi;
  RECT client;
  RECT text1;
  RECT command1;
};
constexpr Geometry GeometryTable[] = {
    {96, {0, 0, 159, 56}, {8, 8, 81, 41}, {88, 8, 145, 41}},
    {144, {0, 0, 238, 84}, {12, 12, 121, 61}, {132, 12, 217, 61}},
};

const Geometry* GeometryAt(int dpi) {
  for (const Geometry& row : GeometryTable)
    if (row.dpi == dpi) return &row;
  return nullptr;
}

TEST_F(Win32MainWindow, FollowsTheFormAtTheScreenDpi) {
  const char* dpiText = std::getenv("TEST_SCREEN_DPI");
  const Geometry* row = GeometryAt(dpiText != nullptr ? std::atoi(dpiText) : 96);
  ASSERT_NE(row, nullptr) << "TEST_SCREEN_DPI names no density of the table";

  EXPECT_EQ(TextOf(Main()), L"M3U8");
  RECT client;
  ::GetClientRect(Main(), &client);
  EXPECT_TRUE(SameRect(client, row->client));
  EXPECT_EQ(ClassOf(Text1()), L"Edit");
  EXPECT_EQ(TextOf(Text1()), L"");
  EXPECT_TRUE(SameRect(RectInParent(Text1()), row->text1));
  EXPECT_EQ(ClassOf(Command1()), L"Button");
  EXPECT_EQ(TextOf(Command1()), L"Command1");
  EXPECT_TRUE(SameRect(RectInParent(Command1()), row->command1));

  // Resizing moves nothing.
  ::SetWindowPos(Main(), nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_TRUE(SameRect(RectInParent(Text1()), row->text1));
  EXPECT_TRUE(SameRect(RectInParent(Command1()), row->command1));
}

// Moved to a screen of another density, the window takes the size Windows suggests and lays out
// its controls and fonts anew.
TEST_F(Win32MainWindow, FollowsADpiChange) {
  const UINT dpi = win32::WindowDpi(Main()) == 144 ? 96 : 144;
  RECT suggested{10, 20, 10 + 300, 20 + 200};
  const auto oldFont = ::SendMessageW(Text1(), WM_GETFONT, 0, 0);

  ::SendMessageW(Main(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));

  RECT window;
  ::GetWindowRect(Main(), &window);
  EXPECT_TRUE(SameRect(window, suggested));
  EXPECT_TRUE(SameRect(RectInParent(Text1()), GeometryAt(static_cast<int>(dpi))->text1));
  EXPECT_NE(::SendMessageW(Text1(), WM_GETFONT, 0, 0), oldFont);
}

TEST_F(Win32MainWindow, FocusStartsInText1AndTabCycles) {
  EXPECT_EQ(::GetNextDlgTabItem(Main(), Text1(), FALSE), Command1());
  EXPECT_EQ(::GetNextDlgTabItem(Main(), Command1(), FALSE), Text1());
  EXPECT_EQ(::GetFocus(), Text1());
  PressKey(Text1(), VK_TAB);
  EXPECT_EQ(::GetFocus(), Command1());
  PressKey(Command1(), VK_TAB);
  EXPECT_EQ(::GetFocus(), Text1());
}

TEST_F(Win32MainWindow, ControlsUseTheMessageFontAndTheCaptionFits) {
  const auto text1Font = reinterpret_cast<HFONT>(::SendMessageW(Text1(), WM_GETFONT, 0, 0));
  const auto command1Font = reinterpret_cast<HFONT>(::SendMessageW(Command1(), WM_GETFONT, 0, 0));
  ASSERT_NE(text1Font, nullptr);
  ASSERT_NE(command1Font, nullptr);
  LOGFONTW used{};
  ::GetObjectW(text1Font, sizeof used, &used);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  EXPECT_STREQ(used.lfFaceName, metrics.lfMessageFont.lfFaceName);
  EXPECT_EQ(used.lfHeight, metrics.lfMessageFont.lfHeight);

  const HDC dc = ::GetDC(Command1());
  ::SelectObject(dc, command1Font);
  SIZE caption{};
  ::GetTextExtentPoint32W(dc, L"Command1", 8, &caption);
  ::ReleaseDC(Command1(), dc);
  RECT button;
  ::GetClientRect(Command1(), &button);
  EXPECT_LE(caption.cx, button.right - 2 * ::GetSystemMetrics(SM_CXEDGE))
      << "the caption does not fit its button";
}

TEST_F(Win32MainWindow, ClickWritesTheListsThenShowsTheBoxEveryTime) {
  ::SetWindowTextW(Text1(), L"C:\\other.txt 42");  // nothing reads it
  BoxWatcher watcher;

  ::SendMessageW(Command1(), BM_CLICK, 0, 0);
  WriteBytes(SecondFile, "changed by hand");
  SetFocus(Command1());
  PressKey(Command1(), VK_SPACE);

  ASSERT_EQ(watcher.Seen().size(), 2u);
  for (const SeenBox& box : watcher.Seen()) {
    EXPECT_EQ(box.text, L"123456");
    EXPECT_EQ(box.caption, L"M3U8");
    EXPECT_EQ(box.buttons, 1);
    EXPECT_TRUE(box.okButton);
    EXPECT_FALSE(box.icon);
    EXPECT_EQ(box.owner, Main());
    EXPECT_TRUE(box.listsCompleteMeanwhile) << "the box came up before both lists were written";
  }
  EXPECT_TRUE(::IsWindow(Main()));
  EXPECT_EQ(QuitStatus(), std::nullopt);
}

TEST_F(Win32MainWindow, FailureIsReportedOnceAndEndsTheProgram) {
  std::filesystem::create_directory(FirstFile);
  WriteBytes(SecondFile, "old");
  BoxWatcher watcher;

  ::SendMessageW(Command1(), BM_CLICK, 0, 0);

  ASSERT_EQ(watcher.Seen().size(), 1u);
  const SeenBox& report = watcher.Seen().front();
  EXPECT_EQ(report.caption, L"M3U8");
  EXPECT_TRUE(report.icon);
  EXPECT_EQ(report.buttons, 1);
  EXPECT_TRUE(report.okButton);
  EXPECT_NE(report.text.find(L"C:\\xz.txt"), std::wstring::npos);
  const std::wstring description =
      segment_list::Widen(segment_list::WindowsErrorText(ERROR_ACCESS_DENIED));
  EXPECT_NE(report.text.find(description), std::wstring::npos) << segment_list::Narrow(report.text);
  EXPECT_EQ(report.text.find(L"administrator"), std::wstring::npos) << "a folder is in the way";
  EXPECT_FALSE(::IsWindow(Main()));
  EXPECT_EQ(QuitStatus(), 1);
  EXPECT_EQ(ReadBytes(SecondFile), "old");
}

}  // namespace
