// The window M3U8 on the Win32 API.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

#include "ui/events.h"
#include "ui/form.h"

namespace win32 {

// Control IDs follow the tab order of the form.
constexpr int ControlId(const ui::Control& control) { return 100 + control.tabIndex; }

struct FontDeleter {
  void operator()(HFONT font) const { ::DeleteObject(font); }
};
using Font = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

class MainWindow : private ui::FrontEnd {
 public:
  // Creates the window and its controls, unshown; throws std::runtime_error if Windows refuses.
  explicit MainWindow(HINSTANCE instance);
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;
  ~MainWindow();

  HWND Handle() const { return window_; }
  HWND Control(const ui::Control& control) const {
    return ::GetDlgItem(window_, ControlId(control));
  }
  void Show(int showCommand);

  // Runs the message loop until the window is gone; returns the program's exit status.
  int RunMessageLoop();
  // One message of the loop: the window's keyboard works like a dialog's (Tab, Shift+Tab,
  // Space on the button).
  void ProcessMessage(const MSG& message);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void OnCreate();
  void OnCommand(int id, int code);
  void OnDpiChanged(UINT dpi, const RECT& suggested);
  void OnActivate(bool active);
  void OnDestroy();

  void CreateControls();
  void Layout(UINT dpi);
  void ApplyFonts(UINT dpi);

  void ShowCompletion(std::string_view text) override;
  void ShowFailure(std::string_view text) override;
  void EndProgram(int status) override;

  HINSTANCE instance_;
  HWND window_ = nullptr;
  HWND focus_ = nullptr;  // the control that had the focus when the window was last deactivated
  Font messageFont_;
  Font captionFont_;
  int exitStatus_ = 0;
};

}  // namespace win32
