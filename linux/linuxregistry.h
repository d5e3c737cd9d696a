#pragma once

#include "runtime/registry.h"

#include <map>
#include <string>
#include <vector>

namespace pomvexa {

// A read-only stand-in for the registry on systems that have none. Its one value is the full
// path of this machine's system-information program, found on the search path, as the string
// HKEY_LOCAL_MACHINE "SOFTWARE\Microsoft\Shared Tools\MSINFO" "PATH"; without such a program
// that key does not exist, and neither does any other. Asking for more than read access is
// refused.
class LinuxRegistry : public Registry {
public:
    // The programs looked for, in this order: KDE's information centre, the hardware
    // information and benchmark tool, and the graphical hardware lister.
    static const std::vector<std::string>& systemInformationPrograms();

    // Searches the directories of searchPath, separated by ':', as the PATH variable does.
    explicit LinuxRegistry(std::string searchPath);
    // Searches the PATH of the environment.
    LinuxRegistry();

    Status openKey(std::int32_t root, const std::string& path, std::uint32_t access,
                   Key& key) override;
    Status queryValue(Key key, const std::string& name, std::uint32_t& type, std::uint8_t* data,
                      std::uint32_t& size) override;
    Status closeKey(Key key) override;
    // Its one string is a path of this system, whose encoding is UTF-8.
    std::string toText(std::string_view bytes) const override { return std::string(bytes); }

    // The program that the PATH value would name now, or empty text.
    std::string findSystemInformationProgram() const;

private:
    std::string searchPath;
    bool searchEnvironment;
    std::map<Key, std::string> openKeys; // handle -> the program path it was opened for
    Key nextKey = 1;
};

} // namespace pomvexa
