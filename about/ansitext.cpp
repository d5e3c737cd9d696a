#include "ansitext.h"

#ifdef _WIN32
#include "windowstext.h"

#include <windows.h>
#endif

namespace pomvexa {

#ifdef _WIN32
std::string ansiToUtf8(std::string_view bytes) {
    return windows::toUtf8(windows::toWide(CP_ACP, bytes));
}
#else
std::string ansiToUtf8(std::string_view bytes) {
    return std::string(bytes);
}
#endif

} // namespace pomvexa
