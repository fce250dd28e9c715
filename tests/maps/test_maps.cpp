// SPDX-License-Identifier: GPL-3.0-or-later
// The map pages, the map viewer with its downloads against a loopback
// server, the addresses window and the site viewer.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include "settings/settings.h"
#include "editor_fixture.h"
#include "gui_application.h"
#include "widgets/picture_panel.h"
#include "http_test_server.h"
#include "loopback_downloader.h"
#include "maps/core/map_page.h"
#include "maps/map_viewer.h"
#include "maps/pic_sites.h"
#include "maps/site_viewer.h"
#include "platform/core/file_io.h"
#include "recording_page_view.h"
#include "test_support.h"

using namespace ventoral;
using test::HttpResponse;
using test::HttpTestServer;
using test::RecordingPageView;

namespace {

TEST(MapPage, TheSmallPageScalesTheImageAndTheFullPageShowsItAtItsOwnSize)
{
    const std::string small = mapPageText({"Radar", "/maps/radar.gif", true, 512.5f, 300});
    EXPECT_NE(small.find("<img src='file:///maps/radar.gif' name='Map1' width='512.5' height='300'>"),
              std::string::npos);
    const std::string full = mapPageText({"Radar", "/maps/radar.gif", false, 512.5f, 300});
    EXPECT_EQ(full.find("width="), std::string::npos);
}

TEST(MapPage, NoFileNameOrMapNameCanBreakOutOfThePage)
{
    const std::string name = "x' onerror='alert(1)\" <b>&amp; %20.gif";
    const std::string page = mapPageText({"<script>alert('t')</script>", "/maps/" + name, true, 10, 10});
    EXPECT_EQ(page.find("<script>"), std::string::npos);
    EXPECT_EQ(page.find("onerror='"), std::string::npos);
    EXPECT_EQ(page.find("<b>"), std::string::npos);
    EXPECT_NE(page.find("<title>&lt;script&gt;alert(&#39;t&#39;)&lt;/script&gt;</title>"), std::string::npos);
    // The source holds only URL characters, and the one quote pair around them.
    const std::string source = fileUrl("/maps/" + name);
    EXPECT_EQ(source, "file:///maps/x%27%20onerror%3D%27alert%281%29%22%20%3Cb%3E%26amp%3B%20%2520.gif");
    EXPECT_NE(page.find("<img src='" + source + "'"), std::string::npos);
    EXPECT_EQ(fileUrl("/home/ana/Données/é.png"), "file:///home/ana/Donn%C3%A9es/%C3%A9.png");
}

TEST(MapPage, FileNamesComeFromTheLastSlashOfTheAddress)
{
    for (const auto& [address, file] : {std::pair{"https://wxmaps.org/pix/avnmr1.24hr.png", "avnmr1.24hr.png"},
                                        {"radar.gif", "radar.gif"}, {"https://wxmaps.org/pix/", ""}})
        EXPECT_EQ(deriveMapFileName(address), file) << address;
    for (const char* bad : {"", "..", "a\\b.gif", "a/b.gif"})
        EXPECT_FALSE(isConfiguredMapFile(bad)) << bad;
    EXPECT_TRUE(isConfiguredMapFile("..radar.gif"));
}

// The primary screen stands right of the other, its work area below a
// panel 27 pixels high.
const std::vector<ScreenArea> kScreens = {{{1920, 0, 1600, 1027}, {1920, 27, 1600, 1000}},
                                          {{0, 0, 1920, 1080}, {0, 0, 1920, 1080}}};

// What the downloader reports for the map viewer reaches its panel.
class ViewerDownloadView : public DownloadView {
public:
    MapViewer* viewer = nullptr;
    std::vector<std::string> statuses;
    void setMapStatus(const std::string& text) override
    {
        statuses.push_back(text);
        viewer->setStatus(text);
    }
    void setMapBytes(const std::string& text) override { viewer->setBytes(text); }
    void showMapFrame(int frame) override { viewer->showFrame(frame); }
};

class MapViewerTest : public ::testing::Test, protected test::WithGuiApplication, protected test::LoopbackDownloader {
protected:
    MapViewerTest()
    {
        state.tables.folders.maps = home.file("Maps");
        createFolder(state.tables.folders.maps);
        state.deliveredDataFolder = home.file("data");
        state.screens = kScreens;
        viewer = std::make_unique<MapViewer>(state, MapViewerServices{downloader, prompter, views.factory()});
        page = views.last;
        view.viewer = viewer.get();
        downloader.setView(&view);
    }

