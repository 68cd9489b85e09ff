// TVidOptions: the modal "Playback Options" dialog for the clip's speed and volume. Its inputs
// are set before it runs and its outputs read after OK.
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/win/gdi.h"
#include "common/win/window.h"

namespace morvel {

class TVidOptions final : public win::Window {
public:
    // Inputs.
    std::int32_t playMode = 0;
    int volume = 1000;
    int speed = 1000;

    // Runs the dialog owned by owner; true for OK. volume and speed then hold the bars' positions.
    bool ShowModal(HWND owner);

protected:
    LRESULT WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void FormCreate();
    void SpeedScrollChange();
    void VolumeScrollChange();
    void BitBtn1Click();
    void ButtonOKClick();
    void ButtonCancelClick();
    void Scroll(HWND bar, WPARAM wParam);
    HWND Item(int id) const { return GetDlgItem(hwnd(), id); }

    win::Font dialogFont_, labelFont_;
    bool done_ = false;
    bool ok_ = false;
};

}  // namespace morvel
