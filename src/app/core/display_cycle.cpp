#include "app/core/display_cycle.h"

#include "observations/station_data.h"
#include "observations/trend_parser.h"

namespace ventoral {

void selectStation(AppState& state)
{
    const std::string code = state.tables.shortList.currentStation();
    if (code != state.station.currentStation)
        state.observation.clearTexts();
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

PresentResult redrawData(AppState& state, const DateForms& forms, const CivilTime& nowLocal, StripSurface surface)
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

    state.trace.record("frmMain,SaveMinMax");
    SaveMinMax(state.station.dataValid, state.station.currentStation,
               minMaxPath(state.tables.folders.minMax, state.station.currentStation), context.units, state.trend,
               state.minMax, state.observation);
    return result;
}

} // namespace ventoral
