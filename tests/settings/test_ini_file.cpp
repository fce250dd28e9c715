// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file follows the rules of the Windows profile functions; the
// samples here are laid out the way Windows writes them (CR LF, Windows-1252).

#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

#include "settings/ini_file.h"
#include "test_support.h"

using namespace ventoral;
using ventoral::test::TempDir;

namespace {

const std::string kWindowsFile =
    "; written by hand\r\n"
    "[Units]\r\n"
    "U00=Kph\r\n"
    "U01=\xBA" "C\r\n"
    "  u02 =  hPa  \r\n"
    "Quoted=\"  spaced  \"\r\n"
    "Twice=\"\"x\"\"\r\n"
    "U00=Mph\r\n"
    "\r\n"
    "[units]\r\n"
    "U03=99\r\n"
    "[Files]\r\n"
    "Stations=C:\\Ventoral\\Data\\Station Data\r\n";

} // namespace

TEST(IniRead, AsTheWindowsProfileFunctionsRead)
{
    const IniDocument doc = IniDocument::fromBytes(kWindowsFile);
    // Sections and keys match case-insensitively, the first match wins, and a
    // second section of the same name is never reached.
    EXPECT_EQ(doc.value("units", "u00", "?"), "Kph");
    EXPECT_EQ(doc.value("UNITS", "U02", "?"), "hPa");
    EXPECT_EQ(doc.value("Units", "U03", "?"), "?");
    EXPECT_EQ(doc.value("Files", "Stations", ""), "C:\\Ventoral\\Data\\Station Data");
    // Blanks and one pair of quotes are trimmed.
    EXPECT_EQ(doc.value("Units", "Quoted", ""), "  spaced  ");
    EXPECT_EQ(doc.value("Units", "Twice", ""), "\"x\"");
    // Windows-1252 is decoded; UTF-8 is accepted, with or without its mark.
    EXPECT_EQ(doc.value("Units", "U01", ""), "\xC2\xBA" "C");
    EXPECT_EQ(IniDocument::fromBytes("[Units]\nU01=\xC2\xBA" "F\n").value("Units", "U01", ""), "\xC2\xBA" "F");
    EXPECT_EQ(IniDocument::fromBytes("\xEF\xBB\xBF[A]\nk=v\n").value("A", "k", ""), "v");
    // A missing section, key or file gives the default.
    EXPECT_EQ(doc.value("Nope", "U00", "dflt"), "dflt");
    EXPECT_EQ(doc.value("Units", "Nope", ""), "");
    TempDir dir;
    EXPECT_EQ(ReadIniValue("Files", "Stations", "?", dir.file("absent.ini")), "?");
    // Values are cut at 2047 characters.
    const IniDocument longValue = IniDocument::fromBytes("[A]\r\nlong=" + std::string(3000, 'x') + "\r\n");
    EXPECT_EQ(longValue.value("A", "long", "").size(), 2047u);
}

TEST(IniWrite, ReplacesAValueInPlaceAndKeepsEveryOtherLine)
{
    IniDocument doc = IniDocument::fromBytes(kWindowsFile);
    doc.setValue("UNITS", "u02", "In");
    std::string expected = kWindowsFile;
    expected.replace(expected.find("  u02 =  hPa  "), 14, "u02=In");
    EXPECT_EQ(doc.toBytes(), expected);
}

TEST(IniWrite, AddsKeysAfterTheLastKeyOfTheirSectionAndNewSectionsAtTheEnd)
{
    IniDocument doc = IniDocument::fromBytes("[A]\r\nk1=1\r\n\r\n[B]\r\nx=1\r\n");
    doc.setValue("a", "k2", "2");
    doc.setValue("C", "y", "3");
    EXPECT_EQ(doc.toBytes(), "[A]\r\nk1=1\r\nk2=2\r\n\r\n[B]\r\nx=1\r\n[C]\r\ny=3\r\n");
}

TEST(IniWrite, DeletingAKeyRemovesItsLine)
{
    TempDir dir;
    const std::string file = dir.file("vntl.ini");
    test::writeFile(file, "[Stations]\r\nNumber=2\r\nStation0=KSEA\r\nStation1=KBFI\r\n");
    EXPECT_TRUE(DeleteIniKey("Stations", "station1", file));
    EXPECT_TRUE(DeleteIniKey("Stations", "Station7", file));
    EXPECT_EQ(test::readFile(file), "[Stations]\r\nNumber=2\r\nStation0=KSEA\r\n");
}

