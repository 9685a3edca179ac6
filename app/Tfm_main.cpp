#include "app/Tfm_main.h"

#include "app/Layout.h"
#include "app/Settings.h"
#include "convert/ui/ConversionController.h"
#include "dvd/ui/DvdController.h"
#include "platform/ProgramPaths.h"
#include "preview/ui/PreviewController.h"
#include "profiles/ui/Picker.h"
#include "profiles/ui/ProfileController.h"
#include "sources/ui/SourceList.h"
#include "ui/Commands.h"
#include "ui/DeepBlue.h"
#include "ui/Dialogs.h"
#include "ui/MessageBoxPrompt.h"
#include "ui/SkinHost.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>

Tfm_main::Tfm_main(QString exeFileName, QString programDir, QStringList startPaths, Prompt* prompt)
    : exeFileName_(std::move(exeFileName)), startPaths_(std::move(startPaths))
{
    setObjectName(QStringLiteral("Tfm_main"));
    setWindowTitle(QStringLiteral("Video Converter"));
    setFixedSize(designed::windowWidth, designed::windowHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    // The skin is the window's face: created first so every control sits on top of it.
    skin_ = new SkinHost(this);
    form_ = buildMainForm(this);
    if (!prompt) {
        ownPrompt_ = std::make_unique<MessageBoxPrompt>(this, paths::exeBaseName(exeFileName_));
        prompt = ownPrompt_.get();
    }
    ctx_ = std::make_unique<MainContext>(MainContext{state_, form_, *prompt, std::move(programDir)});
    // Drop-down lists, menus, the list and the dialogs share the skin's dark-blue look.
    setStyleSheet(deepblue::styleSheet(ctx_->programDir));
    fitListColumns(form_);

    picker_ = std::make_unique<Picker>(*ctx_);
    profiles_ = std::make_unique<ProfileController>(*ctx_);
    sources_ = std::make_unique<SourceList>(*ctx_);
    conversion_ = std::make_unique<ConversionController>(*ctx_);
    dvd_ = std::make_unique<DvdController>(*ctx_);
    preview_ = std::make_unique<PreviewController>(*ctx_);
    dialogs_ = std::make_unique<Dialogs>(*ctx_);
    ctx_->picker = picker_.get();
    ctx_->profiles = profiles_.get();
    ctx_->sources = sources_.get();
    ctx_->conversion = conversion_.get();
    ctx_->dvd = dvd_.get();
    ctx_->preview = preview_.get();
    ctx_->dialogs = dialogs_.get();

    // Creation: reset the shared state and fix the transcoder's place.
    state_.CategoryId = -1;
    state_.ProfileId = -1;
    state_.TitleMode = true;
    state_.IsPlaying = false;
    state_.IsConverting = false;
    state_.PlayBarDragging = false;
    state_.IsPaused = false;
    state_.CurrentJob.EncoderPath = ctx_->programDir + QStringLiteral("register.dat");
    state_.CurrentJob.WorkDir = ctx_->programDir;

    // Load the skin and look up the display objects.
    QString skinError;
    if (!skin_->loadSkin(ctx_->programDir + QStringLiteral("skn.skn"), QStringLiteral("popvideoconverter"), &skinError))
        ctx_->prompt.error(skinError);
    ctx_->ProfilesTextObject = skin_->findObject(QStringLiteral("profilestext"));
    ctx_->PlayTimeObject = skin_->findObject(QStringLiteral("play_time"));
    ctx_->HintObject = skin_->findObject(QStringLiteral("hint"));
    ctx_->PlayBarObject = skin_->findObject(QStringLiteral("play_bar"));
    commands_ = std::make_unique<Commands>(*ctx_, *skin_);
    ctx_->hints = commands_.get();
    connect(skin_, &SkinHost::closeRequested, this, &QWidget::close);

    connect(form_.cb_channel, &QComboBox::activated, this, &Tfm_main::ChangeDirection);

    ctx_->picker->ClosePicker();
}

Tfm_main::~Tfm_main()
{
    // Nothing the window started may outlive it.
    preview_->Shutdown();
    conversion_->Shutdown();
}

void Tfm_main::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!shown_) {
        shown_ = true;
        firstShow();
    }
}

