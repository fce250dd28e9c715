// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "platform/core/number_text.h"
#include "platform/core/file_io.h"

namespace ventoral {

namespace {

// Colour keys in file order, with the field each one fills.
struct ColorKey {
    const char* key;
    std::int32_t ColorScheme::*field;
};
constexpr ColorKey kColorKeys[] = {
    {"C00", &ColorScheme::tickColor},      {"C01", &ColorScheme::textColor},
    {"C02", &ColorScheme::faceColor},      {"C04", &ColorScheme::pointerColor},
    {"C06", &ColorScheme::paperColor},     {"C07", &ColorScheme::graphLineColor},
    {"C08", &ColorScheme::midLineColor},   {"C09", &ColorScheme::backgroundColor},
    {"C10", &ColorScheme::windowTextColor},
};
constexpr const char* kFontSizeKey = "C11";
constexpr const char* kSecondPointerKey = "C12";

const char* boolText(bool value) { return value ? "True" : "False"; }

// A scale end or boolean that is missing or not a number keeps its default.
float readScaleEnd(const IniDocument& ini, int index, float fallback)
{
    const auto value = strictNumber(ini.value("Units", unitsKey(index), "?"));
    return value ? static_cast<float>(*value) : fallback;
}

bool readUnitBoolean(const IniDocument& ini, int index, bool fallback)
{
    return readBoolean(ini.value("Units", unitsKey(index), "?")).value_or(fallback);
}

bool saveUpdate(const std::string& file, const std::function<void(IniDocument&)>& change)
{
    auto doc = IniDocument::loadForUpdate(file);
    if (!doc)
        return false;
    change(*doc);
    return doc->save(file);
}

void putFolders(IniDocument& doc, const FolderTable& folders)
{
    doc.setValue("Files", "Stations", folders.stationData);
    doc.setValue("Files", "MinMax", folders.minMax);
    doc.setValue("Files", "Maps", folders.maps);
    doc.setValue("Files", "Root", folders.program);
}

void putShades(IniDocument& doc, const ShadeTable& shades)
{
    doc.setValue("Shades", "Number", std::to_string(shades.size()));
    for (std::size_t i = 0; i < shades.size(); ++i)
        doc.setValue("Shades", listKey('S', static_cast<int>(i)), std::to_string(shades[i]));
}

void putColors(IniDocument& doc, const ColorScheme& colors)
{
    doc.setValue("Colors", "Number", "11");
    for (const ColorKey& c : kColorKeys)
        doc.setValue("Colors", c.key, std::to_string(colors.*c.field));
    doc.setValue("Colors", kFontSizeKey, std::to_string(colors.fontSizePt));
    doc.setValue("Colors", kSecondPointerKey, std::to_string(colors.secondPointerColor));
}

} // namespace

std::string listKey(char prefix, int index)
{
    std::string key(1, prefix);
    if (index < 10)
        key += '0';
    return key + std::to_string(index);
}

std::string unitsKey(int index)
{
    return "U0" + std::to_string(index);
}

std::string ShortList::currentStation() const
{
    if (selected < 0 || selected >= static_cast<int>(entries.size()))
        return {};
    return std::string(trimBlanks(std::string_view(entries[static_cast<std::size_t>(selected)]).substr(0, 4)));
}

ShadeTable defaultShades()
{
    return {0,        64,       128,      192,      255,      4194559,  8388863,  12583167, 16711935,
            16711871, 16711807, 16711743, 16711680, 12533824, 8355968,  4178112,  65535,    65471,
            65407,    65343,    65280,    54272,    43264,    32256,    16777215};
}

std::optional<bool> readBoolean(std::string_view text)
{
    const std::string_view t = trimBlanks(text);
    std::string lower;
    for (char c : t)
        lower += static_cast<char>((c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c);
    if (lower == "true")
        return true;
    if (lower == "false")
        return false;
    if (const auto number = strictNumber(t))
        return *number != 0.0;
    return std::nullopt;
}

std::optional<std::int16_t> dialFontSizeOf(std::string_view text)
{
    const auto size = integerOf(text);
    if (!size || *size < kSmallestDialFontPt || *size > kLargestDialFontPt)
        return std::nullopt;
    return size;
}

std::string defaultStationDataFolder(const std::string& programFolder)
{
    return joinPath(programFolder, "Data/Station Data");
}

std::string defaultMinMaxFolder(const std::string& programFolder)
{
    return joinPath(programFolder, "Data/MinMax");
}

std::string defaultMapsFolder(const std::string& programFolder)
{
    return joinPath(programFolder, "Data/Maps");
}

FolderTable ReadFolderSettings(const IniDocument& ini)
{
    return {ini.value("Files", "Stations", ""), ini.value("Files", "MinMax", ""), ini.value("Files", "Maps", ""),
            ini.value("Files", "Root", "")};
}

ShortList ReadStationSettings(const IniDocument& ini)
{
    ShortList list;
    // The list never holds more than 20 entries; a damaged count reads no further.
    const double number = readNumber(ini.value("Stations", "Number", "?"));
    const int count = number <= 0 ? 0 : static_cast<int>(std::min<double>(number, ShortList::kMaxEntries));
    const double last = readNumber(ini.value("Stations", "Last", "?"));
    // An entry without a code, as the defaults write one, is no station to
    // show; "Last" counts the entries that are.
    for (int i = 0; i < count; ++i) {
        std::string entry = ini.value("Stations", "Station" + std::to_string(i), "?");
        if (!trimBlanks(std::string_view(entry).substr(0, 4)).empty())
            list.entries.push_back(std::move(entry));
    }
    if (!list.entries.empty() && last >= 0 && last < static_cast<double>(list.entries.size()))
        list.selected = static_cast<int>(last);
    return list;
}

ShadeTable ReadShadeSettings(const IniDocument& ini)
{
    ShadeTable shades = defaultShades();
    const double number = readNumber(ini.value("Shades", "Number", ""));
    const int count = number <= 0 ? 0 : static_cast<int>(std::min<double>(number, shades.size()));
    for (int i = 0; i < count; ++i) {
        if (const auto value = strictNumber(ini.value("Shades", listKey('S', i), "")))
            shades[static_cast<std::size_t>(i)] = roundToInt32(*value);
    }
    return shades;
}

ColorScheme ReadColorSettings(const IniDocument& ini)
{
    ColorScheme colors;
    for (const ColorKey& c : kColorKeys)
        colors.*c.field = roundToInt32(readNumber(ini.value("Colors", c.key, "")));
    // A size the colour editor would refuse, 0 included, hid the dial numbers.
    const std::int16_t fontSizePt = roundToInt16(readNumber(ini.value("Colors", kFontSizeKey, "")));
    if (fontSizePt >= kSmallestDialFontPt && fontSizePt <= kLargestDialFontPt)
        colors.fontSizePt = fontSizePt;
    colors.secondPointerColor = roundToInt32(readNumber(ini.value("Colors", kSecondPointerKey, "")));
    return colors;
}

void ReadImageAddresses(const IniDocument& ini, AddressTable& addresses)
{
    for (int i = 0; i < 10; ++i) {
        std::string value = ini.value("ImageAddress", listKey('U', i), "");
        addresses[i] = value == " " ? std::string() : value;
    }
}

FileTable ReadImageFiles(const IniDocument& ini)
{
    FileTable files;
    for (int i = 0; i < 8; ++i)
        files[static_cast<std::size_t>(i)] = ini.value("ImageFile", listKey('F', i), "");
    return files;
}

NameTable ReadImageNames(const IniDocument& ini)
{
    NameTable names;
    for (int i = 0; i < 10; ++i)
        names[static_cast<std::size_t>(i)] = ini.value("ImageName", listKey('N', i), "");
    return names;
}

AutoTable ReadImageAuto(const IniDocument& ini)
{
    AutoTable autos;
    for (int i = 0; i < 8; ++i)
        autos[static_cast<std::size_t>(i)] = ini.value("ImageAuto", listKey('A', i), "");
    return autos;
}

void ReadDataAddresses(const IniDocument& ini, AddressTable& addresses)
{
    addresses[AddressTable::kPresent] = ini.value("DataAddress", "Present", "?");
    addresses[AddressTable::kTrend] = ini.value("DataAddress", "Trend", "?");
}

int ReadHistoryAnswerCap(const IniDocument& ini)
{
    const std::optional<double> cap = strictNumber(ini.value("DataAddress", "MaxReports", ""));
    if (!cap || *cap < 1 || *cap > 1000000 || *cap != static_cast<int>(*cap))
        return kDefaultHistoryAnswerCap;
    return static_cast<int>(*cap);
}

UnitSettings ReadUnitSettings(const IniDocument& ini)
{
    const UnitSettings defaults;
    UnitSettings units;
    units.speedUnit = ini.value("Units", unitsKey(0), "?");
    units.temperatureUnit = ini.value("Units", unitsKey(1), "?");
    units.pressureUnit = ini.value("Units", unitsKey(2), "?");
    units.interval = ini.value("Units", unitsKey(3), "?");
    units.autoUpdate = readUnitBoolean(ini, 4, defaults.autoUpdate);
    units.updateAll = readUnitBoolean(ini, 5, defaults.updateAll);
    units.tempLowC = readScaleEnd(ini, 6, defaults.tempLowC);
    units.tempHighC = readScaleEnd(ini, 7, defaults.tempHighC);
    units.tempLowF = readScaleEnd(ini, 8, defaults.tempLowF);
    units.tempHighF = readScaleEnd(ini, 9, defaults.tempHighF);
    units.dewPointPointer = readUnitBoolean(ini, 10, defaults.dewPointPointer);
    units.gustPointer = readUnitBoolean(ini, 11, defaults.gustPointer);
    units.keepInTray = readBoolean(ini.value("Units", kKeepInTrayKey, "")).value_or(defaults.keepInTray);
    return units;
}

void loadAllSettings(const IniDocument& ini, AppTables& tables)
{
    tables.folders = ReadFolderSettings(ini);
    tables.shortList = ReadStationSettings(ini);
    tables.shades = ReadShadeSettings(ini);
    tables.colors = ReadColorSettings(ini);
    ReadImageAddresses(ini, tables.addresses);
    tables.files = ReadImageFiles(ini);
    tables.names = ReadImageNames(ini);
    tables.autos = ReadImageAuto(ini);
    ReadDataAddresses(ini, tables.addresses);
    tables.historyAnswerCap = ReadHistoryAnswerCap(ini);
    tables.units = ReadUnitSettings(ini);
    const std::string archiveFile = tables.archive.file;
    tables.archive = ReadArchiveSettings(ini);
    tables.archive.file = archiveFile;
}

void putDefaultSettings(IniDocument& doc, const std::string& programFolder, AppTables& tables)
{
    tables.folders = {defaultStationDataFolder(programFolder), defaultMinMaxFolder(programFolder),
                      defaultMapsFolder(programFolder), programFolder};
    putFolders(doc, tables.folders);

    doc.setValue("Stations", "Number", "1");
    doc.setValue("Stations", "Last", "");
    doc.setValue("Stations", "Station0", "");

    tables.shades = defaultShades();
    putShades(doc, tables.shades);

    tables.colors = ColorScheme{};
    putColors(doc, tables.colors);

    tables.addresses = AddressTable{};
    tables.addresses[AddressTable::kPresent] = kDefaultPresentAddress;
    tables.addresses[AddressTable::kTrend] = kDefaultTrendAddress;
    doc.setValue("DataAddress", "Number", "2");
    doc.setValue("DataAddress", "Present", kDefaultPresentAddress);
    doc.setValue("DataAddress", "Trend", kDefaultTrendAddress);

    tables.files = FileTable{};
    tables.names = NameTable{};
    doc.setValue("ImageAddress", "Number", "0");
    for (int i = 0; i < 8; ++i)
        doc.setValue("ImageAddress", listKey('U', i), "");
    doc.setValue("ImageFile", "Number", "0");
    for (int i = 0; i < 8; ++i)
        doc.setValue("ImageFile", listKey('F', i), "");
    doc.setValue("ImageName", "Number", "0");
    for (int i = 0; i < 8; ++i)
        doc.setValue("ImageName", listKey('N', i), "");

    tables.units = UnitSettings{};
    const char* unitDefaults[] = {"Kph", ("\xC2\xBA" "C"), "hPa", "15", "0", "1", "-10", "60", "10", "140", "1", "1"};
    doc.setValue("Units", "Number", "6");
    for (int i = 0; i < 12; ++i)
        doc.setValue("Units", unitsKey(i), unitDefaults[i]);
}

bool WriteDefaultSettings(const std::string& file, const std::string& programFolder, AppTables& tables)
{
    auto doc = IniDocument::loadForUpdate(file);
    IniDocument unsaved;
    putDefaultSettings(doc ? *doc : unsaved, programFolder, tables);
    return doc && doc->save(file);
}

bool WriteUnitSettings(const std::string& file, UnitSettings& units)
{
    const bool autoOn = readNumber(units.interval) != 0.0 && units.autoUpdate;
    if (autoOn)
        units.autoUpdate = true;
    return saveUpdate(file, [&](IniDocument& doc) {
        doc.setValue("Units", unitsKey(4), boolText(autoOn));
        doc.setValue("Units", unitsKey(0), units.speedUnit);
        doc.setValue("Units", unitsKey(1), units.temperatureUnit);
        doc.setValue("Units", unitsKey(2), units.pressureUnit);
        doc.setValue("Units", unitsKey(3), std::string(trimBlanks(units.interval)));
        doc.setValue("Units", unitsKey(5), boolText(units.updateAll));
        doc.setValue("Units", unitsKey(6), decimalText(units.tempLowC));
        doc.setValue("Units", unitsKey(7), decimalText(units.tempHighC));
        doc.setValue("Units", unitsKey(8), decimalText(units.tempLowF));
        doc.setValue("Units", unitsKey(9), decimalText(units.tempHighF));
        doc.setValue("Units", unitsKey(10), boolText(units.dewPointPointer));
        doc.setValue("Units", unitsKey(11), boolText(units.gustPointer));
        if (units.keepInTray)
            doc.setValue("Units", kKeepInTrayKey, boolText(true));
        else
            doc.removeKey("Units", kKeepInTrayKey);
    });
}

bool WriteImageAddresses(const std::string& file, const AddressTable& addresses)
{
    return saveUpdate(file, [&](IniDocument& doc) {
        for (int i = 0; i < 10; ++i)
            doc.setValue("ImageAddress", listKey('U', i), addresses[i]);
    });
}

bool WriteImageFiles(const std::string& file, const FileTable& files)
{
    return saveUpdate(file, [&](IniDocument& doc) {
        for (int i = 0; i < 8; ++i)
            doc.setValue("ImageFile", listKey('F', i), files[static_cast<std::size_t>(i)]);
    });
}

bool WriteImageNames(const std::string& file, const NameTable& names)
{
    return saveUpdate(file, [&](IniDocument& doc) {
        for (int i = 0; i < 10; ++i)
            doc.setValue("ImageName", listKey('N', i), names[static_cast<std::size_t>(i)]);
    });
}

bool WriteImageAuto(const std::string& file, const AutoTable& autos)
{
    return saveUpdate(file, [&](IniDocument& doc) {
        for (int i = 0; i < 8; ++i) {
            const bool on = readBoolean(autos[static_cast<std::size_t>(i)]).value_or(false);
            doc.setValue("ImageAuto", listKey('A', i), on ? "1" : "0");
        }
    });
}

bool WriteDataAddresses(const std::string& file, const AddressTable& addresses)
{
    return saveUpdate(file, [&](IniDocument& doc) {
        doc.setValue("DataAddress", "Present", addresses[AddressTable::kPresent]);
        doc.setValue("DataAddress", "Trend", addresses[AddressTable::kTrend]);
    });
}

bool WriteFolderSettings(const std::string& file, const FolderTable& folders)
{
    return saveUpdate(file, [&](IniDocument& doc) { putFolders(doc, folders); });
}

bool WriteColorSettings(const std::string& file, const ColorScheme& colors)
{
    return saveUpdate(file, [&](IniDocument& doc) { putColors(doc, colors); });
}

bool WriteShadeSettings(const std::string& file, const ShadeTable& shades)
{
    return saveUpdate(file, [&](IniDocument& doc) { putShades(doc, shades); });
}

bool WriteLastStation(const std::string& file, int index)
{
    return WriteIniValue("Stations", "Last", std::to_string(index), file);
}

} // namespace ventoral
