#include "ui/Dialogs.h"

#include "platform/ProgramPaths.h"
#include "platform/Shell.h"
#include "ui/NamedWidget.h"
#include "ui/WebLinks.h"

#include <QButtonGroup>
#include <QDir>
#include <QEvent>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>

namespace {

QPushButton* button(QWidget* parent, const char* name, const char* text, int x, int y)
{
    auto* b = makeNamed<QPushButton>(parent, name, x, y, 75, 25);
    b->setText(QLatin1String(text));
    return b;
}

// Grows a control whose text would be clipped in the style it is shown in.
void widenToFit(QWidget* w)
{
    w->ensurePolished();
    if (w->width() < w->sizeHint().width())
        w->resize(w->sizeHint().width(), w->height());
}

void centreOn(QWidget* dialog, const QWidget* owner)
{
    if (owner)
        dialog->move(owner->geometry().center() - dialog->rect().center());
}

} // namespace

// ---- Tfm_dir ----

Tfm_dir::Tfm_dir(AppState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      state_(state)
{
    setObjectName(QStringLiteral("Tfm_dir"));
    setWindowTitle(QStringLiteral("Output Directory"));
    setFixedSize(287, 248);

    model = new QFileSystemModel(this);
    model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    model->setOption(QFileSystemModel::DontWatchForChanges);
    model->setReadOnly(true);
    model->setRootPath(QDir::rootPath());

    ShellTreeView1 = makeNamed<QTreeView>(this, "ShellTreeView1", 14, 13, 259, 192);
    ShellTreeView1->setModel(model);
    ShellTreeView1->setHeaderHidden(true);
    for (int c = 1; c < model->columnCount(); ++c)
        ShellTreeView1->hideColumn(c);
    ShellTreeView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ShellTreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);

    btn_ok = button(this, "btn_ok", "Ok", 36, 216);
    btn_cancel = button(this, "btn_cancel", "Cancel", 172, 216);
    btn_ok->setDefault(true);
    connect(btn_ok, &QPushButton::clicked, this, &Tfm_dir::btn_okClick);
    connect(btn_cancel, &QPushButton::clicked, this, &Tfm_dir::reject);
}

void Tfm_dir::showEvent(QShowEvent* event)
{
    centreOn(this, parentWidget());
    // Open on the user's home folder without choosing it.
    if (!ShellTreeView1->selectionModel()->hasSelection()) {
        QModelIndex home = model->index(QDir::homePath());
        for (QModelIndex i = home; i.isValid(); i = i.parent())
            ShellTreeView1->expand(i);
        ShellTreeView1->scrollTo(home);
    }
    QDialog::showEvent(event);
}

void Tfm_dir::selectFolder(const QString& path)
{
    const QModelIndex index = model->index(path);
    for (QModelIndex i = index.parent(); i.isValid(); i = i.parent())
        ShellTreeView1->expand(i);
    ShellTreeView1->setCurrentIndex(index);
    ShellTreeView1->scrollTo(index);
}

QString Tfm_dir::selectedFolder() const
{
    const QModelIndexList selected = ShellTreeView1->selectionModel()->selectedRows(0);
    if (selected.isEmpty())
        return {};
    const QString path = QDir::cleanPath(model->filePath(selected.first()));
    // The root keeps its separator; every other folder is given without one.
    if (path.size() > 1 && path.endsWith(u'/'))
        return path.chopped(1);
    return path;
}

void Tfm_dir::btn_okClick()
{
    state_.ChosenFolder = selectedFolder();
    if (!state_.ChosenFolder.isEmpty())
        accept();
}

void Tfm_dir::reject()
{
    // The close box acts as Cancel: keeping an earlier choice would hand it out again.
    state_.ChosenFolder.clear();
    QDialog::reject();
}

// ---- Tfm_set ----

Tfm_set::Tfm_set(AppState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), state_(state)
{
    setObjectName(QStringLiteral("Tfm_set"));
    setWindowTitle(QStringLiteral("Settings"));
    setFixedSize(277, 208);

    rg_finish = makeNamed<QGroupBox>(this, "rg_finish", 10, 8, 257, 148);
    rg_finish->setTitle(QStringLiteral("Settings"));
    items = new QButtonGroup(this);
    const char* texts[] = {"Do nothing after converting finished", "Open the target folder after converting finished",
                           "Automatically shutdown after converting finished"};
    for (int i = 0; i < 3; ++i) {
        auto* radio = makeNamed<QRadioButton>(rg_finish, "", 12, 30 + i * 36, 240, 24);
        radio->setText(QLatin1String(texts[i]));
        items->addButton(radio, i);
    }
    Button1 = button(this, "Button1", "OK", 52, 170);
    Button2 = button(this, "Button2", "Cancel", 150, 170);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, [this] {
        state_.FinishAction = items->checkedId();
        accept();
    });
    connect(Button2, &QPushButton::clicked, this, &Tfm_set::reject);
}

