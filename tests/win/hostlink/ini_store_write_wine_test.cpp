// The INI store's write under Wine, with the Windows file calls: a full disk, an immutable file
// and folder, the library's own settings writes, and readers (the host's profile calls among
// them) running during many writes.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <set>
#include <string>
#include <thread>

#include "common/ini_store.h"
#include "morvel32.h"
#include "win/support/test_env.h"
#include "win/support/ui_driver.h"

using namespace morvel::test;
namespace ini = morvel::ini;

namespace {

std::set<std::string> Names(const std::string& folder) {
    std::set<std::string> names;
    WIN32_FIND_DATAA data{};
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = data.cFileName;
        // The immutable helper's writability probes are its own.
        if (name != "." && name != ".." && name.rfind("~writable", 0) != 0) names.insert(name);
    } while (FindNextFileA(search, &data));
    FindClose(search);
    return names;
}

std::string Keys(int count, const std::string& tag) {
    std::string text = "[morvel]\r\n";
    for (int i = 0; i < count; ++i) text += "Key" + std::to_string(i) + "=" + tag + std::to_string(i) + "\r\n";
    return text;
}

std::string HostRead(const std::string& path, const std::string& key) {
    char buffer[1024] = {};
    GetPrivateProfileStringA("morvel", key.c_str(), "<absent>", buffer, sizeof buffer, path.c_str());
    return buffer;
}

void ExpectRefused(const std::string& path, ini::File& file, const std::string& why) {
    try {
        file.Save();
        ADD_FAILURE() << why << ": the write was not refused";
    } catch (const ini::WriteError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + path) << why;
    }
}

}  // namespace

TEST(IniStoreWriteWine, FullDiskKeepsEveryKey) {
    const SmallDisk disk(32);
    ASSERT_TRUE(disk.active());
    const std::string path = disk / "morvel.ini";
    const std::string original = Keys(200, "value");
    ASSERT_TRUE(WriteBytes(path, original));
    disk.Fill();

    const std::string big(6000, 'b');
    ini::File file(path);
    ASSERT_TRUE(file.Load());
    file.Set("morvel", "Big", big);
    ExpectRefused(path, file, "library write");
    EXPECT_EQ(ReadBytes(path), original);
    EXPECT_EQ(HostRead(path, "Key199"), "value199");
    EXPECT_EQ(Names(disk.path()), (std::set<std::string>{"morvel.ini", "filler"}));

    const auto r = ini::ProfileWriteString("morvel", "Big", big, path);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, static_cast<std::uint32_t>(ERROR_DISK_FULL));

    const ProgramRun tool = RunMorvelIni({"set", path, "morvel", "Big", big});
    EXPECT_EQ(tool.exitCode, 1u);
    EXPECT_NE(tool.output.find("Unable to write to " + path), std::string::npos) << tool.output;
    EXPECT_EQ(ReadBytes(path), original);
    EXPECT_EQ(Names(disk.path()), (std::set<std::string>{"morvel.ini", "filler"}));

    // Shrinking needs no new block: done in place on the full disk.
    ASSERT_TRUE(file.Load());
    file.DeleteKey("morvel", "Key0");
    file.Save();
    EXPECT_EQ(HostRead(path, "Key0"), "<absent>");
    EXPECT_EQ(HostRead(path, "Key199"), "value199");

    disk.Free();
    file.Set("morvel", "Big", big);
    file.Save();
    EXPECT_EQ(ini::Document::Parse(ReadBytes(path).value_or("")).Get("morvel", "Big"), big);
    EXPECT_EQ(Names(disk.path()), std::set<std::string>{"morvel.ini"});
}

TEST(IniStoreWriteWine, ImmutableFileAndFolder) {
    TempFolder root("immutable-store");
    const std::string folder = root / "folder";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string path = folder + "\\morvel.ini";
    const std::string original = Keys(20, "v");
    ASSERT_TRUE(WriteBytes(path, original));
    {
        Immutable locked(path);
        ASSERT_TRUE(locked.active());
        ini::File file(path);
        ASSERT_TRUE(file.Load());
        file.Set("morvel", "Key1", "changed");
        ExpectRefused(path, file, "immutable file");
        EXPECT_EQ(ReadBytes(path), original);
        EXPECT_EQ(Names(folder), std::set<std::string>{"morvel.ini"});
    }
    {
        Immutable locked(folder);
        ASSERT_TRUE(locked.active());
        ini::File file(path);
        ASSERT_TRUE(file.Load());
        file.Set("morvel", "Key1", "changed");
        file.Save();
        EXPECT_EQ(HostRead(path, "Key1"), "changed");
        EXPECT_EQ(Names(folder), std::set<std::string>{"morvel.ini"});

        const std::string fresh = folder + "\\new.ini";
        ini::File absent(fresh);
        absent.Load();
        absent.Set("S", "k", "v");
        ExpectRefused(fresh, absent, "immutable folder, new file");
        EXPECT_EQ(Names(folder), std::set<std::string>{"morvel.ini"});
    }
}

