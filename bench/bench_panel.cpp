// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing costs. Targets on a 2-core machine: one redraw (the panel model of
// the shown station, then its ten pictures) of a station with a full trend
// under 8 ms, and under 10 ms with the panel at 1.5 times its
// smallest size (BM_RedrawScaled/150; /100 is the same at the smallest size);
// all eight faces under 300 ms.

#include <map>
#include <memory>

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "instruments/panel_painter.h"
#include "session/shown_station.h"
#include "instruments/panel_layout.h"
#include "bench_support.h"
#include "widgets/picture_panel.h"
#include "widgets/qt_face_renderer.h"
#include "platform/qt_surface.h"
#include "session/panel_geometry.h"
#include "session/startup.h"

using namespace ventoral;

namespace {

using bench::sample;

// Ten 96 dpi images the size of the panel's pictures.
class ImageTargets : public PanelTargets {
public:
    Surface& begin(PanelPicture picture) override
    {
        const bool dial = picture >= PanelPicture::Picture10;
        QImage& image = m_images[picture];
        if (image.isNull()) {
            const int w = (dial ? panel::kDialWidth : panel::kWideGraphWidth) / 15;
            const int h = (dial ? panel::kDialHeight : panel::kGraphHeight) / 15;
            image = QImage(w, h, QImage::Format_RGB32);
            image.setDotsPerMeterX(3780);
            image.setDotsPerMeterY(3780);
        }
        m_painter = std::make_unique<QPainter>(&image);
        m_surface = std::make_unique<QtSurface>(*m_painter, image, Surface::Kind::Window);
        return *m_surface;
    }
    void end(PanelPicture) override
    {
        m_surface.reset();
        m_painter.reset();
    }

private:
    std::map<PanelPicture, QImage> m_images;
    std::unique_ptr<QPainter> m_painter;
    std::unique_ptr<QtSurface> m_surface;
};

// The main window's ten pictures at a zoom: each draws in its own twips on
// a fresh image zoom times as large, as on screen.
class PanelPictures : public PanelTargets {
public:
    explicit PanelPictures(double zoom)
    {
        for (const auto& [picture, rect] : panelGeometry(1).pictures) {
            auto& panel = m_pictures[picture];
            panel = std::make_unique<PicturePanel>("picture", static_cast<int>(rect.width), static_cast<int>(rect.height));
            panel->setZoom(zoom);
        }
    }
    Surface& begin(PanelPicture picture) override { return m_pictures.at(picture)->begin(); }
    void end(PanelPicture picture) override { m_pictures.at(picture)->end(); }

private:
    std::map<PanelPicture, std::unique_ptr<PicturePanel>> m_pictures;
};

// KBFI's report and a full day of trend, as the store would give them.
void loadSample(AppState& app)
{
    app.tables.shades = defaultShades();
    app.tables.shortList.entries = {"KBFI"};
    app.tables.shortList.selected = 0;
    StationTexts texts;
    texts.presentText = sample("observations/noaa-decoded/KBFI-2.txt");
    texts.lastText = sample("observations/trend/KSEA.TREND");
    texts.dataValid = true;
    app.shown.replace(snapshotOf("KBFI", texts), std::nullopt);
}

void redraw(const AppState& app, const DateForms& forms, PanelTargets& targets)
{
    const PanelModel model = app.shown.model(app.tables.units, {CivilTime{2023, 12, 6, 18, 0, 0}, nullptr, &forms});
    paintPanel(targets, model, {app.tables.colors, app.tables.shades, facesFolder(app.programFolder)});
}

void BM_Redraw(benchmark::State& state)
{
    AppState app;
    loadSample(app);
    const IsoDateForms forms;
    ImageTargets targets;
    for (auto _ : state)
        redraw(app, forms, targets);
}
BENCHMARK(BM_Redraw)->Unit(benchmark::kMillisecond);

// The whole panel at range(0) percent of its smallest size, faces included.
void BM_RedrawScaled(benchmark::State& state)
{
    const double zoom = static_cast<double>(state.range(0)) / 100;
    const QTemporaryDir folder;
    AppState app;
    loadSample(app);
    app.programFolder = folder.path().toStdString();
    QtFaceRenderer(zoom).makeFaces(app, facesFolder(app.programFolder));
    const IsoDateForms forms;
    PanelPictures targets(zoom);
    for (auto _ : state)
        redraw(app, forms, targets);
}
BENCHMARK(BM_RedrawScaled)->Arg(100)->Arg(150)->Unit(benchmark::kMillisecond);

void BM_makeFaces(benchmark::State& state)
{
    AppState app;
    QtFaceRenderer renderer;
    for (auto _ : state) {
        for (const FaceSpec& face : faceSpecs(app.tables.units))
            benchmark::DoNotOptimize(renderer.renderFace(app.tables.colors, face));
    }
}
BENCHMARK(BM_makeFaces)->Unit(benchmark::kMillisecond);

} // namespace
