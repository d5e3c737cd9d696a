#include "about/registryvalue.h"
#include "memoryregistry.h"

#include <gtest/gtest.h>

#include <functional>

namespace pomvexa::testing {
namespace {

const std::string key = "SOFTWARE\\Test";

struct ReadCase {
    const char* name;
    std::function<void(MemoryRegistry&)> arrange;
    bool expectedFound;
    std::string expectedText; // KeyVal afterwards; it starts as "before"
};

void PrintTo(const ReadCase& read, std::ostream* out) {
    *out << read.name;
}

class GetKeyValueTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(GetKeyValueTest, ReadsValueAndClosesWhatItOpened) {
    MemoryRegistry registry;
    GetParam().arrange(registry);
    std::string text = "before";
    const bool found = GetKeyValue(registry, Registry::localMachine, key, "Value", text);
    EXPECT_EQ(found, GetParam().expectedFound);
    EXPECT_EQ(text, GetParam().expectedText);
    EXPECT_EQ(registry.openKeys(), 0) << "every opened key is closed";
    ASSERT_FALSE(registry.accessRequested.empty());
    EXPECT_EQ(registry.accessRequested.front(), Registry::readAccess) << "read access only";
}

std::string bytesOf(std::size_t count, char fill) {
    return std::string(count, fill);
}

const ReadCase readCases[] = {
    ReadCase{
        "stringWithNul",
        [](MemoryRegistry& r) { r.setString(key, "Value", "C:\\Tool.exe" + std::string(1, '\0')); },
        true, "C:\\Tool.exe"},
    ReadCase{"stringWithoutNul",
             [](MemoryRegistry& r) { r.setString(key, "Value", "C:\\Tool.exe"); }, true,
             "C:\\Tool.exe"},
#ifndef _WIN32
    // Only one trailing NUL byte is dropped, so a last multi-byte character stays whole.
    // (On Windows the bytes are in the ANSI code page: the real registry's tests cover it.)
    ReadCase{"lastCharacterMultiByte",
             [](MemoryRegistry& r) { r.setString(key, "Value", MemoryRegistry::text("工具")); },
             true, "工具"},
#endif
    ReadCase{"onlyTheNul",
             [](MemoryRegistry& r) { r.setString(key, "Value", std::string(1, '\0')); }, true, ""},
    ReadCase{"dword258",
             [](MemoryRegistry& r) {
                 r.setValue(key, "Value", Registry::typeDword, std::string("\x02\x01\x00\x00", 4));
             },
             true, "258"},
    ReadCase{"dwordZero",
             [](MemoryRegistry& r) {
                 r.setValue(key, "Value", Registry::typeDword, std::string(4, '\0'));
             },
             true, "0"},
    ReadCase{"dwordTopByteSet",
             [](MemoryRegistry& r) {
                 r.setValue(key, "Value", Registry::typeDword, std::string("\x00\x00\x00\x80", 4));
             },
             true, "2147483648"},
    ReadCase{"binaryLeavesTextAsItWas",
             [](MemoryRegistry& r) { r.setValue(key, "Value", 3, "\x01\x02"); }, true, "before"},
    ReadCase{"exactly1024Bytes",
             [](MemoryRegistry& r) { r.setString(key, "Value", bytesOf(1024, 'a')); }, true,
             bytesOf(1024, 'a')},
    ReadCase{"1025BytesCountAsAbsent",
             [](MemoryRegistry& r) { r.setString(key, "Value", bytesOf(1025, 'a')); }, false, ""},
    ReadCase{"missingValue", [](MemoryRegistry& r) { r.setString(key, "Other", "x"); }, false, ""},
    ReadCase{"missingKey", [](MemoryRegistry&) {}, false, ""},
    ReadCase{"openRefused",
             [](MemoryRegistry& r) {
                 r.setString(key, "Value", "x");
                 r.openFailures["software\\test"] = Registry::accessDenied;
             },
             false, ""},
    ReadCase{"queryFails",
             [](MemoryRegistry& r) {
                 r.setString(key, "Value", "x");
                 r.queryFailure = 1; // ERROR_INVALID_FUNCTION
             },
             false, ""},
};

INSTANTIATE_TEST_SUITE_P(Values, GetKeyValueTest, ::testing::ValuesIn(readCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GetKeyValue, EmptyReadRaisesAfterClosingTheKey) {
    MemoryRegistry registry;
    registry.setString(key, "Value", "x");
    registry.reportedSize = 0;
    std::string text;
    try {
        GetKeyValue(registry, Registry::localMachine, key, "Value", text);
        FAIL() << "a read of no bytes must raise a run-time error";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), RuntimeError::invalidProcedureCall);
    }
    EXPECT_EQ(registry.closes, 1);
    EXPECT_EQ(registry.openKeys(), 0);
}

TEST(GetKeyValue, BindingFailureRaisesWithNothingToClose) {
    MemoryRegistry registry;
    registry.bindingFailure = RuntimeError::dllEntryPointNotFound;
    std::string text;
    EXPECT_THROW(GetKeyValue(registry, Registry::localMachine, key, "Value", text), RuntimeError);
    EXPECT_EQ(registry.closes, 0);
}

} // namespace
} // namespace pomvexa::testing
