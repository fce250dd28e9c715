#include "download/core/metar_trend.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <map>
#include <sstream>
#include <vector>

namespace ventoral {

namespace {

constexpr double kMphPerKnot = 1.150779;
constexpr double kMphPerMetrePerSecond = 2.236936;
constexpr double kMphPerKph = 0.621371;

bool allDigits(std::string_view s)
{
    if (s.empty())
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
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
std::optional<double> wholeCelsius(std::string_view s)
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

// dddssKT, dddssGggKT, VRBssKT, in KT, MPS or KMH.
bool readWind(std::string_view t, std::string& wind)
{
    double perUnit = 0;
    std::string_view body;
    for (const auto& [unit, factor] : {std::pair<std::string_view, double>{"KT", kMphPerKnot},
                                       {"MPS", kMphPerMetrePerSecond}, {"KMH", kMphPerKph}}) {
        if (t.size() > unit.size() && t.substr(t.size() - unit.size()) == unit) {
            perUnit = factor;
            body = t.substr(0, t.size() - unit.size());
            break;
        }
    }
    if (perUnit == 0 || body.size() < 5)
        return false;
    const std::string_view direction = body.substr(0, 3);
    std::string_view speedPart = body.substr(3);
    if (const auto g = speedPart.find('G'); g != std::string_view::npos)
        speedPart = speedPart.substr(0, g);
    // Speeds have two or three digits.
    if (speedPart.size() > 3 || !allDigits(speedPart) || (direction != "VRB" && !allDigits(direction)))
        return false;
    const int speed = static_cast<int>(std::lround(number(speedPart) * perUnit));
    if (number(speedPart) == 0)
        wind = "Calm";
    else if (direction == "VRB")
        wind = "Variable " + std::to_string(speed);
    else
        wind = compassName(number(direction)) + " " + std::to_string(speed);
    return true;
}

// T01000083 of the remarks: tenths of a degree, a leading 1 for below zero.
void readTenths(std::string_view t, MetarReport& report)
{
    if (t.size() != 9 || t[0] != 'T' || !allDigits(t.substr(1)))
        return;
    const auto tenths = [](std::string_view s) {
        const double v = number(s.substr(1)) / 10.0;
        return s[0] == '1' ? -v : v;
    };
    report.temperatureC = tenths(t.substr(1, 4));
    report.dewPointC = tenths(t.substr(5, 4));
}

std::string fixed(double value, int decimals)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string text(buffer);
    return text == "-0.0" ? "0.0" : text;
}

// "50.0 (10.0)", or empty when there is no value.
std::string temperaturePair(const std::optional<double>& celsius)
{
    if (!celsius)
        return {};
    return fixed(*celsius * 9.0 / 5.0 + 32.0, 1) + " (" + fixed(*celsius, 1) + ")";
}

std::string pressurePair(const MetarReport& r)
{
    if (r.pressureInches)
        return fixed(*r.pressureInches, 2) + " (" + std::to_string(std::lround(*r.pressureInches / 0.02953)) + ")";
    if (r.pressureHpa)
        return fixed(*r.pressureHpa * 0.02953, 2) + " (" + std::to_string(std::lround(*r.pressureHpa)) + ")";
    return {};
}

std::string twoDigits(int n)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02d", n);
    return buffer;
}

} // namespace

std::string compassName(double degrees)
{
    static constexpr std::array<const char*, 16> kNames = {"N", "NNE", "NE", "ENE", "E", "ESE", "SE", "SSE",
                                                           "S", "SSW", "SW", "WSW", "W", "WNW", "NW", "NNW"};
    const long index = std::lround(degrees / 22.5);
    return kNames[static_cast<std::size_t>(((index % 16) + 16) % 16)];
}

