// A prompt for tests: records every message and answers Yes/No questions from a queue.
#pragma once

#include "platform/Prompt.h"

#include <QList>
#include <QStringList>

class ScriptedPrompt : public Prompt {
public:
    struct Message {
        PromptIcon icon;
        PromptButtons buttons;
        QString text;
    };

    PromptAnswer ask(PromptIcon icon, PromptButtons buttons, const QString& text) override
    {
        messages.append({icon, buttons, text});
        if (buttons == PromptButtons::Ok)
            return PromptAnswer::Ok;
        return answers.isEmpty() || answers.takeFirst() ? PromptAnswer::Yes : PromptAnswer::No;
    }

    QStringList texts() const
    {
        QStringList t;
        for (const Message& m : messages)
            t.append(m.text);
        return t;
    }

    QList<Message> messages;
    QList<bool> answers;  // true = Yes; Yes when empty
};
