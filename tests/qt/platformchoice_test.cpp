#include "qt/platformchoice.h"

#include <gtest/gtest.h>

namespace pomvexa::testing {
namespace {

struct SessionCase {
    const char* name;
    SessionEnvironment session;
    Platform expected;
};

void PrintTo(const SessionCase& session, std::ostream* out) {
    *out << session.name;
}

class PlatformChoiceTest : public ::testing::TestWithParam<SessionCase> {};

TEST_P(PlatformChoiceTest, FollowsTheSession) {
    EXPECT_EQ(choosePlatform(GetParam().session), GetParam().expected);
}

// session fields: QT_QPA_PLATFORM, DISPLAY, X server's socket there, WAYLAND_DISPLAY,
// XDG_SESSION_TYPE, compositor's socket there, Wayland plugin installed
INSTANTIATE_TEST_SUITE_P(
    Sessions, PlatformChoiceTest,
    ::testing::Values(
        SessionCase{"x11", {"", ":0", true, "", "x11", false, false}, Platform::x11},
        SessionCase{"waylandWithXWayland",
                    {"", ":0", true, "wayland-0", "wayland", true, true},
                    Platform::x11},
        SessionCase{
            "waylandOnly", {"", "", false, "wayland-0", "wayland", true, true}, Platform::wayland},
        SessionCase{
            "waylandDefaultSocket", {"", "", false, "", "wayland", true, true}, Platform::wayland},
        SessionCase{"waylandWithoutPlugin",
                    {"", "", false, "wayland-0", "wayland", true, false},
                    Platform::none},
        SessionCase{"waylandWithoutCompositor",
                    {"", "", false, "wayland-1", "", false, true},
                    Platform::none},
        SessionCase{"nothing", {"", "", false, "", "tty", false, true}, Platform::none},
        SessionCase{"userChoiceWins",
                    {"wayland", ":0", true, "wayland-0", "", true, true},
                    Platform::userChoice},
        SessionCase{"userChoiceOffscreen",
                    {"offscreen", "", false, "", "", false, false},
                    Platform::userChoice},
        SessionCase{"userChoiceEvenWithoutItsDisplay",
                    {"xcb", "", false, "wayland-0", "", true, true},
                    Platform::userChoice},
        SessionCase{"x11SocketMissingWaylandThere",
                    {"", ":0", false, "wayland-0", "wayland", true, true},
                    Platform::wayland},
        SessionCase{"x11SocketMissingNothingElse",
                    {"", ":0", false, "", "x11", false, false},
                    Platform::x11}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace pomvexa::testing
