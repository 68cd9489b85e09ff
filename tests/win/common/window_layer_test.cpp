// The window layer under Wine: what every window of the library relies on.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "common/win/controls.h"
#include "common/win/dialog.h"
#include "common/win/gdi.h"
#include "common/win/keys.h"
#include "common/win/modal.h"
#include "common/win/text.h"
#include "common/win/window.h"
#include "win/support/keyboard.h"
#include "win/support/ui_driver.h"

using namespace morvel;
using namespace morvel::test;

namespace {

constexpr int kFirstEdit = 101;
constexpr int kSecondEdit = 102;
constexpr UINT kMsgThrow = WM_APP + 1;

const win::WindowClass kTestClass{.name = "MorvelLayerTestWindow"};

// A top-level window with two edit fields, hooking both with itself.
class TwoFields final : public win::Window, public win::ControlHook {
public:
    explicit TwoFields(const std::string& title, int x = 40) {
        Create(
            kTestClass,
            {.title = title, .style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, .x = x, .y = 40, .width = 300, .height = 200});
    }
    HWND first = nullptr, second = nullptr;
    int creates = 0;
    int hookedChars = 0;
    bool destroyed = false;
    bool detached = false;
    HWND watched = nullptr;         // a window whose state is read when this one is hidden
    int watchedEnabledAtHide = -1;  // 1 or 0 once hidden

protected:
    LRESULT WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
            case WM_CREATE:
                ++creates;
                first = win::CreateChild(hwnd(), {.className = "EDIT",
                                                  .id = kFirstEdit,
                                                  .style = WS_TABSTOP,
                                                  .exStyle = WS_EX_CLIENTEDGE,
                                                  .x = 8,
                                                  .y = 8,
                                                  .width = 200,
                                                  .height = 22});
                second = win::CreateChild(hwnd(), {.className = "EDIT",
                                                   .id = kSecondEdit,
                                                   .style = WS_TABSTOP,
                                                   .exStyle = WS_EX_CLIENTEDGE,
                                                   .x = 8,
                                                   .y = 40,
                                                   .width = 200,
                                                   .height = 22});
                Hook(first);
                Hook(second);
                RememberFocus(first);
                return 0;
            case kMsgThrow:
                throw std::runtime_error("Unable to write to c:\\nowhere\\morvel.ini");
            case WM_DESTROY:
                destroyed = true;
                break;
            case WM_SHOWWINDOW:
                if (!wParam && watched) watchedEnabledAtHide = IsWindowEnabled(watched) ? 1 : 0;
                break;
            default:
                break;
        }
        return DefaultMessage(msg, wParam, lParam);
    }
    void OnDetached() override { detached = true; }
    bool ControlMessage(HWND control, UINT msg, WPARAM wParam, LPARAM, LRESULT& result) override {
        if (msg == WM_CHAR && control == second && wParam == 'x') {
            ++hookedChars;  // swallowed: the field never sees it
            result = 0;
            return true;
        }
        if (msg == WM_CHAR && control == second && wParam == '!') throw std::runtime_error("Hook failed");
        return false;
    }
};

HWND FocusOfThread() {
    GUITHREADINFO info{sizeof info};
    GetGUIThreadInfo(GetCurrentThreadId(), &info);
    return info.hwndFocus;
}

void TypeChar(char c) {
    INPUT input[2]{};
    const SHORT vk = VkKeyScanA(c);
    for (auto& i : input) {
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = static_cast<WORD>(vk & 0xFF);
    }
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
    PumpMessages();
}

void Activate(HWND window) {
    SetForegroundWindow(window);
    SetActiveWindow(window);
    WaitUntil([&] { return GetForegroundWindow() == window; });
    PumpMessages();
}

}  // namespace

TEST(WindowLayer, AttachesAtCreationAndDetachesAtDestruction) {
    auto* form = new TwoFields("Layer");
    ASSERT_NE(form->hwnd(), nullptr);
    EXPECT_EQ(form->creates, 1) << "WM_CREATE reaches the object";
    EXPECT_EQ(GetDlgItem(form->hwnd(), kSecondEdit), form->second);
    const HWND hwnd = form->hwnd();
    DestroyWindow(hwnd);
    EXPECT_TRUE(form->destroyed);
    EXPECT_TRUE(form->detached);
    EXPECT_EQ(form->hwnd(), nullptr);
    EXPECT_FALSE(IsWindow(hwnd));
    delete form;
}

