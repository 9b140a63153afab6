#pragma once

#include <string>
#include <string_view>

// The core speaks UTF-8 and the Unicode Win32 API UTF-16; texts change their
// encoding here, at the window's edge, and nowhere else.
namespace plinthar::win32 {

std::wstring Utf8ToWide(std::string_view text);
// Unpaired surrogates, which an edit box can hold, become U+FFFD.
std::string WideToUtf8(std::wstring_view text);

}  // namespace plinthar::win32
