// SPDX-License-Identifier: GPL-3.0-or-later
#include "stations/core/short_list_editor.h"

#include <algorithm>

#include "settings/settings.h"
#include "platform/core/number_text.h"
#include "stations/core/station_search.h"

namespace ventoral {

namespace {

constexpr int kMaxKeysDeleted = 1000;

std::string upperCased(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

} // namespace

void ShortListEditor::load(const IniDocument& ini)
{
    m_entries = ReadStationSettings(ini).entries;
    m_loaded = m_entries;
    const double number = readNumber(ini.value("Stations", "Number", "?"));
    m_loadedCount = number <= 0 ? 0 : static_cast<int>(std::min<double>(number, kMaxKeysDeleted));
}

ShortListAdd ShortListEditor::add(const std::string& entry)
{
    if (full())
        return ShortListAdd::Full;
    if (holds(codeOfEntry(entry)))
        return ShortListAdd::AlreadyListed;
    m_entries.push_back(entry);
    return ShortListAdd::Added;
}

bool ShortListEditor::holds(std::string_view code) const
{
    const std::string wanted = upperCased(std::string(code));
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [&wanted](const std::string& entry) { return upperCased(codeOfEntry(entry)) == wanted; });
}

void ShortListEditor::dropBlankAndRepeatedEntries()
{
    std::vector<std::string> kept;
    std::vector<std::string> codes;
    for (const std::string& entry : m_entries) {
        const std::string code = upperCased(codeOfEntry(entry));
        if (code.empty() || std::find(codes.begin(), codes.end(), code) != codes.end())
            continue;
        codes.push_back(code);
        kept.push_back(entry);
    }
    m_entries = std::move(kept);
}

void ShortListEditor::remove(int index)
{
    if (index >= 0 && index < count())
        m_entries.erase(m_entries.begin() + index);
}

int ShortListEditor::moveUp(int index)
{
    if (index <= 0 || index >= count())
        return index;
    std::swap(m_entries[static_cast<std::size_t>(index)], m_entries[static_cast<std::size_t>(index - 1)]);
    return index - 1;
}

int ShortListEditor::moveDown(int index)
{
    if (index < 0 || index >= count() - 1)
        return index;
    std::swap(m_entries[static_cast<std::size_t>(index)], m_entries[static_cast<std::size_t>(index + 1)]);
    return index + 1;
}

bool ShortListEditor::differsFromLoaded() const
{
    const std::size_t n = std::max(m_entries.size(), m_loaded.size());
    for (std::size_t i = 0; i < n; ++i) {
        const std::string now = i < m_entries.size() ? m_entries[i] : std::string();
        const std::string before = i < m_loaded.size() ? m_loaded[i] : std::string();
        if (now != before)
            return true;
    }
    return false;
}

bool ShortListEditor::save(const std::string& settingsFile)
{
    std::optional<IniDocument> ini = IniDocument::loadForUpdate(settingsFile);
    if (!ini)
        return false;
    const int stale = std::max(m_loadedCount, static_cast<int>(m_loaded.size()));
    for (int i = 0; i < stale; ++i)
        ini->removeKey("Stations", "Station" + std::to_string(i));
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        ini->setValue("Stations", "Station" + std::to_string(i), m_entries[i]);
    ini->setValue("Stations", "Number", std::to_string(m_entries.size()));
    ini->setValue("Stations", "Last", "0");
    if (!ini->save(settingsFile))
        return false;
    m_loaded = m_entries;
    m_loadedCount = count();
    return true;
}

std::string shortListCaption(int count)
{
    return "Short List (" + std::to_string(count) + " stations)";
}

} // namespace ventoral
