// The modal message service. Commands never open message boxes themselves: they ask a Prompt,
// which the window shows as a message box and tests script.
#pragma once

#include <QString>

enum class PromptIcon { Warning, Information, Question, Error };
enum class PromptButtons { Ok, YesNo };
enum class PromptAnswer { Ok, Yes, No };

class Prompt {
public:
    virtual ~Prompt() = default;
    virtual PromptAnswer ask(PromptIcon icon, PromptButtons buttons, const QString& text) = 0;

    void warn(const QString& text) { ask(PromptIcon::Warning, PromptButtons::Ok, text); }
    void inform(const QString& text) { ask(PromptIcon::Information, PromptButtons::Ok, text); }
    void error(const QString& text) { ask(PromptIcon::Error, PromptButtons::Ok, text); }
    bool confirm(PromptIcon icon, const QString& text)
    {
        return ask(icon, PromptButtons::YesNo, text) == PromptAnswer::Yes;
    }
};

// The refusal texts that many commands share.
namespace refusal {
inline const QString StopConvert = QStringLiteral("Please first stop convert!");
inline const QString StopPlay = QStringLiteral("Please first stop play!");
inline const QString StopConverting = QStringLiteral("Please first stop converting!");
} // namespace refusal