void Tfm_set::showEvent(QShowEvent* event)
{
    // The three items keep their texts whole: the group and the dialog grow when needed.
    int right = 0;
    for (QAbstractButton* b : items->buttons()) {
        widenToFit(b);
        right = std::max(right, b->geometry().right());
    }
    const int groupWidth = std::max(257, right + 12);
    rg_finish->resize(groupWidth, rg_finish->height());
    setFixedSize(std::max(277, groupWidth + 20), height());
    for (QPushButton* b : {Button1, Button2})
        widenToFit(b);
    centreOn(this, parentWidget());
    if (QAbstractButton* b = items->button(state_.FinishAction))
        b->setChecked(true);
    QDialog::showEvent(event);
}

// ---- Tfm_about ----

const QColor Tfm_about::WebColor(0x4d, 0xa6, 0xff);
const QColor Tfm_about::WebHoverColor(0xff, 0x4d, 0x4d);

Tfm_about::Tfm_about(AppState& state, const QString& programDir, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      state_(state)
{
    setObjectName(QStringLiteral("Tfm_about"));
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(293, 208);

    Image1 = makeNamed<QLabel>(this, "Image1", 26, 20, 36, 36);
    Image1->setScaledContents(true);
    Image1->setPixmap(QPixmap(programDir + QStringLiteral("skin/about.png")));
    Label1 = makeNamed<QLabel>(this, "Label1", 84, 29, 200, 20);
    QFont bold = Label1->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    Label1->setFont(bold);
    Label4 = makeNamed<QLabel>(this, "Label4", 22, 92, 262, 20);
    lbl_web = makeNamed<QLabel>(this, "lbl_web", 187, 125, 100, 18);
    lbl_web->setText(QStringLiteral("Visit our web"));
    lbl_web->setCursor(Qt::PointingHandCursor);
    lbl_web->installEventFilter(this);
    setWebColor(WebColor);
    Panel1 = makeNamed<QFrame>(this, "Panel1", 14, 150, 270, 2);
    static_cast<QFrame*>(Panel1)->setFrameShape(QFrame::HLine);
    static_cast<QFrame*>(Panel1)->setFrameShadow(QFrame::Sunken);
    btn_contact = button(this, "btn_contact", "Contact us ", 41, 165);
    btn_close = button(this, "btn_close", "Close", 180, 165);
    connect(btn_contact, &QPushButton::clicked, this, [this] { shell::openUrl(web::AboutContactUrl(state_.ExeFileName)); });
    connect(btn_close, &QPushButton::clicked, this, &Tfm_about::accept);
}

void Tfm_about::showEvent(QShowEvent* event)
{
    for (QWidget* w : std::initializer_list<QWidget*>{Label1, Label4, lbl_web, btn_contact, btn_close})
        widenToFit(w);
    QDialog::showEvent(event);
}

void Tfm_about::setWebColor(const QColor& color)
{
    // A style rule, so the window's style sheet cannot override the link colour.
    lbl_web->setStyleSheet(QStringLiteral("QLabel { color: %1; text-decoration: underline; }").arg(color.name()));
}

bool Tfm_about::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lbl_web) {
        switch (event->type()) {
        case QEvent::Enter: setWebColor(WebHoverColor); break;
        case QEvent::Leave: setWebColor(WebColor); break;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
                shell::openUrl(web::BrandSiteUrl(state_.ExeFileName));
            break;
        default: break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// ---- Dialogs ----

Dialogs::Dialogs(MainContext& ctx)
    : ctx_(ctx), dir_(new Tfm_dir(ctx.state, ctx.form.window)), set_(new Tfm_set(ctx.state, ctx.form.window)),
      about_(new Tfm_about(ctx.state, ctx.programDir, ctx.form.window))
{
}

Dialogs::~Dialogs() = default;

void Dialogs::ChooseFolder(const QString& caption)
{
    dir_->setWindowTitle(caption);
    dir_->exec();
}

void Dialogs::ShowFinishDialog()
{
    set_->exec();
}

void Dialogs::ShowAbout()
{
    about_->Label1->setText(paths::exeBaseName(ctx_.state.ExeFileName));
    about_->Label4->setText(web::MakerLine(ctx_.state.ExeFileName));
    if (const QWidget* w = ctx_.form.window)
        about_->move(w->pos() + QPoint(160, 100));
    about_->exec();
}
