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
    EXPECT_EQ(editor::EffectName(MORVEL_FX_WIPE_DOWN), "Wipe Dn");
    EXPECT_EQ(editor::EffectName(MORVEL_FX_OUT_TO_IN), "OutToIn");
    EXPECT_EQ(editor::EffectName(MORVEL_FX_RANDOM), "Random FX");
}

TEST(HeaderValues, EveryFormatCodeNamesTheFormatsTheDialogsOfferUnderIt) {
    struct Named {
        std::string_view labelStart;
        int code;
    };
    const Named named[] = {
        {"BMP Windows", MORVEL_FORMAT_BMP},
        {"DIB", MORVEL_FORMAT_BMP},
        {"BMP OS/2", MORVEL_FORMAT_BMP_OS2},
        {"CAL", MORVEL_FORMAT_CAL},
        {"CMP", MORVEL_FORMAT_CMP},
        {"JPG JPEG/JFIF(Normal)", MORVEL_FORMAT_JPG},
        {"JPG JPEG/JFIF(Enhanced)", MORVEL_FORMAT_JPG_ENHANCED},
        {"Lead \"JPEG\" [gray]", MORVEL_FORMAT_LEAD_JPG_GRAY},
        {"JPG JPEG/JFIF [gray]", MORVEL_FORMAT_JPG_GRAY},
        {"KQP", MORVEL_FORMAT_PIC},
        {"PIC", MORVEL_FORMAT_PIC},
        {"PCT", MORVEL_FORMAT_PCT},
        {"PCX", MORVEL_FORMAT_PCX},
        {"PNG", MORVEL_FORMAT_PNG},
        {"PSD", MORVEL_FORMAT_PSD},
        {"RAS", MORVEL_FORMAT_RAS},
        {"TGA", MORVEL_FORMAT_TGA},
        {"TIF Aldus TIFF CCITT", MORVEL_FORMAT_TIF_CCITT},
        {"TIF Aldus TIFF G3 1d", MORVEL_FORMAT_TIF_G3_1D},
        {"TIF Aldus TIFF G3 2d", MORVEL_FORMAT_TIF_G3_2D},
        {"TIF Aldus TIFF G4", MORVEL_FORMAT_TIF_G4},
        {"TIF Aldus TIFF", MORVEL_FORMAT_TIF},  // after its longer namesakes
        {"WPG", MORVEL_FORMAT_WPG},
    };
    std::set<int> offered;
    for (const explorer_rules::DepthRow& row : explorer_rules::kDepthTable) {
        for (const explorer_rules::FormatEntry& entry : explorer_rules::FormatList(row.depth, false)) {
            offered.insert(entry.code);
            const Named* match = nullptr;
            for (const Named& candidate : named) {
                if (entry.label.substr(0, candidate.labelStart.size()) == candidate.labelStart) {
                    match = &candidate;
                    break;
                }
            }
            ASSERT_NE(match, nullptr) << entry.label << " has no name in the header";
            EXPECT_EQ(entry.code, match->code) << entry.label;
        }
    }
    for (const Named& name : named) EXPECT_TRUE(offered.count(name.code)) << name.labelStart << " is never offered";
}

}  // namespace