    void map(int slot, const std::string& name, HttpResponse response, const std::string& title = {})
    {
        state.tables.addresses[slot] = server.base() + "/pix/" + name;
        state.tables.files[static_cast<std::size_t>(slot)] = deriveMapFileName(state.tables.addresses[slot]);
        state.tables.names[static_cast<std::size_t>(slot)] = title;
        server.route("/pix/" + name, std::move(response));
    }
    std::string mapFile(const std::string& name) const { return joinPath(state.tables.folders.maps, name); }
    QAction* action(const char* name) const { return viewer->findChild<QAction*>(name); }
    int px(double twips) const { return twipsToPixels(*viewer, twips); }
    // The number in attribute="…" of the last page.
    double attribute(const char* name) const
    {
        const QRegularExpression pattern(QString("%1='([0-9.]+)'").arg(name));
        const auto match = pattern.match(QString::fromStdString(page->lastPage()));
        return match.hasMatch() ? match.captured(1).toDouble() : -1;
    }

    test::TempDir home;
    test::RecordingPageViews views;
    ViewerDownloadView view;
    std::unique_ptr<MapViewer> viewer;
    RecordingPageView* page = nullptr;
};

TEST_F(MapViewerTest, OpensSmallAndCentredWithAStoredMapScaledAndShowsItAtItsOwnSizeOnTheFullScreen)
{
    map(0, "radar.gif", HttpResponse(200, "GIF89a"), "Radar");
    state.tables.names[1] = "Surface";
    test::writeFile(mapFile("radar.gif"), "GIF89a stored");
    viewer->startLoad();
    EXPECT_EQ(action("mnuMap2")->text(), "Surface");
    // Centred in the primary's work area: no main window in this test.
    EXPECT_EQ(viewer->geometry(),
              QRect(1920 + (1600 - px(7800)) / 2, 27 + (1000 - px(7000)) / 2, px(7800), px(7000)));
    EXPECT_FALSE(action("mnuPreview")->isEnabled());
    EXPECT_FALSE(action("mnuPrint")->isEnabled());
    // The page view fills the window but for a small margin.
    const QSize inner = viewer->centralWidget()->size();
    EXPECT_EQ(page->widget()->size(), QSize(inner.width() - px(10), inner.height() - px(20)));
    EXPECT_EQ(viewer->windowTitle(), "Map Viewer: Radar");
    EXPECT_NEAR(attribute("width"), page->widget()->width() * 0.995, 0.01);
    EXPECT_NEAR(attribute("height"), page->widget()->height() * 0.995, 0.01);
    EXPECT_NE(page->lastPage().find(fileUrl(mapFile("radar.gif"))), std::string::npos);
    EXPECT_FALSE(page->scrollBars);

    action("mnuSize")->trigger();
    EXPECT_EQ(viewer->frameGeometry(), QRect(1920, 27, 1600, 1000));   // the work area
    EXPECT_EQ(attribute("width"), -1);
    EXPECT_TRUE(page->scrollBars);
    action("mnuPrint")->trigger();
    EXPECT_EQ(page->prints, 1);

    action("mnuSize")->trigger();
    EXPECT_EQ(viewer->size(), QSize(px(7800), px(7000)));
}

TEST_F(MapViewerTest, OpensOnTheScreenOfTheMainWindow)
{
    QWidget mainWindow;
    mainWindow.setGeometry(100, 100, 932, 547);   // on the screen left of the primary
    auto* beside = new MapViewer(state, MapViewerServices{downloader, prompter, views.factory()}, &mainWindow);
    beside->startLoad();
    EXPECT_EQ(beside->geometry(), QRect((1920 - px(7800)) / 2, (1080 - px(7000)) / 2, px(7800), px(7000)));
    beside->findChild<QAction*>("mnuSize")->trigger();
    EXPECT_EQ(beside->frameGeometry(), QRect(0, 0, 1920, 1080));
}

TEST_F(MapViewerTest, AMapWithoutAFileNameShowsTheLocalPageAndAMissingFileAsksForAnUpdate)
{
    state.tables.addresses[0] = "https://wxmaps.org/pix/";
    state.tables.files[0] = "";
    state.tables.files[1] = "..";
    map(2, "fronts.gif", HttpResponse(200, ""));
    viewer->startLoad();
    EXPECT_EQ(page->shown.back(), joinPath(state.deliveredDataFolder, kNoImagePage));
    action("mnuMap2")->trigger();
    EXPECT_EQ(page->shown.back(), joinPath(state.deliveredDataFolder, kNoImagePage));
    action("mnuMap3")->trigger();
    EXPECT_NE(page->lastPage().find("Please click update to download image"), std::string::npos);
}

TEST_F(MapViewerTest, UpdateAllDownloadsEveryMapShowingProgressAndReportsTheOneThatFailed)
{
    for (int slot = 0; slot < 8; ++slot)
        if (slot != 5)
            map(slot, "map" + std::to_string(slot) + ".gif", HttpResponse(200, test::gifImage(20000 + slot, 'm')));
    map(5, "gone.gif", HttpResponse(404, "<html><body>Not Found</body></html>").type("text/html"));
    viewer->startLoad();
    action("mnuUpAll")->trigger();

    for (int slot : {0, 4, 6, 7})
        EXPECT_EQ(test::readFile(mapFile("map" + std::to_string(slot) + ".gif")).size(), 20000u + slot);
    EXPECT_FALSE(fileExists(mapFile("gone.gif")));
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "Could not Find " + server.base() + "/pix/gone.gif");
    EXPECT_NE(std::find(view.statuses.begin(), view.statuses.end(), "Downloading File: 8"), view.statuses.end());
    EXPECT_EQ(viewer->findChild<QLabel*>("Label2")->text(), "20007");
    // Done: the panel is gone, the menus are back and the first map is shown.
    EXPECT_FALSE(viewer->findChild<QWidget*>("Picture11")->isVisible());
    EXPECT_TRUE(viewer->findChild<QMenu*>("mnuMaps")->menuAction()->isEnabled());
    EXPECT_NE(page->lastPage().find(fileUrl(mapFile("map0.gif"))), std::string::npos);
    EXPECT_FALSE(downloader.busy());
}

