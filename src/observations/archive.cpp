// SPDX-License-Identifier: GPL-3.0-or-later
#include "observations/archive.h"

#include <cstdio>
#include <ctime>
#include <map>
#include <optional>
#include <utility>

#include <sqlite3.h>

#include "platform/core/file_io.h"

namespace ventoral {

namespace {

// Another writer's transaction lasts milliseconds; this is ample.
constexpr int kBusyTimeoutMs = 10000;
constexpr int kBusyAttempts = 3;
constexpr std::int64_t kMinutesPerDay = 24 * 60;

// Temperatures have no column type: whole degrees are stored as integers,
// tenths as reals, so each reads back as the report gave it.
constexpr const char* kSchema = R"(
CREATE TABLE IF NOT EXISTS observations (
    station TEXT NOT NULL,
    time INTEGER NOT NULL,
    special INTEGER NOT NULL,
    corrected INTEGER NOT NULL,
    temperature_c,
    dew_point_c,
    wind_dir_deg INTEGER,
    wind_speed_kt REAL,
    wind_gust_kt REAL,
    pressure_hpa REAL,
    visibility_sm REAL,
    flight_category TEXT,
    raw TEXT NOT NULL,
    PRIMARY KEY (station, time)
) WITHOUT ROWID;
CREATE TABLE IF NOT EXISTS meta (key TEXT PRIMARY KEY, value) WITHOUT ROWID;
PRAGMA user_version = 1;
)";

constexpr const char* kColumns =
    "station, time, special, corrected, temperature_c, dew_point_c, wind_dir_deg, wind_speed_kt, wind_gust_kt, "
    "pressure_hpa, visibility_sm, flight_category, raw";

// A correction replaces the row of its station and time; anything else
// there already is a repeat.
constexpr const char* kInsert = R"(
INSERT INTO observations VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13)
ON CONFLICT (station, time) DO UPDATE SET
    special = excluded.special, corrected = excluded.corrected, temperature_c = excluded.temperature_c,
    dew_point_c = excluded.dew_point_c, wind_dir_deg = excluded.wind_dir_deg,
    wind_speed_kt = excluded.wind_speed_kt, wind_gust_kt = excluded.wind_gust_kt,
    pressure_hpa = excluded.pressure_hpa, visibility_sm = excluded.visibility_sm,
    flight_category = excluded.flight_category, raw = excluded.raw
WHERE excluded.corrected = 1 AND excluded.raw <> observations.raw
)";

const char* const kCategoryNames[] = {"LIFR", "IFR", "MVFR", "VFR"};

std::optional<FlightCategory> categoryOf(const std::string& name)
{
    for (int i = 0; i < 4; ++i)
        if (name == kCategoryNames[i])
            return static_cast<FlightCategory>(i);
    return std::nullopt;
}

void bindCelsius(SqliteStatement& s, int index, const std::optional<ReportedCelsius>& celsius)
{
    if (!celsius)
        s.bind(index, std::optional<double>());
    else if (celsius->tenths)
        s.bind(index, std::optional<double>(celsius->value));
    else
        s.bind(index, static_cast<std::int64_t>(celsius->value));
}

std::optional<ReportedCelsius> celsiusAt(const SqliteStatement& s, int column)
{
    if (s.isNull(column))
        return std::nullopt;
    return ReportedCelsius{s.real(column), !s.isInteger(column)};
}

void bindObservation(SqliteStatement& s, const ArchivedObservation& o)
{
    s.bind(1, o.station);
    s.bind(2, o.timeMinutes);
    s.bind(3, std::int64_t{o.special});
    s.bind(4, std::int64_t{o.corrected});
    bindCelsius(s, 5, o.temperature);
    bindCelsius(s, 6, o.dewPoint);
    s.bind(7, o.windDirectionDegrees);
    s.bind(8, o.windSpeedKnots);
    s.bind(9, o.gustKnots);
    s.bind(10, o.pressureHpa);
    s.bind(11, o.visibilityMiles);
    if (o.flightCategory)
        s.bind(12, std::string_view(kCategoryNames[static_cast<int>(*o.flightCategory)]));
    else
        s.bind(12, std::optional<double>());
    s.bind(13, o.raw);
}

ArchivedObservation observationAt(const SqliteStatement& s, Archive::Columns columns)
{
    ArchivedObservation o;
    o.station = s.text(0);
    o.timeMinutes = s.integer(1);
    o.special = s.integer(2) != 0;
    o.corrected = s.integer(3) != 0;
    o.temperature = celsiusAt(s, 4);
    o.dewPoint = celsiusAt(s, 5);
    o.windDirectionDegrees = s.optionalInteger(6);
    o.windSpeedKnots = s.optionalReal(7);
    o.gustKnots = s.optionalReal(8);
    o.pressureHpa = s.optionalReal(9);
    o.visibilityMiles = s.optionalReal(10);
    o.flightCategory = categoryOf(s.text(11));
    if (columns == Archive::Columns::All)
        o.raw = s.text(12);
    return o;
}

