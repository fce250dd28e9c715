// SPDX-License-Identifier: GPL-3.0-or-later
#include "observations/metar.h"

#include <array>
#include <cmath>

namespace ventoral {

namespace {

constexpr double kKnotsPerMetrePerSecond = 1.943844;
constexpr double kKnotsPerKph = 0.539957;

bool allDigits(std::string_view s)
{
    if (s.empty())
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

bool startsWith(std::string_view s, std::string_view head)
{
    return s.size() >= head.size() && s.substr(0, head.size()) == head;
}

bool endsWith(std::string_view s, std::string_view tail)
{
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

// The value of a digit string; a string too long for any group of a report
// stops growing instead of overflowing.
int number(std::string_view s)
{
    int n = 0;
    for (char c : s) {
        if (n > 99999999)
            return n;
        n = n * 10 + (c - '0');
    }
    return n;
}

std::vector<std::string_view> tokens(std::string_view line)
{
    std::vector<std::string_view> out;
    out.reserve(32);
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t')
            ++i;
        if (i > start)
            out.push_back(line.substr(start, i - start));
    }
    return out;
}

// "10", "M05": whole degrees Celsius.
std::optional<int> wholeCelsius(std::string_view s)
{
    bool negative = false;
    if (!s.empty() && s.front() == 'M') {
        negative = true;
        s.remove_prefix(1);
    }
    if (s.size() != 2 || !allDigits(s))
        return std::nullopt;
    return negative ? -number(s) : number(s);
}

// Two or three digits, or "P" and two digits for "more than".
std::optional<int> speedDigits(std::string_view s)
{
    if (!s.empty() && s.front() == 'P')
        s.remove_prefix(1);
    if (s.size() < 2 || s.size() > 3 || !allDigits(s))
        return std::nullopt;
    return number(s);
}

// dddssKT, dddssGggKT, VRBssKT, in KT, MPS or KMH; "P99KT" speeds.
std::optional<MetarWind> readWind(std::string_view t)
{
    static constexpr std::array<std::pair<std::string_view, SpeedUnit>, 3> kUnits = {{
        {"KT", SpeedUnit::Knots}, {"MPS", SpeedUnit::MetresPerSecond}, {"KMH", SpeedUnit::KilometresPerHour}}};
    MetarWind wind;
    std::string_view body;
    for (const auto& [suffix, unit] : kUnits) {
        if (t.size() > suffix.size() && endsWith(t, suffix)) {
            wind.unit = unit;
            body = t.substr(0, t.size() - suffix.size());
            break;
        }
    }
    if (body.size() < 5)
        return std::nullopt;
    const std::string_view direction = body.substr(0, 3);
    std::string_view speedPart = body.substr(3);
    if (const auto g = speedPart.find('G'); g != std::string_view::npos) {
        const auto gust = speedDigits(speedPart.substr(g + 1));
        if (!gust)
            return std::nullopt;
        wind.gust = *gust;
        speedPart = speedPart.substr(0, g);
    }
    const auto speed = speedDigits(speedPart);
    if (!speed || (direction != "VRB" && !allDigits(direction)))
        return std::nullopt;
    wind.speed = *speed;
    if (direction != "VRB") {
        wind.directionDegrees = number(direction);
        wind.directionText = std::string(direction);
    }
    return wind;
}

bool isVariableSector(std::string_view t)
{
    return t.size() == 7 && t[3] == 'V' && allDigits(t.substr(0, 3)) && allDigits(t.substr(4));
}

// "10SM", "1/2SM", "P6SM", "M1/4SM"; the whole miles of "1 1/2SM" come in
// the token before.
std::optional<MetarVisibility> readMilesVisibility(std::string_view t)
{
    if (!endsWith(t, "SM") || t.size() < 3)
        return std::nullopt;
    std::string_view text = t.substr(0, t.size() - 2);
    MetarVisibility v;
    v.kind = MetarVisibility::Kind::StatuteMiles;
    if (text.front() == 'M') {
        v.kind = MetarVisibility::Kind::LessThanQuarterMile;
        text.remove_prefix(1);
    }
    bool digit = false;
    for (char c : text) {
        if (!(c >= '0' && c <= '9') && c != '/' && c != 'P')
            return std::nullopt;
        digit = digit || (c >= '0' && c <= '9');
    }
    if (!digit)
        return std::nullopt;
    v.milesText = std::string(text);
    return v;
}

// "9999", "6000", and "9000NDV" or "9000W" with a direction or marker after.
std::optional<MetarVisibility> readMetresVisibility(std::string_view t)
{
    if (t.size() < 4 || !allDigits(t.substr(0, 4)))
        return std::nullopt;
    const std::string_view tail = t.substr(4);
    if (!tail.empty() && tail != "NDV" && tail.find_first_not_of("NSEW") != std::string_view::npos)
        return std::nullopt;
    // "No directional variation" marks an automatic sensor; NOAA gives no visibility for it.
    if (tail == "NDV")
        return MetarVisibility{MetarVisibility::Kind::NotReported, 0, ""};
    MetarVisibility v;
    v.metres = number(t.substr(0, 4));
    v.kind = v.metres == 9999 ? MetarVisibility::Kind::AtLeast10Km : MetarVisibility::Kind::Metres;
    return v;
}

bool readCloud(std::string_view t, Metar& m)
{
    if (t == "SKC" || t == "CLR") {
        m.clearSky = true;
        return true;
    }
    if (t == "NSC" || t == "NCD")
        return true;
    for (std::string_view cover : {"FEW", "SCT", "BKN", "OVC", "VV"}) {
        if (!startsWith(t, cover))
            continue;
        const std::string_view height = t.substr(cover.size()).substr(0, 3);
        if (height.size() != 3 || (!allDigits(height) && height != "///"))
            return false;
        const std::string_view type = t.substr(cover.size() + 3);
        MetarCloud cloud{std::string(cover), ""};
        if (type == "CB" || type == "TCU")
            cloud.type = std::string(type);
        m.clouds.push_back(cloud);
        return true;
    }
    // "//////TCU": a cloud type without cover or height.
    if (t.find_first_not_of('/') == 6 && (t.substr(6) == "CB" || t.substr(6) == "TCU")) {
        m.clouds.push_back({"", std::string(t.substr(6))});
        return true;
    }
    return false;
}

bool isWeather(std::string_view t)
{
    static constexpr std::array<std::string_view, 8> kDescriptors = {"MI", "PR", "BC", "DR", "BL", "SH", "TS", "FZ"};
    static constexpr std::array<std::string_view, 22> kPhenomena = {"DZ", "RA", "SN", "SG", "IC", "PL", "GR", "GS",
                                                                    "UP", "BR", "FG", "FU", "VA", "DU", "SA", "HZ",
                                                                    "PY", "PO", "SQ", "FC", "SS", "DS"};
    if (!t.empty() && (t.front() == '-' || t.front() == '+'))
        t.remove_prefix(1);
    else if (startsWith(t, "VC"))
        t.remove_prefix(2);
    bool descriptor = false;
    for (std::string_view d : kDescriptors)
        if (startsWith(t, d)) {
            t.remove_prefix(2);
            descriptor = true;
            break;
        }
    if (t.empty())
        return descriptor;
    if (t.size() % 2 != 0)
        return false;
    for (std::size_t i = 0; i < t.size(); i += 2) {
        bool known = false;
        for (std::string_view p : kPhenomena)
            known = known || t.substr(i, 2) == p;
        if (!known)
            return false;
    }
    return true;
}

// 10/08, M05/M10, 31/// or 10/ (no dew point), 15/14C of some stations.
// A dew point with a third digit ("35/312") reads as NOAA's decoder reads
// it: its first two digits.
bool readTemperatures(std::string_view token, Metar& m)
{
    const auto slash = token.find('/');
    if (slash == std::string_view::npos)
        return false;
    std::string_view rest = token.substr(slash + 1);
    if (rest.size() == 3 && rest.back() == 'C')
        rest.remove_suffix(1);
    const std::string_view digits = !rest.empty() && rest.front() == 'M' ? rest.substr(1) : rest;
    if (digits.size() == 3 && allDigits(digits))
        rest.remove_suffix(1);
    const auto temperature = wholeCelsius(token.substr(0, slash));
    const auto dewPoint = wholeCelsius(rest);
    const bool noDewPoint = rest.find_first_not_of('/') == std::string_view::npos;
    if (!temperature || (!dewPoint && !noDewPoint))
        return false;
    m.temperatureC = temperature;
    m.dewPointC = dewPoint;
    return true;
}

// A3012, Q1013, and Q1029/30.41 as some stations write it.
bool readPressure(std::string_view token, Metar& m)
{
    if (token.size() < 5 || (token[0] != 'A' && token[0] != 'Q') || !allDigits(token.substr(1, 4)) ||
        (token.size() > 5 && token[5] != '/'))
        return false;
    if (token[0] == 'A' && !m.altimeterInches)
        m.altimeterInches = number(token.substr(1, 4)) / 100.0;
    else if (token[0] == 'Q' && !m.pressureHpa)
        m.pressureHpa = number(token.substr(1, 4));
    return true;
}

// T01000083 of the remarks: tenths of a degree, a leading 1 for below zero.
void readTenths(std::string_view t, Metar& m)
{
    if (t.size() != 9 || t[0] != 'T' || !allDigits(t.substr(1)))
        return;
    const auto tenths = [](std::string_view s) -> std::optional<double> {
        if (s[0] != '0' && s[0] != '1')
            return std::nullopt;
        const double v = number(s.substr(1)) / 10.0;
        return s[0] == '1' ? -v : v;
    };
    m.temperatureTenthsC = tenths(t.substr(1, 4));
    m.dewPointTenthsC = tenths(t.substr(5, 4));
}

// 52013 of the remarks: character 2, 1.3 hPa. A group with "/" or a
// character beyond 8 says nothing; only the first readable group counts.
void readTendency(std::string_view t, Metar& m)
{
    if (m.pressureTendency || t.size() != 5 || t[0] != '5' || !allDigits(t) || t[1] > '8')
        return;
    m.pressureTendency = MetarPressureTendency{t[1] - '0', number(t.substr(2))};
}

} // namespace

bool isTypeWord(std::string_view word)
{
    return word == "METAR" || word == "SPECI" || word == "COR" || word == "AUTO";
}

double MetarWind::knots(int value) const
{
    switch (unit) {
    case SpeedUnit::MetresPerSecond:
        return value * kKnotsPerMetrePerSecond;
    case SpeedUnit::KilometresPerHour:
        return value * kKnotsPerKph;
    case SpeedUnit::Knots:
        break;
    }
    return value;
}

int MetarWind::wholeKnots(int value) const
{
    return static_cast<int>(std::lround(knots(value)));
}

int MetarWind::wholeMph(int value) const
{
    return static_cast<int>(std::lround(knots(value) * kMphPerKnot));
}

std::optional<CivilTime> observationTime(const Metar& metar, const CivilTime& nowUtc)
{
    if (metar.day < 1 || metar.day > 31)
        return std::nullopt;
    CivilTime observed{nowUtc.year, nowUtc.month, metar.day, metar.hour, metar.minute, 0};
    // The latest month up to now that has the day: a 31st seen on 7 December
    // is of 31 October, November having none.
    bool stepBack = metar.day > nowUtc.day;
    while (stepBack || metar.day > daysInMonth(observed.year, observed.month)) {
        stepBack = false;
        observed.year = observed.month == 1 ? observed.year - 1 : observed.year;
        observed.month = observed.month == 1 ? 12 : observed.month - 1;
    }
    return observed;
}

std::string compassName(double degrees)
{
    static constexpr std::array<const char*, 16> kNames = {"N", "NNE", "NE", "ENE", "E", "ESE", "SE", "SSE",
                                                           "S", "SSW", "SW", "WSW", "W", "WNW", "NW", "NNW"};
    const long index = std::lround(degrees / 22.5);
    return kNames[static_cast<std::size_t>(((index % 16) + 16) % 16)];
}

int hpaFromInches(double inches)
{
    // A small allowance keeps 30.00 / 0.02953 = 1015.916... from wobbling at
    // the boundary of a whole hPa in binary arithmetic.
    return static_cast<int>(std::floor(inches / kInchesPerHpa + 1e-9));
}

double inchesFromHpa(int hpa)
{
    return std::round(hpa * kInchesPerHpa * 100.0) / 100.0;
}

std::optional<Metar> readMetar(std::string_view line)
{
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '='))
        line.remove_suffix(1);
    const auto t = tokens(line);
    Metar m;
    std::size_t i = 0;
    // "METAR COR", "SPECI", "METAR AUTO": the station code follows the type words.
    for (; i < t.size() && isTypeWord(t[i]); ++i) {
        m.special = m.special || t[i] == "SPECI";
        m.corrected = m.corrected || t[i] == "COR";
    }
    if (i + 1 >= t.size() || t[i].size() != 4)
        return std::nullopt;
    m.station = std::string(t[i]);
    const std::string_view time = t[i + 1];
    if (time.size() != 7 || time.back() != 'Z' || !allDigits(time.substr(0, 6)))
        return std::nullopt;
    m.day = number(time.substr(0, 2));
    m.hour = number(time.substr(2, 2));
    m.minute = number(time.substr(4, 2));
    if (m.day < 1 || m.day > 31 || m.hour > 23 || m.minute > 59)
        return std::nullopt;
    m.raw = std::string(line.substr(static_cast<std::size_t>(t[i].data() - line.data())));