TEST_F(MapViewerTest, UpdateFetchesOnlyTheCurrentMapAndShowsNoErrorBox)
{
    map(0, "first.gif", HttpResponse(200, test::gifImage(3000, 'a')));
    map(3, "fourth.gif", HttpResponse(200, test::gifImage(9000, 'd')), "Fourth");
    map(4, "missing.gif", HttpResponse(404, "<html>Not Found</html>").type("text/html"));
    viewer->startLoad();
    action("mnuMap4")->trigger();
    action("mnuUpdate")->trigger();
    EXPECT_EQ(test::readFile(mapFile("fourth.gif")).size(), 9000u);
    EXPECT_EQ(server.requests("/pix/first.gif"), 0);
    EXPECT_EQ(viewer->windowTitle(), "Map Viewer: Fourth");
    EXPECT_NE(page->lastPage().find(fileUrl(mapFile("fourth.gif"))), std::string::npos);

    action("mnuMap5")->trigger();
    action("mnuUpdate")->trigger();
    EXPECT_TRUE(prompter.messages().empty());
    EXPECT_NE(page->lastPage().find("Please click update"), std::string::npos);

    // While a transfer runs, neither update starts another.
    state.download.busy = true;
    action("mnuUpAll")->trigger();
    action("mnuUpdate")->trigger();
    EXPECT_EQ(server.requests("/pix/first.gif"), 0);
    EXPECT_EQ(server.requests("/pix/missing.gif"), 1);
    state.download.busy = false;

    action("mnuClose")->trigger();
    EXPECT_FALSE(viewer->isVisible());
    EXPECT_EQ(page->stops, 1);
    EXPECT_TRUE(state.download.transferDone);
}

