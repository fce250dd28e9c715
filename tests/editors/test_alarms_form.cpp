// SPDX-License-Identifier: GPL-3.0-or-later
// The alarms window: limits for all stations and for one, in the display
// units, saved to the "Alarms" section, and limits it cannot keep.

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>

#include "editor_fixture.h"
#include "editors/alarms_form.h"

using namespace ventoral;

namespace {

class AlarmsFormTest : public test::EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        state.tables.shortList.entries = {"KBFI Boeing Field", "KSEA Seattle"};
    }
    AlarmsForm* editor() { return static_cast<AlarmsForm*>(open("Alarms", "frmAlarms")); }
    static void set(QWidget* e, const QString& row, double value)
    {
        control<QCheckBox>(e, row + "Check")->setChecked(true);
        control<QDoubleSpinBox>(e, row + "Value")->setValue(value);
    }
};

TEST_F(AlarmsFormTest, LimitsOfAllStationsAndOfOneAreSaved)
{
    AlarmsForm* e = editor();
    ASSERT_TRUE(e);
    QComboBox* scope = control<QComboBox>(e, "scopeCombo");
    ASSERT_EQ(scope->count(), 3);
    EXPECT_EQ(scope->itemText(2), "KSEA Seattle");
    EXPECT_FALSE(control<QCheckBox>(e, "ownLimitsCheck")->isEnabled());
    set(e, "gust", 70);
    set(e, "pressureFall", 2.5);

    scope->setCurrentIndex(2);
    EXPECT_FALSE(control<QCheckBox>(e, "gustCheck")->isEnabled());
    EXPECT_EQ(control<QDoubleSpinBox>(e, "gustValue")->value(), 70);   // all stations' limits, shown
    control<QCheckBox>(e, "ownLimitsCheck")->click();
    set(e, "temperatureLow", -2);
    control<QCheckBox>(e, "gustCheck")->setChecked(false);

    click(e, "btnSave");
    EXPECT_EQ(ini("Alarms", "GustKph"), "70");
    EXPECT_EQ(ini("Alarms", "PressureFallHpa"), "2.5");
    EXPECT_EQ(ini("Alarms", "Stations"), "KSEA");
    EXPECT_EQ(ini("Alarms", "KSEA.TempLowC"), "-2");
    EXPECT_EQ(ini("Alarms", "KSEA.PressureFallHpa"), "2.5");
    EXPECT_EQ(ini("Alarms", "KSEA.GustKph"), "<none>");
    click(e, "btnOk");
    EXPECT_EQ(questions(), 0);
}

TEST_F(AlarmsFormTest, ShowsTheDisplayUnitsAndKeepsWhatWasNotTouched)
{
    state.tables.units.speedUnit = kSpeedMph;
    state.tables.units.temperatureUnit = kTempFahrenheit;
    WriteIniValue("Alarms", "WindKph", "60", state.settingsFile);
    AlarmsForm* e = editor();
    ASSERT_TRUE(e);
    EXPECT_EQ(control<QDoubleSpinBox>(e, "windValue")->value(), 37.2);
    EXPECT_EQ(control<QDoubleSpinBox>(e, "windValue")->suffix(), " mph");
    set(e, "temperatureHigh", 95);
    set(e, "gust", 40);
    const AlarmSettings stored = e->store();
    EXPECT_EQ(stored.allStations.wind, (AlarmLimit{60, AlarmUnit::Kph}));   // not 37.2 mph back in km/h
    EXPECT_EQ(stored.allStations.temperatureHigh, (AlarmLimit{95, AlarmUnit::Fahrenheit}));
    EXPECT_EQ(stored.allStations.gust, (AlarmLimit{40, AlarmUnit::Mph}));
    click(e, "btnSave");
    EXPECT_EQ(ini("Alarms", "GustKph"), "64.431");
    EXPECT_EQ(ini("Alarms", "GustMph"), "40");
    EXPECT_EQ(ini("Alarms", "WindKph"), "60");
    EXPECT_EQ(ini("Alarms", "WindMph"), "<none>");
}

TEST_F(AlarmsFormTest, ALowLimitAboveTheHighOneStaysOpenAndUnsaved)
{
    AlarmsForm* e = editor();
    ASSERT_TRUE(e);
    set(e, "temperatureLow", 10);
    set(e, "temperatureHigh", 5);
    click(e, "btnOk");
    EXPECT_TRUE(e->isVisible());
    EXPECT_NE(lastText().find("All stations: The low temperature limit must lie below"), std::string::npos)
        << lastText();
    EXPECT_EQ(ini("Alarms", "TempLowC"), "<none>");
    set(e, "temperatureHigh", 25);
    prompter.answer(true);
    click(e, "btnOk");
    EXPECT_EQ(ini("Alarms", "TempHighC"), "25");
}

} // namespace
