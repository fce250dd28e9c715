// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <ostream>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include "cli/report_json.h"
#include "platform/core/number_text.h"
#include "observations/flight_category.h"
#include "observations/present_parser.h"
#include "observations/station_data.h"
#include "observations/pressure_tendency.h"
#include "observations/trend_parser.h"
#include "settings/units.h"
#include "platform/core/file_io.h"
#include "platform/core/text_encoding.h"

namespace ventoral {

namespace {

constexpr int kUsageError = 2;

const char* const kUsage =
    "usage: ventoral-cli present FILE [--speed Kph|Mph] [--temp C|F] [--pressure hPa|In] "
    "[--utc-offset HOURS] [--now YYYY-MM-DDTHH:MM:SS]\n"
    "       ventoral-cli trend FILE [--speed Kph|Mph]\n"
    "       ventoral-cli snapshot OUT.png [--station CODE]\n"
    "       ventoral-cli wall --json [--speed Kph|Mph] [--temp C|F] [--pressure hPa|In]\n"
    "       ventoral-cli wall OUT.png\n"
    "       ventoral-cli update [--all]\n";

struct UsageError {
    std::string message;
};

std::optional<CivilTime> parseNow(const std::string& text)
{
    CivilTime t;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c", &t.year, &t.month, &t.day, &t.hour, &t.minute,
                    &t.second, &tail)
            != 6
        || !t.isValid())
        return std::nullopt;
    return t;
}

// Splits FILE and --name value pairs; only the names in allowed are taken.
std::map<std::string, std::string> parseOptions(const std::vector<std::string>& args, std::string& file,
                                                const std::vector<std::string>& allowed)
{
    std::map<std::string, std::string> options;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.rfind("--", 0) == 0) {
            bool known = false;
            for (const auto& name : allowed)
                known = known || name == arg;
            if (!known)
                throw UsageError{"unknown option " + arg};
            if (i + 1 >= args.size())
                throw UsageError{"option " + arg + " needs a value"};
            options[arg] = args[++i];
        } else if (file.empty()) {
            file = arg;
        } else {
            throw UsageError{"unexpected argument " + arg};
        }
    }
    if (file.empty())
        throw UsageError{"no report file given"};
    return options;
}

// The unit text of a --speed, --temp or --pressure option; fallback without it.
std::string unitChoice(const std::map<std::string, std::string>& options, const std::string& name,
                       const std::string& fallback)
{
    const auto it = options.find(name);
    if (it == options.end())
        return fallback;
    const std::optional<std::string> unit = unitOption(name, it->second);
    if (!unit)
        throw UsageError{"bad value " + it->second + " for " + name};
    return *unit;
}

// A report file, or a station data file ("KSEAData.txt": the trend and the
// present report, each in double quotes), which no report begins with.
struct ReportFile {
    std::string trend;     // the whole file when it is a report
    std::string present;   // the whole file when it is a report
    bool stationData = false;
};

ReportFile readReportFile(const std::string& file)
{
    const auto bytes = readWholeFile(file);
    if (!bytes)
        throw UsageError{"cannot read " + file};
    if (!bytes->empty() && bytes->front() == '"')
        if (const std::optional<StationTexts> texts = quotedRecordsOf(*bytes))
            return {texts->lastText, texts->presentText, true};
    return {*bytes, *bytes, false};
}

// Minutes added to UTC: hours with any fraction ("5.5", "-3.5", "5.75"),
// at most a day either way.
int offsetMinutesOf(const std::string& text)
{
    const auto hours = strictNumber(text);
    if (!hours || std::fabs(*hours) > 24)
        throw UsageError{"bad value " + text + " for --utc-offset"};
    return static_cast<int>(std::lround(*hours * 60));
}

QString timeOfDay(std::chrono::seconds t)
{
    const long s = static_cast<long>(t.count());
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%02ld:%02ld:%02ld", s / 3600, (s / 60) % 60, s % 60);
    return QString::fromLatin1(buffer);
}