class AddressesTest : public test::EditorTest {
protected:
    std::unique_ptr<PicSites> openAddresses()
    {
        return std::make_unique<PicSites>(EditorServices{state, prompter, dialogs, [] {}});
    }
};

TEST_F(AddressesTest, SavingWritesEveryTableWithDerivedFileNamesAndZeroOneAutoFlags)
{
    state.tables.autos[2] = "1.0";
    auto urls = openAddresses();
    for (const auto& [box, text] : {std::pair{"Text1_0", "https://example.org/pix/radar.gif"},
                                    {"Text1_1", "https://example.org/pix/"}, {"Text1_2", "plain.png"},
                                    {"Text1_11", "https://example.org/trend"}})
        type(urls.get(), box, text);
    control<QCheckBox>(urls.get(), "Check1_0")->setChecked(true);
    click(urls.get(), "btnSave");

    EXPECT_TRUE(urls->isSaved());
    struct Stored {
        const char* section;
        const char* key;
        const char* value;
    };
    const Stored stored[] = {
        {"ImageFile", "F00", "radar.gif"}, {"ImageFile", "F01", ""}, {"ImageFile", "F02", "plain.png"},
        {"ImageAuto", "A00", "1"}, {"ImageAuto", "A02", "1"}, {"ImageAuto", "A03", "0"},
        {"DataAddress", "Trend", "https://example.org/trend"},
    };
    for (const Stored& entry : stored)
        EXPECT_EQ(ini(entry.section, entry.key), entry.value) << entry.section << "/" << entry.key;
    EXPECT_EQ(state.tables.files[0], "radar.gif");

    // Saved: leaving asks nothing.
    click(urls.get(), "btnOk");
    EXPECT_TRUE(prompter.messages().empty());
}

// A screen reader sets a field's text without a key: that is an edit too.
TEST_F(AddressesTest, ATextSetWithoutKeysCountsAsAnEdit)
{
    auto urls = openAddresses();
    control<QLineEdit>(urls.get(), "Text1_11")->setText("https://example.org/trend");
    EXPECT_FALSE(urls->isSaved());
    prompter.answer(true);
    click(urls.get(), "btnOk");
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, kSaveQuestion);
    EXPECT_EQ(ini("DataAddress", "Trend"), "https://example.org/trend");
}

TEST_F(AddressesTest, LeavingAsksOnlyAfterARealChangeAndSavesOnlyOnYes)
{
    auto urls = openAddresses();
    click(urls.get(), "btnOk");
    // Edits undone again leave nothing to save, also after a save.
    urls = openAddresses();
    type(urls.get(), "Text3_3", "Fronts");
    type(urls.get(), "Text3_3", "");
    control<QCheckBox>(urls.get(), "Check1_5")->setChecked(true);
    control<QCheckBox>(urls.get(), "Check1_5")->setChecked(false);
    click(urls.get(), "btnOk");
    urls = openAddresses();
    type(urls.get(), "Text1_8", "https://www.weather.gov");
    click(urls.get(), "btnSave");
    type(urls.get(), "Text1_8", "https://example.org");
    type(urls.get(), "Text1_8", "https://www.weather.gov");
    click(urls.get(), "btnOk");
    EXPECT_TRUE(prompter.messages().empty());

    urls = openAddresses();
    type(urls.get(), "Text3_3", "Fronts");
    click(urls.get(), "btnOk");   // No
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, kSaveQuestion);
    EXPECT_EQ(ini("ImageName", "N03"), "");

    urls = openAddresses();
    control<QCheckBox>(urls.get(), "Check1_7")->setChecked(true);
    prompter.answer(true);
    click(urls.get(), "btnOk");
    EXPECT_EQ(prompter.messages().size(), 2u);
    EXPECT_EQ(ini("ImageAuto", "A07"), "1");
}

