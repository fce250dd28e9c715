// The coordinate normaliser over a table of typed texts and their results.

#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "stations/core/coordinates.h"

using namespace ventoral;

namespace {

struct Case {
    const char* input;
    const char* expected;   // "" for a rejected input
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << '"' << c.input << "\" -> \"" << c.expected << '"';
}

class LatitudeTexts : public ::testing::TestWithParam<Case> {};
class LongitudeTexts : public ::testing::TestWithParam<Case> {};

// "-40.5N" is named m40p5N_3: letters and digits kept, "-" as m, "." as p,
// blanks dropped, and the case number for uniqueness.
std::string caseName(const ::testing::TestParamInfo<Case>& info)
{
    std::string name;
    for (const char* c = info.param.input; *c; ++c) {
        if ((*c >= '0' && *c <= '9') || (*c >= 'A' && *c <= 'Z') || (*c >= 'a' && *c <= 'z'))
            name += *c;
        else if (*c == '-')
            name += 'm';
        else if (*c == '.')
            name += 'p';
    }
    return (name.empty() ? "empty" : name) + "_" + std::to_string(info.index);
}

} // namespace

TEST_P(LatitudeTexts, Normalise)
{
    EXPECT_EQ(normaliseLatitude(GetParam().input), GetParam().expected) << GetParam().input;
}

TEST_P(LongitudeTexts, Normalise)
{
    EXPECT_EQ(normaliseLongitude(GetParam().input), GetParam().expected) << GetParam().input;
}

INSTANTIATE_TEST_SUITE_P(Forms, LatitudeTexts,
                         ::testing::Values(Case{"5.65", "05-39N"}, Case{"5.05", "05-03N"}, Case{"40N39", "40-39N"},
                                           Case{"40-39N", "40-39N"}, Case{"40-39n", "40-39N"},
                                           Case{"40.5", "40-30N"}, Case{"40.999", "40-59N"},
                                           Case{"40.9999", "40-59N"}, Case{"-12.5", "12-30S"},
                                           Case{"12.5s", "12-30S"}, Case{"12S30", "12-30S"},
                                           Case{"00.000", "00-00N"}, Case{"  40.64 ", "40-38N"},
                                           Case{"-40-30N", "40-30N"}),
                         caseName);

INSTANTIATE_TEST_SUITE_P(Limits, LatitudeTexts,
                         ::testing::Values(Case{"90.000", "90-00N"}, Case{"90.0", "90-00N"}, Case{"90.5", ""},
                                           Case{"91.0", ""}, Case{"-90.000", "90-00S"}, Case{"90-01N", ""}),
                         caseName);

INSTANTIATE_TEST_SUITE_P(Rejected, LatitudeTexts,
                         ::testing::Values(Case{"40", ""}, Case{"", ""}, Case{"abc", ""}, Case{"40-39E", ""},
                                           Case{"40-395N", ""}, Case{"4x.5", ""}, Case{"40.5NN", ""},
                                           Case{"N40", ""}, Case{"-.5", ""}, Case{"40.", ""}),
                         caseName);

INSTANTIATE_TEST_SUITE_P(Forms, LongitudeTexts,
                         ::testing::Values(Case{"-73.8", "073-48W"}, Case{"125-59W", "125-59W"},
                                           Case{"125W59", "125-59W"}, Case{"8.5", "008-30E"},
                                           Case{"180-00E", "180-00E"}, Case{"181-00E", ""},
                                           Case{"180.5", ""}, Case{"-180.000", "180-00W"},
                                           Case{"000.000", "000-00E"}, Case{"73-47N", ""}),
                         caseName);

TEST(DirectoryCoordinates, DegreesAndMinutesWithHemisphere)
{
    EXPECT_DOUBLE_EQ(degreesOfDirectoryText("40-39N"), 40 + 39 / 60.0);
    EXPECT_DOUBLE_EQ(degreesOfDirectoryText("073-47W"), -(73 + 47 / 60.0));
    EXPECT_DOUBLE_EQ(degreesOfDirectoryText("12-30S"), -12.5);
    EXPECT_DOUBLE_EQ(degreesOfDirectoryText("000-00E"), 0);
    EXPECT_DOUBLE_EQ(degreesOfDirectoryText("      "), 0);
}
