// SPDX-License-Identifier: GPL-3.0-or-later
// View > Station Wall in the real program: a tile per short-list station
// with its words for a screen reader, reached with Tab and the arrow keys;
// a tile chosen (Enter, a click, a screen reader's Press) shows its station
// in the main window; an update's stations reach the wall without their
// files being read again; the columns follow the window's width. And the
// main panel's dials and graphs and the Units window as a screen reader
// meets them, through Qt's accessibility interfaces.

#include <filesystem>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QKeyEvent>
#include <QRadioButton>

#include <gtest/gtest.h>

#include "program_window.h"
#include "stations/station_wall_window.h"
#include "stations/wall_tile_view.h"

namespace ventoral::test {
namespace {

class StationWallTest : public ProgramTest {
protected:
    StationWallTest()
    {
        putStationData("KSEA", kTrend, kSeattle);
        putStationData("KBFI", kTrend, kBoeingField);
        setShortList({"KSEA Seattle", "KBLI Bellingham", "KBFI Boeing Field"}, 0);
    }

    StationWallWindow* openWall()
    {
        choose("&View", "Station &Wall");
        QApplication::processEvents();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "frmWall" && w->isVisible())
                return static_cast<StationWallWindow*>(w);
        ADD_FAILURE() << "no station wall shown";
        return nullptr;
    }
    static QString description(QWidget* widget)
    {
        return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Description);
    }
    static void press(QWidget* widget, int key)
    {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
};

} // namespace

TEST_F(StationWallTest, ATilePerStationReadsItsValues)
{
    start();
    StationWallWindow* wall = openWall();
    ASSERT_TRUE(wall);
    ASSERT_EQ(wall->tileCount(), 3);
    const struct {
        const char* name;
        const char* words;
    } expected[] = {
        {"KSEA Seattle", "Temperature "},
        {"KBLI Bellingham", "Click Update to download data for this station"},
        {"KBFI Boeing Field", "Humidity 92 percent"},
    };
    for (int i = 0; i < 3; ++i) {
        QAccessibleInterface* tile = QAccessible::queryAccessibleInterface(wall->tile(i));
        EXPECT_EQ(tile->role(), QAccessible::Button);
        EXPECT_EQ(tile->text(QAccessible::Name), expected[i].name);
        EXPECT_TRUE(tile->text(QAccessible::Description).contains(expected[i].words))
            << tile->text(QAccessible::Description).toStdString();
        EXPECT_TRUE(tile->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    }
}

TEST_F(StationWallTest, EnterArrowsAndPressShowAStationInTheMainWindow)
{
    start();
    StationWallWindow* wall = openWall();
    ASSERT_TRUE(wall && wall->tileCount() == 3);
    wall->resize(500, 600);   // two columns
    QApplication::processEvents();
    ASSERT_EQ(wall->layout().columns, 2);

    wall->tile(0)->setFocus();
    press(wall->tile(0), Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), wall->tile(2));
    press(wall->tile(2), Qt::Key_Return);
    EXPECT_EQ(shownStationEntry(), "KBFI Boeing Field");
    EXPECT_EQ(shownStationCode(), "KBFI");
    EXPECT_EQ(iniValue("Stations", "Last"), "2");

    QAccessible::queryAccessibleInterface(wall->tile(0))->actionInterface()->doAction(
        QAccessibleActionInterface::pressAction());
    EXPECT_EQ(shownStationEntry(), "KSEA Seattle");
    EXPECT_EQ(shownStationCode(), "KSEA");
}

TEST_F(StationWallTest, ColumnsFollowTheWidth)
{
    start();
    StationWallWindow* wall = openWall();
    ASSERT_TRUE(wall);
    for (const auto& [width, columns] : std::vector<std::pair<int, int>>{{240, 1}, {700, 3}, {500, 2}}) {
        wall->resize(width, 400);
        QApplication::processEvents();
        EXPECT_EQ(wall->layout().columns, columns) << width;
    }
}

TEST_F(StationWallTest, AnUpdatesStationsReachTheWallWithoutReadingTheirFiles)
{
    fetchFromServer(TrendSource::Folder);
    serveReports("KSEA", kSeattle, kTrend);
    serveReports("KBLI", kBellingham, kTrend);
    serveReports("KBFI", kBoeingField, kTrend);
    start();
    StationWallWindow* wall = openWall();
    ASSERT_TRUE(wall);
    EXPECT_FALSE(wall->tile(1)->tile().hasReport);
    runUpdate();
    EXPECT_TRUE(wall->tile(1)->tile().hasReport);
    EXPECT_TRUE(description(wall->tile(1)).contains("Temperature ")) << description(wall->tile(1)).toStdString();
    // The files go; the wall keeps what it was handed, and reads nothing again.
    for (const char* code : {"KSEA", "KBLI", "KBFI"})
        std::filesystem::remove(stationDataFile(code));
    window->redraw();
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(wall->tile(i)->tile().hasReport) << i;
}

TEST_F(StationWallTest, TheDialsAndGraphsReadTheirValues)
{
    start();
    const struct {
        const char* picture;
        const char* name;
        const char* words;
    } expected[] = {
        {"Picture10", "Wind direction", "Wind from the "},
        {"Picture8", "Wind speed", "Wind speed "},
        {"Picture2", "Temperature", "Temperature "},
        {"Picture4", "Humidity", "Humidity "},
        {"Picture6", "Air pressure", "Air pressure "},
        {"PresGraph", "Air pressure, last 24 hours", "From "},
        {"WindDGraph", "Wind direction, last 24 hours", "From the "},
        {"Picture11", "Conditions", "Visibility: 10 mile(s)"},
    };
    for (const auto& e : expected) {
        QAccessibleInterface* picture = QAccessible::queryAccessibleInterface(window->findChild<QWidget*>(e.picture));
        ASSERT_TRUE(picture) << e.picture;
        EXPECT_EQ(picture->text(QAccessible::Name), e.name);
        EXPECT_TRUE(picture->text(QAccessible::Description).startsWith(e.words))
            << e.picture << ": " << picture->text(QAccessible::Description).toStdString();
    }
    EXPECT_TRUE(description(window->findChild<QWidget*>("Picture11")).endsWith("Flight category VFR"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(window->findChild<QWidget*>("Picture10"))->role(),
              QAccessible::Dial);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(window->findChild<QWidget*>("TempGraph"))->role(),
              QAccessible::Chart);
}

// A screen reader's Toggle sets a radio button checked without a click:
// the units change all the same, on the panel and on the wall.
TEST_F(StationWallTest, ToggleOnTheUnitsWindowsMphChangesTheUnits)
{
    start();
    StationWallWindow* wall = openWall();
    ASSERT_TRUE(wall);
    choose("&Setup", "&Units");
    QWidget* units = shownWindow(Window::Units);
    ASSERT_TRUE(units);
    auto* mph = units->findChild<QRadioButton*>("Option2");
    ASSERT_TRUE(mph);
    QAccessibleInterface* button = QAccessible::queryAccessibleInterface(mph);
    ASSERT_TRUE(button->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    button->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(speedUnit(), "Mph");
    EXPECT_TRUE(description(window->findChild<QWidget*>("Picture8")).contains("miles per hour"))
        << description(window->findChild<QWidget*>("Picture8")).toStdString();
    EXPECT_TRUE(description(wall->tile(0)).contains("miles per hour")) << description(wall->tile(0)).toStdString();
}

} // namespace ventoral::test
