// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the five dials share: the numbers of a scale and the face bitmaps
// each is drawn over.

#include <string>
#include <vector>

namespace ventoral {

// The scale numbers of a dial, number 1 at the maximum.
std::vector<std::string> scaleNumbers(double maximum, double minimum, int count);

// Face file names in the program's Faces folder.
inline constexpr const char* kFaceHumidity = "ScaleHumidity.bmp";
inline constexpr const char* kFacePressureH = "ScalePressureH.bmp";
inline constexpr const char* kFacePressureI = "ScalePressureI.bmp";
inline constexpr const char* kFaceTemperatureC = "ScaleTemperatureC.bmp";
inline constexpr const char* kFaceTemperatureF = "ScaleTemperatureF.bmp";
inline constexpr const char* kFaceWindDirection = "ScaleWindDirection.bmp";
inline constexpr const char* kFaceWindSpeedK = "ScaleWindSpeedK.bmp";
inline constexpr const char* kFaceWindSpeedM = "ScaleWindSpeedM.bmp";

} // namespace ventoral
