// SPDX-License-Identifier: GPL-3.0-or-later
#include "observations/flight_category.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

namespace ventoral {

namespace {

constexpr double kMetresPerMile = 1609.344;
constexpr double kMilesPerNauticalMile = 1852.0 / kMetresPerMile;
// "M" (less than) and "P" (more than) move a visibility just off its value.
constexpr double kBeyond = 1e-6;
constexpr double kTenKilometresInMiles = 10000.0 / kMetresPerMile;

// Longer numbers than any visibility or height are not read (nor overflow).
constexpr std::size_t kMostDigits = 4;

bool isDigits(std::string_view text)
{
    return !text.empty() && text.size() <= kMostDigits &&
           std::all_of(text.begin(), text.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

int digitsValue(std::string_view digits)
{
    int value = 0;
    for (char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

bool endsWith(std::string_view text, std::string_view suffix)
{
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

std::vector<std::string_view> groupsOf(std::string_view text)
{
    std::vector<std::string_view> groups;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
            ++i;
        const std::size_t start = i;
        while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i])))
            ++i;
        if (i > start)
            groups.push_back(text.substr(start, i - start));
    }
    return groups;
}

// "10", "1/2" or "3/4" (the part before "SM"); nothing for anything else.
std::optional<double> milesNumber(std::string_view text)
{
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos)
        return isDigits(text) ? std::optional<double>(digitsValue(text)) : std::nullopt;
    const std::string_view over = text.substr(0, slash);
    const std::string_view under = text.substr(slash + 1);
    if (!isDigits(over) || !isDigits(under) || digitsValue(under) == 0)
        return std::nullopt;
    return static_cast<double>(digitsValue(over)) / digitsValue(under);
}

// A statute-mile group ("10SM", "1/2SM", "M1/4SM", "P6SM"), with the whole
// miles of the group before it when that was a bare number ("1 1/2SM").
std::optional<double> statuteMiles(std::string_view group, std::string_view before)
{
    if (!endsWith(group, "SM"))
        return std::nullopt;
    std::string_view number = group.substr(0, group.size() - 2);
    double nudge = 0;
    if (startsWith(number, "M") || startsWith(number, "P")) {
        nudge = number.front() == 'M' ? -kBeyond : kBeyond;
        number.remove_prefix(1);
    }
    const std::optional<double> miles = milesNumber(number);
    if (!miles)
        return std::nullopt;
    double whole = 0;
    if (number.find('/') != std::string_view::npos && before.size() <= 2 && isDigits(before))
        whole = digitsValue(before);
    return whole + *miles + nudge;
}

// A prevailing visibility in metres, "9999" meaning 10 km or more, with an
// optional direction or NDV; or kilometres ("9KM") or nautical miles ("6NM").
std::optional<double> otherMiles(std::string_view group)
{
    if (group.size() >= 4 && isDigits(group.substr(0, 4))) {
        static constexpr std::array<std::string_view, 10> kTails = {"", "NDV", "N", "NE", "E", "SE",
                                                                   "S", "SW", "W", "NW"};
        const std::string_view tail = group.substr(4);
        if (std::find(kTails.begin(), kTails.end(), tail) == kTails.end())
            return std::nullopt;
        const int metres = digitsValue(group.substr(0, 4));
        return metres == 9999 ? kTenKilometresInMiles : metres / kMetresPerMile;
    }
    if (group.size() > 2 && isDigits(group.substr(0, group.size() - 2))) {
        const double number = digitsValue(group.substr(0, group.size() - 2));
        if (endsWith(group, "KM"))
            return number * 1000 / kMetresPerMile;
        if (endsWith(group, "NM"))
            return number * kMilesPerNauticalMile;
    }
    return std::nullopt;
}

// One sky group: a word for a sky without cloud, or a layer with or without
// its height.
struct SkyGroup {
    bool ceilingCover = false;   // BKN, OVC or VV
    bool vertical = false;       // VV
    std::optional<int> heightFeet;
};

// "SKC", "CLR", "NSC", "NCD"; "VV002", "VV///"; "FEW015", "BKN///",
// "BKN020CB", "OVC031///". Nothing for any other group, "//////" among them.
std::optional<SkyGroup> skyGroupOf(std::string_view group)
{
    static constexpr std::array<std::string_view, 4> kCloudless = {"SKC", "CLR", "NSC", "NCD"};
    if (std::find(kCloudless.begin(), kCloudless.end(), group) != kCloudless.end())
        return SkyGroup{};
    SkyGroup sky;
    std::string_view height;
    if (startsWith(group, "VV")) {
        sky.ceilingCover = sky.vertical = true;
        height = group.substr(2);
    } else {
        const std::string_view cover = group.substr(0, 3);
        if (cover != "FEW" && cover != "SCT" && cover != "BKN" && cover != "OVC")
            return std::nullopt;
        sky.ceilingCover = cover == "BKN" || cover == "OVC";
        height = group.substr(3, 3);
        // A cloud type after the height: CB, TCU, or "///" where it is not told.
        const std::string_view type = group.substr(std::min<std::size_t>(group.size(), 6));
        const auto typeLetter = [](char c) { return c == '/' || std::isupper(static_cast<unsigned char>(c)); };
        if (!std::all_of(type.begin(), type.end(), typeLetter))
            return std::nullopt;
    }
    if (height.size() != 3)
        return std::nullopt;
    if (height == "///")
        return sky;
    if (!isDigits(height))
        return std::nullopt;
    sky.heightFeet = digitsValue(height) * 100;
    return sky;
}

// Groups of the report body: a trend forecast or the remarks are not the observation.
bool endsBody(std::string_view group)
{
    static constexpr std::array<std::string_view, 5> kEnds = {"RMK", "TEMPO", "BECMG", "INTER", "NOSIG"};
    return std::find(kEnds.begin(), kEnds.end(), group) != kEnds.end();
}

// A category's limits: a value below one (or at it, where it is inclusive)
// puts a report in that category or a worse one.
struct Limit {
    double value;
    bool inclusive;
};

struct CategoryLimits {
    FlightCategory category;
    Limit ceilingFeet;
    Limit visibilityMiles;
};

// The FAA's categorical outlooks, worst first; what none of them holds is VFR.
constexpr CategoryLimits kCategoryLimits[] = {
    {FlightCategory::Lifr, {500, false}, {1, false}},
    {FlightCategory::Ifr, {1000, false}, {3, false}},
    {FlightCategory::Mvfr, {3000, true}, {5, true}},
};

FlightCategory categoryBy(double value, Limit CategoryLimits::*part)
{
    for (const CategoryLimits& limits : kCategoryLimits) {
        const Limit limit = limits.*part;
        if (value < limit.value || (limit.inclusive && value == limit.value))
            return limits.category;
    }
    return FlightCategory::Vfr;
}

} // namespace

