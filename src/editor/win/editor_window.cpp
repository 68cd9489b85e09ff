#include "editor/win/editor_window.h"

#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <optional>
#include <utility>

#include "common/win/controls.h"
#include "common/win/dialog.h"
#include "common/win/gdi.h"
#include "common/win/guard.h"
#include "common/win/keys.h"
#include "common/win/message_box.h"
#include "common/win/text.h"
#include "common/win/win_file_system.h"
#include "editor/avl_file.h"
#include "editor/editor_rules.h"
#include "editor/row_selection.h"
#include "editor/slide_history.h"
#include "editor/slide_menus.h"
#include "editor/slide_table.h"
#include "editor/win/editor_layout.h"
#include "editor/win/numeric_entry_dialog.h"
#include "editor/win/progress_gauge.h"
#include "editor/win/row_drag.h"
#include "editor/win/slide_clipboard.h"
#include "editor/win/slide_files.h"
#include "explorer/win/explorer_dialog.h"
#include "hostlink/win/host_link.h"
#include "hostlink/win/library.h"
#include "hostlink/win/settings_file.h"
#include "morvel32.h"

namespace morvel {

namespace {

using namespace editor;

const win::WindowClass kClass{.name = "TEditorForm"};
constexpr int kClientWidth = 722, kClientHeight = 512;
constexpr UINT kMsgCellAction = WM_APP + 0x201;  // RunCellAction, after the grid's notification
constexpr UINT kMsgFirstShow = WM_APP + 0x202;   // OnFirstShow, at the run's first turn

// The buttons: two rows of five at the bottom right.
constexpr win::ChildArgs ButtonAt(int column, int row, int id, const char* caption) {
    return {.className = "BUTTON",
            .text = caption,
            .id = id,
            .style = BS_PUSHBUTTON | WS_TABSTOP,
            .x = 110 + column * 122,
            .y = 434 + row * 38,
            .width = 114,
            .height = 32};
}

// The layout, in design pixels at 120 dpi. The gauge lies inside the path panel's sunken edge.
constexpr win::ChildArgs kControls[] = {
    {.text = kPathPanelBlank.data(),
     .id = MORVEL_ID_FULLNAME,
     .style = SS_SUNKEN | SS_LEFTNOWORDWRAP | SS_CENTERIMAGE,
     .x = 8,
     .y = 6,
     .width = 706,
     .height = 26},
    {.className = PROGRESS_CLASSA,
     .id = MORVEL_ID_GAUGE,
     .x = 10,
     .y = 8,
     .width = 702,
     .height = 22,
     .visible = false},
    {.className = WC_LISTVIEWA,
     .id = MORVEL_ID_GRID,
     .style = LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | WS_TABSTOP,
     .exStyle = WS_EX_CLIENTEDGE,
     .x = 8,
     .y = 38,
     .width = 706,
     .height = 390},
    {.text = kLabelNoBackground.data(), .id = MORVEL_ID_COLORLABEL, .x = 8, .y = 434, .width = 90, .height = 18},
    {.id = MORVEL_ID_COLORPANEL, .style = SS_SUNKEN, .x = 8, .y = 456, .width = 90, .height = 44},
    ButtonAt(0, 0, MORVEL_ID_BTNADD, "&Add Slides"),
    ButtonAt(1, 0, MORVEL_ID_BTNDELETE, "&Kill Slide"),
    ButtonAt(2, 0, MORVEL_ID_BTNGLOBAL, "&Global"),
    ButtonAt(3, 0, MORVEL_ID_BTNCD, "C&D track"),
    ButtonAt(4, 0, MORVEL_ID_BTNNEW, "&New"),
    ButtonAt(0, 1, MORVEL_ID_BTNTEST, "&Test"),
    ButtonAt(1, 1, MORVEL_ID_BTNLOAD, "&Open"),
    ButtonAt(2, 1, MORVEL_ID_BTNSAVE, "&Save"),
    ButtonAt(3, 1, MORVEL_ID_EDITOR_BTNHELP, "&Help"),
    ButtonAt(4, 1, MORVEL_ID_BTNQUIT, "&Close"),
};
constexpr int kNumberColumnWidth = 40, kColumnWidth = 50;  // before the first showing sets them

// Commands without a button. Undo, redo, cut, copy and paste are also items of the system menu,
// whose commands leave the low four bits to the system.
constexpr int kCmdUndo = 0x0100, kCmdRedo = 0x0110, kCmdRowUp = 0x0120, kCmdRowDown = 0x0130;
constexpr int kCmdCut = 0x0140, kCmdCopy = 0x0150, kCmdPaste = 0x0160, kCmdSelectAll = 0x0170;

// The command keys, which the window sees before the focused control does.
constexpr win::Key kCommandKeys[] = {
    {VK_DELETE, win::kNoModifier, MORVEL_ID_BTNDELETE},
    {VK_INSERT, win::kNoModifier, MORVEL_ID_BTNADD},
    {'N', win::kCtrl, MORVEL_ID_BTNNEW},
    {'O', win::kCtrl, MORVEL_ID_BTNLOAD},
    {'S', win::kCtrl, MORVEL_ID_BTNSAVE},
    {VK_F1, win::kNoModifier, MORVEL_ID_EDITOR_BTNHELP},
    {'Z', win::kCtrl, kCmdUndo},
    {'Y', win::kCtrl, kCmdRedo},
    {'Z', win::kCtrl | win::kShift, kCmdRedo},
    {VK_UP, win::kCtrl, kCmdRowUp},
    {VK_DOWN, win::kCtrl, kCmdRowDown},
    {'F', win::kCtrl, static_cast<int>(kIdFindMissing)},
    {'A', win::kCtrl, kCmdSelectAll},
    {'X', win::kCtrl, kCmdCut},
    {VK_DELETE, win::kShift, kCmdCut},
    {'C', win::kCtrl, kCmdCopy},
    {VK_INSERT, win::kCtrl, kCmdCopy},
    {'V', win::kCtrl, kCmdPaste},
    {VK_INSERT, win::kShift, kCmdPaste},
};

bool IsSystemMenuCommand(int command) {
    switch (command) {
        case kCmdUndo:
        case kCmdRedo:
        case kCmdCut:
        case kCmdCopy:
        case kCmdPaste:
        case static_cast<int>(kIdFindMissing):
            return true;
        default:
            return false;
    }
}

// Half the highlight, half the window colour: rows selected beside the current cell.
COLORREF PaleHighlight() {
    const COLORREF a = GetSysColor(COLOR_HIGHLIGHT), b = GetSysColor(COLOR_WINDOW);
    return RGB((GetRValue(a) + GetRValue(b)) / 2, (GetGValue(a) + GetGValue(b)) / 2, (GetBValue(a) + GetBValue(b)) / 2);
}

POINT PointOf(LPARAM lParam) {
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

int FirstMenuId(MenuId menu) {
    switch (menu) {
        case MenuId::Effect:
            return MORVEL_ID_MNUFX;
        case MenuId::Loop:
            return MORVEL_ID_MNUFLI;
        case MenuId::Wait:
            return MORVEL_ID_MNUWAIT;
        case MenuId::HPos:
            return MORVEL_ID_MNUHPOS;
        case MenuId::VPos:
            return MORVEL_ID_MNUVPOS;
        case MenuId::Size:
            return MORVEL_ID_MNUSIZE;
        case MenuId::Volume:
            return MORVEL_ID_MNUVOL;
        case MenuId::Speed:
            return MORVEL_ID_MNUSPD;
        case MenuId::Colour:
            return MORVEL_ID_MNUCOLOR;
    }
    return 0;
}

class TEditorForm final : public win::Dialog, private win::ControlHook {
public:
    // Runs the editor on the library's current and test files; EditorWin95's result.
    int Execute() {
        // A sizing border and a maximise box beside the system menu.
        if (!CreateFrame(kClass, std::string(kCaptionAtCreation), kClientWidth, kClientHeight, nullptr,
                         WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX | WS_CLIPCHILDREN)) {
            return kResultOtherwise;
        }
        return Run() == kTestModalResult ? kResultAfterTest : kResultOtherwise;
    }

protected:
    LRESULT WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
            case WM_CREATE:
                OnCreate();
                DragAcceptFiles(hwnd(), TRUE);
                AddFindMissingItem(hwnd());
                // The first showing's work runs once the window is shown, at the run's first turn.
                PostMessageA(hwnd(), kMsgFirstShow, 0, 0);
                return 0;
            case kMsgFirstShow:
                OnFirstShow();
                return 0;
            case WM_NOTIFY:
                return Notify(reinterpret_cast<NMHDR*>(lParam));
            case WM_CTLCOLORSTATIC:
                if (reinterpret_cast<HWND>(lParam) == colorPanel_) return reinterpret_cast<LRESULT>(swatch_.get());
                return DefaultMessage(msg, wParam, lParam);
            case WM_CLOSE:
                if (MayClose()) End(IDCANCEL);
                return 0;
            case kMsgCellAction:
                RunCellAction();
                return 0;
            case WM_DROPFILES:
                if (DropSlideFiles(hwnd(), reinterpret_cast<HDROP>(wParam), table_, history_,
                                   [this] { ShowRowCount(); }))
                    SlidesChanged();
                return 0;
            case WM_SIZE:
                if (wParam != SIZE_MINIMIZED) layout_.Place(hwnd());
                return 0;
            case WM_GETMINMAXINFO:
                layout_.Limit(*reinterpret_cast<MINMAXINFO*>(lParam));
                return 0;
            case WM_INITMENUPOPUP:
                if (HIWORD(lParam)) ShowSystemMenuState(reinterpret_cast<HMENU>(wParam));
                return Dialog::WindowMessage(msg, wParam, lParam);
            case WM_SYSCOMMAND: {
                const int command = static_cast<int>(wParam & 0xFFF0);
                if (IsSystemMenuCommand(command)) {
                    Command(command);
                    return 0;
                }
                return Dialog::WindowMessage(msg, wParam, lParam);
            }
            default:
                return Dialog::WindowMessage(msg, wParam, lParam);
        }
    }

