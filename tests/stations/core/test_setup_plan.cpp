// SPDX-License-Identifier: GPL-3.0-or-later
// The setup wizard's proposal: the alternating growth, the Tested filter,
// the 9/10/11 rule, the regions of Setup.txt, the forecast page of the
// position and the address slots.

#include <gtest/gtest.h>

#include <cstdio>

#include "delivered_data.h"
#include "stations/core/coordinates.h"
#include "stations/core/setup_plan.h"
#include "stations/core/station_search.h"

using namespace ventoral;

namespace {

// A station n hundredths of a degree north of 10N 20E.
std::string near(const std::string& code, int hundredthsNorth)
{
    const int minutes = hundredthsNorth * 60 / 100;
    char lat[16];
    std::snprintf(lat, sizeof lat, "%02d-%02dN", 10 + minutes / 60, minutes % 60);
    return StationRecord::fromFields(code, code, "", "1", lat, "020-00E", "0").toBytes();
}

StationCatalogue catalogue(const std::string& records, const std::vector<std::string>& tested)
{
    StationCatalogue c;
    c.directory = StationDirectory::fromBytes(records);
    c.countries = {"Chad", "India", "Nowhere"};
    c.setup = {"af;world", "India ; world"};
    c.tested.insert(tested.begin(), tested.end());
    return c;
}

std::vector<std::string> codesOf(const WizardSearch& search)
{
    std::vector<std::string> out;
    for (const std::string& line : search.lines)
        out.push_back(codeOfEntry(line));
    return out;
}

} // namespace

TEST(WizardSearch, GrowsAlternatelyUntilTheFourthTestedStation)
{
    const StationCatalogue c = catalogue(near("AAAA", 0) + near("BBBB", 1) + near("NOTT", 2) + near("CCCC", 3) +
                                             near("DDDD", 200),
                                         {"AAAA", "BBBB", "CCCC", "DDDD"});
    const WizardSearch search = wizardStationSearch(c, 10, 20);
    EXPECT_EQ(codesOf(search), (std::vector<std::string>{"AAAA", "BBBB", "CCCC", "DDDD"}));
    // Forty single-precision steps of 0.05 stay just short of 2 degrees, so
    // the 41st latitude step reaches the fourth; the longitude grew in between.
    EXPECT_NEAR(search.ranges.latitude, 2.05, 0.001);
    EXPECT_NEAR(search.ranges.longitude, 2.0, 0.001);
    EXPECT_EQ(search.lines[0], "AAAA  AAAA, Chad, 10-00N, 020-00E");
}

TEST(WizardSearch, UntestedStationsNeverReachTheProposal)
{
    const StationCatalogue c = catalogue(near("AAAA", 0) + near("NOT1", 0) + near("NOT2", 0), {"AAAA"});
    const WizardSearch search = wizardStationSearch(c, 10, 20);
    EXPECT_EQ(codesOf(search), std::vector<std::string>{"AAAA"});
    // Gave up once both ranges passed 4 degrees.
    EXPECT_GT(search.ranges.latitude, 4);
    EXPECT_GT(search.ranges.longitude, 4);
    EXPECT_LT(search.ranges.longitude, 4.1);
}

TEST(WizardSearch, ElevenOrMoreAreCutToNineTenStay)
{
    std::vector<std::string> tested;
    std::string twelve;
    for (int i = 0; i < 12; ++i) {
        tested.push_back("S" + std::to_string(100 + i));
        twelve += near(tested.back(), 0);
    }
    const std::string ten = twelve.substr(0, twelve.size() / 12 * 10);
    EXPECT_EQ(wizardStationSearch(catalogue(twelve, tested), 10, 20).lines.size(), 9u);
    EXPECT_EQ(wizardStationSearch(catalogue(ten, tested), 10, 20).lines.size(), 10u);
    EXPECT_TRUE(wizardStationSearch(catalogue("", tested), 10, 20).lines.empty());
}

TEST(WizardMaps, RegionsPickTheMapServerOrTheMonsoonSource)
{
    const StationCatalogue c = catalogue("", {});
    const SetupRegions chad = setupRegionsOf(c, "Chad");
    EXPECT_EQ(chad.map, "af");
    EXPECT_EQ(chad.forecast, "world");
    MapPlan plan = mapPlanFor(chad, 12.1333, 15.0333);
    EXPECT_EQ(plan.mapAddresses[5], "https://wxmaps.org/pix/af6.24hr.png");
    EXPECT_EQ(plan.forecastAddress, "https://www.meteoblue.com/en/weather/week/12.1333N15.0333E");
    EXPECT_EQ(plan.forecastName, "meteoblue Weather Forecast");

    plan = mapPlanFor(setupRegionsOf(c, "India"), 28.5667, 77.1167);
    EXPECT_EQ(plan.mapAddresses[5], "https://www.monsoondata.org/wx/india6.24hr.png");

    // No Setup.txt line: no maps and no forecast site.
    plan = mapPlanFor(setupRegionsOf(c, "Nowhere"), 0, 0);
    EXPECT_TRUE(plan.mapAddresses[0].empty());
    EXPECT_TRUE(plan.forecastAddress.empty());
}