std::optional<MetarReport> parseMetar(std::string_view line)
{
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '='))
        line.remove_suffix(1);
    auto t = tokens(line);
    std::size_t i = 0;
    if (i < t.size() && (t[i] == "METAR" || t[i] == "SPECI"))
        ++i;
    if (i + 1 >= t.size() || t[i].size() != 4)
        return std::nullopt;
    MetarReport report;
    report.station = std::string(t[i]);
    const std::string_view time = t[i + 1];
    if (time.size() != 7 || time.back() != 'Z' || !allDigits(time.substr(0, 6)))
        return std::nullopt;
    report.day = number(time.substr(0, 2));
    report.hour = number(time.substr(2, 2));
    report.minute = number(time.substr(4, 2));
    if (report.day < 1 || report.day > 31 || report.hour > 23 || report.minute > 59)
        return std::nullopt;
    // The raw text from the station code on, without the type word.
    report.raw = std::string(line.substr(static_cast<std::size_t>(t[i].data() - line.data())));

    bool remarks = false;
    bool windRead = false;
    for (std::size_t k = i + 2; k < t.size(); ++k) {
        const std::string_view token = t[k];
        if (token == "RMK") {
            remarks = true;
            continue;
        }
        if (remarks) {
            readTenths(token, report);
            continue;
        }
        if (!windRead && token == "CALM") {
            report.wind = "Calm";
            windRead = true;
            continue;
        }
        if (!windRead && readWind(token, report.wind)) {
            windRead = true;
            continue;
        }
        // A3012, Q1013, and Q1029/30.41 as some stations write it.
        if (token.size() >= 5 && (token[0] == 'A' || token[0] == 'Q') && allDigits(token.substr(1, 4)) &&
            (token.size() == 5 || token[5] == '/')) {
            if (token[0] == 'A')
                report.pressureInches = number(token.substr(1, 4)) / 100.0;
            else
                report.pressureHpa = number(token.substr(1, 4));
            continue;
        }
        // 10/08, M05/M10, 31/// (no dew point).
        if (const auto slash = token.find('/'); slash != std::string_view::npos && !report.temperatureC) {
            std::string_view rest = token.substr(slash + 1);
            if (rest.size() == 3 && rest.back() == 'C')   // "15/14C" of some stations
                rest.remove_suffix(1);
            const auto temperature = wholeCelsius(token.substr(0, slash));
            const auto dewPoint = wholeCelsius(rest);
            const bool noDewPoint = rest.find_first_not_of('/') == std::string_view::npos;
            if (temperature && (dewPoint || noDewPoint)) {
                report.temperatureC = temperature;
                report.dewPointC = dewPoint;
            }
        }
    }
    // The raw report is the record's last field; it must not hold the separators.
    for (char& c : report.raw)
        if (c == ':' || c == '#')
            c = ' ';
    return report;
}

std::string trendFromMetars(std::string_view history, const std::string& station, const CivilTime& nowUtc)
{
    struct Entry {
        long key = -1;   // order of the report held: the newest wins
        std::string record;
    };
    std::array<Entry, 24> cycles;
    std::size_t start = 0;
    while (start < history.size()) {
        auto end = history.find('\n', start);
        if (end == std::string_view::npos)
            end = history.size();
        const auto report = parseMetar(history.substr(start, end - start));
        start = end + 1;
        if (!report || report->station != station)
            continue;
        // A day after today's belongs to the month before.
        int month = nowUtc.month;
        if (report->day > nowUtc.day)
            month = month == 1 ? 12 : month - 1;
        const long key = report->day * 10000L + report->hour * 100L + report->minute;
        // Last month's days come before this month's.
        const long order = (month == nowUtc.month ? 1000000L : 0) + key;
        Entry& slot = cycles[static_cast<std::size_t>(report->cycle())];
        if (order <= slot.key)
            continue;
        slot.key = order;
        slot.record = std::to_string(report->cycle()) + ":" + twoDigits(report->day) + twoDigits(report->hour) +
                      twoDigits(report->minute) + "Z:" + std::to_string(month) + "|" + std::to_string(key) + ":" +
                      temperaturePair(report->temperatureC) + ":" + temperaturePair(report->dewPointC) + ":" +
                      pressurePair(*report) + ":" + report->wind + ":" + report->raw;
    }
    std::ostringstream out;
    out << station << " trend report\n"
        << "Source: METAR history of the Aviation Weather Center\n"
        << "Built: " << nowUtc.year << "-" << twoDigits(nowUtc.month) << "-" << twoDigits(nowUtc.day) << " "
        << twoDigits(nowUtc.hour) << ":" << twoDigits(nowUtc.minute) << " UTC\n";
    for (std::size_t r = 0; r < cycles.size(); ++r) {
        if (r > 0)
            out << '#';
        out << cycles[r].record;
    }
    out << '\n';
    return out.str();
}

std::optional<std::string> metarHistoryAddress(const std::string& base, const std::string& station)
{
    if (base.find("/api/data/metar") == std::string::npos)
        return std::nullopt;
    return base + "?ids=" + station + "&format=raw&hours=25";
}

} // namespace ventoral
