// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 24-hour bands among a dial's recorded drawing calls, for comparing
// where two surfaces put them.

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "recording_surface.h"

namespace ventoral::test {

// A band is drawn as one arc per hour in its shade, 3 pixels wide, each
// over a wider arc of the face's colour: the start and end angle of each
// shaded arc in drawing order, in degrees.
inline std::vector<std::pair<double, double>> bandArcs(const std::vector<SurfaceCall>& calls)
{
    constexpr double kShadeWidth = 3;
    std::vector<std::pair<double, double>> arcs;
    for (const SurfaceCall& call : calls)
        if (call.op == SurfaceCall::Op::Arc && call.drawWidth == kShadeWidth)
            arcs.emplace_back(call.args[3], call.args[4]);
    return arcs;
}

// "33-36 30-33 …".
inline std::string anglesText(const std::vector<std::pair<double, double>>& arcs)
{
    std::ostringstream text;
    for (const auto& [start, end] : arcs)
        text << start << "-" << end << " ";
    return text.str();
}

} // namespace ventoral::test
