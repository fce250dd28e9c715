// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Everything the instrument panel draws, computed once from one station's
// snapshot, its stored extremes and the settings: the five dials (scale,
// band, markers, pointers, captions), the five graphs (scale, points, time
// axis), the date label, the condition strip, the flight tag and the source
// line. The screen, the print page, the printer and the snapshot image draw
// the same model, so what is printed is what is shown.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "observations/flight_category.h"
#include "observations/minmax.h"
#include "observations/present_parser.h"
#include "observations/pressure_tendency.h"
#include "observations/station_snapshot.h"
#include "observations/trend_graphs.h"
#include "instruments/dial.h"
#include "platform/core/civil_time.h"
#include "settings/settings.h"

namespace ventoral {

// The scale of a dial: its range, numbers and face.
struct DialScale {
    const char* face = "";
    double minimum = 0;
    double maximum = 0;
    double step = 1;
    int numbers = 0;
    double scaleStart = 300;   // degrees counter-clockwise from three o'clock of the maximum
    double angleMinimum = 0;   // the value at the start angle: 180 on the compass
    bool fullCircle = false;   // the compass: no gap at the foot
    std::vector<std::string> labels;   // number 1 at the maximum
    std::string unit;
    double fontSizeAdjust = 0;   // points added to the dial font size for the numbers
};

ScaleAngles scaleAnglesOf(const DialScale& scale);

// The angle of a value on a scale: degrees counter-clockwise from three
// o'clock, above 0 and up to 360.
double angleOnScale(const DialScale& scale, const ScaleAngles& angles, double value);

enum class MarkerColour { SecondPointer, Red, Green };

// A high or low wedge at the rim; the value lies within the scale.
struct DialMarker {
    double value = 0;
    MarkerColour colour = MarkerColour::Red;
};

// A pointer; the value lies within the scale (any value on the compass).
struct DialPointer {
    double value = 0;
    bool second = false;   // the gust or dew point pointer: shorter tail, second colour
};

struct DialModel {
    DialScale scale;
    // The 24 hourly band angles (whole degrees, oldest first); nothing
    // without a trend value of the dial's quantity.
    std::optional<std::array<int, 24>> band;
    std::vector<DialMarker> markers;
    std::vector<DialPointer> pointers;   // in drawing order
    std::string caption;
    std::string secondCaption;   // empty: one caption line
    // The pressure dial's tendency arrow beside its caption.
    std::optional<PressureTrend> tendency;
};

// The five dials in the order the display cycle draws them.
enum class DialKind { WindDirection, WindSpeed, Temperature, Humidity, Pressure };
inline constexpr int kDialCount = 5;

// One trend graph, oldest hour first.
struct GraphModel {
    GraphScale scale;
    bool compass = false;                      // the wind direction graph's N-to-N labels
    std::array<GraphPoint, kGraphColumns> points;
    std::array<int, kGraphColumns> axisHours{};   // the local hour labelled under each column
};

// The five graphs in the order the display cycle draws them.
enum class GraphKind { Pressure, Humidity, Temperature, WindSpeed, WindDirection };
inline constexpr int kGraphCount = 5;

// The figures the captions show, as text in the display units, for the
// station wall and for the words a screen reader reads; empty where the
// report gives none.
struct PanelReadings {
    std::string windDirection;                    // "230"; empty without a wind speed
    std::optional<double> windDirectionDegrees;   // clockwise from north, with windDirection
    std::string windSpeed;                        // "19.3", "0" when calm
    std::string gust;                             // "30", cut to tenths
    std::string temperature;
    std::string dewPoint;                         // also where the dial shows no dew point
    std::string humidity;                         // percent
    std::string pressure;
    std::string weather;                          // the report's words, "light rain, mist"
    std::string sky;                              // "overcast"
};

struct PanelModel {
    std::string code;
    StationDataStatus status = StationDataStatus::NoFile;
    bool noStation = false;   // "No Station selected"
    std::array<DialModel, kDialCount> dials;
    std::array<GraphModel, kGraphCount> graphs;
    PanelReadings readings;
    std::optional<DateLabel> dateLabel;   // nothing: the report's date line cannot be read
    std::vector<StripLine> strip;         // on the window
    std::vector<StripLine> pageStrip;     // on the print page
    std::optional<FlightCategory> flightCategory;
    std::string source;                   // "decoded report", "built from the METAR of 20:53 UTC"; empty without a report
    // hPa over three hours beside the pressure caption; nothing where the dial shows none.
    std::optional<double> pressureChangeHpa;
    // The extremes the markers show, in the display units.
    std::optional<MinMaxRecord> extremes;

    const DialModel& dial(DialKind kind) const { return dials[static_cast<std::size_t>(kind)]; }
    const GraphModel& graph(GraphKind kind) const { return graphs[static_cast<std::size_t>(kind)]; }
};

// The moment a model is made for: the date label's age and local times.
struct PanelMoment {
    CivilTime nowUtc;                    // the real UTC clock
    const TimeZone* zone = nullptr;      // whose rules give local times; nothing: UTC
    const DateForms* forms = nullptr;    // nothing: no date label
};

// The five graphs of a trend table whose newest record is of cycle, in the
// units set, with axisHours under their columns; the temperature graph
// holds its values within its scale.
std::array<GraphModel, kGraphCount> graphModelsOf(const TrendSeries& trend, const UnitSettings& units, int cycle,
                                                  const AxisHours& axisHours);

// The model of a station: stored is its min/max file (nothing without one).
PanelModel buildPanelModel(const StationSnapshot& snapshot, const std::optional<MinMaxFileTable>& stored,
                           const UnitSettings& units, const PanelMoment& moment);

} // namespace ventoral
