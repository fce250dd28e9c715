// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Unit selections and the conversions the program has always used.

#include <string>

namespace ventoral {

inline constexpr const char* kSpeedKph = "Kph";
inline constexpr const char* kSpeedMph = "Mph";
// The character before C or F is the masculine ordinal indicator (U+00BA),
// held here as UTF-8; the settings file stores it as the single byte 0xBA.
inline constexpr const char* kTempCelsius = "\xC2\xBA" "C";
inline constexpr const char* kTempFahrenheit = "\xC2\xBA" "F";
inline constexpr const char* kPressureHpa = "hPa";
inline constexpr const char* kPressureInches = "In";

inline double mphToKph(double mph) { return mph * 1.854 / 1.151; }
inline double kphToMph(double kph) { return kph * 1.151 / 1.854; }
inline double celsiusToFahrenheit(double c) { return c * 9.0 / 5.0 + 32.0; }
inline double fahrenheitToCelsius(double f) { return (f - 32.0) * 5.0 / 9.0; }
inline double hpaToInches(double hpa) { return hpa * 0.02953; }

// The display units of the parsers and the min/max records.
struct DisplayUnits {
    bool kph = true;
    bool celsius = true;
    bool hpa = true;

    static DisplayUnits fromTexts(const std::string& speed, const std::string& temperature, const std::string& pressure)
    {
        return {speed == kSpeedKph, temperature == kTempCelsius, pressure == kPressureHpa};
    }
};

} // namespace ventoral
