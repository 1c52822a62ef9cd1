#include <windows.h>

#include <exception>

#include "segment_list/windows_error.h"
#include "ui/form.h"
#include "ui/win32/main_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  try {
    win32::MainWindow window(instance);
    window.Show(showCommand);
    return window.RunMessageLoop();
  } catch (const std::exception& error) {  // the window could not be made
    ::MessageBoxW(nullptr, segment_list::Widen(error.what()).c_str(),
                  segment_list::Widen(ui::ApplicationTitle).c_str(), MB_OK | MB_ICONERROR);
    return ui::FailureExitStatus;
  }
}
