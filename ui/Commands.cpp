#include "ui/Commands.h"

#include "platform/ProgramPaths.h"
#include "platform/Shell.h"
#include "ui/HintTexts.h"
#include "ui/Menus.h"
#include "ui/SkinHost.h"
#include "ui/WebLinks.h"

#include <QEvent>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QShortcut>
#include <QTreeWidget>

namespace {

const QString ChangeTitleMode = QStringLiteral("Please change title mode!");

// Keyboard shortcuts run the same named commands; the DVD edition has its own for adding.
struct Key {
    const char* sequence;
    const char* fileCommand;
    const char* dvdCommand;
};
constexpr Key Keys[] = {
    {"Ctrl+O", "openfiles", "dvdopen"},
    {"Ctrl+Shift+O", "openfolder", "ifoopen"},
    {"Del", "remove", "remove"},
    {"Ctrl+Return", "converter", "converter"},
};

} // namespace

const std::vector<Commands::Row>& Commands::table()
{
    using G = Guard;
    static const std::vector<Row> rows = {
        {"profiles", {G::Converting}, &Commands::openPicker},
        {"openfiles", {G::Converting}, &Commands::addFiles},
        {"chapter", {G::Playing, G::Converting}, &Commands::toggleTitleMode},
        {"ifoopen", {G::Converting, G::Playing}, &Commands::addIfo},
        {"dvdopen", {G::Converting, G::Playing}, &Commands::openDvd},
        {"openfolder", {G::Converting}, &Commands::addFolder},
        {"converter", {G::Playing, G::Converting, G::ListEmpty}, &Commands::convert},
        {"remove", {G::Playing, G::Converting}, &Commands::remove},
        {"clear", {G::Playing, G::Converting}, &Commands::clear},
        {"stopconverter", {G::OnlyConverting}, &Commands::stopConversion},
        {"browse", {}, &Commands::browse},
        {"open", {}, &Commands::openOutputFolder},
        {"help", {}, &Commands::popHelp},
        {"file", {}, &Commands::popFile},
        {"dvdfile", {}, &Commands::popDvd},
        {"play", {G::NoSelectedRow, G::Converting}, &Commands::play},
        {"stopplay", {}, &Commands::stopPlay},
        {"pause", {G::OnlyPlaying}, &Commands::pause},
        {"settings", {}, &Commands::settings},
        {"cutter", {G::Playing, G::Converting, G::ChapterMode}, &Commands::cutter},
        // Reached from the popup menus only.
        {"exit", {}, &Commands::exit},
        {"selectall", {}, &Commands::selectAll},
        {"unselectall", {}, &Commands::unselectAll},
        {"website", {}, &Commands::website},
        {"support", {}, &Commands::support},
        {"about", {}, &Commands::about},
    };
    return rows;
}

Commands::Commands(MainContext& ctx, SkinHost& skin) : ctx_(ctx), skin_(skin)
{
    connect(&skin_, &SkinHost::clicked, this, &Commands::click);
    connect(&skin_, &SkinHost::mouseDown, this, [this](const QString& n, Qt::MouseButton, int, int) { mouseDown(n); });
    connect(&skin_, &SkinHost::mouseUp, this, [this](const QString& n, Qt::MouseButton, int, int) { mouseUp(n); });
    connect(&skin_, &SkinHost::mouseMoved, this, [this](const QString& n, int, int) { mouseMove(n); });

    for (const menus::Popup& p : menus::Popups) {
        QMenu* m = menus::build(p, ctx_.form.window);
        connect(m, &QMenu::triggered, this, [this](QAction* a) { run(a->data().toString()); });
        menus_.push_back(m);
    }

    for (const Key& k : Keys) {
        auto* shortcut = new QShortcut(QKeySequence(QLatin1String(k.sequence)), ctx_.form.window);
        connect(shortcut, &QShortcut::activated, this, [this, k] {
            run(QLatin1String(ctx_.isDvdEdition() ? k.dvdCommand : k.fileCommand));
        });
    }

    // A press on the list, the output box or the preview panel closes the picker.
    for (QObject* o : {static_cast<QObject*>(ctx_.form.lv), static_cast<QObject*>(ctx_.form.lv->viewport()),
                       static_cast<QObject*>(ctx_.form.ed_output), static_cast<QObject*>(ctx_.form.pl_play)})
        o->installEventFilter(this);
}

Commands::~Commands() = default;

bool Commands::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress)
        ctx_.picker->ClosePicker();
    return QObject::eventFilter(watched, event);
}

bool Commands::run(const QString& name)
{
    for (const Row& row : table())
        if (name == QLatin1String(row.name)) {
            if (passes(row.guards))
                (this->*row.action)();
            return true;
        }
    return false;
}

