// The MCI implementation of the player's media device (winmm, "A" functions only).
#include <windows.h>

#include <mmsystem.h>

#include <digitalv.h>

#include <array>

#include "player/avi_probe.h"
#include "player/media_device.h"

namespace morvel {
namespace {

// The start of a file, enough for the header list of an AVI. Only a regular file is read: a name
// that opens a pipe or a device could wait for data for ever.
std::string FileStart(const std::string& path) {
    constexpr DWORD kHeaderBytes = 64 * 1024;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        return {};
    }
    std::string bytes(kHeaderBytes, '\0');
    DWORD read = 0;
    if (!ReadFile(file, bytes.data(), kHeaderBytes, &read, nullptr)) read = 0;
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

// Wine's AVI driver faults on an AVI without a video stream; Windows' opens such a clip. Wine is
// recognised by its marker export in ntdll.
bool RunningOnWine() {
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

class MciDevice final : public MediaDevice {
public:
    explicit MciDevice(HWND notifyWindow) : notifyWindow_(notifyWindow) {}
    ~MciDevice() override {
        if (id_ != 0) mciSendCommandA(id_, MCI_CLOSE, MCI_WAIT, 0);
    }

    bool IsOpen() const override { return id_ != 0; }

    std::uint32_t Open(const std::string& path, DeviceFlags flags) override {
        // Wine's video driver handed an AVI without a video stream faults inside the host.
        if (RunningOnWine() && ProbeAviHeader(FileStart(path)) == AviProbe::WithoutVideo) return MCIERR_INVALID_FILE;
        MCI_OPEN_PARMSA parms{};
        parms.dwCallback = reinterpret_cast<DWORD_PTR>(notifyWindow_);
        parms.lpstrElementName = path.c_str();
        const MCIERROR error =
            mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT | FlagBits(flags), reinterpret_cast<DWORD_PTR>(&parms));
        if (error == 0) id_ = parms.wDeviceID;
        return error;
    }

    std::uint32_t Close(DeviceFlags flags) override {
        MCI_GENERIC_PARMS parms{};
        parms.dwCallback = reinterpret_cast<DWORD_PTR>(notifyWindow_);
        const MCIERROR error = mciSendCommandA(id_, MCI_CLOSE, FlagBits(flags), reinterpret_cast<DWORD_PTR>(&parms));
        id_ = 0;  // the ID is gone whatever the driver says
        return error;
    }

    std::uint32_t Play(DeviceFlags flags) override {
        MCI_PLAY_PARMS parms{};
        return Send(MCI_PLAY, FlagBits(flags), &parms);
    }
    std::uint32_t Pause(DeviceFlags flags) override { return Generic(MCI_PAUSE, flags); }
    std::uint32_t Resume(DeviceFlags flags) override { return Generic(MCI_RESUME, flags); }
    std::uint32_t Stop(DeviceFlags flags) override { return Generic(MCI_STOP, flags); }

    std::uint32_t SeekToStart(DeviceFlags flags) override {
        MCI_SEEK_PARMS parms{};
        return Send(MCI_SEEK, MCI_SEEK_TO_START | FlagBits(flags), &parms);
    }

    std::uint32_t Step(std::int32_t frames, DeviceFlags flags) override {
        MCI_DGV_STEP_PARMS parms{};
        parms.dwFrames = static_cast<DWORD>(frames);
        return Send(MCI_STEP, MCI_DGV_STEP_FRAMES | FlagBits(flags), &parms);
    }

    std::uint32_t SetDisplayWindow(void* window, DeviceFlags flags) override {
        MCI_DGV_WINDOW_PARMSA parms{};
        parms.hWnd = static_cast<HWND>(window);
        return Send(MCI_WINDOW, MCI_DGV_WINDOW_HWND | FlagBits(flags), &parms);
    }

    std::uint32_t PutDestination(const VideoRect& rect, DeviceFlags flags) override {
        MCI_DGV_PUT_PARMS parms{};
        parms.rc = RECT{rect.left, rect.top, rect.width, rect.height};  // MCI takes width and height here
        return Send(MCI_PUT, MCI_DGV_PUT_DESTINATION | MCI_DGV_RECT | FlagBits(flags), &parms);
    }

    std::uint32_t SetTimeFormatFrames(DeviceFlags flags) override {
        MCI_SET_PARMS parms{};
        parms.dwTimeFormat = MCI_FORMAT_FRAMES;
        return Send(MCI_SET, MCI_SET_TIME_FORMAT | FlagBits(flags), &parms);
    }

    std::uint32_t QueryMode(int& mode) override {
        DWORD value = 0;
        const MCIERROR error = Status(MCI_STATUS_MODE, value);
        mode = error == 0 ? static_cast<int>(value) - static_cast<int>(kMciModeBase) : 0;
        return error;
    }
    std::uint32_t QueryLength(std::int32_t& frames) override { return StatusInt(MCI_STATUS_LENGTH, frames); }
    std::uint32_t QueryPosition(std::int32_t& frame) override { return StatusInt(MCI_STATUS_POSITION, frame); }

    std::uint32_t QuerySource(SourceRect& rect) override {
        MCI_DGV_RECT_PARMS parms{};
        const MCIERROR error = Send(MCI_WHERE, MCI_DGV_WHERE_SOURCE | MCI_WAIT, &parms, false);
        if (error == 0) rect = {parms.rc.left, parms.rc.top, parms.rc.right, parms.rc.bottom};
        return error;
    }

    std::uint32_t SeekTo(std::int32_t frame) override {
        MCI_SEEK_PARMS parms{};
        parms.dwTo = static_cast<DWORD>(frame < 0 ? 0 : frame);
        return Send(MCI_SEEK, MCI_TO | MCI_WAIT, &parms, false);
    }

    std::uint32_t Realize() override {
        return id_ == 0 ? MCIERR_INVALID_DEVICE_ID : mciSendCommandA(id_, MCI_REALIZE, MCI_DGV_REALIZE_NORM, 0);
    }

    std::uint32_t UpdateInto(void* deviceContext) override {
        MCI_DGV_UPDATE_PARMS parms{};
        parms.hDC = static_cast<HDC>(deviceContext);
        return Send(MCI_UPDATE, MCI_DGV_UPDATE_HDC, &parms, false);
    }

    std::uint32_t SetAudio(bool on) override {
        MCI_SET_PARMS parms{};
        parms.dwAudio = MCI_SET_AUDIO_ALL;
        return Send(MCI_SET, MCI_SET_AUDIO | (on ? MCI_SET_ON : MCI_SET_OFF) | MCI_WAIT, &parms, false);
    }

    std::uint32_t SetVolume(std::int32_t volume) override {
        MCI_DGV_SETAUDIO_PARMSA parms{};
        parms.dwItem = MCI_DGV_SETAUDIO_VOLUME;
        parms.dwValue = static_cast<DWORD>(volume);
        return Send(MCI_SETAUDIO, MCI_DGV_SETAUDIO_ITEM | MCI_DGV_SETAUDIO_VALUE, &parms, false);
    }

    std::uint32_t SetSpeed(std::int32_t speed) override {
        MCI_DGV_SET_PARMS parms{};
        parms.dwSpeed = static_cast<DWORD>(speed);
        return Send(MCI_SET, MCI_DGV_SET_SPEED, &parms, false);
    }

    std::uint32_t Configure() override {
        MCI_GENERIC_PARMS parms{};
        return Send(MCI_CONFIGURE, MCI_WAIT, &parms, false);
    }

    std::string ErrorText(std::uint32_t code) const override {
        std::array<char, 4096> text{};
        if (!mciGetErrorStringA(code, text.data(), static_cast<UINT>(text.size()))) return {};
        text.back() = '\0';
        return text.data();
    }

private:
    static DWORD FlagBits(DeviceFlags flags) { return (flags.wait ? MCI_WAIT : 0) | (flags.notify ? MCI_NOTIFY : 0); }

    template <typename Parms>
    MCIERROR Send(UINT command, DWORD flags, Parms* parms, bool callback = true) {
        if (id_ == 0) return MCIERR_INVALID_DEVICE_ID;
        parms->dwCallback = callback ? reinterpret_cast<DWORD_PTR>(notifyWindow_) : 0;
        return mciSendCommandA(id_, command, flags, reinterpret_cast<DWORD_PTR>(parms));
    }

    MCIERROR Generic(UINT command, DeviceFlags flags) {
        MCI_GENERIC_PARMS parms{};
        return Send(command, FlagBits(flags), &parms);
    }

    MCIERROR Status(DWORD item, DWORD& value) {
        MCI_STATUS_PARMS parms{};
        parms.dwItem = item;
        const MCIERROR error = Send(MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, &parms, false);
        value = error == 0 ? static_cast<DWORD>(parms.dwReturn) : 0;
        return error;
    }

    MCIERROR StatusInt(DWORD item, std::int32_t& value) {
        DWORD raw = 0;
        const MCIERROR error = Status(item, raw);
        value = static_cast<std::int32_t>(raw);
        return error;
    }

    HWND notifyWindow_;
    MCIDEVICEID id_ = 0;
};

}  // namespace

std::unique_ptr<MediaDevice> CreateMciDevice(void* notifyWindow) {
    return std::make_unique<MciDevice>(static_cast<HWND>(notifyWindow));
}

}  // namespace morvel
