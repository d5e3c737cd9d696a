// Prints what a shortcut file points at, for the installer's test: its target on the first line
// and its icon's file and index on the second, in UTF-8.
//   readshortcut PATH
#include "win32/windowstext.h"

#include <shlobj.h>
#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
    if (argc != 2)
        return 2;
    CoInitialize(nullptr);
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    wchar_t target[MAX_PATH] = {};
    wchar_t icon[MAX_PATH] = {};
    int iconIndex = 0;
    const bool read =
        SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(argv[1], STGM_READ)) &&
        SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH)) &&
        SUCCEEDED(link->GetIconLocation(icon, MAX_PATH, &iconIndex));
    if (read)
        std::printf("%s\n%s,%d\n", pomvexa::win32::toUtf8(target).c_str(),
                    pomvexa::win32::toUtf8(icon).c_str(), iconIndex);
    if (file != nullptr)
        file->Release();
    if (link != nullptr)
        link->Release();
    CoUninitialize();
    return read ? 0 : 1;
}