QJsonObject presentJson(const std::vector<std::string>& args, const CliEnvironment& env)
{
    std::string file;
    const auto options =
        parseOptions(args, file, {"--speed", "--temp", "--pressure", "--utc-offset", "--now"});
    const std::string speed = unitChoice(options, "--speed", kSpeedKph);
    const std::string temp = unitChoice(options, "--temp", kTempCelsius);
    const std::string pressure = unitChoice(options, "--pressure", kPressureHpa);

    static const FixedTimeZone kUtc;
    std::optional<FixedTimeZone> fixedZone;
    if (const auto it = options.find("--utc-offset"); it != options.end())
        fixedZone.emplace(offsetMinutesOf(it->second));
    const TimeZone& zone = fixedZone ? *fixedZone : env.zone ? *env.zone : kUtc;

    PresentContext context;
    context.units = DisplayUnits::fromTexts(speed, temp, pressure);
    context.zone = &zone;
    context.nowUtc = env.nowUtc;
    if (const auto it = options.find("--now"); it != options.end()) {
        const auto now = parseNow(it->second);
        if (!now)
            throw UsageError{"bad value " + it->second + " for --now"};
        context.nowUtc = zone.utcOf(*now);
    }
    context.forms = env.forms;

    const ReportFile stored = readReportFile(file);
    const std::string& report = stored.present;
    // A station data file's trend gives the station's reporting rhythm.
    TrendSeries trend;
    if (stored.stationData) {
        trendData(stored.trend, false, trend);
        context.trend = &trend;
    }
    Observation obs;
    obs.presetForParse();
    const PresentResult result = presentData(report, context, obs);

    // Only the report's own line: the command reads no trend.
    const std::optional<double> tendency = reportTendencyHpa(report);
    const QString tendencyWords =
        tendency ? QString::fromStdString(std::string(pressureTrendWords(pressureTrendOf(*tendency)))) : QString();
    const std::optional<ReportAge> age = result.dateLabel ? result.dateLabel->age : std::nullopt;

    QJsonArray strip;
    for (const StripLine& line : result.strip)
        strip.append(QJsonObject{{"text", jsonText(line.text)}, {"y", line.y}});

    QJsonObject fields{
        {"stationLine", jsonText(obs.stationLine)},
        {"dateLine", jsonText(obs.dateLine)},
        {"utcHour", jsonNumber(obs.utcHour)},
        {"observationTime", timeOfDay(obs.observationTime)},
        {"windDirectionText", jsonText(obs.windDirectionText)},
        {"windSpeedText", jsonText(obs.windSpeedText)},
        {"maxGustSeen", obs.maxGustSeen},
        {"temperatureText", jsonText(obs.temperatureText)},
        {"dewPointText", jsonText(obs.dewPointText)},
        {"humidityText", jsonText(obs.humidityText)},
        {"pressureText", jsonText(obs.pressureText)},
        {"cycle", obs.cycle},
        {"dateLabel", result.dateLabel ? jsonText(result.dateLabel->caption) : QString()},
        {"dateLabelStale", result.dateLabel ? result.dateLabel->stale : false},
        {"freshness", result.dateLabel ? jsonText(result.dateLabel->freshness) : QString()},
        {"ageMinutes", ageMinutesJson(age)},
        {"nextDueUtc", age ? QString::fromStdString(hourMinuteText(age->nextDueUtc)) : QString()},
        {"strip", strip},
        {"flightCategory", flightCategoryJson(flightCategoryOf(metarOfReport(report)))},
        {"pressureTendency", tendencyJson(tendency, context.units.hpa)},
        {"pressureTendencyWords", tendencyWords},
    };
    addPresentValues(fields, obs);
    return fields;
}

QJsonObject trendJson(const std::vector<std::string>& args)
{
    std::string file;
    const auto options = parseOptions(args, file, {"--speed"});
    const std::string speed = unitChoice(options, "--speed", kSpeedKph);
    const std::string report = readReportFile(file).trend;

    TrendSeries trend;
    trendData(report, speed == kSpeedKph, trend);
    QJsonArray rows;
    for (const auto& row : trend.cells) {
        QJsonArray cells;
        for (const auto& cell : row)
            cells.append(jsonText(cell));
        rows.append(cells);
    }
    return QJsonObject{{"rows", rows}};
}

} // namespace

int runCli(const std::vector<std::string>& args, const CliEnvironment& env, std::ostream& out, std::ostream& err)
{
    try {
        if (args.empty())
            throw UsageError{"no command given"};
        if (args[0] == "--help" || args[0] == "-h") {
            out << kUsage;
            return 0;
        }
        QJsonObject result;
        if (args[0] == "present")
            result = presentJson(args, env);
        else if (args[0] == "trend")
            result = trendJson(args);
        else
            throw UsageError{"unknown command " + args[0]};
        out << QJsonDocument(result).toJson(QJsonDocument::Indented).toStdString();
        return 0;
    } catch (const UsageError& e) {
        err << "ventoral-cli: " << e.message << " (see ventoral-cli --help)\n";
        return kUsageError;
    }
}

} // namespace ventoral
