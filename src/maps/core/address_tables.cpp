// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps/core/address_tables.h"

#include "maps/core/map_page.h"

namespace ventoral {

void deriveMapFileNames(AppTables& tables)
{
    for (int i = 0; i < AddressTable::kMapCount; ++i)
        tables.files[static_cast<std::size_t>(i)] = deriveMapFileName(tables.addresses[i]);
}

bool writeAddressTables(const std::string& settingsFile, const AppTables& tables)
{
    bool written = WriteImageAddresses(settingsFile, tables.addresses);
    written = WriteImageFiles(settingsFile, tables.files) && written;
    written = WriteImageNames(settingsFile, tables.names) && written;
    written = WriteImageAuto(settingsFile, tables.autos) && written;
    return WriteDataAddresses(settingsFile, tables.addresses) && written;
}

} // namespace ventoral
