// SPDX-License-Identifier: GPL-3.0-or-later
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

#include "main_window_fixture.h"
#include "platform/qt_printer.h"

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

class PrintingWindowTest : public MainWindowFixture {
protected:
    PdfPrinter pdf;

    void SetUp() override
    {
        MainWindowFixture::SetUp();
        state.tables.shortList.entries = {"KBFI Boeing Field", "KSEA Seattle"};
    }

    void start()
    {
        window = std::make_unique<MainWindow>(state, services(&pdf.printer));
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
