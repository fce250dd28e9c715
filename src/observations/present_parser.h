// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Turns a decoded present report into the Observation, the date label and
// the condition strip lines.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/civil_time.h"
#include "platform/core/time_zone.h"
#include "observations/observation.h"
#include "observations/present_report.h"
#include "observations/report_age.h"
#include "settings/units.h"

namespace ventoral {

// Where the condition strip is printed; the print page puts the second line
// 2450 twips lower.
enum class StripSurface { Window, PrintPage };

struct PresentContext {
    DisplayUnits units;
    const TimeZone* zone = nullptr;     // whose rules give local times; nothing: UTC
    CivilTime nowUtc;                   // the real UTC clock
    const DateForms* forms = nullptr;
    StripSurface surface = StripSurface::Window;
    // The station's trend table, whose records give its reporting rhythm;
    // nothing: the report alone (hourly at the report's minute).
    const TrendSeries* trend = nullptr;
};

struct DateLabel {
    std::string caption;            // "UTC: ...; Local: ..."
    CivilTime observedUtc;          // of the report, to age the label later
    CivilTime nextDueUtc;           // the station's next routine report
    std::optional<ReportAge> age;   // nullopt for a report from the future
    std::string freshness;          // "41 min old, next about 18:53 UTC"; empty without an age
    bool stale = false;             // older than two reporting cycles: red on white

    // What the label shows: the caption, then the freshness.
    std::string text() const;
};

// One line of the condition strip; y in twips from the top of the surface.
// Each line is printed in black, centred on 8695 twips.
struct StripLine {
    std::string text;
    int y = 0;
};

struct PresentResult {
    bool reportAbsent = false;
    std::optional<DateLabel> dateLabel;  // nullopt: leave the label as it was
    std::vector<StripLine> strip;        // the strip is cleared either way
};

inline constexpr int kStripCentreTwips = 8695 / 2;
inline constexpr int kPrintPageStripOffsetTwips = 2450;

// The present values in the display units with the absent-value markers of
// the Observation, as the dials, the tray and `ventoral-cli present` read
// them; nothing gives the no-report markers.
Observation observationOf(const std::optional<PresentReport>& report, const DisplayUnits& units);

// The date label of a report at context.nowUtc, its local time by the
// zone's rules at the report's instant; nothing when its date line cannot be
// read or no date forms are given.
std::optional<DateLabel> dateLabelOf(const PresentReport& report, const PresentContext& context);

// The condition strip lines of a report.
std::vector<StripLine> conditionStrip(const PresentReport& report, StripSurface surface);

// Reads presentText into obs: observationOf the report, with maxGustSeen
// only ever rising. A date line that cannot be read gives no date label;
// the rest of the report is still read.
PresentResult presentData(std::string_view presentText, const PresentContext& context, Observation& obs);

// Sets the label's age, freshness and stale colouring at nowUtc, the real
// UTC clock, so a shown label can grow older without parsing the report again.
void setLabelAge(DateLabel& label, const CivilTime& nowUtc);

} // namespace ventoral
