#include "common/design_scale.h"

#include <gtest/gtest.h>

using morvel::DesignScale;

namespace {

struct ScaleCase {
    int dpi;
    int design;
    int pixels;
};

TEST(DesignScale, LengthsAtEachResolution) {
    const ScaleCase cases[] = {
        {120, 413, 413},  {96, 413, 330},   {144, 413, 496},  {192, 413, 661},  // 330.4, 495.6, 660.8
        {96, 24, 19},     {144, 24, 29},    {192, 24, 38},                      // 19.2, 28.8, 38.4
        {100, 3, 3},      {100, -3, -3},                                        // 2.5 rounds away from zero
        {96, 1, 1},       {72, 1, 1},       {72, -1, -1},     {96, 0, 0},       // never vanishes
        {0, 120, 96},     {-5, 120, 96},                                        // no resolution given
        {192, 1000000000, 1600000000},                                          // no overflow on the way
    };
    for (const ScaleCase& c : cases) {
        EXPECT_EQ(DesignScale(c.dpi)(c.design), c.pixels) << c.design << " design pixels at " << c.dpi << " dpi";
    }
    EXPECT_EQ(DesignScale()(413), 413) << "the design resolution itself";
}

TEST(DesignScale, FontPointsAtEachResolution) {
    const ScaleCase cases[] = {
        {96, 8, 11}, {120, 8, 13}, {144, 8, 16}, {192, 8, 21},  // 10.67, 13.33, 16, 21.33
        {96, 9, 12}, {192, 10, 27}, {96, 0, 0},                 // 26.67
    };
    for (const ScaleCase& c : cases) {
        EXPECT_EQ(DesignScale(c.dpi).FontPixels(c.design), c.pixels) << c.design << " pt at " << c.dpi << " dpi";
    }
}

}  // namespace
