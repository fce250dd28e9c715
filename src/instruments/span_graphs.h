// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The five trend graphs over 7 or 30 days, from a station's archived
// observations: the same scales as the 24-hour graphs, one point per UTC
// hour that has a report (its routine report, else its newest special, as
// in the trend), a line at every local midnight and the days' numbers
// under them.

#include <array>
#include <vector>

#include "instruments/panel_model.h"
#include "observations/archived_observation.h"
#include "platform/core/civil_time.h"
#include "platform/core/time_zone.h"
#include "settings/archive_settings.h"
#include "settings/settings.h"

namespace ventoral {

// Points further apart than this stand on their own.
inline constexpr int kLongestJoinedGapMinutes = 6 * 60;

// The graphs of the span days before endUtc, in the order of GraphKind, with
// a mark at each local midnight of the zone;
// observations outside it are left out. Values stand within their scales.
std::array<GraphModel, kGraphCount> spanGraphModelsOf(const std::vector<ArchivedObservation>& observations,
                                                      GraphSpan span, const UnitSettings& units,
                                                      const CivilTime& endUtc, const TimeZone& zone);

// One observation per UTC reporting hour (minute 45 on counts to the next
// hour): its routine report, else its newest special. Oldest first.
std::vector<ArchivedObservation> hourlyObservations(const std::vector<ArchivedObservation>& observations);

} // namespace ventoral