    enum class Part { Body, Forecast, Remarks } part = Part::Body;
    for (std::size_t k = i + 2; k < t.size(); ++k) {
        const std::string_view token = t[k];
        if (token == "RMK") {
            part = Part::Remarks;
            continue;
        }
        if (token == "TEMPO" || token == "BECMG") {
            if (part == Part::Body)
                part = Part::Forecast;
            continue;
        }
        if (token == "CB")
            m.cumulonimbus = true;
        if (token == "TCU")
            m.toweringCumulus = true;
        if (part == Part::Remarks) {
            readTenths(token, m);
            readTendency(token, m);
            if (token == "PRESRR")
                m.pressureRapidly = MetarPressureRapidly::Rising;
            else if (token == "PRESFR")
                m.pressureRapidly = MetarPressureRapidly::Falling;
            if (startsWith(token, "LTG"))
                m.lightning = true;
            continue;
        }
        if (part == Part::Forecast)
            continue;
        if (token == "NIL" && k == i + 2) {
            m.nil = true;
            return m;
        }
        if (token == "COR") {
            m.corrected = true;
            continue;
        }
        if (!m.wind && !m.visibility && !m.temperatureC) {
            if (auto wind = readWind(token)) {
                m.wind = wind;
                continue;
            }
        }
        if (isVariableSector(token)) {
            m.windVariableSector = true;
            continue;
        }
        if (token == "CAVOK") {
            m.cavok = true;
            if (!m.visibility)
                m.visibility = MetarVisibility{MetarVisibility::Kind::AtLeast10Km, 9999, ""};
            continue;
        }
        if (!m.visibility && !m.temperatureC) {
            // "1 1/2SM": whole miles, then the fraction.
            if (allDigits(token) && token.size() <= 2 && k + 1 < t.size() && endsWith(t[k + 1], "SM") &&
                t[k + 1].find('/') != std::string_view::npos) {
                if (auto v = readMilesVisibility(t[k + 1])) {
                    v->milesText = std::string(token) + " " + v->milesText;
                    m.visibility = v;
                    ++k;
                    continue;
                }
            }
            if (auto v = readMilesVisibility(token)) {
                m.visibility = v;
                continue;
            }
            if (auto v = readMetresVisibility(token)) {
                m.visibility = v;
                continue;
            }
        }
        // After the pressure group only a second pressure group or a late
        // temperature group belongs to the observation ("Q1009 VIS BR").
        const bool afterPressure = m.altimeterInches || m.pressureHpa;
        if (afterPressure) {
            if (!readPressure(token, m) && !m.temperatureC)
                readTemperatures(token, m);
            continue;
        }
        if (readCloud(token, m)) {
            for (const MetarCloud& c : m.clouds) {
                m.cumulonimbus = m.cumulonimbus || c.type == "CB";
                m.toweringCumulus = m.toweringCumulus || c.type == "TCU";
            }
            continue;
        }
        if (isWeather(token)) {
            m.weather.emplace_back(token);
            continue;
        }
        if (readPressure(token, m))
            continue;
        if (!m.temperatureC)
            readTemperatures(token, m);
    }
    return m;
}

} // namespace ventoral
