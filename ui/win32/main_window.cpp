#include "ui/win32/main_window.h"

#include <commctrl.h>

#include <iterator>
#include <stdexcept>
#include <string>

#include "segment_list/windows_error.h"
#include "ui/win32/dpi.h"

namespace win32 {

namespace {

constexpr wchar_t ClassName[] = L"M3U8";
constexpr DWORD WindowStyle = WS_OVERLAPPEDWINDOW;
constexpr DWORD WindowExStyle = 0;

using segment_list::Widen;

[[noreturn]] void ThrowLastError(const char* what) {
  throw std::runtime_error(std::string(what) + ": " +
                           segment_list::WindowsErrorText(::GetLastError()));
}

int Pixels(int twips, UINT dpi) { return ui::TwipsToPixels(twips, static_cast<int>(dpi)); }

void RegisterWindowClass(HINSTANCE instance, WNDPROC windowProc) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = ClassName;
  if (!::RegisterClassExW(&windowClass) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    ThrowLastError("RegisterClassEx");
}

struct ControlClass {
  const wchar_t* name;
  DWORD style;
  DWORD exStyle;
};

ControlClass ClassOf(ui::ControlKind kind) {
  switch (kind) {
    case ui::ControlKind::TextBox:
      return {L"EDIT", ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ui::ControlKind::CommandButton:
      return {L"BUTTON", BS_PUSHBUTTON, 0};
  }
  return {};
}

int CaptionWidth(HWND button, HFONT font) {
  wchar_t text[64];
  const int length = ::GetWindowTextW(button, text, static_cast<int>(std::size(text)));
  const HDC dc = ::GetDC(button);
  const HGDIOBJ old = ::SelectObject(dc, font);
  SIZE size{};
  ::GetTextExtentPoint32W(dc, text, length, &size);
  ::SelectObject(dc, old);
  ::ReleaseDC(button, dc);
  return size.cx;
}

// The room a push button leaves for its caption: its width less the 3-D frame on both sides
// and the text margins (common controls 6 reports them; the classic button has none).
int CaptionRoom(HWND button, UINT dpi) {
  RECT client{};
  ::GetClientRect(button, &client);
  RECT margin{};
  ::SendMessageW(button, BCM_GETTEXTMARGIN, 0, reinterpret_cast<LPARAM>(&margin));
  return client.right - 2 * SystemMetric(SM_CXEDGE, dpi) - margin.left - margin.right;
}

// The message font, made smaller step by step until the button's whole caption shows.
Font FitCaptionFont(HWND button, LOGFONTW font, UINT dpi) {
  const int room = CaptionRoom(button, dpi);
  const LONG direction = font.lfHeight < 0 ? -1 : 1;  // negative heights are character heights
  for (;;) {
    Font candidate(::CreateFontIndirectW(&font));
    if (CaptionWidth(button, candidate.get()) <= room || font.lfHeight * direction <= 4)
      return candidate;
    font.lfHeight -= direction;
  }
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance) : instance_(instance) {
  RegisterWindowClass(instance, &MainWindow::WindowProc);
  // The size is set on WM_CREATE, once the window's DPI is known.
  if (!::CreateWindowExW(WindowExStyle, ClassName, Widen(ui::M3U8.caption).c_str(), WindowStyle,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                         nullptr, instance, this))
    ThrowLastError("CreateWindowEx");
}

MainWindow::~MainWindow() {
  if (window_ != nullptr) ::DestroyWindow(window_);
}

void MainWindow::Show(int showCommand) {
  ::ShowWindow(window_, showCommand);
  ::UpdateWindow(window_);
}

int MainWindow::RunMessageLoop() {
  MSG message{};
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) ProcessMessage(message);
  return static_cast<int>(message.wParam);
}

void MainWindow::ProcessMessage(const MSG& message) {
  if (window_ != nullptr && ::IsDialogMessageW(window_, const_cast<MSG*>(&message))) return;
  ::TranslateMessage(&message);
  ::DispatchMessageW(&message);
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {  // the last message: the object lets go of the handle
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate();
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_ACTIVATE:
      OnActivate(LOWORD(wParam) != WA_INACTIVE);
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    default:
      return ::DefWindowProcW(window_, message, wParam, lParam);
  }
}

void MainWindow::OnCreate() {
  const UINT dpi = WindowDpi(window_);
  const RECT frame =
      WindowRectForClient({Pixels(ui::M3U8.clientWidth, dpi), Pixels(ui::M3U8.clientHeight, dpi)},
                          WindowStyle, WindowExStyle, dpi);
  ::SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  CreateControls();
  Layout(dpi);
  ApplyFonts(dpi);
  focus_ = Control(ui::M3U8.controls.front());
}

void MainWindow::CreateControls() {
  // Created in tab order, which makes it the order of Tab among them.
  for (const ui::Control& control : ui::M3U8.controls) {
    const ControlClass controlClass = ClassOf(control.kind);
    ::CreateWindowExW(controlClass.exStyle, controlClass.name, Widen(control.text).c_str(),
                      WS_CHILD | WS_VISIBLE | WS_TABSTOP | controlClass.style, 0, 0, 0, 0, window_,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(control))), instance_,
                      nullptr);
  }
}

void MainWindow::Layout(UINT dpi) {
  for (const ui::Control& control : ui::M3U8.controls) {
    const ui::Rect pixels = ui::TwipsToPixels(control.bounds, static_cast<int>(dpi));
    ::MoveWindow(Control(control), pixels.left, pixels.top, pixels.width, pixels.height, TRUE);
  }
}

void MainWindow::ApplyFonts(UINT dpi) {
  const LOGFONTW font = MessageFont(dpi);
  Font messageFont(::CreateFontIndirectW(&font));
  Font captionFont = FitCaptionFont(Control(ui::Command1), font, dpi);
  ::SendMessageW(Control(ui::Text1), WM_SETFONT, reinterpret_cast<WPARAM>(messageFont.get()), TRUE);
  ::SendMessageW(Control(ui::Command1), WM_SETFONT, reinterpret_cast<WPARAM>(captionFont.get()),
                 TRUE);
  // The old fonts go only now that no control uses them.
  messageFont_ = std::move(messageFont);
  captionFont_ = std::move(captionFont);
}

void MainWindow::OnCommand(int id, int code) {
  if (id == ControlId(ui::Command1) && code == BN_CLICKED) ui::Dispatch(*this, ui::Command1Click);
}

void MainWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
  ::SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  Layout(dpi);
  ApplyFonts(dpi);
}

// A window that is not a dialog keeps its own focus across deactivation.
void MainWindow::OnActivate(bool active) {
  if (active) {
    if (focus_ != nullptr) ::SetFocus(focus_);
  } else {
    const HWND focus = ::GetFocus();
    if (focus != nullptr && ::IsChild(window_, focus)) focus_ = focus;
  }
}

void MainWindow::OnDestroy() { ::PostQuitMessage(exitStatus_); }

void MainWindow::ShowCompletion(std::string_view text) {
  ::MessageBoxW(window_, Widen(text).c_str(), Widen(ui::ApplicationTitle).c_str(),
                MB_OK | MB_APPLMODAL);
}

void MainWindow::ShowFailure(std::string_view text) {
  ::MessageBoxW(window_, Widen(text).c_str(), Widen(ui::ApplicationTitle).c_str(),
                MB_OK | MB_ICONERROR | MB_APPLMODAL);
}

void MainWindow::EndProgram(int status) {
  exitStatus_ = status;
  ::DestroyWindow(window_);
}

}  // namespace win32
