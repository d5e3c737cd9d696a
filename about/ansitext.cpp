#include "ansitext.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace pomvexa {

#ifdef _WIN32
std::string ansiToUtf8(std::string_view bytes) {
    if (bytes.empty())
        return {};
    const int length = static_cast<int>(bytes.size());
    const int wideLength = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, wide.data(), wideLength);
    const int utf8Length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(utf8Length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, utf8.data(), utf8Length, nullptr,
                        nullptr);
    return utf8;
}
#else
std::string ansiToUtf8(std::string_view bytes) {
    return std::string(bytes);
}
#endif

} // namespace pomvexa
