#include "ui/SkinHost.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include <algorithm>

namespace {

using skin::ObjectDef;
using skin::ObjectType;
using skin::WindowAction;

const QColor PlainFace(0x14, 0x22, 0x3d);
const QColor PlainStrip(0x1f, 0x5f, 0xb0);
const QColor PlainText(0xe8, 0xf0, 0xff);
constexpr int PlainStripHeight = 28;

QImage plainGlyph(QSize size, bool close, int state)
{
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(state == skin::Normal ? PlainStrip : state == skin::Hover ? PlainStrip.lighter(130) : PlainStrip.darker(130));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(PlainText, 2));
    const QRectF r = QRectF(img.rect()).adjusted(7, 5, -7, -5);
    if (close) {
        p.drawLine(r.topLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomLeft());
    } else {
        p.drawLine(QPointF(r.left(), r.bottom()), r.bottomRight());
    }
    return img;
}

} // namespace

class SkinHost::Handle : public SkinObject {
public:
    Handle(SkinHost& host, QString name) : host_(host), name_(std::move(name)) {}
    QString name() const override { return name_; }
    void setText(const QString& text) override { text_ = text; }
    void redraw() override
    {
        const QRect r = host_.objectRect(name_);
        if (!r.isEmpty())
            host_.update(r);
    }
    void setPosition(int position) override { position_ = std::clamp(position, 0, 10000); }
    int position() const override { return position_; }

    QString text_;
    int position_ = 0;
    bool enabled_ = true;

private:
    SkinHost& host_;
    QString name_;
};

SkinHost::SkinHost(QWidget* window) : QWidget(window)
{
    setObjectName(QStringLiteral("Skin1"));
    setGeometry(window->rect());
    setMouseTracking(true);
    // The skin draws the window's frame itself.
    window->setWindowFlag(Qt::FramelessWindowHint);
    usePlainFace();
}

SkinHost::~SkinHost() = default;

void SkinHost::usePlainFace()
{
    // Enough of a face to move, minimise and close the window when the skin cannot be used.
    form_ = {};
    form_.name = QStringLiteral("plain");
    form_.size = size();
    skin::LayoutDef plain;
    plain.name = QStringLiteral("plain");
    plain.background = QImage(size(), QImage::Format_ARGB32_Premultiplied);
    plain.background.fill(PlainFace);
    {
        QPainter p(&plain.background);
        p.fillRect(0, 0, width(), PlainStripHeight, PlainStrip);
    }
    ObjectDef title;
    title.name = QStringLiteral("title");
    title.type = ObjectType::Area;
    title.rect = QRect(0, 0, width(), PlainStripHeight);
    title.action = WindowAction::Drag;
    ObjectDef caption;
    caption.name = QStringLiteral("caption");
    caption.type = ObjectType::Text;
    caption.rect = QRect(10, 0, width() - 80, PlainStripHeight);
    caption.text = window()->windowTitle();
    caption.fontSize = 13;
    caption.bold = true;
    caption.color = PlainText;
    plain.objects = {title, caption};
    for (bool close : {false, true}) {
        ObjectDef b;
        b.name = close ? QStringLiteral("close") : QStringLiteral("minimize");
        b.type = ObjectType::Button;
        b.action = close ? WindowAction::Close : WindowAction::Minimize;
        b.rect = QRect(width() - (close ? 30 : 60), 2, 28, 24);
        for (int st = 0; st < 4; ++st)
            b.pictures[st] = plainGlyph(b.rect.size(), close, st);
        plain.objects.append(b);
    }
    form_.layouts = {plain};
    layoutIndex_ = 0;
    // Display objects are not part of the plain face.
    handles_.clear();
    for (const ObjectDef& o : plain.objects)
        handles_.emplace(o.name, std::make_unique<Handle>(*this, o.name));
    handles_.at(caption.name)->text_ = caption.text;
    update();
}

