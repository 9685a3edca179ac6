#include "profiles/ui/Picker.h"

#include "profiles/ui/PictureButton.h"

#include <QEvent>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>

using namespace picker;

namespace {

// What shows through a blank picture: the panels' colour in the artwork.
const QColor PanelColour(0x1c, 0x2f, 0x52);

void paintPanel(QFrame* frame)
{
    frame->setAutoFillBackground(true);
    QPalette palette = frame->palette();
    palette.setColor(QPalette::Window, PanelColour);
    frame->setPalette(palette);
}

} // namespace

Picker::Picker(MainContext& ctx) : ctx_(ctx)
{
    logic_ = std::make_unique<PickerLogic>(ctx_.state, static_cast<PickerHost&>(*this), ctx_.prompt, ctx_.programDir);

    paintPanel(ctx_.form.pl_main);
    for (int c = 1; c <= CategoryCount; ++c) {
        auto* image = new PictureButton(ctx_.form.pl_main, QLatin1String(Category(c).image), CategoryRect(c), true);
        connect(image, &PictureButton::hovered, this, [this, c] { logic_->categoryHover(c); });
        categories_[c] = image;
        // The column starts with its normal pictures until the first hover.
        showStatic(image, CategoryPicture(c, false));
    }
    showStatic(new PictureButton(ctx_.form.pl_main, QStringLiteral("Image3"), FillerRect(), false), FillerPicture());

    for (int p = 0; p < PanelCount; ++p) {
        QFrame* frame = panel(p);
        const PanelInfo& info = Panels()[p];
        paintPanel(frame);
        frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
        for (int n = info.first; n <= info.last; ++n) {
            const ButtonKind kind = KindOf(n);
            auto* b = new PictureButton(frame, QStringLiteral("btim_%1").arg(n), ButtonRect(n), kind != ButtonKind::PictureOnly);
            if (kind != ButtonKind::PictureOnly)
                connect(b, &PictureButton::hovered, this, [this, n] { logic_->buttonHover(n); });
            if (kind == ButtonKind::HoverAndClick)
                connect(b, &PictureButton::clicked, this, [this, n] { logic_->buttonClick(n); });
            buttons_[n] = b;
        }
        if (info.hasLink) {
            showStatic(new PictureButton(frame, QLatin1String(info.name) + QStringLiteral("_strip"), LinkStripRect(p), false),
                       LinkStripPicture(p));
            auto* l = new PictureButton(frame, QLatin1String(LinkName(info.link)), LinkRect(p), true);
            const PageLink which = info.link;
            connect(l, &PictureButton::clicked, this, [this, which] { logic_->pageLinkClick(which); });
            if (which != PageLink::Image5)
                l->setCursor(Qt::PointingHandCursor);
            showStatic(l, LinkPicture(which));
            links_[static_cast<int>(which)] = l;
        }
    }
    panel(pl_audio2)->setCursor(Qt::PointingHandCursor);

    ctx_.form.im_mainico->installEventFilter(this);
}

Picker::~Picker() = default;

void Picker::OpenPicker(int appliedProfileId)
{
    logic_->OpenPicker(appliedProfileId);
}

void Picker::ClosePicker()
{
    logic_->ClosePicker();
}

void Picker::RestoreButton(int n)
{
    logic_->RestoreButton(n);
}

PictureButton* Picker::button(int n) const
{
    return n >= 1 && n <= 132 ? buttons_[n] : nullptr;
}

PictureButton* Picker::categoryImage(int c) const
{
    return c >= 1 && c <= CategoryCount ? categories_[c] : nullptr;
}

PictureButton* Picker::link(PageLink which) const
{
    return links_[static_cast<int>(which)];
}

bool Picker::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != ctx_.form.im_mainico)
        return false;
    if (event->type() == QEvent::MouseButtonPress) {
        iconPressed_ = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const bool click = iconPressed_ && mouse->button() == Qt::LeftButton
                           && ctx_.form.im_mainico->rect().contains(mouse->position().toPoint());
        iconPressed_ = false;
        if (click)
            OpenPicker(ctx_.state.AppliedProfileId);
        return true;
    }
    return false;
}

QFrame* Picker::panel(int p) const
{
    return ctx_.form.presetPanels[static_cast<std::size_t>(p)];
}

void Picker::showStatic(PictureButton* target, const QString& relativePath)
{
    const QVariant picture = loadPicture(ctx_.programDir + relativePath);
    if (picture.isNull())
        logic_->reportMissing(ctx_.programDir + relativePath);
    target->setPicture(picture.value<QPixmap>(), false);
}

QVariant Picker::loadPicture(const QString& path)
{
    // Read through QImage: QPixmap's loader would answer repeated loads from its cache.
    const QImage image(path);
    if (image.isNull())
        return {};
    return QVariant::fromValue(QPixmap::fromImage(image));
}

void Picker::showButtonPicture(int n, const QVariant& picture, bool highlighted)
{
    buttons_[n]->setPicture(picture.value<QPixmap>(), highlighted);
}

void Picker::showCategoryPicture(int c, const QVariant& picture, bool highlighted)
{
    categories_[c]->setPicture(picture.value<QPixmap>(), highlighted);
}

void Picker::setColumnVisible(bool visible)
{
    ctx_.form.pl_main->setVisible(visible);
}

void Picker::setPanelVisible(int p, bool visible)
{
    panel(p)->setVisible(visible);
}

bool Picker::panelVisible(int p) const
{
    return !panel(p)->isHidden();
}

QPoint Picker::panelPos(int p) const
{
    return panel(p)->pos();
}

void Picker::movePanel(int p, QPoint pos)
{
    panel(p)->move(pos);
}

void Picker::raisePanel(int p)
{
    panel(p)->raise();
}

void Picker::layOutStandAlone(int p, int left, int firstButton, const QList<int>& tops)
{
    QFrame* frame = panel(p);
    frame->move(left, frame->y());
    frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    frame->setLineWidth(1);
    for (int i = 0; i < tops.size(); ++i)
        buttons_[firstButton + i]->move(0, tops[i]);
}

void Picker::setPreviewVisible(bool visible)
{
    ctx_.form.pl_play->setVisible(visible);
}

void Picker::selectProfile(int n)
{
    if (ctx_.profiles)
        ctx_.profiles->SelectProfile(n);
}
