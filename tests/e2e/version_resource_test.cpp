// KAVO.exe's version resource, read the way Explorer's file properties read it, names the
// product and carries the version the build was configured with.
#include "kavo_version.h"
#include "tests/e2e/kavo_driver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kavo::e2e {
namespace {

std::wstring versionString(const std::vector<BYTE>& info, const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\041104B0\\") + name;
    if (!VerQueryValueW(info.data(), path.c_str(), &value, &length) || length == 0) {
        return L"<none>";
    }
    return static_cast<const wchar_t*>(value);
}

TEST(VersionResource, FilePropertiesShowProductVersionAndDescription) {
    const std::wstring exe = kavoExePath();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
    ASSERT_GT(size, 0u) << "KAVO.exe has no version resource";
    std::vector<BYTE> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, size, info.data()));

    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", &value, &length));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    const DWORD high = MAKELONG(KAVO_VERSION_MINOR, KAVO_VERSION_MAJOR);
    const DWORD low = MAKELONG(0, KAVO_VERSION_PATCH);
    EXPECT_EQ(fixed->dwFileVersionMS, high);
    EXPECT_EQ(fixed->dwFileVersionLS, low);
    EXPECT_EQ(fixed->dwProductVersionMS, high);
    EXPECT_EQ(fixed->dwProductVersionLS, low);

    EXPECT_EQ(versionString(info, L"ProductName"), L"KAVO");
    EXPECT_EQ(versionString(info, L"ProductVersion"), KAVO_VERSION_WIDE_TEXT);
    EXPECT_EQ(versionString(info, L"FileVersion"), KAVO_VERSION_WIDE_TEXT);
    EXPECT_EQ(versionString(info, L"FileDescription"), L"KAVO パスワードツール");
}

} // namespace
} // namespace kavo::e2e
