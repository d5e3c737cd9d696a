#include "win32/windowstest.h"

#include <gtest/gtest.h>

#include <vector>

namespace pomvexa::testing {
namespace {

// The version information linked into this program, read back from its file as the system
// reads any program's.
class VersionInfo : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t path[MAX_PATH];
        GetModuleFileNameW(nullptr, path, MAX_PATH);
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
        ASSERT_GT(size, 0U);
        data.resize(size);
        ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, data.data()));
    }

    template <typename T> const T* query(const wchar_t* block) {
        void* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(data.data(), block, &value, &length) || length == 0)
            return nullptr;
        return static_cast<const T*>(value);
    }

    std::wstring text(const wchar_t* name) {
        const std::wstring block = std::wstring(L"\\StringFileInfo\\080404E4\\") + name;
        const wchar_t* value = query<wchar_t>(block.c_str());
        return value != nullptr ? value : L"(missing)";
    }

    std::vector<char> data;
};

TEST_F(VersionInfo, FixedPartHoldsVersionOneZeroZeroZero) {
    const auto* fixed = query<VS_FIXEDFILEINFO>(L"\\");
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDU);
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwFileVersionLS, 0U);
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwProductVersionLS, 0U);
}

TEST_F(VersionInfo, OneChineseStringTableWithMakerAndProduct) {
    const auto* translation = query<WORD>(L"\\VarFileInfo\\Translation");
    ASSERT_NE(translation, nullptr);
    EXPECT_EQ(translation[0], 0x0804);
    EXPECT_EQ(translation[1], 0x04E4);
    EXPECT_EQ(text(L"CompanyName"), L"Tarnik");
    EXPECT_EQ(text(L"LegalTrademarks"), L"tarnik");
    EXPECT_EQ(text(L"FileVersion"), L"1.0.0.0");
    EXPECT_EQ(text(L"ProductVersion"), L"1.0.0.0");
    EXPECT_EQ(text(L"ProductName"), L"Pomvexa");
    EXPECT_EQ(text(L"FileDescription"), L"Pomvexa");
    EXPECT_EQ(text(L"OriginalFilename"), L"pomvexa.exe");
    EXPECT_EQ(text(L"LegalCopyright"), L"Copyright (c) 2026 The Pomvexa developers");
}

// Each resource, the manifest included, in Chinese (PRC) and in no other language.
TEST(Resources, AllInChinesePrc) {
    const struct {
        const wchar_t* type;
        const wchar_t* name;
    } resources[] = {{RT_GROUP_ICON, MAKEINTRESOURCEW(1)},
                     {RT_BITMAP, L"FACE"},
                     {RT_MANIFEST, MAKEINTRESOURCEW(1)},
                     {RT_VERSION, MAKEINTRESOURCEW(1)}};
    for (const auto& resource : resources) {
        std::vector<WORD> languages;
        EnumResourceLanguagesW(
            nullptr, resource.type, resource.name,
            [](HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR found) {
                reinterpret_cast<std::vector<WORD>*>(found)->push_back(language);
                return TRUE;
            },
            reinterpret_cast<LONG_PTR>(&languages));
        EXPECT_EQ(languages, std::vector<WORD>{0x0804});
    }
}

// The manifest as Windows reads it from the program's activation context: no request for more
// rights than the user has, and drawing at each monitor's scale (per monitor, v2, where Windows
// knows it, else at the system's scale, and at the system's scale where only the older setting
// is read).
TEST(Manifest, RunsAsItsUserAtEachMonitorsScale) {
    const auto setting = [](const wchar_t* space, const wchar_t* name) {
        wchar_t value[64] = {};
        SIZE_T written = 0;
        QueryActCtxSettingsW(0, nullptr, space, name, value, 64, &written);
        return std::wstring(value);
    };
    EXPECT_EQ(setting(L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"),
              L"PerMonitorV2, System");
    EXPECT_EQ(setting(L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"),
              L"true");
    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION level{};
    ASSERT_TRUE(QueryActCtxW(0, nullptr, nullptr, RunlevelInformationInActivationContext, &level,
                             sizeof level, nullptr));
    EXPECT_EQ(level.RunLevel, ACTCTX_RUN_LEVEL_AS_INVOKER);
}

// Icon group 1 offers an image of exactly each size that Windows asks for between 100 and 200 %
// scale, so that none is stretched; the 32-pixel one is still the bitmap of 256 colours.
TEST(IconResource, IconGroupOneIsTheFaceAtEachSize) {
    const HRSRC group = FindResourceW(nullptr, MAKEINTRESOURCEW(1), RT_GROUP_ICON);
    ASSERT_NE(group, nullptr) << "icon group 1";
    auto* directory = static_cast<BYTE*>(LockResource(LoadResource(nullptr, group)));
    ASSERT_NE(directory, nullptr);
    for (const int size : {16, 20, 24, 32, 40, 48, 64, 256}) {
        SCOPED_TRACE(size);
        const int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
        const HRSRC image = FindResourceW(nullptr, MAKEINTRESOURCEW(id), RT_ICON);
        ASSERT_NE(image, nullptr);
        auto* bits = static_cast<BYTE*>(LockResource(LoadResource(nullptr, image)));
        // Desired size 0: the image at its own size, not stretched to another.
        const HICON icon = CreateIconFromResourceEx(bits, SizeofResource(nullptr, image), TRUE,
                                                    0x00030000, 0, 0, LR_DEFAULTCOLOR);
        ASSERT_NE(icon, nullptr);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bitmap{};
        GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, size);
        EXPECT_EQ(bitmap.bmHeight, size);
        if (size == 32) {
            EXPECT_EQ(reinterpret_cast<const BITMAPINFOHEADER*>(bits)->biBitCount, 8);
        }
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

} // namespace
} // namespace pomvexa::testing
