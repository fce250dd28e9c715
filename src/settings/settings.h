// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The in-memory tables loaded from the settings file at start-up, their
// readers and writers, and the defaults of a first run.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <string>
#include <vector>

#include "settings/archive_settings.h"
#include "settings/ini_file.h"

namespace ventoral {

// Full paths without a trailing separator.
struct FolderTable {
    std::string stationData;
    std::string minMax;
    std::string maps;
    std::string program;
};

// 0-7 map image addresses, 8-9 web sites, 10 present reports, 11 trend reports.
struct AddressTable {
    static constexpr int kMapCount = 8;
    static constexpr int kSite1 = 8;
    static constexpr int kSite2 = 9;
    static constexpr int kPresent = 10;
    static constexpr int kTrend = 11;
    std::array<std::string, 12> entries;

    std::string& operator[](int i) { return entries[static_cast<std::size_t>(i)]; }
    const std::string& operator[](int i) const { return entries[static_cast<std::size_t>(i)]; }
};

using FileTable = std::array<std::string, 8>;   // map image file names
using NameTable = std::array<std::string, 10>;  // 0-7 map names, 8-9 site names
using AutoTable = std::array<std::string, 8>;   // "1" or "0" per map image
using ShadeTable = std::array<std::int32_t, 25>;

// Colours are red + 256 x green + 65536 x blue.
struct ColorScheme {
    std::int32_t tickColor = 16777215;          // C00
    std::int32_t textColor = 13172480;          // C01, also the date label text
    std::int32_t faceColor = 0;                 // C02, also the date label background
    std::int32_t pointerColor = 13202034;       // C04
    std::int32_t paperColor = 14155775;         // C06
    std::int32_t graphLineColor = 13356235;     // C07
    std::int32_t midLineColor = 255;            // C08
    std::int32_t backgroundColor = 11927169;    // C09
    std::int32_t windowTextColor = 0;           // C10
    std::int16_t fontSizePt = 8;                // C11, dial numbers; read from 4 to 48 only
    std::int32_t secondPointerColor = 14514889; // C12, gust and dew point
};

// Dial number sizes the colour editor takes, in points: smaller ones cannot
// be read, larger ones run into each other.
inline constexpr std::int16_t kSmallestDialFontPt = 4;
inline constexpr std::int16_t kLargestDialFontPt = 48;

// A typed dial number size: a number from kSmallestDialFontPt to
// kLargestDialFontPt, a fraction rounded; nullopt for anything else.
std::optional<std::int16_t> dialFontSizeOf(std::string_view text);

struct UnitSettings {
    std::string speedUnit = "Kph";
    std::string temperatureUnit = "\xC2\xBA" "C";
    std::string pressureUnit = "hPa";
    std::string interval = "15";   // auto-update minutes, as text
    bool autoUpdate = false;
    bool updateAll = true;
    float tempLowC = -10.0f;
    float tempHighC = 60.0f;
    float tempLowF = 10.0f;
    float tempHighF = 140.0f;
    bool dewPointPointer = true;
    bool gustPointer = true;
    // Closing the main window leaves the program in the desktop's tray.
    bool keepInTray = false;
};

// The entries of the main window's station selector; the first four
// characters of an entry are its ICAO code.
struct ShortList {
    static constexpr int kMaxEntries = 20;
    std::vector<std::string> entries;
    int selected = -1;

    // The code of the selected entry, trimmed; empty when nothing is selected.
    std::string currentStation() const;
};

// The METAR service caps every answer at this many reports ("MaxReports"
// of "DataAddress"); the update groups its history requests below it.
inline constexpr int kDefaultHistoryAnswerCap = 400;

struct AppTables {
    FolderTable folders;
    AddressTable addresses;
    int historyAnswerCap = kDefaultHistoryAnswerCap;
    FileTable files;
    NameTable names;
    AutoTable autos;
    ShadeTable shades{};
    ColorScheme colors;
    UnitSettings units;
    ShortList shortList;
    ArchiveSettings archive;
};

inline constexpr const char* kDefaultPresentAddress = "https://tgftp.nws.noaa.gov/data/observations/metar/decoded";
inline constexpr const char* kDefaultTrendAddress = "https://aviationweather.gov/api/data/metar";

ShadeTable defaultShades();

// "True"/"False" (any case) or a number, 0 being false; nullopt for anything else.
std::optional<bool> readBoolean(std::string_view text);

// Folder names below the program folder.
std::string defaultStationDataFolder(const std::string& programFolder);
std::string defaultMinMaxFolder(const std::string& programFolder);
std::string defaultMapsFolder(const std::string& programFolder);

FolderTable ReadFolderSettings(const IniDocument& ini);
ShortList ReadStationSettings(const IniDocument& ini);
ShadeTable ReadShadeSettings(const IniDocument& ini);
ColorScheme ReadColorSettings(const IniDocument& ini);
void ReadImageAddresses(const IniDocument& ini, AddressTable& addresses);
FileTable ReadImageFiles(const IniDocument& ini);
NameTable ReadImageNames(const IniDocument& ini);
AutoTable ReadImageAuto(const IniDocument& ini);
void ReadDataAddresses(const IniDocument& ini, AddressTable& addresses);
// "MaxReports" of "DataAddress": a whole number from 1 up; the default for
// anything else or none.
int ReadHistoryAnswerCap(const IniDocument& ini);
UnitSettings ReadUnitSettings(const IniDocument& ini);

// Every section in start-up order, from one read of the file.
void loadAllSettings(const IniDocument& ini, AppTables& tables);

// Puts every default into doc, section by section, and sets the tables in
// memory to the same defaults.
void putDefaultSettings(IniDocument& doc, const std::string& programFolder, AppTables& tables);
// putDefaultSettings into the file. The tables take the defaults even when
// the file cannot be written; a file that cannot be read is never replaced.
bool WriteDefaultSettings(const std::string& file, const std::string& programFolder, AppTables& tables);

// "U04" is written True only when the interval is not 0 and auto update is
// on; writing True also switches auto update on in memory. The tray switch
// is written as "KeepInTray" only while it is on, so a file that never had
// it on stays as earlier versions wrote it.
bool WriteUnitSettings(const std::string& file, UnitSettings& units);
bool WriteImageAddresses(const std::string& file, const AddressTable& addresses);
bool WriteImageFiles(const std::string& file, const FileTable& files);
bool WriteImageNames(const std::string& file, const NameTable& names);
bool WriteImageAuto(const std::string& file, const AutoTable& autos);
bool WriteDataAddresses(const std::string& file, const AddressTable& addresses);
// "Files": "Stations", "MinMax", "Maps", "Root", in that order.
bool WriteFolderSettings(const std::string& file, const FolderTable& folders);
// "Colors": "Number", then C00, C01, C02, C04, C06 ... C12.
bool WriteColorSettings(const std::string& file, const ColorScheme& colors);
// "Shades": "Number" = 25, then S00 ... S24.
bool WriteShadeSettings(const std::string& file, const ShadeTable& shades);

// The selection of the main window, "Stations"/"Last".
bool WriteLastStation(const std::string& file, int index);

// Key of entry i of a numbered list: "C" + two digits; the units keys carry
// "U0" + the decimal index (U09, U010, U011).
std::string listKey(char prefix, int index);
std::string unitsKey(int index);
inline constexpr const char* kKeepInTrayKey = "KeepInTray";

} // namespace ventoral
