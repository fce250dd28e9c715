// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The delivered data folder of the source tree, beside tests/, and its
// station catalogue, read once for all tests.

#include <stdexcept>

#include "stations/core/station_catalogue.h"

#define VENTORAL_SOURCE_DATA VENTORAL_TEST_DATA "/../../data"

inline const ventoral::StationCatalogue& deliveredCatalogue()
{
    static const ventoral::CatalogueResult loaded = ventoral::loadStationCatalogue(VENTORAL_SOURCE_DATA);
    if (!loaded.catalogue)
        throw std::runtime_error("delivered station file missing: " + loaded.missingFile);
    return *loaded.catalogue;
}