bool Commands::passes(const std::vector<Guard>& guards)
{
    const AppState& s = ctx_.state;
    for (Guard g : guards) {
        switch (g) {
        case Guard::Converting:
            if (s.IsConverting) {
                ctx_.prompt.warn(refusal::StopConvert);
                return false;
            }
            break;
        case Guard::Playing:
            if (s.IsPlaying) {
                ctx_.prompt.warn(refusal::StopPlay);
                return false;
            }
            break;
        case Guard::ChapterMode:
            if (!s.TitleMode) {
                ctx_.prompt.warn(ChangeTitleMode);
                return false;
            }
            break;
        case Guard::ListEmpty:
            if (ctx_.form.lv->topLevelItemCount() == 0)
                return false;
            break;
        case Guard::NoSelectedRow:
            if (firstSelectedRow(ctx_.form) < 0)
                return false;
            break;
        case Guard::OnlyConverting:
            if (!s.IsConverting)
                return false;
            break;
        case Guard::OnlyPlaying:
            if (!s.IsPlaying)
                return false;
            break;
        }
    }
    return true;
}

void Commands::click(const QString& objectName)
{
    run(objectName);
}

void Commands::mouseDown(const QString& objectName)
{
    ctx_.picker->ClosePicker();
    const AppState& s = ctx_.state;
    if (!s.IsConverting && !ctx_.isDvdEdition() && objectName == QLatin1String("play_bar") && s.IsPlaying) {
        ctx_.state.PlayBarDragging = true;
        skin_.trackSlider();
    }
}

void Commands::mouseUp(const QString& objectName)
{
    const AppState& s = ctx_.state;
    if (!s.IsConverting && !ctx_.isDvdEdition() && objectName == QLatin1String("play_bar") && s.IsPlaying)
        ctx_.preview->PlayBarReleased();
}

void Commands::mouseMove(const QString& objectName)
{
    SetHint(hints::indexFor(objectName));
}

void Commands::SetHint(int index)
{
    if (!ctx_.HintObject || index < 0 || index >= int(hints::Texts.size()))
        return;
    const QString text = index == 0 ? hints::welcomeText(paths::exeBaseName(ctx_.state.ExeFileName))
                                    : QLatin1String(hints::Texts[index]);
    ctx_.HintObject->setText(text);
    ctx_.HintObject->redraw();
}

QMenu* Commands::menu(const QString& menuName) const
{
    for (QMenu* m : menus_)
        if (m->objectName() == menuName)
            return m;
    return nullptr;
}

void Commands::popup(const char* objectName)
{
    for (std::size_t i = 0; i < menus::Popups.size(); ++i) {
        const menus::Popup& p = menus::Popups[i];
        if (QLatin1String(p.object) != QLatin1String(objectName))
            continue;
        const QPoint offset = ctx_.isVemraBrand() ? p.vemraOffset : p.defaultOffset;
        // The window is frameless: its top-left corner is its client origin.
        menus_[i]->popup(ctx_.form.window->mapToGlobal(offset));
    }
}

void Commands::openPicker() { ctx_.picker->OpenPicker(ctx_.state.AppliedProfileId); }
void Commands::addFiles() { ctx_.sources->AddSourceFiles(); }
void Commands::addFolder() { ctx_.sources->AddSourceFolder(); }
void Commands::toggleTitleMode() { ctx_.dvd->ToggleTitleMode(); }
void Commands::addIfo() { ctx_.dvd->AddIfoFiles(); }
void Commands::openDvd() { ctx_.dvd->OpenDvdFolder(); }
void Commands::convert() { ctx_.conversion->StartConversion(); }
void Commands::remove() { ctx_.sources->RemoveSelectedSources(); }
void Commands::clear() { ctx_.sources->ClearSources(); }
void Commands::stopConversion() { ctx_.conversion->StopConversion(); }

void Commands::browse()
{
    ctx_.dialogs->ChooseFolder(QStringLiteral("Output Directory"));
    if (ctx_.state.ChosenFolder.isEmpty())
        return;
    ctx_.state.OutputFolder = ctx_.state.ChosenFolder;
    ctx_.form.ed_output->setText(ctx_.state.OutputFolder);
}

void Commands::openOutputFolder() { shell::openFolder(ctx_.state.OutputFolder); }
void Commands::popHelp() { popup("help"); }
void Commands::popFile() { popup("file"); }
void Commands::popDvd() { popup("dvdfile"); }

void Commands::play()
{
    if (ctx_.isDvdEdition())
        ctx_.preview->PreviewDvdRow();
    else
        ctx_.preview->PreviewFileRow();
}

void Commands::stopPlay() { ctx_.preview->StopPreview(); }
void Commands::pause() { ctx_.preview->TogglePause(); }
void Commands::settings() { ctx_.dialogs->ShowFinishDialog(); }
void Commands::cutter() {}  // there is no cutting: the button only shows its refusals
void Commands::exit() { ctx_.form.window->close(); }
void Commands::selectAll() { ctx_.dvd->SetAllChecks(true); }
void Commands::unselectAll() { ctx_.dvd->SetAllChecks(false); }
void Commands::website() { shell::openUrl(web::BrandSiteUrl(ctx_.state.ExeFileName)); }
void Commands::support() { shell::openUrl(web::SupportUrl(ctx_.state.ExeFileName)); }
void Commands::about() { ctx_.dialogs->ShowAbout(); }