bool SkinHost::loadSkin(const QString& path, const QString& formName, QString* error)
{
    std::optional<skin::FormDef> form = skin::readSkinForm(path, formName, error);
    hovered_ = pressed_ = -1;
    if (!form) {
        loaded_ = false;
        usePlainFace();
        return false;
    }
    loaded_ = true;
    form_ = std::move(*form);
    layoutIndex_ = 0;
    handles_.clear();
    for (const skin::LayoutDef& l : form_.layouts)
        for (const ObjectDef& o : l.objects)
            if (!handles_.count(o.name)) {
                auto h = std::make_unique<Handle>(*this, o.name);
                h->text_ = o.text;
                handles_.emplace(o.name, std::move(h));
            }
    update();
    return true;
}

void SkinHost::applyLayout(const QString& layoutName)
{
    layoutIndex_ = 0;
    for (int i = 0; i < form_.layouts.size(); ++i)
        if (form_.layouts[i].name == layoutName)
            layoutIndex_ = i;
    // A text object keeps what was written to it; one never written shows this layout's text.
    for (const ObjectDef& o : layout().objects)
        if (o.type == ObjectType::Text && handle(o.name)->text_.isEmpty())
            handle(o.name)->text_ = o.text;
    hovered_ = pressed_ = -1;
    update();
}

QString SkinHost::layoutName() const
{
    return layout().name;
}

const skin::LayoutDef& SkinHost::layout() const
{
    return form_.layouts.at(layoutIndex_);
}

SkinObject* SkinHost::findObject(const QString& name)
{
    return handle(name);
}

SkinHost::Handle* SkinHost::handle(const QString& name) const
{
    const auto it = handles_.find(name);
    return it == handles_.end() ? nullptr : it->second.get();
}

const ObjectDef* SkinHost::objectDef(const QString& name) const
{
    for (const ObjectDef& o : layout().objects)
        if (o.name == name)
            return &o;
    return nullptr;
}

QStringList SkinHost::objectNames() const
{
    QStringList names;
    for (const ObjectDef& o : layout().objects)
        names.append(o.name);
    return names;
}

QRect SkinHost::objectRect(const QString& name) const
{
    const ObjectDef* o = objectDef(name);
    return o ? o->rect : QRect();
}

QString SkinHost::objectText(const QString& name) const
{
    const Handle* h = handle(name);
    return h ? h->text_ : QString();
}

void SkinHost::setObjectEnabled(const QString& name, bool enabled)
{
    if (Handle* h = handle(name)) {
        h->enabled_ = enabled;
        h->redraw();
    }
}

bool SkinHost::isObjectEnabled(const QString& name) const
{
    const Handle* h = handle(name);
    return h && h->enabled_;
}

void SkinHost::trackSlider()
{
    trackRequested_ = true;
}

int SkinHost::objectAt(QPoint p) const
{
    const QList<ObjectDef>& objects = layout().objects;
    for (int i = objects.size() - 1; i >= 0; --i)
        if (objects[i].rect.contains(p))
            return i;
    return -1;
}

void SkinHost::repaintObject(int index)
{
    if (index >= 0 && index < layout().objects.size())
        update(layout().objects[index].rect);
}

