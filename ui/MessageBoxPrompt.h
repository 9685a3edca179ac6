// The prompt service shown as modal message boxes. Under VC_PROMPT_LOG the messages are written
// to that file instead and answered from VC_PROMPT_ANSWERS (comma-separated "yes"/"no", used
// in turn; "yes" once they run out), so a whole program can run unattended in tests.
#pragma once

#include "platform/Prompt.h"

class QWidget;

class MessageBoxPrompt : public Prompt {
public:
    explicit MessageBoxPrompt(QWidget* parent, QString caption);
    PromptAnswer ask(PromptIcon icon, PromptButtons buttons, const QString& text) override;
    void setCaption(const QString& caption) { caption_ = caption; }

private:
    QWidget* parent_;
    QString caption_;
    int answered_ = 0;
};
