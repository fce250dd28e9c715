// SPDX-License-Identifier: GPL-3.0-or-later
// `ventoral-cli history` and `ventoral-cli records` over an archive filled
// as two updates fill it.

#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

#include <sys/wait.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include "cli/cli.h"
#include "real_metar_days.h"
#include "observations/station_store.h"
#include "test_support.h"

namespace ventoral {
namespace {

struct Outcome {
    int status = 0;
    std::string out;
    std::string err;
};

class CliArchiveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Two updates of the METAR service's 25-hour answers, for a day of
        // specials with a correction and a half-hourly day across midnight.
        const StationStore store({}, {}, std::make_shared<Archive>(archiveFile()));
        const std::string rodn = test::readData(test::kRodnDay);
        const std::string rksi = test::readData(test::kRksiDay);
        for (const CivilTime& now : {CivilTime{2026, 8, 18, 12, 10, 0}, CivilTime{2026, 8, 19, 0, 10, 0}})
            store.archiveHistory(test::servedHistory(rodn, now), now);
        for (const CivilTime& now : {CivilTime{2026, 6, 17, 23, 40, 0}, CivilTime{2026, 6, 18, 3, 40, 0}})
            store.archiveHistory(test::servedHistory(rksi, now), now);
    }

    std::string archiveFile() const { return home.file("data/ventoral/archive.sqlite"); }

    Outcome run(const std::vector<std::string>& args) const
    {
        CliEnvironment env;
        env.archive = {archiveFile(), CivilTime{2026, 8, 19, 0, 10, 0}};
        std::ostringstream out;
        std::ostringstream err;
        Outcome r;
        r.status = runCli(args, env, out, err);
        r.out = out.str();
        r.err = err.str();
        return r;
    }

    // The program itself, with its per-user data folder in the test's home.
    Outcome program(const std::string& args) const
    {
        const std::string out = home.file("out");
        const std::string err = home.file("err");
        const std::string command = "XDG_DATA_HOME=" + home.file("data") + " " + VENTORAL_CLI_PATH + " " + args +
                                    " >" + out + " 2>" + err;
        Outcome r;
        r.status = WEXITSTATUS(std::system(command.c_str()));
        r.out = test::readFile(out);
        r.err = test::readFile(err);
        return r;
    }

    test::TempDir home;
};

TEST_F(CliArchiveTest, TheHistoryListsEveryObservationOnceWithItsTemperatureOldestFirst)
{
    const Outcome r = program("history RODN");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> lines = test::linesOf(r.out);
    ASSERT_EQ(lines.size(), 78u);
    EXPECT_EQ(lines[0], "time_utc,temperature_c,dew_point_c,humidity,wind_dir_deg,wind_speed_kt,wind_gust_kt,"
                        "pressure_hpa,visibility_sm,flight_category,raw");
    std::set<std::string> times;
    std::string previous;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string time = lines[i].substr(0, lines[i].find(','));
        EXPECT_TRUE(times.insert(time).second) << "twice: " << time;
        EXPECT_GT(time, previous);
        previous = time;
        const std::string afterTime = lines[i].substr(time.size() + 1);
        EXPECT_NE(afterTime.front(), ',') << "no temperature: " << lines[i];
    }
    EXPECT_EQ(lines[1].substr(0, 23), "2026-08-18T00:55Z,29.6,");
    EXPECT_EQ(lines[6], "2026-08-18T05:39Z,31,26,74,60,18,21,1007.5,6,VFR,SPECI RODN 180539Z COR 06018G21KT 6SM "
                        "-RA SCT018 BKN032 31/26 A2975 RMK SLP075 FZRANO $ COR 0541");
    EXPECT_EQ(lines.back().substr(0, 18), "2026-08-18T23:55Z,");
}

