#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace pomvexa::testing {

// A fresh directory under the system's temporary directory, removed with everything in it.
class TempDirectory {
public:
    TempDirectory() {
        std::random_device entropy;
        path = std::filesystem::temp_directory_path() /
               ("pomvexa-test-" + std::to_string(entropy()) + std::to_string(entropy()));
        std::filesystem::create_directories(path);
    }
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;
    ~TempDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }

    // Writes a file, executable or not, creating its directory.
    std::filesystem::path write(const std::string& relative, const std::string& content,
                                bool executable) const {
        const std::filesystem::path file = path / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file) << content;
        using std::filesystem::perms;
        std::filesystem::permissions(file, executable ? perms::owner_all
                                                      : perms::owner_read | perms::owner_write);
        return file;
    }

    std::filesystem::path path;
};

} // namespace pomvexa::testing
