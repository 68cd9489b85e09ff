// A copied slideshow finds its moved files again; files and a folder dropped from the shell.
#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include "morvel32.h"
#include "win/support/keyboard.h"
#include "win/support/test_env.h"
#include "win/support/ui_driver.h"

using namespace morvel::test;

namespace {

std::string LowerShort(const std::string& path) {
    char buffer[MAX_PATH + 1] = {};
    GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
    return CharLowerA(buffer);
}

// The text of the next message box, answered with the button; "" when none came.
std::string Answer(int button) {
    const auto box = WaitForMessageBox();
    if (box) AnswerMessageBox(*box, button);
    return box ? box->text : "";
}

// What the shell posts: a DROPFILES block in global memory, the paths each ended by a zero.
void Drop(HWND window, const std::string& paths) {
    HGLOBAL drop = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + paths.size() + 1);
    auto* files = static_cast<DROPFILES*>(GlobalLock(drop));
    files->pFiles = sizeof(DROPFILES);
    CopyMemory(files + 1, paths.data(), paths.size());
    GlobalUnlock(drop);
    PostMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
}

TEST(EditorFiles, CopiedSlideshowFindsItsFilesAgainThenFilesAreDropped) {
    TempFolder root("editorcopy"), other("editorelse");
    CreateDirectoryA((root / "Media Files").c_str(), nullptr);
    for (const std::string& file :
         {root / "Media Files\\clip.avi", root / "Media Files\\a.bmp", root / "notes.txt", other / "s.wav"})
        ASSERT_TRUE(WriteBytes(file, "x"));
    const std::string show = root / "show.avl", written = root / "test.avl";
    ASSERT_TRUE(WriteBytes(show,
                           "[Header]\r\nVer=4\r\nN=4\r\n[Directory]\r\n0=c:\\\r\n1=d:\\old\\\r\n2=d:\\snd\\\r\n"
                           "[1]\r\nF=a.bmp,1\r\nX=3\r\n[2]\r\nF=clip.avi,1\r\n[3]\r\nF=s.wav,2\r\n"));
    WritePrivateProfileStringA("morvel", "AVLFIL", show.c_str(), "morvel.ini");
    WritePrivateProfileStringA("morvel", "AVLTMP", written.c_str(), "morvel.ini");
    const auto user = [&] {
        EXPECT_EQ(Answer(IDYES),
                  "3 slide file(s) were not found.\n2 of them are in the slideshow's folder.\nUse those?");
        HWND editor = WaitForWindow("Slideshow Editor", "TEditorForm");
        ASSERT_TRUE(editor);
        HMENU menu = GetSystemMenu(editor, FALSE);  // its last item; the picker set to a folder
        char caption[64] = {};
        GetMenuStringA(menu, GetMenuItemCount(menu) - 1, caption, sizeof caption, MF_BYPOSITION);
        EXPECT_STREQ(caption, "Find &missing files...\tCtrl+F");
        PostMessageA(editor, WM_SYSCOMMAND, GetMenuItemID(menu, GetMenuItemCount(menu) - 1), 0);
        ASSERT_TRUE(WaitUntil([] { return IsWindowVisible(FindProcessWindow("", "#32770")); }));
        HWND picker = FindProcessWindow("", "#32770");
        SendMessageA(picker, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(other.path().c_str()));
        ClickControl(picker, IDOK);
        EXPECT_EQ(Answer(IDOK), "Found 1 of 1 missing files.");
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == editor; }));
        PressKey({VK_CONTROL}, 'F');
        EXPECT_EQ(Answer(IDOK), "Found 0 of 0 missing files.") << "no picker when nothing is missing";
        // The shell's order; a folder gives its files by name; a text file is no slide.
        EXPECT_TRUE(GetWindowLongA(editor, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
        Drop(editor, other / "s.wav" + '\0' + root / "notes.txt" + '\0' + root / "Media Files" + '\0');
        EXPECT_EQ(Answer(IDOK), "1 file(s) were not added: not a slide type.");
        ClickControl(editor, MORVEL_ID_BTNTEST);
    };
    DriveModal([] { EditorWin95(); }, user);
    const std::string bytes = ReadBytes(written).value_or("");
    EXPECT_EQ(bytes.substr(bytes.find("\r\n1=") + 2),
              "1=" + LowerShort(root / "Media Files") + "\\\r\n2=" + LowerShort(other.path()) +
                  "\\\r\n[1]\r\nF=a.bmp,1\r\nX=3\r\n[2]\r\nF=clip.avi,1\r\nX=1\r\nL=100\r\n[3]\r\nF=s.wav,2\r\nX=0\r\n"
                  "[4]\r\nF=s.wav,2\r\nX=1\r\n[5]\r\nF=a.bmp,1\r\nB=0\r\nX=0\r\n[6]\r\nF=clip.avi,1\r\nB=0\r\nX=0\r\nL="
                  "100\r\n");
}

}  // namespace