// The library's own settings writes where the Windows directory takes no new file: done in place,
// without a message box, and nothing is left in the folder.
TEST(IniStoreWriteWine, SettingsWriteInAnImmutableWindowsDirectory) {
    RemoveSettings();
    ASSERT_TRUE(WritePrivateProfileStringA("morvel", "SaveName", "c:\\x\\pic.bmp", "morvel.ini"));
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, "morvel.ini");
    const std::set<std::string> before = Names(WindowsDirectory());
    std::string boxText;
    {
        Immutable locked(WindowsDirectory());
        ASSERT_TRUE(locked.active());
        DriveModal([] { ShortToLongName95(); },
                   [&] {
                       if (auto box = WaitForMessageBox(Millis(1500))) {
                           boxText = box->text;
                           AnswerMessageBox(*box, IDOK);
                       }
                   });
    }
    EXPECT_EQ(boxText, "") << "the write was refused";
    EXPECT_EQ(HostRead(SettingsPath(), "LongName"), "pic.bmp");
    EXPECT_EQ(Names(WindowsDirectory()), before);
    RemoveSettings();
}

// Readers as other programs read, each polling the file: the raw bytes (shared as the C runtime
// and the profile calls open files) and the host's GetPrivateProfileStringA. While a reader holds
// the file it cannot be replaced, and for an instant after a replace the file is still open for
// the change of name, so an open that does not share deleting is refused: such a reader tries
// again, as it would for any file in use; it must never read a partial file.
TEST(IniStoreWriteWine, ReadersNeverSeeAPartialFile) {
    TempFolder folder("readers");
    const std::string path = folder / "morvel.ini";
    const std::string contents[] = {Keys(30, "short") + "Last=yes\r\n",
                                    Keys(3000, "a-much-longer-value-") + "Last=yes\r\n"};
    ASSERT_TRUE(WriteBytes(path, contents[0]));

    std::atomic<bool> done{false};
    std::atomic<int> rawReads{0};
    std::atomic<int> refusedOpens{0};
    std::atomic<int> hostReads{0};
    std::atomic<int> torn{0};
    std::atomic<int> missedKey{0};
    std::thread raw([&] {
        while (!done) {
            HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (h == INVALID_HANDLE_VALUE) {
                if (GetLastError() == ERROR_SHARING_VIOLATION) {
                    ++refusedOpens;
                } else {
                    ++torn;
                }
                continue;
            }
            std::string bytes;
            char chunk[65536];
            DWORD got = 0;
            while (ReadFile(h, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
            CloseHandle(h);
            if (bytes != contents[0] && bytes != contents[1]) ++torn;
            ++rawReads;
            Sleep(1);
        }
    });
    std::thread host([&] {
        while (!done) {
            if (HostRead(path, "Last") != "yes") ++missedKey;
            ++hostReads;
            Sleep(1);
        }
    });
    constexpr int kWrites = 200;
    int failedWrites = 0;
    for (int i = 0; i < kWrites; ++i) {
        if (!ini::WriteFileBytes(path, contents[(i + 1) % 2])) ++failedWrites;
    }
    done = true;
    raw.join();
    host.join();
    EXPECT_EQ(failedWrites, 0);
    EXPECT_EQ(torn.load(), 0) << "of " << rawReads.load() << " raw reads";
    EXPECT_EQ(missedKey.load(), 0) << "of " << hostReads.load() << " host reads";
    EXPECT_GT(rawReads.load(), kWrites / 10);
    EXPECT_GT(hostReads.load(), kWrites / 10);
    EXPECT_EQ(Names(folder.path()), std::set<std::string>{"morvel.ini"});
    std::printf("%d writes; %d raw reads (%d opens refused for a moment), %d host reads\n", kWrites, rawReads.load(),
                refusedOpens.load(), hostReads.load());
}