void Tfm_main::firstShow()
{
    state_.ExeFileName = exeFileName_;

    const edition::SourceFilter filter = edition::EditionSourceFilter(state_.ExeFileName);
    form_.cb_channel->clear();
    form_.cb_channel->addItems(filter.directionItems);
    // Without direction items the box stays empty; greyed with the edition's one direction it
    // reads as intended rather than broken.
    form_.cb_channel->setPlaceholderText(edition::DirectionPlaceholder(state_.ExeFileName));
    form_.cb_channel->setEnabled(!filter.directionItems.isEmpty());
    form_.OpenDialog2Filter = filter.filter;
    state_.EditionFilter = form_.OpenDialog2Filter;

    ApplyEditionLayout();
    // The face's title strip names the product the program was started as.
    if (SkinObject* caption = skin_->findObject(QStringLiteral("caption"))) {
        caption->setText(paths::exeBaseName(state_.ExeFileName));
        caption->redraw();
    }
    ctx_->hints->SetHint(0);

    for (int n = 1; n <= 132; ++n)
        ctx_->picker->RestoreButton(n);

    LoadSettings(*ctx_);

    form_.lv->hide();
    form_.ProgressBar1->hide();

    if (!startPaths_.isEmpty()) {
        // Added once the window is on screen, so the user sees the probes run.
        QTimer::singleShot(0, this, [this] { ctx_->sources->AddPaths(startPaths_); });
    }
}

void Tfm_main::ApplyEditionLayout()
{
    const EditionLayout l = LayoutFor(ctx_->isDvdEdition(), ctx_->isVemraBrand());
    skin_->applyLayout(SkinLayoutName(ctx_->isDvdEdition(), ctx_->isVemraBrand()));
    state_.GroupPanelOffset = l.GroupPanelOffset;
    placeControls(form_, l);
}

void Tfm_main::ChangeDirection(int index)
{
    ctx_->picker->ClosePicker();
    const bool single = index == 0;
    if (single == state_.SingleFormatMode)
        return;  // the direction did not change
    if (form_.lv->topLevelItemCount() > 0
        && !ctx_->prompt.confirm(PromptIcon::Information, QStringLiteral("Change function will clear list, continue?"))) {
        form_.cb_channel->setCurrentIndex(state_.SingleFormatMode ? 0 : 1);
        return;
    }
    if (ctx_->isDvdEdition()) {
        QList<int> all;
        for (int i = 0; i < form_.lv->topLevelItemCount(); ++i)
            all.append(i);
        ctx_->dvd->RowsRemoved(all);
    }
    form_.lv->clear();
    state_.SourceInfos.clear();
    state_.SingleFormatMode = single;
    const IniFile& ini = *state_.MainIni;
    if (single)
        state_.ProfileId = ini.readInt(QStringLiteral("profiles"), QStringLiteral("selcetsubindex"),
                                       edition::EditionProfile(state_.ExeFileName));
    else
        state_.ProfileId = ini.readInt(QStringLiteral("profiles"), QStringLiteral("mainselcetsubindex"), 1);
    ctx_->profiles->SelectProfile(state_.ProfileId);
}

void Tfm_main::Terminate()
{
    preview_->Shutdown();
    conversion_->Shutdown();
    state_.IsPlaying = false;
    state_.IsConverting = false;
    SaveSettings(*ctx_);
    QCoreApplication::quit();
}

void Tfm_main::closeEvent(QCloseEvent* event)
{
    if (state_.IsPlaying) {
        ctx_->prompt.inform(refusal::StopPlay);
        event->ignore();
        return;
    }
    if (state_.IsConverting) {
        ctx_->prompt.inform(refusal::StopConverting);
        event->ignore();
        return;
    }
    // A refused write keeps the window open once, so the user can make room and try again;
    // the next close goes through, so an unwritable folder never traps the user.
    if (!SaveSettings(*ctx_) && !saveFailedOnce_) {
        saveFailedOnce_ = true;
        event->ignore();
        return;
    }
    event->accept();
}
