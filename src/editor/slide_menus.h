// The slide attribute menus as data, CommonAction's choice of menu and its position,
// and what a chosen entry does to the selected row or, in global mode, to every slide.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "editor/slide_table.h"

namespace morvel::editor {

enum class MenuId { Effect, Loop, Wait, HPos, VPos, Size, Volume, Speed, Colour };

// What an entry gives: its caption (effect, loop, positions), a fixed value, a free value asked
// with the numeric entry dialog, no background, or a colour from the colour dialog.
enum class EntryKind { Caption, Fixed, Free, NoColour, UserColour };

struct MenuEntry {
    std::string_view caption;
    EntryKind kind;
    std::int64_t value = 0;      // Fixed: the value written (colours: the Windows colour value)
    bool columnBreak = false;    // the entry starts the menu's second column
};

std::span<const MenuEntry> MenuEntries(MenuId menu);
// The column whose cell the menu sets.
int MenuColumn(MenuId menu);
// The menu's name in the layout (mnuFX, mnuFLI, ...).
std::string_view MenuName(MenuId menu);

// The numeric entry dialog of a menu's free entry.
struct FreeValueDialog {
    std::string_view caption;
    std::int32_t minimum;
    std::int32_t maximum;
    std::int32_t initial;
    std::int32_t smallStep;
    std::int32_t largeStep;
};
// For Wait, HPos, VPos, Size, Volume, Speed and Loop; the screen size bounds the positions.
FreeValueDialog FreeValueDialogOf(MenuId menu, int screenWidth, int screenHeight);
// The CD track dialog of "C&D track".
FreeValueDialog CdTrackDialog();

// What CommonAction (and Global) do with the selected cell.
enum class CellAction { Nothing, ReplaceFile, OpenMenu };
struct CellActionResult {
    CellAction action = CellAction::Nothing;
    MenuId menu = MenuId::Effect;
};
CellActionResult ActionForCell(const SlideTable& table);

// The menu's top-centre in screen coordinates: centred on the window's middle, a quarter down.
struct MenuAnchor {
    int x;
    int y;
};
MenuAnchor MenuPosition(int windowLeft, int windowTop, int windowWidth, int windowHeight);

// A chosen entry: its position in its menu, and for free entries the value given (a cancelled
// dialog is no choice at all), for "&User Color" the colour chosen.
struct Choice {
    MenuId menu;
    int position;
    std::int64_t freeValue = 0;
};

// Applies the choice to the selected row, or with globalMode to every slide it reaches. Returns
// whether the selection display is to be refreshed (the colour entries).
bool ApplyChoice(SlideTable& table, const Choice& choice, bool globalMode);
// The choice on the given rows as a Global sets it on the whole column: a row where the entry
// does not apply (the mark in its cell, or not looping for a loop entry) is left as it is.
bool ApplyChoice(SlideTable& table, const Choice& choice, const std::vector<int>& rows);

// The global modify operations: the value goes to every row whose cell is not the mark.
void GlobalModify(SlideTable& table, int column, const std::string& value);
// Columns 8 and 9: "Mid" makes both positions "Mid".
void GlobalModifyPOS(SlideTable& table, int column, const std::string& value);
// Only slides that are not looping / only looping slides.
void GlobalModifyFX(SlideTable& table, int column, const std::string& value);
void GlobalModifyLOOP(SlideTable& table, int column, const std::string& value);

}  // namespace morvel::editor
