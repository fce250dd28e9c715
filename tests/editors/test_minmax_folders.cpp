// SPDX-License-Identifier: GPL-3.0-or-later
// The min/max editor (scroll bars, Save, Reset, the comparison on OK) and the
// folders window (browse, the question, the "Files" section).

#include <filesystem>

#include <QFileInfo>
#include <QScrollBar>

#include "editors/minmax_editor.h"
#include "editor_fixture.h"
#include "observations/minmax.h"

using namespace ventoral;

namespace {

class MinMaxEditorTest : public test::EditorTest {
protected:
    std::string path() const { return minMaxPath(state.tables.folders.minMax, "KBFI"); }
    QWidget* editor() { return open("MinMaxSet", "frmMinMax"); }
    QString box(QWidget* e, int i) { return control<QLineEdit>(e, QString("Text1_%1").arg(i))->text(); }
    QScrollBar* bar(QWidget* e, int i) { return control<QScrollBar>(e, QString("VScroll1_%1").arg(i)); }
    // The extremes the main window's dials show now.
    MinMaxRecord shown() const { return state.shown.model(state.tables.units, {}).extremes.value_or(MinMaxRecord{}); }

    void SetUp() override
    {
        EditorTest::SetUp();
        writeMinMaxFile(path(), {150, 93, 160, 99, -30, 45, -22, 113, 5, 100, 955, 1045, 28.21f, 30.86f});
    }
};

TEST(MinMaxScroll, UpRaisesTheValueAndInchesMoveInHundredths)
{
    EXPECT_EQ(minMaxScrollPosition(40, false), 1960);
    EXPECT_EQ(minMaxScrollPosition(-30, false), 2030);
    EXPECT_EQ(minMaxScrollPosition(29.92, true), 1008);
    EXPECT_DOUBLE_EQ(minMaxScrollValue(1959, false), 41);
    EXPECT_DOUBLE_EQ(minMaxScrollValue(1007, true), 29.93);
    EXPECT_EQ(minMaxScrollPosition(1e9, false), 0);   // held at the bar's end
}

TEST_F(MinMaxEditorTest, ShowsTheRecordAndLeavingUnchangedOrWithNoKeepsTheRecordAndTheFile)
{
    const std::string before = test::readFile(path());
    QWidget* e = editor();
    ASSERT_TRUE(e);
    EXPECT_EQ(box(e, MinMaxEditor::MinTemp), "-30");
    EXPECT_EQ(bar(e, MinMaxEditor::MaxWind)->value(), 1850);
    click(e, "btnOK");
    EXPECT_EQ(questions(), 0);

    e = editor();
    type(e, "Text1_4", "1");
    click(e, "btnOK");
    EXPECT_EQ(questions(), 1);
    EXPECT_EQ(shown().minHum, 5);
    EXPECT_EQ(test::readFile(path()), before);
}

TEST_F(MinMaxEditorTest, AScrolledValueAsksOnOkAndYesWritesIt)
{
    state.tables.units.pressureUnit = "In";
    QWidget* e = editor();
    EXPECT_EQ(box(e, MinMaxEditor::MinPres), "28.21");
    bar(e, MinMaxEditor::MinPres)->setValue(bar(e, MinMaxEditor::MinPres)->value() + 1);
    EXPECT_EQ(box(e, MinMaxEditor::MinPres), "28.2");
    bar(e, MinMaxEditor::MaxWind)->setValue(1840);
    EXPECT_EQ(box(e, MinMaxEditor::MaxWind), "160");
    prompter.answer(true);
    click(e, "btnOK");
    EXPECT_EQ(questions(), 1);
    EXPECT_EQ(shown().maxWind, 160);
    const MinMaxFileRead file = readMinMaxFile(path());
    EXPECT_FLOAT_EQ(file.table[0], 160);
    EXPECT_FLOAT_EQ(file.table[12], 28.2f);
}

TEST_F(MinMaxEditorTest, ResetAsksAndStartsOverFromTheTrendDay)
{
    QWidget* e = editor();
    click(e, "Command1");   // No
    EXPECT_EQ(lastText(), "Are you sure you wish to reset all values?");
    EXPECT_EQ(shown().maxWind, 150);
    prompter.answer(true);
    click(e, "Command1");
    EXPECT_LT(shown().maxWind, 150);
    EXPECT_EQ(shown().maxGust, shown().maxWind);   // the dial lifts the gust to the wind
    EXPECT_GT(shown().minTemp, -30);
    EXPECT_EQ(box(e, MinMaxEditor::MaxWind).toStdString(), std::to_string(shown().maxWind));
    EXPECT_FLOAT_EQ(readMinMaxFile(path()).table[0], shown().maxWind);
    click(e, "btnOK");
    EXPECT_EQ(questions(), 2);   // the two resets; OK finds nothing unsaved
}

TEST_F(MinMaxEditorTest, SaveKeepsTheValuesTypedInAndSaysWhenTheFileCannotBeWritten)
{
    // No file yet, and none can be written while a file stands where the folder should.
    std::filesystem::remove_all(state.tables.folders.minMax);
    test::writeFile(state.tables.folders.minMax, "not a folder");
    QWidget* e = editor();
    ASSERT_TRUE(e);
    type(e, "Text1_0", "150");
    type(e, "Text1_1", "160");
    type(e, "Text1_2", "-30");
    click(e, "btnSave");
    EXPECT_EQ(lastText(), "The file " + path() + " could not be written.");
    // The editor keeps what was typed; the dials keep what is stored.
    EXPECT_EQ(box(e, MinMaxEditor::MaxWind), "150");
    EXPECT_EQ(box(e, MinMaxEditor::MaxGust), "160");
    EXPECT_EQ(box(e, MinMaxEditor::MinTemp), "-30");
    EXPECT_FALSE(fileExists(path()));

    std::filesystem::remove(state.tables.folders.minMax);
    click(e, "btnSave");
    const MinMaxFileRead file = readMinMaxFile(path());
    EXPECT_FLOAT_EQ(file.table[0], 150);
    EXPECT_FLOAT_EQ(file.table[2], 160);
    EXPECT_FLOAT_EQ(file.table[4], -30);
}

class FoldersFormTest : public test::EditorTest {};

TEST_F(FoldersFormTest, UnchangedAsksNothingAndAnEditAsksThenSavesTheFourKeys)
{
    QWidget* form = open("Directory", "frmDirectories");
    ASSERT_TRUE(form);
    EXPECT_EQ(control<QLineEdit>(form, "Text1_6")->text().toStdString(), dir.path());
    click(form, "btnOk");
    EXPECT_EQ(questions(), 0);

    form = open("Directory", "frmDirectories");
    const std::string maps = dir.file("elsewhere/maps");
    dialogs.answers.push_back(FileChoice{maps, "maps"});
    click(form, "Command1_5");
    EXPECT_EQ(control<QLineEdit>(form, "Text1_5")->text().toStdString(), maps);
    prompter.answer(true);
    click(form, "btnOk");
    EXPECT_EQ(questions(), 1);
    EXPECT_EQ(state.tables.folders.maps, maps);
    EXPECT_EQ(ini("Files", "Maps"), maps);
    EXPECT_TRUE(QFileInfo(QString::fromStdString(maps)).isDir());   // a folder typed in is made

    const std::string text = test::readFile(state.settingsFile);
    const auto at = [&](const char* key) { return text.find(key); };
    EXPECT_LT(at("Stations="), at("MinMax="));
    EXPECT_LT(at("MinMax="), at("Maps="));
    EXPECT_LT(at("Maps="), at("Root="));
}

TEST_F(FoldersFormTest, SaveKeepsTheWindowOpenAndNewStationFilesGoToTheNewFolder)
{
    QWidget* form = open("Directory", "frmDirectories");
    type(form, "Text1_3", QString::fromStdString(dir.file("stations2")));
    click(form, "btnSave");
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(storeOf(state.tables).stationDataFolder(), dir.file("stations2"));
    click(form, "btnOk");
    EXPECT_EQ(questions(), 0);
}

} // namespace
