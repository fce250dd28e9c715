// SPDX-License-Identifier: GPL-3.0-or-later
// The archive database: rows kept once, corrections, pruning, damaged files
// set aside, and two processes writing at once.

#include "observations/archive.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "real_metar_days.h"
#include "observations/station_store.h"
#include "platform/core/file_io.h"
#include "test_support.h"

namespace ventoral {
namespace {

const CivilTime kNow{2026, 8, 19, 0, 10, 0};
constexpr std::int64_t kDay = 24 * 60;

ArchivedObservation observationOf(const std::string& line, const CivilTime& now = kNow)
{
    const auto o = archivedObservationOf(line, now);
    EXPECT_TRUE(o.has_value()) << line;
    return o.value_or(ArchivedObservation{});
}

// A routine report of station at minutes after 2026-08-01 00:00 UTC, any
// number of days on.
ArchivedObservation reportAt(const std::string& station, std::int64_t minutesOn)
{
    const std::int64_t base = CivilTime{2026, 8, 1, 0, 0, 0}.minutesSinceEpoch();
    const CivilTime t = CivilTime::fromMinutes(base + minutesOn);
    char line[96];
    std::snprintf(line, sizeof line, "METAR %s %02d%02d%02dZ 27010KT 9999 FEW030 20/10 Q1010", station.c_str(), t.day,
                  t.hour, t.minute);
    ArchivedObservation o = observationOf(line, t);
    return o;
}

std::size_t rowsOf(Archive& archive, const std::string& station)
{
    return archive.observations(station, 0, std::numeric_limits<std::int64_t>::max()).size();
}

class ArchiveTest : public ::testing::Test {
protected:
    std::string file() const { return dir.file("data/ventoral/archive.sqlite"); }
    test::TempDir dir;
};

TEST_F(ArchiveTest, NothingIsOpenedOrMadeBeforeTheFirstObservationIsStored)
{
    Archive archive(file());
    EXPECT_FALSE(archive.isOpen());
    EXPECT_TRUE(archive.observations("RODN", 0, kNow.minutesSinceEpoch()).empty());
    EXPECT_FALSE(archive.knows("RODN"));
    EXPECT_FALSE(fileExists(file())) << "a query makes no database";
    EXPECT_TRUE(archive.add({observationOf("METAR RODN 180055Z 07014KT 10SM SCT010 30/26 A2977")}).written);
    EXPECT_TRUE(archive.isOpen());
    EXPECT_TRUE(fileExists(file()));
    EXPECT_TRUE(archive.knows("RODN"));
    EXPECT_FALSE(archive.knows("RKSI"));
}

TEST_F(ArchiveTest, TheDatabaseKeepsAWriteAheadLog)
{
    Archive archive(file());
    archive.add({observationOf("METAR RODN 180055Z 07014KT 10SM SCT010 30/26 A2977")});
    SqliteDatabase db;
    ASSERT_EQ(db.open(file(), false, 1000), 0);
    SqliteStatement mode = db.prepare("PRAGMA journal_mode");
    ASSERT_TRUE(mode.valid());
    ASSERT_EQ(mode.step(), 100);   // a row
    EXPECT_EQ(mode.text(0), "wal");
}

// Each step stores one report of RODN at 05:39 and says what is kept after it.
struct Arrival {
    const char* report;
    int stored;
    int repeated;
    const char* kept;
};

TEST_F(ArchiveTest, ARepeatAddsNothingAndACorrectionReplacesItsRow)
{
    const char* first = "SPECI RODN 180539Z 06018G21KT 6SM -RA SCT018 BKN032 31/26 A2975 RMK SLP075";
    const char* corrected = "SPECI RODN 180539Z COR 06018G21KT 6SM -RA SCT018 BKN032 31/26 A2975 RMK SLP075 COR 0541";
    const Arrival arrivals[] = {
        {first, 1, 0, first},
        {first, 0, 1, first},           // the same again
        {corrected, 1, 0, corrected},   // the correction takes the row
        {first, 0, 1, corrected},       // the report it corrected comes late: nothing
        {corrected, 0, 1, corrected},   // the correction again
        // Another text of the same time without COR is a repeat too.
        {"RODN 180539Z 06018G21KT 6SM SCT018 31/26 A2975", 0, 1, corrected},
    };
    Archive archive(file());
    for (const Arrival& a : arrivals) {
        SCOPED_TRACE(a.report);
        const Archive::Added added = archive.add({observationOf(a.report)});
        EXPECT_EQ(added.stored, a.stored);
        EXPECT_EQ(added.repeated, a.repeated);
        const auto rows = archive.observations("RODN", 0, kNow.minutesSinceEpoch());
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0].raw, a.kept);
        EXPECT_EQ(rows[0].corrected, std::string(a.kept) == corrected);
        EXPECT_TRUE(rows[0].special);
    }
}

