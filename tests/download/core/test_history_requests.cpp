// SPDX-License-Identifier: GPL-3.0-or-later
// How the METAR histories are asked for: the groups of the first requests,
// the reading of an answer, the stations an answer may have cut, and the
// wait a Retry-After asks for.

#include <gtest/gtest.h>

#include "download/core/history_requests.h"
#include "download/core/transfers.h"
#include "test_support.h"

using namespace ventoral;

namespace {

std::vector<std::string> codesOf(int count)
{
    std::vector<std::string> codes;
    for (int i = 0; i < count; ++i)
        codes.push_back("K" + std::string(1, static_cast<char>('A' + i)) + "XX");
    return codes;
}

std::vector<std::size_t> sizesOf(const std::vector<std::vector<std::string>>& groups)
{
    std::vector<std::size_t> sizes;
    for (const auto& group : groups)
        sizes.push_back(group.size());
    return sizes;
}

} // namespace

TEST(HistoryRequests, AsFewRequestsAsTheCapAllowsWithTheStationsSpreadEvenly)
{
    const struct Row {
        int stations;
        int cap;
        std::vector<std::size_t> sizes;
    } rows[] = {
        {1, 400, {1}},  {6, 400, {6}},          {7, 400, {4, 3}},     {13, 400, {7, 6}},
        {20, 400, {7, 7, 6}},                   {20, 1000, {10, 10}}, {20, 60, std::vector<std::size_t>(20, 1)},
        {3, 1, {1, 1, 1}},                      {0, 400, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.stations) + " stations, cap " + std::to_string(row.cap));
        const auto groups = historyGroups(codesOf(row.stations), row.cap);
        EXPECT_EQ(sizesOf(groups), row.sizes);
        std::vector<std::string> all;
        for (const auto& group : groups)
            all.insert(all.end(), group.begin(), group.end());
        EXPECT_EQ(all, codesOf(row.stations));
    }
    EXPECT_EQ(sizesOf(groupsOf(codesOf(7), 3)), (std::vector<std::size_t>{3, 3, 1}));
}

// Seoul Incheon's real half-hourly reports, newest first, and two more
// stations: every report line counts, corrected ones filed by their station.
TEST(HistoryRequests, AnAnswerIsReadByStationAndItsReportsCounted)
{
    const std::string rksi = test::readData("download/metar-history/RKSI-20260618.txt");
    const HistoryAnswer answer =
        readHistoryAnswer(rksi + "METAR COR RKSS 180300Z 27006KT CAVOK 27/19 Q1009\n"
                                 "SPECI AUTO RKPC 180310Z 30006KT 9999 FEW030 25/19 Q1010\n\nno report\n");
    EXPECT_EQ(answer.reports, 26);
    EXPECT_EQ(answer.reportsByStation.at("RKSI").size(), rksi.size());
    EXPECT_EQ(answer.reportsByStation.at("RKSS"), "METAR COR RKSS 180300Z 27006KT CAVOK 27/19 Q1009\n");
    EXPECT_EQ(answer.reportsByStation.count("RKPC"), 1u);
    EXPECT_EQ(oldestReport(rksi, {2026, 6, 18, 4, 0, 0}), (CivilTime{2026, 6, 17, 16, 0, 0}));
    EXPECT_FALSE(oldestReport("", {2026, 6, 18, 4, 0, 0}).has_value());
}

// RKSI's history spans 16:00 to 03:30: whole for twelve hours asked, cut for
// twenty-five unless the station only began reporting then.
TEST(HistoryRequests, AnAnswerLooksCutAtTheCapOrWhenAStationsReportsBeginLate)
{
    const std::string rksi = test::readData("download/metar-history/RKSI-20260618.txt");
    const std::string rkss = "METAR RKSS 170330Z 27006KT CAVOK 27/19 Q1009\nMETAR RKSS 180300Z 27006KT CAVOK 27/19 Q1009\n";
    const HistoryAnswer answer = readHistoryAnswer(rksi + rkss);
    const std::vector<std::string> group = {"RKSI", "RKSS", "RKPC"};
    // 04:00: RKSS reaches back 24.5 hours, RKSI only 12; RKPC is not in it.
    EXPECT_EQ(cutStations(group, answer, 400, {2026, 6, 18, 4, 0, 0}), std::vector<std::string>{"RKSI"});
    // 26 reports and a cap of 26: every station of the group.
    EXPECT_EQ(cutStations(group, answer, 26, {2026, 6, 18, 4, 0, 0}), group);
    // RKSS's oldest report, 03:30 on the 17th, is 90 minutes newer than the
    // 25 hours asked at 03:00 on the 18th: still whole; a minute earlier, cut.
    EXPECT_TRUE(cutStations({"RKSS"}, answer, 400, {2026, 6, 18, 3, 0, 0}).empty());
    EXPECT_EQ(cutStations({"RKSS"}, answer, 400, {2026, 6, 18, 2, 59, 0}), std::vector<std::string>{"RKSS"});
}

TEST(HistoryRequests, RetryAfterInSecondsOrAsAnHttpDate)
{
    const CivilTime now{2023, 12, 7, 2, 0, 0};
    const struct Row {
        const char* header;
        std::optional<CivilTime> until;
    } rows[] = {
        {"120", CivilTime{2023, 12, 7, 2, 2, 0}},
        {" 61 ", CivilTime{2023, 12, 7, 2, 2, 0}},
        {"0", now},
        {"Thu, 07 Dec 2023 03:30:00 GMT", CivilTime{2023, 12, 7, 3, 30, 0}},
        {"Thu, 07 Dec 2023 03:30:00 CET", std::nullopt},
        {"Thu, 31 Feb 2023 03:30:00 GMT", std::nullopt},
        {"soon", std::nullopt},
        {"", std::nullopt},
        {"9999999", std::nullopt},
        {"-5", std::nullopt},
    };
    for (const Row& row : rows)
        EXPECT_EQ(retryAfterUntil(row.header, now), row.until) << row.header;
}