TEST(WindowLayer, AFailingHandlerIsShownAndTheWindowGoesOn) {
    TwoFields form("Failing");
    std::string text;
    DriveModal([&] { SendMessageA(form.hwnd(), kMsgThrow, 0, 0); },
               [&] {
                   auto box = WaitForMessageBox();
                   ASSERT_TRUE(box.has_value());
                   text = box->text;
                   AnswerMessageBox(*box, IDOK);
               });
    EXPECT_EQ(text, "Unable to write to c:\\nowhere\\morvel.ini");
    EXPECT_TRUE(IsWindow(form.hwnd()));
    SetWindowTextA(form.first, "still here");
    EXPECT_EQ(win::WindowText(form.first), "still here");
}

TEST(WindowLayer, ActivationGivesTheFocusToTheRememberedChild) {
    TwoFields form("Remembers", 40);
    Activate(form.hwnd());
    EXPECT_EQ(FocusOfThread(), form.first) << "the child chosen at creation";
    SetFocus(form.second);
    TwoFields other("Other", 400);
    Activate(other.hwnd());
    ASSERT_EQ(GetForegroundWindow(), other.hwnd());
    Activate(form.hwnd());
    EXPECT_EQ(FocusOfThread(), form.second) << "the child that had the focus when the window was left";
    TypeChar('a');
    EXPECT_EQ(win::WindowText(form.second), "a") << "keys reach the field at once";
}

TEST(WindowLayer, HookedControlsSeeKeysFirstAndFailuresStayInside) {
    TwoFields form("Hooked");
    Activate(form.hwnd());
    SetFocus(form.second);
    TypeChar('x');
    TypeChar('y');
    EXPECT_EQ(form.hookedChars, 1);
    EXPECT_EQ(win::WindowText(form.second), "y");
    std::string text;
    DriveModal([&] { SendMessageA(form.second, WM_CHAR, '!', 0); },
               [&] {
                   auto box = WaitForMessageBox();
                   ASSERT_TRUE(box.has_value());
                   text = box->text;
                   AnswerMessageBox(*box, IDOK);
               });
    EXPECT_EQ(text, "Hook failed");
    EXPECT_EQ(win::WindowText(form.second), "y");
}

TEST(WindowLayer, ModalRunDisablesTheThreadsWindowsAndGivesActivationBack) {
    TwoFields host("Host", 40);
    TwoFields beside("Beside", 400);
    Activate(host.hwnd());
    SetFocus(host.second);
    const HWND before = GetActiveWindow();
    TwoFields modal("Modal", 200);
    modal.watched = host.hwnd();
    {
        win::ModalRun run(modal.hwnd(), before);
        Activate(modal.hwnd());
        EXPECT_FALSE(IsWindowEnabled(host.hwnd()));
        EXPECT_FALSE(IsWindowEnabled(beside.hwnd()));
        EXPECT_TRUE(IsWindowEnabled(modal.hwnd()));
        int ticks = 0;
        SetTimer(modal.hwnd(), 1, 20, nullptr);
        EXPECT_TRUE(run.Loop([&] {
            ++ticks;
            return ticks > 3;
        }));
        KillTimer(modal.hwnd(), 1);
        run.End();
        EXPECT_FALSE(IsWindowVisible(modal.hwnd()));
    }
    EXPECT_EQ(modal.watchedEnabledAtHide, 1) << "owners are enabled before the modal window hides";
    EXPECT_TRUE(IsWindowEnabled(beside.hwnd()));
    PumpMessages();
    EXPECT_EQ(GetForegroundWindow(), host.hwnd()) << "the window active before the run is active again";
    EXPECT_EQ(FocusOfThread(), host.second);
}

