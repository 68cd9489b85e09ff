#include "win/support/layout_check.h"

#include <algorithm>
#include <span>
#include <sstream>

namespace morvel::test {

namespace {

std::string ClassName(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string Text(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string Name(HWND window) {
    std::ostringstream out;
    out << ClassName(window) << " #" << GetDlgCtrlID(window);
    const std::string text = Text(window);
    if (!text.empty()) out << " \"" << text << '"';
    return out.str();
}

RECT ScreenRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

RECT ClientScreenRect(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// The control's font as it draws with it, selected into a screen DC for the object's life.
class FontDc {
public:
    explicit FontDc(HWND control) : dc_(GetDC(control)) {
        HFONT font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
        old_ = SelectObject(dc_, font ? font : GetStockObject(SYSTEM_FONT));
        GetTextMetricsA(dc_, &metrics_);
        control_ = control;
    }
    ~FontDc() {
        SelectObject(dc_, old_);
        ReleaseDC(control_, dc_);
    }
    FontDc(const FontDc&) = delete;
    FontDc& operator=(const FontDc&) = delete;
    int Height() const { return metrics_.tmHeight; }
    int CharHeight() const { return metrics_.tmHeight - metrics_.tmInternalLeading; }
    // The caption's width as DrawText lays it out, "&" taken as the letter's mark.
    SIZE Extent(const std::string& text, UINT flags = DT_SINGLELINE, int width = 0) const {
        RECT rect{0, 0, width, 0};
        DrawTextA(dc_, text.c_str(), static_cast<int>(text.size()), &rect, flags | DT_CALCRECT);
        return {rect.right - rect.left, rect.bottom - rect.top};
    }

private:
    HDC dc_;
    HGDIOBJ old_;
    HWND control_;
    TEXTMETRICA metrics_{};
};

class Checker {
public:
    Checker(LayoutReport& report, std::span<const int> mayOverflow) : report_(report), mayOverflow_(mayOverflow) {
        HDC screen = GetDC(nullptr);
        dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }

    void Window(HWND window) {
        RECT work{};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        if (!Inside(ScreenRect(window), work)) Problem(window, "lies outside the work area");
        Children(window);
    }

private:
    void Problem(HWND window, const std::string& what) { report_.problems.push_back(Name(window) + ": " + what); }

    void Children(HWND parent) {
        std::vector<HWND> shown;
        for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (!IsWindowVisible(child)) continue;
            shown.push_back(child);
            ++report_.controls;
            const bool overflows = std::ranges::find(mayOverflow_, GetDlgCtrlID(child)) != mayOverflow_.end();
            if (!overflows && !Inside(ScreenRect(child), ClientScreenRect(parent))) {
                Problem(child, "reaches outside its parent's client area");
            }
            Control(child);
            // A combo box's edit and list belong to it, not to the layout.
            if (ClassName(child) != "ComboBox") Children(child);
        }
        for (std::size_t a = 0; a < shown.size(); ++a) {
            for (std::size_t b = a + 1; b < shown.size(); ++b) {
                if (Encloses(shown[a]) || Encloses(shown[b])) continue;
                RECT overlap{}, first = ScreenRect(shown[a]), second = ScreenRect(shown[b]);
                if (IntersectRect(&overlap, &first, &second)) Problem(shown[a], "overlaps " + Name(shown[b]));
            }
        }
    }

    // A group box, frame, rectangle or bare panel drawn around its siblings, not beside them.
    static bool Encloses(HWND window) {
        const std::string cls = ClassName(window);
        const LONG style = GetWindowLongA(window, GWL_STYLE);
        if (cls == "Button") return (style & BS_TYPEMASK) == BS_GROUPBOX;
        return cls == "Static" && (IsDecoration(style) || Text(window).empty());
    }
    // Statics that draw a frame, a rectangle or an image and no text.
    static bool IsDecoration(LONG style) {
        const LONG kind = style & SS_TYPEMASK;
        return kind >= SS_ICON && kind != SS_SIMPLE && kind != SS_LEFTNOWORDWRAP && kind != SS_OWNERDRAW;
    }

    void Control(HWND control) {
        const std::string cls = ClassName(control);
        const LONG style = GetWindowLongA(control, GWL_STYLE);
        if (cls == "ScrollBar") {
            SeekBar(control);
            return;
        }
        const bool holdsText = cls == "Edit" || cls == "ComboBox" || cls == "ListBox";
        const bool standard = holdsText || cls == "Button" || cls == "Static";
        // A control of the library's own that draws a caption answers WM_GETFONT like a standard one.
        if (!standard && !SendMessageA(control, WM_GETFONT, 0, 0)) return;
        if (cls == "Static" && IsDecoration(style)) return;
        if (!holdsText && Text(control).empty()) return;
        FontDc font(control);
        report_.smallestFont = report_.smallestFont ? std::min(report_.smallestFont, font.CharHeight()) : font.CharHeight();
        // Eight points is the smallest text of every window; a font that kept its 96-dpi pixels
        // falls under it at any larger scale.
        if (font.CharHeight() < MulDiv(8, dpi_, 72) - 1) {
            Problem(control, "font of " + std::to_string(font.CharHeight()) + " px is under 8 pt at " +
                                 std::to_string(dpi_) + " dpi");
        }
        RECT client{};
        GetClientRect(control, &client);
        if (cls == "ComboBox") {
            Items(control, CB_GETITEMHEIGHT, font.Height(), "selection field", -1);
            if (SendMessageA(control, CB_GETCOUNT, 0, 0) > 0) Items(control, CB_GETITEMHEIGHT, font.Height(), "item", 0);
            // The chosen entry in the selection field, beside the drop-down button, inside the
            // edges, with the field's margin of a pixel each side.
            const int room = client.right - GetSystemMetrics(SM_CXVSCROLL) - 2 * GetSystemMetrics(SM_CXEDGE) - 2;
            const SIZE need = font.Extent(Text(control), DT_SINGLELINE | DT_NOPREFIX);
            if (need.cx > room) {
                Problem(control, "entry needs " + std::to_string(need.cx) + " px, has " + std::to_string(room));
            }
            return;
        }
        if (cls == "ListBox") {
            if (SendMessageA(control, LB_GETCOUNT, 0, 0) > 0) Items(control, LB_GETITEMHEIGHT, font.Height(), "item", 0);
            return;
        }
        if (font.Height() > client.bottom) {
            Problem(control, "is " + std::to_string(client.bottom) + " px high for a font of " +
                                 std::to_string(font.Height()) + " px");
        }
        const std::string text = Text(control);
        if (cls == "Edit" || text.empty()) return;
        const LONG kind = style & BS_TYPEMASK;
        if (cls == "Button" && kind == BS_GROUPBOX) return;
        int room = client.right;
        if (cls == "Button") {
            const bool mark = kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_RADIOBUTTON ||
                              kind == BS_AUTORADIOBUTTON || kind == BS_3STATE || kind == BS_AUTO3STATE;
            // A push button's frame and focus rectangle, or a box's mark and its gap.
            room -= mark ? GetSystemMetrics(SM_CXMENUCHECK) + font.Extent("0").cx / 2 : 2 * GetSystemMetrics(SM_CXEDGE) + 2;
        }
        const bool wraps = cls == "Static" && (style & SS_TYPEMASK) == SS_LEFT;
        const SIZE need = wraps ? font.Extent(text, DT_WORDBREAK, client.right) : font.Extent(text);
        if (need.cx > room || need.cy > client.bottom) {
            Problem(control, "text needs " + std::to_string(need.cx) + "x" + std::to_string(need.cy) + " px, has " +
                                 std::to_string(room) + "x" + std::to_string(client.bottom));
        }
    }

    void Items(HWND control, UINT message, int fontHeight, const char* what, int index) {
        const LRESULT height = SendMessageA(control, message, static_cast<WPARAM>(index), 0);
        if (height < fontHeight) {
            Problem(control, std::string(what) + " of " + std::to_string(height) + " px for a font of " +
                                 std::to_string(fontHeight) + " px");
        }
    }

    void SeekBar(HWND bar) {
        // A disabled bar shows no thumb at any size.
        if (!IsWindowEnabled(bar)) return;
        SCROLLBARINFO info{};
        info.cbSize = sizeof info;
        // Asked of the bar itself, so that it answers on its own thread when the check runs on
        // another one (beside a modal window).
        if (!SendMessageA(bar, SBM_GETSCROLLBARINFO, 0, reinterpret_cast<LPARAM>(&info))) return;
        if (info.xyThumbBottom <= info.xyThumbTop || (info.rgstate[0] & STATE_SYSTEM_INVISIBLE)) {
            RECT client{};
            GetClientRect(bar, &client);
            Problem(bar, "shows no thumb at " + std::to_string(client.right) + "x" + std::to_string(client.bottom) +
                             " px");
        }
    }

    LayoutReport& report_;
    std::span<const int> mayOverflow_;
    int dpi_ = 96;
};

}  // namespace

LayoutReport CheckLayout(HWND window, std::span<const int> mayOverflow) {
    LayoutReport report;
    Checker(report, mayOverflow).Window(window);
    return report;
}

std::string Describe(const LayoutReport& report) {
    std::ostringstream out;
    out << report.controls << " controls, smallest font " << report.smallestFont << " px, "
        << report.problems.size() << " problems";
    for (const std::string& problem : report.problems) out << "\n  " << problem;
    return out.str();
}

}  // namespace morvel::test
