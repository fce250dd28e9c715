// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_archive.h"

#include <cstdio>
#include <map>
#include <optional>
#include <ostream>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include "cli/cli_options.h"
#include "observations/history_csv.h"
#include "observations/station_store.h"
#include "settings/alarm_settings.h"

namespace ventoral {

namespace {

constexpr int kUsageError = 2;

struct Command {
    std::string code;
    std::map<std::string, std::string> options;
};

Command parseCommand(const std::vector<std::string>& args, const std::vector<std::string>& allowed)
{
    const Arguments parsed = parseArguments(args, allowed, "no station code given");
    Command command{QString::fromStdString(parsed.word).toUpper().toStdString(), parsed.options};
    if (!isStationCode(command.code))
        throw UsageError{"bad station code " + command.code};
    return command;
}

std::string format(const Command& command, const std::vector<std::string>& formats)
{
    const auto it = command.options.find("--format");
    if (it == command.options.end())
        return formats.front();
    for (const std::string& f : formats)
        if (f == it->second)
            return f;
    throw UsageError{"bad value " + it->second + " for --format"};
}

// "YYYY-MM-DD" at the given time of day.
std::optional<CivilTime> dateAt(const std::string& text, int hour, int minute)
{
    CivilTime t;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &t.year, &t.month, &t.day, &tail) != 3)
        return std::nullopt;
    t.hour = hour;
    t.minute = minute;
    return t.isValid() ? std::optional<CivilTime>(t) : std::nullopt;
}

CivilTime dateOption(const Command& command, const std::string& name, int hour, int minute, const CivilTime& fallback)
{
    const auto it = command.options.find(name);
    if (it == command.options.end())
        return fallback;
    const std::optional<CivilTime> date = dateAt(it->second, hour, minute);
    if (!date)
        throw UsageError{"bad value " + it->second + " for " + name};
    return *date;
}

QJsonValue jsonNumber(const std::optional<double>& value)
{
    return value ? QJsonValue(*value) : QJsonValue();
}

QJsonValue jsonNumber(const std::optional<int>& value)
{
    return value ? QJsonValue(*value) : QJsonValue();
}

QJsonValue jsonCelsius(const std::optional<ReportedCelsius>& celsius)
{
    return celsius ? QJsonValue(celsius->value) : QJsonValue();
}

QJsonArray historyJson(const std::vector<ArchivedObservation>& observations)
{
    QJsonArray rows;
    for (const ArchivedObservation& o : observations) {
        const QString category =
            o.flightCategory ? QString::fromStdString(std::string(flightCategoryName(*o.flightCategory))) : QString();
        rows.append(QJsonObject{
            {"time_utc", QString::fromStdString(utcTimeText(o.timeMinutes))},
            {"temperature_c", jsonCelsius(o.temperature)},
            {"dew_point_c", jsonCelsius(o.dewPoint)},
            {"humidity", jsonNumber(humidityOf(o))},
            {"wind_dir_deg", jsonNumber(o.windDirectionDegrees)},
            {"wind_speed_kt", jsonNumber(o.windSpeedKnots)},
            {"wind_gust_kt", jsonNumber(o.gustKnots)},
            {"pressure_hpa", jsonNumber(o.pressureHpa)},
            {"visibility_sm", jsonNumber(o.visibilityMiles)},
            {"flight_category", category.isEmpty() ? QJsonValue() : QJsonValue(category)},
            {"raw", QString::fromStdString(o.raw)},
        });
    }
    return rows;
}

int history(const std::vector<std::string>& args, const StationStore& store, std::ostream& out)
{
    const Command command = parseCommand(args, {"--from", "--to", "--format"});
    const std::string form = format(command, {"csv", "json"});
    const CivilTime from = dateOption(command, "--from", 0, 0, CivilTime{1970, 1, 1, 0, 0, 0});
    const CivilTime to = dateOption(command, "--to", 23, 59, CivilTime{9999, 12, 31, 23, 59, 0});
    const std::vector<ArchivedObservation> observations = store.archivedObservations(command.code, from, to);
    if (form == "csv")
        out << historyCsv(observations);
    else
        out << QJsonDocument(historyJson(observations)).toJson(QJsonDocument::Indented).toStdString();
    return 0;
}