TEST_F(CliArchiveTest, RecordsGiveTheDaysExtremesInTheirShape)
{
    const Outcome r = program("records rodn --now 2026-08-18T23:59:00");
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object();
    EXPECT_EQ(json.keys(), (QStringList{"allTime", "month", "today"}));
    const std::map<QString, std::pair<double, QString>> expected = {
        {"temperatureMax", {31.2, "2026-08-18T03:55Z"}}, {"temperatureMin", {27, "2026-08-18T17:59Z"}},
        {"gustMax", {46.3, "2026-08-18T04:55Z"}},        {"windMax", {35.2, "2026-08-18T04:55Z"}},
        {"pressureMin", {1006.4, "2026-08-18T20:45Z"}},  {"pressureMax", {1008.1, "2026-08-18T00:55Z"}},
    };
    for (const QString period : {"today", "month", "allTime"}) {
        SCOPED_TRACE(period.toStdString());
        const QJsonObject set = json[period].toObject();
        EXPECT_EQ(set.size(), 6);
        for (const auto& [key, value] : expected) {
            const QJsonObject record = set[key].toObject();
            EXPECT_EQ(record.keys(), (QStringList{"timeUtc", "value"})) << key.toStdString();
            EXPECT_DOUBLE_EQ(record["value"].toDouble(), value.first) << key.toStdString();
            EXPECT_EQ(record["timeUtc"].toString(), value.second) << key.toStdString();
        }
    }
    // The next day has no record of its own.
    const Outcome next = run({"records", "RODN", "--now", "2026-08-19T00:10:00"});
    const QJsonObject later = QJsonDocument::fromJson(QByteArray::fromStdString(next.out)).object();
    EXPECT_TRUE(later["today"].toObject()["temperatureMax"].isNull());
    EXPECT_EQ(later["month"].toObject()["temperatureMax"].toObject()["value"].toDouble(), 31.2);
}

TEST_F(CliArchiveTest, RecordsAsText)
{
    const Outcome r = run({"records", "RKSI", "--format", "text", "--now", "2026-06-18T04:00:00"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> lines = test::linesOf(r.out);
    ASSERT_EQ(lines.size(), 22u);
    EXPECT_EQ(lines[0], "Records of RKSI, times in UTC");
    EXPECT_EQ(lines[1], "Today (2026-06-18)");
    EXPECT_EQ(lines[2], "  Highest temperature        28 \xC2\xB0" "C    2026-06-18T03:00Z");
    EXPECT_EQ(lines[4], "  Highest gust                -");
    EXPECT_EQ(lines[6], "  Lowest pressure          1009 hPa   2026-06-18T01:00Z");
}

TEST_F(CliArchiveTest, TheHistoryOfSomeDaysAsJson)
{
    const Outcome r = run({"history", "RKSI", "--from", "2026-06-18", "--to", "2026-06-18", "--format", "json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonArray rows = QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).array();
    ASSERT_EQ(rows.size(), 8);   // 00:00 to 03:30
    const QJsonObject first = rows[0].toObject();
    EXPECT_EQ(first["time_utc"].toString(), "2026-06-18T00:00Z");
    EXPECT_EQ(first["temperature_c"].toDouble(), 24);
    EXPECT_EQ(first["humidity"].toDouble(), 64);
    EXPECT_TRUE(first["wind_gust_kt"].isNull());
    EXPECT_EQ(first["flight_category"].toString(), "VFR");
    EXPECT_EQ(first.size(), 11);
    const Outcome before = run({"history", "RKSI", "--to", "2026-06-17"});
    EXPECT_EQ(test::linesOf(before.out).size(), 17u);   // 16:00 to 23:30
}

TEST_F(CliArchiveTest, NoArchiveHoldsNothing)
{
    CliEnvironment env;
    env.archive = {home.file("nowhere/archive.sqlite"), CivilTime{2026, 8, 19, 0, 10, 0}};
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(runCli({"history", "KSEA"}, env, out, err), 0);
    EXPECT_EQ(test::linesOf(out.str()).size(), 1u);
    EXPECT_FALSE(std::ifstream(home.file("nowhere/archive.sqlite")).good()) << "reading made no archive";
}

TEST_F(CliArchiveTest, BadArgumentsSaySoAndExitWith2)
{
    const std::vector<std::vector<std::string>> cases = {
        {"history"},
        {"history", "KSEAX"},
        {"history", "KSEA", "KBFI"},
        {"history", "KSEA", "--format", "xml"},
        {"history", "KSEA", "--from", "2026-02-30"},
        {"history", "KSEA", "--to"},
        {"history", "KSEA", "--now", "2026-08-19T00:10:00"},
        {"records", "KSEA", "--format", "csv"},
        {"records", "KSEA", "--now", "tomorrow"},
        {"records", "KSEA", "--from", "2026-08-01"},
    };
    for (const auto& args : cases) {
        std::string joined;
        for (const auto& a : args)
            joined += a + " ";
        SCOPED_TRACE(joined);
        const Outcome r = run(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.out.empty());
        EXPECT_EQ(test::linesOf(r.err).size(), 1u) << r.err;
    }
}

} // namespace
} // namespace ventoral
