#include "about/registryvalue.h"
#include "linux/linuxregistry.h"
#include "tempdirectory.h"

#include <gtest/gtest.h>

namespace pomvexa::testing {
namespace {

const std::string pathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";

std::string readPath(LinuxRegistry& registry) {
    std::string text = "unchanged";
    const bool found = GetKeyValue(registry, Registry::localMachine, pathKey, "PATH", text);
    return found ? text : "absent";
}

TEST(LinuxRegistry, PathNamesFirstListedProgramFoundOnSearchPath) {
    TempDirectory directory;
    directory.write("first/lshw-gtk", "#!/bin/sh\n", true);
    const auto hardinfo = directory.write("second/hardinfo", "#!/bin/sh\n", true);
    directory.write("first/kinfocenter", "not a program", false);

    LinuxRegistry registry((directory.path / "first").string() +
                           ":relative/dir:" + (directory.path / "second").string());
    // kinfocenter is not executable and so is passed over; hardinfo comes before lshw-gtk.
    EXPECT_EQ(readPath(registry), hardinfo.string());
}

TEST(LinuxRegistry, WithoutProgramTheKeyDoesNotExist) {
    TempDirectory directory;
    directory.write("bin/hardinfo", "", false);
    LinuxRegistry registry((directory.path / "bin").string());
    EXPECT_EQ(readPath(registry), "absent");
    Registry::Key key = 0;
    EXPECT_EQ(registry.openKey(Registry::localMachine, pathKey, Registry::readAccess, key),
              Registry::fileNotFound);
}

TEST(LinuxRegistry, KeysAndValuesCompareWithoutCaseAndAreReadOnly) {
    TempDirectory directory;
    const auto program = directory.write("bin/kinfocenter", "#!/bin/sh\n", true);
    LinuxRegistry registry((directory.path / "bin").string());

    Registry::Key key = 0;
    EXPECT_EQ(registry.openKey(Registry::localMachine, pathKey, 0x2003F, key),
              Registry::accessDenied)
        << "the rights to write are refused";
    EXPECT_EQ(registry.openKey(Registry::localMachine, "software\\microsoft\\shared tools location",
                               Registry::readAccess, key),
              Registry::fileNotFound);
    EXPECT_EQ(registry.openKey(1, pathKey, Registry::readAccess, key), Registry::fileNotFound);

    ASSERT_EQ(registry.openKey(Registry::localMachine, "software\\MICROSOFT\\shared tools\\msinfo",
                               Registry::readAccess, key),
              Registry::success);
    std::uint8_t buffer[8];
    std::uint32_t type = 0;
    std::uint32_t size = sizeof buffer;
    EXPECT_EQ(registry.queryValue(key, "path", type, buffer, size), Registry::moreData);
    EXPECT_EQ(size, program.string().size() + 1);
    size = sizeof buffer;
    EXPECT_EQ(registry.queryValue(key, "Other", type, buffer, size), Registry::fileNotFound);
    EXPECT_EQ(registry.closeKey(key), Registry::success);
    EXPECT_EQ(registry.closeKey(key), Registry::invalidHandle);
}

} // namespace
} // namespace pomvexa::testing