TEST(WindowLayer, ModalRunKeepsAQuitForTheOuterLoop) {
    TwoFields modal("Quitting");
    win::ModalRun run(modal.hwnd());
    PostQuitMessage(7);
    EXPECT_FALSE(run.Loop([] { return false; }));
    run.End();
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST(WindowLayer, BusyCursorHoldsAcrossMouseMoves) {
    TwoFields form("Busy");
    Activate(form.hwnd());
    const HCURSOR wait = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT));
    {
        win::BusyCursor busy;
        SendMessageA(form.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(form.first),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(GetCursor(), wait);
    }
    SendMessageA(form.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(form.hwnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(GetCursor(), wait);
}

TEST(WindowLayer, ClassesAreRegisteredOnceAndGoAtUnload) {
    const win::WindowClass cls{.name = "MorvelLayerOnce"};
    win::RegisterWindowClass(cls);
    win::RegisterWindowClass(cls);  // a second call only checks
    WNDCLASSA info{};
    EXPECT_TRUE(GetClassInfoA(win::ModuleInstance(), cls.name, &info));
    win::UnregisterWindowClasses();
    EXPECT_FALSE(GetClassInfoA(win::ModuleInstance(), cls.name, &info));
    EXPECT_FALSE(GetClassInfoA(win::ModuleInstance(), kTestClass.name, &info));
}

namespace {

constexpr UINT kMsgCloseFromHandler = WM_APP + 2;

// A window that owns itself, and records what happens to it in order.
class SelfOwned final : public win::Window {
public:
    explicit SelfOwned(std::string& log, bool refuseCreation = false) : log_(log), refuse_(refuseCreation) {}
    ~SelfOwned() override { log_ += "deleted;"; }

protected:
    LRESULT WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_CREATE && refuse_) return -1;
        if (msg == kMsgCloseFromHandler) {
            DestroyWindow(hwnd());
            log_ += "handler goes on;";  // the object is still there after its window has gone
            return 0;
        }
        return DefaultMessage(msg, wParam, lParam);
    }
    void OnDetached() override {
        log_ += "detached;";
        delete this;
    }

private:
    std::string& log_;
    bool refuse_;
};

const win::WindowClass kSelfOwnedClass{.name = "MorvelLayerSelfOwned"};

}  // namespace

TEST(WindowLayer, AnObjectThatClosesItsWindowInAHandlerIsDeletedAfterTheHandler) {
    std::string log;
    const HWND window = win::Window::CreateOwned(std::make_unique<SelfOwned>(log), kSelfOwnedClass,
                                                 {.title = "Self", .style = WS_POPUP});
    ASSERT_NE(window, nullptr);
    SendMessageA(window, kMsgCloseFromHandler, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(log, "handler goes on;detached;deleted;");
}

TEST(WindowLayer, CreateOwnedDeletesTheObjectOfARefusedWindow) {
    std::string log;
    const HWND window = win::Window::CreateOwned(std::make_unique<SelfOwned>(log, true), kSelfOwnedClass,
                                                 {.title = "Refused", .style = WS_POPUP});
    EXPECT_EQ(window, nullptr);
    EXPECT_EQ(log, "detached;deleted;");
}

namespace {

constexpr int kNameLabel = 201, kNameEdit = 202, kOkButton = 203, kCancelButton = 204, kKindCombo = 205;
const win::WindowClass kDialogClass{.name = "MorvelLayerDialog"};

// A dialog as the library's dialogs are made: a table in design pixels, a label whose letter
// reaches its field, OK and Cancel; the typed name is its result.
class NameDialog final : public win::Dialog {
public:
    std::string name;  // the result, after OK
    win::ComboBox kinds;
    std::string kindChanges;

    int Open(HWND owner) {
        if (!CreateFrame(kDialogClass, "Name", 300, 100, owner)) return -2;
        return Run();
    }

protected:
    int CancelResult() const override { return IDCANCEL; }
    int DefaultId() const override { return kOkButton; }
    bool KeyPreview(const MSG& msg) override {
        if (msg.message != WM_SYSCHAR) return false;
        const win::LabelTarget labels[] = {{Item(kNameLabel), Item(kNameEdit)}};
        return win::LabelLetter(static_cast<char>(msg.wParam), labels);
    }
    LRESULT WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_CREATE) {
            static constexpr win::ChildArgs kControls[] = {
                {.text = "&Name:", .id = kNameLabel, .x = 10, .y = 10, .width = 60, .height = 20},
                {.className = "EDIT", .id = kNameEdit, .style = WS_TABSTOP, .exStyle = WS_EX_CLIENTEDGE,
                 .x = 80, .y = 10, .width = 200, .height = 25},
                {.className = "BUTTON", .text = "OK", .id = kOkButton, .style = BS_DEFPUSHBUTTON | WS_TABSTOP,
                 .x = 80, .y = 60, .width = 90, .height = 30},
                {.className = "BUTTON", .text = "Cancel", .id = kCancelButton, .style = WS_TABSTOP,
                 .x = 190, .y = 60, .width = 90, .height = 30},
                {.className = "COMBOBOX", .id = kKindCombo, .style = CBS_DROPDOWNLIST | WS_TABSTOP,
                 .x = 10, .y = 60, .width = 60, .height = 100},
            };
            CreateControls(kControls);
            kinds.Attach(Item(kKindCombo));
            for (const char* kind : {"a", "b", "c"}) kinds.Add(kind);
            kinds.Select(0);
            RememberFocus(Item(kOkButton));
            return 0;
        }
        return Dialog::WindowMessage(msg, wParam, lParam);
    }
    void OnCommand(int id, int code) override {
        if (id == kKindCombo && code == CBN_SELCHANGE) kindChanges += std::to_string(kinds.Selection()) + ";";
        if (id == kOkButton || id == IDOK) {
            name = win::WindowText(Item(kNameEdit));
            End(IDOK);
        } else if (id == kCancelButton || id == IDCANCEL) {
            End(IDCANCEL);
        }
    }
};

}  // namespace

