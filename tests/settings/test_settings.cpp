// SPDX-License-Identifier: GPL-3.0-or-later
// Settings tables: the defaults of a first run and how each section reads back.

#include <filesystem>

#include <gtest/gtest.h>

#include "settings/settings.h"
#include "test_support.h"

using namespace ventoral;
using ventoral::test::TempDir;

namespace {

IniDocument ini(const std::string& text)
{
    return IniDocument::fromBytes(text);
}

} // namespace

TEST(SettingsDefaults, WritesEverySectionInOrderAsWindowsWould)
{
    TempDir dir;
    const std::string file = dir.file("vntl.ini");
    AppTables tables;
    ASSERT_TRUE(WriteDefaultSettings(file, "/opt/ventoral", tables));
    const std::string written = test::readFile(file);
    EXPECT_EQ(written, test::reference("settings/defaults-opt-ventoral.ini", written));
}

// The defaults are written whatever the tables in memory hold, and read back as the defaults.
TEST(SettingsDefaults, ReadBackGivesTheDefaults)
{
    TempDir dir;
    const std::string file = dir.file("vntl.ini");
    AppTables written;
    written.units.speedUnit = "Mph";
    written.shades.fill(7);
    ASSERT_TRUE(WriteDefaultSettings(file, "/opt/ventoral", written));

    AppTables read;
    loadAllSettings(IniDocument::load(file), read);
    EXPECT_EQ(read.folders.stationData, "/opt/ventoral/Data/Station Data");
    EXPECT_EQ(read.folders.program, "/opt/ventoral");
    EXPECT_EQ(read.shades, defaultShades());
    EXPECT_EQ(read.colors.textColor, 13172480);
    EXPECT_EQ(read.addresses[AddressTable::kPresent], kDefaultPresentAddress);
    EXPECT_EQ(read.addresses[AddressTable::kTrend], kDefaultTrendAddress);
    EXPECT_EQ(read.units.speedUnit, "Kph");
    EXPECT_FLOAT_EQ(read.units.tempHighF, 140);
}

TEST(SettingsDefaults, RewritingAnExistingFileKeepsSectionsItDoesNotCover)
{
    TempDir dir;
    const std::string file = dir.file("vntl.ini");
    test::writeFile(file, "[ImageAuto]\r\nA00=1\r\n[Stations]\r\nNumber=2\r\nStation0=KSEA\r\n");
    AppTables tables;
    ASSERT_TRUE(WriteDefaultSettings(file, "/p", tables));
    EXPECT_EQ(ReadIniValue("ImageAuto", "A00", "", file), "1");
    EXPECT_EQ(ReadIniValue("Stations", "Number", "", file), "1");
}

// The selector's entries and the last station, against the reference;
// "Last" counts the stations, the defaults' blank entry is no station, and a
// damaged count reads no more than twenty entries.
TEST(SettingsStations, FillTheSelectorAndPickTheLastStationMatchReference)
{
    std::string actual;
    for (const char* section : {
             "[Stations]\nNumber=3\nLast=3\nStation0=KSEA\nStation1=KBFI\nStation2=EGLC\n",
             "[Stations]\nNumber=3\nLast=2\nStation0=KSEA\nStation1=KBFI\nStation2=EGLC London City\n",
             "[Stations]\nNumber=2\nLast=1\nStation0=KSEA\n",
             "[Stations]\nStation0=KSEA\n",
             "[Stations]\nNumber=abc\nLast=0\nStation0=KSEA\n",
             "[Stations]\nNumber=1\nLast=x\nStation0=KB \n",
             "[Stations]\nNumber=1\nLast=-1\nStation0=KSEA\n",
             "[Stations]\nNumber=1\nLast=\nStation0=\n",
             "[Stations]\nNumber=3\nLast=1\nStation0=\nStation1=KSEA\nStation2=KBFI\n",
             "[Stations]\nNumber=4000000000\nLast=0\n",
         }) {
        const ShortList list = ReadStationSettings(ini(section));
        actual += std::string("== ") + section + "entries:";
        for (const std::string& entry : list.entries)
            actual += " '" + entry + "'";
        actual += "\nselected " + std::to_string(list.selected) + ", station '" + list.currentStation() + "'\n";
    }
    EXPECT_EQ(actual, test::reference("settings/station-lists.expected", actual));
}

