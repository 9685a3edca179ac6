// Draws the skin: "skn.skn" and, under skin/, the face of each of the four layouts (file or DVD
// edition, default or vemra brand) with every button's pictures per state, the play bar, the
// about box picture and the drop-down arrows of the style sheet. The faces are built around the
// controls' places of app/Layout (so the controls sit in the wells drawn for them), and every
// label is measured against its place: a text that would not fit fails the build.
#include "tools/artwork/Artwork.h"
#include "tools/artwork/Theme.h"

#include "app/Layout.h"
#include "profiles/Catalogue.h"
#include "ui/HintTexts.h"

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <cstdio>
#include <optional>

namespace artwork {
namespace {

constexpr int W = designed::windowWidth;
constexpr int H = designed::windowHeight;
const QString Family = QStringLiteral("DejaVu Sans");
const QString MonoFamily = QStringLiteral("DejaVu Sans Mono");

const QColor Amber(0xf2, 0xb8, 0x4b);
const QColor Green(0x5f, 0xd3, 0x8d);
const QColor Red(0xff, 0x62, 0x62);
const QColor Shadow(0x06, 0x0c, 0x18);

// Every program name the caption and the welcome hint may have to show.
const char* const LongestNames[] = {"vemra Video Converter", "GPhone Video Converter", "iPhone Video Converter",
                                    "iPod Video Converter", "PSP Video Converter"};

bool failed = false;

void complain(const QString& what)
{
    std::fprintf(stderr, "artwork (skin): %s\n", qPrintable(what));
    failed = true;
}

QFont font(int pixels, bool bold = false, const QString& family = Family)
{
    QFont f(family);
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

// The largest font from `pixels` down to `minimum` in which `text` fits `size`; a text that
// fits at none is an error of the artwork.
QFont fitted(const QString& text, QSize size, int pixels, bool bold, int minimum, const QString& where)
{
    for (int px = pixels; px >= minimum; --px) {
        const QFont f = font(px, bold);
        const QFontMetrics m(f);
        if (m.horizontalAdvance(text) <= size.width() && m.height() <= size.height())
            return f;
    }
    complain(QStringLiteral("\"%1\" does not fit %2x%3 (%4)").arg(text).arg(size.width()).arg(size.height()).arg(where));
    return font(minimum, bold);
}

QImage blank(QSize size)
{
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

QLinearGradient vertical(const QRectF& r, const QColor& top, const QColor& bottom)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

QColor alpha(QColor c, int a)
{
    c.setAlpha(a);
    return c;
}

// ---------------------------------------------------------------------------------------------
// Icons, drawn into a square box in the given colour (disabled: everything in that colour).

enum class Icon { None, AddFiles, AddFolder, Remove, Clear, Convert, Stop, Disc, Ifo, Chapter, Cutter,
                  Play, Pause, StopPlay, Browse, OpenFolder, Down, Gear, Help, File, Minimize, Close };

struct Ink {
    QColor fg;
    bool disabled = false;
    QColor pick(const QColor& c) const { return disabled ? fg : c; }
};

void documentShape(QPainter& p, const QRectF& b, const Ink& ink)
{
    const qreal w = b.width() * 0.62, h = b.height() * 0.82, fold = w * 0.32;
    const QRectF d(b.left() + b.width() * 0.12, b.top() + b.height() * 0.06, w, h);
    QPainterPath path;
    path.moveTo(d.topLeft());
    path.lineTo(d.right() - fold, d.top());
    path.lineTo(d.right(), d.top() + fold);
    path.lineTo(d.bottomRight());
    path.lineTo(d.bottomLeft());
    path.closeSubpath();
    p.setPen(QPen(ink.fg, 1.2));
    p.setBrush(ink.disabled ? QBrush(Qt::NoBrush) : QBrush(vertical(d, QColor(0xf4, 0xf8, 0xff), QColor(0xb8, 0xcc, 0xea))));
    p.drawPath(path);
    p.setPen(QPen(ink.disabled ? ink.fg : QColor(0x5b, 0x7a, 0xa8), 1));
    for (int i = 0; i < 3; ++i) {
        const qreal y = d.top() + h * (0.45 + i * 0.16);
        p.drawLine(QPointF(d.left() + w * 0.18, y), QPointF(d.right() - w * 0.18, y));
    }
}

void folderShape(QPainter& p, const QRectF& b, const Ink& ink, bool open = false)
{
    const QRectF f(b.left() + b.width() * 0.06, b.top() + b.height() * 0.2, b.width() * 0.8, b.height() * 0.64);
    QPainterPath back;
    back.moveTo(f.left(), f.bottom());
    back.lineTo(f.left(), f.top() + 2);
    back.lineTo(f.left() + f.width() * 0.36, f.top() + 2);
    back.lineTo(f.left() + f.width() * 0.44, f.top() + f.height() * 0.16);
    back.lineTo(f.right(), f.top() + f.height() * 0.16);
    back.lineTo(f.right(), f.bottom());
    back.closeSubpath();
    p.setPen(QPen(ink.pick(Amber.darker(160)), 1));
    p.setBrush(ink.disabled ? QBrush(Qt::NoBrush) : QBrush(Amber.darker(125)));
    p.drawPath(back);
    QPainterPath front;
    const qreal skew = open ? f.width() * 0.14 : 0;
    front.moveTo(f.left(), f.bottom());
    front.lineTo(f.left() + skew, f.top() + f.height() * 0.34);
    front.lineTo(f.right() + skew, f.top() + f.height() * 0.34);
    front.lineTo(f.right(), f.bottom());
    front.closeSubpath();
    p.setBrush(ink.disabled ? QBrush(Qt::NoBrush) : QBrush(vertical(f, Amber.lighter(125), Amber)));
    p.setPen(QPen(ink.pick(Amber.darker(150)), 1));
    p.drawPath(front);
}

void badge(QPainter& p, const QRectF& b, const Ink& ink, const QColor& colour, bool plus)
{
    const qreal r = b.width() * 0.22;
    const QPointF c(b.right() - r - 0.5, b.bottom() - r - 0.5);
    p.setPen(QPen(ink.pick(colour.darker(160)), 1));
    p.setBrush(ink.disabled ? QBrush(Qt::NoBrush) : QBrush(colour));
    p.drawEllipse(c, r, r);
    p.setPen(QPen(ink.disabled ? ink.fg : QColor(Qt::white), std::max<qreal>(1.6, r * 0.38), Qt::SolidLine, Qt::RoundCap));
    const qreal a = r * 0.55;
    p.drawLine(QPointF(c.x() - a, c.y()), QPointF(c.x() + a, c.y()));
    if (plus)
        p.drawLine(QPointF(c.x(), c.y() - a), QPointF(c.x(), c.y() + a));
}

void drawIcon(QPainter& p, Icon icon, const QRectF& b, const Ink& ink)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c = b.center();
    const qreal s = b.width();
    switch (icon) {
    case Icon::None: break;
    case Icon::AddFiles:
        documentShape(p, b, ink);
        badge(p, b, ink, Green, true);
        break;
    case Icon::AddFolder:
        folderShape(p, b, ink);
        badge(p, b, ink, Green, true);
        break;
    case Icon::Remove:
        documentShape(p, b, ink);
        badge(p, b, ink, Red, false);
        break;
    case Icon::Clear: {
        // A waste bin.
        const QRectF bin(b.left() + s * 0.22, b.top() + s * 0.3, s * 0.56, s * 0.62);
        p.setPen(QPen(ink.fg, 1.2));
        p.setBrush(ink.disabled ? QBrush(Qt::NoBrush) : QBrush(vertical(bin, QColor(0xc9, 0xd8, 0xf0), QColor(0x7f, 0x98, 0xc2))));
        QPainterPath body;
        body.moveTo(bin.topLeft());
        body.lineTo(bin.topRight());
        body.lineTo(bin.right() - s * 0.05, bin.bottom());
        body.lineTo(bin.left() + s * 0.05, bin.bottom());
        body.closeSubpath();
        p.drawPath(body);
        p.drawRoundedRect(QRectF(b.left() + s * 0.14, b.top() + s * 0.18, s * 0.72, s * 0.1), 1.5, 1.5);
        p.drawRect(QRectF(c.x() - s * 0.1, b.top() + s * 0.08, s * 0.2, s * 0.1));
        p.setPen(QPen(ink.pick(QColor(0x3c, 0x55, 0x80)), 1.2));
        for (qreal dx : {-0.12, 0.0, 0.12})
            p.drawLine(QPointF(c.x() + s * dx, bin.top() + s * 0.1), QPointF(c.x() + s * dx, bin.bottom() - s * 0.08));
        break;
    }
    case Icon::Convert: {
        // Two arrows chasing round: one thing made into another.
        p.setBrush(Qt::NoBrush);
        const qreal r = s * 0.32;
        const QRectF ring(c.x() - r, c.y() - r, 2 * r, 2 * r);
        p.setPen(QPen(ink.fg, s * 0.11, Qt::SolidLine, Qt::FlatCap));
        p.drawArc(ring, 20 * 16, 140 * 16);
        p.drawArc(ring, 200 * 16, 140 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(ink.fg);
        for (int k = 0; k < 2; ++k) {
            const qreal ang = (k == 0 ? 20.0 : 200.0) * M_PI / 180;
            const QPointF tip(c.x() + r * std::cos(ang), c.y() - r * std::sin(ang));
            const qreal dir = k == 0 ? 1 : -1;
            QPolygonF head;
            head << QPointF(tip.x() - s * 0.15 * dir, tip.y() - s * 0.02 * dir)
                 << QPointF(tip.x() + s * 0.15 * dir, tip.y() - s * 0.02 * dir)
                 << QPointF(tip.x(), tip.y() + s * 0.16 * dir);
            p.drawPolygon(head);
        }
        break;
    }
    case Icon::Stop:
    case Icon::StopPlay: {
        const qreal a = s * (icon == Icon::Stop ? 0.52 : 0.44);
        const QRectF sq(c.x() - a / 2, c.y() - a / 2, a, a);
        p.setPen(Qt::NoPen);
        p.setBrush(icon == Icon::Stop ? QBrush(ink.disabled ? ink.fg : Red) : QBrush(ink.fg));
        p.drawRoundedRect(sq, s * 0.06, s * 0.06);
        break;
    }
    case Icon::Disc: {
        const qreal r = s * 0.42;
        QRadialGradient g(c, r, QPointF(c.x() - r * 0.3, c.y() - r * 0.4));
        g.setColorAt(0, QColor(0xf4, 0xf8, 0xff));
        g.setColorAt(0.5, QColor(0xa8, 0xc4, 0xf0));
        g.setColorAt(0.8, QColor(0xd8, 0xb8, 0xf8));
        g.setColorAt(1, QColor(0x7f, 0xa6, 0xe0));
        p.setPen(QPen(ink.pick(QColor(0x4b, 0x69, 0x9a)), 1));
        p.setBrush(ink.disabled ? QBrush(Qt::NoBrush) : QBrush(g));
        p.drawEllipse(c, r, r);
        p.setBrush(ink.disabled ? QBrush(Qt::NoBrush) : QBrush(theme::Panel));
        p.drawEllipse(c, r * 0.28, r * 0.28);
        p.setPen(QPen(ink.pick(QColor(255, 255, 255, 150)), 1));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(c.x() - r * 0.62, c.y() - r * 0.62, r * 1.24, r * 1.24), 100 * 16, 60 * 16);
        break;
    }
    case Icon::Ifo: {
        documentShape(p, b, ink);
        const QRectF tag(b.left() + s * 0.3, b.bottom() - s * 0.42, s * 0.66, s * 0.34);
        p.setPen(Qt::NoPen);
        p.setBrush(ink.disabled ? QBrush(theme::Panel) : QBrush(theme::Accent));
        p.drawRoundedRect(tag, 2, 2);
        p.setPen(ink.disabled ? ink.fg : QColor(Qt::white));
        p.setFont(font(std::max(6, int(s * 0.28)), true));
        p.drawText(tag, Qt::AlignCenter, QStringLiteral("IFO"));
        break;
    }
    case Icon::Chapter: {
        // A title with its chapters below it.
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 4; ++i) {
            const qreal y = b.top() + s * (0.14 + i * 0.2);
            const qreal indent = i == 0 ? 0 : s * 0.16;
            p.setBrush(i == 0 ? QBrush(ink.pick(theme::Accent)) : QBrush(ink.pick(Amber)));
            p.drawEllipse(QRectF(b.left() + s * 0.08 + indent, y, s * 0.13, s * 0.13));
            p.setBrush(ink.fg);
            p.drawRoundedRect(QRectF(b.left() + s * 0.28 + indent, y + s * 0.03, s * 0.62 - indent, s * 0.08), 1, 1);
        }
        break;
    }
    case Icon::Cutter: {
        // Scissors.
        p.setPen(QPen(ink.fg, s * 0.08, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(b.left() + s * 0.3, b.top() + s * 0.62), QPointF(b.right() - s * 0.12, b.top() + s * 0.1));
        p.drawLine(QPointF(b.right() - s * 0.3, b.top() + s * 0.62), QPointF(b.left() + s * 0.12, b.top() + s * 0.1));
        p.setPen(QPen(ink.pick(Red), s * 0.08));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(b.left() + s * 0.25, b.top() + s * 0.76), s * 0.13, s * 0.13);
        p.drawEllipse(QPointF(b.right() - s * 0.25, b.top() + s * 0.76), s * 0.13, s * 0.13);
        break;
    }
    case Icon::Play: {
        QPolygonF tri;
        tri << QPointF(c.x() - s * 0.2, c.y() - s * 0.26) << QPointF(c.x() + s * 0.28, c.y())
            << QPointF(c.x() - s * 0.2, c.y() + s * 0.26);
        p.setPen(Qt::NoPen);
        p.setBrush(ink.pick(Green));
        p.drawPolygon(tri);
        break;
    }
    case Icon::Pause:
        p.setPen(Qt::NoPen);
        p.setBrush(ink.fg);
        p.drawRoundedRect(QRectF(c.x() - s * 0.2, c.y() - s * 0.24, s * 0.14, s * 0.48), 1, 1);
        p.drawRoundedRect(QRectF(c.x() + s * 0.06, c.y() - s * 0.24, s * 0.14, s * 0.48), 1, 1);
        break;
    case Icon::Browse:
        folderShape(p, b, ink);
        p.setPen(Qt::NoPen);
        p.setBrush(ink.disabled ? ink.fg : QColor(0x4a, 0x2e, 0x00));
        for (int i = -1; i <= 1; ++i)
            p.drawEllipse(QPointF(c.x() - s * 0.04 + i * s * 0.16, c.y() + s * 0.18), s * 0.05, s * 0.05);
        break;
    case Icon::OpenFolder: {
        folderShape(p, b, ink, true);
        p.setPen(QPen(ink.pick(Green.darker(130)), s * 0.09, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const QPointF from(c.x() - s * 0.08, c.y() + s * 0.18), to(c.x() + s * 0.3, c.y() - s * 0.3);
        p.drawLine(from, to);
        p.drawLine(to, QPointF(to.x() - s * 0.18, to.y()));
        p.drawLine(to, QPointF(to.x(), to.y() + s * 0.18));
        break;
    }
    case Icon::Down: {
        QPolygonF tri;
        tri << QPointF(c.x() - s * 0.22, c.y() - s * 0.1) << QPointF(c.x() + s * 0.22, c.y() - s * 0.1)
            << QPointF(c.x(), c.y() + s * 0.16);
        p.setPen(Qt::NoPen);
        p.setBrush(ink.fg);
        p.drawPolygon(tri);
        break;
    }
    case Icon::Gear: {
        QPainterPath gear;
        const int teeth = 8;
        for (int i = 0; i < teeth * 2; ++i) {
            const qreal ang = i * M_PI / teeth;
            const qreal r = (i % 2 == 0) ? s * 0.44 : s * 0.32;
            for (qreal da : {-0.17, 0.17}) {
                const QPointF pt(c.x() + r * std::cos(ang + da), c.y() + r * std::sin(ang + da));
                if (gear.elementCount() == 0)
                    gear.moveTo(pt);
                else
                    gear.lineTo(pt);
            }
        }
        gear.closeSubpath();
        gear.addEllipse(c, s * 0.14, s * 0.14);
        gear.setFillRule(Qt::OddEvenFill);
        p.setPen(Qt::NoPen);
        p.setBrush(ink.fg);
        p.drawPath(gear);
        break;
    }
    case Icon::Help: {
        p.setPen(QPen(ink.fg, s * 0.09));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, s * 0.4, s * 0.4);
        p.setFont(font(std::max(7, int(s * 0.6)), true));
        p.drawText(b, Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    case Icon::File: {
        p.setPen(Qt::NoPen);
        p.setBrush(ink.fg);
        for (int i = 0; i < 3; ++i)
            p.drawRoundedRect(QRectF(b.left() + s * 0.14, b.top() + s * (0.22 + i * 0.24), s * 0.72, s * 0.11), 1, 1);
        break;
    }
    case Icon::Minimize:
        p.setPen(QPen(ink.fg, 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(c.x() - s * 0.22, c.y() + s * 0.16), QPointF(c.x() + s * 0.22, c.y() + s * 0.16));
        break;
    case Icon::Close:
        p.setPen(QPen(ink.fg, 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(c.x() - s * 0.2, c.y() - s * 0.2), QPointF(c.x() + s * 0.2, c.y() + s * 0.2));
        p.drawLine(QPointF(c.x() + s * 0.2, c.y() - s * 0.2), QPointF(c.x() - s * 0.2, c.y() + s * 0.2));
        break;
    }
    p.restore();
}

// ---------------------------------------------------------------------------------------------
// Buttons.

enum class Style {
    Tool,     // toolbar: icon above its label
    Primary,  // the convert button: the accent colour
    Tab,      // the menu strip: icon and label on the face, a highlight when used
    Square,   // a small icon button
    Caption,  // minimise
    Close,    // close: red when used
};

struct Button {
    QString name;
    QRect rect;
    Style style;
    Icon icon;
    QString label;
    int labelPixels = 12;  // toolbar buttons share one size, the largest that fits them all
};

// Where a toolbar button's icon and label go (content: the button, shifted when pressed).
int toolIconSize(const QRect& content)
{
    return std::min(24, content.height() - 17);
}

QRect toolLabelBox(const QRect& content)
{
    const int iconBottom = content.top() + 3 + toolIconSize(content) - 1;
    return QRect(content.left() + 3, iconBottom + 1, content.width() - 6, content.bottom() - iconBottom - 1);
}

QImage drawButton(const Button& b, int state)
{
    QImage img = blank(b.rect.size());
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF r = QRectF(img.rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const bool hover = state == 1, pressed = state == 2, disabled = state == 3;
    Ink ink{disabled ? theme::Disabled : theme::Text, disabled};

    switch (b.style) {
    case Style::Tool:
    case Style::Primary:
    case Style::Square: {
        const qreal radius = b.style == Style::Square ? 4 : 5;
        QColor top = theme::PanelLight, bottom = theme::Panel, border = theme::Border;
        if (b.style == Style::Primary) {
            top = theme::Accent;
            bottom = theme::AccentDark;
            border = theme::Accent.lighter(120);
        }
        if (hover) {
            top = top.lighter(b.style == Style::Primary ? 118 : 135);
            bottom = bottom.lighter(b.style == Style::Primary ? 112 : 130);
            border = b.style == Style::Primary ? QColor(0xd8, 0xec, 0xff) : theme::Accent;
        } else if (pressed) {
            top = (b.style == Style::Primary ? theme::AccentDark : theme::AccentDark).darker(150);
            bottom = (b.style == Style::Primary ? theme::AccentDark : theme::AccentDark).darker(105);
            border = theme::Accent;
        } else if (disabled) {
            top = bottom = theme::Panel;
            border = theme::Panel.lighter(130);
        }
        p.setPen(QPen(border, 1));
        p.setBrush(vertical(r, top, bottom));
        p.drawRoundedRect(r, radius, radius);
        // A glint along the top edge, or a shadow when pressed in.
        p.setPen(QPen(pressed ? alpha(Shadow, 150) : alpha(Qt::white, disabled ? 10 : 45), 1));
        p.drawLine(QPointF(r.left() + radius, r.top() + 1.5), QPointF(r.right() - radius, r.top() + 1.5));
        if (hover) {
            p.setPen(QPen(alpha(theme::Accent, 70), 2));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(r.adjusted(1.5, 1.5, -1.5, -1.5), radius - 1, radius - 1);
        }
        break;
    }
    case Style::Tab: {
        if (hover || pressed) {
            p.setPen(QPen(hover ? theme::Accent : theme::AccentDark.lighter(130), 1));
            p.setBrush(vertical(r, hover ? alpha(theme::Accent, 110) : theme::AccentDark.darker(140),
                                hover ? alpha(theme::AccentDark, 150) : theme::AccentDark.darker(110)));
            p.drawRoundedRect(r, 4, 4);
        }
        break;
    }
    case Style::Caption:
    case Style::Close: {
        if (hover || pressed) {
            const QColor fill = b.style == Style::Close ? (pressed ? Red.darker(140) : Red.darker(110))
                                                        : (pressed ? theme::AccentDark.darker(130) : theme::Accent);
            p.setPen(Qt::NoPen);
            p.setBrush(fill);
            p.drawRoundedRect(r, 3, 3);
        }
        if (hover || pressed)
            ink.fg = Qt::white;
        break;
    }
    }

    const int shift = pressed ? 1 : 0;
    QRect content = img.rect().adjusted(0, shift, 0, shift);
    switch (b.style) {
    case Style::Tool:
    case Style::Primary: {
        // Icon above the label; the label measured against the button's width.
        const int iconSize = toolIconSize(content);
        const QRect iconBox(content.center().x() - iconSize / 2 + 1, content.top() + 3, iconSize, iconSize);
        drawIcon(p, b.icon, iconBox, ink);
        const QRect labelBox = toolLabelBox(content);
        p.setFont(fitted(b.label, labelBox.size(), b.labelPixels, true, b.labelPixels, b.name));
        p.setPen(ink.fg);
        p.drawText(labelBox, Qt::AlignHCenter | Qt::AlignVCenter, b.label);
        break;
    }
    case Style::Tab: {
        const int iconSize = 14;
        const QFont f = fitted(b.label, QSize(content.width() - iconSize - 14, content.height()), 13, true, 10, b.name);
        const int textWidth = QFontMetrics(f).horizontalAdvance(b.label);
        const int total = iconSize + 6 + textWidth;
        const int x = content.left() + (content.width() - total) / 2;
        drawIcon(p, b.icon, QRect(x, content.center().y() - iconSize / 2 + 1, iconSize, iconSize), ink);
        p.setFont(f);
        p.setPen(hover ? QColor(Qt::white) : ink.fg);
        p.drawText(QRect(x + iconSize + 6, content.top(), textWidth + 2, content.height()), Qt::AlignLeft | Qt::AlignVCenter, b.label);
        break;
    }
    case Style::Square:
    case Style::Caption:
    case Style::Close: {
        const int side = std::min(content.width(), content.height()) - (b.style == Style::Square ? 6 : 4);
        drawIcon(p, b.icon, QRect(content.center().x() - side / 2 + 1, content.center().y() - side / 2 + 1, side, side), ink);
        break;
    }
    }
    return img;
}

// ---------------------------------------------------------------------------------------------
// One layout: its objects, its face and its part of the skin file.

struct TextObject {
    QString name;
    QRect rect;
    int size;
    bool bold;
    QColor color;
    QString align;
    QString text;
    QString family = Family;
    QStringList mustFit;  // texts the object will show at run time
};

struct Label {
    QString text;
    QRect rect;
    Qt::Alignment align;
    QString hintArea;  // the area object laid over the label, if any
};

class Face {
public:
    Face(bool dvd, bool vemra) : dvd_(dvd), vemra_(vemra), layout_(LayoutFor(dvd, vemra)), name_(SkinLayoutName(dvd, vemra)) {}

    bool build(const QString& out, QString* json);

private:
    QRect control(const Placement& p, int w, int h) const
    {
        return QRect(p.left, p.top, p.width.value_or(w), p.height.value_or(h));
    }
    void plan();
    void paintFace(QImage& face) const;
    void well(QPainter& p, const QRect& around, int radius = 3) const;
    void panel(QPainter& p, const QRect& r) const;
    void toolbar(int x, int y, int width, int height, int gap, const QList<std::pair<QString, std::pair<Icon, QString>>>& items);

    bool dvd_, vemra_;
    EditionLayout layout_;
    QString name_;
    int bandHeight_ = 58;
    QRect logo_;
    QRect menuStrip_;
    QList<QRect> panels_;
    QList<QRect> wells_;   // drawn around controls
    QRect listWell_;
    QRect playerScreen_;
    QRect progressTrack_;
    QRect statusBar_;
    QRect profileField_;
    QList<Label> labels_;
    QList<Button> buttons_;
    QList<TextObject> texts_;
    QRect slider_;
};

void Face::toolbar(int x, int y, int width, int height, int gap, const QList<std::pair<QString, std::pair<Icon, QString>>>& items)
{
    const int n = items.size();
    const int w = (width - gap * (n - 1)) / n;
    int pixels = 12;
    const QRect labelBox = toolLabelBox(QRect(0, 0, w, height));
    for (const auto& item : items)
        pixels = std::min(pixels, fitted(item.second.second, labelBox.size(), 12, true, 9, item.first).pixelSize());
    for (int i = 0; i < n; ++i) {
        const auto& [name, look] = items[i];
        const Style style = name == QLatin1String("converter") ? Style::Primary : Style::Tool;
        buttons_.append({name, QRect(x + i * (w + gap), y, w, height), style, look.first, look.second, pixels});
    }
}

void Face::plan()
{
    using designed::comboHeight;
    const QRect lv = control(layout_.lv, designed::lvWidth, designed::lvHeight);
    const QRect edit = control(layout_.ed_output, designed::editWidth, designed::editHeight);
    const QRect icon = control(layout_.Panel1, designed::panel1Size, designed::panel1Size);
    const QRect play = control(layout_.pl_play, designed::playWidth, designed::playHeight);
    const QRect progress = control(layout_.ProgressBar1, designed::progressWidth, designed::progressHeight);
    const QRect cbChannel = control(layout_.cb_channel, designed::comboWidth, comboHeight);
    const QRect cbSize = control(layout_.cb_size, designed::comboWidth, comboHeight);
    const QRect cbVideo = control(layout_.cb_videobitrate, designed::comboWidth, comboHeight);
    const QRect cbAudio = control(layout_.cb_audiobitrate, designed::comboWidth, comboHeight);

    // Title band: logo, product name, the menu strip; minimise and close at the right.
    bandHeight_ = vemra_ ? 68 : 58;
    logo_ = vemra_ ? QRect(14, 6, 56, 56) : QRect(16, 5, 48, 48);
    texts_.append({QStringLiteral("caption"), vemra_ ? QRect(85, 7, 420, 30) : QRect(78, 4, 420, 26), vemra_ ? 19 : 17, true,
                   theme::Text, QStringLiteral("left"), QStringLiteral("Video Converter")});
    for (const char* n : LongestNames)
        texts_.last().mustFit.append(QLatin1String(n));
    buttons_.append({QStringLiteral("minimize"), QRect(725, 6, 25, 21), Style::Caption, Icon::Minimize, {}});
    buttons_.append({QStringLiteral("close"), QRect(752, 6, 25, 21), Style::Close, Icon::Close, {}});
    // The menus drop from the left edge of their tabs (the popup offsets of each brand).
    const int tabTop = vemra_ ? 40 : 32, tabHeight = vemra_ ? 24 : 22;
    const int fileX = vemra_ ? 85 : 76, helpX = vemra_ ? 366 : 362, tabWidth = vemra_ ? 137 : 138;
    const int settingsX = (fileX + helpX) / 2 + 1;
    menuStrip_ = QRect(fileX - 4, tabTop - 2, helpX + tabWidth - fileX + 8, tabHeight + 4);
    buttons_.append({dvd_ ? QStringLiteral("dvdfile") : QStringLiteral("file"), QRect(fileX, tabTop, tabWidth, tabHeight), Style::Tab, Icon::File, QStringLiteral("File")});
    buttons_.append({QStringLiteral("settings"), QRect(settingsX, tabTop, tabWidth, tabHeight), Style::Tab, Icon::Gear, QStringLiteral("Settings")});
    buttons_.append({QStringLiteral("help"), QRect(helpX, tabTop, tabWidth, tabHeight), Style::Tab, Icon::Help, QStringLiteral("Help")});

    // The job list.
    listWell_ = lv.adjusted(-1, -1, 1, 1);

    // Toolbar: above the list for the vemra brand, below it otherwise.
    QList<std::pair<QString, std::pair<Icon, QString>>> tools;
    if (dvd_)
        tools = {{"dvdopen", {Icon::Disc, "Add DVD"}}, {"ifoopen", {Icon::Ifo, "Add IFO"}},
                 {"chapter", {Icon::Chapter, "Chapter"}}, {"cutter", {Icon::Cutter, "Cutter"}},
                 {"remove", {Icon::Remove, "Remove"}}, {"clear", {Icon::Clear, "Clear"}},
                 {"converter", {Icon::Convert, "Convert"}}, {"stopconverter", {Icon::Stop, "Stop"}}};
    else
        tools = {{"openfiles", {Icon::AddFiles, "Add Files"}}, {"openfolder", {Icon::AddFolder, "Add Folder"}},
                 {"remove", {Icon::Remove, "Remove"}}, {"clear", {Icon::Clear, "Clear"}},
                 {"converter", {Icon::Convert, "Convert"}}, {"stopconverter", {Icon::Stop, "Stop"}}};
    if (vemra_)
        toolbar(lv.left(), 73, lv.width(), 43, dvd_ ? 3 : 4, tools);
    else if (dvd_)
        toolbar(lv.left(), listWell_.bottom() + 4, lv.width(), edit.top() - listWell_.bottom() - 7, 3, tools);
    else
        toolbar(lv.left(), listWell_.bottom() + 5, lv.width(), progress.top() - listWell_.bottom() - 9, 4, tools);

    // Profile: its label, the category icon (Panel1), the name and the button opening the picker.
    const int rowH = designed::panel1Size;
    const int labelLeft = 8;
    labels_.append({QStringLiteral("Profile"), QRect(labelLeft, icon.top(), icon.left() - labelLeft - 6, rowH), Qt::AlignRight | Qt::AlignVCenter, {}});
    const int fieldLeft = icon.right() + 3;
    int fieldRight;
    if (!vemra_)
        fieldRight = dvd_ ? 342 : 354;
    else
        fieldRight = lv.right() + 1;
    profileField_ = QRect(fieldLeft, icon.top(), fieldRight - fieldLeft, rowH);
    {
        // The largest look in which nearly every profile name fits; the longest are shortened at run time.
        const QRect r(fieldLeft + 6, icon.top(), profileField_.width() - 6 - 28, rowH);
        QStringList names;
        for (int id = catalogue::FirstProfile; id <= catalogue::LastProfile; ++id)
            names.append(catalogue::DisplayName(id));
        int size = 11;
        bool bold = false;
        for (const auto& [px, b] : {std::pair{13, true}, std::pair{12, true}, std::pair{12, false}}) {
            const QFontMetrics m(font(px, b));
            const auto fitting = std::count_if(names.begin(), names.end(), [&](const QString& n) { return m.horizontalAdvance(n) <= r.width(); });
            if (fitting * 20 >= names.size() * 19) {
                size = px;
                bold = b;
                break;
            }
        }
        texts_.append({QStringLiteral("profilestext"), r, size, bold, theme::Text, QStringLiteral("left"), QString()});
    }
    buttons_.append({QStringLiteral("profiles"), QRect(fieldRight - 26, icon.top(), 26, rowH), Style::Square, Icon::Down, {}});

    // Output folder: its label, the box (ed_output), browse and open.
    wells_.append(edit.adjusted(-1, -1, 1, 1));
    const QRect outputLabel = vemra_ || dvd_ ? QRect(labelLeft, edit.top(), edit.left() - labelLeft - 6, edit.height())
                                             : QRect(profileField_.right() + 8, edit.top(), edit.left() - profileField_.right() - 14, edit.height());
    labels_.append({QStringLiteral("Output"), outputLabel, Qt::AlignRight | Qt::AlignVCenter, {}});
    const int bh = vemra_ ? 21 : 23;
    const int by = vemra_ ? edit.top() - 1 : edit.top() - 1;
    buttons_.append({QStringLiteral("browse"), QRect(edit.right() + 4, by, 25, bh), Style::Square, Icon::Browse, {}});
    buttons_.append({QStringLiteral("open"), QRect(edit.right() + 31, by, 25, bh), Style::Square, Icon::OpenFolder, {}});

    // DVD streams: labels beside cb_audio and cb_subtitle.
    if (dvd_) {
        const QRect a = control(layout_.cb_audio, designed::comboWidth, comboHeight);
        const QRect s = control(layout_.cb_subtitle, designed::comboWidth, comboHeight);
        const int audioLabelLeft = vemra_ ? labelLeft : profileField_.right() + 6;
        labels_.append({QStringLiteral("Audio"), QRect(audioLabelLeft, a.top(), a.left() - audioLabelLeft - 5, a.height()),
                        Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("audio")});
        labels_.append({QStringLiteral("Subtitle"), QRect(a.right() + 3, s.top(), s.left() - a.right() - 6, s.height()),
                        Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("subtitle")});
        wells_.append(a.adjusted(-1, -1, 1, 1));
        wells_.append(s.adjusted(-1, -1, 1, 1));
    }

    // Option boxes: a label above each, in the order of the layout.
    const std::pair<QRect, std::pair<const char*, const char*>> boxes[] = {
        {cbChannel, {"Function", "channels"}}, {cbSize, {"Video Size", "video_size"}},
        {cbVideo, {"Video Quality", "video_quality"}}, {cbAudio, {"Audio Quality", "audio_quality"}}};
    int top = H, bottom = 0;
    for (const auto& [box, names] : boxes) {
        labels_.append({QLatin1String(names.first), QRect(box.left(), box.top() - 17, box.width(), 16),
                        Qt::AlignLeft | Qt::AlignVCenter, QLatin1String(names.second)});
        top = std::min(top, box.top() - 17);
        bottom = std::max(bottom, box.bottom());
    }
    const int columnLeft = std::min(cbSize.left() - 14, play.left() - 8);
    const int columnRight = std::max(cbSize.right() + 14, play.right() + 8);
    const QRect optionsPanel(columnLeft, top - (vemra_ ? 31 : 11), columnRight - columnLeft + 1, bottom - top + (vemra_ ? 31 : 11) + 11);
    panels_.append(optionsPanel);
    if (vemra_)
        labels_.append({QStringLiteral("Output Options"), QRect(optionsPanel.left() + 12, optionsPanel.top() + 6, optionsPanel.width() - 24, 18),
                        Qt::AlignLeft | Qt::AlignVCenter, {}});

    // Preview: the screen (pl_play), the play bar, the buttons and the elapsed time.
    playerScreen_ = play.adjusted(-1, -1, 1, 1);
    const QRect playerPanel(optionsPanel.left(), play.top() - 7, optionsPanel.width(), (vemra_ ? 498 : 492) - (play.top() - 7));
    panels_.append(playerPanel);
    slider_ = QRect(play.left(), play.bottom() + 5, play.width(), 14);
    const int by2 = slider_.bottom() + 5;
    buttons_.append({QStringLiteral("play"), QRect(play.left(), by2, 30, 24), Style::Square, Icon::Play, {}});
    buttons_.append({QStringLiteral("pause"), QRect(play.left() + 34, by2, 30, 24), Style::Square, Icon::Pause, {}});
    buttons_.append({QStringLiteral("stopplay"), QRect(play.left() + 68, by2, 30, 24), Style::Square, Icon::StopPlay, {}});
    texts_.append({QStringLiteral("play_time"), QRect(play.left() + 104, by2, play.width() - 104, 24), 15, true, theme::Text,
                   QStringLiteral("right"), QStringLiteral("00:00:00"), MonoFamily, {QStringLiteral("00:00:00")}});

    // Conversion progress and the hint line at the bottom.
    progressTrack_ = progress.adjusted(-1, -1, 1, 1);
    statusBar_ = QRect(8, progress.bottom() + 5, W - 16, H - progress.bottom() - 11);
    TextObject hint{QStringLiteral("hint"), statusBar_.adjusted(12, 2, -12, -2), 13, false, theme::TextDim,
                    QStringLiteral("left"), QString()};
    for (std::size_t i = 1; i < hints::Texts.size(); ++i)
        hint.mustFit.append(QLatin1String(hints::Texts[i]));
    for (const char* n : LongestNames)
        hint.mustFit.append(hints::welcomeText(QLatin1String(n)));
    texts_.append(hint);
}

void Face::panel(QPainter& p, const QRect& r) const
{
    const QRectF f = QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(alpha(theme::Border, 170), 1));
    p.setBrush(vertical(f, alpha(theme::PanelLight, 150), alpha(theme::Panel, 190)));
    p.drawRoundedRect(f, 6, 6);
    p.setPen(QPen(alpha(Qt::white, 22), 1));
    p.drawLine(QPointF(f.left() + 6, f.top() + 1), QPointF(f.right() - 6, f.top() + 1));
}

void Face::well(QPainter& p, const QRect& around, int radius) const
{
    // A field sunk into the face: dark inside, shadow above, light edge below.
    const QRectF f = QRectF(around).adjusted(-1.5, -1.5, 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(alpha(Qt::white, 24));
    p.drawRoundedRect(f.adjusted(0, 1, 0, 1), radius + 1, radius + 1);
    p.setBrush(Shadow);
    p.drawRoundedRect(f, radius + 1, radius + 1);
    p.setBrush(theme::Well);
    p.setPen(QPen(theme::Border.darker(130), 1));
    p.drawRoundedRect(QRectF(around).adjusted(-0.5, -0.5, 0.5, 0.5), radius, radius);
}

void Face::paintFace(QImage& face) const
{
    QPainter p(&face);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // Ground and title band.
    p.fillRect(face.rect(), vertical(face.rect(), theme::Background.lighter(112), theme::Background.darker(125)));
    const QRect band(0, 0, W, bandHeight_);
    p.fillRect(band, vertical(band, QColor(0x2c, 0x4d, 0x86), QColor(0x16, 0x28, 0x4a)));
    QRadialGradient glow(QPointF(W * 0.3, -40), W * 0.6);
    glow.setColorAt(0, alpha(theme::Accent, 70));
    glow.setColorAt(1, alpha(theme::Accent, 0));
    p.fillRect(band, glow);
    p.setPen(QPen(alpha(theme::Accent, 140), 1));
    p.drawLine(0, bandHeight_, W, bandHeight_);
    p.setPen(QPen(alpha(Shadow, 200), 1));
    p.drawLine(0, bandHeight_ + 1, W, bandHeight_ + 1);

    // Logo: a film frame with a play mark on a rounded tile.
    {
        const QRectF t = QRectF(logo_).adjusted(0.5, 0.5, -0.5, -0.5);
        p.setPen(QPen(theme::Accent.lighter(130), 1));
        p.setBrush(vertical(t, theme::Accent, theme::AccentDark.darker(120)));
        p.drawRoundedRect(t, t.width() * 0.22, t.width() * 0.22);
        const QRectF film = t.adjusted(t.width() * 0.18, t.height() * 0.24, -t.width() * 0.18, -t.height() * 0.24);
        p.setPen(Qt::NoPen);
        p.setBrush(alpha(Shadow, 200));
        p.drawRoundedRect(film, 3, 3);
        p.setBrush(alpha(Qt::white, 200));
        for (int i = 0; i < 4; ++i) {
            const qreal x = film.left() + film.width() * (0.08 + i * 0.24);
            p.drawRect(QRectF(x, film.top() + 2, film.width() * 0.12, film.height() * 0.12));
            p.drawRect(QRectF(x, film.bottom() - 2 - film.height() * 0.12, film.width() * 0.12, film.height() * 0.12));
        }
        drawIcon(p, Icon::Play, QRectF(film.center().x() - film.height() * 0.4, film.center().y() - film.height() * 0.4,
                                       film.height() * 0.8, film.height() * 0.8), Ink{theme::Text});
    }

    // Menu strip behind the tabs.
    p.setPen(QPen(alpha(theme::Border, 140), 1));
    p.setBrush(alpha(Shadow, 90));
    p.drawRoundedRect(QRectF(menuStrip_).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);

    for (const QRect& r : panels_)
        panel(p, r);

    // The list's well, with a note for the empty list (the list covers it once it has rows).
    well(p, listWell_, 2);
    {
        const QRect note = listWell_.adjusted(20, 0, -20, 0);
        const int iconSize = 64;
        drawIcon(p, dvd_ ? Icon::Disc : Icon::AddFiles,
                 QRect(note.center().x() - iconSize / 2, note.center().y() - iconSize + 4, iconSize, iconSize),
                 Ink{theme::Border.lighter(115), true});
        const QString line1 = dvd_ ? QStringLiteral("No DVD titles yet") : QStringLiteral("No video files yet");
        const QString line2 = dvd_ ? QStringLiteral("Open a disc folder with Add DVD, or its IFO files with Add IFO.")
                                   : QStringLiteral("Add video files with Add Files, or a whole folder with Add Folder.");
        const QRect r1(note.left(), note.center().y() + 14, note.width(), 22);
        const QRect r2(note.left(), note.center().y() + 38, note.width(), 18);
        p.setPen(theme::TextDim);
        p.setFont(fitted(line1, r1.size(), 16, true, 12, QStringLiteral("list note")));
        p.drawText(r1, Qt::AlignCenter, line1);
        p.setPen(theme::Disabled.lighter(125));
        p.setFont(fitted(line2, r2.size(), 12, false, 10, QStringLiteral("list note")));
        p.drawText(r2, Qt::AlignCenter, line2);
    }

    for (const QRect& r : wells_)
        well(p, r);
    // The profile field looks like a drop-down list ending in its button.
    well(p, profileField_);
    well(p, progressTrack_, 3);

    // The preview screen.
    well(p, playerScreen_, 1);
    {
        const QRect s = playerScreen_.adjusted(1, 1, -1, -1);
        p.fillRect(s, vertical(s, QColor(0x05, 0x09, 0x12), QColor(0x0b, 0x14, 0x26)));
        drawIcon(p, Icon::Play, QRect(s.center().x() - 20, s.center().y() - 20, 40, 40), Ink{alpha(theme::Border, 150), true});
    }

    // Status bar for the hint line.
    {
        const QRectF f = QRectF(statusBar_).adjusted(0.5, 0.5, -0.5, -0.5);
        p.setPen(QPen(alpha(theme::Border, 120), 1));
        p.setBrush(alpha(Shadow, 110));
        p.drawRoundedRect(f, 5, 5);
    }

    // Static labels.
    // Each label takes the first look of this list it fits in; labels on one row share the
    // plainest look any of them needs, so a row never mixes sizes.
    static const std::pair<int, bool> looks[] = {{12, true}, {11, true}, {12, false}, {11, false}, {10, false}, {9, false}};
    auto lookOf = [](const Label& l) {
        for (std::size_t i = 0; i < std::size(looks); ++i) {
            const QFontMetrics m(font(looks[i].first, looks[i].second));
            if (m.horizontalAdvance(l.text) <= l.rect.width() && m.height() <= l.rect.height())
                return int(i);
        }
        complain(QStringLiteral("the label \"%1\" does not fit %2 pixels").arg(l.text).arg(l.rect.width()));
        return int(std::size(looks)) - 1;
    };
    for (const Label& l : labels_) {
        const bool heading = l.text == QLatin1String("Output Options");
        int look = lookOf(l);
        for (const Label& other : labels_)
            if (other.rect.top() == l.rect.top() && other.text != QLatin1String("Output Options"))
                look = std::max(look, lookOf(other));
        p.setFont(heading ? fitted(l.text, l.rect.size(), 13, true, 11, l.text) : font(looks[look].first, looks[look].second));
        p.setPen(heading ? theme::Accent.lighter(130) : theme::TextDim);
        p.drawText(l.rect, int(l.align), l.text);
    }

    // Outer edge of the window.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(theme::Border, 1));
    p.drawRect(QRectF(face.rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

QString rectJson(const QRect& r)
{
    return QStringLiteral("[%1, %2, %3, %4]").arg(r.left()).arg(r.top()).arg(r.width()).arg(r.height());
}

bool save(const QImage& img, const QString& path)
{
    if (!img.save(path)) {
        complain(QStringLiteral("cannot write %1").arg(path));
        return false;
    }
    return true;
}

bool Face::build(const QString& out, QString* json)
{
    plan();
    const QString rel = QStringLiteral("skin/") + name_ + u'/';
    QDir().mkpath(out + rel);

    QImage face(W, H, QImage::Format_ARGB32_Premultiplied);
    paintFace(face);
    save(face, out + rel + QStringLiteral("face.png"));

    QStringList objects;
    const int bandRight = W;
    objects.append(QStringLiteral("{ \"name\": \"title\", \"type\": \"area\", \"rect\": %1, \"action\": \"drag\" }")
                       .arg(rectJson(QRect(0, 0, bandRight, bandHeight_))));
    for (const Label& l : labels_)
        if (!l.hintArea.isEmpty())
            objects.append(QStringLiteral("{ \"name\": \"%1\", \"type\": \"area\", \"rect\": %2 }").arg(l.hintArea, rectJson(l.rect)));

    static const char* states[] = {"normal", "hover", "pressed", "disabled"};
    for (const Button& b : buttons_) {
        QString line = QStringLiteral("{ \"name\": \"%1\", \"type\": \"button\", \"rect\": %2").arg(b.name, rectJson(b.rect));
        if (b.style == Style::Caption)
            line += QStringLiteral(", \"action\": \"minimize\"");
        if (b.style == Style::Close)
            line += QStringLiteral(", \"action\": \"close\"");
        for (int st = 0; st < 4; ++st) {
            const QString file = rel + b.name + (st == 0 ? QString() : u'_' + QLatin1String(states[st])) + QStringLiteral(".png");
            save(drawButton(b, st), out + file);
            line += QStringLiteral(",\n        \"%1\": \"%2\"").arg(QLatin1String(states[st]), file);
        }
        objects.append(line + QStringLiteral(" }"));
    }

    for (const TextObject& t : texts_) {
        const QFont f = font(t.size, t.bold, t.family);
        const QFontMetrics m(f);
        for (const QString& s : t.mustFit)
            if (m.horizontalAdvance(s) > t.rect.width() || m.height() > t.rect.height())
                complain(QStringLiteral("\"%1\" does not fit the text object \"%2\" (%3 px wide)").arg(s, t.name).arg(t.rect.width()));
        objects.append(QStringLiteral("{ \"name\": \"%1\", \"type\": \"text\", \"rect\": %2, \"font\": \"%3\", \"size\": %4, "
                                      "\"bold\": %5, \"color\": \"%6\", \"align\": \"%7\", \"text\": \"%8\" }")
                           .arg(t.name, rectJson(t.rect), t.family)
                           .arg(t.size)
                           .arg(t.bold ? QStringLiteral("true") : QStringLiteral("false"), t.color.name(), t.align, t.text));
    }

    // The play bar: a groove and a round thumb.
    {
        QImage track = blank(slider_.size());
        QPainter p(&track);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF groove(5.5, slider_.height() / 2.0 - 3, slider_.width() - 11, 6);
        p.setPen(QPen(Shadow, 1));
        p.setBrush(theme::Well);
        p.drawRoundedRect(groove, 3, 3);
        p.setPen(QPen(alpha(Qt::white, 25), 1));
        p.drawLine(QPointF(groove.left() + 3, groove.bottom() + 1), QPointF(groove.right() - 3, groove.bottom() + 1));
        p.end();
        save(track, out + rel + QStringLiteral("play_bar_track.png"));
        for (bool hover : {false, true}) {
            QImage thumb = blank(QSize(14, 14));
            QPainter t(&thumb);
            t.setRenderHint(QPainter::Antialiasing);
            QRadialGradient g(QPointF(5, 5), 9);
            g.setColorAt(0, hover ? QColor(Qt::white) : theme::Text);
            g.setColorAt(1, hover ? theme::Accent : theme::AccentDark.lighter(130));
            t.setPen(QPen(hover ? theme::Accent.lighter(140) : theme::Border.lighter(130), 1));
            t.setBrush(g);
            t.drawEllipse(QRectF(1.5, 1.5, 11, 11));
            t.end();
            save(thumb, out + rel + (hover ? QStringLiteral("play_bar_thumb_hover.png") : QStringLiteral("play_bar_thumb.png")));
        }
        objects.append(QStringLiteral("{ \"name\": \"play_bar\", \"type\": \"slider\", \"rect\": %1,\n"
                                      "        \"track\": \"%2play_bar_track.png\", \"thumb\": \"%2play_bar_thumb.png\", "
                                      "\"thumb_hover\": \"%2play_bar_thumb_hover.png\" }")
                           .arg(rectJson(slider_), rel));
    }

    *json = QStringLiteral("        {\n          \"name\": \"%1\",\n          \"background\": \"%2face.png\",\n          \"objects\": [\n")
                .arg(name_, rel);
    for (int i = 0; i < objects.size(); ++i)
        *json += QStringLiteral("            ") + objects[i] + (i + 1 < objects.size() ? QStringLiteral(",\n") : QStringLiteral("\n"));
    *json += QStringLiteral("          ]\n        }");
    return !failed;
}

// The list's check boxes: skin/check_{on,off}[_hover|_disabled].png. Both states must read on
// the list's dark well and on a selected row's blue, so the box has a light rim in every state,
// an empty dark inside when off and a filled one with a white tick when on.
void drawCheckIndicators(const QString& out)
{
    const int side = 15;
    enum class State { Normal, Hover, Disabled };
    for (bool on : {false, true}) {
        for (State state : {State::Normal, State::Hover, State::Disabled}) {
            QImage img = blank(QSize(side, side));
            QPainter p(&img);
            p.setRenderHint(QPainter::Antialiasing);
            const QRectF box(1, 1, side - 2, side - 2);
            const bool disabled = state == State::Disabled;
            const QColor rim = disabled ? theme::Disabled
                                        : (state == State::Hover ? theme::Text : theme::TextDim);
            p.setPen(QPen(rim, 1.4));
            if (on && !disabled)
                p.setBrush(vertical(box, theme::Accent.lighter(state == State::Hover ? 125 : 110), theme::AccentDark));
            else
                p.setBrush(on ? theme::Panel : theme::Well);
            p.drawRoundedRect(box, 2.5, 2.5);
            if (on) {
                QPen tick(disabled ? theme::Disabled.lighter(130) : QColor(Qt::white), 2.0);
                tick.setCapStyle(Qt::RoundCap);
                tick.setJoinStyle(Qt::RoundJoin);
                p.setPen(tick);
                p.setBrush(Qt::NoBrush);
                p.drawPolyline(QPolygonF({QPointF(4.0, 7.6), QPointF(6.4, 10.2), QPointF(11.0, 4.6)}));
            }
            p.end();
            const QString suffix = state == State::Hover ? QStringLiteral("_hover")
                                 : disabled            ? QStringLiteral("_disabled")
                                                       : QString();
            save(img, out + QStringLiteral("skin/check_%1%2.png").arg(on ? QStringLiteral("on") : QStringLiteral("off"), suffix));
        }
    }
}

// The about box's program picture, the drop-down arrows and the check boxes of the style sheet.
void drawShared(const QString& out)
{
    {
        QImage about = blank(QSize(72, 72));
        QPainter p(&about);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF t(2.5, 2.5, 67, 67);
        p.setPen(QPen(theme::Accent.lighter(130), 1.5));
        p.setBrush(vertical(t, theme::Accent, theme::AccentDark.darker(120)));
        p.drawRoundedRect(t, 15, 15);
        drawIcon(p, Icon::Convert, t.adjusted(12, 12, -12, -12), Ink{theme::Text});
        p.end();
        save(about, out + QStringLiteral("skin/about.png"));
    }
    for (bool disabled : {false, true}) {
        QImage arrow = blank(QSize(9, 6));
        QPainter p(&arrow);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(disabled ? theme::Disabled : theme::Text);
        p.drawPolygon(QPolygonF({QPointF(0, 0.5), QPointF(9, 0.5), QPointF(4.5, 6)}));
        p.end();
        save(arrow, out + (disabled ? QStringLiteral("skin/arrow_down_disabled.png") : QStringLiteral("skin/arrow_down.png")));
    }
    drawCheckIndicators(out);
}

} // namespace

bool drawSkin(const QString& out)
{
    failed = false;
    QDir().mkpath(out + QStringLiteral("skin"));
    drawShared(out);
    QStringList layouts;
    for (bool dvd : {false, true})
        for (bool vemra : {false, true}) {
            QString json;
            Face face(dvd, vemra);
            face.build(out, &json);
            layouts.append(json);
        }
    QString text = QStringLiteral(
        "{\n"
        "  \"skin\": \"DeepBlue\",\n"
        "  \"forms\": [\n"
        "    {\n"
        "      \"name\": \"popvideoconverter\",\n"
        "      \"width\": %1,\n"
        "      \"height\": %2,\n"
        "      \"layouts\": [\n").arg(W).arg(H);
    text += layouts.join(QStringLiteral(",\n")) + QStringLiteral("\n      ]\n    }\n  ]\n}\n");
    QFile f(out + QStringLiteral("skn.skn"));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(text.toUtf8()) < 0) {
        complain(QStringLiteral("cannot write %1").arg(f.fileName()));
        return false;
    }
    return !failed;
}

} // namespace artwork