// BEGIN IMMEDIATE takes the write lock at once, so two writers queue rather
// than fail when one of them would upgrade a read lock.
int beginWriting(SqliteDatabase& db)
{
    int result = SQLITE_BUSY;
    for (int attempt = 0; attempt < kBusyAttempts; ++attempt) {
        result = db.execute("BEGIN IMMEDIATE");
        if (!isBusy(result))
            break;
    }
    return result;
}

// Station by station, each in its own short transaction, so a writer
// waiting for the lock never waits long. Stops early when stop is set.
int pruneWith(SqliteDatabase& db, std::int64_t cutoffMinutes, const std::atomic<bool>& stop)
{
    SqliteStatement next = db.prepare("SELECT station FROM observations WHERE station > ?1 ORDER BY station LIMIT 1");
    SqliteStatement remove = db.prepare("DELETE FROM observations WHERE station = ?1 AND time < ?2");
    if (!next.valid() || !remove.valid())
        return 0;
    int removed = 0;
    std::string station;
    while (!stop) {
        next.reset();
        next.bind(1, station);
        if (next.step() != SQLITE_ROW)
            break;
        station = next.text(0);
        remove.reset();
        remove.bind(1, station);
        remove.bind(2, cutoffMinutes);
        if (remove.step() != SQLITE_DONE)
            break;
        removed += db.changes();
    }
    return removed;
}

bool prunedOn(SqliteDatabase& db, std::int64_t day)
{
    SqliteStatement s = db.prepare("SELECT value FROM meta WHERE key = 'pruned_day'");
    return s.valid() && s.step() == SQLITE_ROW && s.integer(0) == day;
}

void rememberPruned(SqliteDatabase& db, std::int64_t day)
{
    SqliteStatement s = db.prepare("INSERT OR REPLACE INTO meta VALUES ('pruned_day', ?1)");
    if (s.valid()) {
        s.bind(1, day);
        s.step();
    }
}

// PRAGMA user_version: 1 once the tables are made; 0 for a new file, -1
// where it cannot be read.
int schemaVersion(SqliteDatabase& db)
{
    SqliteStatement s = db.prepare("PRAGMA user_version");
    if (!s.valid() || s.step() != SQLITE_ROW)
        return -1;
    return static_cast<int>(s.integer(0));
}

// "archive.sqlite.damaged-20261207-153000", or with "-2" and on where that is taken.
std::string asideName(const std::string& file)
{
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &utc);
    const std::string base = file + ".damaged-" + stamp;
    std::string name = base;
    for (int n = 2; fileExists(name); ++n)
        name = base + "-" + std::to_string(n);
    return name;
}

} // namespace

Archive::Archive(std::string file, int keepDays) : m_file(std::move(file)), m_keepDays(keepDays) {}

Archive::~Archive()
{
    // Pruning stops after the station it is at; the next run goes on with it.
    m_stopPruning = true;
    waitForPruning();
}

void Archive::setKeepDays(int days)
{
    m_keepDays = days;
}

bool Archive::isOpen() const
{
    return m_db.isOpen();
}

bool Archive::openFresh(bool create)
{
    m_db.close();
    if (!create && !fileExists(m_file))
        return false;
    const std::string folder = m_file.substr(0, m_file.find_last_of('/'));
    if (create && !folder.empty() && folder != m_file)
        createFolder(folder);
    int result = m_db.open(m_file, create, kBusyTimeoutMs);
    if (result == SQLITE_OK)
        result = m_db.execute("PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL;");
    // An archive made before writes nothing here: a damaged one stays as it is.
    if (result == SQLITE_OK && schemaVersion(m_db) != 1)
        result = m_db.execute(kSchema);
    // A table of another shape is no archive of this program either.
    if (result == SQLITE_OK && !m_db.prepare(std::string("SELECT ") + kColumns + " FROM observations").valid())
        result = SQLITE_NOTADB;
    if (result == SQLITE_OK) {
        m_unavailable = false;
        return true;
    }
    const std::string why = m_db.isOpen() ? m_db.lastMessage() : "the file cannot be opened";
    m_db.close();
    if (isDamagedDatabase(result)) {
        setAside(why);
        return m_db.isOpen();
    }
    if (!m_unavailable)
        m_notices.push_back({ArchiveNotice::Kind::Unavailable, m_file, {}, why});
    m_unavailable = true;
    return false;
}

bool Archive::ensureOpen(bool create)
{
    return m_db.isOpen() || openFresh(create);
}

void Archive::setAside(const std::string& why)
{
    m_db.close();
    const std::string aside = asideName(m_file);
    // The log files go with it: left behind, they would be read into the new database.
    const bool moved = std::rename(m_file.c_str(), aside.c_str()) == 0;
    for (const char* log : {"-wal", "-shm"})
        if (fileExists(m_file + log))
            std::rename((m_file + log).c_str(), (aside + log).c_str());
    if (!moved) {
        m_notices.push_back({ArchiveNotice::Kind::Unavailable, m_file, {}, why});
        m_unavailable = true;
        return;
    }
    m_notices.push_back({ArchiveNotice::Kind::SetAside, m_file, aside, why});
    openFresh(true);
}

