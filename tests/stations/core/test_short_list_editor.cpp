// SPDX-License-Identifier: GPL-3.0-or-later
// The short list being edited: the 20-entry limit, each code once, moves at
// the ends, the change test and the save that deletes leftover keys.

#include <gtest/gtest.h>

#include "settings/ini_file.h"
#include "stations/core/short_list_editor.h"
#include "test_support.h"

using namespace ventoral;

namespace {

class ShortListEditing : public ::testing::Test {
protected:
    test::TempDir dir;
    std::string file = dir.file("vntl.ini");
    ShortListEditor editor;

    void SetUp() override
    {
        test::writeFile(file, "[Files]\r\nStations=x\r\n[Stations]\r\nNumber=5\r\nStation0=AAAA a\r\n"
                              "Station1=BBBB b\r\nStation2=CCCC c\r\nStation3=DDDD d\r\nStation4=EEEE e\r\n"
                              "Last=3\r\n[Units]\r\nU00=Kph\r\n");
        editor.load(IniDocument::load(file));
    }
};

} // namespace

TEST_F(ShortListEditing, SaveDeletesTheKeysBeyondTheNewCount)
{
    editor.remove(4);
    editor.remove(0);
    ASSERT_TRUE(editor.save(file));
    const IniDocument ini = IniDocument::load(file);
    EXPECT_EQ(ini.value("Stations", "Number", ""), "3");
    EXPECT_EQ(ini.value("Stations", "Last", ""), "0");
    EXPECT_EQ(ini.value("Stations", "Station0", ""), "BBBB b");
    EXPECT_EQ(ini.value("Stations", "Station2", ""), "DDDD d");
    EXPECT_FALSE(ini.contains("Stations", "Station3"));
    EXPECT_FALSE(ini.contains("Stations", "Station4"));
    EXPECT_EQ(ini.value("Units", "U00", ""), "Kph");
    EXPECT_FALSE(editor.differsFromLoaded());

    // A second save in the same session still removes what the first wrote.
    editor.remove(0);
    editor.remove(0);
    ASSERT_TRUE(editor.save(file));
    EXPECT_FALSE(IniDocument::load(file).contains("Stations", "Station1"));
}

TEST_F(ShortListEditing, TwentyEntriesAtMost)
{
    for (int i = 5; i < 20; ++i)
        EXPECT_EQ(editor.add("K" + std::to_string(i)), ShortListAdd::Added);
    EXPECT_TRUE(editor.full());
    EXPECT_EQ(editor.add("XXXX"), ShortListAdd::Full);
    EXPECT_EQ(editor.count(), 20);
    editor.remove(3);
    EXPECT_EQ(editor.add("XXXX"), ShortListAdd::Added);
}

TEST_F(ShortListEditing, EachCodeOnceInAnyCase)
{
    const std::pair<const char*, ShortListAdd> cases[] = {
        {"BBBB  Another name", ShortListAdd::AlreadyListed},
        {"bbbb b", ShortListAdd::AlreadyListed},
        {" EEEE", ShortListAdd::Added},   // the code is the first four characters: " EEE"
        {"FFFF  f", ShortListAdd::Added},
        {"FFFF  f", ShortListAdd::AlreadyListed},
    };
    for (const auto& [entry, expected] : cases)
        EXPECT_EQ(editor.add(entry), expected) << entry;
    EXPECT_EQ(editor.count(), 7);
    EXPECT_TRUE(editor.holds("ffff"));
    EXPECT_FALSE(editor.holds("GGGG"));
}

TEST_F(ShortListEditing, DroppingBlankAndRepeatedEntriesKeepsTheFirstOfEachCode)
{
    test::writeFile(file, "[Stations]\r\nNumber=5\r\nStation0=\r\nStation1=AAAA a\r\nStation2=BBBB b\r\n"
                          "Station3=aaaa again\r\nStation4=BBBB b\r\n");
    editor.load(IniDocument::load(file));
    editor.dropBlankAndRepeatedEntries();
    EXPECT_EQ(editor.entries(), (std::vector<std::string>{"AAAA a", "BBBB b"}));
}

TEST_F(ShortListEditing, MovesStopAtTheEndsAndCountAsChanges)
{
    EXPECT_EQ(editor.moveUp(0), 0);
    EXPECT_EQ(editor.moveDown(4), 4);
    EXPECT_FALSE(editor.differsFromLoaded());
    EXPECT_EQ(editor.moveDown(1), 2);
    EXPECT_EQ(editor.entries()[2], "BBBB b");
    EXPECT_TRUE(editor.differsFromLoaded());
    EXPECT_EQ(editor.moveUp(2), 1);
    EXPECT_FALSE(editor.differsFromLoaded());
    editor.remove(4);
    EXPECT_TRUE(editor.differsFromLoaded());
}
