// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file open and save dialogs and the printer set-up, answered by a
// person in the program and by a script in tests. A cancel is nullopt or
// false and changes nothing.

#include <optional>
#include <string>

namespace ventoral {

struct FileChoice {
    std::string path;   // full path of the chosen file
    std::string name;   // its name without the folder
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // initial may hold a folder and a wildcard pattern; filter is
    // "description|pattern".
    virtual std::optional<FileChoice> openFile(const std::string& title, const std::string& initial,
                                               const std::string& filter) = 0;
    virtual std::optional<FileChoice> saveFile(const std::string& title, const std::string& initialFolder,
                                               const std::string& filter) = 0;
    // The printer and page chosen here are the ones printing uses afterwards.
    virtual bool printerSetup(const std::string& title) = 0;
    // A folder, browsing from startFolder (any folder when it does not exist).
    virtual std::optional<std::string> chooseFolder(const std::string& title, const std::string& startFolder) = 0;
};

} // namespace ventoral
