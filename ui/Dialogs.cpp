#include "ui/Dialogs.h"

#include <QFileDialog>

Dialogs::Dialogs(MainContext& ctx) : ctx_(ctx) {}
Dialogs::~Dialogs() = default;

void Dialogs::ChooseFolder(const QString& caption)
{
    ctx_.state.ChosenFolder = QFileDialog::getExistingDirectory(ctx_.form.window, caption);
}

void Dialogs::ShowFinishDialog() {}
void Dialogs::ShowAbout() {}
