// TVidOptions: the modal "Playback Options" dialog for the clip's speed and volume. Its inputs
// are set before it runs and its outputs read after OK.
#pragma once

#include <windows.h>

#include <cstdint>

namespace morvel {

class TVidOptions {
public:
    // Inputs.
    std::int32_t playMode = 0;
    int volume = 1000;
    int speed = 1000;

    static void Register(HINSTANCE instance);
    // Runs the dialog owned by owner; true for OK. volume and speed then hold the bars' positions.
    bool ShowModal(HWND owner);

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void FormCreate();
    void FormClose();
    void SpeedScrollChange();
    void VolumeScrollChange();
    void BitBtn1Click();
    void ButtonOKClick();
    void ButtonCancelClick();
    void Scroll(HWND bar, WPARAM wParam);
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }

    HWND hwnd_ = nullptr;
    HFONT dialogFont_ = nullptr;
    HFONT labelFont_ = nullptr;
    bool done_ = false;
    bool ok_ = false;
};

}  // namespace morvel
