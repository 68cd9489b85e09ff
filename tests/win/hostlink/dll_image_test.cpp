// The DLL as a host finds it: a PE32 i386 DLL that names its exports plainly, depends only on
// the system's own DLLs, carries its version, and does nothing but reset its state when loaded.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "common/path_parts.h"
#include "support/pe_image.h"
#include "win/support/import_patch.h"
#include "win/support/test_env.h"

using namespace morvel::test;

namespace {

// The eleven exports of the library; each is implemented in full.
const std::set<std::string> kExports = {
    "EditorWin95",       "GDIflush95",        "RemoteDlg95",     "RemoteWin95",      "RemoteWinClose95",
    "RemoteWinHide95",   "RemoteWinUpdate95", "ShortToLongName95", "VideoWinClose95", "VideoWinPlayer95",
    "VideoWinStatus95",
};

const std::set<std::string> kAllowedDlls = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "comdlg32.dll",
    "winmm.dll",    "mpr.dll",    "shell32.dll", "advapi32.dll", "msvcrt.dll",
};

PeImage LoadImage() {
    auto bytes = ReadBytes(DllPath());
    EXPECT_TRUE(bytes.has_value()) << DllPath();
    std::string error;
    auto image = ReadPeImage(bytes.value_or(""), &error);
    EXPECT_TRUE(image.has_value()) << error;
    return image.value_or(PeImage{});
}

// The runtime's start-up code (linked in, not ours) finds its own module by a wide name.
const std::set<std::string> kRuntimeWideCalls = {"GetModuleHandleW", "LoadLibraryW"};

// The wide calls of the file-system edge and of drawing names as they are: a wide search finds
// the names the code page cannot hold, their short names reach them, and the list draws them.
const std::set<std::string> kNameWideCalls = {"FindFirstFileW", "FindNextFileW", "GetShortPathNameW",
                                              "MoveFileW",      "DrawTextW",     "GetCharWidth32W"};

// A wide-character variant: the name ends in "W" right after a lower-case letter or digit
// (CreateWindowExW, DrawTextW), unlike names that merely end in a capital (GdiFlush) or "Window".
bool IsWideVariant(const std::string& name) {
    if (name.size() < 3 || name.back() != 'W') return false;
    const char before = name[name.size() - 2];
    return (before >= 'a' && before <= 'z') || (before >= '0' && before <= '9');
}

}  // namespace

TEST(DllImage, IsPe32DllForI386WithVersionInfo) {
    const PeImage image = LoadImage();
    EXPECT_EQ(image.machine, 0x14c);
    EXPECT_TRUE(image.isDll);
    EXPECT_TRUE(image.is32Bit);
    EXPECT_NE(std::find(image.resourceTypes.begin(), image.resourceTypes.end(), 16u), image.resourceTypes.end())
        << "no VERSIONINFO resource";
}

TEST(DllImage, ExportsExactlyTheImplementedEntriesByPlainName) {
    const PeImage image = LoadImage();
    const std::set<std::string> exported(image.exports.begin(), image.exports.end());
    EXPECT_EQ(exported, kExports);
}

TEST(DllImage, ImportsOnlySystemDllsAndAnsiFunctions) {
    const PeImage image = LoadImage();
    ASSERT_FALSE(image.imports.empty());
    for (const PeImport& import : image.imports) {
        const std::string dll = morvel::path::ToLowerAscii(import.dll);
        EXPECT_TRUE(kAllowedDlls.count(dll)) << "imports from " << import.dll;
        for (const std::string& function : import.functions) {
            if (kRuntimeWideCalls.count(function) || kNameWideCalls.count(function)) continue;
            EXPECT_FALSE(IsWideVariant(function)) << import.dll << "!" << function << " is a wide-character call";
        }
    }
}

TEST(DllImage, HostFindsEveryExportWithGetProcAddress) {
    HMODULE module = LoadLibraryA(DllPath().c_str());
    ASSERT_NE(module, nullptr);
    for (const std::string& name : kExports) {
        EXPECT_NE(reinterpret_cast<void*>(GetProcAddress(module, name.c_str())), nullptr) << name;
    }
    // No decorated forms: a host asks for the plain name only.
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(module, "_GDIflush95@0")), nullptr);
    FreeLibrary(module);
}

TEST(DllImage, LoadingCreatesNoWindowAndNoThread) {
    const ResourceCounts before = CountResources();
    HMODULE module = LoadLibraryA(DllPath().c_str());
    ASSERT_NE(module, nullptr);
    const ResourceCounts after = CountResources();
    EXPECT_EQ(after.windows, before.windows);
    EXPECT_EQ(after.threads, before.threads);
    FreeLibrary(module);
}

TEST(DllImage, HelpAndGraphicsCallsGoThroughTheImportTable) {
    // Tests observe WinHelpA and replace GdiFlush by patching these slots.
    HMODULE module = LoadLibraryA(DllPath().c_str());
    ASSERT_NE(module, nullptr);
    EXPECT_NE(FindImportSlot(module, "user32.dll", "WinHelpA"), nullptr);
    EXPECT_NE(FindImportSlot(module, "gdi32.dll", "GdiFlush"), nullptr);
    FreeLibrary(module);
}