void SkinHost::setHovered(int index)
{
    if (index == hovered_)
        return;
    repaintObject(hovered_);
    hovered_ = index;
    repaintObject(hovered_);
    const ObjectDef* o = index >= 0 ? &layout().objects[index] : nullptr;
    const bool active = o && (o->type == ObjectType::Button || o->type == ObjectType::Slider) && handle(o->name)->enabled_;
    setCursor(active ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void SkinHost::followSlider(int x)
{
    if (pressed_ < 0)
        return;
    const ObjectDef& o = layout().objects[pressed_];
    const int span = o.rect.width() - o.thumb.width();
    const int offset = x - o.rect.left() - o.thumb.width() / 2;
    Handle* h = handle(o.name);
    h->setPosition(span > 0 ? int((qint64(offset) * 10000 + span / 2) / span) : 0);
    h->redraw();
}

void SkinHost::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.setClipRegion(event->region());
    p.drawImage(0, 0, layout().background);
    const QList<ObjectDef>& objects = layout().objects;
    for (int i = 0; i < objects.size(); ++i) {
        const ObjectDef& o = objects[i];
        if (!event->region().intersects(o.rect))
            continue;
        const Handle* h = handle(o.name);
        switch (o.type) {
        case ObjectType::Button: {
            int state = skin::Normal;
            if (!h->enabled_)
                state = skin::Disabled;
            else if (i == pressed_ && i == hovered_)
                state = skin::Pressed;
            else if (i == hovered_ && pressed_ < 0)
                state = skin::Hover;
            p.drawImage(o.rect.topLeft(), o.pictures[state]);
            break;
        }
        case ObjectType::Text: {
            QFont font(o.fontFamily);
            font.setPixelSize(qRound(o.fontSize));
            font.setBold(o.bold);
            p.setFont(font);
            p.setPen(o.color);
            const QString shown = QFontMetrics(font).elidedText(h->text_, Qt::ElideRight, o.rect.width());
            p.drawText(o.rect, int(o.align), shown);
            break;
        }
        case ObjectType::Slider: {
            p.drawImage(o.rect.topLeft(), o.track);
            const QImage& thumb = (i == hovered_ || (i == pressed_ && trackingSlider_)) ? o.thumbHover : o.thumb;
            const int span = o.rect.width() - thumb.width();
            const int x = o.rect.left() + int((qint64(h->position_) * span + 5000) / 10000);
            p.drawImage(x, o.rect.top() + (o.rect.height() - thumb.height()) / 2, thumb);
            break;
        }
        case ObjectType::Area:
            break;
        }
    }
}

void SkinHost::mouseMoveEvent(QMouseEvent* event)
{
    if (dragOffset_) {
        window()->move(event->globalPosition().toPoint() - *dragOffset_);
        return;
    }
    const QPoint pos = event->position().toPoint();
    if (trackingSlider_)
        followSlider(pos.x());
    const int index = objectAt(pos);
    setHovered(index);
    emit mouseMoved(index >= 0 ? layout().objects[index].name : QString(), pos.x(), pos.y());
}

void SkinHost::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const int index = objectAt(pos);
    const QString name = index >= 0 ? layout().objects[index].name : QString();
    pressed_ = index;
    repaintObject(index);
    trackRequested_ = false;
    emit mouseDown(name, event->button(), pos.x(), pos.y());
    // A listener may have changed the layout meanwhile; only a still-valid press goes on.
    if (pressed_ != index || index < 0 || event->button() != Qt::LeftButton)
        return;
    const ObjectDef& o = layout().objects[index];
    if (o.action == WindowAction::Drag) {
        pressed_ = -1;
        QWindow* w = window()->windowHandle();
        if (!w || !w->startSystemMove())
            dragOffset_ = event->globalPosition().toPoint() - window()->pos();
        return;
    }
    if (o.type == ObjectType::Slider && trackRequested_ && handle(o.name)->enabled_) {
        trackingSlider_ = true;
        followSlider(pos.x());
    }
}

void SkinHost::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (dragOffset_) {
        dragOffset_.reset();
        return;
    }
    const int index = pressed_;
    const bool wasTracking = trackingSlider_;
    if (wasTracking)
        followSlider(pos.x());
    pressed_ = -1;
    trackingSlider_ = false;
    trackRequested_ = false;
    repaintObject(index);
    const QString name = index >= 0 ? layout().objects[index].name : QString();
    // State is settled before anything is reported: a click may run a nested event loop (a
    // preview plays inside its click) and the face must not stay pressed meanwhile.
    emit mouseUp(name, event->button(), pos.x(), pos.y());
    if (index < 0 || event->button() != Qt::LeftButton || objectAt(pos) != index || !handle(name)->enabled_)
        return;
    if (index >= layout().objects.size() || layout().objects[index].name != name)
        return;  // the layout changed while reporting
    switch (layout().objects[index].action) {
    case WindowAction::Minimize: window()->showMinimized(); break;
    case WindowAction::Close: emit closeRequested(); break;
    case WindowAction::Drag: break;
    case WindowAction::None: emit clicked(name); break;
    }
}

void SkinHost::leaveEvent(QEvent*)
{
    setHovered(-1);
}
