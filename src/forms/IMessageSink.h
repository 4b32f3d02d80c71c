#pragma once
// Where a form's message boxes go: the Qt view shows a real message box, the
// headless driver and the tests collect the texts.
#include <string>
#include <vector>

#include "forms/FormTypes.h"

namespace dralun {

class IMessageSink {
public:
    virtual ~IMessageSink() = default;
    // Shows the message and returns when the user has acknowledged it.
    virtual void ShowMessage(const std::string& text, MsgIcon icon) = 0;
};

struct Message {
    std::string text;
    MsgIcon icon;
};

class CMessageLog : public IMessageSink {
public:
    void ShowMessage(const std::string& text, MsgIcon icon) override { m_messages.push_back({text, icon}); }
    const std::vector<Message>& Messages() const { return m_messages; }
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const auto& m : m_messages)
            texts.push_back(m.text);
        return texts;
    }
    void Clear() { m_messages.clear(); }

private:
    std::vector<Message> m_messages;
};

// Drops every message: a form redone without anyone to read them.
class CSilentSink : public IMessageSink {
public:
    void ShowMessage(const std::string&, MsgIcon) override {}
};

} // namespace dralun