TEST(WizardMaps, ForecastPageIsAddressedByThePosition)
{
    struct Case {
        const char* source;
        const char* latitude;    // as the user types it
        const char* longitude;
        const char* address;
    };
    const Case cases[] = {
        {"nws", "47-27N", "122-19W", "https://forecast.weather.gov/MapClick.php?lat=47.4500&lon=-122.3167"},
        {"nws", "21.3", "-157.9", "https://forecast.weather.gov/MapClick.php?lat=21.3000&lon=-157.9000"},
        {"world", "33-57S", "151-11E", "https://www.meteoblue.com/en/weather/week/33.9500S151.1833E"},
        {"world", "-34.6", "-58.4", "https://www.meteoblue.com/en/weather/week/34.6000S58.4000W"},
        // A zero south or west is written without a sign: the equator is north, Greenwich east.
        {"world", "00-00S", "000-00W", "https://www.meteoblue.com/en/weather/week/0.0000N0.0000E"},
        {"nws", "00-00S", "000-00W", "https://forecast.weather.gov/MapClick.php?lat=0.0000&lon=0.0000"},
        // Any source but the National Weather Service gets the worldwide page.
        {"europe", "90-00N", "180-00E", "https://www.meteoblue.com/en/weather/week/90.0000N180.0000E"},
    };
    for (const Case& c : cases) {
        const double latitude = degreesOfDirectoryText(normaliseLatitude(c.latitude));
        const double longitude = degreesOfDirectoryText(normaliseLongitude(c.longitude));
        EXPECT_EQ(forecastAddressFor(c.source, latitude, longitude), c.address) << c.latitude << " " << c.longitude;
    }
    EXPECT_EQ(forecastAddressFor("nws", 40.123449, -73.99995),
              "https://forecast.weather.gov/MapClick.php?lat=40.1234&lon=-74.0000");
}

TEST(WizardMaps, AddressesGoIntoTheirSlots)
{
    AddressTable addresses;
    NameTable names;
    addresses[7] = "old map";
    addresses[AddressTable::kPresent] = "reports";
    PlacedAddresses placed = placeWizardAddresses(mapPlanFor({"euro", "world"}, 52.3, 4.7667), addresses, names);
    EXPECT_EQ(placed.maps, 6);
    EXPECT_EQ(placed.sites, 2);
    EXPECT_TRUE(addresses[6].empty() && addresses[7].empty());
    EXPECT_EQ(addresses[8], "https://www.meteoblue.com/en/weather/week/52.3000N4.7667E");
    EXPECT_EQ(names[8], "meteoblue Weather Forecast");
    EXPECT_EQ(addresses[9], "https://wxmaps.org/pix/fcstkey.html");
    EXPECT_EQ(addresses[AddressTable::kPresent], "reports");

    placeWizardAddresses(mapPlanFor({"avnmr", "nws"}, 40.65, -73.7833), addresses, names);
    EXPECT_EQ(addresses[8], "https://forecast.weather.gov/MapClick.php?lat=40.6500&lon=-73.7833");
    EXPECT_EQ(names[8], "National Weather Service Forecast");

    placed = placeWizardAddresses(mapPlanFor({}, 0, 0), addresses, names);
    EXPECT_EQ(placed.maps, 0);
    EXPECT_EQ(placed.sites, 1);
    EXPECT_EQ(addresses[8], "https://wxmaps.org/pix/fcstkey.html");
    EXPECT_TRUE(addresses[0].empty() && addresses[9].empty());
}

// The search and the regions of the United States over the delivered files
// run in the station window tests' setup wizard.
TEST(WizardMaps, DeliveredSetupLinesNameTheRegionsOfOtherCountries)
{
    const StationCatalogue& c = deliveredCatalogue();
    EXPECT_EQ(setupRegionsOf(c, "Puerto Rico").forecast, "nws");
    EXPECT_EQ(setupRegionsOf(c, "Canada").forecast, "world");
    EXPECT_EQ(setupRegionsOf(c, "India").map, "India");
}
