// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings file, read and written with the rules of the Windows profile
// functions, so a file written on Windows and one written here are alike.
//
// Sections and keys match case-insensitively and the first match wins. A
// value loses surrounding blanks and one pair of surrounding double quotes.
// Lines that are neither sections nor keys, comments included, are kept as
// they stand. A new key goes after the last key of its section; a new
// section is appended at the end. Values read are cut at 2047 characters.
// The file is Windows-1252 text with CR LF; UTF-8 files are read as well.
//
// Whatever a file held, a value set reads back after writing and reading
// the file again, but for line breaks (which become blanks) and the cut: a
// value with blanks or quotes at its ends is written inside one more pair
// of quotes.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ventoral {

class IniDocument {
public:
    static constexpr std::size_t kMaxValueLength = 2047;

    IniDocument() = default;
    // Parses file bytes (Windows-1252 or UTF-8, CR LF or LF); texts are held as UTF-8.
    static IniDocument fromBytes(std::string_view bytes);
    // A missing or unreadable file gives an empty document.
    static IniDocument load(const std::string& path);
    // A missing file (or a symbolic link to nothing) gives an empty
    // document; one that exists but cannot be read, a folder for one, or a
    // file left untouched gives nullopt, so a writer does not replace it
    // with a near-empty one.
    static std::optional<IniDocument> loadForUpdate(const std::string& path);
    // No writer replaces the file for the rest of this process, even once it
    // reads again: a settings file unreadable at start holds the user's
    // settings while the tables hold defaults, which a save would put over them.
    static void leaveUntouched(const std::string& path);
    static bool isLeftUntouched(const std::string& path);

    // The value, or defaultValue when the section or key does not exist.
    std::string value(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    bool contains(std::string_view section, std::string_view key) const;

    // value is UTF-8 text; line breaks in it become blanks.
    void setValue(std::string_view section, std::string_view key, std::string_view value);
    void removeKey(std::string_view section, std::string_view key);

    // Windows-1252 bytes with CR LF; UTF-8 with a byte order mark when
    // Windows-1252 cannot hold the text or would read back as other text.
    std::string toBytes() const;
    // Replaces the file atomically; false when it could not be written.
    bool save(const std::string& path) const;

private:
    struct Line {
        std::string text;     // the line as it stands, UTF-8, no line break
        std::string section;  // for a section line: its name
        std::string key;      // for a key line: its trimmed name
        bool isSection = false;
        bool isKey = false;
    };

    static Line parseLine(std::string text);
    // Index of the section line, or -1.
    long findSection(std::string_view section) const;
    // Index of the key line inside the section starting at sectionIndex, or -1.
    long findKey(long sectionIndex, std::string_view key) const;

    std::vector<Line> m_lines;
};

// The three primitives every settings access goes through. Each reads the
// file afresh, as the profile functions do.
std::string ReadIniValue(std::string_view section, std::string_view key, std::string_view defaultValue,
                         const std::string& file);
bool WriteIniValue(std::string_view section, std::string_view key, std::string_view value, const std::string& file);
bool DeleteIniKey(std::string_view section, std::string_view key, const std::string& file);

} // namespace ventoral
