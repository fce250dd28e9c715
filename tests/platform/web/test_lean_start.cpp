// SPDX-License-Identifier: GPL-3.0-or-later
// The program's start without the web engine or the print system: this test
// program links like the program itself; the engine's libraries enter the
// process only when a viewer makes its page view, and the print system only
// when something asks about the printer.

#include <fstream>
#include <sstream>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLibraryInfo>

#include <gtest/gtest.h>

#include "gui_application.h"
#include "maps/site_viewer.h"
#include "platform/qt_file_dialogs.h"
#include "platform/qt_printer.h"
#include "platform/web_page_views.h"
#include "test_support.h"

using namespace ventoral;

namespace {

// The lines of /proc/self/maps that name a file containing part.
std::string mappedFiles(const std::string& part)
{
    std::ifstream maps("/proc/self/maps");
    std::ostringstream found;
    std::string line;
    while (std::getline(maps, line))
        if (line.find(part) != std::string::npos)
            found << line << '\n';
    return found.str();
}

bool waitFor(const std::function<bool()>& done, int ms = 30000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    return done();
}

TEST(LeanStart, ThePrintSystemIsAskedOnlyOnceThePrinterIsUsed)
{
    test::guiApplication();
    QtFileDialogs dialogs;
    QtPrinter printer(dialogs.printer());   // as the program makes it at start
    EXPECT_EQ(mappedFiles("/printsupport/"), "");
    printer.orientation();
    if (!QDir(QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/printsupport").isEmpty()) {
        EXPECT_NE(mappedFiles("/printsupport/"), "");
    }
}

// Before the next test: in one process it would find the library loaded.
TEST(LeanStart, AViewerWithoutTheWebLibrarySaysWhyAndStaysUsable)
{
    test::guiApplication();
    test::TempDir empty;
    AppState state;
    SiteViewer viewer(state, webPageViews({empty.path()}));
    auto* label = qobject_cast<QLabel*>(viewer.pageView().widget());
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->text().contains("libventoral-web.so")) << label->text().toStdString();
    EXPECT_TRUE(label->text().contains(QString::fromStdString(empty.path())));
    viewer.pageView().navigate("about:blank");
    EXPECT_FALSE(viewer.pageView().busy());
    EXPECT_EQ(mappedFiles("WebEngine"), "");
}

TEST(LeanStart, TheWebEngineIsMappedOnlyOnceAViewerOpens)
{
    test::guiApplication();
    AppState state;
    const PageViewFactory pageViews = webPageViews();   // as the program makes them
    EXPECT_EQ(mappedFiles("WebEngine"), "");
    EXPECT_EQ(mappedFiles("libventoral-web"), "");

    SiteViewer viewer(state, pageViews);
    EXPECT_NE(mappedFiles("libQt6WebEngineCore"), "");
    EXPECT_NE(mappedFiles("libventoral-web"), "");
    EXPECT_EQ(qobject_cast<QLabel*>(viewer.pageView().widget()), nullptr) << "the view says it could not load";

    viewer.pageView().showPage("<html><head><title>Loaded late</title></head><body>page</body></html>");
    EXPECT_TRUE(viewer.pageView().busy());
    EXPECT_TRUE(waitFor([&] { return !viewer.pageView().busy(); }));
    // The view's own title property, read without linking the engine.
    EXPECT_EQ(viewer.pageView().widget()->property("title").toString(), "Loaded late");
}

} // namespace
