#pragma once
// The display cycle without its drawing: load the current station's files,
// then parse both reports and widen and store the min/max record.

#include "app/core/app_state.h"
#include "observations/present_parser.h"

namespace ventoral {

// Sets the current station from the short list selection and its data path.
void selectStation(AppState& state);

// ReadData then LoadMinMax for the current station.
void loadStation(AppState& state);

// Presets the markers, runs presentData and trendData, then SaveMinMax.
// The caller draws the graphs and dials from the state afterwards.
PresentResult redrawData(AppState& state, const DateForms& forms, const CivilTime& nowLocal,
                         StripSurface surface = StripSurface::Window);

} // namespace ventoral