Archive::Failed Archive::failed()
{
    m_failure = m_db.lastError();
    return {};
}

template <class Work>
auto Archive::withRecovery(bool create, Work work) -> decltype(work())
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!ensureOpen(create))
            return {};
        m_failure = SQLITE_OK;
        auto result = work();
        if (result || !isDamagedDatabase(m_failure))
            return result;
        setAside(m_db.lastMessage());
    }
    return {};
}

Archive::Added Archive::add(const std::vector<ArchivedObservation>& observations)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const std::optional<Added> added = withRecovery(true, [&]() -> std::optional<Added> {
        if (beginWriting(m_db) != SQLITE_OK)
            return failed();
        SqliteStatement insert = m_db.prepare(kInsert);
        Added result;
        for (const ArchivedObservation& o : observations) {
            if (insert.valid()) {
                insert.reset();
                bindObservation(insert, o);
            }
            if (!insert.valid() || insert.step() != SQLITE_DONE) {
                failed();
                insert = SqliteStatement();
                m_db.execute("ROLLBACK");
                return std::nullopt;
            }
            (m_db.changes() > 0 ? result.stored : result.repeated) += 1;
        }
        insert = SqliteStatement();
        if (m_db.execute("COMMIT") != SQLITE_OK) {
            failed();
            m_db.execute("ROLLBACK");
            return std::nullopt;
        }
        return result;
    });
    if (added)
        return *added;
    Added failed;
    failed.written = false;
    return failed;
}

std::vector<ArchivedObservation> Archive::observations(const std::string& station, std::int64_t fromMinutes,
                                                       std::int64_t toMinutes, Columns columns)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    using Rows = std::vector<ArchivedObservation>;
    const std::optional<Rows> rows = withRecovery(false, [&]() -> std::optional<Rows> {
        SqliteStatement s = m_db.prepare(std::string("SELECT ") + kColumns +
                                         " FROM observations WHERE station = ?1 AND time BETWEEN ?2 AND ?3 "
                                         "ORDER BY time");
        if (!s.valid())
            return failed();
        s.bind(1, station);
        s.bind(2, fromMinutes);
        s.bind(3, toMinutes);
        Rows found;
        int result = SQLITE_ROW;
        while ((result = s.step()) == SQLITE_ROW)
            found.push_back(observationAt(s, columns));
        if (result != SQLITE_DONE)
            return failed();
        return found;
    });
    return rows.value_or(Rows{});
}

bool Archive::knows(const std::string& station)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const std::optional<bool> known = withRecovery(false, [&]() -> std::optional<bool> {
        SqliteStatement s = m_db.prepare("SELECT 1 FROM observations WHERE station = ?1 LIMIT 1");
        if (!s.valid())
            return failed();
        s.bind(1, station);
        const int result = s.step();
        if (result != SQLITE_ROW && result != SQLITE_DONE)
            return failed();
        return result == SQLITE_ROW;
    });
    return known.value_or(false);
}

int Archive::prune(std::int64_t nowMinutes)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!ensureOpen(false))
        return 0;
    const std::atomic<bool> never{false};
    const int removed = pruneWith(m_db, nowMinutes - m_keepDays * kMinutesPerDay, never);
    rememberPruned(m_db, nowMinutes / kMinutesPerDay);
    return removed;
}

void Archive::pruneInBackground(std::int64_t nowMinutes)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_prunedThisRun || !ensureOpen(false))
        return;
    m_prunedThisRun = true;
    const std::int64_t day = nowMinutes / kMinutesPerDay;
    if (prunedOn(m_db, day))
        return;
    const std::int64_t cutoff = nowMinutes - m_keepDays * kMinutesPerDay;
    m_pruner = std::thread([file = m_file, cutoff, day, this] {
        SqliteDatabase db;
        if (db.open(file, false, kBusyTimeoutMs) != SQLITE_OK)
            return;
        pruneWith(db, cutoff, m_stopPruning);
        if (!m_stopPruning)
            rememberPruned(db, day);
    });
}

void Archive::waitForPruning()
{
    if (m_pruner.joinable())
        m_pruner.join();
}

std::vector<ArchiveNotice> Archive::takeNotices()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return std::exchange(m_notices, {});
}

std::shared_ptr<Archive> sharedArchive(const std::string& file, int keepDays)
{
    static std::mutex mutex;
    static std::map<std::string, std::weak_ptr<Archive>> open;
    std::lock_guard<std::mutex> lock(mutex);
    std::shared_ptr<Archive> archive = open[file].lock();
    if (!archive) {
        archive = std::make_shared<Archive>(file, keepDays);
        open[file] = archive;
    }
    archive->setKeepDays(keepDays);
    return archive;
}

} // namespace ventoral