TEST_F(ArchiveTest, ValuesReadBackAsTheyWereStored)
{
    Archive archive(file());
    const std::vector<ArchivedObservation> stored = {
        observationOf("METAR RODN 181155Z AUTO 06012KT 10SM -DZ BKN011 OVC020 29/26 A2977 RMK AO2 T02850263"),
        observationOf("METAR VOHY 180040Z VRB02KT 2000 BR NSC 19/M01 Q1015 NOSIG"),
        observationOf("METAR UUEE 180030Z 24005MPS CAVOK M05/M08 Q1021"),
        observationOf("METAR KXYZ 180053Z 00000KT M1/4SM FG VV001 ///// A3012"),
    };
    archive.add(stored);
    for (const ArchivedObservation& want : stored) {
        SCOPED_TRACE(want.raw);
        const auto rows = archive.observations(want.station, 0, kNow.minutesSinceEpoch());
        ASSERT_EQ(rows.size(), 1u);
        const ArchivedObservation& got = rows[0];
        EXPECT_EQ(got.timeMinutes, want.timeMinutes);
        EXPECT_EQ(got.temperature.has_value(), want.temperature.has_value());
        if (got.temperature) {
            EXPECT_EQ(got.temperature->value, want.temperature->value);
            EXPECT_EQ(got.temperature->tenths, want.temperature->tenths);
        }
        EXPECT_EQ(got.windDirectionDegrees, want.windDirectionDegrees);
        EXPECT_EQ(got.windSpeedKnots, want.windSpeedKnots);
        EXPECT_EQ(got.pressureHpa, want.pressureHpa);
        EXPECT_EQ(got.visibilityMiles, want.visibilityMiles);
        EXPECT_EQ(got.flightCategory, want.flightCategory);
        EXPECT_EQ(got.raw, want.raw);
    }
}

TEST_F(ArchiveTest, AQueryGivesItsStationsObservationsWithinItsRangeOldestFirst)
{
    Archive archive(file());
    archive.add({reportAt("KSEA", 120), reportAt("KSEA", 60), reportAt("KBFI", 90), reportAt("KSEA", 180)});
    const std::int64_t base = CivilTime{2026, 8, 1, 0, 0, 0}.minutesSinceEpoch();
    const auto rows = archive.observations("KSEA", base + 60, base + 120);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].timeMinutes, base + 60);
    EXPECT_EQ(rows[1].timeMinutes, base + 120);
}

// Two updates of the METAR service's answers, 25 hours each, for a day of
// specials with a correction and for a half-hourly day across midnight:
// every observation is kept once, with its temperature.
struct TwoPasses {
    const char* day;
    const char* station;
    CivilTime first;
    CivilTime second;
    std::size_t reports;
};

TEST_F(ArchiveTest, TwoUpdatesKeepEveryObservationOfARealDayOnce)
{
    const TwoPasses cases[] = {
        {test::kRodnDay, "RODN", {2026, 8, 18, 12, 10, 0}, {2026, 8, 19, 0, 10, 0}, 77},
        {test::kRksiDay, "RKSI", {2026, 6, 17, 23, 40, 0}, {2026, 6, 18, 3, 40, 0}, 24},
    };
    const StationStore store(dir.file("stations"), dir.file("minmax"), std::make_shared<Archive>(file()));
    for (const TwoPasses& c : cases) {
        SCOPED_TRACE(c.station);
        const std::string reports = test::readData(c.day);
        const std::string early = test::servedHistory(reports, c.first);
        const std::string late = test::servedHistory(reports, c.second);
        const Archive::Added one = store.archiveHistory(early, c.first);
        const Archive::Added two = store.archiveHistory(late, c.second);
        EXPECT_GT(one.stored, 0);
        EXPECT_GT(two.repeated, 0) << "the answers overlap";
        EXPECT_EQ(static_cast<std::size_t>(one.stored + two.stored), c.reports);
        const auto rows = store.archivedObservations(c.station, CivilTime{2026, 1, 1, 0, 0, 0}, c.second);
        ASSERT_EQ(rows.size(), c.reports);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_TRUE(rows[i].temperature.has_value()) << rows[i].raw;
            if (i > 0) {
                EXPECT_LT(rows[i - 1].timeMinutes, rows[i].timeMinutes);
            }
        }
    }
}