// Windows-1252 with CR LF, and UTF-8 for text Windows-1252 cannot hold.
TEST(IniWrite, WritesWindows1252WithCrLfAndKeepsOtherTextAsUtf8)
{
    TempDir dir;
    const std::string file = dir.file("vntl.ini");
    ASSERT_TRUE(WriteIniValue("Units", "U01", "\xC2\xBA" "C", file));
    EXPECT_EQ(test::readFile(file), "[Units]\r\nU01=\xBA" "C\r\n");
    const std::string cyrillic = "/home/\xD0\xB8\xD0\xB2\xD0\xB0\xD0\xBD/Data";
    ASSERT_TRUE(WriteIniValue("Files", "Stations", cyrillic, file));
    EXPECT_EQ(ReadIniValue("Units", "U01", "", file), "\xC2\xBA" "C");
    ASSERT_TRUE(WriteIniValue("Units", "U01", "\xC2\xBA" "F", file));
    EXPECT_EQ(ReadIniValue("Files", "Stations", "", file), cyrillic);
    EXPECT_EQ(ReadIniValue("Units", "U01", "", file), "\xC2\xBA" "F");
}

TEST(IniWrite, ALineBreakInAValueCannotSplitTheEntry)
{
    IniDocument doc;
    doc.setValue("A", "k", "one\r\n[B]\r\nx=2");
    const IniDocument reread = IniDocument::fromBytes(doc.toBytes());
    EXPECT_EQ(reread.value("B", "x", "none"), "none");
}

namespace {

// The value of section/key after setting it, writing the file and reading it afresh.
std::string readBackAfterWriting(const std::string& fileBytes, const std::string& value)
{
    IniDocument doc = IniDocument::fromBytes(fileBytes);
    doc.setValue("Units", "U010", value);
    return IniDocument::fromBytes(doc.toBytes()).value("Units", "U010", "<missing>");
}

struct RoundTripCase {
    const char* what;
    std::string fileBytes;
    std::string value;
};

} // namespace

TEST(IniRoundTrip, AValueSetReadsBackAfterWritingAndReadingAgainWhateverTheFileHeld)
{
    using namespace std::string_literals;
    const std::string bom = "\xEF\xBB\xBF";
    const std::vector<RoundTripCase> cases = {
        // Found by fuzzing: two marks, then a section line without its bracket;
        // written as Windows-1252, the second mark was taken for the first.
        {"two byte order marks", bom + bom + "[Units\t\n\x00\x08" "0\nU010=[\xEF[3\n\xD6\x81\x10"s, "1"},
        {"UTF-8 text starting with the mark's three characters", "\xC3\xAF\xC2\xBB\xC2\xBF[Units]\nU010=x\n", "1"},
        {"a mark, then U+FEFF as text", bom + bom + "[Units]\nU010=x\n", "1"},
        {"Windows-1252 bytes that are valid UTF-8", "[Units]\r\n", "\xC3\x83\xC2\xA9"},
        {"blanks around the value", "[Units]\r\n", "  spaced  "},
        {"quotes around the value", "[Units]\r\n", "\"quoted\""},
        {"a lone quote", "", "\""},
    };
    for (const RoundTripCase& c : cases)
        EXPECT_EQ(readBackAfterWriting(c.fileBytes, c.value), c.value) << c.what;
}

TEST(IniRoundTrip, EverySeedOfTheSettingsFuzzTargetRoundTrips)
{
    const std::string folder = test::dataPath("../../fuzz/corpus/fuzz_settings_file");
    int seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string bytes = test::readFile(entry.path().string());
        EXPECT_EQ(readBackAfterWriting(bytes, "1"), "1") << entry.path();
        // The written form is read and written again unchanged.
        IniDocument doc = IniDocument::fromBytes(bytes);
        doc.setValue("Units", "U010", "1");
        const std::string written = doc.toBytes();
        EXPECT_EQ(IniDocument::fromBytes(written).toBytes(), written) << entry.path();
        ++seeds;
    }
    EXPECT_GE(seeds, 3);
}

