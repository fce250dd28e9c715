// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/archive_settings.h"

#include "platform/core/number_text.h"

namespace ventoral {

std::optional<GraphSpan> graphSpanOf(std::string_view days)
{
    const std::optional<double> number = strictNumber(days);
    for (const GraphSpan span : {GraphSpan::Day, GraphSpan::Week, GraphSpan::Month})
        if (number && *number == spanDays(span))
            return span;
    return std::nullopt;
}

ArchiveSettings ReadArchiveSettings(const IniDocument& ini)
{
    ArchiveSettings settings;
    const std::optional<double> keep = strictNumber(ini.value(kArchiveSection, "KeepDays", ""));
    if (keep && *keep >= kFewestKeepDays && *keep <= kMostKeepDays)
        settings.keepDays = static_cast<int>(*keep);
    settings.graphSpan = graphSpanOf(ini.value(kArchiveSection, "GraphSpan", "")).value_or(GraphSpan::Day);
    return settings;
}

bool WriteGraphSpan(const std::string& file, GraphSpan span)
{
    return WriteIniValue(kArchiveSection, "GraphSpan", std::to_string(spanDays(span)), file);
}

} // namespace ventoral