TEST_F(ArchiveTest, AHistoryOfSeveralStationsCanBeArchivedForOneOfThem)
{
    const StationStore store(dir.file("stations"), dir.file("minmax"), std::make_shared<Archive>(file()));
    const std::string both = "METAR RODN 180055Z 07014KT 10SM SCT010 30/26 A2977\n"
                             "METAR RKSI 180030Z 31004KT CAVOK 25/17 Q1010 NOSIG\n"
                             "not a report\n"
                             "METAR RKSI 180000Z NIL\n";
    EXPECT_EQ(store.archiveHistory(both, kNow, "RKSI").stored, 1);
    EXPECT_FALSE(store.archiveKnows("RODN"));
    EXPECT_EQ(store.archiveHistory(both, kNow).stored, 1);
    EXPECT_TRUE(store.archiveKnows("RODN"));
}

TEST_F(ArchiveTest, PruningRemovesOnlyWhatIsOlderThanTheDaysKept)
{
    Archive archive(file(), 400);
    archive.add({reportAt("KSEA", 0), reportAt("KSEA", 10), reportAt("KBFI", 5), reportAt("KSEA", 2 * kDay),
                 reportAt("KBFI", 3 * kDay)});
    const std::int64_t base = CivilTime{2026, 8, 1, 0, 0, 0}.minutesSinceEpoch();
    // 400 days after the tenth minute: the three reports before it go.
    EXPECT_EQ(archive.prune(base + 400 * kDay + 10), 2);
    EXPECT_EQ(rowsOf(archive, "KSEA"), 2u);
    EXPECT_EQ(rowsOf(archive, "KBFI"), 1u);
}

TEST_F(ArchiveTest, PruningInTheBackgroundRunsOnceADay)
{
    const std::int64_t base = CivilTime{2026, 8, 1, 0, 0, 0}.minutesSinceEpoch();
    const std::int64_t now = base + 400 * kDay + 60;
    {
        Archive archive(file(), 400);
        archive.add({reportAt("KSEA", 0), reportAt("KSEA", 2 * kDay)});
        archive.pruneInBackground(now);
        archive.waitForPruning();
        EXPECT_EQ(rowsOf(archive, "KSEA"), 1u);
        // Once a run.
        archive.add({reportAt("KSEA", 0)});
        archive.pruneInBackground(now);
        archive.waitForPruning();
        EXPECT_EQ(rowsOf(archive, "KSEA"), 2u);
    }
    Archive later(file(), 400);
    later.pruneInBackground(now + 60);
    later.waitForPruning();
    EXPECT_EQ(rowsOf(later, "KSEA"), 2u) << "the same UTC day was pruned already";
    Archive nextDay(file(), 400);
    nextDay.pruneInBackground(now + kDay);
    nextDay.waitForPruning();
    EXPECT_EQ(rowsOf(nextDay, "KSEA"), 1u) << "only the report of two days on is young enough";
}

// Bytes that stand where the database should.
struct Damage {
    const char* name;
    std::string (*bytes)(const std::string& sound);
};

std::string garbage(const std::string&)
{
    return std::string(5000, '\x5a');
}

std::string headerOnly(const std::string& sound)
{
    return sound.substr(0, 100) + std::string(4000, '\0');
}

std::string cutInHalf(const std::string& sound)
{
    return sound.substr(0, sound.size() / 2);
}

std::string scrambledPages(const std::string& sound)
{
    std::string bytes = sound;
    for (std::size_t i = 4096; i < bytes.size(); i += 7)
        bytes[i] = static_cast<char>(bytes[i] ^ 0x5a);
    return bytes;
}

