#include "about/registryvalue.h"
#include "runtime/runtimeerror.h"
#include "win32/windowsregistry.h"
#include "win32/windowstest.h"

#include <gtest/gtest.h>

#include <vector>

namespace pomvexa::testing {
namespace {

constexpr std::int32_t currentUser = static_cast<std::int32_t>(0x80000001U);

// The real registry, with every open's access and every handle recorded, so that a test can
// check that each key it opened is really closed afterwards.
class CountingRegistry : public Registry {
public:
    Status openKey(std::int32_t root, const std::string& path, std::uint32_t access,
                   Key& key) override {
        accesses.push_back(access);
        const Status status = real.openKey(root, path, access, key);
        if (status == success)
            handles.push_back(key);
        return status;
    }
    Status queryValue(Key key, const std::string& name, std::uint32_t& type, std::uint8_t* data,
                      std::uint32_t& size) override {
        return real.queryValue(key, name, type, data, size);
    }
    Status closeKey(Key key) override { return real.closeKey(key); }
    std::string toText(std::string_view bytes) const override { return real.toText(bytes); }

    // Whether every handle that an open gave out is no longer valid.
    bool allClosed() const {
        for (Key key : handles) {
            DWORD values = 0;
            const LONG status =
                RegQueryInfoKeyW(reinterpret_cast<HKEY>(key), nullptr, nullptr, nullptr, nullptr,
                                 nullptr, nullptr, &values, nullptr, nullptr, nullptr, nullptr);
            if (status != ERROR_INVALID_HANDLE)
                return false;
        }
        return true;
    }

    std::vector<std::uint32_t> accesses;
    std::vector<Key> handles;

private:
    WindowsRegistry real;
};

struct RealReadCase {
    const char* name;
    DWORD type;
    std::string bytes;
    bool expectedFound;
    std::string expectedText; // the text starts as "before"
};

void PrintTo(const RealReadCase& read, std::ostream* out) {
    *out << read.name;
}

class RealRegistryTest : public ::testing::TestWithParam<RealReadCase> {};

TEST_P(RealRegistryTest, ReadsWhatWasWrittenAndClosesTheKey) {
    const RealReadCase& read = GetParam();
    const std::wstring keyPath = L"Software\\PomvexaTests\\Read";
    ScopedKey key(HKEY_CURRENT_USER, keyPath);
    ASSERT_TRUE(key.ok());
    ASSERT_TRUE(key.set("Value", read.type, read.bytes));

    CountingRegistry registry;
    std::string text = "before";
    const bool found = GetKeyValue(registry, currentUser, win32::toUtf8(keyPath), "Value", text);
    EXPECT_EQ(found, read.expectedFound);
    EXPECT_EQ(text, read.expectedText);
    EXPECT_EQ(registry.handles.size(), 1U);
    EXPECT_TRUE(registry.allClosed());
    EXPECT_EQ(registry.accesses, std::vector<std::uint32_t>{KEY_READ});
}

std::string withNul(const std::string& text) {
    return text + '\0';
}

INSTANTIATE_TEST_SUITE_P(
    Values, RealRegistryTest,
    ::testing::Values(
        RealReadCase{"stringWithNul", REG_SZ, withNul("C:\\Tools\\info.exe"), true,
                     "C:\\Tools\\info.exe"},
        RealReadCase{"stringWithoutNul", REG_SZ, "C:\\Tools\\info.exe", true,
                     "C:\\Tools\\info.exe"},
        RealReadCase{"dword258", REG_DWORD, std::string("\x02\x01\x00\x00", 4), true, "258"},
        RealReadCase{"binaryLeavesTextAsItWas", REG_BINARY, "\x01\x02", true, "before"},
        RealReadCase{"exactly1024Bytes", REG_BINARY, std::string(1024, 'x'), true, "before"},
        RealReadCase{"1025BytesCountAsAbsent", REG_BINARY, std::string(1025, 'x'), false, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RealRegistry, MissingValueAndMissingKeyAreAbsent) {
    ScopedKey key(HKEY_CURRENT_USER, L"Software\\PomvexaTests\\Missing");
    ASSERT_TRUE(key.ok());
    CountingRegistry registry;
    std::string text = "before";
    EXPECT_FALSE(
        GetKeyValue(registry, currentUser, "Software\\PomvexaTests\\Missing", "None", text));
    EXPECT_EQ(text, "");
    text = "before";
    EXPECT_FALSE(
        GetKeyValue(registry, currentUser, "Software\\PomvexaTests\\NoSuchKey", "None", text));
    EXPECT_EQ(text, "");
    EXPECT_EQ(registry.handles.size(), 1U) << "only the existing key was opened";
    EXPECT_TRUE(registry.allClosed());
}

TEST(RealRegistry, EmptyStringRaisesAfterClosingTheKey) {
    ScopedKey key(HKEY_CURRENT_USER, L"Software\\PomvexaTests\\Empty");
    ASSERT_TRUE(key.ok());
    ASSERT_TRUE(key.set("Value", REG_SZ, ""));
    CountingRegistry registry;
    std::string text;
    EXPECT_THROW(GetKeyValue(registry, currentUser, "Software\\PomvexaTests\\Empty", "Value", text),
                 RuntimeError);
    EXPECT_EQ(registry.handles.size(), 1U);
    EXPECT_TRUE(registry.allClosed());
}

// In code page 936 "工具" is the double-byte pairs B9 A4 and BE DF: only the NUL after them is
// dropped, and the text comes back whole.
TEST(RealRegistry, LastDoubleByteCharacterOfTheAnsiCodePageComesBackWhole) {
    ASSERT_EQ(GetACP(), 936U) << "run under a Simplified Chinese locale (LC_ALL=zh_CN.UTF-8)";
    ScopedKey key(HKEY_CURRENT_USER, L"Software\\PomvexaTests\\Chinese");
    ASSERT_TRUE(key.ok());
    ASSERT_TRUE(key.set("Value", REG_SZ, withNul("\xB9\xA4\xBE\xDF")));
    CountingRegistry registry;
    std::string text;
    EXPECT_TRUE(
        GetKeyValue(registry, currentUser, "Software\\PomvexaTests\\Chinese", "Value", text));
    EXPECT_EQ(text, "工具");
    EXPECT_TRUE(registry.allClosed());
}

// The system's headers define the root keys as sign-extended 32-bit values; on 64-bit Windows
// a handle with the top half zero is not the same key.
TEST(WindowsRegistry, RootHandlesAreTheSystemsOwn) {
    EXPECT_EQ(WindowsRegistry::rootHandle(Registry::localMachine), HKEY_LOCAL_MACHINE);
    EXPECT_EQ(WindowsRegistry::rootHandle(currentUser), HKEY_CURRENT_USER);
}

} // namespace
} // namespace pomvexa::testing
