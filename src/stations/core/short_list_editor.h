// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The short list being edited: at most 20 entries, each code once, the copy
// loaded from the settings file to tell whether anything changed, and the
// save that replaces the "Stations" section's entries.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "settings/ini_file.h"

namespace ventoral {

enum class ShortListAdd { Added, Full, AlreadyListed };

class ShortListEditor {
public:
    static constexpr int kMaxEntries = 20;

    void load(const IniDocument& ini);

    const std::vector<std::string>& entries() const { return m_entries; }
    int count() const { return static_cast<int>(m_entries.size()); }
    bool full() const { return count() >= kMaxEntries; }

    // Refuses a 21st entry, and an entry whose code is on the list already.
    ShortListAdd add(const std::string& entry);
    // True when an entry has this code; codes compare without regard to case.
    bool holds(std::string_view code) const;
    void remove(int index);
    // The entry's new position; unchanged at the end of the list.
    int moveUp(int index);
    int moveDown(int index);
    // Keeps the entries for which keep(i) is true, in order.
    template <typename Keep> void removeUnless(Keep keep)
    {
        std::vector<std::string> kept;
        for (std::size_t i = 0; i < m_entries.size(); ++i)
            if (keep(i))
                kept.push_back(m_entries[i]);
        m_entries = std::move(kept);
    }
    // Drops the entries without a code and every later entry of a code
    // already listed, such as the blank entry of a first run.
    void dropBlankAndRepeatedEntries();

    // Any position, up to the longer of the two lists, that differs from the loaded copy.
    bool differsFromLoaded() const;

    // Deletes the keys of the entries last loaded or saved, writes each
    // entry as "Station" + position, "Number" and "Last" = "0", in one
    // replacement of the file. False when it could not be written.
    bool save(const std::string& settingsFile);

private:
    std::vector<std::string> m_entries;
    std::vector<std::string> m_loaded;
    int m_loadedCount = 0;
};

// The caption of the short-list frame: Short List (5 stations).
std::string shortListCaption(int count);

} // namespace ventoral