// Keys after U09 carry a leading zero; booleans read in both forms and junk keeps the default.
TEST(SettingsUnits, Reading)
{
    const UnitSettings units =
        ReadUnitSettings(ini("[Units]\nU04=True\nU05=0\nU06=abc\nU07=55.5\nU010=0\nU011=false\n"));
    EXPECT_TRUE(units.autoUpdate);
    EXPECT_FALSE(units.updateAll);
    EXPECT_FLOAT_EQ(units.tempLowC, -10);
    EXPECT_FLOAT_EQ(units.tempHighC, 55.5);
    EXPECT_FALSE(units.dewPointPointer);
    EXPECT_FALSE(units.gustPointer);
    const UnitSettings misspelt = ReadUnitSettings(ini("[Units]\nU10=0\nU11=0\n"));
    EXPECT_TRUE(misspelt.dewPointPointer);
    EXPECT_TRUE(misspelt.gustPointer);
    EXPECT_TRUE(ReadUnitSettings(ini("[Units]\nU010=-1\n")).dewPointPointer);
    EXPECT_EQ(ReadUnitSettings(ini("")).speedUnit, "?");
}

TEST(SettingsUnits, WriterSwitchesAutoUpdateOnlyWithAnInterval)
{
    TempDir dir;
    const std::string file = dir.file("vntl.ini");
    UnitSettings units;
    units.autoUpdate = true;
    units.interval = "0";
    ASSERT_TRUE(WriteUnitSettings(file, units));
    EXPECT_EQ(ReadIniValue("Units", "U04", "", file), "False");

    units.interval = " 10 ";
    units.tempLowC = -20.5f;
    ASSERT_TRUE(WriteUnitSettings(file, units));
    EXPECT_EQ(ReadIniValue("Units", "U04", "", file), "True");
    EXPECT_EQ(ReadIniValue("Units", "U03", "", file), "10");
    EXPECT_EQ(ReadIniValue("Units", "U06", "", file), "-20.5");

    const UnitSettings read = ReadUnitSettings(IniDocument::load(file));
    EXPECT_TRUE(read.autoUpdate);
    EXPECT_FLOAT_EQ(read.tempLowC, -20.5f);
}

TEST(SettingsUnits, TheTraySwitchRoundTripsAndLeavesTheFileAsBeforeWhileOff)
{
    TempDir dir;
    const std::string file = dir.file("vntl.ini");
    AppTables tables;
    ASSERT_TRUE(WriteDefaultSettings(file, "/opt/ventoral", tables));
    EXPECT_FALSE(ReadUnitSettings(IniDocument::load(file)).keepInTray);
    ASSERT_TRUE(WriteUnitSettings(file, tables.units));
    const std::string before = test::readFile(file);

    tables.units.keepInTray = true;
    ASSERT_TRUE(WriteUnitSettings(file, tables.units));
    EXPECT_NE(test::readFile(file).find("U011=True\r\nKeepInTray=True\r\n"), std::string::npos);
    EXPECT_TRUE(ReadUnitSettings(IniDocument::load(file)).keepInTray);

    tables.units.keepInTray = false;
    ASSERT_TRUE(WriteUnitSettings(file, tables.units));
    EXPECT_EQ(test::readFile(file), before);
    EXPECT_FALSE(ReadUnitSettings(ini("[Units]\nKeepInTray=junk\n")).keepInTray);
}

TEST(SettingsColors, ReadLeadingNumbersAndIgnoreTheCount)
{
    const ColorScheme colors = ReadColorSettings(ini("[Colors]\nC00=abc\nC01=255xyz\nC09= 65280 \nC11=10.5\n"));
    EXPECT_EQ(colors.tickColor, 0);
    EXPECT_EQ(colors.textColor, 255);
    EXPECT_EQ(colors.backgroundColor, 65280);
    EXPECT_EQ(colors.fontSizePt, 10);      // ties round to even
    EXPECT_EQ(colors.faceColor, 0);        // missing reads as 0 too
    const ColorScheme counted = ReadColorSettings(ini("[Colors]\nNumber=3\nC00=abc\nC01=255xyz\nC09= 65280 \nC11=10.5\n"));
    EXPECT_EQ(counted.textColor, colors.textColor);
}

// A size the colour editor refuses, as an older version could write it,
// would hide the dial numbers: it reads as the default size.
TEST(SettingsColors, ADialFontSizeOutsideFourToFortyEightReadsAsTheDefault)
{
    const struct {
        const char* c11;
        std::int16_t expected;
    } cases[] = {
        {"0", 8},  {"3", 8},   {"4", 4},    {"3.5", 4},  {"12", 12},     {"48", 48},
        {"48.5", 48}, {"49", 8}, {"-10", 8}, {"abc", 8}, {"99999999", 8}, {"", 8},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadColorSettings(ini(std::string("[Colors]\nC11=") + c.c11 + "\n")).fontSizePt, c.expected) << c.c11;
    EXPECT_EQ(ReadColorSettings(ini("[Colors]\nC00=1\n")).fontSizePt, 8);   // no size at all
}