FlightConditions flightConditionsOf(std::string_view metar)
{
    if (!metar.empty() && metar.back() == '=')
        metar.remove_suffix(1);
    FlightConditions conditions;
    bool visibilityRead = false;
    const std::vector<std::string_view> groups = groupsOf(metar);
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const std::string_view group = groups[i];
        if (endsBody(group))
            break;
        if (group == "CAVOK") {
            conditions.visibilityMiles = kTenKilometresInMiles;
            conditions.skyReported = visibilityRead = true;
            continue;
        }
        // The visibility comes before the sky; later numbers are other groups.
        if (!visibilityRead && !conditions.skyReported) {
            std::optional<double> miles = statuteMiles(group, i > 0 ? groups[i - 1] : std::string_view());
            if (!miles)
                miles = otherMiles(group);
            if (miles || group == "////" || group == "////NDV" || group == "M") {
                conditions.visibilityMiles = miles;
                visibilityRead = true;
                continue;
            }
        }
        const std::optional<SkyGroup> sky = skyGroupOf(group);
        if (!sky)
            continue;
        conditions.skyReported = true;
        if (!sky->ceilingCover)
            continue;
        if (!sky->heightFeet) {
            conditions.layerOfUnknownHeight = true;
        } else if (!conditions.ceilingFeet || *sky->heightFeet < *conditions.ceilingFeet) {
            conditions.ceilingFeet = sky->heightFeet;
            conditions.ceilingIsVertical = sky->vertical;
        }
    }
    return conditions;
}

std::optional<FlightCategory> flightCategoryOf(const FlightConditions& conditions)
{
    std::optional<FlightCategory> byVisibility;
    if (conditions.visibilityMiles)
        byVisibility = categoryBy(*conditions.visibilityMiles, &CategoryLimits::visibilityMiles);
    std::optional<FlightCategory> byCeiling;
    if (conditions.ceilingFeet)
        byCeiling = categoryBy(*conditions.ceilingFeet, &CategoryLimits::ceilingFeet);
    else if (conditions.skyReported)
        byCeiling = FlightCategory::Vfr;

    if (byVisibility && byCeiling)
        return std::min(*byVisibility, *byCeiling);
    if (byVisibility == FlightCategory::Lifr || byCeiling == FlightCategory::Lifr)
        return FlightCategory::Lifr;
    if (byCeiling && conditions.ceilingIsVertical)
        return byCeiling;
    return std::nullopt;
}

std::optional<FlightCategory> flightCategoryOf(std::string_view metar)
{
    return flightCategoryOf(flightConditionsOf(metar));
}

std::string_view flightCategoryName(FlightCategory category)
{
    switch (category) {
    case FlightCategory::Lifr:
        return "LIFR";
    case FlightCategory::Ifr:
        return "IFR";
    case FlightCategory::Mvfr:
        return "MVFR";
    case FlightCategory::Vfr:
        return "VFR";
    }
    return {};
}

std::string_view metarOfReport(std::string_view report)
{
    std::size_t start = 0;
    while (start < report.size()) {
        std::size_t end = report.find('\n', start);
        if (end == std::string_view::npos)
            end = report.size();
        std::string_view line = report.substr(start, end - start);
        if (startsWith(line, "ob:")) {
            line.remove_prefix(3);
            while (!line.empty() && std::isspace(static_cast<unsigned char>(line.front())))
                line.remove_prefix(1);
            while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back())))
                line.remove_suffix(1);
            return line;
        }
        start = end + 1;
    }
    return {};
}

} // namespace ventoral
