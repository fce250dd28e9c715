// SPDX-License-Identifier: GPL-3.0-or-later
#include "download/core/station_test.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "download/core/metar_histories.h"
#include "download/core/metar_trend.h"
#include "platform/core/number_text.h"

namespace ventoral {

namespace {

constexpr const char* kNoConnection = " No connection";
constexpr const char* kNoData = " No data";
constexpr const char* kListIndent = "\n                    ";   // a line break and 20 spaces

bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

std::string firstFourTrimmed(const std::string& entry)
{
    return std::string(trimBlanks(std::string_view(entry).substr(0, 4)));
}

// The report date of a decoded report's second line ("... / 2023.12.06 1751 UTC").
std::string reportDate(const std::string& text)
{
    const std::size_t lineBreak = text.find('\n');
    if (lineBreak == std::string::npos)
        return {};
    std::size_t slash = text.find('/', lineBreak);
    if (slash == std::string::npos)
        return {};
    if (slash + 1 < text.size() && text[slash + 1] == ' ')
        ++slash;
    const std::size_t space = text.find(' ', slash + 1);
    if (space == std::string::npos || space != slash + 11)
        return {};
    return std::string(trimBlanks(std::string_view(text).substr(slash, 11)));
}

// Days since 1970-01-01 of a calendar date.
std::int64_t dayNumber(const CivilTime& t)
{
    return CivilTime{t.year, t.month, t.day, 0, 0, 0}.minutesSinceEpoch() / (24 * 60);
}

} // namespace

std::string markTestResult(const std::string& code, const std::string& text)
{
    std::string result = code;
    if (text.size() < 10)
        result += kNoConnection;
    if (!contains(text, "(" + result + ")") || contains(text, "Error") || contains(text, "error") ||
        contains(text, "Not Found") || contains(text, "not found") || contains(text, "<HTML>"))
        result += kNoData;
    if (!text.empty() && text.front() != '<') {
        const std::string date = reportDate(text);
        if (!date.empty())
            result += " for " + date;
    }
    return result;
}

std::string metarOnlyResult(const std::string& code, const CivilTime& observedUtc)
{
    char date[16];
    std::snprintf(date, sizeof date, "%04d.%02d.%02d", observedUtc.year, observedUtc.month, observedUtc.day);
    return code + " for " + date + " (METAR only)";
}

std::optional<std::vector<std::string>> testStations(DownloadContext& context, Transfers& transfers,
                                                     const StationTestRequest& request, DownloadView& view)
{
    context.trace("frmMessage,TestAll");
    DownloadState& d = context.record();
    if (d.busy)
        return std::nullopt;
    d.busy = true;
    d.cancelRequested = false;
    d.pictureFile.clear();
    std::vector<std::string> codes;
    for (const std::string& entry : request.entries)
        codes.push_back(firstFourTrimmed(entry));
    std::vector<std::string> results = codes;
    // Stations whose decoded report the server says it does not have.
    std::vector<std::string> withoutReport;
    const bool metarService = metarHistoryAddress(request.trendBase, "").has_value();

    int frame = 1;
    view.showDownloaderFrame(frame);
    bool stopped = false;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        const std::string& code = codes[i];
        const std::string address = presentAddress(request.presentBase, code);
        view.setDownloaderText(1, "Testing present data for " + address);
        context.load();
        view.setDownloaderText(1, "Testing data for " + code);
        const FetchedText fetched = transfers.fetchText(address);
        if (fetched.outcome == FetchedText::Outcome::Unreachable)
            context.cannotConnect();
        if (fetched.outcome == FetchedText::Outcome::Unreachable ||
            fetched.outcome == FetchedText::Outcome::Cancelled || d.cancelRequested) {
            stopped = true;
            break;
        }
        view.setCaption(kProgramCaption);
        switch (fetched.outcome) {
        case FetchedText::Outcome::Text:
            // An empty answer says nothing of the station.
            results[i] = fetched.body.size() < 10 ? code + kNoConnection : markTestResult(code, fetched.body);
            break;
        case FetchedText::Outcome::NoReport:
            results[i] = code + kNoData;
            if (metarService)
                withoutReport.push_back(code);
            break;
        default:
            // A timeout, a reset, an error answer or page: the service failed, not the station.
            results[i] = code + kNoConnection;
            break;
        }
        frame = frame + 2 > kAnimationFrames ? 1 : frame + 2;
        view.showDownloaderFrame(frame);
    }
    if (!stopped && !withoutReport.empty()) {
        view.setDownloaderText(1, "Testing METAR data");
        MetarHistories histories(transfers, request.trendBase, request.answerCap, request.nowUtc);
        std::optional<CivilTime> resumeAt;
        stopped = !histories.fetch(withoutReport, {}, resumeAt) || d.cancelRequested;
        for (std::size_t i = 0; i < codes.size() && !stopped; ++i) {
            if (std::find(withoutReport.begin(), withoutReport.end(), codes[i]) == withoutReport.end())
                continue;
            const StationHistory& history = histories.of(codes[i]);
            const std::optional<NewestMetar> newest = newestMetar(history.reports, codes[i], request.nowUtc);
            if (newest)
                results[i] = metarOnlyResult(codes[i], newest->observedUtc);
            else if (history.result.state != SourceResult::State::NoReport)
                results[i] = codes[i] + kNoConnection;
        }
    }
    d.busy = false;
    context.trace("frmMessage,btnCancel_Click");
    transfers.cancel();
    context.unload();
    // The test is over: nothing is left to wait for or to cancel.
    d.readInProgress = false;
    d.cancelRequested = false;
    d.transferDone = false;
    view.setCaption(kProgramCaption);
    if (stopped)
        return std::nullopt;
    return results;
}

StationTestSummary sortTestResults(const std::vector<std::string>& results, const CivilTime& now,
                                   double utcOffsetHours)
{
    StationTestSummary summary;
    for (const std::string& result : results) {
        bool stale = false;
        // Any result marked no data counts as such, whatever follows the mark.
        if (contains(result, "No data")) {
            summary.noData += kListIndent + result.substr(0, 4);
            summary.anyNoData = true;
            stale = true;
        } else if (contains(result, "No connection")) {
            summary.noConnection += kListIndent + result.substr(0, 4);
        } else {
            const std::string date(trimBlanks(midText(result, 10)));
            bool fresh = false;
            if (date.size() >= 10 && date[4] == '.' && date[7] == '.') {
                const CivilTime day{static_cast<int>(readNumber(date.substr(0, 4))),
                                    static_cast<int>(readNumber(date.substr(5, 2))),
                                    static_cast<int>(readNumber(date.substr(8, 2))), 0, 0, 0};
                const CivilTime moment = day.plusMinutes(static_cast<std::int64_t>(std::lround(utcOffsetHours * 60)));
                fresh = dayNumber(now) - dayNumber(moment) < kFreshDays;
            }
            // A report without a readable date is no evidence of fresh data.
            if (fresh) {
                summary.fresh += kListIndent + result;
            } else {
                summary.old += kListIndent + result;
                summary.anyOld = true;
                stale = true;
            }
        }
        summary.stale.push_back(stale);
    }
    return summary;
}

std::string removeHint(const StationTestSummary& summary)
{
    if (!summary.anyStale())
        return {};
    std::string text;
    if (summary.anyOld) {
        text = "To remove the stations with old data";
        if (summary.anyNoData)
            text += " and the stations with no data";
    } else {
        text = "To remove the stations with no data";
    }
    return text + " from the short list, click Remove.";
}

} // namespace ventoral
