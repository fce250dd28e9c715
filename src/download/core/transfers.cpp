// SPDX-License-Identifier: GPL-3.0-or-later
#include "download/core/transfers.h"

#include <chrono>
#include <cstdio>
#include <string>

namespace ventoral {

namespace {

constexpr std::size_t kChunkBytes = 256;
constexpr int kEventIntervalMs = 10;

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// "text/html", "Text/HTML; charset=utf-8".
bool isHtmlType(std::string_view contentType)
{
    constexpr std::string_view kHtml = "text/html";
    const auto first = contentType.find_first_not_of(" \t");
    if (first == std::string_view::npos || contentType.size() - first < kHtml.size())
        return false;
    for (std::size_t i = 0; i < kHtml.size(); ++i)
        if (lowerAscii(contentType[first + i]) != kHtml[i])
            return false;
    const std::string_view rest = contentType.substr(first + kHtml.size());
    return rest.empty() || rest.front() == ';' || rest.front() == ' ';
}

FetchedText::Outcome outcomeOf(const FetchResult& result)
{
    if (!result.answered)
        return result.unreachable ? FetchedText::Outcome::Unreachable : FetchedText::Outcome::Failed;
    if (result.httpStatus == 404 || result.httpStatus == 410)
        return FetchedText::Outcome::NoReport;
    return isErrorAnswer(result.httpStatus, result.contentType, result.body) ? FetchedText::Outcome::Failed
                                                                            : FetchedText::Outcome::Text;
}

std::string reasonOf(const FetchResult& result, FetchedText::Outcome outcome)
{
    switch (outcome) {
    case FetchedText::Outcome::Text:
        return {};
    case FetchedText::Outcome::Unreachable:
        return "no connection";
    case FetchedText::Outcome::Cancelled:
        return "cancelled";
    case FetchedText::Outcome::NoReport:
    case FetchedText::Outcome::Failed:
        break;
    }
    if (!result.answered)
        return result.error.empty() ? "no whole answer" : result.error;
    if (result.httpStatus < 200 || result.httpStatus > 299)
        return "answered " + std::to_string(result.httpStatus);
    return "an error page";
}

} // namespace

std::optional<CivilTime> retryAfterUntil(std::string_view header, const CivilTime& nowUtc)
{
    const auto first = header.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return std::nullopt;
    header = header.substr(first, header.find_last_not_of(" \t") - first + 1);
    if (header.find_first_not_of("0123456789") == std::string_view::npos) {
        // Whole seconds, rounded up to the minute; more than a day is no wait we keep.
        if (header.size() > 6)
            return std::nullopt;
        const long seconds = std::stol(std::string(header));
        return nowUtc.plusMinutes((seconds + 59) / 60);
    }
    // IMF-fixdate: "Sun, 06 Nov 1994 08:49:37 GMT".
    static constexpr std::string_view kMonths = "JanFebMarAprMayJunJulAugSepOctNovDec";
    int day = 0, year = 0, hour = 0, minute = 0, second = 0;
    char month[4] = {};
    char zone[4] = {};
    const std::string text(header);
    if (std::sscanf(text.c_str(), "%*3s, %2d %3s %4d %2d:%2d:%2d %3s", &day, month, &year, &hour, &minute, &second,
                    zone) != 7 ||
        std::string_view(zone) != "GMT")
        return std::nullopt;
    const auto at = kMonths.find(month);
    if (at == std::string_view::npos || at % 3 != 0)
        return std::nullopt;
    CivilTime until{year, static_cast<int>(at / 3) + 1, day, hour, minute, second};
    if (!until.isValid())
        return std::nullopt;
    return until;
}

bool isErrorAnswer(int httpStatus, std::string_view contentType, std::string_view body)
{
    if (httpStatus < 200 || httpStatus > 299 || isHtmlType(contentType))
        return true;
    const auto first = body.find_first_not_of(" \t\r\n\f\v");
    return first != std::string_view::npos && body[first] == '<';
}

Transfers::Transfers(DownloadState& record, Transfer& transfer, EventPump& events, TraceLog& trace)
    : m_record(record), m_transfer(transfer), m_events(events), m_trace(trace)
{
    m_transfer.setStateHandler([this](int transferState) { onTransferState(transferState); });
}

FetchedText Transfers::fetchText(const std::string& address)
{
    m_trace.record("frmMessage,Update");
    FetchedText fetched;
    if (m_record.cancelRequested) {
        fetched.outcome = FetchedText::Outcome::Cancelled;
        fetched.reason = reasonOf({}, fetched.outcome);
        return fetched;
    }
    // A whole fetch owns the transfer: no started transfer's read begins meanwhile.
    m_record.readInProgress = true;
    FetchResult result = m_transfer.fetch(address, m_deadlines.text);
    m_record.readInProgress = false;
    // A cancel of the user's has ended the operation already.
    fetched.outcome = m_record.cancelRequested ? FetchedText::Outcome::Cancelled : outcomeOf(result);
    fetched.reason = reasonOf(result, fetched.outcome);
    fetched.httpStatus = result.httpStatus;
    fetched.retryAfter = std::move(result.retryAfter);
    fetched.body = std::move(result.body);
    return fetched;
}

std::int32_t Transfers::lastByteIndex() const
{
    m_trace.record("frmMessage,SafeUBoundFile");
    return static_cast<std::int32_t>(m_body.size()) - 1;
}

void Transfers::cancel()
{
    m_transfer.cancel();
    m_record.cancelRequested = true;
    m_record.transferDone = true;
    m_record.busy = false;
}

FetchedMap Transfers::fetchMap(const std::string& address, MapTransferProgress& progress)
{
    FetchedMap fetched;
    m_body.clear();
    m_bytesReceived = 0;
    m_failed = false;
    m_record.transferDone = false;
    // No whole fetch owns the transfer now; a flag left set would keep the
    // read from starting and the wait from ending.
    m_record.readInProgress = false;
    const std::string error = m_transfer.start(address, m_deadlines.map);
    if (!error.empty()) {
        m_transfer.cancel();
        m_record.transferDone = true;
        fetched.reason = error;
        return fetched;
    }
    fetched.started = true;
    m_progress = &progress;
    while (!m_record.transferDone)
        m_events.waitForEvents();
    m_progress = nullptr;
    fetched.failed = m_failed;
    fetched.cancelled = m_record.cancelRequested;
    fetched.httpStatus = m_transfer.httpStatus();
    fetched.contentType = m_transfer.contentType();
    fetched.body = std::move(m_body);
    m_body.clear();
    if (m_failed)
        fetched.reason = "no whole answer";
    return fetched;
}

void Transfers::onTransferState(int transferState)
{
    const std::string name = "frmMessage,INet1_StateChanged " + std::to_string(transferState);
    m_trace.record(name.c_str());
    if (m_record.cancelRequested) {
        m_transfer.cancel();
        return;
    }
    if (!m_progress)
        return;
    const std::string text = stateText(transferState, m_transfer.address());
    if (!text.empty())
        m_progress->stateText(text);
    if (transferState == kStateError) {
        m_failed = true;
        // No body will come: the wait for this transfer is over. A read
        // that runs ends by itself and is no answer.
        if (!m_record.readInProgress) {
            m_body.clear();
            m_record.transferDone = true;
        }
        return;
    }
    if (m_record.readInProgress || transferState != kStateResponseReceived)
        return;
    m_record.readInProgress = true;
    readBody();
}

void Transfers::readBody()
{
    // Events run between chunks, but not more often than every few
    // milliseconds: a large map is thousands of chunks, and letting every
    // pending event run after each of them made the download itself slow.
    auto lastRun = std::chrono::steady_clock::now();
    const auto letEventsRun = [this, &lastRun] {
        const auto now = std::chrono::steady_clock::now();
        if (now - lastRun < std::chrono::milliseconds(kEventIntervalMs))
            return;
        m_events.letEventsRun();
        lastRun = std::chrono::steady_clock::now();
    };

    // The body is read as it arrives: the count moves with it.
    for (;;) {
        letEventsRun();
        if (m_record.cancelRequested) {
            m_transfer.cancel();
            m_record.readInProgress = false;
            return;
        }
        const std::string chunk = m_transfer.getChunk(kChunkBytes);
        if (chunk.empty()) {
            if (!m_transfer.stillExecuting())
                break;
            m_events.waitForEvents();
            continue;
        }
        m_body += chunk;
        m_bytesReceived += static_cast<std::int32_t>(chunk.size());
        if (m_progress)
            m_progress->bytesReceived(m_bytesReceived);
    }
    m_transfer.cancel();
    m_record.transferDone = true;
    m_record.readInProgress = false;
}

} // namespace ventoral
