// A main window for tests of the skinned face: the built skin, every control, the named
// commands, a scripted prompt and fake ports, for one edition name.
#pragma once

#include "app/Edition.h"
#include "app/Layout.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/ui/FakePorts.h"
#include "ui/Commands.h"
#include "ui/DeepBlue.h"
#include "ui/SkinHost.h"

#include <QTest>
#include <QTreeWidget>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QProgressBar>
#include <QWidget>

#include <memory>

inline const QString ProgramDir = QStringLiteral(VC_PROGRAM_DIR "/");

struct Rig {
    explicit Rig(const QString& exe)
    {
        window.setFixedSize(designed::windowWidth, designed::windowHeight);
        window.setStyleSheet(deepblue::styleSheet(ProgramDir));
        skin = new SkinHost(&window);
        form = buildMainForm(&window);
        state.ExeFileName = exe;
        ctx = std::make_unique<MainContext>(MainContext{state, form, prompt, ProgramDir});
        fakes.attach(*ctx);
        QString error;
        loaded = skin->loadSkin(ProgramDir + QStringLiteral("skn.skn"), QStringLiteral("popvideoconverter"), &error);
        if (!loaded)
            qWarning("%s", qPrintable(error));
        skin->applyLayout(SkinLayoutName(edition::IsDvdEdition(exe), edition::IsVemraBrand(exe)));
        placeControls(LayoutFor(edition::IsDvdEdition(exe), edition::IsVemraBrand(exe)));
        ctx->ProfilesTextObject = skin->findObject(QStringLiteral("profilestext"));
        ctx->PlayTimeObject = skin->findObject(QStringLiteral("play_time"));
        ctx->HintObject = skin->findObject(QStringLiteral("hint"));
        ctx->PlayBarObject = skin->findObject(QStringLiteral("play_bar"));
        commands = std::make_unique<Commands>(*ctx, *skin);
        ctx->hints = commands.get();
        window.move(100, 80);
        window.show();
        (void)QTest::qWaitForWindowExposed(&window);
    }

    // As the window does at its first show: the edition's places, the list hidden.
    void placeControls(const EditionLayout& l)
    {
        ::placeControls(form, l);
        form.lv->hide();
        form.ProgressBar1->hide();
    }

    QPoint centre(const QString& object) const { return skin->objectRect(object).center(); }

    void click(const QString& object) { QTest::mouseClick(skin, Qt::LeftButton, {}, centre(object)); }

    void addRow(bool selected)
    {
        auto* item = new QTreeWidgetItem(form.lv, QStringList{QStringLiteral("clip")});
        item->setSelected(selected);
    }

    QString hintText() const { return skin->objectText(QStringLiteral("hint")); }

    QWidget window;
    SkinHost* skin = nullptr;
    MainForm form;
    AppState state;
    ScriptedPrompt prompt;
    std::unique_ptr<MainContext> ctx;
    FakePorts fakes{state};
    std::unique_ptr<Commands> commands;
    bool loaded = false;
};
