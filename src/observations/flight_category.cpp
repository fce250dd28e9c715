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

enum class Layer { None, NoCeiling, Ceiling, UnknownCeiling };

// One sky group: clear sky or a FEW or SCT layer, a ceiling layer with or
// without its height, or no sky group at all.
Layer layerOf(std::string_view group, int& heightFeet)
{
    if (group == "SKC" || group == "CLR" || group == "NSC" || group == "NCD")
        return Layer::NoCeiling;
    std::string_view height;
    bool ceiling = false;
    if (startsWith(group, "VV")) {
        height = group.substr(2);
        ceiling = true;
        if (height.size() != 3)
            return Layer::None;
    } else if (group.size() >= 6) {
        const std::string_view cover = group.substr(0, 3);
        if (cover != "FEW" && cover != "SCT" && cover != "BKN" && cover != "OVC")
            return Layer::None;
        ceiling = cover == "BKN" || cover == "OVC";
        height = group.substr(3, 3);
    } else {
        return Layer::None;
    }
    if (height == "///")
        return ceiling ? Layer::UnknownCeiling : Layer::NoCeiling;
    if (!isDigits(height))
        return Layer::None;
    heightFeet = digitsValue(height) * 100;
    return ceiling ? Layer::Ceiling : Layer::NoCeiling;
}

} // namespace

std::optional<FlightConditions> flightConditionsOf(std::string_view metar)
{
    std::optional<double> visibility;
    bool visibilityRead = false;
    bool skyRead = false;
    bool ceilingUnknown = false;
    FlightConditions conditions;

    const std::vector<std::string_view> groups = groupsOf(metar);
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const std::string_view group = groups[i];
        if (group == "RMK" || group == "TEMPO" || group == "BECMG" || group == "NOSIG")
            break;
        if (group == "CAVOK") {
            visibility = kTenKilometresInMiles;
            visibilityRead = skyRead = true;
            continue;
        }
        if (!visibilityRead) {
            std::optional<double> miles = statuteMiles(group, i > 0 ? groups[i - 1] : std::string_view());
            if (!miles)
                miles = otherMiles(group);
            if (miles || group == "////" || group == "////NDV") {
                visibility = miles;
                visibilityRead = true;
                continue;
            }
        }
        int heightFeet = 0;
        switch (layerOf(group, heightFeet)) {
        case Layer::None:
            break;
        case Layer::NoCeiling:
            skyRead = true;
            break;
        case Layer::Ceiling:
            skyRead = true;
            if (!conditions.ceilingFeet || heightFeet < *conditions.ceilingFeet)
                conditions.ceilingFeet = heightFeet;
            break;
        case Layer::UnknownCeiling:
            skyRead = true;
            ceilingUnknown = true;
            break;
        }
    }
    if (!visibility || !skyRead)
        return std::nullopt;
    conditions.visibilityMiles = *visibility;
    conditions.ceilingUnknown = ceilingUnknown;
    return conditions;
}

std::optional<FlightCategory> flightCategoryOf(const FlightConditions& conditions)
{
    const double miles = conditions.visibilityMiles;
    const FlightCategory byVisibility = miles < 1   ? FlightCategory::Lifr
                                        : miles < 3 ? FlightCategory::Ifr
                                        : miles <= 5 ? FlightCategory::Mvfr
                                                     : FlightCategory::Vfr;
    FlightCategory category = byVisibility;
    if (conditions.ceilingFeet) {
        const int feet = *conditions.ceilingFeet;
        const FlightCategory byCeiling = feet < 500     ? FlightCategory::Lifr
                                         : feet < 1000  ? FlightCategory::Ifr
                                         : feet <= 3000 ? FlightCategory::Mvfr
                                                        : FlightCategory::Vfr;
        category = std::min(category, byCeiling);
    }
    if (conditions.ceilingUnknown && category != FlightCategory::Lifr)
        return std::nullopt;
    return category;
}

std::optional<FlightCategory> flightCategoryOf(std::string_view metar)
{
    const std::optional<FlightConditions> conditions = flightConditionsOf(metar);
    if (!conditions)
        return std::nullopt;
    return flightCategoryOf(*conditions);
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
