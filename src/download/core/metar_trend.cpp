// SPDX-License-Identifier: GPL-3.0-or-later
#include "download/core/metar_trend.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace ventoral {

namespace {

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

// Inches as reported with hPa truncated from them, or hPa as reported with
// inches rounded from them: the pair NOAA's decoded reports give.
std::string pressurePair(const MetarReport& r)
{
    if (r.pressureInches)
        return fixed(*r.pressureInches, 2) + " (" + std::to_string(hpaFromInches(*r.pressureInches)) + ")";
    if (r.pressureHpa) {
        const int hpa = static_cast<int>(*r.pressureHpa);
        return fixed(inchesFromHpa(hpa), 2) + " (" + std::to_string(hpa) + ")";
    }
    return {};
}

std::string twoDigits(int n)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02d", n);
    return buffer;
}

} // namespace

std::optional<MetarReport> parseMetar(std::string_view line)
{
    const std::optional<Metar> metar = readMetar(line);
    if (!metar || metar->nil)
        return std::nullopt;
    MetarReport report;
    report.station = metar->station;
    report.special = metar->special;
    report.day = metar->day;
    report.hour = metar->hour;
    report.minute = metar->minute;
    report.temperatureC = metar->temperature();
    report.dewPointC = metar->dewPoint();
    report.pressureInches = metar->altimeterInches;
    if (metar->pressureHpa)
        report.pressureHpa = *metar->pressureHpa;
    if (const auto& wind = metar->wind) {
        const int speed = wind->wholeMph(wind->speed);
        if (wind->speed == 0)
            report.wind = "Calm";
        else if (!wind->directionDegrees)
            report.wind = "Variable " + std::to_string(speed);
        else
            report.wind = compassName(*wind->directionDegrees) + " " + std::to_string(speed);
    }
    report.raw = metar->raw;
    // The raw report is the record's last field; it must not hold the separators.
    for (char& c : report.raw)
        if (c == ':' || c == '#')
            c = ' ';
    return report;
}

namespace {

// Calls f with each line of text, without its line feed.
template <class F>
void forEachLine(std::string_view text, F f)
{
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        f(text.substr(start, end - start));
        start = end + 1;
    }
}

} // namespace

std::string trendFromMetars(std::string_view history, const std::string& station, const CivilTime& nowUtc)
{
    struct Entry {
        long key = -1;   // order of the report held
        bool special = true;
        std::string record;
    };
    std::array<Entry, 24> cycles;
    forEachLine(history, [&](std::string_view line) {
        const auto report = parseMetar(line);
        if (!report || report->station != station)
            return;
        // A day after today's belongs to the month before.
        int month = nowUtc.month;
        if (report->day > nowUtc.day)
            month = month == 1 ? 12 : month - 1;
        const long key = report->day * 10000L + report->hour * 100L + report->minute;
        // Last month's days come before this month's.
        const long order = (month == nowUtc.month ? 1000000L : 0) + key;
        Entry& slot = cycles[static_cast<std::size_t>(report->cycle())];
        // A cycle holds its routine report; a special only when it has none.
        // Among reports of one kind the newest wins.
        const bool replaces = slot.key < 0 || (slot.special && !report->special) ||
                              (slot.special == report->special && order > slot.key);
        if (!replaces)
            return;
        slot.key = order;
        slot.special = report->special;
        slot.record = std::to_string(report->cycle()) + ":" + twoDigits(report->day) + twoDigits(report->hour) +
                      twoDigits(report->minute) + "Z:" + std::to_string(month) + "|" + std::to_string(key) + ":" +
                      temperaturePair(report->temperatureC) + ":" + temperaturePair(report->dewPointC) + ":" +
                      pressurePair(*report) + ":" + report->wind + ":" + report->raw;
    });
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

std::optional<NewestMetar> newestMetar(std::string_view history, const std::string& station, const CivilTime& nowUtc)
{
    std::optional<NewestMetar> newest;
    forEachLine(history, [&](std::string_view line) {
        const std::optional<Metar> metar = readMetar(line);
        if (!metar || metar->nil || metar->station != station)
            return;
        const std::optional<CivilTime> observed = observationTime(*metar, nowUtc);
        if (observed && (!newest || observed->minutesSinceEpoch() > newest->observedUtc.minutesSinceEpoch()))
            newest = NewestMetar{std::string(line), *observed};
    });
    return newest;
}

std::map<std::string, std::string> metarsByStation(std::string_view history)
{
    std::map<std::string, std::string> stations;
    forEachLine(history, [&](std::string_view line) {
        std::string_view word;
        for (std::size_t at = 0; at < line.size();) {
            const auto first = line.find_first_not_of(" \t\r", at);
            if (first == std::string_view::npos)
                break;
            const auto last = line.find_first_of(" \t\r", first);
            word = line.substr(first, last == std::string_view::npos ? std::string_view::npos : last - first);
            if (!isTypeWord(word))
                break;
            word = {};
            at = last == std::string_view::npos ? line.size() : last;
        }
        if (word.empty())
            return;
        std::string& lines = stations[std::string(word)];
        lines.append(line);
        lines += '\n';
    });
    return stations;
}

std::optional<std::string> metarHistoryAddress(const std::string& base, const std::string& station, int hours)
{
    if (base.find("/api/data/metar") == std::string::npos)
        return std::nullopt;
    return base + "?ids=" + station + "&format=raw&hours=" + std::to_string(hours);
}

} // namespace ventoral
