// The system's own description of a Windows error code.
#pragma once

#include <windows.h>

#include <string>

namespace segment_list {

// FormatMessageW's text for the code, in UTF-8, without the trailing line break.
std::string WindowsErrorText(DWORD code);

// UTF-8 to UTF-16 and back, for the W functions.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace segment_list
