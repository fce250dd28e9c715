// SPDX-License-Identifier: GPL-3.0-or-later
// The program's start without the web engine or the print system: this test
// program links like the program itself; the engine's libraries enter the
// process only when a viewer makes its page view, and the print system only
// when something asks about the printer.

#include <cstdio>
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
#include "wait_for.h"

using namespace ventoral;
using ventoral::test::waitFor;

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

// The dynamic symbols program takes from the libraries it links, one a line
// with its version ("name@Qt_6"), as the loader binds them.
std::string importedSymbols(const std::string& program)
{
    std::string symbols;
    FILE* nm = popen(("nm -D --undefined-only '" + program + "' 2>&1").c_str(), "r");
    if (!nm)
        return symbols;
    char buffer[4096];
    for (std::size_t read; (read = fread(buffer, 1, sizeof buffer, nm)) > 0;)
        symbols.append(buffer, read);
    pclose(nm);
    return symbols;
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

// A Qt without a private symbol must not stop the program at its start (nor
// at the first viewer, where a lazily bound call would end it with "symbol
// lookup error"): the programs bind no private part of Qt.
TEST(LeanStart, TheProgramsBindNoPrivateSymbolOfQt)
{
    for (const std::string program : {VENTORAL_PROGRAM_PATH, VENTORAL_CLI_PATH}) {
        const std::string symbols = importedSymbols(program);
        ASSERT_NE(symbols.find("@Qt_6"), std::string::npos) << program << ": " << symbols;
        EXPECT_EQ(symbols.find("PRIVATE_API"), std::string::npos) << program;
        EXPECT_EQ(symbols.find("qt_gl_set_global_share_context"), std::string::npos) << program;
    }
}

// Before the next test: the shared context that one makes stays the
// application's, and with it no look-up is needed.
TEST(LeanStart, AViewerOnAQtWithoutTheShareContextSetterSaysWhy)
{
    test::guiApplication();
    AppState state;
    SiteViewer viewer(state, webPageViews(webPluginFolders(), "_Z20qt_gl_no_such_setterP14QOpenGLContext"));
    auto* label = qobject_cast<QLabel*>(viewer.pageView().widget());
    ASSERT_NE(label, nullptr) << "the engine was loaded without its shared context";
    EXPECT_EQ(label->text().toStdString(), "Web pages cannot be shown: Qt " + std::string(qVersion()) +
                                               " has no qt_gl_no_such_setter(QOpenGLContext*), which the web "
                                               "engine needs.");
    viewer.pageView().navigate("about:blank");
    EXPECT_FALSE(viewer.pageView().busy());
    EXPECT_EQ(mappedFiles("WebEngine"), "");
    EXPECT_EQ(mappedFiles("libventoral-web"), "");
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
