// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Saving what the addresses window edits: the map, site and report
// addresses with the map names, Auto flags and derived file names.

#include <string>

#include "settings/settings.h"

namespace ventoral {

// Each map's local file name from its address.
void deriveMapFileNames(AppTables& tables);

// Writes "ImageAddress", "ImageFile", "ImageName", "ImageAuto" and
// "DataAddress", in that order, each even when one before failed. False
// when any could not be written.
bool writeAddressTables(const std::string& settingsFile, const AppTables& tables);

} // namespace ventoral