TEST_F(ArchiveTest, ADamagedDatabaseIsSetAsideAndANewOneStarted)
{
    // A sound archive of many pages, checkpointed into its main file.
    const std::string sound = dir.file("sound.sqlite");
    {
        Archive archive(sound);
        std::vector<ArchivedObservation> rows;
        for (int i = 0; i < 3000; ++i)
            rows.push_back(reportAt(i % 2 ? "KSEA" : "KBFI", i * 30L));
        archive.add(rows);
    }
    const std::string soundBytes = test::readFile(sound);
    ASSERT_GT(soundBytes.size(), 100000u);
    const Damage damages[] = {
        {"garbage", garbage},
        {"a header and nothing", headerOnly},
        {"cut in half", cutInHalf},
        {"scrambled pages", scrambledPages},
    };
    for (const Damage& d : damages) {
        SCOPED_TRACE(d.name);
        test::TempDir folder;
        const std::string damaged = folder.file("archive.sqlite");
        const std::string bytes = d.bytes(soundBytes);
        test::writeFile(damaged, bytes);
        Archive archive(damaged);
        // Every query either reads what it can or finds the damage.
        rowsOf(archive, "KSEA");
        rowsOf(archive, "KBFI");
        EXPECT_TRUE(archive.add({reportAt("RODN", 0)}).written);
        EXPECT_EQ(rowsOf(archive, "RODN"), 1u);
        const std::vector<ArchiveNotice> notices = archive.takeNotices();
        ASSERT_EQ(notices.size(), 1u);
        EXPECT_EQ(notices[0].kind, ArchiveNotice::Kind::SetAside);
        EXPECT_EQ(notices[0].file, damaged);
        EXPECT_TRUE(test::readFile(notices[0].asidePath) == bytes) << "the damaged file is kept as it was";
        EXPECT_TRUE(archive.takeNotices().empty());
    }
}

TEST_F(ArchiveTest, ATableOfAnotherShapeIsNoArchive)
{
    createFolder(dir.file("data"));
    createFolder(dir.file("data/ventoral"));
    {
        SqliteDatabase db;
        ASSERT_EQ(db.open(file(), true, 1000), 0);
        ASSERT_EQ(db.execute("CREATE TABLE observations (what TEXT)"), 0);
    }
    Archive archive(file());
    EXPECT_TRUE(archive.add({reportAt("RODN", 0)}).written);
    const auto notices = archive.takeNotices();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].kind, ArchiveNotice::Kind::SetAside);
}

TEST_F(ArchiveTest, AnArchiveThatCannotBeMadeSaysSoOnceAndKeepsNothing)
{
    // A folder stands where the file should.
    createFolder(dir.file("data"));
    createFolder(dir.file("data/ventoral"));
    createFolder(file());
    Archive archive(file());
    EXPECT_FALSE(archive.add({reportAt("RODN", 0)}).written);
    EXPECT_FALSE(archive.add({reportAt("RODN", 60)}).written);
    EXPECT_TRUE(archive.observations("RODN", 0, kNow.minutesSinceEpoch()).empty());
    const auto notices = archive.takeNotices();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].kind, ArchiveNotice::Kind::Unavailable);
}

// Writes count reports of station in batches of ten, as updates do.
void writeReports(const std::string& file, const std::string& station, int count)
{
    Archive archive(file);
    for (int i = 0; i < count; i += 10) {
        std::vector<ArchivedObservation> batch;
        for (int k = i; k < i + 10 && k < count; ++k)
            batch.push_back(reportAt(station, k * 10L));
        if (!archive.add(batch).written)
            std::_Exit(1);
    }
}

TEST_F(ArchiveTest, TwoProcessesWritingAtOnceLoseNoRow)
{
    constexpr int kReports = 3000;
    // Made first, so both processes open the same database.
    Archive(file()).add({reportAt("ZZZZ", 0)});
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        writeReports(file(), "KBFI", kReports);
        std::_Exit(0);
    }
    writeReports(file(), "KSEA", kReports);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the other process could not write";
    Archive archive(file());
    EXPECT_EQ(rowsOf(archive, "KSEA"), static_cast<std::size_t>(kReports));
    EXPECT_EQ(rowsOf(archive, "KBFI"), static_cast<std::size_t>(kReports));
}

TEST_F(ArchiveTest, StoresOverOneFileShareOneArchive)
{
    const std::shared_ptr<Archive> one = sharedArchive(file(), 400);
    const std::shared_ptr<Archive> two = sharedArchive(file(), 500);
    EXPECT_EQ(one, two);
    EXPECT_EQ(one->keepDays(), 500);
    EXPECT_NE(sharedArchive(dir.file("other.sqlite"), 400), one);
}

} // namespace
} // namespace ventoral
