#include "ui/Commands.h"

#include "ui/SkinHost.h"

Commands::Commands(MainContext& ctx, SkinHost& skin) : ctx_(ctx), skin_(skin)
{
    connect(&skin_, &SkinHost::clicked, this, &Commands::click);
    connect(&skin_, &SkinHost::mouseDown, this, [this](const QString& n, Qt::MouseButton, int, int) { mouseDown(n); });
    connect(&skin_, &SkinHost::mouseUp, this, [this](const QString& n, Qt::MouseButton, int, int) { mouseUp(n); });
    connect(&skin_, &SkinHost::mouseMoved, this, [this](const QString& n, int, int) { mouseMove(n); });
}

void Commands::click(const QString&) {}
void Commands::mouseDown(const QString&) { ctx_.picker->ClosePicker(); }
void Commands::mouseUp(const QString&) {}
void Commands::mouseMove(const QString&) {}
void Commands::SetHint(int) {}
