// SPDX-License-Identifier: GPL-3.0-or-later
// The main window running through New York's changes of daylight saving:
// the date label, the tray and the graphs' hours keep true ages and local
// times, and the auto-update keeps its interval, with no restart.

#include <cstdio>

#include <QLabel>
#include <QSystemTrayIcon>
#include <QTimer>

#include <gtest/gtest.h>

#include "main_window_fixture.h"
#include "instruments/panel_model.h"
#include "observations/station_data.h"
#include "test_support.h"
#include "widgets/tray_icon.h"

using namespace ventoral;

namespace {

// A decoded report of Central Park observed at hhmm UTC on 10 March 2024.
std::string reportAt(const char* hhmm)
{
    return std::string("NEW YORK CITY CENTRAL PARK, NY, United States (KNYC) 40-47N 073-58W 48M\n"
                       "Mar 10, 2024 - local time / 2024.03.10 ") +
           hhmm + " UTC\nTemperature: 41.0 F (5.0 C)\nDew Point: 30.9 F (-0.6 C)\n"
                  "Pressure (altimeter): 30.12 in. Hg (1020 hPa)\nob: KNYC 100653Z 00000KT 10SM CLR 05/M01 A3012\n"
                  "cycle: 7\n";
}

// A day of hourly reports at minute 53 up to newestHour UTC on 10 March
// 2024; row r holds cycle r, the report of (r - 1):53.
std::string trendUpTo(int newestHour)
{
    std::string records;
    for (int cycle = 0; cycle < 24; ++cycle) {
        const int hour = (cycle + 23) % 24;
        const bool today = cycle >= 1 && hour <= newestHour;
        char record[160];
        std::snprintf(record, sizeof record, "%s%d:KNYC:3|%02d%02d53:41.0 (5.0):30.9 (-0.6):30.12 (1020):S 9:67",
                      cycle > 0 ? "#" : "", cycle, today ? 10 : 9, hour);
        records += record;
    }
    return "Central Park (KNYC) - 24 hour trend\n" + records + "\n";
}

class ThroughClockChanges : public test::MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        state.tables.shortList.entries = {"KNYC Central Park"};
        storeReport("0653", 6);
    }

    void storeReport(const char* hhmm, int newestHour)
    {
        writeStationData(stationDataPath(state.tables.folders.stationData, "KNYC"), trendUpTo(newestHour),
                         reportAt(hhmm));
    }
    QLabel* label() const { return window->findChild<QLabel*>("Label78"); }
    void tick() { QMetaObject::invokeMethod(window->findChild<QTimer*>("dateAgeTimer"), "timeout"); }
    std::string trayAge()
    {
        window->tray().refresh();
        const std::string tip = window->tray().icon()->toolTip().toStdString();
        return tip.substr(tip.rfind('\n') + 1);
    }
    AxisHours graphHours() const
    {
        return state.shown.model(state.tables.units, {clock.nowUtc(), &clock.zone(), &forms})
            .graph(GraphKind::Pressure)
            .axisHours;
    }

    const test::ScopedTimeZone m_newYork{"America/New_York"};
    const SystemTimeZone m_zone;
};

} // namespace

// At 07:00 UTC on 10 March 2024 New York's clocks go from 02:00 EST to 03:00 EDT.
TEST_F(ThroughClockChanges, AgesAndLocalTimesStayTrueThroughTheSpringChange)
{
    clock = FixedClock(m_zone, {2024, 3, 10, 6, 55, 0});   // 01:55 EST
    start();
    window->tray().setTrayCheck([] { return true; });
    window->redraw();
    EXPECT_EQ(label()->text(), "UTC: 2024-03-10 06:53; Local: 2024-03-10 01:53:00; 2 min old, next about 07:53 UTC");
    EXPECT_EQ(trayAge(), "2 min old");
    const AxisHours before = graphHours();
    EXPECT_EQ(std::vector<int>(before.end() - 3, before.end()), (std::vector<int>{24, 1, 3}));

    // Ten minutes on, local time has jumped an hour; the report is twelve minutes old.
    clock.setUtc({2024, 3, 10, 7, 5, 0});   // 03:05 EDT
    tick();
    EXPECT_EQ(label()->text(), "UTC: 2024-03-10 06:53; Local: 2024-03-10 01:53:00; 12 min old, next about 07:53 UTC");
    EXPECT_EQ(trayAge(), "12 min old");

    // The next report, in summer time.
    storeReport("0753", 7);
    choose(0);
    clock.setUtc({2024, 3, 10, 7, 57, 0});   // 03:57 EDT
    tick();
    EXPECT_EQ(label()->text(), "UTC: 2024-03-10 07:53; Local: 2024-03-10 03:53:00; 4 min old, next about 08:53 UTC");
    EXPECT_EQ(trayAge(), "4 min old");
    EXPECT_EQ(graphHours().back(), 4);
}

// At 06:00 UTC on 3 November 2024 New York's clocks go back from 02:00 EDT
// to 01:00 EST: an update every 15 minutes keeps coming every 15 minutes.
TEST_F(ThroughClockChanges, AutoUpdateKeepsItsIntervalThroughTheAutumnChange)
{
    clock = FixedClock(m_zone, {2024, 11, 3, 5, 50, 0});   // 01:50 EDT
    state.tables.units.autoUpdate = true;
    state.tables.units.interval = "15";
    state.nextUpdateTime = state.lastTickTime = clock.nowUtc();
    start();
    const auto tickAt = [&](int hour, int minute, int second) {
        clock.setUtc({2024, 11, 3, hour, minute, second});
        window->onTimerTick();
        return updater.updates;
    };
    EXPECT_EQ(tickAt(5, 50, 5), 1);
    EXPECT_EQ(tickAt(6, 4, 59), 1);    // 01:04 EST
    EXPECT_EQ(tickAt(6, 5, 1), 2);     // 01:05 EST, 15 minutes after 01:50 EDT
    EXPECT_EQ(tickAt(6, 20, 1), 3);
}
