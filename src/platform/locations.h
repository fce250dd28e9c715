// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the program keeps its settings file, writes its folders and finds
// its delivered data files.

#include <string>

namespace ventoral {

class Locations {
public:
    virtual ~Locations() = default;
    // Full path of "vntl.ini" in the per-user config folder.
    virtual std::string settingsFile() const = 0;
    // The program folder, in the user's own data folder: Faces, Data and the
    // trace log are written here, wherever the program file lies.
    virtual std::string programFolder() const = 0;
    // The folder of the delivered read-only data files.
    virtual std::string deliveredDataFolder() const = 0;
};

// Folders fixed when the program starts, or by a test.
class FixedLocations : public Locations {
public:
    FixedLocations(std::string settingsFile, std::string programFolder, std::string dataFolder)
        : m_settingsFile(std::move(settingsFile)), m_programFolder(std::move(programFolder)),
          m_dataFolder(std::move(dataFolder))
    {
    }
    std::string settingsFile() const override { return m_settingsFile; }
    std::string programFolder() const override { return m_programFolder; }
    std::string deliveredDataFolder() const override { return m_dataFolder; }

private:
    std::string m_settingsFile;
    std::string m_programFolder;
    std::string m_dataFolder;
};

} // namespace ventoral
