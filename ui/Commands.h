// The named commands of the main window: skin object clicks, popup menus, mouse handling and
// the hint line, resolved through one table with each command's guards.
#pragma once

#include "ui/MainContext.h"

#include <QObject>

class QMenu;
class SkinHost;

class Commands : public QObject, public HintPort {
    Q_OBJECT
public:
    Commands(MainContext& ctx, SkinHost& skin);

    void click(const QString& objectName);
    void mouseDown(const QString& objectName);
    void mouseUp(const QString& objectName);
    void mouseMove(const QString& objectName);
    void SetHint(int index) override;

private:
    MainContext& ctx_;
    SkinHost& skin_;
};
