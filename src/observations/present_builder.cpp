// SPDX-License-Identifier: GPL-3.0-or-later
#include "observations/present_builder.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "observations/metar.h"

namespace ventoral {

namespace {

constexpr double kMetresPerMile = 1609.344;

template <typename... Args>
std::string format(const char* pattern, Args... args)
{
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, pattern, args...);
    return buffer;
}

double fahrenheit(double celsius)
{
    return celsius * 9.0 / 5.0 + 32.0;
}

// Rounded to tenths, half away from zero, with a nudge for values such as
// 33.05 that binary arithmetic holds a hair below the half.
double tenths(double value)
{
    return std::round(value * 10.0 + (value < 0 ? -1e-7 : 1e-7)) / 10.0;
}

// "29.83", "30.1": the A group's hundredths without trailing zeros.
std::string inchesText(double inches)
{
    std::string text = format("%.2f", inches);
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    return text;
}

// Saturation vapour pressure over water (Goff-Gratch), hPa.
double saturationHpa(double celsius)
{
    const double tk = celsius + 273.15;
    const double ts = 373.16;
    return std::pow(10.0, -7.90298 * (ts / tk - 1) + 5.02808 * std::log10(ts / tk) -
                              1.3816e-7 * (std::pow(10.0, 11.344 * (1 - tk / ts)) - 1) +
                              8.1328e-3 * (std::pow(10.0, -3.49149 * (ts / tk - 1)) - 1) + std::log10(1013.246));
}

// Whole percent, cut rather than rounded.
int relativeHumidity(double temperatureC, double dewPointC)
{
    const double ratio = temperatureC == dewPointC ? 1.0 : saturationHpa(dewPointC) / saturationHpa(temperatureC);
    return static_cast<int>(std::floor(100.0 * ratio + 1e-9));
}

// One temperature as NOAA writes it: whole degrees (Fahrenheit cut) from the
// main group, tenths from the remarks. Gives the Fahrenheit figure shown.
std::string temperatureText(const std::optional<int>& whole, const std::optional<double>& tenthsC, double& shownF)
{
    if (tenthsC) {
        shownF = tenths(fahrenheit(*tenthsC));
        return format("%.1f F (%.1f C)", shownF, *tenthsC == 0 ? 0.0 : *tenthsC);
    }
    shownF = std::trunc(fahrenheit(*whole));
    return format("%d F (%d C)", static_cast<int>(shownF), *whole);
}

std::string windLine(const Metar& m)
{
    const MetarWind& w = *m.wind;
    const std::string variable = m.windVariableSector ? " (direction variable)" : "";
    if (w.speed == 0 && !w.gust)
        return "Wind: Calm" + variable + ":0";
    std::string line = w.directionDegrees ? "Wind: from the " + compassName(*w.directionDegrees) + " (" +
                                                w.directionText + " degrees) at "
                                          : std::string("Wind: Variable at ");
    line += format("%d MPH (%d KT)", w.wholeMph(w.speed), w.wholeKnots(w.speed));
    if (w.gust)
        line += format(" gusting to %d MPH (%d KT)", w.wholeMph(*w.gust), w.wholeKnots(*w.gust));
    return line + variable + ":0";
}

std::string visibilityLine(const MetarVisibility& v)
{
    using Kind = MetarVisibility::Kind;
    switch (v.kind) {
    case Kind::AtLeast10Km:
        return "Visibility: greater than 7 mile(s):0";
    case Kind::LessThanQuarterMile:
        return "Visibility: less than " + v.milesText + " mile(s):0";
    case Kind::StatuteMiles:
        if (!v.milesText.empty() && v.milesText.front() == 'P')
            return "Visibility: greater than " + v.milesText.substr(1) + " mile(s):0";
        return "Visibility: " + v.milesText + " mile(s):0";
    case Kind::Metres:
    case Kind::NotReported:
        break;
    }
    if (v.metres < kMetresPerMile)
        return "Visibility: less than 1 mile:0";
    return format("Visibility: %d mile(s):0", static_cast<int>(v.metres / kMetresPerMile));
}

// The most covering layer names the sky; CAVOK, NSC and NCD give no line.
std::optional<std::string> skyText(const Metar& m)
{
    static constexpr std::array<std::pair<const char*, const char*>, 5> kCovers = {{
        {"VV", "obscured"}, {"OVC", "overcast"}, {"BKN", "mostly cloudy"}, {"SCT", "partly cloudy"},
        {"FEW", "mostly clear"}}};
    for (const auto& [cover, words] : kCovers)
        for (const MetarCloud& c : m.clouds)
            if (c.cover == cover)
                return std::string(words);
    if (m.clearSky)
        return std::string("clear");
    return std::nullopt;
}

std::string phenomenonWords(std::string_view code)
{
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 22> kNames = {{
        {"DZ", "drizzle"}, {"RA", "rain"}, {"SN", "snow"}, {"SG", "snow grains"}, {"IC", "ice crystals"},
        {"PL", "ice pellets"}, {"GR", "hail"}, {"GS", "small hail"}, {"UP", "unknown precipitation"},
        {"BR", "mist"}, {"FG", "fog"}, {"FU", "smoke"}, {"VA", "volcanic ash"}, {"DU", "widespread dust"},
        {"SA", "sand"}, {"HZ", "haze"}, {"PY", "spray"}, {"PO", "dust/sand whirls"}, {"SQ", "squalls"},
        {"FC", "funnel cloud"}, {"SS", "sandstorm"}, {"DS", "duststorm"}}};
    for (const auto& [name, words] : kNames)
        if (name == code)
            return std::string(words);
    return std::string(code);
}

// "-TSRA" gives "light rain with thunder", "VCSH" "showers in the vicinity".
std::string weatherWords(std::string_view group)
{
    std::string intensity;
    bool vicinity = false;
    if (!group.empty() && group.front() == '-') {
        intensity = "light ";
        group.remove_prefix(1);
    } else if (!group.empty() && group.front() == '+') {
        intensity = "heavy ";
        group.remove_prefix(1);
    } else if (group.substr(0, 2) == "VC") {
        vicinity = true;
        group.remove_prefix(2);
    }
    std::string descriptor(group.substr(0, 2));
    if (descriptor == "MI" || descriptor == "PR" || descriptor == "BC" || descriptor == "DR" ||
        descriptor == "BL" || descriptor == "SH" || descriptor == "TS" || descriptor == "FZ")
        group.remove_prefix(2);
    else
        descriptor.clear();

    std::string phenomena;
    for (std::size_t i = 0; i + 1 < group.size(); i += 2)
        phenomena += (phenomena.empty() ? "" : " and ") + phenomenonWords(group.substr(i, 2));

    std::string words;
    if (descriptor == "TS")
        words = phenomena.empty() ? "thunder" : phenomena + " with thunder";
    else if (descriptor == "SH")
        words = phenomena.empty() ? "showers" : phenomena + " showers";
    else if (descriptor == "FZ")
        words = "freezing " + phenomena;
    else if (descriptor == "MI")
        words = "shallow " + phenomena;
    else if (descriptor == "PR")
        words = "partial " + phenomena;
    else if (descriptor == "BC")
        words = "patches of " + phenomena;
    else if (descriptor == "DR")
        words = "low drifting " + phenomena;
    else if (descriptor == "BL")
        words = "blowing " + phenomena;
    else
        words = phenomena;
    return intensity + words + (vicinity ? " in the vicinity" : "");
}

std::optional<std::string> weatherText(const Metar& m)
{
    std::string text;
    const auto add = [&text](const std::string& part) { text += (text.empty() ? "" : "; ") + part; };
    for (const std::string& group : m.weather)
        add(weatherWords(group));
    if (m.cumulonimbus)
        add("Cumulonimbus clouds observed");
    if (m.toweringCumulus)
        add("Towering cumulus clouds observed");
    if (m.lightning)
        add("Lightning observed");
    if (text.empty())
        return std::nullopt;
    return text;
}

// NOAA gives a windchill from 35 F down with wind over 4 MPH, computed from
// the Fahrenheit figure it shows and kept in whole degrees Celsius.
std::optional<std::string> windchillLine(double shownF, const Metar& m, bool humidityKnown)
{
    if (!m.wind || shownF > 35.0)
        return std::nullopt;
    const int mph = m.wind->wholeMph(m.wind->speed);
    if (mph <= 4)
        return std::nullopt;
    const double v = std::pow(mph, 0.16);
    const double chillF = 35.74 + 0.6215 * shownF - 35.75 * v + 0.4275 * shownF * v;
    const int chillC = static_cast<int>(std::lround((chillF - 32.0) * 5.0 / 9.0));
    return format("Windchill: %d F (%d C):%d", static_cast<int>(std::trunc(fahrenheit(chillC))), chillC,
                  humidityKnown ? 1 : 2);
}

// The heat index of NOAA's regression, given from 86 F when it lies more than
// 5 F above the temperature; tenths of a degree Celsius.
std::optional<std::string> heatIndexLine(double shownF, int humidity)
{
    if (shownF < 86.0)
        return std::nullopt;
    const double t = shownF;
    const double r = humidity;
    const double index = -42.379 + 2.04901523 * t + 10.14333127 * r - 0.22475541 * t * r - 0.00683783 * t * t -
                         0.05481717 * r * r + 0.00122874 * t * t * r + 0.00085282 * t * r * r -
                         0.00000199 * t * t * r * r;
    if (index - t <= 5.0)
        return std::nullopt;
    const double indexC = tenths((index - 32.0) * 5.0 / 9.0);
    return format("Heat index: %.1f F (%.1f C):1", tenths(fahrenheit(indexC)), indexC);
}

std::optional<std::string> pressureLine(const Metar& m)
{
    if (m.altimeterInches)
        return format("Pressure (altimeter): %s in. Hg (%d hPa)", inchesText(*m.altimeterInches).c_str(),
                      hpaFromInches(*m.altimeterInches));
    // From a Q group NOAA keeps both decimals and four hPa digits: "29.80 in. Hg (0988 hPa)".
    if (m.pressureHpa)
        return format("Pressure (altimeter): %.2f in. Hg (%04d hPa)", inchesFromHpa(*m.pressureHpa), *m.pressureHpa);
    return std::nullopt;
}

// "Pressure tendency: 0.04 inches (1.3 hPa) higher than three hours ago"
// from 51013, or "rising rapidly" from PRESRR; appended to report. Characters
// 0-3 read higher, 5-8 lower; a change of nothing reads "higher" as NOAA writes
// it, which is all a steady 4 can honestly give. A 4 with a change has no
// direction and gives no line. Inches are the hPa figure rounded to hundredths.
void appendTendencyLine(const Metar& m, std::string& report)
{
    if (const auto& t = m.pressureTendency) {
        if (t->character == 4 && t->changeTenthsHpa != 0)
            return;
        const bool lower = t->character >= 5 && t->changeTenthsHpa != 0;
        // 0.02953 in per hPa on whole tenths: exact integer rounding.
        const int inchHundredths = (t->changeTenthsHpa * 2953 + 5000) / 10000;
        char buffer[96];
        std::snprintf(buffer, sizeof buffer, "Pressure tendency: %d.%02d inches (%d.%d hPa) %s than three hours ago\n",
                      inchHundredths / 100, inchHundredths % 100, t->changeTenthsHpa / 10, t->changeTenthsHpa % 10,
                      lower ? "lower" : "higher");
        report += buffer;
        return;
    }
    if (m.pressureRapidly == MetarPressureRapidly::Rising)
        report += "Pressure tendency: rising rapidly\n";
    else if (m.pressureRapidly == MetarPressureRapidly::Falling)
        report += "Pressure tendency: falling rapidly\n";
}

int weekday(const CivilTime& t)   // 0 = Sunday
{
    const std::int64_t days = CivilTime{t.year, t.month, t.day, 0, 0, 0}.minutesSinceEpoch() / (24 * 60);
    return static_cast<int>(((days + 4) % 7 + 7) % 7);   // 1970-01-01 was a Thursday
}

// The day of the n-th (1-based) Sunday of a month, or of the last one for n = 0.
int sunday(int year, int month, int n)
{
    if (n == 0) {
        const int last = daysInMonth(year, month);
        return last - weekday({year, month, last, 0, 0, 0});
    }
    const int first = 1 + (7 - weekday({year, month, 1, 0, 0, 0})) % 7;
    return first + 7 * (n - 1);
}

// US daylight saving time in the Eastern zone: from 2:00 EST (07:00 UTC) of
// its first day to 2:00 EDT (06:00 UTC) of its last day.
bool easternDaylight(const CivilTime& utc)
{
    const bool since2007 = utc.year >= 2007;
    const CivilTime start{utc.year, since2007 ? 3 : 4, since2007 ? sunday(utc.year, 3, 2) : sunday(utc.year, 4, 1),
                          7, 0, 0};
    const CivilTime end{utc.year, since2007 ? 11 : 10, since2007 ? sunday(utc.year, 11, 1) : sunday(utc.year, 10, 0),
                        6, 0, 0};
    const std::int64_t now = utc.minutesSinceEpoch();
    return now >= start.minutesSinceEpoch() && now < end.minutesSinceEpoch();
}

} // namespace

