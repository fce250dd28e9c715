// SPDX-License-Identifier: GPL-3.0-or-later
// The colour scheme editor (sliders, the question, which saves re-render the
// faces) and the trend shade editor (Clear, Fill, export and import, Save).

#include <QFileInfo>
#include <QLabel>

#include "editor_fixture.h"
#include "instruments/shade_swatches.h"

using namespace ventoral;

namespace {

class ColorOptionsTest : public test::EditorTest {
protected:
    QWidget* editor() { return open("colorOptions", "frmColorOptions"); }
    void setColour(QWidget* e, int entry, int r, int g, int b)
    {
        click(e, QString("Option1_%1").arg(entry));
        control<QScrollBar>(e, "VScroll1_0")->setValue(r);
        control<QScrollBar>(e, "VScroll1_1")->setValue(g);
        control<QScrollBar>(e, "VScroll1_2")->setValue(b);
    }
    int faceCount() const
    {
        int n = 0;
        for (const char* f : kFaceFiles)
            n += fileExists(face(f));
        return n;
    }
};

TEST_F(ColorOptionsTest, SavingRendersTheFacesOnlyWhenAColourOnThemChanged)
{
    QWidget* e = editor();
    ASSERT_TRUE(e);
    setColour(e, 9, 10, 20, 30);   // the window text
    click(e, "btnSave");
    EXPECT_EQ(questions(), 0);
    EXPECT_EQ(ini("Colors", "C10"), std::to_string(rgb(10, 20, 30)));
    EXPECT_EQ(faceCount(), 0);

    e = editor();
    setColour(e, 2, 200, 0, 0);   // the ticks
    type(e, "Text1", "10");
    click(e, "btnSave");
    EXPECT_EQ(faceCount(), 8);
    EXPECT_EQ(ini("Colors", "C00"), std::to_string(rgb(200, 0, 0)));
    EXPECT_EQ(ini("Colors", "C11"), "10");
}

TEST_F(ColorOptionsTest, LeavingAsksOnlyAfterAChangeAndNoRestoresTheColoursOfTheOpening)
{
    const ColorRef background = state.tables.colors.backgroundColor;
    QWidget* e = editor();
    ASSERT_TRUE(e);
    click(e, "Option1_8");
    click(e, "btnViewScale");
    click(e, "btnExit");
    EXPECT_EQ(questions(), 0);

    e = editor();
    setColour(e, 0, 1, 2, 3);
    click(e, "btnExit");
    EXPECT_EQ(questions(), 1);
    EXPECT_EQ(lastText(), "Wish to save your changes?");
    EXPECT_EQ(state.tables.colors.backgroundColor, background);
    EXPECT_EQ(ini("Colors", "C09"), std::to_string(background));

    e = editor();
    setColour(e, 0, 1, 2, 3);
    prompter.answer(true);
    click(e, "btnExit");
    EXPECT_EQ(state.tables.colors.backgroundColor, rgb(1, 2, 3));
    EXPECT_EQ(ini("Colors", "C09"), std::to_string(rgb(1, 2, 3)));
    EXPECT_EQ(faceCount(), 0);
    EXPECT_TRUE(window->centralWidget()->styleSheet().contains("rgb(1,2,3)"));
}

TEST_F(ColorOptionsTest, AFontSizeThatIsNoUsableNumberIsRefusedAndThePreviousSizeKept)
{
    const std::string savedSize = ini("Colors", "C11");
    for (const char* typed : {"abc", "", "0", "100"}) {
        QWidget* e = editor();
        type(e, "Text1", typed);
        click(e, "btnSave");
        EXPECT_EQ(prompter.messages().back().kind, "warn") << typed;
        EXPECT_TRUE(e->isVisible()) << typed;
        EXPECT_EQ(control<QLineEdit>(e, "Text1")->text(), "8") << typed;
        // Nothing else changed, so leaving asks nothing.
        click(e, "btnExit");
        EXPECT_EQ(questions(), 0) << typed;
        EXPECT_EQ(state.tables.colors.fontSizePt, 8) << typed;
        EXPECT_EQ(ini("Colors", "C11"), savedSize) << typed;
    }
    // Leaving with a refused size keeps the size too.
    QWidget* e = editor();
    type(e, "Text1", "big");
    click(e, "btnExit");
    EXPECT_EQ(prompter.messages().back().kind, "warn");
    EXPECT_EQ(state.tables.colors.fontSizePt, 8);
}

class ColorShadesTest : public test::EditorTest {
protected:
    QWidget* editor() { return open("HistoryColors", "frmColorShades"); }
    void setShade(QWidget* e, int index, int r, int g, int b)
    {
        click(e, QString("Option1_%1").arg(index));
        control<QScrollBar>(e, "HScroll1_0")->setValue(r);
        control<QScrollBar>(e, "HScroll1_1")->setValue(g);
        control<QScrollBar>(e, "HScroll1_2")->setValue(b);
    }
    QString caption(QWidget* e, int index) { return control<QLabel>(e, QString("Label2_%1").arg(index))->text(); }
};

TEST_F(ColorShadesTest, ClearThenTwoEndsAndFillMakeASteppedBlend)
{
    QWidget* e = editor();
    ASSERT_TRUE(e);
    click(e, "btnExit");
    EXPECT_EQ(questions(), 0);

    e = editor();
    click(e, "btnClear");
    EXPECT_EQ(caption(e, 7), "0");
    EXPECT_EQ(caption(e, 24), "");   // No Data stays set
    setShade(e, 0, 255, 0, 0);
    setShade(e, 23, 0, 0, 255);
    click(e, "btnFill");
    EXPECT_EQ(state.tables.shades[1], kWhite) << "not copied before exit";
    prompter.answer(true);
    click(e, "btnExit");
    EXPECT_NE(lastText().find("The color changes have not been saved."), std::string::npos);
    for (int i = 1; i < 23; ++i)   // steps of round(255 / 23) = 11, red down and blue up
        EXPECT_EQ(state.tables.shades[static_cast<std::size_t>(i)], rgb(255 - 11 * i, 0, 11 * i)) << i;
    EXPECT_EQ(ini("Shades", "S01"), std::to_string(rgb(244, 0, 11)));
}

TEST_F(ColorShadesTest, ExportThenImportRestoresAll25AndADamagedFileChangesNothing)
{
    QWidget* e = editor();
    setShade(e, 24, 1, 2, 3);
    setShade(e, 3, 4, 5, 6);
    const ShadeTable exported = [&] {
        ShadeTable t = state.tables.shades;
        t[3] = rgb(4, 5, 6);
        t[24] = rgb(1, 2, 3);
        return t;
    }();
    const std::string file = dir.file("ShadesMine.txt");
    dialogs.answers.push_back(FileChoice{file, "ShadesMine.txt"});
    click(e, "Command1");
    EXPECT_EQ(state.tables.shades, exported);
    EXPECT_EQ(test::readFile(file).substr(0, 3), "0\r\n");

    click(e, "btnClear");
    setShade(e, 24, 9, 9, 9);
    dialogs.answers.push_back(FileChoice{file, "ShadesMine.txt"});
    click(e, "Command2");
    EXPECT_EQ(dialogs.titles.back(), "Import Trend Color Shades Data");
    EXPECT_EQ(state.tables.shades, exported);
    EXPECT_EQ(caption(e, 7), "");

    // Ten numbers, then text: one message, the table as it was.
    const std::string damaged = dir.file("ShadesBad.txt");
    test::writeFile(damaged, "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\nblue\r\n");
    const std::size_t messages = prompter.messages().size();
    dialogs.answers.push_back(FileChoice{damaged, "ShadesBad.txt"});
    click(e, "Command2");
    ASSERT_EQ(prompter.messages().size(), messages + 1);
    EXPECT_NE(lastText().find("line 11"), std::string::npos);
    EXPECT_EQ(state.tables.shades, exported);
    test::writeFile(damaged, "1\r\n2\r\n");
    dialogs.answers.push_back(FileChoice{damaged, "ShadesBad.txt"});
    click(e, "Command2");
    EXPECT_NE(lastText().find("2 colour numbers"), std::string::npos);
    EXPECT_EQ(state.tables.shades, exported);

    click(e, "Command2");   // cancelled
    EXPECT_EQ(state.tables.shades, exported);
    click(e, "btnSave");
    EXPECT_TRUE(e->isVisible());
    EXPECT_EQ(ini("Shades", "S24"), std::to_string(rgb(1, 2, 3)));
}

TEST(ShadeSwatches, FillNeedsTwoSetEndsAndRoundsEachStepOnce)
{
    ShadeSwatches s = swatchesOf(defaultShades());
    clearShades(s);
    s[5] = {rgb(10, 20, 30), true};
    const ShadeSwatches lonely = s;
    fillShades(s);
    for (std::size_t i = 0; i < s.size(); ++i)
        EXPECT_EQ(s[i].color, lonely[i].color) << i;

    s[8] = {rgb(13, 20, 0), true};
    fillShades(s);
    EXPECT_EQ(s[6].color, rgb(11, 20, 20));   // steps -1, 0, 10
    EXPECT_EQ(s[7].color, rgb(12, 20, 10));
    EXPECT_FALSE(s[9].set);                   // after the last set swatch

    // A step is rounded once, half to even: 127.5 steps 128.
    ShadeSwatches edge = swatchesOf(defaultShades());
    edge[0] = {rgb(255, 0, 0), true};
    edge[2] = {rgb(0, 0, 0), true};
    fillBetween(edge, 0, 2);
    EXPECT_EQ(edge[1].color, rgb(127, 0, 0));
}

TEST(ShadeSwatches, FileTextReadsBackAndDamageIsReportedWhole)
{
    const ShadeTable table = defaultShades();
    const ShadesFileRead back = readShadesFile(shadesFileText(table));
    ASSERT_TRUE(back.table);
    EXPECT_EQ(*back.table, table);
    EXPECT_TRUE(readShadesFile(shadesFileText(table) + "\r\n\r\n99\r\n").table);   // extra lines ignored

    std::string lf;
    for (const auto v : table)
        lf += "\n " + std::to_string(v) + " \n";
    EXPECT_TRUE(readShadesFile(lf).table);

    for (const char* bad : {"-1", "16777216", "1.5", "12ab", "0x10"}) {
        std::string text = shadesFileText(table);
        text.replace(0, 1, bad);
        const ShadesFileRead r = readShadesFile(text);
        EXPECT_FALSE(r.table) << bad;
        EXPECT_EQ(r.problem, ShadesFileProblem::NotAColour) << bad;
        EXPECT_EQ(r.line, 1) << bad;
    }
    const ShadesFileRead empty = readShadesFile("");
    EXPECT_FALSE(empty.table);
    EXPECT_EQ(empty.problem, ShadesFileProblem::TooFewNumbers);
}

} // namespace
