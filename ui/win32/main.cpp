#include <windows.h>

#include "ui/win32/main_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  win32::MainWindow window(instance);
  window.Show(showCommand);
  return window.RunMessageLoop();
}
