#include "qt/qtruntime.h"
#include "runtime/runtimeerror.h"
#include "tempdirectory.h"

#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace pomvexa::testing {
namespace {

// The launcher starts exactly the file that a path names, never a command that it spells.
TEST(Launcher, StartsProgramNamedWithSpacesAndShellCharactersExactly) {
    TempDirectory directory;
    const std::filesystem::path record = directory.path / "ran";
    const std::filesystem::path marker = directory.path / "injected";
    // It records the name it was started by, renaming the record into place as its last act,
    // so that the record is whole once it is there.
    const auto program =
        directory.write("dir with spaces; touch " + marker.string() + "/sys info $(touch " +
                            marker.string() + ") & 'x'",
                        "#!/bin/sh\necho \"$0\" > '" + record.string() + ".part' && mv '" +
                            record.string() + ".part' '" + record.string() + "'\n",
                        true);

    QtRuntime runtime;
    runtime.launchProgram(program.string(), WindowStyle::normalFocus);

    // The program runs in a process of its own; wait for what it records.
    ASSERT_TRUE(QTest::qWaitFor([&] { return std::filesystem::exists(record); }, 10000));
    std::ifstream recorded(record);
    std::string name;
    std::getline(recorded, name);
    EXPECT_EQ(name, program.string());
    EXPECT_FALSE(std::filesystem::exists(marker));
}

TEST(Launcher, WhatCannotBeStartedRaisesRunTimeError) {
    TempDirectory directory;
    const auto notExecutable = directory.write("tool", "#!/bin/sh\n", false);
    QtRuntime runtime;
    for (const std::string& path :
         {std::string(), std::string("sh"), (directory.path / "missing").string(),
          notExecutable.string(), directory.path.string()}) {
        EXPECT_THROW(runtime.launchProgram(path, WindowStyle::normalFocus), RuntimeError)
            << "'" << path << "'";
    }
}

TEST(FindFile, NamesAnExistingFileOnly) {
    TempDirectory directory;
    const auto file = directory.write("MSINFO32.EXE", "", false);
    QtRuntime runtime;
    EXPECT_EQ(runtime.findFile(file.string()), "MSINFO32.EXE");
    EXPECT_EQ(runtime.findFile(directory.path.string()), "");
    EXPECT_EQ(runtime.findFile((directory.path / "missing").string()), "");
}

} // namespace
} // namespace pomvexa::testing
