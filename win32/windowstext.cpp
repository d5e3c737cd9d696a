#include "win32/windowstext.h"

#include <windows.h>

namespace pomvexa::win32 {

std::wstring toWide(unsigned codePage, std::string_view bytes) {
    if (bytes.empty())
        return {};
    const int length = static_cast<int>(bytes.size());
    const int wideLength = MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), length, wide.data(), wideLength);
    return wide;
}

std::string toUtf8(std::wstring_view wide) {
    if (wide.empty())
        return {};
    const int length = static_cast<int>(wide.size());
    const int utf8Length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(utf8Length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, utf8.data(), utf8Length, nullptr, nullptr);
    return utf8;
}

} // namespace pomvexa::win32
