#include "convert/ui/JobOutputFolder.h"

#include "convert/CommandBuilder.h"

#include <QLineEdit>

std::optional<QString> PrepareJobOutputFolder(MainContext& ctx, QString* error)
{
    const QString text = ctx.form.ed_output->text();
    const std::optional<QString> folder = command::PrepareOutputFolder(text, error);
    ctx.state.OutputFolder = folder ? *folder : text;
    if (text.isEmpty() && folder)
        ctx.form.ed_output->setText(*folder);
    return folder;
}
