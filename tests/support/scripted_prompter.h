// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Message boxes for tests: records every message and answers questions
// from a queue (No when it is empty).

#include <deque>
#include <string>
#include <vector>

#include "platform/prompter.h"

namespace ventoral {

class ScriptedPrompter : public Prompter {
public:
    struct Message {
        std::string kind; // "inform", "warn" or "ask"
        std::string title;
        std::string text;
    };

    void answer(bool yes) { m_answers.push_back(yes); }
    const std::vector<Message>& messages() const { return m_messages; }

    void inform(const std::string& title, const std::string& text) override { m_messages.push_back({"inform", title, text}); }
    void warn(const std::string& title, const std::string& text) override { m_messages.push_back({"warn", title, text}); }
    bool askYesNo(const std::string& title, const std::string& text) override
    {
        m_messages.push_back({"ask", title, text});
        if (m_answers.empty())
            return false;
        const bool yes = m_answers.front();
        m_answers.pop_front();
        return yes;
    }

private:
    std::deque<bool> m_answers;
    std::vector<Message> m_messages;
};

} // namespace ventoral
