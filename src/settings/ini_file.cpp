// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ini_file.h"

#include <mutex>
#include <set>

#include "platform/core/file_io.h"
#include "platform/core/text_encoding.h"

namespace ventoral {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && (isBlank(s.back()) || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

// Cuts a UTF-8 text to at most n characters without splitting one.
std::string cutCharacters(std::string_view s, std::size_t n)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
            if (count == n)
                return std::string(s.substr(0, i));
            ++count;
        }
    }
    return std::string(s);
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// File bytes as text: one byte order mark dropped, then UTF-8 or Windows-1252.
std::string decodeFileText(std::string_view bytes)
{
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        bytes.remove_prefix(kByteOrderMark.size());
    return decodeLegacyText(bytes);
}

// The value as the line must hold it so that reading gives it back: the
// reader drops surrounding blanks and one pair of surrounding quotes, so a
// value with either is quoted once more.
std::string storedValue(std::string_view value)
{
    std::string flat(value);
    // Line breaks would split the entry; the profile functions cannot hold them either.
    for (char& c : flat)
        if (c == '\r' || c == '\n')
            c = ' ';
    const bool blankEdge = !flat.empty() && (isBlank(flat.front()) || isBlank(flat.back()));
    const bool quoted = flat.size() >= 2 && flat.front() == '"' && flat.back() == '"';
    return blankEdge || quoted ? '"' + flat + '"' : flat;
}

std::mutex& untouchedMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::set<std::string>& untouchedFiles()
{
    static std::set<std::string> files;
    return files;
}

} // namespace

IniDocument::Line IniDocument::parseLine(std::string text)
{
    Line line;
    const std::string_view t = trim(text);
    if (!t.empty() && t.front() == '[') {
        const auto close = t.find(']');
        line.isSection = true;
        line.section = std::string(trim(t.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1)));
    } else if (!t.empty() && t.front() != ';') {
        const auto eq = t.find('=');
        if (eq != std::string_view::npos) {
            line.isKey = true;
            line.key = std::string(trim(t.substr(0, eq)));
        }
    }
    line.text = std::move(text);
    return line;
}

IniDocument IniDocument::fromBytes(std::string_view bytes)
{
    // A UTF-8 byte order mark is not part of the first line.
    const std::string text = decodeFileText(bytes);
    IniDocument doc;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string lineText = text.substr(start, end - start);
        if (!lineText.empty() && lineText.back() == '\r')
            lineText.pop_back();
        doc.m_lines.push_back(parseLine(std::move(lineText)));
        start = end + 1;
    }
    return doc;
}

IniDocument IniDocument::load(const std::string& path)
{
    const auto bytes = readWholeFile(path);
    return bytes ? fromBytes(*bytes) : IniDocument{};
}

long IniDocument::findSection(std::string_view section) const
{
    const std::string_view wanted = trim(section);
    for (std::size_t i = 0; i < m_lines.size(); ++i)
        if (m_lines[i].isSection && equalsNoCase(m_lines[i].section, wanted))
            return static_cast<long>(i);
    return -1;
}

long IniDocument::findKey(long sectionIndex, std::string_view key) const
{
    const std::string_view wanted = trim(key);
    for (std::size_t i = static_cast<std::size_t>(sectionIndex) + 1; i < m_lines.size(); ++i) {
        if (m_lines[i].isSection)
            break;
        if (m_lines[i].isKey && equalsNoCase(m_lines[i].key, wanted))
            return static_cast<long>(i);
    }
    return -1;
}

std::string IniDocument::value(std::string_view section, std::string_view key, std::string_view defaultValue) const
{
    const long s = findSection(section);
    const long k = s < 0 ? -1 : findKey(s, key);
    if (k < 0)
        return std::string(defaultValue);
    const std::string& text = m_lines[static_cast<std::size_t>(k)].text;
    std::string_view v = trim(std::string_view(text).substr(text.find('=') + 1));
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"')
        v = v.substr(1, v.size() - 2);
    return cutCharacters(v, kMaxValueLength);
}

std::optional<IniDocument> IniDocument::loadForUpdate(const std::string& path)
{
    if (isLeftUntouched(path))
        return std::nullopt;
    if (const auto bytes = readWholeFile(path))
        return fromBytes(*bytes);
    if (nothingAt(path))
        return IniDocument{};
    return std::nullopt;
}

void IniDocument::leaveUntouched(const std::string& path)
{
    const std::lock_guard<std::mutex> lock(untouchedMutex());
    untouchedFiles().insert(path);
}

bool IniDocument::isLeftUntouched(const std::string& path)
{
    const std::lock_guard<std::mutex> lock(untouchedMutex());
    return untouchedFiles().count(path) > 0;
}

bool IniDocument::contains(std::string_view section, std::string_view key) const
{
    const long s = findSection(section);
    return s >= 0 && findKey(s, key) >= 0;
}

void IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string flat = storedValue(value);
    const std::string keyText(trim(key));
    const std::string newLine = keyText + "=" + flat;

    const long s = findSection(section);
    if (s < 0) {
        m_lines.push_back(parseLine("[" + std::string(trim(section)) + "]"));
        m_lines.push_back(parseLine(newLine));
        return;
    }
    const long k = findKey(s, key);
    if (k >= 0) {
        // The key keeps the spelling it already had in the file.
        Line& line = m_lines[static_cast<std::size_t>(k)];
        line = parseLine(line.key + "=" + flat);
        return;
    }
    // After the last non-blank line of the section.
    std::size_t insertAt = static_cast<std::size_t>(s) + 1;
    for (std::size_t i = insertAt; i < m_lines.size() && !m_lines[i].isSection; ++i)
        if (!trim(m_lines[i].text).empty())
            insertAt = i + 1;
    m_lines.insert(m_lines.begin() + static_cast<long>(insertAt), parseLine(newLine));
}

void IniDocument::removeKey(std::string_view section, std::string_view key)
{
    const long s = findSection(section);
    const long k = s < 0 ? -1 : findKey(s, key);
    if (k >= 0)
        m_lines.erase(m_lines.begin() + k);
}

std::string IniDocument::toBytes() const
{
    std::string text;
    for (const Line& line : m_lines) {
        text += line.text;
        text += "\r\n";
    }
    // Windows-1252 unless its bytes would read back as other text: a first
    // line starting with the three characters whose bytes are a byte order
    // mark would lose them, and bytes that happen to be valid UTF-8 would be
    // read as UTF-8.
    if (auto legacy = utf8ToWindows1252(text); legacy && decodeFileText(*legacy) == text)
        return *legacy;
    // The mark keeps a first character U+FEFF, or text that looks like one, in its line.
    return std::string(kByteOrderMark) + text;
}

bool IniDocument::save(const std::string& path) const
{
    return writeFileAtomically(path, toBytes());
}

std::string ReadIniValue(std::string_view section, std::string_view key, std::string_view defaultValue,
                         const std::string& file)
{
    return IniDocument::load(file).value(section, key, defaultValue);
}

bool WriteIniValue(std::string_view section, std::string_view key, std::string_view value, const std::string& file)
{
    auto doc = IniDocument::loadForUpdate(file);
    if (!doc)
        return false;
    doc->setValue(section, key, value);
    return doc->save(file);
}

bool DeleteIniKey(std::string_view section, std::string_view key, const std::string& file)
{
    auto doc = IniDocument::loadForUpdate(file);
    if (!doc)
        return false;
    if (!doc->contains(section, key))
        return true;
    doc->removeKey(section, key);
    return doc->save(file);
}

} // namespace ventoral
