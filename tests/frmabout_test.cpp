#include "fakeabout.h"
#include "memoryregistry.h"

#include <gtest/gtest.h>

#include <functional>

namespace pomvexa::testing {
namespace {

const std::string pathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string folderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const std::string unavailable = "此时系统信息不可用";

using FakeAbout = AboutWiring<FakeRuntime, MemoryRegistry>;

TEST(frmAboutLoad, BuildsCaptionVersionAndTitle) {
    FakeAbout about;
    about.form.Form_Load();
    EXPECT_EQ(about.log, (CallLog{"frmAbout caption 关于 Pomvexa", "lblVersion caption 版本 1.0.0",
                                  "lblTitle caption Pomvexa"}));
}

TEST(frmAboutLoad, WritesEachVersionNumberInPlainDecimal) {
    FakeAbout about;
    about.runtime.identity = {"Other", 2, 10, 307};
    about.form.Form_Load();
    EXPECT_EQ(about.version.caption, "版本 2.10.307");
    EXPECT_EQ(about.window.caption, "关于 Other");
}

TEST(frmAboutOk, UnloadsTheBox) {
    FakeAbout about;
    about.form.cmdOK_Click();
    EXPECT_EQ(about.log, CallLog{"frmAbout unload"});
}

struct SysInfoCase {
    const char* name;
    std::function<void(FakeAbout&)> arrange;
    std::vector<std::string> expectedLaunches;
    bool expectedMessage;
    bool secondKeyOpened;
};

void PrintTo(const SysInfoCase& sysInfo, std::ostream* out) {
    *out << sysInfo.name;
}

class StartSysInfoTest : public ::testing::TestWithParam<SysInfoCase> {};

TEST_P(StartSysInfoTest, StartsTheToolOrShowsOneMessage) {
    const SysInfoCase& sysInfo = GetParam();
    FakeAbout about;
    sysInfo.arrange(about);
    about.form.cmdSysInfo_Click();

    EXPECT_EQ(about.runtime.launched, sysInfo.expectedLaunches);
    if (sysInfo.expectedMessage)
        EXPECT_EQ(about.runtime.messages, std::vector<std::string>{unavailable});
    else
        EXPECT_TRUE(about.runtime.messages.empty());
    const auto& opened = about.registry.opened;
    EXPECT_EQ(std::find(opened.begin(), opened.end(), folderKey) != opened.end(),
              sysInfo.secondKeyOpened);
    EXPECT_EQ(about.registry.openKeys(), 0) << "every opened key is closed";
    EXPECT_EQ(std::count(about.log.begin(), about.log.end(), "frmAbout unload"), 0)
        << "the box stays open";
}

INSTANTIATE_TEST_SUITE_P(
    Registry, StartSysInfoTest,
    ::testing::Values(
        SysInfoCase{"pathLaunchedWithoutExistenceTest",
                    [](FakeAbout& a) {
                        a.registry.setString(pathKey, "PATH",
                                             MemoryRegistry::text("C:\\Tools\\info.exe"));
                    },
                    {"C:\\Tools\\info.exe"},
                    false,
                    false},
        SysInfoCase{"folderWithTool",
                    [](FakeAbout& a) {
                        a.registry.setString(folderKey, "MSINFO", MemoryRegistry::text("C:\\Info"));
                        a.runtime.existingFiles = {"C:\\Info\\MSINFO32.EXE"};
                    },
                    {"C:\\Info\\MSINFO32.EXE"},
                    false,
                    true},
        SysInfoCase{"folderWithoutTool",
                    [](FakeAbout& a) {
                        a.registry.setString(folderKey, "MSINFO", MemoryRegistry::text("C:\\Info"));
                    },
                    {},
                    true,
                    true},
        SysInfoCase{"bothAbsent", [](FakeAbout&) {}, {}, true, true},
        SysInfoCase{"pathOfOtherTypeIsNotRetried",
                    [](FakeAbout& a) {
                        a.registry.setValue(pathKey, "PATH", 3, "\x01\x02");
                        a.registry.setString(folderKey, "MSINFO", MemoryRegistry::text("C:\\Info"));
                        a.runtime.existingFiles = {"C:\\Info\\MSINFO32.EXE"};
                    },
                    {},
                    true,
                    false},
        SysInfoCase{"launchFails",
                    [](FakeAbout& a) {
                        a.registry.setString(pathKey, "PATH", MemoryRegistry::text("C:\\gone.exe"));
                        a.runtime.failingPrograms = {"C:\\gone.exe"};
                    },
                    {},
                    true,
                    false},
        SysInfoCase{"emptyReadOfPath",
                    [](FakeAbout& a) {
                        a.registry.setString(pathKey, "PATH", "x");
                        a.registry.reportedSize = 0;
                    },
                    {},
                    true,
                    false},
        SysInfoCase{"registryCannotBeBound",
                    [](FakeAbout& a) { a.registry.bindingFailure = RuntimeError::dllNotLoaded; },
                    {},
                    true,
                    false},
        SysInfoCase{"pathTooLargeFallsBackToFolder",
                    [](FakeAbout& a) {
                        a.registry.setString(pathKey, "PATH", std::string(1500, 'x'));
                        a.registry.setString(folderKey, "MSINFO", MemoryRegistry::text("D:\\"));
                        a.runtime.existingFiles = {"D:\\\\MSINFO32.EXE"};
                    },
                    {"D:\\\\MSINFO32.EXE"},
                    false,
                    true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StartSysInfo, EveryClickLaunchesAgain) {
    FakeAbout about;
    about.registry.setString(pathKey, "PATH", MemoryRegistry::text("C:\\info.exe"));
    about.form.cmdSysInfo_Click();
    about.form.cmdSysInfo_Click();
    EXPECT_EQ(about.runtime.launched, (std::vector<std::string>{"C:\\info.exe", "C:\\info.exe"}));
    EXPECT_EQ(about.registry.opened.size(), 2U);
    EXPECT_EQ(about.registry.closes, 2);
}

} // namespace
} // namespace pomvexa::testing