TEST(IniWrite, LeavesNoTemporaryFiles)
{
    TempDir dir;
    const std::string file = dir.file("vntl.ini");
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(WriteIniValue("A", "k" + std::to_string(i), "v", file));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    EXPECT_FALSE(WriteIniValue("A", "k", "v", dir.file("missing-folder/vntl.ini")));
}

// What stands where the settings file should be: nothing (or a link to
// nothing) is a file to make; anything that stands there but cannot be
// read, or is left untouched for the run, is never replaced.
struct StandingCase {
    const char* what;
    std::function<void(const TempDir&, const std::string& file)> make;
    bool written;
};

const StandingCase kStandingCases[] = {
    {"nothing", [](const TempDir&, const std::string&) {}, true},
    {"a link to nothing",
     [](const TempDir& dir, const std::string& file) { std::filesystem::create_symlink(dir.file("real.ini"), file); },
     true},
    {"a readable file", [](const TempDir&, const std::string& file) { test::writeFile(file, "[Keep]\r\nme=1\r\n"); },
     true},
    {"a link to a readable file in another folder",
     [](const TempDir& dir, const std::string& file) {
         std::filesystem::create_directory(dir.file("dotfiles"));
         test::writeFile(dir.file("dotfiles/vntl.ini"), "[Keep]\r\nme=1\r\n");
         std::filesystem::create_symlink("dotfiles/vntl.ini", file);
     },
     true},
    {"a folder", [](const TempDir&, const std::string& file) { std::filesystem::create_directory(file); }, false},
    {"a file without read permission",
     [](const TempDir&, const std::string& file) {
         test::writeFile(file, "[Keep]\r\nme=1\r\n");
         std::filesystem::permissions(file, std::filesystem::perms::owner_write);
     },
     false},
    {"a link to a file without read permission",
     [](const TempDir& dir, const std::string& file) {
         test::writeFile(dir.file("real.ini"), "[Keep]\r\nme=1\r\n");
         std::filesystem::permissions(dir.file("real.ini"), std::filesystem::perms::owner_write);
         std::filesystem::create_symlink(dir.file("real.ini"), file);
     },
     false},
    {"links that loop",
     [](const TempDir& dir, const std::string& file) {
         std::filesystem::create_symlink(dir.file("other.ini"), file);
         std::filesystem::create_symlink(file, dir.file("other.ini"));
     },
     false},
    {"a readable file left untouched for the run",
     [](const TempDir&, const std::string& file) {
         test::writeFile(file, "[Keep]\r\nme=1\r\n");
         IniDocument::leaveUntouched(file);
     },
     false},
};

TEST(IniWrite, NeverReplacesAFileThatStandsThereUnreadOrLeftUntouched)
{
    for (const StandingCase& c : kStandingCases) {
        TempDir dir;
        const std::string file = dir.file("vntl.ini");
        c.make(dir, file);
        const auto before = [&] {
            std::string listing;
            for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.path()))
                listing += entry.path().string() + (entry.is_symlink() ? " link\n" : "\n");
            return listing;
        }();
        const test::PermissionBitsBind asAnyUser;
        EXPECT_EQ(IniDocument::loadForUpdate(file).has_value(), c.written) << c.what;
        EXPECT_EQ(WriteIniValue("A", "k", "v", file), c.written) << c.what;
        EXPECT_EQ(DeleteIniKey("Keep", "me", file), c.written) << c.what;
        if (c.written) {
            EXPECT_EQ(IniDocument::load(file).value("A", "k", ""), "v") << c.what;
            EXPECT_EQ(std::filesystem::is_symlink(file), before.find(" link") != std::string::npos) << c.what;
            continue;
        }
        std::string after;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.path()))
            after += entry.path().string() + (entry.is_symlink() ? " link\n" : "\n");
        EXPECT_EQ(after, before) << c.what;
        std::error_code ec;
        if (std::filesystem::is_regular_file(file, ec)) {
            std::filesystem::permissions(file, std::filesystem::perms::owner_all, ec);
            EXPECT_EQ(test::readFile(file), "[Keep]\r\nme=1\r\n") << c.what;
        }
    }
}
