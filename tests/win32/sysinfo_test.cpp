#include "fakeabout.h"
#include "win32/windowslauncher.h"
#include "win32/windowsregistry.h"
#include "win32/windowstest.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace pomvexa::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const std::wstring pathKey = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::wstring folderKey = L"SOFTWARE\\Microsoft\\Shared Tools Location";
const fs::path testRoot = L"C:\\PomvexaTests";

// The fake runtime, but with the real Windows file test and program launch.
class WindowsRuntime : public FakeRuntime {
public:
    using FakeRuntime::FakeRuntime;
    std::string findFile(const std::string& path) override { return win32::findFile(path); }
    void launchProgram(const std::string& path, WindowStyle) override {
        win32::launchProgram(path);
    }
};

// The About box's launcher on the real registry, with the stand-in tool copied where a test
// wants it. The registry keys and files are removed before and after each test.
class StartSysInfoOnWindows : public ::testing::Test {
protected:
    void SetUp() override {
        removeFiles();
        ASSERT_TRUE(toolPathKey.ok());
        ASSERT_TRUE(toolFolderKey.ok());
    }
    void TearDown() override { removeFiles(); }

    static void removeFiles() {
        std::error_code ignored;
        fs::remove_all(testRoot, ignored);
        fs::remove_all(L"C:\\Program Files\\Pomvexa Test", ignored);
        fs::remove(L"C:\\Program.exe", ignored);
        fs::remove(L"C:\\Program.exe.ran", ignored);
    }

    // Copies the stand-in tool to the path and returns the file its run will leave.
    static std::wstring placeTool(const fs::path& path) {
        fs::create_directories(path.parent_path());
        fs::copy_file(fs::path(programFolder()) / L"recordtool.exe", path,
                      fs::copy_options::overwrite_existing);
        return path.wstring() + L".ran";
    }

    void click() { about.form.cmdSysInfo_Click(); }

    ScopedKey toolPathKey{HKEY_LOCAL_MACHINE, pathKey};
    ScopedKey toolFolderKey{HKEY_LOCAL_MACHINE, folderKey};
    AboutWiring<WindowsRuntime, WindowsRegistry> about;
};

TEST_F(StartSysInfoOnWindows, PathValueStartsTheToolAgainOnEveryClick) {
    const fs::path tool = testRoot / L"tool folder" / L"info tool.exe";
    const std::wstring record = placeTool(tool);
    ASSERT_TRUE(toolPathKey.set("PATH", REG_SZ, win32::toUtf8(tool.wstring()) + '\0'));

    click();
    EXPECT_TRUE(waitForRun(record, 10s));
    EXPECT_TRUE(about.runtime.messages.empty());

    fs::remove(record);
    click();
    EXPECT_TRUE(waitForRun(record, 10s)) << "a second click starts the tool again";
}

TEST_F(StartSysInfoOnWindows, FolderValueStartsTheToolInIt) {
    const fs::path folder = testRoot / L"Shared Tools";
    const std::wstring record = placeTool(folder / L"MSINFO32.EXE");
    ASSERT_TRUE(toolFolderKey.set("MSINFO", REG_SZ, win32::toUtf8(folder.wstring()) + '\0'));

    click();
    EXPECT_TRUE(waitForRun(record, 10s));
    EXPECT_TRUE(about.runtime.messages.empty());
}

TEST_F(StartSysInfoOnWindows, FolderWithoutToolShowsTheMessage) {
    const fs::path folder = testRoot / L"Empty Folder";
    fs::create_directories(folder);
    ASSERT_TRUE(toolFolderKey.set("MSINFO", REG_SZ, win32::toUtf8(folder.wstring()) + '\0'));

    click();
    EXPECT_EQ(about.runtime.messages, std::vector<std::string>{frmAbout::unavailableMessage});
}

TEST_F(StartSysInfoOnWindows, NeitherValueShowsTheMessage) {
    click();
    EXPECT_EQ(about.runtime.messages, std::vector<std::string>{frmAbout::unavailableMessage});
}

// A path with spaces is one program: "C:\Program Files\..." never starts "C:\Program.exe".
TEST_F(StartSysInfoOnWindows, PathWithSpacesNeverStartsAProgramNamedByItsFirstWord) {
    const fs::path tool = L"C:\\Program Files\\Pomvexa Test\\tool.exe";
    const std::wstring record = placeTool(tool);
    const std::wstring decoyRecord = placeTool(L"C:\\Program.exe");
    ASSERT_TRUE(toolPathKey.set("PATH", REG_SZ, win32::toUtf8(tool.wstring()) + '\0'));

    click();
    EXPECT_TRUE(waitForRun(record, 10s));
    EXPECT_FALSE(fileExists(decoyRecord));
    EXPECT_TRUE(about.runtime.messages.empty());
}

// A relative path names whatever program the current folder holds: it is never started.
TEST_F(StartSysInfoOnWindows, RelativePathIsRefused) {
    const std::wstring record = placeTool(testRoot / L"tool.exe");
    wchar_t previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);
    SetCurrentDirectoryW(testRoot.c_str());
    for (const char* path : {"tool.exe", "C:tool.exe", ".\\tool.exe", "\\PomvexaTests\\tool.exe"}) {
        ASSERT_TRUE(toolPathKey.set("PATH", REG_SZ, std::string(path) + '\0'));
        about.runtime.messages.clear();
        click();
        EXPECT_EQ(about.runtime.messages, std::vector<std::string>{frmAbout::unavailableMessage})
            << path;
    }
    SetCurrentDirectoryW(previous);
    EXPECT_FALSE(fileExists(record));
}

TEST(WindowsLauncher, WhatCannotBeStartedRaisesRunTimeError) {
    EXPECT_THROW(win32::launchProgram(""), RuntimeError);
    EXPECT_THROW(win32::launchProgram("C:\\PomvexaTests\\missing.exe"), RuntimeError);
    EXPECT_EQ(win32::findFile("C:\\PomvexaTests\\missing.exe"), "");
    EXPECT_EQ(win32::findFile("C:\\windows"), "") << "a folder is not a file";
}

} // namespace
} // namespace pomvexa::testing
