#include "linux/linuxregistry.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>

namespace pomvexa {
namespace {

const std::string toolPathKey = "software\\microsoft\\shared tools\\msinfo";
const std::string toolPathValue = "path";

// Registry names compare without regard to case.
std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool isExecutableFile(const std::filesystem::path& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error || !fs::is_regular_file(status))
        return false;
    const fs::perms anyExecute =
        fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    return (status.permissions() & anyExecute) != fs::perms::none;
}

} // namespace

const std::vector<std::string>& LinuxRegistry::systemInformationPrograms() {
    static const std::vector<std::string> programs = {"kinfocenter", "hardinfo", "lshw-gtk"};
    return programs;
}

LinuxRegistry::LinuxRegistry(std::string searchPath)
    : searchPath(std::move(searchPath))
    , searchEnvironment(false) {
}

LinuxRegistry::LinuxRegistry()
    : searchEnvironment(true) {
}

std::string LinuxRegistry::findSystemInformationProgram() const {
    std::string directories = searchPath;
    if (searchEnvironment) {
        const char* environment = std::getenv("PATH");
        directories = environment != nullptr ? environment : "";
    }
    for (const std::string& program : systemInformationPrograms()) {
        std::istringstream entries(directories);
        std::string directory;
        while (std::getline(entries, directory, ':')) {
            const std::filesystem::path candidate = std::filesystem::path(directory) / program;
            if (candidate.is_absolute() && isExecutableFile(candidate))
                return candidate.string();
        }
    }
    return {};
}

Registry::Status LinuxRegistry::openKey(std::int32_t root, const std::string& path,
                                        std::uint32_t access, Key& key) {
    if ((access & ~readAccess) != 0)
        return accessDenied;
    if (root != localMachine || lowered(path) != toolPathKey)
        return fileNotFound;
    std::string program = findSystemInformationProgram();
    if (program.empty())
        return fileNotFound;
    key = nextKey++;
    openKeys.emplace(key, std::move(program));
    return success;
}

Registry::Status LinuxRegistry::queryValue(Key key, const std::string& name, std::uint32_t& type,
                                           std::uint8_t* data, std::uint32_t& size) {
    const auto open = openKeys.find(key);
    if (open == openKeys.end())
        return invalidHandle;
    if (lowered(name) != toolPathValue)
        return fileNotFound;
    const std::string& program = open->second;
    const std::size_t needed = program.size() + 1; // with its terminating NUL
    if (needed > size) {
        size = static_cast<std::uint32_t>(needed);
        return moreData;
    }
    std::memcpy(data, program.c_str(), needed);
    size = static_cast<std::uint32_t>(needed);
    type = typeString;
    return success;
}

Registry::Status LinuxRegistry::closeKey(Key key) {
    return openKeys.erase(key) == 1 ? success : invalidHandle;
}

} // namespace pomvexa
