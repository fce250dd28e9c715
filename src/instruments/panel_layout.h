// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's instrument panel, in twips: five dials in a row
// (pressure, temperature, humidity, wind speed, wind direction), the wide
// pressure and temperature graphs below them, then the three narrow graphs.

namespace ventoral::panel {

// A dial fills the top square of its picture; two caption lines sit below.
inline constexpr int kDialWidth = 2700;
inline constexpr int kDialHeight = 3250;
inline constexpr int kDialGap = 60;

inline constexpr int kWideGraphWidth = 4500;
inline constexpr int kNarrowGraphWidth = 3150;
inline constexpr int kGraphHeight = 1800;

// Plot margins of each graph on screen (left, top).
struct GraphMargins {
    int left;
    int top;
};
inline constexpr GraphMargins kPressureMargins{270, 230};
inline constexpr GraphMargins kHumidityMargins{220, 210};
inline constexpr GraphMargins kTemperatureMargins{270, 230};
inline constexpr GraphMargins kWindSpeedMargins{220, 210};
inline constexpr GraphMargins kWindDirectionMargins{310, 210};

// Room left of each graph's plot margin for its value labels on screen.
inline constexpr int kGraphLabelPad = 120;

// The off-screen canvas faces are drawn on before they are reduced.
inline constexpr int kLargeFaceTwips = 7000;

} // namespace ventoral::panel
