// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The local archive of every METAR the program fetched: one SQLite database
// in write-ahead-log mode, which the window and `ventoral-cli update` from
// cron write at the same time (each waits for the other's short lock). One
// row per station and observation time: a correction (COR) replaces its
// row, a repeat adds nothing. The file is opened at its first use, not
// before; a damaged one is renamed aside and a new one started.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "observations/archived_observation.h"
#include "platform/core/sqlite_database.h"

namespace ventoral {

inline constexpr int kDefaultArchiveKeepDays = 400;
inline constexpr const char* kArchiveFileName = "archive.sqlite";

// Something the user should hear of; windows turn it into words.
struct ArchiveNotice {
    enum class Kind {
        SetAside,      // the database was damaged: renamed to asidePath, a new one started
        Unavailable,   // the database cannot be opened or made (detail says why); nothing is kept
    };
    Kind kind = Kind::SetAside;
    std::string file;
    std::string asidePath;
    std::string detail;
};

class Archive {
public:
    explicit Archive(std::string file, int keepDays = kDefaultArchiveKeepDays);
    ~Archive();
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;

    const std::string& file() const { return m_file; }
    int keepDays() const { return m_keepDays; }
    void setKeepDays(int days);
    // Whether the database file has been opened by this object.
    bool isOpen() const;

    struct Added {
        int stored = 0;     // new rows, and rows a correction replaced
        int repeated = 0;   // already there: nothing added
        bool written = true;
    };
    // Stores the observations in one transaction.
    Added add(const std::vector<ArchivedObservation>& observations);

    // What a query reads: the raw report too, or only the values.
    enum class Columns { All, Values };
    // The observations of station from fromMinutes to toMinutes (UTC minutes
    // since 1970, both included), oldest first. Nothing when the file is not there.
    std::vector<ArchivedObservation> observations(const std::string& station, std::int64_t fromMinutes,
                                                  std::int64_t toMinutes, Columns columns = Columns::All);
    // Whether the archive holds any observation of station.
    bool knows(const std::string& station);

    // Removes the observations older than keepDays before nowMinutes, one
    // station and one short transaction at a time; returns the rows removed.
    int prune(std::int64_t nowMinutes);
    // The same on a thread and a connection of its own, at most once a UTC
    // day (the archive remembers the day), so no window waits for it.
    void pruneInBackground(std::int64_t nowMinutes);
    // Waits for a background pruning to finish.
    void waitForPruning();

    // The notices since the last call, oldest first.
    std::vector<ArchiveNotice> takeNotices();

private:
    bool ensureOpen(bool create);
    bool openFresh(bool create);
    // Renames the damaged file (and its log files) aside and starts a new one.
    void setAside(const std::string& why);
    // Records the connection's last error as the failure of the work under
    // way; converts to an empty result of any kind.
    struct Failed {
        template <class T>
        operator std::optional<T>() const { return std::nullopt; }
    };
    Failed failed();
    // Runs work; a damaged database is set aside and work runs once more.
    template <class Work>
    auto withRecovery(bool create, Work work) -> decltype(work());

    std::string m_file;
    std::atomic<int> m_keepDays;
    std::mutex m_mutex;
    SqliteDatabase m_db;
    bool m_unavailable = false;
    int m_failure = 0;   // the SQLite result of the work under way
    std::vector<ArchiveNotice> m_notices;
    std::thread m_pruner;
    std::atomic<bool> m_stopPruning{false};
    bool m_prunedThisRun = false;
};

// One Archive per file in a process: every store over the same file shares
// it, and it closes when the last of them goes.
std::shared_ptr<Archive> sharedArchive(const std::string& file, int keepDays);

} // namespace ventoral
