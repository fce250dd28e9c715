// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file open and save dialogs and the printer set-up, answered by a
// person in the program and by a script in tests. A cancel is nullopt or
// false and changes nothing.

#include <deque>
#include <optional>
#include <string>
#include <vector>

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

// Answers from queues (a folder is the path of an answer); an empty queue
// cancels. Records every title asked.
class ScriptedFileDialogs : public FileDialogs {
public:
    std::deque<std::optional<FileChoice>> answers;
    std::deque<bool> printerAnswers;
    std::vector<std::string> titles;

    std::optional<FileChoice> openFile(const std::string& title, const std::string&, const std::string&) override
    {
        return next(title);
    }
    std::optional<FileChoice> saveFile(const std::string& title, const std::string&, const std::string&) override
    {
        return next(title);
    }
    std::optional<std::string> chooseFolder(const std::string& title, const std::string&) override
    {
        const auto answer = next(title);
        if (!answer)
            return std::nullopt;
        return answer->path;
    }
    bool printerSetup(const std::string& title) override
    {
        titles.push_back(title);
        if (printerAnswers.empty())
            return false;
        const bool ok = printerAnswers.front();
        printerAnswers.pop_front();
        return ok;
    }

private:
    std::optional<FileChoice> next(const std::string& title)
    {
        titles.push_back(title);
        if (answers.empty())
            return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

} // namespace ventoral
