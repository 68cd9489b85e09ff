#include "player/win/player_panels.h"

#include <memory>
#include <utility>

#include "common/win/gdi.h"
#include "common/win/glyph_canvas.h"
#include "common/win/text.h"

namespace morvel {

namespace {
const win::WindowClass kPanelClass{.name = "MorvelPlayerPanel", .background = nullptr};
}  // namespace

HWND PlayerPanel::Create(HWND parent, int id, PanelLook look) {
    return CreateOwned(std::unique_ptr<Window>(new PlayerPanel(std::move(look))), kPanelClass,
                       {.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                        .x = 0,
                        .y = 0,
                        .width = 0,
                        .height = 0,
                        .parent = parent,
                        .id = id});
}

void PlayerPanel::Paint(HDC dc) {
    RECT r;
    GetClientRect(hwnd(), &r);
    const win::Brush brush(CreateSolidBrush(look_.colour));
    FillRect(dc, &r, brush.get());
    if (look_.loweredBevel) DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT);
    if (look_.showsText) {
        const std::string text = win::WindowText(hwnd());
        const HGDIOBJ old = SelectObject(dc, look_.font);
        SetBkMode(dc, TRANSPARENT);
        RECT inner{r.left + 6, r.top + 2, r.right - 4, r.bottom - 2};
        DrawTextA(dc, text.c_str(), -1, &inner, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(dc, old);
    }
    if (look_.paint) look_.paint(dc);
}

LRESULT PlayerPanel::WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            const HDC dc = BeginPaint(hwnd(), &ps);
            Paint(dc);
            EndPaint(hwnd(), &ps);
            return 0;
        }
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(look_.showsText ? look_.font : nullptr);
        case WM_SETTEXT: {
            const LRESULT result = DefaultMessage(msg, wParam, lParam);
            InvalidateRect(hwnd(), nullptr, FALSE);
            return result;
        }
        case WM_COMMAND:
        case WM_HSCROLL:
        case WM_DRAWITEM:
        case kMsgPanelClick:
            return SendMessageA(GetParent(hwnd()), msg, wParam, lParam);
        case WM_LBUTTONUP:
            SendMessageA(GetParent(hwnd()), kMsgPanelClick, static_cast<WPARAM>(GetDlgCtrlID(hwnd())), 0);
            return 0;
        default:
            return DefaultMessage(msg, wParam, lParam);
    }
}

void DrawMenuButton(const DRAWITEMSTRUCT& item) {
    RECT r = item.rcItem;
    DrawFrameControl(item.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | ((item.itemState & ODS_SELECTED) ? DFCS_PUSHED : 0));
    // Three lines, drawn at the screen's scale in a glyph of 20 design pixels.
    const int size = win::ScreenScale()(20);
    win::GlyphCanvas canvas(item.hDC, (r.left + r.right - size) / 2, (r.top + r.bottom - size) / 2, size, RGB(0, 0, 0),
                            RGB(0, 0, 0));
    for (const int top : {3, 8, 13}) canvas.Box(2, top, 14, top + 1);
}

HMENU CreatePlayerMenu(const std::vector<PlayerMenuItem>& items) {
    HMENU menu = CreatePopupMenu();
    for (const PlayerMenuItem& item : items) {
        const std::string caption(item.caption);
        if (item.IsSeparator())
            AppendMenuA(menu, MF_SEPARATOR, static_cast<UINT_PTR>(item.id), nullptr);
        else if (!item.submenu.empty())
            AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePlayerMenu(item.submenu)), caption.c_str());
        else
            AppendMenuA(menu, MF_STRING | (item.checked ? MF_CHECKED : 0), static_cast<UINT_PTR>(item.id),
                        caption.c_str());
    }
    return menu;
}

}  // namespace morvel
