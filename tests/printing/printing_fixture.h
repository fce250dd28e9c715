#pragma once
// The main window with a PDF printer on the offscreen platform, a station
// with data and one without, and the printed page rendered back to an image
// with poppler's pdftoppm.

#include <cstdlib>
#include <memory>
#include <string>

#include <QImage>
#include <QPrinter>

#include <gtest/gtest.h>

#include "../app/gui_application.h"
#include "app/core/settings.h"
#include "app/core/update_runner.h"
#include "app/main_window.h"
#include "observations/station_data.h"
#include "platform/core/file_io.h"
#include "platform/qt_printer.h"
#include "test_support.h"

namespace ventoral::test {

// Letter paper; the device cannot print the outer quarter inch.
inline constexpr double kLetterWidthTwips = 12240;
inline constexpr double kLetterHeightTwips = 15840;
inline constexpr double kDeviceEdgeTwips = 360;

struct PdfPrinter {
    QPrinter device{QPrinter::HighResolution};
    QtPrinter printer{device};

    PdfPrinter()
    {
        device.setOutputFormat(QPrinter::PdfFormat);
        device.setPageSize(QPageSize(QPageSize::Letter));
        device.setPageOrientation(QPageLayout::Portrait);
        device.setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Point);
    }
    void printInto(const std::string& path) { device.setOutputFileName(QString::fromStdString(path)); }
};

// The first page of the PDF as an image at dpi dots per inch; null when pdftoppm fails.
inline QImage renderPdf(const std::string& pdf, int dpi)
{
    const std::string stem = pdf + "-page";
    const std::string command = "pdftoppm -r " + std::to_string(dpi) + " -png -singlefile '" + pdf + "' '" + stem + "'";
    if (std::system(command.c_str()) != 0)
        return {};
    return QImage(QString::fromStdString(stem + ".png"));
}

// The text of the PDF, as pdftotext reads it.
inline std::string pdfText(const std::string& pdf)
{
    const std::string out = pdf + ".txt";
    const std::string command = "pdftotext -layout '" + pdf + "' '" + out + "'";
    if (std::system(command.c_str()) != 0)
        return {};
    return readFile(out);
}

class PrintingWindowTest : public ::testing::Test {
protected:
    // A printer needs the application before it is made.
    struct ApplicationFirst {
        ApplicationFirst() { guiApplication(); }
    } applicationFirst;
    TempDir dir;
    AppState state;
    FixedClock clock{CivilTime{2023, 12, 6, 18, 0, 0}};
    IsoDateForms forms;
    MemoryUserStore store;
    ScriptedPrompter prompter;
    RecordingBrowser browser;
    CountingUpdateRunner updater;
    ScriptedFileDialogs dialogs;
    PdfPrinter pdf;
    std::unique_ptr<MainWindow> window;

    void SetUp() override
    {
        state.settingsFile = dir.file("vntl.ini");
        state.programFolder = dir.path();
        state.deliveredDataFolder = dir.file("data");
        WriteDefaultSettings(state.settingsFile, dir.path(), state.tables);
        createFolder(state.tables.folders.stationData);
        createFolder(state.tables.folders.minMax);
        writeStationData(stationDataPath(state.tables.folders.stationData, "KBFI"),
                         readData("observations/trend/KSEA.TREND"),
                         readData("observations/noaa-decoded/KBFI-2.txt"));
        state.tables.shortList.entries = {"KBFI Boeing Field", "KSEA Seattle"};
        state.tables.shortList.selected = 0;
        state.startupComplete = true;
    }

    void start()
    {
        window = std::make_unique<MainWindow>(
            state, MainWindowServices{clock, forms, store, prompter, browser, updater, dialogs, &pdf.printer});
        // Start-up fills the station list once the short list is read.
        window->stationsLoaded();
    }
    template <class T>
    T* find(const char* name) const
    {
        return window->findChild<T*>(name);
    }
};

} // namespace ventoral::test
