// The integrator's header against the library's own tables: the effect names and numbers the
// editor shows, and the format codes the save and convert dialogs return.
#include <gtest/gtest.h>

#include <set>
#include <string_view>

#include "editor/avl_file.h"
#include "explorer/save_formats.h"
#include "morvel32.h"

namespace {

using namespace morvel;

TEST(HeaderValues, EffectNamesAreTheEditorsByNumber) {
    static const char* const names[MORVEL_FX_COUNT] = MORVEL_FX_NAMES;
    ASSERT_EQ(MORVEL_FX_COUNT, editor::kEffectCount);
    for (int number = 0; number < MORVEL_FX_COUNT; ++number) {
        EXPECT_EQ(std::string_view(names[number]), editor::EffectName(number)) << number;
    }
    EXPECT_EQ(editor::EffectName(MORVEL_FX_SPIRAL_IN), "Spiral In");
}

// The header names every code a save or convert dialog can return, and no other.
TEST(HeaderValues, FormatCodesAreTheOnesTheDialogsReturn) {
    const std::set<int> named = {MORVEL_FORMAT_CMP,          MORVEL_FORMAT_JPG,           MORVEL_FORMAT_BMP,
                                 MORVEL_FORMAT_BMP_OS2,      MORVEL_FORMAT_TIF,           MORVEL_FORMAT_TGA,
                                 MORVEL_FORMAT_PCX,          MORVEL_FORMAT_CAL,           MORVEL_FORMAT_WPG,
                                 MORVEL_FORMAT_RAS,          MORVEL_FORMAT_PCT,           MORVEL_FORMAT_TIF_CCITT,
                                 MORVEL_FORMAT_TIF_G3_1D,    MORVEL_FORMAT_TIF_G3_2D,     MORVEL_FORMAT_TIF_G4,
                                 MORVEL_FORMAT_PNG,          MORVEL_FORMAT_PSD,           MORVEL_FORMAT_PIC,
                                 MORVEL_FORMAT_JPG_ENHANCED, MORVEL_FORMAT_LEAD_JPG_GRAY, MORVEL_FORMAT_JPG_GRAY};
    std::set<int> offered;
    for (const explorer_rules::DepthRow& row : explorer_rules::kDepthTable) {
        for (const explorer_rules::FormatEntry& entry : explorer_rules::FormatList(row.depth, false)) {
            offered.insert(entry.code);
            EXPECT_TRUE(entry.label.substr(0, 3) != "TGA" || entry.code == MORVEL_FORMAT_TGA) << entry.label;
        }
    }
    EXPECT_EQ(offered, named);
}

}  // namespace
