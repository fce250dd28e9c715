// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/display_cycle.h"

#include "instruments/panel_layout.h"
#include "session/startup.h"
#include "instruments/instruments.h"
#include "observations/station_data.h"
#include "observations/trend_graphs.h"
#include "observations/trend_parser.h"

namespace ventoral {

void selectStation(AppState& state)
{
    const std::string code = state.tables.shortList.currentStation();
    // Another station starts as on a fresh start: nothing of the last one
    // may be drawn, stored or exported for it.
    if (code != state.station.currentStation) {
        state.observation = Observation{};
        state.trend.clear();
        state.minMax = MinMaxRecord{};
    }
    state.station.currentStation = code;
    state.station.stationDataPath = stationDataPath(state.tables.folders.stationData, code);
}

void loadStation(AppState& state)
{
    state.trace.record("frmMain,ReadData");
    StationTexts texts = ReadData(state.station.stationDataPath, state.station.currentStation);
    state.station.lastText = std::move(texts.lastText);
    state.station.presentText = std::move(texts.presentText);
    state.station.dataValid = texts.dataValid;

    state.trace.record("frmMain,LoadMinMax");
    LoadMinMax(state.station.dataValid, minMaxPath(state.tables.folders.minMax, state.station.currentStation),
               state.displayUnits(), state.minMax, state.observation);
}

PresentResult parseReports(AppState& state, const DateForms& forms, const CivilTime& nowLocal, StripSurface surface);

PresentResult redrawData(AppState& state, const DateForms& forms, const CivilTime& nowLocal, StripSurface surface)
{
    PresentResult result = parseReports(state, forms, nowLocal, surface);
    state.trace.record("frmMain,SaveMinMax");
    SaveMinMax(state.station.dataValid, state.station.currentStation,
               minMaxPath(state.tables.folders.minMax, state.station.currentStation), state.displayUnits(), state.trend,
               state.minMax, state.observation);
    return result;
}

PresentResult parseReports(AppState& state, const DateForms& forms, const CivilTime& nowLocal, StripSurface surface)
{
    state.trace.record("frmMain,Redraw");
    state.observation.presetForParse();

    PresentContext context;
    context.units = state.displayUnits();
    context.utcOffsetHours = state.utcOffsetHours;
    context.nowLocal = nowLocal;
    context.forms = &forms;
    context.surface = surface;
    state.trace.record("frmMain,presentData");
    PresentResult result = presentData(state.station.presentText, context, state.observation);

    state.trace.record("frmMain,trendData");
    trendData(state.station.lastText, context.units.kph, state.trend);
    return result;
}

namespace {

void drawGraphOn(AppState& state, PanelTargets& targets, PanelPicture picture, panel::GraphMargins margins,
                 void (*graph)(GraphContext&, TrendSeries&, Observation&))
{
    Surface& surface = targets.begin(picture);
    surface.clear(state.tables.colors.backgroundColor);
    surface.setForeColor(kBlack);
    surface.setFontSize(8);
    const int left = margins.left + panel::kGraphLabelPad;
    GraphContext context{surface, state.tables.colors, state.tables.shades, state.tables.units, state.utcOffsetHours,
                         left,    margins.top,         surface.widthTwips(), left};
    graph(context, state.trend, state.observation);
    targets.end(picture);
}

void drawDialOn(AppState& state, PanelTargets& targets, PanelPicture picture, void (*instrument)(InstrumentContext&),
                std::optional<double> pressureChangeHpa = std::nullopt)
{
    Surface& surface = targets.begin(picture);
    surface.clear(state.tables.colors.backgroundColor);
    state.dial.dataValid = state.station.dataValid;
    InstrumentContext context{surface,
                              state.dial,
                              state.tables.colors,
                              state.tables.shades,
                              state.tables.units,
                              state.observation,
                              state.minMax,
                              state.trend,
                              facesFolder(state.programFolder),
                              surface.widthTwips(),
                              surface.heightTwips()};
    context.pressureChangeHpa = pressureChangeHpa;
    instrument(context);
    targets.end(picture);
}

} // namespace

RedrawResult Redraw(AppState& state, const DateForms& forms, const CivilTime& nowLocal, PanelTargets& targets)
{
    RedrawResult result;
    result.present = parseReports(state, forms, nowLocal, StripSurface::Window);

    drawGraphOn(state, targets, PanelPicture::PresGraph, panel::kPressureMargins, graphPresure);
    drawGraphOn(state, targets, PanelPicture::HumidGraph, panel::kHumidityMargins, graphHumidity);
    drawGraphOn(state, targets, PanelPicture::TempGraph, panel::kTemperatureMargins, graphTemperature);
    drawGraphOn(state, targets, PanelPicture::WindSGraph, panel::kWindSpeedMargins, graphWindS);
    drawGraphOn(state, targets, PanelPicture::WindDGraph, panel::kWindDirectionMargins, graphWindD);

    state.trace.record("frmMain,SaveMinMax");
    SaveMinMax(state.station.dataValid, state.station.currentStation,
               minMaxPath(state.tables.folders.minMax, state.station.currentStation), state.displayUnits(), state.trend,
               state.minMax, state.observation);

    drawDialOn(state, targets, PanelPicture::Picture10, instrumentWindD);
    drawDialOn(state, targets, PanelPicture::Picture8, instrumentWindS);
    drawDialOn(state, targets, PanelPicture::Picture2, instrumentTemp);
    drawDialOn(state, targets, PanelPicture::Picture4, instrumentHumid);
    result.pressureChangeHpa = shownPressureChange(state.observation, state.station.dataValid,
                                                   state.station.presentText, state.trend);
    drawDialOn(state, targets, PanelPicture::Picture6, instrumentPres, result.pressureChangeHpa);

    if (state.station.dataValid)
        result.flightCategory = flightCategoryOf(metarOfReport(state.station.presentText));
    result.noStation = state.station.currentStation.size() < 3;
    return result;
}

StationStatus stationStatus(CurrentStationTexts& texts)
{
    if (texts.presentText.size() < 10) {
        texts.presentText.clear();
        texts.lastText.clear();
        return StationStatus::NoData;
    }
    if (texts.presentText != kNoDataText)
        return StationStatus::Processing;
    texts.presentText.clear();
    texts.lastText.clear();
    return StationStatus::ClickUpdate;
}

const char* statusText(StationStatus status)
{
    switch (status) {
    case StationStatus::NoData:
        return "No data available for this station";
    case StationStatus::Processing:
        return "Processing Data";
    case StationStatus::ClickUpdate:
        return "Click Update to download data for this station";
    }
    return "";
}

} // namespace ventoral
