// SPDX-License-Identifier: GPL-3.0-or-later
// The page view over Qt WebEngine, off-screen and without the network: a
// generated map page shows its local image, a new window opens in the same
// view, a local file loads, and the view reports when it has finished.

#include <QElapsedTimer>
#include <QImage>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include "gui_application.h"
#include "maps/core/map_page.h"
#include "platform/core/file_io.h"
#include "platform/web/qt_page_view.h"
#include "test_support.h"
#include "wait_for.h"

using namespace ventoral;
using ventoral::test::waitFor;

namespace {

QString evaluate(QtPageView& page, const QString& script)
{
    QString result;
    bool answered = false;
    page.view()->page()->runJavaScript(script, [&](const QVariant& value) {
        result = value.toString();
        answered = true;
    });
    EXPECT_TRUE(waitFor([&] { return answered; }));
    return result;
}

// One test, so no two engines share the profile folder at once.
TEST(QtPageView, ShowsAGeneratedMapPageAndALocalFile)
{
    prepareWebEngine();
    test::guiApplication();
    test::TempDir dir;
    const std::string image = dir.file("map 'a' \"b\" & <c> #1%.png");
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(QString::fromStdString(image), "PNG"));

    QWidget host;
    host.resize(320, 240);
    QtPageView page(&host);
    page.widget()->resize(320, 240);
    host.show();

    page.showPage(mapPageText({"Radar & <Fronts>", image, true, 100, 50}));
    EXPECT_TRUE(page.busy());
    ASSERT_TRUE(waitFor([&] { return !page.busy(); }));
    EXPECT_EQ(evaluate(page, "var i = document.images[0]; [document.images.length, i.complete, i.naturalWidth, "
                             "i.width, document.title].join('|')"),
              "1|true|40|100|Radar & <Fronts>");

    // A page asking for a new window gets the same view.
    const std::string local = dir.file("noimage.htm");
    test::writeFile(local, "<html><head><title>No map image</title></head><body>none</body></html>");
    page.view()->settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);
    // No answer comes back: the page that would give it is replaced.
    page.view()->page()->runJavaScript(QString("window.open('%1')").arg(QString::fromStdString(fileUrl(local))));
    EXPECT_TRUE(waitFor([&] { return page.view()->title() == "No map image" && !page.busy(); }));

    page.navigate("about:Blank");
    ASSERT_TRUE(waitFor([&] { return !page.busy(); }));
    EXPECT_EQ(evaluate(page, "document.body.innerHTML"), "");

    page.navigate(local);
    ASSERT_TRUE(waitFor([&] { return !page.busy(); }));
    EXPECT_EQ(page.view()->title(), "No map image");
    page.stop();
    EXPECT_FALSE(page.busy());
}

} // namespace
