#include "editor/slide_menus.h"

#include <array>
#include <utility>
#include <vector>

#include "editor/avl_file.h"

namespace morvel::editor {

namespace {

using K = EntryKind;

constexpr std::array<MenuEntry, 30> kEffectMenu = {{
    {"none", K::Caption},          {"Wipe Dn", K::Caption},       {"Wipe Up", K::Caption},
    {"Wipe Rt", K::Caption},       {"Wipe Lf", K::Caption},       {"Rnd Pix", K::Caption},
    {"Rnd SmlBox", K::Caption},    {"Rnd MedBox", K::Caption},    {"Rnd LgBox", K::Caption},
    {"Rnd HorzLines", K::Caption}, {"Rnd VertLines", K::Caption}, {"Out VertLines", K::Caption},
    {"Out HorzLines", K::Caption}, {"Horz Interlace", K::Caption}, {"Vert Interlace", K::Caption},
    {"OutToIn", K::Caption, 0, true}, {"InToOut", K::Caption},    {"InToOut Lace", K::Caption},
    {"OutToIn Lace", K::Caption},  {"Spiral In", K::Caption},     {"Spiral Out", K::Caption},
    {"In HorzLines", K::Caption},  {"In VertLines", K::Caption},  {"Vert Lace In", K::Caption},
    {"Horz Lace In", K::Caption},  {"Interlace Rt", K::Caption},  {"Interlace Lf", K::Caption},
    {"Interlace Up", K::Caption},  {"Interlace Dn", K::Caption},  {"Random FX", K::Caption},
}};

constexpr std::array<MenuEntry, 5> kLoopMenu = {{
    {"Loop 1x", K::Caption}, {"Loop 2x", K::Caption}, {"Loop 3x", K::Caption}, {"Loop 4x", K::Caption},
    {"Loop N times", K::Free},
}};

constexpr std::array<MenuEntry, 12> kWaitMenu = {{
    {"none", K::Fixed, 0},       {"1 second", K::Fixed, 1},   {"2 seconds", K::Fixed, 2},
    {"5 seconds", K::Fixed, 5},  {"10 seconds", K::Fixed, 10}, {"20 seconds", K::Fixed, 20},
    {"30 seconds", K::Fixed, 30}, {"1 minute", K::Fixed, 60, true}, {"2 minutes", K::Fixed, 120},
    {"3 minutes", K::Fixed, 180}, {"5 minutes", K::Fixed, 300}, {"User", K::Free},
}};

constexpr std::array<MenuEntry, 3> kHPosMenu = {{{"Left", K::Caption}, {"Mid", K::Caption}, {"&User", K::Free}}};
constexpr std::array<MenuEntry, 3> kVPosMenu = {{{"Top", K::Caption}, {"Mid", K::Caption}, {"&User", K::Free}}};

constexpr std::array<MenuEntry, 6> kSizeMenu = {{
    {"50%", K::Fixed, 50}, {"100%", K::Fixed, 100}, {"200%", K::Fixed, 200},
    {"300%", K::Fixed, 300}, {"400%", K::Fixed, 400}, {"&User", K::Free},
}};
constexpr std::array<MenuEntry, 5> kVolumeMenu = {{
    {"Off", K::Fixed, 0}, {"50%", K::Fixed, 50}, {"75%", K::Fixed, 75}, {"100%", K::Fixed, 100}, {"&User", K::Free},
}};
constexpr std::array<MenuEntry, 5> kSpeedMenu = {{
    {"50%", K::Fixed, 50}, {"100%", K::Fixed, 100}, {"150%", K::Fixed, 150}, {"200%", K::Fixed, 200},
    {"&User", K::Free},
}};

constexpr std::array<MenuEntry, 18> kColourMenu = {{
    {"none", K::NoColour},
    {"Black", K::Fixed, 0},
    {"Navy Blue", K::Fixed, 8388608},
    {"Green", K::Fixed, 32768},
    {"Teal", K::Fixed, 8421376},
    {"Maroon", K::Fixed, 128},
    {"Purple", K::Fixed, 8388736},
    {"Olive", K::Fixed, 32896},
    {"Silver", K::Fixed, 12632256},
    {"&User Color", K::UserColour, 0, true},
    {"Gray", K::Fixed, 8421504},
    {"Blue", K::Fixed, 16711680},
    {"Lime", K::Fixed, 65280},
    {"Aqua", K::Fixed, 16776960},
    {"Red", K::Fixed, 255},
    {"Fuchsia", K::Fixed, 16711935},
    {"Yellow", K::Fixed, 65535},
    {"White", K::Fixed, 16777215},
}};

void SetPositions(Slide& s, int column, const std::string& value) {
    s[column] = value;
    if (value == "Mid") {
        s[kColHPos] = "Mid";
        s[kColVPos] = "Mid";
    }
}

}  // namespace

std::span<const MenuEntry> MenuEntries(MenuId menu) {
    switch (menu) {
        case MenuId::Effect: return kEffectMenu;
        case MenuId::Loop: return kLoopMenu;
        case MenuId::Wait: return kWaitMenu;
        case MenuId::HPos: return kHPosMenu;
        case MenuId::VPos: return kVPosMenu;
        case MenuId::Size: return kSizeMenu;
        case MenuId::Volume: return kVolumeMenu;
        case MenuId::Speed: return kSpeedMenu;
        case MenuId::Colour: return kColourMenu;
    }
    return {};
}

int MenuColumn(MenuId menu) {
    switch (menu) {
        case MenuId::Effect:
        case MenuId::Loop: return kColEffect;
        case MenuId::Wait: return kColWait;
        case MenuId::HPos: return kColHPos;
        case MenuId::VPos: return kColVPos;
        case MenuId::Size: return kColZoom;
        case MenuId::Volume: return kColVolume;
        case MenuId::Speed: return kColSpeed;
        case MenuId::Colour: return kColBackground;
    }
    return kColName;
}

std::string_view MenuName(MenuId menu) {
    switch (menu) {
        case MenuId::Effect: return "mnuFX";
        case MenuId::Loop: return "mnuFLI";
        case MenuId::Wait: return "mnuWait";
        case MenuId::HPos: return "mnuHPOS";
        case MenuId::VPos: return "mnuVPOS";
        case MenuId::Size: return "mnuSIZE";
        case MenuId::Volume: return "mnuVOL";
        case MenuId::Speed: return "mnuSPD";
        case MenuId::Colour: return "mnuColor";
    }
    return {};
}

FreeValueDialog FreeValueDialogOf(MenuId menu, int screenWidth, int screenHeight) {
    switch (menu) {
        case MenuId::Wait: return {"Slide Delay/Wait (secs)", 0, 32000, 0, 1, 60};
        case MenuId::HPos: return {"Horizontal Position (pixels)", 0, screenWidth - 33, 0, 1, 10};
        case MenuId::VPos: return {"Vertical Position (pixels)", 0, screenHeight - 33, 0, 1, 10};
        case MenuId::Size: return {"Video Zoom Factor (%)", 25, 400, 100, 1, 25};
        case MenuId::Volume: return {"Audio Volume Factor (%)", 0, 100, 50, 1, 10};
        case MenuId::Speed: return {"Video Speed Factor (%)", 25, 200, 100, 1, 25};
        case MenuId::Loop: return {"Loop Animation N Times", 1, 20, 1, 1, 1};
        case MenuId::Effect:
        case MenuId::Colour: break;
    }
    return {"", 0, 0, 0, 1, 1};
}

FreeValueDialog CdTrackDialog() { return {"CD Audio Track Selection", 1, 99, 1, 1, 1}; }

CellActionResult ActionForCell(const SlideTable& table) {
    const Slide& s = table.Selected();
    const int c = table.selectedColumn();
    if (s.IsMark(c)) return {};
    switch (c) {
        case kColName: return {CellAction::ReplaceFile, MenuId::Effect};
        case kColBackground: return {CellAction::OpenMenu, MenuId::Colour};
        case kColEffect: return {CellAction::OpenMenu, IsLooping(s) ? MenuId::Loop : MenuId::Effect};
        case kColWait: return {CellAction::OpenMenu, MenuId::Wait};
        case kColHPos: return {CellAction::OpenMenu, MenuId::HPos};
        case kColVPos: return {CellAction::OpenMenu, MenuId::VPos};
        case kColZoom: return {CellAction::OpenMenu, MenuId::Size};
        case kColVolume: return {CellAction::OpenMenu, MenuId::Volume};
        case kColSpeed: return {CellAction::OpenMenu, MenuId::Speed};
        default: return {};
    }
}

MenuAnchor MenuPosition(int windowLeft, int windowTop, int windowWidth, int windowHeight) {
    return {windowLeft + windowWidth / 2, windowTop + windowHeight / 4};
}

void GlobalModify(SlideTable& table, int column, const std::string& value) {
    for (int r = 1; r <= table.RowCount(); ++r) {
        if (!table.Row(r).IsMark(column)) table.Row(r)[column] = value;
    }
}

void GlobalModifyPOS(SlideTable& table, int column, const std::string& value) {
    for (int r = 1; r <= table.RowCount(); ++r) {
        if (!table.Row(r).IsMark(column)) SetPositions(table.Row(r), column, value);
    }
}

void GlobalModifyFX(SlideTable& table, int column, const std::string& value) {
    for (int r = 1; r <= table.RowCount(); ++r) {
        Slide& s = table.Row(r);
        if (!IsLooping(s) && !s.IsMark(column)) s[column] = value;
    }
}

void GlobalModifyLOOP(SlideTable& table, int column, const std::string& value) {
    for (int r = 1; r <= table.RowCount(); ++r) {
        Slide& s = table.Row(r);
        if (IsLooping(s) && !s.IsMark(column)) s[column] = value;
    }
}

namespace {

// The text an entry writes into its column.
std::string EntryValue(const MenuEntry& entry, const Choice& choice) {
    return entry.kind == EntryKind::Fixed     ? std::to_string(entry.value)
           : entry.kind == EntryKind::Caption ? std::string(entry.caption)
                                              : std::to_string(choice.freeValue);
}

const MenuEntry* EntryOf(const Choice& choice) {
    const auto entries = MenuEntries(choice.menu);
    if (choice.position < 0 || static_cast<std::size_t>(choice.position) >= entries.size()) return nullptr;
    return &entries[static_cast<std::size_t>(choice.position)];
}

// The loop entry's caption and value field.
std::pair<std::string, std::string> LoopTexts(const MenuEntry& entry, const Choice& choice) {
    const std::int64_t count = entry.kind == EntryKind::Free ? choice.freeValue : choice.position + 1;
    return {"Loop " + std::to_string(count) + "x", std::to_string(count - 1)};
}

}  // namespace

bool ApplyChoice(SlideTable& table, const Choice& choice, const std::vector<int>& rows) {
    const MenuEntry* entry = EntryOf(choice);
    if (!entry) return false;
    const int column = MenuColumn(choice.menu);
    const std::string value = EntryValue(*entry, choice);
    const auto each = [&](auto&& change) {
        for (const int r : rows) {
            if (r >= 1 && r <= table.RowCount()) change(table.Row(r));
        }
    };
    switch (choice.menu) {
        case MenuId::Effect: {
            // Slides that are not looping and have an effect: name and number together.
            const std::string number = std::to_string(choice.position);
            each([&](Slide& s) {
                if (IsLooping(s) || s.IsMark(kColEffect)) return;
                s[kColEffect] = value;
                s[kColValue] = number;
            });
            return false;
        }
        case MenuId::Loop: {
            const std::pair<std::string, std::string> loop = LoopTexts(*entry, choice);
            each([&](Slide& s) {
                if (!IsLooping(s)) return;
                if (!s.IsMark(kColEffect)) s[kColEffect] = loop.first;
                if (!s.IsMark(kColValue)) s[kColValue] = loop.second;
            });
            return false;
        }
        case MenuId::HPos:
        case MenuId::VPos:
            each([&](Slide& s) {
                if (!s.IsMark(column)) SetPositions(s, column, value);
            });
            return false;
        case MenuId::Colour:
            each([&](Slide& s) {
                if (entry->kind != EntryKind::NoColour && !s.IsMark(kColColour)) s[kColColour] = value;
                if (!s.IsMark(kColBackground)) s[kColBackground] = entry->kind == EntryKind::NoColour ? "No" : "Yes";
            });
            return true;
        case MenuId::Wait:
        case MenuId::Size:
        case MenuId::Volume:
        case MenuId::Speed:
            each([&](Slide& s) {
                if (!s.IsMark(column)) s[column] = value;
            });
            return false;
    }
    return false;
}

bool ApplyChoice(SlideTable& table, const Choice& choice, bool globalMode) {
    if (globalMode) {
        std::vector<int> every(static_cast<std::size_t>(table.RowCount()));
        for (std::size_t i = 0; i < every.size(); ++i) every[i] = static_cast<int>(i) + 1;
        return ApplyChoice(table, choice, every);
    }
    const MenuEntry* entry = EntryOf(choice);
    if (!entry) return false;
    Slide& row = table.Selected();
    const int column = MenuColumn(choice.menu);
    const std::string value = EntryValue(*entry, choice);
    switch (choice.menu) {
        case MenuId::Effect:
            row[kColEffect] = value;
            row[kColValue] = std::to_string(choice.position);
            return false;
        case MenuId::Loop: {
            const auto [caption, number] = LoopTexts(*entry, choice);
            row[kColEffect] = caption;
            row[kColValue] = number;
            return false;
        }
        case MenuId::HPos:
        case MenuId::VPos:
            if (entry->kind == EntryKind::Free) {
                row[column] = value;
            } else {
                SetPositions(row, column, value);
            }
            return false;
        case MenuId::Colour:
            row[kColBackground] = entry->kind == EntryKind::NoColour ? "No" : "Yes";
            if (entry->kind != EntryKind::NoColour) row[kColColour] = value;
            return true;
        case MenuId::Wait:
        case MenuId::Size:
        case MenuId::Volume:
        case MenuId::Speed:
            row[column] = value;
            return false;
    }
    return false;
}

}  // namespace morvel::editor
