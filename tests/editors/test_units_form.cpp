// SPDX-License-Identifier: GPL-3.0-or-later
// The units window: what it shows on opening, the question on leaving, the
// units switch with its min/max reload, thermometer faces and the saved section.

#include <QCheckBox>
#include <QLabel>

#include "settings/unit_choices.h"
#include "widgets/picture_panel.h"
#include "editor_fixture.h"
#include "observations/minmax.h"
#include "settings/units.h"

using namespace ventoral;

namespace {

class UnitsFormTest : public test::EditorTest {
protected:
    QWidget* units() { return open("Units", "frmUnits"); }
    std::vector<std::string> rowLabels(QWidget* form)
    {
        std::vector<std::string> out;
        for (int i = 15; i <= 20; ++i)
            out.push_back(control<QLabel>(form, QString("Label%1").arg(i))->text().toStdString());
        return out;
    }
    bool rowChecked(QWidget* form, int row)
    {
        return control<QRadioButton>(form, QString("Option7_%1").arg(row))->isChecked();
    }
};

TEST_F(UnitsFormTest, OpeningShowsTheUnitsAndLeavingAsksOnlyAfterAChangeAndSavesOnYesOnly)
{
    QWidget* form = units();
    ASSERT_TRUE(form);
    EXPECT_TRUE(control<QRadioButton>(form, "Option1")->isChecked());   // Kph
    EXPECT_TRUE(rowChecked(form, 1));                                   // -10 to 60
    click(form, "btnOk");
    EXPECT_EQ(questions(), 0);

    form = units();
    click(form, "Option2");
    click(form, "btnOk");   // No: kept in memory, not stored
    ASSERT_EQ(questions(), 1);
    EXPECT_EQ(lastText(), "Wish to save your changes?");
    EXPECT_EQ(state.tables.units.speedUnit, "Mph");
    EXPECT_EQ(ini("Units", "U00"), "Kph");

    form = units();
    EXPECT_TRUE(control<QRadioButton>(form, "Option2")->isChecked());
    click(form, "Option5");
    prompter.answer(true);
    form->close();   // the close box leaves the same way
    EXPECT_EQ(questions(), 2);
    EXPECT_EQ(ini("Units", "U00"), "Mph");
    EXPECT_EQ(ini("Units", "U02"), "In");
}

TEST_F(UnitsFormTest, FahrenheitRelabelsTheRowsAndTheDefaultLowOfTenSelectsNone)
{
    state.tables.units.temperatureUnit = kTempFahrenheit;
    QWidget* form = units();
    for (int row = 0; row < 6; ++row)
        EXPECT_FALSE(rowChecked(form, row)) << row;
    EXPECT_EQ(rowLabels(form), (std::vector<std::string>{"40 to 140", "20 to 120", "0 to 100", "-20 to 80",
                                                         "-40 to 60", "-60 to 40"}));
    click(form, "Option4");
    EXPECT_EQ(rowLabels(form)[5], "-50 to 20");
    EXPECT_EQ(state.tables.units.temperatureUnit, kTempCelsius);
}

TEST_F(UnitsFormTest, SaveStoresTheSectionAndAZeroIntervalTurnsAutoUpdateOff)
{
    QWidget* form = units();
    click(form, "Check1");
    type(form, "Text1", "0");
    click(form, "Check3");   // gust pointer off
    click(form, "keepInTrayCheck");
    click(form, "btnSave");
    EXPECT_EQ(questions(), 0);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(ini("Units", "U04"), "False");
    EXPECT_EQ(ini("Units", "U03"), "0");
    EXPECT_EQ(ini("Units", "U011"), "False");
    EXPECT_EQ(ini("Units", "KeepInTray"), "True");
    EXPECT_FALSE(state.tables.units.gustPointer);

    form = units();
    EXPECT_TRUE(control<QCheckBox>(form, "keepInTrayCheck")->isChecked());
    type(form, "Text1", "ten");   // no number reads as 0
    EXPECT_EQ(state.tables.units.interval, "0");
    click(form, "btnOk");
    EXPECT_EQ(questions(), 1);
}

TEST_F(UnitsFormTest, SwitchingUnitsRedrawsAtOnceWithTheMinMaxConverted)
{
    const std::string path = minMaxPath(state.tables.folders.minMax, "KBFI");
    // Extremes wider than the station's trend day and inside the dials' scales,
    // so a redraw keeps them.
    writeMinMaxFile(path, {150, 93, 160, 99, -30, 45, -22, 113, 5, 100, 955, 1045, 28.21f, 30.86f});
    start();
    const auto shown = [this] { return *state.shown.model(state.tables.units, {}).extremes; };
    ASSERT_EQ(shown().maxWind, 150);
    const QImage before = window->picture(PanelPicture::Picture8)->image().copy();
    QWidget* form = units();
    click(form, "Option2");
    EXPECT_EQ(shown().maxWind, 93);
    EXPECT_EQ(shown().maxGust, 99);
    EXPECT_NE(window->picture(PanelPicture::Picture8)->image(), before);   // redrawn in MPH
    click(form, "Option3");
    EXPECT_FLOAT_EQ(shown().minTemp, -22);
    click(form, "Option5");
    EXPECT_FLOAT_EQ(shown().maxPres, 30.86f);

    // Back again: nothing was lost in the conversions on the way.
    click(form, "Option1");
    click(form, "Option4");
    click(form, "Option6");
    EXPECT_EQ(shown().maxWind, 150);
    EXPECT_EQ(shown().maxGust, 160);
    EXPECT_FLOAT_EQ(shown().minTemp, -30);
    EXPECT_FLOAT_EQ(shown().maxPres, 1045);
    const MinMaxFileRead file = readMinMaxFile(path);
    EXPECT_FLOAT_EQ(file.table[0], 150);
    EXPECT_FLOAT_EQ(file.table[10], 955);
    EXPECT_FLOAT_EQ(file.table[12], 28.21f);
}

TEST_F(UnitsFormTest, ARangeChoiceRendersTheThermometerFacesOnly)
{
    QWidget* form = units();
    EXPECT_FALSE(fileExists(face("ScaleTemperatureC.bmp")));
    click(form, "Option7_3");
    EXPECT_FLOAT_EQ(state.tables.units.tempLowC, -30);
    EXPECT_FLOAT_EQ(state.tables.units.tempHighF, 80);
    EXPECT_TRUE(fileExists(face("ScaleTemperatureC.bmp")));
    EXPECT_TRUE(fileExists(face("ScaleTemperatureF.bmp")));
    EXPECT_FALSE(fileExists(face("ScaleHumidity.bmp")));
    click(form, "btnSave");
    EXPECT_EQ(ini("Units", "U06"), "-30");
    EXPECT_EQ(ini("Units", "U09"), "80");
}

TEST(UnitChoices, AnUnknownTemperatureUnitSelectsNoRow)
{
    UnitSettings units;
    units.temperatureUnit = "garbage";
    EXPECT_EQ(selectedScaleRow(units), std::nullopt);
}

} // namespace
