// Per-window DPI on every Windows version: the DPI functions of Windows 10 where the system has
// them, the screen's DPI elsewhere.
#pragma once

#include <windows.h>

namespace win32 {

UINT WindowDpi(HWND window);

// The window rectangle that gives `client` as the client area of a window with this style.
RECT WindowRectForClient(SIZE client, DWORD style, DWORD exStyle, UINT dpi);

// The system's message font at this DPI.
LOGFONTW MessageFont(UINT dpi);

int SystemMetric(int index, UINT dpi);

}  // namespace win32
