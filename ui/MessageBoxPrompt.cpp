#include "ui/MessageBoxPrompt.h"

#include <QFile>
#include <QMessageBox>
#include <QStringList>

MessageBoxPrompt::MessageBoxPrompt(QWidget* parent, QString caption)
    : parent_(parent), caption_(std::move(caption)) {}

PromptAnswer MessageBoxPrompt::ask(PromptIcon icon, PromptButtons buttons, const QString& text)
{
    const QString log = qEnvironmentVariable("VC_PROMPT_LOG");
    if (!log.isEmpty()) {
        static const char* iconNames[] = {"warning", "information", "question", "error"};
        QFile f(log);
        if (f.open(QIODevice::Append | QIODevice::Text))
            f.write(QByteArray(iconNames[static_cast<int>(icon)]) + '\t' + QString(text).replace(u'\n', QLatin1String("\\n")).toUtf8() + '\n');
        if (buttons == PromptButtons::Ok)
            return PromptAnswer::Ok;
        const QStringList answers = qEnvironmentVariable("VC_PROMPT_ANSWERS").split(u',', Qt::SkipEmptyParts);
        const QString answer = answered_ < answers.size() ? answers.at(answered_).trimmed().toLower() : QStringLiteral("yes");
        ++answered_;
        return answer == QLatin1String("no") ? PromptAnswer::No : PromptAnswer::Yes;
    }

    QMessageBox box(parent_);
    box.setWindowTitle(caption_);
    box.setText(text);
    switch (icon) {
    case PromptIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case PromptIcon::Information: box.setIcon(QMessageBox::Information); break;
    case PromptIcon::Question: box.setIcon(QMessageBox::Question); break;
    case PromptIcon::Error: box.setIcon(QMessageBox::Critical); break;
    }
    if (buttons == PromptButtons::Ok) {
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return PromptAnswer::Ok;
    }
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? PromptAnswer::Yes : PromptAnswer::No;
}