TEST(WindowLayer, ADialogRunsOnItsOwnKeysAndReturnsItsResult) {
    TwoFields host("Dialog host");
    Activate(host.hwnd());
    SetFocus(host.second);
    NameDialog dialog;
    int result = 0;
    RECT client{};
    HWND edit = nullptr;
    DriveModal([&] { result = dialog.Open(host.hwnd()); },
               [&] {
                   const HWND window = WaitForWindow("Name", kDialogClass.name);
                   ASSERT_NE(window, nullptr);
                   GetClientRect(window, &client);
                   edit = Control(window, kNameEdit);
                   ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }));
                   PressKey({VK_MENU}, 'N');  // the label's letter gives its field the focus
                   ASSERT_TRUE(WaitForFocus(window, edit));
                   TypeText("Ann");
                   PressKey(VK_RETURN);  // no push button has the focus: the default button
               });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.name, "Ann");
    const int dpi = win::ScreenDpi();
    EXPECT_EQ(client.right, MulDiv(300, dpi, 120)) << "design pixels are at 120 dpi";
    EXPECT_EQ(client.bottom, MulDiv(100, dpi, 120));
    EXPECT_FALSE(IsWindow(edit)) << "the run destroys the dialog";
    EXPECT_TRUE(IsWindowEnabled(host.hwnd()));
    PumpMessages();
    EXPECT_EQ(FocusOfThread(), host.second) << "the focus goes back where it was";
}

TEST(WindowLayer, ADialogClosedWithoutEndGivesItsCancelResult) {
    TwoFields host("Dialog host");
    Activate(host.hwnd());
    for (const bool byEscape : {true, false}) {
        NameDialog dialog;
        int result = 0;
        DriveModal([&] { result = dialog.Open(host.hwnd()); },
                   [&] {
                       const HWND window = WaitForWindow("Name", kDialogClass.name);
                       ASSERT_NE(window, nullptr);
                       ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }));
                       if (byEscape) {
                           PressKey(VK_ESCAPE);
                       } else {
                           PostMessageA(window, WM_CLOSE, 0, 0);
                       }
                   });
        EXPECT_EQ(result, IDCANCEL) << (byEscape ? "Escape" : "WM_CLOSE");
        EXPECT_EQ(dialog.name, "");
    }
}

namespace {

constexpr int kCmdMark = 1, kCmdClear = 2;
const win::WindowClass kKeyedClass{.name = "MorvelLayerKeyed"};

// A window beside the host, as the player and the Explorer are: three fields in a fixed Tab
// order that is not their creation order, two command keys, and a bar that holds a value.
class KeyedWindow final : public win::Window {
public:
    KeyedWindow() {
        Create(kKeyedClass, {.title = "Keyed",
                             .style = WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                             .x = 60,
                             .y = 60,
                             .width = 320,
                             .height = 220});
    }
    HWND fields[3]{};
    win::ScrollBar bar;
    std::string commands;
    std::string changes;

protected:
    LRESULT WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg != WM_CREATE) return DefaultMessage(msg, wParam, lParam);
        for (int i = 0; i < 3; ++i) {
            fields[i] = win::CreateChild(hwnd(), {.className = "EDIT",
                                                  .id = 300 + i,
                                                  .style = WS_TABSTOP,
                                                  .exStyle = WS_EX_CLIENTEDGE,
                                                  .x = 8,
                                                  .y = 8 + 30 * i,
                                                  .width = 200,
                                                  .height = 22});
        }
        bar.Attach(win::CreateChild(hwnd(), {.className = "SCROLLBAR",
                                             .id = 310,
                                             .style = SBS_HORZ | WS_TABSTOP,
                                             .x = 8,
                                             .y = 110,
                                             .width = 200,
                                             .height = 20}),
                   {.min = 2, .max = 255, .smallStep = 1, .largeStep = 10}, 100);
        bar.onChange = [this](int position) { changes += std::to_string(position) + ";"; };
        RememberFocus(fields[0]);
        TakeKeysFromHostLoop();
        return 0;
    }
    bool KeyPreview(const MSG& msg) override {
        static constexpr win::Key kKeys[] = {{'K', win::kCtrl, kCmdMark}, {'K', win::kCtrl | win::kShift, kCmdClear}};
        if (const win::Key* key = win::FindKey(kKeys, msg)) {
            commands += key->command == kCmdMark ? "mark;" : "clear;";
            return true;
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB) {
            const HWND cycle[] = {fields[2], fields[0], fields[1], bar.hwnd()};
            return win::CycleFocus(cycle, (win::HeldModifiers() & win::kShift) != 0);
        }
        return msg.message == WM_CHAR && msg.wParam == '\t';
    }
};

