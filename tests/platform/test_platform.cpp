// SPDX-License-Identifier: GPL-3.0-or-later
// Platform services: text encodings, Qt locations, clock and zone.

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "platform/core/file_io.h"
#include "platform/core/text_encoding.h"
#include "platform/page_setup_dialog.h"
#include "platform/qt_file_dialogs.h"
#include "platform/qt_services.h"
#include "test_application.h"
#include "test_support.h"

using namespace ventoral;
using ventoral::test::TempDir;

TEST(TextEncoding, Windows1252RoundTripsEveryDefinedByte)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string utf8 = windows1252ToUtf8(all);
    EXPECT_TRUE(isValidUtf8(utf8));
    EXPECT_EQ(utf8ToWindows1252(utf8), all);
    EXPECT_EQ(windows1252ToUtf8("\x80\xBA"), "\xE2\x82\xAC\xC2\xBA");
}

TEST(TextEncoding, RefusesWhatWindows1252CannotHoldAndBadUtf8)
{
    EXPECT_FALSE(utf8ToWindows1252("\xD0\xB8").has_value());
    EXPECT_FALSE(utf8ToWindows1252("\xC0\xAF").has_value());     // overlong
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));                  // surrogate
    EXPECT_FALSE(isValidUtf8("\xE2\x82"));                      // cut short
    EXPECT_EQ(decodeLegacyText("\xBA" "C"), "\xC2\xBA" "C");
    EXPECT_EQ(decodeLegacyText("\xC2\xBA" "C"), "\xC2\xBA" "C");
}

TEST(QtPlatform, SettingsAndWrittenFoldersLiveInTheUsersHomeAndDeliveredFilesBesideTheProgram)
{
    TempDir dir;
    ::setenv("XDG_CONFIG_HOME", dir.file("config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", dir.file("data").c_str(), 1);
    test::TestApplication<QCoreApplication> app;
    const FixedLocations locations = systemLocations();
    EXPECT_EQ(locations.settingsFile(), dir.file("config") + "/ventoral/vntl.ini");
    // Even beside a writable program file, as in a build folder, records go to the user's data folder.
    EXPECT_EQ(locations.programFolder(), dir.file("data") + "/ventoral");
    EXPECT_EQ(locations.deliveredDataFolder(), QCoreApplication::applicationDirPath().toStdString() + "/data");
    EXPECT_EQ(userDataFolder(), dir.file("data") + "/ventoral");
}

TEST(QtPlatform, TheSystemClockIsTheUtcClockInTheSystemZone)
{
    const test::ScopedTimeZone kolkata("Asia/Kolkata");
    const SystemClock clock;
    const CivilTime utc = clock.nowUtc();
    const CivilTime local = clock.nowLocal();
    EXPECT_TRUE(utc.isValid());
    // Five and a half hours ahead, give or take the minute that may pass between the readings.
    EXPECT_NEAR(static_cast<double>(local.minutesSinceEpoch() - utc.minutesSinceEpoch()), 330, 1);
}

TEST(QtPlatform, LocaleFormsGiveADateAndATimeWithoutZone)
{
    const LocaleDateForms forms;
    const std::string date = forms.shortDate(2023, 12, 6);
    const std::string time = forms.longTime(17, 53, 0);
    EXPECT_NE(date.find("6"), std::string::npos) << date;
    EXPECT_NE(time.find("53"), std::string::npos) << time;
    EXPECT_EQ(time.find("UTC"), std::string::npos) << time;
}

TEST(QtPlatform, FiltersReadAsQtWritesThem)
{
    EXPECT_EQ(qtFilter("Data files|*.txt"), "Data files (*.txt)");
    EXPECT_EQ(qtFilter("*.txt"), "*.txt");
}

namespace {

// Answers the next modal dialog with answer, as a person would.
void answerDialog(std::function<void(PageSetupDialog&)> answer)
{
    QTimer::singleShot(0, [answer = std::move(answer)] {
        auto* dialog = qobject_cast<PageSetupDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            ADD_FAILURE() << "no page set-up dialog shown";
            QApplication::activeModalWidget()->close();
            return;
        }
        answer(*dialog);
    });
}

} // namespace

TEST(QtPlatform, PrinterSetupChoosesPrinterAndPaperAndPrintsNothing)
{
    test::TestApplication<QApplication> app;
    TempDir dir;
    const QString pdf = QString::fromStdString(dir.file("chosen.pdf"));
    QtFileDialogs dialogs;
    QPrinter& printer = dialogs.printer().get();
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageOrientation(QPageLayout::Portrait);

    answerDialog([&](PageSetupDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Page Setup");
        for (const QPushButton* button : dialog.findChildren<QPushButton*>())
            EXPECT_FALSE(button->text().contains("Print")) << button->text().toStdString();
        auto* printers = dialog.findChild<QComboBox*>("printerCombo");
        printers->setCurrentIndex(printers->count() - 1);   // the PDF file
        dialog.findChild<QLineEdit*>("pdfFileEdit")->setText(pdf);
        auto* papers = dialog.findChild<QComboBox*>("paperCombo");
        papers->setCurrentIndex(papers->findData(static_cast<int>(QPageSize::A4)));
        dialog.findChild<QRadioButton*>("landscapeButton")->click();
        dialog.findChild<QPushButton*>("okButton")->click();
    });
    EXPECT_TRUE(dialogs.printerSetup("Page Setup"));
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(printer.outputFileName(), pdf);
    EXPECT_FALSE(std::filesystem::exists(pdf.toStdString()));

    // Cancel leaves the printer as it was.
    answerDialog([](PageSetupDialog& dialog) {
        auto* papers = dialog.findChild<QComboBox*>("paperCombo");
        EXPECT_EQ(papers->currentData().toInt(), static_cast<int>(QPageSize::A4));
        papers->setCurrentIndex(papers->findData(static_cast<int>(QPageSize::Letter)));
        dialog.findChild<QPushButton*>("cancelButton")->click();
    });
    EXPECT_FALSE(dialogs.printerSetup("Page Setup"));
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4);
}
