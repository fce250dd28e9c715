// SPDX-License-Identifier: GPL-3.0-or-later
#include "instruments/instruments.h"

#include <algorithm>
#include <cmath>

#include "instruments/history.h"
#include "observations/pressure_tendency.h"
#include "platform/core/number_text.h"
#include "settings/units.h"
#include "platform/core/file_io.h"

namespace ventoral {

namespace {

constexpr double kMainShoulder = 0.3;
constexpr double kMainTail = 1.25;
constexpr double kSecondTail = 0.7;
constexpr double kHalfWidth = 0.05;
constexpr const char* kOrdinal = "\xC2\xBA";   // º
constexpr const char* kDegree = "\xC2\xB0";    // °

// What one dial shows, gathered before drawing.
struct DialSpec {
    const char* face = "";
    double minimum = 0;
    double maximum = 0;
    double step = 1;
    int numbers = 0;
    double scaleStart = 300;
    double angleMinimum = 0;   // value at the start angle: 180 on the compass
    int historyColumn = 0;
    bool fullCircle = false;
    std::vector<std::string> labels;
    std::string unit;
    double fontSizeAdjust = 0;
};

double pointerAngle(const DialGeometry& dial, const DialSpec& gauge, double value)
{
    double angle = dial.startAngle - (value - gauge.angleMinimum) * dial.degPerUnit;
    if (angle < 0.0001)
        angle += 360;
    return angle;
}

// Steps 1 to 9 of every dial: scale, face, band, numbers, unit text.
void drawFaceAndScale(InstrumentContext& c, const DialSpec& gauge)
{
    Surface& t = c.target;
    DialGeometry& dial = c.dial;
    dial.labelCount = gauge.numbers;
    const double w = c.pictureWidth;
    dial.radius[0] = w / 2 * 0.98;
    const double centre = gauge.fullCircle ? std::trunc(w / 2) : w / 2;
    drawScale(dial, c.colors, t, centre, centre, c.offsetX, c.offsetY, gauge.scaleStart, gauge.maximum, gauge.minimum,
              gauge.step);
    if (!t.isPrint() && !c.facesFolder.empty())
        t.picture(joinPath(c.facesFolder, gauge.face), w, w);

    HistorySeries series{gauge.historyColumn, gauge.minimum, gauge.maximum, gauge.angleMinimum, gauge.fullCircle};
    drawHistory(dial, c.colors, c.shades, c.trend, c.obs.cycle, series);

    t.setBold(true);
    t.setForeColor(t.isPrint() ? kBlack : c.colors.textColor);
    t.setFontSize(c.colors.fontSizePt + gauge.fontSizeAdjust);
    const int count = std::min<int>(gauge.numbers, static_cast<int>(gauge.labels.size()));
    for (int i = 1; i <= count && i <= DialGeometry::kMaxLabels; ++i) {
        const std::string& label = gauge.labels[static_cast<std::size_t>(i - 1)];
        const double tw = t.textWidth(label);
        const double th = t.textHeight(label);
        t.text(dial.labelX[i] + c.offsetX - dial.labelShiftX[i] * tw,
               dial.labelY[i] + c.offsetY - dial.labelShiftY[i] * (th + 10), label);
    }
    if (!gauge.unit.empty()) {
        t.setFontSize(8);
        t.text(dial.centreX - t.textWidth(gauge.unit) / 2 + c.offsetX, 1.25 * dial.centreY + c.offsetY, gauge.unit);
    }
    dial.radius[1] = dial.radius[2] = 0.85 * dial.radius[0];
}

void marker(InstrumentContext& c, const DialSpec& gauge, double value, ColorRef color)
{
    c.target.setFillColor(color);
    c.target.setForeColor(color);
    c.dial.currentAngle = pointerAngle(c.dial, gauge, value);
    drawHiLoPointer(c.dial);
}

// A value beyond the scale stops the pointer at the scale's end, never in
// the gap at the foot of the dial.
void pointer(InstrumentContext& c, const DialSpec& gauge, double value, bool second)
{
    DialGeometry& dial = c.dial;
    if (!gauge.fullCircle && gauge.minimum <= gauge.maximum)
        value = std::clamp(value, gauge.minimum, gauge.maximum);
    dial.currentAngle = pointerAngle(dial, gauge, value);
    const double length = 0.85 * dial.radius[0];
    drawPointer(dial, dial.centreX, dial.centreY, length, kMainShoulder, second ? kSecondTail : kMainTail, kHalfWidth,
                second ? c.colors.secondPointerColor : c.colors.pointerColor, dial.currentAngle,
                !second && c.target.isPrint());
}

// Where a caption line was printed: left, top, width and height.
struct CaptionLine {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

struct CaptionLines {
    CaptionLine first;
    CaptionLine second;   // empty without a second line
};

// Step 13: one or two centred caption lines below the dial. A line with
// trailing room is centred together with that room, where a mark follows it.
CaptionLines caption(InstrumentContext& c, const std::string& first, const std::string& second,
                     double firstTrail = 0, double secondTrail = 0)
{
    Surface& t = c.target;
    t.setFontSize(7);
    t.setForeColor(t.isPrint() ? kBlack : c.colors.textColor);
    const double w = c.pictureWidth;
    const double b = c.pictureHeight;
    CaptionLines lines;
    lines.first = {0, 0, t.textWidth(first), t.textHeight(first)};
    lines.first.left = (w - lines.first.width - firstTrail) / 2 + c.offsetX;
    lines.first.top = b + c.offsetY - (second.empty() ? 1.2 : 1.8) * lines.first.height;
    t.text(lines.first.left, lines.first.top, first);
    if (!second.empty()) {
        lines.second = {0, 0, t.textWidth(second), t.textHeight(second)};
        lines.second.left = (w - lines.second.width - secondTrail) / 2 + c.offsetX;
        lines.second.top = b + c.offsetY - lines.second.height;
        t.text(lines.second.left, lines.second.top, second);
    }
    t.setBold(false);
    return lines;
}

// The tendency arrow and its gap to the caption line, in line heights.
constexpr double kArrowSize = 0.8;
constexpr double kArrowGap = 0.3;

double arrowRoom(double lineHeight)
{
    return (kArrowGap + kArrowSize) * lineHeight;
}

// An arrow right of a caption line, in the caption's colour: up for a
// rising pressure, down for a falling one, level for a steady one.
void tendencyArrow(InstrumentContext& c, const CaptionLine& line, PressureTrend trend)
{
    // Tail to tip pointing right, in units of the arrow's size; turned to point along (dx, dy).
    static constexpr PointTwips kShape[] = {{-0.5, -0.12}, {0.05, -0.12}, {0.05, -0.4}, {0.5, 0},
                                            {0.05, 0.4},   {0.05, 0.12},  {-0.5, 0.12}};
    double dx = 1;
    double dy = 0;
    if (trend > PressureTrend::Steady) {
        dx = 0;
        dy = -1;
    } else if (trend < PressureTrend::Steady) {
        dx = 0;
        dy = 1;
    }
    const double size = kArrowSize * line.height;
    const double cx = line.left + line.width + kArrowGap * line.height + size / 2;
    const double cy = line.top + line.height / 2;
    std::vector<PointTwips> points;
    for (const PointTwips& p : kShape)
        points.push_back({cx + (p.x * dx - p.y * dy) * size, cy + (p.x * dy + p.y * dx) * size});
    Surface& t = c.target;
    const ColorRef color = t.isPrint() ? kBlack : c.colors.textColor;
    t.setForeColor(color);
    t.setFillColor(color);
    t.setDrawWidth(1);
    t.polygon(points);
}

DialSpec numericSpec(const char* face, double minimum, double maximum, double step, int numbers, int column,
                     std::string unit)
{
    DialSpec gauge;
    gauge.face = face;
    gauge.minimum = minimum;
    gauge.maximum = maximum;
    gauge.step = step;
    gauge.numbers = numbers;
    gauge.angleMinimum = minimum;
    gauge.historyColumn = column;
    gauge.labels = scaleNumbers(maximum, minimum, numbers);
    gauge.unit = std::move(unit);
    return gauge;
}

template <typename T>
void clampInto(T& value, double low, double high)
{
    value = static_cast<T>(std::clamp(static_cast<double>(value), low, high));
}

float cutToTenths(float value)
{
    return static_cast<float>(std::trunc(value * 10.0) / 10.0);
}

} // namespace

std::vector<std::string> scaleNumbers(double maximum, double minimum, int count)
{
    std::vector<std::string> labels;
    if (count <= 0)
        return labels;
    const double step = count > 1 ? (maximum - minimum) / (count - 1) : 0;
    for (int i = 0; i < count; ++i) {
        // Each number from the maximum directly, so rounding cannot pile up into "-1e-14".
        double value = maximum - i * step;
        if (std::fabs(value) < 1e-9 * std::max(1.0, std::fabs(maximum - minimum)))
            value = 0;
        labels.push_back(decimalText(static_cast<float>(value)));
    }
    return labels;
}

void instrumentWindD(InstrumentContext& c)
{
    DialSpec gauge;
    gauge.face = kFaceWindDirection;
    gauge.minimum = 0;
    gauge.maximum = 360;
    gauge.step = 4.5;
    gauge.numbers = 9;
    gauge.scaleStart = 270;
    gauge.angleMinimum = 180;
    gauge.historyColumn = TrendSeries::WindDirection;
    gauge.fullCircle = true;
    gauge.labels = {" S ", " SE ", " E", " NE ", " N ", " NW ", "W ", " SW ", ""};

    Observation& obs = c.obs;
    if (obs.windSpeedText.empty())
        obs.windDirectionText.clear();
    drawFaceAndScale(c, gauge);
    if (!obs.windSpeedText.empty() && !obs.windDirectionText.empty() && obs.windSpeedText != "0" && c.dial.dataValid)
        pointer(c, gauge, obs.windDirection, false);
    caption(c,
            obs.windDirectionText.empty() ? "No Wind Direction Data"
                                          : "Wind Direction " + obs.windDirectionText + kOrdinal,
            "");
}

void instrumentWindS(InstrumentContext& c)
{
    const bool kph = c.units.speedUnit == kSpeedKph;
    DialSpec gauge = kph ? numericSpec(kFaceWindSpeedK, 0, 160, 2, 9, TrendSeries::WindSpeed, "kph")
                        : numericSpec(kFaceWindSpeedM, 0, 100, 2, 6, TrendSeries::WindSpeed, "mph");
    Observation& obs = c.obs;
    MinMaxRecord& mm = c.minMax;
    if (mm.maxGust < mm.maxWind)
        mm.maxGust = mm.maxWind;
    clampInto(mm.maxWind, gauge.minimum, gauge.maximum);
    clampInto(mm.maxGust, gauge.minimum, gauge.maximum);
    if (obs.windSpeed == 0.0f)
        obs.windSpeedText = decimalText(0.0f);

    drawFaceAndScale(c, gauge);
    marker(c, gauge, mm.maxGust, c.colors.secondPointerColor);
    marker(c, gauge, mm.maxWind, kRed);
    const bool present = !obs.windSpeedText.empty() && obs.windSpeed > -0.1f;
    if (obs.windGust > 0 && c.units.gustPointer)
        pointer(c, gauge, obs.windGust, true);
    // The caption shows the gust as cut here, with or without its pointer.
    if (obs.windGust > 0)
        obs.windGust = cutToTenths(obs.windGust);
    if (present)
        pointer(c, gauge, obs.windSpeed, false);

    if (obs.windSpeed <= -0.1f) {
        caption(c, "No Wind Speed Data", "");
        return;
    }
    const std::string unit = " " + c.units.speedUnit;
    const std::string second = obs.windGust > 0 ? "Gust Speed " + decimalText(obs.windGust) + unit : std::string();
    caption(c, "Wind Speed " + obs.windSpeedText + unit, second);
}

void instrumentTemp(InstrumentContext& c)
{
    const bool celsius = c.units.temperatureUnit == kTempCelsius;
    const double low = celsius ? c.units.tempLowC : c.units.tempLowF;
    const double high = celsius ? c.units.tempHighC : c.units.tempHighF;
    const int numbers = static_cast<int>(std::nearbyint((high - low) / 10 + 1));
    DialSpec gauge = numericSpec(celsius ? kFaceTemperatureC : kFaceTemperatureF, low, high, 1, numbers,
                                celsius ? TrendSeries::TemperatureC : TrendSeries::TemperatureF,
                                std::string(kDegree) + (celsius ? "C" : "F"));

    Observation& obs = c.obs;
    MinMaxRecord& mm = c.minMax;
    // Only a real reading lowers the minimum; the absent markers are no temperature.
    if (obs.temperature > kNoTemperatureLine && mm.minTemp > obs.temperature)
        mm.minTemp = obs.temperature;

    drawFaceAndScale(c, gauge);
    const float savedMin = mm.minTemp;
    const float savedMax = mm.maxTemp;
    clampInto(mm.minTemp, low, high);
    clampInto(mm.maxTemp, low, high);
    marker(c, gauge, mm.minTemp, kGreen);
    marker(c, gauge, mm.maxTemp, kRed);
    mm.minTemp = savedMin;
    mm.maxTemp = savedMax;

    const bool dew = obs.dewPoint > kNoTemperatureLine && c.units.dewPointPointer;
    if (dew)
        pointer(c, gauge, obs.dewPoint, true);
    if (obs.temperature > kNoTemperatureLine)
        pointer(c, gauge, obs.temperature, false);

    if (obs.temperatureText.empty()) {
        caption(c, "No Temperature Data", "");
        return;
    }
    const std::string second = !obs.dewPointText.empty() && c.units.dewPointPointer
                                   ? "Dew Point " + obs.dewPointText + c.units.temperatureUnit
                                   : std::string();
    caption(c, "Temperature " + obs.temperatureText + c.units.temperatureUnit, second);
}

void instrumentHumid(InstrumentContext& c)
{
    DialSpec gauge = numericSpec(kFaceHumidity, 0, 100, 1, 11, TrendSeries::Humidity, "%");
    MinMaxRecord& mm = c.minMax;
    clampInto(mm.minHum, 0, 100);
    clampInto(mm.maxHum, 0, 100);
    drawFaceAndScale(c, gauge);
    marker(c, gauge, mm.minHum, kGreen);
    marker(c, gauge, mm.maxHum, kRed);
    if (c.obs.humidity > -1.0f)
        pointer(c, gauge, c.obs.humidity, false);
    caption(c, c.obs.humidityText.empty() ? "No Humidity Data" : "Humidity " + c.obs.humidityText + "%", "");
}

void instrumentPres(InstrumentContext& c)
{
    const bool hpa = c.units.pressureUnit == kPressureHpa;
    DialSpec gauge = hpa ? numericSpec(kFacePressureH, 950, 1050, 1, 11, TrendSeries::PressureHpa, "hPa")
                        : numericSpec(kFacePressureI, 28, 32, 0.1, 5, TrendSeries::PressureIn, "inHg");
    if (hpa)
        gauge.fontSizeAdjust = -1;
    MinMaxRecord& mm = c.minMax;
    clampInto(mm.minPres, gauge.minimum, gauge.maximum);
    clampInto(mm.maxPres, gauge.minimum, gauge.maximum);
    drawFaceAndScale(c, gauge);
    marker(c, gauge, mm.minPres, kGreen);
    marker(c, gauge, mm.maxPres, kRed);
    const bool present = c.obs.pressure > kNoPressure && !c.obs.pressureText.empty();
    if (c.dial.dataValid && present)
        pointer(c, gauge, c.obs.pressure, false);
    if (!present) {
        caption(c, "No Air Pressure Data", "");
        return;
    }
    const std::string first = "Air Pressure " + c.obs.pressureText + " " + gauge.unit;
    if (!c.pressureChangeHpa) {
        caption(c, first, "");
        return;
    }
    // The arrow follows the caption where the two fit in the picture, else
    // the shorter value line below it (the narrower dials of the print page).
    Surface& t = c.target;
    t.setFontSize(7);
    const double room = arrowRoom(t.textHeight(first));
    const bool besideCaption = t.textWidth(first) + room <= c.pictureWidth;
    const CaptionLines lines = caption(c, first, pressureTendencyText(*c.pressureChangeHpa, hpa),
                                       besideCaption ? room : 0, besideCaption ? 0 : room);
    tendencyArrow(c, besideCaption ? lines.first : lines.second, pressureTrendOf(*c.pressureChangeHpa));
}

std::optional<double> shownPressureChange(const Observation& obs, bool dataValid, std::string_view presentText,
                                          const TrendSeries& trend)
{
    if (!dataValid || obs.pressure <= kNoPressure || obs.pressureText.empty())
        return std::nullopt;
    return pressureTendencyHpa(presentText, trend);
}

} // namespace ventoral