// A file that stands there but cannot be read keeps what it holds; the
// tables in memory take the defaults all the same.
TEST(SettingsDefaults, AreNeverWrittenOverAFileThatCannotBeRead)
{
    TempDir dir;
    const std::string file = dir.file("vntl.ini");
    const std::string users = "[Stations]\r\nNumber=1\r\nStation0=KSEA\r\n";
    test::writeFile(file, users);
    std::filesystem::permissions(file, std::filesystem::perms::owner_write);
    AppTables tables;
    tables.units.speedUnit = "Mph";
    {
        const test::PermissionBitsBind asAnyUser;
        EXPECT_FALSE(WriteDefaultSettings(file, "/opt/ventoral", tables));
    }
    EXPECT_EQ(tables.units.speedUnit, "Kph");
    EXPECT_EQ(tables.folders.program, "/opt/ventoral");
    std::filesystem::permissions(file, std::filesystem::perms::owner_all);
    EXPECT_EQ(test::readFile(file), users);
}

TEST(SettingsShades, ReadTheCountedEntriesAndKeepDefaultsForTheRest)
{
    const ShadeTable shades = ReadShadeSettings(ini("[Shades]\nNumber=3\nS00=1\nS01=junk\nS02=3\nS03=4\n"));
    EXPECT_EQ(shades[0], 1);
    EXPECT_EQ(shades[1], defaultShades()[1]);
    EXPECT_EQ(shades[2], 3);
    EXPECT_EQ(shades[3], defaultShades()[3]);
    EXPECT_EQ(ReadShadeSettings(ini("[Shades]\nNumber=99\n")), defaultShades());
}

TEST(SettingsImages, ASingleSpaceAddressReadsEmptyAndWritersRoundTrip)
{
    AddressTable addresses;
    ReadImageAddresses(ini("[ImageAddress]\nU00= \nU01=http://maps.example/a.gif\nU09=http://site\n"), addresses);
    EXPECT_EQ(addresses[0], "");
    EXPECT_EQ(addresses[1], "http://maps.example/a.gif");
    EXPECT_EQ(addresses[AddressTable::kSite2], "http://site");

    TempDir dir;
    const std::string file = dir.file("vntl.ini");
    addresses[AddressTable::kPresent] = "http://127.0.0.1/decoded";
    addresses[AddressTable::kTrend] = "http://127.0.0.1/trend";
    AutoTable autos{"True", "0", "1"};
    NameTable names{"Radar"};
    FileTable files{"a.gif"};
    ASSERT_TRUE(WriteImageAddresses(file, addresses) && WriteImageAuto(file, autos) && WriteImageNames(file, names)
                && WriteImageFiles(file, files) && WriteDataAddresses(file, addresses));
    const IniDocument doc = IniDocument::load(file);
    AddressTable read;
    ReadImageAddresses(doc, read);
    ReadDataAddresses(doc, read);
    EXPECT_EQ(read.entries, addresses.entries);
    EXPECT_EQ(ReadImageAuto(doc), (AutoTable{"1", "0", "1", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(ReadImageNames(doc)[0], "Radar");
    EXPECT_EQ(ReadImageFiles(doc)[0], "a.gif");
    AddressTable missing;
    ReadDataAddresses(ini(""), missing);
    EXPECT_EQ(missing[AddressTable::kPresent], "?");
}

// "MaxReports" of "DataAddress": the METAR service's answer cap, a whole
// number from 1 up; anything else, or none, is the default of 400.
TEST(SettingsAddresses, TheAnswerCapIsAWholeNumberOrTheDefault)
{
    const struct Row {
        const char* text;
        int cap;
    } rows[] = {{"", 400},          {"MaxReports=250", 250}, {"MaxReports=1", 1},    {"MaxReports=0", 400},
                {"MaxReports=-5", 400}, {"MaxReports=12.5", 400}, {"MaxReports=many", 400}, {"MaxReports=99999999", 400}};
    for (const Row& row : rows)
        EXPECT_EQ(ReadHistoryAnswerCap(ini(std::string("[DataAddress]\r\n") + row.text + "\r\n")), row.cap) << row.text;
    AppTables tables;
    loadAllSettings(ini("[DataAddress]\r\nMaxReports=300\r\n"), tables);
    EXPECT_EQ(tables.historyAnswerCap, 300);
}