std::string stationLineFor(const std::string& code, const StationInfo& station)
{
    if (station.name.empty())
        return "Station name not available";
    std::string line = station.name + " (" + code + ") " + station.latitude + " " + station.longitude;
    if (!station.elevationMetres.empty())
        line += " " + station.elevationMetres + "M";
    return line;
}

std::string noaaDateLine(const CivilTime& utc)
{
    static constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const bool daylight = easternDaylight(utc);
    const CivilTime local = utc.plusMinutes(daylight ? -4 * 60 : -5 * 60);
    const int hour12 = local.hour % 12 == 0 ? 12 : local.hour % 12;
    return format("%s %02d, %04d - %02d:%02d %s %s / %04d.%02d.%02d %02d%02d UTC",
                  kMonths[static_cast<std::size_t>(local.month - 1)], local.day, local.year, hour12, local.minute,
                  local.hour < 12 ? "AM" : "PM", daylight ? "EDT" : "EST", utc.year, utc.month, utc.day, utc.hour,
                  utc.minute);
}

std::optional<std::string> buildPresentReport(std::string_view metar, const StationInfo& station,
                                              const CivilTime& nowUtc)
{
    const std::optional<Metar> parsed = readMetar(metar);
    if (!parsed || parsed->nil)
        return std::nullopt;
    const Metar& m = *parsed;

    const std::optional<CivilTime> observed = observationTime(m, nowUtc);
    if (!observed)
        return std::nullopt;

    std::string report;
    report.reserve(640);
    report += stationLineFor(m.station, station) + "\n" + noaaDateLine(*observed) + "\n";
    const auto line = [&report](const std::string& text) { report += text + "\n"; };
    if (m.wind)
        line(windLine(m));
    if (m.visibility && m.visibility->kind != MetarVisibility::Kind::NotReported)
        line(visibilityLine(*m.visibility));
    if (const auto sky = skyText(m))
        line("Sky conditions: " + *sky);
    if (const auto weather = weatherText(m))
        line("Weather: " + *weather);

    std::optional<int> humidity;
    double temperatureF = 0;
    double dewPointF = 0;
    const bool hasTemperature = m.temperatureC || m.temperatureTenthsC;
    const bool hasDewPoint = m.dewPointC || m.dewPointTenthsC;
    std::string temperature;
    std::string dewPoint;
    if (hasTemperature)
        temperature = temperatureText(m.temperatureC, m.temperatureTenthsC, temperatureF);
    if (hasDewPoint)
        dewPoint = temperatureText(m.dewPointC, m.dewPointTenthsC, dewPointF);
    if (hasTemperature && hasDewPoint)
        humidity = std::min(100, relativeHumidity(*m.temperature(), *m.dewPoint()));
    if (hasTemperature) {
        line("Temperature: " + temperature);
        if (const auto chill = windchillLine(temperatureF, m, humidity.has_value()))
            line(*chill);
        else if (humidity)
            if (const auto heat = heatIndexLine(temperatureF, *humidity))
                line(*heat);
    }
    if (hasDewPoint)
        line("Dew Point: " + dewPoint);
    if (humidity)
        line(format("Relative Humidity: %d%%", *humidity));
    if (const auto pressure = pressureLine(m))
        line(*pressure);
    appendTendencyLine(m, report);
    line("ob: " + m.raw);
    line(format("cycle: %d", m.cycle()));
    return report;
}

} // namespace ventoral
