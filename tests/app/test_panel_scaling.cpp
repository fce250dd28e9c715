// SPDX-License-Identifier: GPL-3.0-or-later
// The panel at 1.5 times its smallest size: where its parts stand, what the
// display cycle draws through the scaled surface, and the main window that
// grows, keeps its size and renders its faces for the size shown.

#include <filesystem>
#include <map>
#include <memory>

#include <QImage>
#include <QLabel>
#include <QPainter>

#include <gtest/gtest.h>

#include "main_window_fixture.h"
#include "platform/qt_surface.h"
#include "session/panel_geometry.h"
#include "widgets/picture_panel.h"
#include "widgets/qt_face_renderer.h"
#include "recording_surface.h"

using namespace ventoral;

namespace {

constexpr double kZoom = 1.5;

std::vector<RectTwips> partsOf(const PanelGeometry& g)
{
    std::vector<RectTwips> parts = {g.stations, g.dateLabel, g.strip, g.downloadPanel,
                                    {0, 0, g.widthTwips, g.heightTwips}};
    for (const auto& [which, rect] : g.pictures)
        parts.push_back(rect);
    return parts;
}

TEST(PanelGeometryTest, EveryPartAtOneAndAHalfIsOneAndAHalfTimesItsSmallestRectangle)
{
    const PanelGeometry smallest = panelGeometry(1);
    const PanelGeometry larger = panelGeometry(kZoom);
    EXPECT_EQ(smallest.pictures.size(), 10u);
    const std::vector<RectTwips> small = partsOf(smallest);
    const std::vector<RectTwips> large = partsOf(larger);
    ASSERT_EQ(small.size(), large.size());
    for (std::size_t i = 0; i < small.size(); ++i) {
        EXPECT_DOUBLE_EQ(large[i].left, kZoom * small[i].left) << i;
        EXPECT_DOUBLE_EQ(large[i].top, kZoom * small[i].top) << i;
        EXPECT_DOUBLE_EQ(large[i].width, kZoom * small[i].width) << i;
        EXPECT_DOUBLE_EQ(large[i].height, kZoom * small[i].height) << i;
    }
}

TEST(PanelGeometryTest, TheZoomFillsTheNarrowerSideAndNeverGoesBelowOne)
{
    const struct {
        double width;
        double height;
        double zoom;
    } cases[] = {
        {13980, 8200, 1},           // the smallest size
        {6990, 4100, 1},            // smaller still: the panel keeps its smallest size
        {20970, 12300, 1.5},        // 1.5 times each side
        {27960, 12300, 1.5},        // wider: the height decides
        {20970, 30000, 1.5},        // taller: the width decides
        {0, 0, 1},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(panelZoomFor(c.width, c.height), c.zoom) << c.width << " x " << c.height;
    EXPECT_DOUBLE_EQ(panelGeometry(0.5).zoom, 1);
}

// Each picture of the panel at its rectangle for the zoom, drawn in logical
// twips on a surface scaled by the zoom, recorded in the twips of the target.
class ScaledRecordingTargets : public PanelTargets {
public:
    explicit ScaledRecordingTargets(double zoom) : m_zoom(zoom) {}
    std::map<PanelPicture, std::unique_ptr<test::RecordingSurface>> recorded;

    Surface& begin(PanelPicture picture) override
    {
        const RectTwips rect = panelGeometry(m_zoom).pictures.at(picture);
        recorded[picture] = std::make_unique<test::RecordingSurface>(Surface::Kind::Window, rect.width, rect.height);
        recorded[picture]->scale(m_zoom);
        return *recorded[picture];
    }
    void end(PanelPicture) override {}

private:
    double m_zoom;
};

// One station with a full trend drawn by the whole display cycle at a zoom.
std::unique_ptr<ScaledRecordingTargets> drawPanel(double zoom)
{
    test::TempDir dir;
    AppState state;
    state.programFolder = dir.path();
    WriteDefaultSettings(dir.file("vntl.ini"), dir.path(), state.tables);
    createFolder(state.tables.folders.stationData);
    createFolder(state.tables.folders.minMax);
    writeStationData(stationDataPath(state.tables.folders.stationData, "KBFI"),
                     test::readData("observations/trend/KSEA.TREND"),
                     test::readData("observations/noaa-decoded/KBFI-2.txt"));
    state.shown.show(storeOf(state.tables), "KBFI");
    auto targets = std::make_unique<ScaledRecordingTargets>(zoom);
    const IsoDateForms forms;
    const PanelModel model = state.shown.model(state.tables.units, {CivilTime{2023, 12, 6, 18, 0, 0}, nullptr, &forms});
    paintPanel(*targets, model, {state.tables.colors, state.tables.shades, facesFolder(state.programFolder)});
    return targets;
}

TEST(PanelScalingTest, EveryDrawingCallReachesTheSurfaceOneAndAHalfTimesLarger)
{
    const auto small = drawPanel(1);
    const auto large = drawPanel(kZoom);
    using Op = test::SurfaceCall::Op;
    ASSERT_EQ(small->recorded.size(), 10u);
    for (const auto& [picture, surface] : small->recorded) {
        const std::vector<test::SurfaceCall>& a = surface->calls();
        const std::vector<test::SurfaceCall>& b = large->recorded.at(picture)->calls();
        ASSERT_EQ(a.size(), b.size()) << int(picture);
        for (std::size_t i = 0; i < a.size(); ++i) {
            const std::string where = std::to_string(int(picture)) + ": call " + std::to_string(i) + " " + a[i].text;
            ASSERT_EQ(a[i].op, b[i].op) << where;
            // Each drawing has its own program folder.
            const auto name = [](const std::string& text) { return text.substr(text.find_last_of('/') + 1); };
            EXPECT_EQ(name(a[i].text), name(b[i].text)) << where;
            EXPECT_DOUBLE_EQ(b[i].fontSize, kZoom * a[i].fontSize) << where;
            EXPECT_DOUBLE_EQ(b[i].drawWidth, kZoom * a[i].drawWidth) << where;
            EXPECT_EQ(b[i].fore, a[i].fore) << where;
            ASSERT_EQ(a[i].args.size(), b[i].args.size()) << where;
            for (std::size_t k = 0; k < a[i].args.size(); ++k) {
                // Colours and the angles of arcs and pies stay as they are.
                const bool unscaled = a[i].op == Op::Clear || ((a[i].op == Op::Arc || a[i].op == Op::Pie) && k >= 3);
                EXPECT_NEAR(b[i].args[k], (unscaled ? 1 : kZoom) * a[i].args[k], 1e-6) << where << " arg " << k;
            }
            // Pointer corners snap to whole device pixels of 15 twips.
            ASSERT_EQ(a[i].points.size(), b[i].points.size()) << where;
            for (std::size_t k = 0; k < a[i].points.size(); ++k) {
                EXPECT_NEAR(b[i].points[k].x, kZoom * a[i].points[k].x, 15) << where;
                EXPECT_NEAR(b[i].points[k].y, kZoom * a[i].points[k].y, 15) << where;
            }
        }
    }

    // The pressure dial's face fills the top square of its picture, its caption is set in 7 points.
    for (const auto& [zoom, targets] : {std::pair{1.0, small.get()}, std::pair{kZoom, large.get()}}) {
        const test::RecordingSurface& dial = *targets->recorded.at(PanelPicture::Picture6);
        ASSERT_EQ(dial.callsOf(Op::Picture).size(), 1u);
        EXPECT_DOUBLE_EQ(dial.callsOf(Op::Picture)[0].args[0], 2700 * zoom);
        EXPECT_DOUBLE_EQ(dial.callsOf(Op::Text).back().fontSize, 7 * zoom);
    }
}

// Faces are read once and drawn from memory until their file changes, as
// after new colours, which keep the size of every file.
TEST(PanelPicturesTest, AFaceFileWrittenAgainIsDrawnAsItIsNow)
{
    test::guiApplication();
    test::TempDir dir;
    const std::string face = dir.file("face.bmp");
    QImage drawn(30, 30, QImage::Format_RGB32);
    drawn.setDotsPerMeterX(3780);
    drawn.setDotsPerMeterY(3780);
    for (const QColor colour : {QColor(Qt::red), QColor(Qt::blue), QColor(Qt::green)}) {
        QImage file(30, 30, QImage::Format_RGB888);
        file.fill(colour);
        ASSERT_TRUE(file.save(QString::fromStdString(face), "BMP"));
        QPainter painter(&drawn);
        QtSurface surface(painter, drawn, Surface::Kind::Window);
        EXPECT_TRUE(surface.picture(face, 450, 450));
        painter.end();
        EXPECT_EQ(drawn.pixelColor(15, 15), colour) << colour.name().toStdString();
    }
    std::filesystem::remove(face);
    QPainter painter(&drawn);
    QtSurface surface(painter, drawn, Surface::Kind::Window);
    EXPECT_FALSE(surface.picture(face, 450, 450));
}

class PanelWindowTest : public test::MainWindowFixture {
protected:
    std::string faceFile() const { return joinPath(facesFolder(state.programFolder), "ScalePressureH.bmp"); }
    QSize central() const { return window->centralWidget()->size(); }
    void growBy(double zoom)
    {
        const QSize smallest = central();
        window->resize(window->width() + static_cast<int>(smallest.width() * (zoom - 1)),
                       window->height() + static_cast<int>(smallest.height() * (zoom - 1)));
        QApplication::processEvents();
    }
};

TEST_F(PanelWindowTest, TheWholePanelGrowsWithTheWindowAndItsFacesAreRenderedForTheSizeShown)
{
    createFolder(facesFolder(state.programFolder));
    ASSERT_TRUE(QtFaceRenderer(1.0).makeFaces(state, facesFolder(state.programFolder)));
    start();
    window->show();
    QApplication::processEvents();
    EXPECT_DOUBLE_EQ(window->panelZoom(), 1);
    EXPECT_EQ(window->minimumSize(), window->size());   // today's size is the smallest

    auto* label = window->findChild<QLabel*>("Label78");
    const double fontBefore = label->font().pointSizeF();
    const QRect dialBefore = window->picture(PanelPicture::Picture6)->geometry();

    growBy(kZoom);
    EXPECT_DOUBLE_EQ(window->panelZoom(), kZoom);
    EXPECT_NEAR(window->picture(PanelPicture::Picture6)->width(), kZoom * dialBefore.width(), 1);
    EXPECT_DOUBLE_EQ(label->font().pointSizeF(), kZoom * fontBefore);

    // Until the size settles the pictures show what they held, stretched.
    const PicturePanel* dial = window->picture(PanelPicture::Picture6);
    EXPECT_EQ(dial->image().size(), dialBefore.size() * dial->devicePixelRatioF());
    window->settleResize();
    EXPECT_EQ(dial->image().size(), dial->size() * dial->devicePixelRatioF());
    const int side = QtFaceRenderer(dial->devicePixelRatioF() * kZoom * dial->logicalDpiX() / 96.0).faceSide();
    EXPECT_EQ(QImage(QString::fromStdString(faceFile())).size(), QSize(side, side));
    EXPECT_EQ(side, dial->width() * dial->devicePixelRatioF());

    // Smaller than the smallest size, the panel stays at its smallest.
    window->resize(200, 150);
    QApplication::processEvents();
    EXPECT_DOUBLE_EQ(window->panelZoom(), 1);
}

TEST_F(PanelWindowTest, TheSizeAndPositionAreStoredAndTakenBackAtTheNextStart)
{
    state.startupComplete = false;
    start();
    const std::vector<ScreenArea> large = {{{0, 0, 3000, 2000}, {0, 0, 3000, 2000}}};   // room for the larger window
    state.screens = large;
    window->startProg();
    const QSize smallest = window->size();
    window->show();
    QApplication::processEvents();
    growBy(kZoom);
    window->move(0, 0);
    QApplication::processEvents();
    const QRect shown = window->geometry();
    window->exitProgram();
    EXPECT_EQ(store.value("Settings", "MainWidth", ""), std::to_string(shown.width() * 15));

    window.reset();
    start();
    state.screens = large;
    window->startProg();
    EXPECT_EQ(window->geometry(), shown);
    EXPECT_DOUBLE_EQ(window->panelZoom(), kZoom);
    EXPECT_EQ(window->picture(PanelPicture::Picture6)->width(), 270);

    // A stored size below the smallest is raised to it, one beyond the work
    // area is cut to it, and what is no size at all leaves the smallest.
    const struct {
        std::string width;
        std::string height;
        QSize expected;
    } cases[] = {
        {"1500", "1500", smallest},
        {"43500", "28500", QSize(2000, 1500)},
        {"99999999999999999999", "99999999999999999999", QSize(2000, 1500)},
        {"wide", "-9000", smallest},
    };
    state.screens = {{{0, 0, 2000, 1500}, {0, 0, 2000, 1500}}};
    for (const auto& c : cases) {
        store.setValue("Settings", "MainWidth", c.width);
        store.setValue("Settings", "MainHeight", c.height);
        store.setValue("Settings", "MainLeft", c.width);
        window->startProg();
        EXPECT_EQ(window->size(), c.expected) << c.width;
    }
}

// The screens in pixels of the desktop, the primary first.
TEST_F(PanelWindowTest, TheWindowIsPlacedOnTheScreenItWasOnInsideItsWorkArea)
{
    state.startupComplete = false;
    start();
    // The primary on the right, its work area below a top panel; a larger screen on the left.
    state.screens = {{{1920, 0, 1920, 1080}, {1920, 27, 1920, 1053}}, {{0, 0, 2560, 1440}, {0, 0, 2560, 1440}}};
    window->startProg();
    const QSize smallest = window->size();
    EXPECT_EQ(window->geometry(), QRect(QPoint(1920 + (1920 - smallest.width()) / 2, 27 + (1053 - smallest.height()) / 2),
                                        smallest));

    // Stored on the larger screen at a size the primary's work area cannot hold.
    store.setValue("Settings", "MainLeft", std::to_string(100 * 15));
    store.setValue("Settings", "MainTop", std::to_string(50 * 15));
    store.setValue("Settings", "MainWidth", std::to_string(2200 * 15));
    store.setValue("Settings", "MainHeight", std::to_string(1300 * 15));
    window->startProg();
    EXPECT_EQ(window->geometry(), QRect(100, 50, 2200, 1300));
}

} // namespace