void Press(std::initializer_list<WORD> modifiers, WORD key) {
    PressKey(modifiers, key);
    PumpMessages();
}

}  // namespace

TEST(WindowLayer, AModelessWindowTakesItsKeysFromTheHostLoopBeforeItsControls) {
    KeyedWindow window;
    Activate(window.hwnd());
    ASSERT_EQ(FocusOfThread(), window.fields[0]);
    Press({VK_CONTROL}, 'K');
    Press({VK_CONTROL, VK_SHIFT}, 'K');
    Press({VK_MENU}, 'K');  // not in the table: the field's
    Press({}, 'K');
    EXPECT_EQ(window.commands, "mark;clear;");
    EXPECT_EQ(win::WindowText(window.fields[0]), "k") << "only the key no entry holds reaches the field";

    EnableWindow(window.fields[1], FALSE);
    const struct {
        std::initializer_list<WORD> modifiers;
        int focusAfter;  // index into fields, 3 for the bar
    } steps[] = {{{}, 3}, {{}, 2}, {{}, 0}, {{VK_SHIFT}, 2}, {{VK_SHIFT}, 3}};
    const HWND targets[] = {window.fields[0], window.fields[1], window.fields[2], window.bar.hwnd()};
    for (const auto& step : steps) {
        Press(step.modifiers, VK_TAB);
        EXPECT_EQ(FocusOfThread(), targets[step.focusAfter]) << "step to " << step.focusAfter;
    }

    DestroyWindow(window.hwnd());
    TwoFields after("After");
    Activate(after.hwnd());
    Press({}, VK_TAB);
    EXPECT_EQ(FocusOfThread(), after.first) << "the hook went with the last window that asked for it";
}

TEST(WindowLayer, AScrollBarMovesByItsStepsWithinItsRangeAndTellsEachChange) {
    KeyedWindow window;
    Activate(window.hwnd());
    SetFocus(window.bar.hwnd());
    const struct {
        WORD key;
        int position;
    } steps[] = {{VK_RIGHT, 101}, {VK_NEXT, 111},  {VK_LEFT, 110}, {VK_PRIOR, 100},
                 {VK_END, 255},   {VK_RIGHT, 255}, {VK_HOME, 2},   {VK_PRIOR, 2}};
    for (const auto& step : steps) {
        Press({}, step.key);
        EXPECT_EQ(window.bar.Position(), step.position) << "key " << step.key;
        EXPECT_EQ(SendMessageA(window.bar.hwnd(), SBM_GETPOS, 0, 0), step.position) << "the control shows it";
    }
    EXPECT_EQ(window.changes, "101;111;110;100;255;2;") << "one change for each move, none at the ends";
    EXPECT_FALSE(window.bar.SetPosition(2)) << "already there";
    EXPECT_TRUE(window.bar.SetPosition(999));
    EXPECT_EQ(window.bar.Position(), 255);
    EXPECT_EQ(window.changes, "101;111;110;100;255;2;") << "the program's moves are not the user's";
}

TEST(WindowLayer, ADialogHearsItsControlsNotificationsThroughOnCommand) {
    TwoFields host("Dialog host");
    Activate(host.hwnd());
    NameDialog dialog;
    int result = 0;
    DriveModal([&] { result = dialog.Open(host.hwnd()); },
               [&] {
                   const HWND window = WaitForWindow("Name", kDialogClass.name);
                   ASSERT_NE(window, nullptr);
                   ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }));
                   PressKey(VK_TAB);
                   PressKey(VK_TAB);
                   ASSERT_TRUE(WaitForFocus(window, Control(window, kKindCombo)));
                   PressKey(VK_DOWN);
                   PressKey(VK_DOWN);
                   PressKey(VK_ESCAPE);
               });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dialog.kindChanges, "1;2;");
}