class SiteViewerTest : public AddressesTest {
protected:
    test::RecordingPageViews views;
};

TEST_F(SiteViewerTest, OpensOnTheFirstSiteAndFollowsTheSelector)
{
    state.tables.addresses[8] = "https://www.weather.gov";
    state.tables.addresses[9] = "https://www.metoffice.gov.uk";
    state.tables.names[8] = "NWS";
    state.tables.names[9] = "Met Office";
    SiteViewer viewer(state, views.factory());
    RecordingPageView* page = views.last;
    viewer.load();
    auto* selector = viewer.findChild<QComboBox*>("Combo1");
    ASSERT_EQ(selector->count(), 2);
    // The first site is asked for once.
    EXPECT_EQ(page->shown, std::vector<std::string>{"https://www.weather.gov"});

    viewer.Combo1_Click(1);
    viewer.findChild<QPushButton*>("btnUpdate")->click();
    EXPECT_EQ(page->shown, (std::vector<std::string>{"https://www.weather.gov", "https://www.metoffice.gov.uk",
                                                     "https://www.metoffice.gov.uk"}));

    state.tables.names = {};
    viewer.load();
    EXPECT_EQ(selector->count(), 2);
    EXPECT_EQ(selector->itemText(0), "");
}

// Centred in the work area of the main window's screen, as the map viewer.
TEST_F(SiteViewerTest, OpensOnTheScreenOfTheMainWindow)
{
    state.screens = kScreens;
    QWidget mainWindow;
    mainWindow.setGeometry(100, 100, 932, 547);   // on the screen left of the primary
    auto* site = new SiteViewer(state, views.factory(), &mainWindow);
    const QSize size = site->size();
    EXPECT_EQ(site->pos(), QPoint((1920 - size.width()) / 2, (1080 - size.height()) / 2));
}

class MainWindowMapsTest : public test::EditorTest, protected test::LoopbackDownloader {
protected:
    void startWithViewers()
    {
        window = std::make_unique<MainWindow>(EditorTest::state, services(nullptr, views.factory()));
        window->setDownloader(&downloader);
    }
    QMenu* menu(const char* name) const { return window->findChild<QMenu*>(name); }

    test::RecordingPageViews views;
};

TEST_F(MainWindowMapsTest, TheMapsSitesAndAddressesEntriesOpenTheirWindows)
{
    start();   // no page views: no viewers
    EXPECT_FALSE(menu("mnuMaps")->isEnabled() || menu("mnuSites")->isEnabled());
    window.reset();
    EditorTest::state.tables.addresses[8] = "https://www.weather.gov";
    startWithViewers();
    EXPECT_TRUE(menu("mnuMaps")->isEnabled());
    EXPECT_TRUE(menu("mnuSites")->isEnabled());
    window->openMapViewer();
    ASSERT_TRUE(window->mapViewer());
    EXPECT_TRUE(window->mapViewer()->isVisible());
    window->openMapViewer();
    EXPECT_EQ(window->findChildren<MapViewer*>().size(), 1);

    window->openSiteViewer();
    ASSERT_TRUE(window->siteViewer());
    EXPECT_EQ(views.last->shown.back(), "https://www.weather.gov");

    QWidget* addresses = open("SitesUrls", "frmPicSites");
    ASSERT_TRUE(addresses);

    // Closing the main window closes every viewer.
    window->close();
    EXPECT_FALSE(window->mapViewer()->isVisible());
    EXPECT_FALSE(window->siteViewer()->isVisible());
}

} // namespace
