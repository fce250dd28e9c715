// SPDX-License-Identifier: GPL-3.0-or-later
// The plus and minus rules of the box search: sequences from 0, the pole
// rule and the buttons' enabling after a search.

#include <gtest/gtest.h>

#include <vector>

#include "stations/core/search_ranges.h"

using namespace ventoral;

namespace {

std::vector<float> sequence(float start, int steps, float (*rule)(float))
{
    std::vector<float> out;
    for (int i = 0; i < steps; ++i)
        out.push_back(start = rule(start));
    return out;
}

float latitudeIncrease(float r)
{
    return increasedLatitudeRange(r, SearchBox{});
}

} // namespace

TEST(RangeRules, LatitudeGrowsByHalvesThenOnesThenFives)
{
    EXPECT_EQ(sequence(0, 14, latitudeIncrease),
              (std::vector<float>{0.5f, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 20, 25}));
    EXPECT_EQ(sequence(0, 4, increasedLongitudeRange), (std::vector<float>{0.5f, 1, 2, 3}));
    EXPECT_FLOAT_EQ(increasedLongitudeRange(180), 180);
    EXPECT_EQ(sequence(8, 4, increasedBothLongitudeRange), (std::vector<float>{9, 10, 15, 20}));
    EXPECT_FLOAT_EQ(increasedBothLongitudeRange(178), 180);
}

TEST(RangeRules, DecreasesShrinkByFivesOnesAndHalves)
{
    EXPECT_EQ(sequence(20, 17, decreasedBothRange),
              (std::vector<float>{15, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0.5f, 0, 0, 0, 0, 0}));
    EXPECT_EQ(sequence(3, 4, decreasedLatitudeRange), (std::vector<float>{2, 1, 0.5f, 0}));
    EXPECT_FLOAT_EQ(decreasedLongitudeRange(20), 19);
}

TEST(RangeRules, PoleRuleStopsAtTheBoxEdge)
{
    SearchBox box;
    box.latMax = 90;
    box.latMin = 90;
    EXPECT_FLOAT_EQ(increasedLatitudeRange(5, box), 5);
    box.latMax = 90;
    box.latMin = 87;   // 88 +- 1 clamped
    // 90 - 87 added in place of the 5-degree step, then the one-degree step.
    EXPECT_FLOAT_EQ(increasedLatitudeRange(10, box), 13);
    box.latMin = -87;
    box.latMax = 87.5f;
    EXPECT_FLOAT_EQ(increasedLatitudeRange(20, box), 23);
}

TEST(RangeRules, BothAxesButtonChangesBoth)
{
    const SearchRanges r = changedRanges(RangeButton::IncRange, SearchRanges{}, SearchBox{});
    EXPECT_FLOAT_EQ(r.latitude, 0.5f);
    EXPECT_FLOAT_EQ(r.longitude, 0.5f);
    const SearchRanges lat = changedRanges(RangeButton::IncLat, r, SearchBox{});
    EXPECT_FLOAT_EQ(lat.latitude, 1);
    EXPECT_FLOAT_EQ(lat.longitude, 0.5f);
    const SearchRanges down = changedRanges(RangeButton::DecRange, SearchRanges{15, 1}, SearchBox{});
    EXPECT_FLOAT_EQ(down.latitude, 10);
    EXPECT_FLOAT_EQ(down.longitude, 0.5f);
}

TEST(RangeButtons, LimitsSwitchButtonsOff)
{
    SearchBox box = boxAround(40, 0, 0.5f, 0.5f);
    RangeButtons b = buttonsAfterSearch(box, {0.5f, 0.5f});
    EXPECT_TRUE(b.incRange && b.incLat && b.incLon);
    EXPECT_FALSE(b.decRange || b.decLat || b.decLon);

    b = buttonsAfterSearch(box, {1, 0.5f});
    EXPECT_TRUE(b.decRange && b.decLat);
    EXPECT_FALSE(b.decLon);

    box = boxAround(0, 0, 90, 180);
    b = buttonsAfterSearch(box, {90, 180});
    EXPECT_FALSE(b.incRange || b.incLat || b.incLon);
    EXPECT_TRUE(b.decRange && b.decLat && b.decLon);
    b = buttonsAfterSearch(box, {90, 20});
    EXPECT_TRUE(b.incRange && b.incLon);
    EXPECT_FALSE(b.incLat);
}
