// What the player's Windows tests share: generated clips, the player window and its controls,
// and waits that pump this thread's messages (the player lives in the caller's message loop).
#pragma once

#include <windows.h>

#include <string>

#include "support/avi_writer.h"
#include "win/support/test_env.h"

namespace morvel::test {

// Writes a clip into the folder and names it in SaveName, as a host does before VideoWinPlayer95.
std::string PrepareClip(const TempFolder& folder, const std::string& name, const AviClip& clip);
void SetSaveName(const std::string& path);

// The open player window (class TVideoForm), or nullptr.
HWND PlayerWindow();
// A control of the player window at any depth.
HWND Descendant(HWND parent, int id);
std::string StatusText();
// The media bar's visible set (and enabled set).
int VisibleButtons();
int EnabledButtons();
// Presses a media button as a click does.
void PressMediaButton(int button);
// Sends a menu command to the player window.
void PlayerCommand(int id);
// Waits (pumping messages) until the status line reads exactly `text`.
bool WaitForStatus(const std::string& text, DWORD timeoutMs = 10000);
// Waits until the status line starts with `prefix`.
bool WaitForStatusPrefix(const std::string& prefix, DWORD timeoutMs = 10000);
// Pumps messages for a while.
void PumpFor(DWORD milliseconds);
// The frame number at the end of a status text ("Playing Frame:12" gives 12), -1 when none.
int FrameOf(const std::string& statusText);

SIZE WindowSize(HWND window);
// The size of the player's video area (VideoWinBack's client area), which the window's size
// gives the clip.
SIZE VideoAreaSize();
// The size of the picture (VideoWin) inside it.
SIZE PictureSize();

// Closes whatever player is left, so that one test does not leak into the next.
void ClosePlayerIfOpen();

}  // namespace morvel::test
