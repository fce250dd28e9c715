// SPDX-License-Identifier: GPL-3.0-or-later
#include "instruments/panel_model.h"

#include <algorithm>
#include <cmath>

#include "instruments/history.h"
#include "instruments/instruments.h"
#include "observations/shown_readings.h"
#include "platform/core/number_text.h"
#include "settings/units.h"

namespace ventoral {

namespace {

constexpr const char* kOrdinal = "\xC2\xBA";   // º
constexpr const char* kDegree = "\xC2\xB0";    // °

DialScale numericScale(const char* face, double minimum, double maximum, double step, int numbers,
                       std::string unit)
{
    DialScale scale;
    scale.face = face;
    scale.minimum = minimum;
    scale.maximum = maximum;
    scale.step = step;
    scale.numbers = numbers;
    scale.angleMinimum = minimum;
    scale.labels = scaleNumbers(maximum, minimum, numbers);
    scale.unit = std::move(unit);
    return scale;
}

// A value beyond the scale stops at the scale's end, never in the gap at
// the foot of the dial.
double withinScale(const DialScale& scale, double value)
{
    if (!scale.fullCircle && scale.minimum <= scale.maximum)
        return std::clamp(value, scale.minimum, scale.maximum);
    return value;
}

double heldWithin(const DialScale& scale, double value)
{
    return std::clamp(value, std::min(scale.minimum, scale.maximum), std::max(scale.minimum, scale.maximum));
}

// Markers of the whole-number extremes stand at whole units, as kept.
double wholeWithin(const DialScale& scale, double value)
{
    return static_cast<std::int16_t>(heldWithin(scale, value));
}

double singleWithin(const DialScale& scale, double value)
{
    return static_cast<float>(heldWithin(scale, value));
}

float cutToTenths(float value)
{
    return static_cast<float>(std::trunc(value * 10.0) / 10.0);
}

struct DialInputs {
    const ShownReadings& shown;
    const std::optional<MinMaxRecord>& extremes;   // only for a station with data
    const TrendSeries& trend;
    const UnitSettings& units;
    int bandCycle;
    bool dataValid;
};

void addBand(DialModel& dial, const DialInputs& in, int column)
{
    const HistorySeries series{column, dial.scale.minimum, dial.scale.maximum, dial.scale.angleMinimum,
                               dial.scale.fullCircle};
    dial.band = historyAngles(scaleAnglesOf(dial.scale), in.trend, in.bandCycle, series);
}

DialModel windDirectionDial(const DialInputs& in)
{
    DialModel dial;
    DialScale& s = dial.scale;
    s.face = kFaceWindDirection;
    s.minimum = 0;
    s.maximum = 360;
    s.step = 4.5;
    s.numbers = 9;
    s.scaleStart = 270;
    s.angleMinimum = 180;
    s.fullCircle = true;
    s.labels = {" S ", " SE ", " E", " NE ", " N ", " NW ", "W ", " SW ", ""};
    addBand(dial, in, TrendSeries::WindDirection);

    const ShownReadings& r = in.shown;
    // A direction without a speed is no wind to point at.
    if (!r.windSpeed || !r.windDirection) {
        dial.caption = "No Wind Direction Data";
        return dial;
    }
    if (r.windSpeed->text != "0" && in.dataValid)
        dial.pointers.push_back({r.windDirection->value, false});
    dial.caption = "Wind Direction " + r.windDirection->text + kOrdinal;
    return dial;
}

DialModel windSpeedDial(const DialInputs& in)
{
    const bool kph = in.units.speedUnit == kSpeedKph;
    DialModel dial;
    dial.scale = kph ? numericScale(kFaceWindSpeedK, 0, 160, 2, 9, "kph") : numericScale(kFaceWindSpeedM, 0, 100, 2, 6, "mph");
    addBand(dial, in, TrendSeries::WindSpeed);
    const DialScale& s = dial.scale;
    if (in.extremes) {
        dial.markers.push_back({wholeWithin(s, std::max(in.extremes->maxGust, in.extremes->maxWind)),
                                MarkerColour::SecondPointer});
        dial.markers.push_back({wholeWithin(s, in.extremes->maxWind), MarkerColour::Red});
    }
    const ShownReadings& r = in.shown;
    if (r.gust && in.units.gustPointer)
        dial.pointers.push_back({withinScale(s, *r.gust), true});
    if (!r.windSpeed) {
        dial.caption = "No Wind Speed Data";
        return dial;
    }
    dial.pointers.push_back({withinScale(s, r.windSpeed->value), false});
    // The caption shows the gust cut to tenths, with or without its pointer.
    const std::string unit = " " + in.units.speedUnit;
    dial.caption = "Wind Speed " + r.windSpeed->text + unit;
    if (r.gust)
        dial.secondCaption = "Gust Speed " + decimalText(cutToTenths(*r.gust)) + unit;
    return dial;
}

DialModel temperatureDial(const DialInputs& in)
{
    const bool celsius = in.units.temperatureUnit == kTempCelsius;
    const double low = celsius ? in.units.tempLowC : in.units.tempLowF;
    const double high = celsius ? in.units.tempHighC : in.units.tempHighF;
    const int numbers = static_cast<int>(std::nearbyint((high - low) / 10 + 1));
    DialModel dial;
    dial.scale = numericScale(celsius ? kFaceTemperatureC : kFaceTemperatureF, low, high, 1, numbers,
                              std::string(kDegree) + (celsius ? "C" : "F"));
    addBand(dial, in, celsius ? TrendSeries::TemperatureC : TrendSeries::TemperatureF);
    const DialScale& s = dial.scale;
    if (in.extremes) {
        dial.markers.push_back({singleWithin(s, in.extremes->minTemp), MarkerColour::Green});
        dial.markers.push_back({singleWithin(s, in.extremes->maxTemp), MarkerColour::Red});
    }
    const ShownReadings& r = in.shown;
    const bool dew = r.dewPoint && in.units.dewPointPointer;
    if (dew)
        dial.pointers.push_back({withinScale(s, r.dewPoint->value), true});
    if (!r.temperature) {
        dial.caption = "No Temperature Data";
        return dial;
    }
    dial.pointers.push_back({withinScale(s, r.temperature->value), false});
    const std::string& unit = in.units.temperatureUnit;
    dial.caption = "Temperature " + r.temperature->text + unit;
    if (dew)
        dial.secondCaption = "Dew Point " + r.dewPoint->text + unit;
    return dial;
}

DialModel humidityDial(const DialInputs& in)
{
    DialModel dial;
    dial.scale = numericScale(kFaceHumidity, 0, 100, 1, 11, "%");
    addBand(dial, in, TrendSeries::Humidity);
    if (in.extremes) {
        dial.markers.push_back({wholeWithin(dial.scale, in.extremes->minHum), MarkerColour::Green});
        dial.markers.push_back({wholeWithin(dial.scale, in.extremes->maxHum), MarkerColour::Red});
    }
    const std::optional<ShownValue>& humidity = in.shown.humidity;
    if (!humidity) {
        dial.caption = "No Humidity Data";
        return dial;
    }
    if (humidity->value > -1.0f)
        dial.pointers.push_back({withinScale(dial.scale, humidity->value), false});
    dial.caption = "Humidity " + humidity->text + "%";
    return dial;
}

DialModel pressureDial(const DialInputs& in, const std::optional<double>& changeHpa)
{
    const bool hpa = in.units.pressureUnit == kPressureHpa;
    DialModel dial;
    dial.scale = hpa ? numericScale(kFacePressureH, 950, 1050, 1, 11, "hPa")
                     : numericScale(kFacePressureI, 28, 32, 0.1, 5, "inHg");
    if (hpa)
        dial.scale.fontSizeAdjust = -1;
    addBand(dial, in, hpa ? TrendSeries::PressureHpa : TrendSeries::PressureIn);
    const DialScale& s = dial.scale;
    if (in.extremes) {
        dial.markers.push_back({singleWithin(s, in.extremes->minPres), MarkerColour::Green});
        dial.markers.push_back({singleWithin(s, in.extremes->maxPres), MarkerColour::Red});
    }
    const std::optional<ShownValue>& pressure = in.shown.pressure;
    if (!pressure) {
        dial.caption = "No Air Pressure Data";
        return dial;
    }
    if (in.dataValid)
        dial.pointers.push_back({withinScale(s, pressure->value), false});
    dial.caption = "Air Pressure " + pressure->text + " " + s.unit;
    if (changeHpa) {
        dial.secondCaption = pressureTendencyText(*changeHpa, hpa);
        dial.tendency = pressureTrendOf(*changeHpa);
    }
    return dial;
}

PanelReadings readingsOf(const ShownReadings& shown, const std::optional<PresentReport>& report)
{
    PanelReadings r;
    // A direction without a speed is no wind to point at.
    if (shown.windSpeed && shown.windDirection) {
        r.windDirection = shown.windDirection->text;
        r.windDirectionDegrees = shown.windDirection->value;
    }
    if (shown.windSpeed)
        r.windSpeed = shown.windSpeed->text;
    // The gust cut to tenths, with or without its pointer.
    if (shown.gust)
        r.gust = decimalText(cutToTenths(*shown.gust));
    if (shown.temperature)
        r.temperature = shown.temperature->text;
    if (shown.dewPoint)
        r.dewPoint = shown.dewPoint->text;
    if (shown.humidity)
        r.humidity = shown.humidity->text;
    if (shown.pressure)
        r.pressure = shown.pressure->text;
    if (report && report->hasBody) {
        r.weather = trimBlanks(report->weather.value_or(std::string()));
        r.sky = trimBlanks(report->sky.value_or(std::string()));
    }
    return r;
}

GraphModel graphOf(const TrendSeries& trend, GraphScale scale, int cycle, const AxisHours& axisHours, bool compass)
{
    GraphModel graph;
    graph.points = orderedPoints(trend, scale, cycle);
    if (compass)
        for (GraphPoint& point : graph.points)
            if (point.offset)
                point.offset = scale.height - *point.offset;
    graph.scale = std::move(scale);
    graph.compass = compass;
    graph.axisHours = axisHours;
    return graph;
}

// The temperature graph plots its values held within its scale.
TrendSeries withinTemperatureScale(const TrendSeries& trend, const GraphScale& scale)
{
    TrendSeries held = trend;
    for (int row = 0; row < kGraphColumns; ++row) {
        std::string& cell = held.at(row, scale.column);
        if (cell.empty())
            continue;
        const double value = readNumber(cell);
        if (value < scale.minimum)
            cell = decimalText(static_cast<float>(scale.minimum));
        else if (value > scale.maximum)
            cell = decimalText(static_cast<float>(scale.maximum));
    }
    return held;
}

// The graphs' local hours, each column by the zone's rules at its instant;
// the day is the newest record's, else the report's, else today's.
AxisHours axisHoursOf(const StationSnapshot& snapshot, const TrendSeries& trend, int cycle, const PanelMoment& moment)
{
    CivilTime near = moment.nowUtc;
    if (snapshot.present && snapshot.present->observedUtc)
        near = *snapshot.present->observedUtc;
    if (const auto row = newestRecordRow(trend))
        if (const auto recorded = recordTimeUtc(trend, *row, near))
            near = *recorded;
    static const FixedTimeZone kUtc;
    return timeAxisHours(cycle, near, moment.zone ? *moment.zone : kUtc);
}

} // namespace

ScaleAngles scaleAnglesOf(const DialScale& scale)
{
    return scaleAngles(scale.scaleStart, scale.maximum, scale.minimum, scale.step);
}

double angleOnScale(const DialScale& scale, const ScaleAngles& angles, double value)
{
    double angle = angles.startAngle - (value - scale.angleMinimum) * angles.degPerUnit;
    if (angle < 0.0001)
        angle += 360;
    return angle;
}

std::array<GraphModel, kGraphCount> graphModelsOf(const TrendSeries& trend, const UnitSettings& units, int cycle,
                                                  const AxisHours& axisHours)
{
    const GraphScale temperature = temperatureScale(units);
    return {graphOf(trend, pressureScale(units), cycle, axisHours, false),
            graphOf(trend, humidityScale(), cycle, axisHours, false),
            graphOf(withinTemperatureScale(trend, temperature), temperature, cycle, axisHours, false),
            graphOf(trend, windSpeedScale(units, largestSpeed(trend)), cycle, axisHours, false),
            graphOf(trend, windDirectionScale(), cycle, axisHours, true)};
}

PanelModel buildPanelModel(const StationSnapshot& snapshot, const std::optional<MinMaxFileTable>& stored,
                           const UnitSettings& units, const PanelMoment& moment)
{
    const DisplayUnits display =
        DisplayUnits::fromTexts(units.speedUnit, units.temperatureUnit, units.pressureUnit);
    const TrendSeries& trend = snapshot.trend(display.kph);
    const ShownReadings shown = shownReadingsOf(snapshot.present, display);
    const bool valid = snapshot.valid();

    PanelModel model;
    model.code = snapshot.code;
    model.status = snapshot.status;
    model.noStation = snapshot.code.size() < 3;
    model.source = snapshot.source;
    if (valid) {
        model.extremes = widenedRecord(stored, trend, shown, display);
        model.flightCategory = flightCategoryOf(metarOfReport(snapshot.presentText));
        if (shown.pressure)
            model.pressureChangeHpa = pressureTendencyHpa(snapshot.presentText, trend);
    }
    if (snapshot.present) {
        PresentContext context;
        context.units = display;
        context.zone = moment.zone;
        context.nowUtc = moment.nowUtc;
        context.forms = moment.forms;
        context.trend = &trend;
        model.dateLabel = dateLabelOf(*snapshot.present, context);
        if (snapshot.present->hasBody) {
            model.strip = conditionStrip(*snapshot.present, StripSurface::Window);
            model.pageStrip = conditionStrip(*snapshot.present, StripSurface::PrintPage);
        }
    }

    // The graphs' hours and the dials' bands both end at the newest trend record.
    const int cycle = newestCycle(trend, shown.cycle.value_or(0));
    model.graphs = graphModelsOf(trend, units, cycle, axisHoursOf(snapshot, trend, cycle, moment));

    model.readings = readingsOf(shown, snapshot.present);
    const DialInputs in{shown, model.extremes, trend, units, cycle, valid};
    model.dials = {windDirectionDial(in), windSpeedDial(in), temperatureDial(in), humidityDial(in),
                   pressureDial(in, model.pressureChangeHpa)};
    return model;
}

} // namespace ventoral
