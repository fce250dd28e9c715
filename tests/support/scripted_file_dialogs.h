// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// File dialogs for tests: answers from queues (a folder is the path of an
// answer); an empty queue cancels. Records every title asked.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_dialogs.h"

namespace ventoral {

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
