// SPDX-License-Identifier: GPL-3.0-or-later
// The archive's section of the settings file.

#include <gtest/gtest.h>

#include "settings/archive_settings.h"
#include "test_support.h"

namespace ventoral {
namespace {

constexpr const char* kOlderFile = "[Files]\r\nStations=/data\r\n[Units]\r\nU00=Mph\r\n";

struct Read {
    const char* section;   // the lines of the file's Archive section
    int keepDays;
    GraphSpan span;
};

TEST(ArchiveSettings, ReadingTakesOnlyWhatMakesSense)
{
    const Read cases[] = {
        {"", 400, GraphSpan::Day},
        {"KeepDays=800\r\nGraphSpan=7\r\n", 800, GraphSpan::Week},
        {"GraphSpan=30\r\n", 400, GraphSpan::Month},
        {"KeepDays=30\r\nGraphSpan=1\r\n", 30, GraphSpan::Day},
        {"KeepDays=29\r\nGraphSpan=14\r\n", 400, GraphSpan::Day},
        {"KeepDays=ever\r\nGraphSpan=week\r\n", 400, GraphSpan::Day},
        {"KeepDays=99999\r\nGraphSpan=-7\r\n", 400, GraphSpan::Day},
    };
    for (const Read& c : cases) {
        SCOPED_TRACE(c.section);
        test::TempDir dir;
        const std::string file = dir.file("vntl.ini");
        test::writeFile(file, std::string(kOlderFile) + "[Archive]\r\n" + c.section);
        const ArchiveSettings read = ReadArchiveSettings(IniDocument::load(file));
        EXPECT_EQ(read.keepDays, c.keepDays);
        EXPECT_EQ(read.graphSpan, c.span);
        EXPECT_EQ(read.file, "");
    }
}

TEST(ArchiveSettings, TheSpanIsWrittenAloneAfterTheOtherSections)
{
    test::TempDir dir;
    const std::string file = dir.file("vntl.ini");
    test::writeFile(file, kOlderFile);
    ASSERT_TRUE(WriteGraphSpan(file, GraphSpan::Month));
    EXPECT_EQ(test::readFile(file), std::string(kOlderFile) + "[Archive]\r\nGraphSpan=30\r\n");
    ASSERT_TRUE(WriteGraphSpan(file, GraphSpan::Day));
    EXPECT_EQ(ReadArchiveSettings(IniDocument::load(file)).graphSpan, GraphSpan::Day);
}

} // namespace
} // namespace ventoral
