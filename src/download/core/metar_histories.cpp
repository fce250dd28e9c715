// SPDX-License-Identifier: GPL-3.0-or-later
#include "download/core/metar_histories.h"

#include <cstdio>

#include "download/core/metar_trend.h"

namespace ventoral {

namespace {

std::string joined(const std::vector<std::string>& codes)
{
    std::string text;
    for (const std::string& code : codes)
        text += (text.empty() ? "" : ",") + code;
    return text;
}

std::string utcTime(const CivilTime& t)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d UTC", t.hour, t.minute);
    return text;
}

std::string cutReason(int reports)
{
    return "the answer was cut at " + std::to_string(reports) + " reports";
}

} // namespace

MetarHistories::MetarHistories(Transfers& transfers, std::string base, int answerCap, const CivilTime& nowUtc)
    : m_transfers(transfers), m_base(std::move(base)), m_answerCap(answerCap), m_nowUtc(nowUtc)
{
}

const StationHistory& MetarHistories::of(const std::string& code) const
{
    static const StationHistory kNone;
    const auto it = m_histories.find(code);
    return it == m_histories.end() ? kNone : it->second;
}

std::string MetarHistories::addressOf(const std::string& code) const
{
    return metarHistoryAddress(m_base, code).value_or(m_base);
}

void MetarHistories::failAll(const std::vector<std::string>& codes, SourceResult::State state,
                             const std::string& reason)
{
    for (const std::string& code : codes)
        m_histories[code] = StationHistory{{}, {state, reason, addressOf(code)}};
}

bool MetarHistories::ask(const std::vector<std::string>& codes, const HistoryProgress& progress, Asked& asked,
                         std::optional<CivilTime>& resumeAt, int hours)
{
    if (progress.asking)
        progress.asking(codes.size());
    ++m_requests;
    asked.fetched = m_transfers.fetchText(metarHistoryAddress(m_base, joined(codes), hours).value_or(m_base));
    if (progress.requestDone)
        progress.requestDone();
    FetchedText& fetched = asked.fetched;
    switch (fetched.outcome) {
    case FetchedText::Outcome::Cancelled:
        return false;
    case FetchedText::Outcome::Unreachable:
        m_unreachable = true;
        m_stopReason = fetched.reason;
        break;
    case FetchedText::Outcome::Text:
        asked.answer = readHistoryAnswer(fetched.body);
        break;
    case FetchedText::Outcome::NoReport:
    case FetchedText::Outcome::Failed:
        if (fetched.httpStatus == 429 || fetched.httpStatus == 503) {
            const std::optional<CivilTime> until = retryAfterUntil(fetched.retryAfter, m_nowUtc);
            if (until) {
                resumeAt = until;
                fetched.reason += ", asked to wait until " + utcTime(*until);
            }
            // Too many requests: asking more would only be refused too.
            if (fetched.httpStatus == 429 || until)
                m_stopReason = "not asked after " + fetched.reason;
        }
        break;
    }
    return true;
}

bool MetarHistories::fetch(const std::vector<std::string>& codes, const HistoryProgress& progress,
                           std::optional<CivilTime>& resumeAt)
{
    if (resumeAt && resumeAt->minutesSinceEpoch() > m_nowUtc.minutesSinceEpoch())
        m_stopReason = "not asked: the service asked to wait until " + utcTime(*resumeAt);
    const std::vector<std::vector<std::string>> groups = historyGroups(codes, m_answerCap);
    struct Cut {
        std::vector<std::string> codes;
        std::size_t groupSize;
        bool whole;
        int reports;
    };
    std::vector<Cut> cuts;
    for (const std::vector<std::string>& group : groups) {
        if (!m_stopReason.empty()) {
            failAll(group, SourceResult::State::Failed, m_stopReason);
            if (progress.requestDone)
                progress.requestDone();
            continue;
        }
        Asked asked;
        if (!ask(group, progress, asked, resumeAt))
            return false;
        if (!asked.fetched.isText()) {
            const bool none = asked.fetched.outcome == FetchedText::Outcome::NoReport;
            failAll(group, none ? SourceResult::State::NoReport : SourceResult::State::Failed, asked.fetched.reason);
            continue;
        }
        const bool whole = asked.answer.reports >= m_answerCap;
        for (const std::string& code : group) {
            StationHistory& history = m_histories[code];
            history.reports = asked.answer.reportsByStation[code];
            history.result = history.reports.empty()
                                 ? SourceResult{SourceResult::State::NoReport, "no report of " + code + " in the answer",
                                                addressOf(code)}
                                 : SourceResult::served(addressOf(code));
            // A station asked alone cannot be asked in a smaller group.
            if (whole && group.size() == 1)
                history.result = {SourceResult::State::Failed, cutReason(asked.answer.reports), addressOf(code)};
        }
        if (group.size() > 1)
            if (std::vector<std::string> cut = cutStations(group, asked.answer, m_answerCap, m_nowUtc); !cut.empty())
                cuts.push_back({std::move(cut), group.size(), whole, asked.answer.reports});
    }
    for (const Cut& cut : cuts)
        if (!askAgain(cut.codes, cut.groupSize, cut.whole, cut.reports, progress, resumeAt))
            return false;
    return true;
}

bool MetarHistories::fetchDays(const std::string& code, int hours, const HistoryProgress& progress,
                               std::string& reports, std::optional<CivilTime>& resumeAt)
{
    reports.clear();
    if (!m_stopReason.empty()) {
        if (progress.requestDone)
            progress.requestDone();
        return true;
    }
    Asked asked;
    if (!ask({code}, progress, asked, resumeAt, hours))
        return false;
    if (asked.fetched.isText())
        reports = asked.answer.reportsByStation[code];
    return true;
}

bool MetarHistories::askAgain(const std::vector<std::string>& cut, std::size_t groupSize, bool wholeCut,
                              int firstCount, const HistoryProgress& progress, std::optional<CivilTime>& resumeAt)
{
    const std::vector<std::vector<std::string>> groups = groupsOf(cut, (groupSize + 1) / 2);
    if (progress.planned)
        progress.planned(groups.size());
    for (const std::vector<std::string>& group : groups) {
        std::string failure = m_stopReason;
        Asked asked;
        if (failure.empty()) {
            if (!ask(group, progress, asked, resumeAt))
                return false;
            if (!asked.fetched.isText())
                failure = "asking again: " + asked.fetched.reason;
        } else if (progress.requestDone) {
            progress.requestDone();
        }
        const bool cutAgain = asked.answer.reports >= m_answerCap;
        for (const std::string& code : group) {
            StationHistory& history = m_histories[code];
            const std::string& again = asked.answer.reportsByStation[code];
            const std::optional<CivilTime> before = oldestReport(history.reports, m_nowUtc);
            const std::optional<CivilTime> after = oldestReport(again, m_nowUtc);
            if (after && (!before || after->minutesSinceEpoch() <= before->minutesSinceEpoch()))
                history.reports = again;
            if (!history.reports.empty())
                history.result = SourceResult::served(addressOf(code));
            // A first answer that held the cap was cut for certain: only a
            // whole second one makes it good. One that only looked cut
            // stands when the second gives nothing better.
            if (cutAgain)
                history.result = {SourceResult::State::Failed, cutReason(asked.answer.reports), addressOf(code)};
            else if (wholeCut && !failure.empty())
                history.result = {SourceResult::State::Failed, cutReason(firstCount) + "; " + failure,
                                  addressOf(code)};
        }
    }
    return true;
}

} // namespace ventoral