    // Buttons, menu items and the grid's commands.
    void OnCommand(int id, int) override { Command(id); }

    // The command keys, wherever the focus is in the window.
    bool KeyPreview(const MSG& msg) override {
        // Esc during a drag of rows cancels the drag, not the window.
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE && rowDrag_.pressed()) {
            rowDrag_.Cancel(grid_);
            ReleaseCapture();
            return true;
        }
        const win::Key* key = win::FindKey(kCommandKeys, msg);
        if (!key) return false;
        Command(key->command);
        return true;
    }

    // The thread was asked to quit while the editor ran (the quit still reaches the host's loop
    // afterwards). Unsaved changes are not dropped unasked: the closing question is asked again
    // until the user gives them up or a save has written them, or until another quit, which ends
    // every box and dialog at once, says that the user can be asked no more.
    void QuitDuringRun() override {
        MSG quit;
        while (modified_ && !PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) &&
               !AskYesNo(hwnd(), BoxKind::Confirmation, std::string(kDiscardChanges))) {
            SaveFile();
        }
    }

private:
    // ---- Creation and first showing -----------------------------------------------------------

    void OnCreate() {
        INITCOMMONCONTROLSEX common{sizeof common, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&common);
        CreateControls(kControls);
        layout_.Remember(hwnd());
        AddHistoryToSystemMenu();
        pathPanel_ = Item(MORVEL_ID_FULLNAME);
        gauge_ = Item(MORVEL_ID_GAUGE);
        grid_ = Item(MORVEL_ID_GRID);
        colorLabel_ = Item(MORVEL_ID_COLORLABEL);
        colorPanel_ = Item(MORVEL_ID_COLORPANEL);
        SendMessageA(grid_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES, LVS_EX_GRIDLINES);
        for (int c = 0; c < kColumnCount; ++c) {
            std::string header(ColumnHeader(c));
            LVCOLUMNA column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
            column.pszText = header.data();
            column.cx = c == 0 ? Scale(kNumberColumnWidth) : (c >= 1 && c <= 3) ? 1 : Scale(kColumnWidth);
            column.iSubItem = c;
            SendMessageA(grid_, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
        }
        Hook(grid_);
        swatch_.Reset(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
        table_.Clear();
        ShowRowCount();
        RememberFocus(grid_);
        // The grid and the path panel get a font of their own on systems with a tall menu bar.
        if (OwnGridFont(GetSystemMetrics(SM_CYMENU)))
            gridFont_.Reset(win::CreateUiFont({.face = "Arial", .points = 10}));
    }

    // Once, at the first showing: the font rule, the column widths, the host's file.
    void OnFirstShow() {
        windowFont_.Reset(win::CreateUiFont(
            {.face = "Arial", .points = WindowFontPoints(GetSystemMetrics(SM_CXSCREEN)), .bold = true}));
        win::SetWindowFont(hwnd(), windowFont_.get(), true);
        if (gridFont_) {
            SendMessageA(grid_, WM_SETFONT, reinterpret_cast<WPARAM>(gridFont_.get()), TRUE);
            SendMessageA(pathPanel_, WM_SETFONT, reinterpret_cast<WPARAM>(gridFont_.get()), TRUE);
        }
        RECT window{}, grid{};
        GetWindowRect(hwnd(), &window);
        GetWindowRect(grid_, &grid);
        const ColumnWidths widths = FirstShowingWidths(window.right - window.left, grid.right - grid.left,
                                                       Scale(kNumberColumnWidth), GetSystemMetrics(SM_CXHTHUMB));
        for (int c = 0; c < kColumnCount; ++c) SendMessageA(grid_, LVM_SETCOLUMNWIDTH, c, widths.widths[c]);
        SetFocus(grid_);
        if (library.editor.currentFile != kNoFile) {
            win::SetText(hwnd(), std::string(kBaseCaption));
            LoadFile(library.editor.currentFile);
        }
        modified_ = ApplyEvent(modified_, EditorEvent::Start);
        OfferFoundFiles();
    }

    // ---- The table's display ------------------------------------------------------------------

    // The rows as they are now, the current row alone selected.
    void ShowRowCount() {
        SendMessageA(grid_, LVM_SETITEMCOUNT, table_.RowCount(), 0);
        selection_.Reset(table_.RowCount(), table_.selectedRow());
        ShowSelection();
    }

    // The list view's item states follow the selection (LVIS_SELECTED on every selected row,
    // LVIS_FOCUSED on the current one), for assistive technology; then it is redrawn.
    void ShowSelection() {
        // One message marks or clears every row; the rows that differ from it are set one by one,
        // whichever side is smaller, with the list not redrawn between them.
        const int rows = table_.RowCount();
        const bool mostly = selection_.Count() * 2 > rows;
        SendMessageA(grid_, WM_SETREDRAW, FALSE, 0);
        LVITEMA state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = mostly ? LVIS_SELECTED : 0;
        SendMessageA(grid_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
        state.stateMask = LVIS_SELECTED;
        state.state = mostly ? 0 : LVIS_SELECTED;
        for (int row = 1; row <= rows; ++row) {
            if (selection_.IsSelected(row) != mostly) {
                SendMessageA(grid_, LVM_SETITEMSTATE, row - 1, reinterpret_cast<LPARAM>(&state));
            }
        }
        state.stateMask = state.state = LVIS_FOCUSED;
        SendMessageA(grid_, LVM_SETITEMSTATE, table_.selectedRow() - 1, reinterpret_cast<LPARAM>(&state));
        SendMessageA(grid_, WM_SETREDRAW, TRUE, 0);
        SendMessageA(grid_, LVM_ENSUREVISIBLE, table_.selectedRow() - 1, FALSE);
        InvalidateRect(grid_, nullptr, FALSE);
    }

    // The path panel and the colour indicator for the selected row.
    void ShowSelectedRow() {
        const Slide& s = table_.Selected();
        win::SetText(pathPanel_, s[kColPath].str());
        if (s[kColBackground] == "Yes") {
            if (!s[kColColour].empty()) {
                swatch_.Reset(CreateSolidBrush(static_cast<COLORREF>(ini::ParseLibraryInt(s[kColColour], 0))));
            }
            win::SetText(colorLabel_, std::string(kLabelBackground));
        } else {
            swatch_.Reset(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
            win::SetText(colorLabel_, std::string(kLabelNoBackground));
        }
        InvalidateRect(colorPanel_, nullptr, TRUE);
    }

    // How a click or key with Shift or Ctrl changes the selected rows.
    enum class Extent { One, Range, Toggle };

    void SelectCell(int row, int column, Extent extent = Extent::One) {
        table_.Select(row, column);
        const int count = table_.RowCount();
        switch (extent) {
            case Extent::One:
                selection_.Reset(count, table_.selectedRow());
                break;
            case Extent::Range:
                selection_.Extend(count, table_.selectedRow());
                break;
            case Extent::Toggle:
                selection_.Toggle(count, table_.selectedRow());
                break;
        }
        ShowSelection();
        ShowSelectedRow();
    }

    LRESULT Notify(NMHDR* header) {
        if (header->hwndFrom != grid_) return 0;
        switch (header->code) {
            case LVN_GETDISPINFOA: {
                auto* info = reinterpret_cast<NMLVDISPINFOA*>(header);
                LVITEMA& item = info->item;
                if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0 && item.iItem >= 0 &&
                    item.iItem < table_.RowCount() && item.iSubItem >= 0 && item.iSubItem < kColumnCount) {
                    lstrcpynA(item.pszText, table_.Row(item.iItem + 1)[item.iSubItem].c_str(), item.cchTextMax);
                }
                return 0;
            }
            case NM_CUSTOMDRAW:
                return CustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(header));
            case NM_CLICK:
                // The cell was selected when the button went down (the grid's hook).
                ShowSelection();
                return 0;
            case NM_DBLCLK:
            case NM_RCLICK:
                ShowSelection();
                PostMessageA(hwnd(), kMsgCellAction, 0, 0);
                return header->code == NM_RCLICK ? 1 : 0;
            default:
                return 0;
        }
    }

    LRESULT CustomDraw(NMLVCUSTOMDRAW* draw) {
        switch (draw->nmcd.dwDrawStage) {
            case CDDS_PREPAINT:
                return CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
            case CDDS_POSTPAINT:
                rowDrag_.DrawLine(grid_, draw->nmcd.hdc);
                return CDRF_DODEFAULT;
            case CDDS_ITEMPREPAINT:
                // The list view's own selection look is never drawn: the cells are coloured below.
                draw->nmcd.uItemState &= ~(CDIS_SELECTED | CDIS_FOCUS);
                return CDRF_NOTIFYSUBITEMDRAW;
            case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
                const int row = static_cast<int>(draw->nmcd.dwItemSpec) + 1;
                const bool current = row == table_.selectedRow() && draw->iSubItem == table_.selectedColumn();
                // The current cell as a single selection shows it; the selected rows, when they
                // are more than the current row, in a paler highlight around it.
                const bool rowShown = selection_.IsSelected(row) &&
                                      (selection_.Count() > 1 || !selection_.IsSelected(table_.selectedRow()));
                draw->clrText = GetSysColor(current ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
                draw->clrTextBk = current ? GetSysColor(COLOR_HIGHLIGHT) : rowShown ? PaleHighlight() : GetSysColor(COLOR_WINDOW);
                return CDRF_NEWFONT;
            }
            default:
                return CDRF_DODEFAULT;
        }
    }

    // The grid's keys, the end of a row drag, and the fixed hidden columns.
    bool ControlMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (control != grid_) return false;
        switch (msg) {
            case WM_GETDLGCODE: {
                result = PassOn(control, msg, wParam, lParam) | DLGC_WANTARROWS | DLGC_WANTCHARS;
                const MSG* m = reinterpret_cast<const MSG*>(lParam);
                if (m && m->message == WM_KEYDOWN && m->wParam == VK_RETURN) result |= DLGC_WANTMESSAGE;
                return true;
            }
            case WM_KEYDOWN: {
                const Extent extent = (GetKeyState(VK_SHIFT) & 0x8000) ? Extent::Range : Extent::One;
                const int row = table_.selectedRow(), column = table_.selectedColumn();
                const int page = std::max(1, static_cast<int>(SendMessageA(grid_, LVM_GETCOUNTPERPAGE, 0, 0)) - 1);
                switch (wParam) {
                    case VK_LEFT:
                        SelectCell(row, column - 1, extent);
                        break;
                    case VK_RIGHT:
                        SelectCell(row, column + 1, extent);
                        break;
                    case VK_UP:
                        SelectCell(row - 1, column, extent);
                        break;
                    case VK_DOWN:
                        SelectCell(row + 1, column, extent);
                        break;
                    case VK_PRIOR:
                        SelectCell(row - page, column, extent);
                        break;
                    case VK_NEXT:
                        SelectCell(row + page, column, extent);
                        break;
                    case VK_HOME:
                        SelectCell(1, column, extent);
                        break;
                    case VK_END:
                        SelectCell(table_.RowCount(), column, extent);
                        break;
                    case VK_RETURN:
                    case VK_SPACE:
                        PostMessageA(hwnd(), kMsgCellAction, 0, 0);
                        break;
                    default:
                        return false;
                }
                result = 0;
                return true;
            }
            case WM_CHAR:
                // No incremental search and no in-place editing: the keys above did the work.
                result = 0;
                return true;
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK: {
                // Only the left button selects; columns 0 to 3 are never the current cell. The
                // list view's own selection is never used: the click is taken here. A double
                // click on a cell goes on to the list view, which reports it; on a number it is
                // a press like any other.
                LVHITTESTINFO hit{};
                hit.pt = PointOf(lParam);
                SendMessageA(grid_, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
                if (msg == WM_LBUTTONDBLCLK && hit.iSubItem != kColNumber) return false;
                SetFocus(grid_);
                result = 0;
                if (hit.iItem < 0) return true;
                const int row = hit.iItem + 1;
                const Extent extent = (wParam & MK_SHIFT)     ? Extent::Range
                                      : (wParam & MK_CONTROL) ? Extent::Toggle
                                                              : Extent::One;
                if (hit.iSubItem == kColNumber) {
                    // Rows are dragged by their number. A row not yet selected is selected first;
                    // a plain press on a selected row keeps the others until the release.
                    if (extent != Extent::One || !selection_.IsSelected(row)) {
                        SelectCell(row, table_.selectedColumn(), extent);
                    } else {
                        table_.Select(row, table_.selectedColumn());
                        ShowSelection();
                        ShowSelectedRow();
                    }
                    if (extent == Extent::One) {
                        rowDrag_.Press(hit.pt);
                        SetCapture(grid_);
                    }
                    return true;
                }
                if (hit.iSubItem >= kFirstSelectableColumn) SelectCell(row, hit.iSubItem, extent);
                return true;
            }
            case WM_MOUSEMOVE:
                if (!rowDrag_.pressed()) return false;
                rowDrag_.Move(grid_, PointOf(lParam));
                result = 0;
                return true;
            case WM_CAPTURECHANGED:
                if (reinterpret_cast<HWND>(lParam) != grid_ && rowDrag_.pressed()) rowDrag_.Cancel(grid_);
                return false;
            case WM_LBUTTONUP: {
                if (!rowDrag_.pressed()) return false;
                const bool dragged = rowDrag_.dragging();
                const std::optional<int> gap = rowDrag_.Release(grid_, PointOf(lParam));
                ReleaseCapture();
                result = 0;
                if (gap) {
                    DropSelectedRows(*gap);  // GridRowMoved
                } else if (!dragged) {
                    // A plain click on a selected row's number: that row alone, as any click.
                    SelectCell(table_.selectedRow(), table_.selectedColumn());
                }
                return true;
            }
            case WM_NOTIFY: {
                const auto* nm = reinterpret_cast<const NMHEADERA*>(lParam);
                const UINT code = nm->hdr.code;
                const bool sizing = code == HDN_BEGINTRACKA || code == HDN_BEGINTRACKW ||
                                    code == HDN_DIVIDERDBLCLICKA || code == HDN_DIVIDERDBLCLICKW;
                if (sizing && nm->iItem >= 1 && nm->iItem <= 3) {
                    result = TRUE;  // the hidden fields stay one pixel wide
                    return true;
                }
                return false;
            }
            default:
                return false;
        }
    }

    // ---- Commands -----------------------------------------------------------------------------

    void Command(int id) {
        switch (id) {
            case MORVEL_ID_BTNNEW:
                NewSlideshow();
                return;
            case MORVEL_ID_BTNLOAD:
                OpenSlideshow();
                return;
            case MORVEL_ID_BTNSAVE:
                SaveFile();
                return;
            case MORVEL_ID_BTNDELETE:
                KillSlide();
                return;
            case MORVEL_ID_BTNADD:
                AddSlides();
                return;
            case MORVEL_ID_BTNCD:
                ChooseCdTrack();
                return;
            case MORVEL_ID_BTNGLOBAL:
                EditGlobals();
                return;
            case MORVEL_ID_BTNTEST:
                TestSlideshow();
                return;
            case MORVEL_ID_EDITOR_BTNHELP:
                ShowHelp(hwnd(), HelpContext::Editor);
                return;
            case MORVEL_ID_BTNQUIT:
            case IDCANCEL:
                if (MayClose()) End(IDCANCEL);
                return;
            case kCmdUndo:
            case kCmdRedo:
                UndoOrRedo(id == kCmdRedo);
                return;
            case kCmdRowUp:
            case kCmdRowDown:
                MoveSelectedSlides(id == kCmdRowUp ? -1 : 1);
                return;
            case kCmdSelectAll:
                selection_.SelectAll(table_.RowCount());
                ShowSelection();
                return;
            case kCmdCut:
                if (CopySelectedSlides()) KillSlide();
                return;
            case kCmdCopy:
                CopySelectedSlides();
                return;
            case kCmdPaste:
                PasteSlides();
                return;
            case static_cast<int>(kIdFindMissing):
                FindMissing();
                return;
            default:
                return;
        }
    }

    // The Explorer as a modal dialog of the kind. False when it was cancelled, or failed (the
    // failure has been shown), as the host's RemoteDlg95 reports it.
    bool RunExplorer(int kind) {
        const int result = win::Guarded(hwnd(), MORVEL_DLG_CANCELLED, [kind] { return RunExplorerDialog(kind, 0); });
        return result != MORVEL_DLG_CANCELLED;
    }

    // After 254, 0 and 252: SaveName, or nothing when the dialog was cancelled.
    std::optional<std::string> ChosenFile(int kind) {
        if (!RunExplorer(kind)) return std::nullopt;
        std::string chosen = Settings().ReadString(key::SaveName, kAbsentString);
        if (chosen == kAbsentString) return std::string(kAbsentString);
        return chosen;
    }

    void NewSlideshow() {
        if (modified_ && !AskYesNo(hwnd(), BoxKind::Confirmation, std::string(kDiscardChanges))) return;
        modified_ = ApplyEvent(modified_, EditorEvent::NewConfirmed);
        table_.Clear();
        history_.Reset();
        ShowRowCount();
        ShowSelectedRow();
    }

    void OpenSlideshow() {
        if (modified_ && !AskYesNo(hwnd(), BoxKind::Confirmation, std::string(kDiscardChanges))) return;
        const auto chosen = ChosenFile(MORVEL_KIND_OPEN_SLIDESHOW);
        if (!chosen) {
            modified_ = ApplyEvent(modified_, EditorEvent::OpenCancelled);
            return;
        }
        if (*chosen == kAbsentString) return;
        // Mended: caption, current file and flag change only when the file was read.
        if (!LoadFile(*chosen)) return;
        library.editor.currentFile = *chosen;
        modified_ = ApplyEvent(modified_, EditorEvent::OpenRead);
        win::SetText(hwnd(), CaptionForFile(*chosen));
        OfferFoundFiles();
    }

    // LoadFile: the table takes the file's slides. False when nothing could be read.
    bool LoadFile(const std::string& path) {
        ReadResult result;
        {
            win::BusyCursor busy;
            WindowGauge gauge(gauge_);
            result = LoadAvl(path, RealFileSystem(), &gauge);
        }
        if (result.status == ReadStatus::Invalid) {
            ShowMessage(hwnd(), BoxKind::Error, std::string(kCorruptMessage));
            return false;
        }
        table_.Assign(std::move(result.slides));
        history_.Reset();
        ShowRowCount();
        ShowSelectedRow();
        if (result.status == ReadStatus::Partial) ShowMessage(hwnd(), BoxKind::Error, std::string(kCorruptMessage));
        missingOnOpen_ = std::move(result.missingRows);
        return true;
    }

    // ---- Files dropped, and files that moved ------------------------------------------------------

    // The rows of the slideshow just read whose files were not found, offered once the caption
    // and the modified flag of the opening are set.
    void OfferFoundFiles() {
        if (OfferMissingFiles(hwnd(), table_, history_, std::exchange(missingOnOpen_, {}), library.editor.currentFile,
                              [this] { ShowRowCount(); }))
            SlidesChanged();
    }

    void FindMissing() {
        if (FindMissingFilesCommand(hwnd(), table_, history_, [this] { ShowRowCount(); })) SlidesChanged();
    }

    void SlidesChanged() {
        modified_ = true;
        ShowRowCount();
        ShowSelectedRow();
    }

    // SaveFile with the test flag false: every save asks for the name.
    void SaveFile() {
        const auto chosen = ChosenFile(MORVEL_KIND_SAVE_SLIDESHOW);
        if (!chosen) {
            modified_ = ApplyEvent(modified_, EditorEvent::SaveCancelled);
            return;
        }
        if (*chosen == kAbsentString) return;
        // Mended: flag, current file and caption change only once the file is written, so that
        // a failed save leaves the slideshow modified.
        if (!WriteTable(*chosen)) return;
        modified_ = ApplyEvent(modified_, EditorEvent::SaveChosen);
        history_.MarkSaved();
        library.editor.currentFile = *chosen;
        win::SetText(hwnd(), CaptionForFile(*chosen));
    }

    bool WriteTable(const std::string& path) {
        SaveResult saved;
        {
            win::BusyCursor busy;
            WindowGauge gauge(gauge_);
            saved = SaveAvl(path, table_, {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, &gauge);
        }
        if (!saved.ok) ShowMessage(hwnd(), BoxKind::Error, saved.message);
        return saved.ok;
    }

    // "&Kill Slide" and Delete: every selected row.
    void KillSlide() {
        const bool several = history_.KillRows(table_, selection_.Rows());
        modified_ = ApplyEvent(modified_, several ? EditorEvent::KillOneOfSeveral : EditorEvent::KillOnly);
        ShowRowCount();
        ShowSelectedRow();
    }

    void WarnIfSlideshow(SlideKind kind) {
        if (kind == SlideKind::Avl) ShowMessage(hwnd(), BoxKind::Warning, std::string(kAvlWarning));
    }

    void AddSlides() {
        if (!RunExplorer(MORVEL_KIND_ADD_SLIDES)) return;
        const std::string listPath = Settings().ReadString(key::Win95Tmp, kAbsentString);
        if (listPath == kAbsentString) return;
        std::string bytes;
        if (ini::ReadFileBytes(listPath, bytes) != ini::ReadStatus::Ok) bytes.clear();
        const std::vector<std::string> files = ReadSlideList(ini::Document::Parse(bytes));
        if (files.empty()) {
            ShowMessage(hwnd(), BoxKind::Error, std::string(kCorruptMessage));
            return;
        }
        modified_ = ApplyEvent(modified_, EditorEvent::SlidesAdded);
        AddSlideFiles(hwnd(), files, table_, history_, [this] { ShowRowCount(); });
        ShowSelectedRow();
    }

    // The "Filename" cell runs this.
    void ReplaceSlideFile() {
        const auto chosen = ChosenFile(MORVEL_KIND_REPLACE_SLIDE);
        if (!chosen || *chosen == kAbsentString) return;
        const SlideKind kind = history_.PutFile(table_, table_.selectedRow(), *chosen, RealFileSystem());
        win::SetText(pathPanel_, table_.Selected()[kColPath].str());
        InvalidateRect(grid_, nullptr, FALSE);
        WarnIfSlideshow(kind);
    }

    void ChooseCdTrack() {
        const int track = ExecuteScrlDlg(hwnd(), CdTrackDialog());
        if (track < 0) return;
        const bool replace = AskYesNo(hwnd(), BoxKind::Confirmation, std::string(kReplaceCurrentSlide));
        history_.PutCdTrack(table_, track, replace);
        ShowRowCount();
        win::SetText(pathPanel_, table_.Selected()[kColName].str());
        modified_ = ApplyEvent(modified_, EditorEvent::CdTrackConfirmed);
    }

    void TestSlideshow() {
        if (table_.NothingToTest()) {
            ShowMessage(hwnd(), BoxKind::Information, std::string(kNothingToTest));
            return;
        }
        // Mended: no test file given, or one that cannot be written, keeps the editor open.
        if (library.editor.testFile == kMissingKey) {
            ShowMessage(hwnd(), BoxKind::Error, std::string(kNoTestFile));
            return;
        }
        if (!WriteTable(library.editor.testFile)) {
            modified_ = ApplyEvent(modified_, EditorEvent::TestFailed);
            return;
        }
        modified_ = ApplyEvent(modified_, EditorEvent::TestWritten);
        End(kTestModalResult);
    }

    bool MayClose() {
        if (!modified_) return true;
        if (AskYesNo(hwnd(), BoxKind::Confirmation, std::string(kDiscardChanges))) return true;
        SaveFile();
        return !modified_;
    }

    // ---- Undo, and rows moved by keys ----------------------------------------------------------

    void UndoOrRedo(bool redo) {
        const std::optional<bool> modified = redo ? history_.Redo(table_) : history_.Undo(table_);
        if (!modified) return;
        modified_ = *modified;
        ShowRowCount();
        ShowSelectedRow();
    }

    // ---- Several rows: moved, copied, pasted -------------------------------------------------

    // The selected rows in a new order, one step; they stay selected where they now stand.
    void ReorderSelectedRows(const RowOrder& order) {
        const std::vector<int> rows = selection_.Rows();
        if (!history_.Reorder(table_, order)) return;
        modified_ = true;
        const std::vector<int> anchor = PositionsAfter(order, {selection_.anchor()});
        selection_.Set(table_.RowCount(), PositionsAfter(order, rows), anchor.empty() ? 1 : anchor.front());
        ShowSelection();
        ShowSelectedRow();
    }

    // Ctrl+Up and Ctrl+Down: the selected rows one place, as a block; not past either end.
    void MoveSelectedSlides(int delta) {
        ReorderSelectedRows(OrderAfterStep(table_.RowCount(), selection_.Rows(), delta));
    }

    // GridRowMoved: the dragged rows dropped at the gap.
    void DropSelectedRows(int gap) {
        ReorderSelectedRows(OrderAfterDrop(table_.RowCount(), selection_.Rows(), gap));
    }

    // The selected slides that a copy takes (the placeholder row is none).
    std::vector<const Slide*> SlidesToCopy() const {
        std::vector<const Slide*> slides;
        for (const int row : selection_.Rows()) {
            if (!IsPlaceholder(table_.Row(row))) slides.push_back(&table_.Row(row));
        }
        return slides;
    }

    bool CopySelectedSlides() {
        const std::vector<const Slide*> slides = SlidesToCopy();
        if (slides.empty()) return false;
        return PutSlidesOnClipboard(hwnd(), WriteSlideSections(slides));
    }

    // The clipboard's slides after the current row, one step, selected; files that are missing
    // keep the path given, as "&Add Slides" keeps a missing file's.
    void PasteSlides() {
        const std::optional<std::string> text = SlidesTextOnClipboard(hwnd());
        ReadResult read;
        if (text) {
            win::BusyCursor busy;
            read = ReadSlideSections(*text, RealFileSystem());
        }
        if (read.slides.empty()) {
            ShowMessage(hwnd(), BoxKind::Information, kNoSlidesOnClipboard);
            return;
        }
        const std::vector<int> rows = history_.InsertSlides(table_, table_.selectedRow(), std::move(read.slides));
        modified_ = true;
        ShowRowCount();
        selection_.Set(table_.RowCount(), rows, rows.front());
        ShowSelection();
        ShowSelectedRow();
    }

    void AddHistoryToSystemMenu() {
        const HMENU menu = GetSystemMenu(hwnd(), FALSE);
        InsertMenuA(menu, 0, MF_BYPOSITION | MF_STRING | MF_GRAYED, kCmdUndo, "&Undo\tCtrl+Z");
        InsertMenuA(menu, 1, MF_BYPOSITION | MF_STRING | MF_GRAYED, kCmdRedo, "&Redo\tCtrl+Y");
        InsertMenuA(menu, 2, MF_BYPOSITION | MF_STRING | MF_GRAYED, kCmdCut, "Cu&t\tCtrl+X");
        InsertMenuA(menu, 3, MF_BYPOSITION | MF_STRING | MF_GRAYED, kCmdCopy, "&Copy\tCtrl+C");
        InsertMenuA(menu, 4, MF_BYPOSITION | MF_STRING | MF_GRAYED, kCmdPaste, "&Paste\tCtrl+V");
        InsertMenuA(menu, 5, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    }

    void ShowSystemMenuState(HMENU menu) const {
        const auto enable = [menu](int command, bool on) {
            EnableMenuItem(menu, static_cast<UINT>(command), MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
        };
        enable(kCmdUndo, history_.CanUndo());
        enable(kCmdRedo, history_.CanRedo());
        const bool slides = !SlidesToCopy().empty();
        enable(kCmdCut, slides);
        enable(kCmdCopy, slides);
        enable(kCmdPaste, ClipboardMayHoldSlides());
    }

    // ---- Attribute menus and Global ---------------------------------------

    void RunCellAction() {
        const CellActionResult action = ActionForCell(table_);
        if (action.action == CellAction::Nothing) return;
        globalMode_ = false;
        modified_ = ApplyEvent(modified_, EditorEvent::AttributeCommand);
        if (action.action == CellAction::ReplaceFile) {
            ReplaceSlideFile();
            return;
        }
        RunMenu(action.menu);
        ShowSelectedRow();
    }

    void EditGlobals() {
        if (table_.Selected().IsMark(table_.selectedColumn())) return;
        globalMode_ = true;
        modified_ = ApplyEvent(modified_, EditorEvent::Global);
        const CellActionResult action = ActionForCell(table_);
        if (action.action != CellAction::OpenMenu) return;
        RunMenu(action.menu);
        ShowSelectedRow();
    }

    void RunMenu(MenuId menu) {
        HMENU popup = CreatePopupMenu();
        const auto entries = MenuEntries(menu);
        const int first = FirstMenuId(menu);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const std::string caption(entries[i].caption);
            AppendMenuA(popup, MF_STRING | (entries[i].columnBreak ? MF_MENUBARBREAK : 0u),
                        static_cast<UINT_PTR>(first + static_cast<int>(i)), caption.c_str());
        }
        RECT window{};
        GetWindowRect(hwnd(), &window);
        const MenuAnchor at =
            MenuPosition(window.left, window.top, window.right - window.left, window.bottom - window.top);
        const int chosen = static_cast<int>(TrackPopupMenu(
            popup, TPM_CENTERALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd(), nullptr));
        DestroyMenu(popup);
        if (chosen >= first && chosen < first + static_cast<int>(entries.size())) RunEntry(menu, chosen - first);
    }

    void RunEntry(MenuId menu, int position) {
        const MenuEntry& entry = MenuEntries(menu)[static_cast<std::size_t>(position)];
        Choice choice{menu, position};
        if (entry.kind == EntryKind::Free) {
            const int value = ExecuteScrlDlg(
                hwnd(), FreeValueDialogOf(menu, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
            if (value < 0) return;
            choice.freeValue = value;
        } else if (entry.kind == EntryKind::UserColour) {
            CHOOSECOLORA dialog{};
            dialog.lStructSize = sizeof dialog;
            dialog.hwndOwner = hwnd();
            dialog.lpCustColors = library.editor.customColours.data();
            dialog.Flags = CC_FULLOPEN;
            if (!ChooseColorA(&dialog)) return;
            choice.freeValue = static_cast<std::int64_t>(dialog.rgbResult);
        }
        // One row as it always was; several as a Global on those rows.
        const bool alone = selection_.Count() == 1 && selection_.IsSelected(table_.selectedRow());
        const bool refresh = globalMode_ || alone ? history_.ApplyChoice(table_, choice, globalMode_)
                                                  : history_.ApplyChoice(table_, choice, selection_.Rows());
        InvalidateRect(grid_, nullptr, FALSE);
        if (refresh) ShowSelectedRow();
    }

    SlideTable table_;
    SlideHistory history_;
    bool modified_ = false;    // the slide table holds changes that are not saved
    bool globalMode_ = false;  // "&Global" chose the menu: its entry goes to every slide
    HWND pathPanel_ = nullptr;
    HWND gauge_ = nullptr;
    HWND grid_ = nullptr;
    HWND colorLabel_ = nullptr;
    HWND colorPanel_ = nullptr;
    win::Brush swatch_;
    win::Font windowFont_;
    win::Font gridFont_;
    RowSelection selection_;  // the rows selected; the current row is the table's selected cell
    RowDrag rowDrag_;
    std::vector<int> missingOnOpen_;  // rows of the slideshow just read whose files were not found
    EditorLayout layout_;
};

}  // namespace

int RunEditor() {
    const SettingsFile settings = Settings();
    library.editor.currentFile = settings.ReadString(key::AVLFIL, kNoFile);
    library.editor.testFile = settings.ReadString(key::AVLTMP, kMissingKey);
    TEditorForm form;
    return form.Execute();
}

}  // namespace morvel