// The units of the JSON and the text.
const char* unitOf(RecordKind::Quantity quantity)
{
    switch (quantity) {
    case RecordKind::Quantity::Temperature:
        return "\xC2\xB0" "C";
    case RecordKind::Quantity::Speed:
        return "km/h";
    case RecordKind::Quantity::Pressure:
        break;
    }
    return "hPa";
}

QJsonObject recordSetJson(const RecordSet& set)
{
    QJsonObject json;
    for (const RecordKind& kind : kRecordKinds) {
        const std::optional<RecordValue>& record = set.*kind.record;
        json[kind.key] = record ? QJsonValue(QJsonObject{{"value", record->value},
                                                        {"timeUtc", QString::fromStdString(utcTimeText(
                                                                        record->timeMinutes))}})
                               : QJsonValue();
    }
    return json;
}

// Text padded to width characters (not bytes: "°C" is two).
std::string padded(const std::string& text, std::size_t width, bool right)
{
    std::size_t characters = 0;
    for (const char c : text)
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    const std::string pad(characters < width ? width - characters : 0, ' ');
    return right ? pad + text : text + pad;
}

void printRecordSet(std::ostream& out, const std::string& title, const RecordSet& set)
{
    out << title << '\n';
    for (const RecordKind& kind : kRecordKinds) {
        const std::optional<RecordValue>& record = set.*kind.record;
        out << "  " << padded(kind.name, 20, false) << ' ';
        if (record)
            out << padded(shortNumber(record->value, 1), 8, true) << ' ' << padded(unitOf(kind.quantity), 5, false)
                << ' ' << utcTimeText(record->timeMinutes) << '\n';
        else
            out << padded("-", 8, true) << '\n';
    }
}

CivilTime nowOption(const Command& command, const CivilTime& fallback)
{
    const auto it = command.options.find("--now");
    if (it == command.options.end())
        return fallback;
    const std::optional<CivilTime> now = parseDateTime(it->second);
    if (!now)
        throw UsageError{"bad value " + it->second + " for --now"};
    return *now;
}

int records(const std::vector<std::string>& args, const StationStore& store, const CivilTime& clockUtc,
            std::ostream& out)
{
    const Command command = parseCommand(args, {"--format", "--now"});
    const std::string form = format(command, {"json", "text"});
    const CivilTime nowUtc = nowOption(command, clockUtc);
    const StationRecords found = store.archiveRecords(command.code, nowUtc);
    if (form == "json") {
        const QJsonObject json{{"today", recordSetJson(found.today)},
                               {"month", recordSetJson(found.month)},
                               {"allTime", recordSetJson(found.allTime)}};
        out << QJsonDocument(json).toJson(QJsonDocument::Indented).toStdString();
        return 0;
    }
    char day[32];
    std::snprintf(day, sizeof day, "%04d-%02d-%02d", nowUtc.year, nowUtc.month, nowUtc.day);
    out << "Records of " << command.code << ", times in UTC\n";
    printRecordSet(out, std::string("Today (") + day + ")", found.today);
    printRecordSet(out, std::string("This month (") + std::string(day, 7) + ")", found.month);
    printRecordSet(out, "All the archive holds", found.allTime);
    return 0;
}

} // namespace

void printArchiveNotices(const StationStore& store, std::ostream& err)
{
    for (const ArchiveNotice& notice : store.takeArchiveNotices()) {
        if (notice.kind == ArchiveNotice::Kind::SetAside)
            err << "ventoral-cli: the archive " << notice.file << " was damaged (" << notice.detail
                << "); it was set aside as " << notice.asidePath << " and a new one started\n";
        else
            err << "ventoral-cli: the archive " << notice.file << " cannot be opened: " << notice.detail << '\n';
    }
}

bool isArchiveCommand(const std::vector<std::string>& args)
{
    return !args.empty() && (args[0] == "history" || args[0] == "records");
}

int runArchiveCommand(const std::vector<std::string>& args, const ArchiveCommandEnvironment& env, std::ostream& out,
                      std::ostream& err)
{
    // Only the store reads the archive; these commands need no station files.
    const StationStore store({}, {}, std::make_shared<Archive>(env.archiveFile));
    try {
        const int status = args[0] == "history" ? history(args, store, out) : records(args, store, env.nowUtc, out);
        printArchiveNotices(store, err);
        return status;
    } catch (const UsageError& e) {
        err << "ventoral-cli: " << e.message << " (see ventoral-cli --help)\n";
        return kUsageError;
    }
}

} // namespace ventoral
