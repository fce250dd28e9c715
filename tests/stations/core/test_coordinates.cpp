// SPDX-License-Identifier: GPL-3.0-or-later
// The coordinate normaliser over tables of typed texts and their results.

#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "stations/core/coordinates.h"

using namespace ventoral;

namespace {

using Case = std::pair<const char*, const char*>;   // typed, expected ("" for a rejected input)

TEST(Coordinates, LatitudeTexts)
{
    const Case cases[] = {
        // Forms
        {"5.65", "05-39N"}, {"5.05", "05-03N"}, {"40N39", "40-39N"}, {"40-39N", "40-39N"}, {"40-39n", "40-39N"},
        {"40.5", "40-30N"}, {"40.999", "40-59N"}, {"40.9999", "40-59N"}, {"-12.5", "12-30S"}, {"12.5s", "12-30S"},
        {"12S30", "12-30S"}, {"00.000", "00-00N"}, {"  40.64 ", "40-38N"}, {"-40-30N", "40-30N"},
        // Limits
        {"90.000", "90-00N"}, {"90.0", "90-00N"}, {"90.5", ""}, {"91.0", ""}, {"-90.000", "90-00S"}, {"90-01N", ""},
        // Rejected
        {"40", ""}, {"", ""}, {"abc", ""}, {"40-39E", ""}, {"40-395N", ""}, {"4x.5", ""}, {"40.5NN", ""},
        {"N40", ""}, {"-.5", ""}, {"40.", ""},
    };
    for (const auto& [typed, expected] : cases)
        EXPECT_EQ(normaliseLatitude(typed), expected) << '"' << typed << '"';
}

TEST(Coordinates, LongitudeTexts)
{
    const Case cases[] = {
        {"-73.8", "073-48W"}, {"125-59W", "125-59W"}, {"125W59", "125-59W"}, {"8.5", "008-30E"},
        {"180-00E", "180-00E"}, {"181-00E", ""}, {"180.5", ""}, {"-180.000", "180-00W"}, {"000.000", "000-00E"},
        {"73-47N", ""},
    };
    for (const auto& [typed, expected] : cases)
        EXPECT_EQ(normaliseLongitude(typed), expected) << '"' << typed << '"';
}

TEST(Coordinates, DirectoryTextsGiveDegreesWithTheirHemisphere)
{
    const std::pair<const char*, double> cases[] = {
        {"40-39N", 40 + 39 / 60.0}, {"073-47W", -(73 + 47 / 60.0)}, {"12-30S", -12.5}, {"000-00E", 0}, {"      ", 0},
    };
    for (const auto& [text, degrees] : cases)
        EXPECT_DOUBLE_EQ(degreesOfDirectoryText(text), degrees) << '"' << text << '"';
}

} // namespace
