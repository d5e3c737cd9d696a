#pragma once

#include <string>
#include <string_view>

// Conversions between the text of the Windows API (UTF-16) and the program's (UTF-8).
namespace pomvexa::win32 {

// Text in a Windows code page (CP_ACP, CP_UTF8, ...) as UTF-16.
std::wstring toWide(unsigned codePage, std::string_view bytes);

std::string toUtf8(std::wstring_view wide);

} // namespace pomvexa::win32
