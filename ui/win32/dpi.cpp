#include "ui/win32/dpi.h"

namespace win32 {

namespace {

// Looked up at run time so that the program still starts on Windows before 10.
template <typename Function>
Function User32Function(const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), name)));
}

UINT ScreenDpi() {
  const HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
  ::ReleaseDC(nullptr, screen);
  return static_cast<UINT>(dpi);
}

}  // namespace

UINT WindowDpi(HWND window) {
  static const auto getDpiForWindow = User32Function<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
  const UINT dpi = getDpiForWindow != nullptr ? getDpiForWindow(window) : 0;
  return dpi != 0 ? dpi : ScreenDpi();
}

RECT WindowRectForClient(SIZE client, DWORD style, DWORD exStyle, UINT dpi) {
  static const auto adjustForDpi =
      User32Function<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
  RECT rect{0, 0, client.cx, client.cy};
  if (adjustForDpi == nullptr || !adjustForDpi(&rect, style, FALSE, exStyle, dpi))
    ::AdjustWindowRectEx(&rect, style, FALSE, exStyle);
  return rect;
}

LOGFONTW MessageFont(UINT dpi) {
  static const auto parametersForDpi =
      User32Function<BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT)>("SystemParametersInfoForDpi");
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (parametersForDpi != nullptr &&
      parametersForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi))
    return metrics.lfMessageFont;
  ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  metrics.lfMessageFont.lfHeight = ::MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpi),
                                            static_cast<int>(ScreenDpi()));
  return metrics.lfMessageFont;
}

int SystemMetric(int index, UINT dpi) {
  static const auto metricsForDpi =
      User32Function<int(WINAPI*)(int, UINT)>("GetSystemMetricsForDpi");
  if (metricsForDpi != nullptr) return metricsForDpi(index, dpi);
  return ::MulDiv(::GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(ScreenDpi()));
}

}  // namespace win32
