// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The display cycle without its drawing: load the current station's files,
// then parse both reports and widen and store the min/max record.

#include <optional>

#include "session/app_state.h"
#include "observations/flight_category.h"
#include "observations/present_parser.h"
#include "platform/surface.h"

namespace ventoral {

// Sets the current station from the short list selection and its data path.
// A change of station empties the present values, the trend table and the
// min/max record, as they stand on a fresh start.
void selectStation(AppState& state);

// ReadData then LoadMinMax for the current station.
void loadStation(AppState& state);

// Presets the markers, runs presentData and trendData, then SaveMinMax.
PresentResult redrawData(AppState& state, const DateForms& forms, const CivilTime& nowLocal,
                         StripSurface surface = StripSurface::Window);

// The ten pictures of the panel, in the order the display cycle draws them.
enum class PanelPicture {
    PresGraph,
    HumidGraph,
    TempGraph,
    WindSGraph,
    WindDGraph,
    Picture10,  // wind direction
    Picture8,   // wind speed
    Picture2,   // temperature
    Picture4,   // humidity
    Picture6,   // pressure
};

// Hands out a surface per picture for one redraw.
class PanelTargets {
public:
    virtual ~PanelTargets() = default;
    virtual Surface& begin(PanelPicture picture) = 0;
    virtual void end(PanelPicture picture) = 0;
};

struct RedrawResult {
    PresentResult present;
    bool noStation = false;   // "No Station selected" in red
    // hPa over three hours, as the pressure dial shows it; nothing where it shows none.
    std::optional<double> pressureChangeHpa;
    // Of the station's own report; nothing without one or where it lacks visibility or sky.
    std::optional<FlightCategory> flightCategory;
};

// The whole display cycle: parse both reports, draw the five graphs (the
// humidity graph fills the humidity column), widen and store the min/max
// record, then draw the five dials.
RedrawResult Redraw(AppState& state, const DateForms& forms, const CivilTime& nowLocal, PanelTargets& targets);

// The status of the date label after the station's data were read; empties
// both texts where the data cannot be shown.
enum class StationStatus { NoData, Processing, ClickUpdate };
StationStatus stationStatus(CurrentStationTexts& texts);
const char* statusText(StationStatus status);

} // namespace ventoral
