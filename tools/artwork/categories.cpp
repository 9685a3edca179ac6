// The category pictures "images/main/1.bmp" .. "14.bmp" shown beside the profile name: a
// rounded tile in the window's theme with a filled device or media glyph, drawn at 40x40, the
// size of the picture box, so nothing is blurred by scaling.
#include "tools/artwork/Artwork.h"
#include "tools/artwork/Theme.h"

#include <QDir>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace artwork {

namespace {

constexpr int Size = 40;

// Colours of the glyphs: the device body, its screen and its lit parts.
const QColor Body = theme::Text;
const QColor Screen = theme::Background;
const QColor Lit = theme::Accent;

void tile(QPainter& p)
{
    QLinearGradient g(0, 0, 0, Size);
    g.setColorAt(0, theme::PanelLight);
    g.setColorAt(1, theme::Panel);
    p.setPen(QPen(theme::Border, 1));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(0.5, 0.5, Size - 1, Size - 1), 6, 6);
}

void box(QPainter& p, const QRectF& r, const QColor& fill, qreal radius = 0)
{
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    if (radius > 0)
        p.drawRoundedRect(r, radius, radius);
    else
        p.drawRect(r);
}

void label(QPainter& p, const QRectF& r, const QString& text, int pixels, const QColor& colour)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixels);
    f.setBold(true);
    p.setFont(f);
    p.setPen(colour);
    p.drawText(r, Qt::AlignCenter, text);
}

void filmStrip(QPainter& p)
{
    box(p, QRectF(6, 9, 28, 22), Body, 2);
    box(p, QRectF(10, 13, 20, 14), Lit);
    for (int i = 0; i < 5; ++i) {
        box(p, QRectF(7.5 + i * 5.4, 10, 2.6, 2), Screen);
        box(p, QRectF(7.5 + i * 5.4, 28, 2.6, 2), Screen);
    }
    QPainterPath play;
    play.moveTo(17, 16);
    play.lineTo(24, 20);
    play.lineTo(17, 24);
    play.closeSubpath();
    p.setBrush(Body);
    p.drawPath(play);
}

void note(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Lit);
    p.drawEllipse(QRectF(8, 24, 9, 7));
    p.drawEllipse(QRectF(22, 21, 9, 7));
    box(p, QRectF(15, 9, 2.4, 19), Lit);
    box(p, QRectF(29, 6, 2.4, 19), Lit);
    QPainterPath beam;
    beam.moveTo(15, 9);
    beam.lineTo(31.4, 6);
    beam.lineTo(31.4, 10.5);
    beam.lineTo(15, 13.5);
    beam.closeSubpath();
    p.drawPath(beam);
}

void wheelPlayer(QPainter& p)
{
    box(p, QRectF(11, 4, 18, 32), Body, 4);
    box(p, QRectF(13.5, 7, 13, 10), Lit, 1);
    p.setBrush(Screen);
    p.drawEllipse(QRectF(14, 20, 12, 12));
    p.setBrush(Body);
    p.drawEllipse(QRectF(17.5, 23.5, 5, 5));
}

void touchPhone(QPainter& p)
{
    box(p, QRectF(11, 3, 18, 34), Body, 4);
    box(p, QRectF(13, 7, 14, 24), Lit, 1);
    p.setBrush(Screen);
    p.drawEllipse(QRectF(18, 32, 4, 3.5));
}

void keyboardPhone(QPainter& p)
{
    box(p, QRectF(10, 3, 20, 34), Body, 3);
    box(p, QRectF(12, 6, 16, 15), Lit, 1);
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 4; ++k)
            box(p, QRectF(12.5 + k * 4, 24 + r * 3.8, 2.6, 2.4), Screen);
}

void screenOnBox(QPainter& p, bool hd)
{
    box(p, QRectF(4, 6, 32, 21), Body, 2);
    box(p, QRectF(6, 8, 28, 17), hd ? Screen : Lit);
    box(p, QRectF(17, 27, 6, 4), Body);
    box(p, QRectF(12, 31, 16, 2.5), Body, 1);
    if (hd)
        label(p, QRectF(6, 8, 28, 17), QStringLiteral("HD"), 12, Lit);
}

void handheldConsole(QPainter& p)
{
    box(p, QRectF(2, 12, 36, 17), Body, 8);
    box(p, QRectF(11, 14, 18, 13), Lit, 1);
    box(p, QRectF(4.5, 19.5, 5, 1.8), Screen);
    box(p, QRectF(6.1, 17.9, 1.8, 5), Screen);
    p.setBrush(Screen);
    p.drawEllipse(QRectF(31, 17, 2.6, 2.6));
    p.drawEllipse(QRectF(33.5, 20.5, 2.6, 2.6));
}

void gamePad(QPainter& p)
{
    QPainterPath pad;
    pad.addRoundedRect(QRectF(4, 12, 32, 14), 7, 7);
    pad.addEllipse(QRectF(4, 16, 11, 15));
    pad.addEllipse(QRectF(25, 16, 11, 15));
    p.setPen(Qt::NoPen);
    p.setBrush(Body);
    p.drawPath(pad.simplified());
    box(p, QRectF(8, 18.2, 7, 2.4), Screen);
    box(p, QRectF(10.3, 15.9, 2.4, 7), Screen);
    p.setBrush(Lit);
    p.drawEllipse(QRectF(26, 15.5, 3.4, 3.4));
    p.drawEllipse(QRectF(29.5, 19, 3.4, 3.4));
}

void handset(QPainter& p)
{
    box(p, QRectF(12, 3, 16, 34), Body, 3);
    box(p, QRectF(13.5, 6, 13, 11), Lit, 1);
    for (int r = 0; r < 4; ++r)
        for (int k = 0; k < 3; ++k)
            box(p, QRectF(14.5 + k * 4, 20 + r * 4, 3, 2.6), Screen, 0.8);
}

void pocketComputer(QPainter& p)
{
    box(p, QRectF(8, 3, 20, 34), Body, 3);
    box(p, QRectF(10, 6, 16, 20), Lit, 1);
    for (int k = 0; k < 3; ++k)
        box(p, QRectF(11 + k * 5.3, 29.5, 3.6, 3), Screen, 1);
    box(p, QRectF(31, 5, 2.2, 28), Body, 1);
}

void mediaPlayer(QPainter& p)
{
    box(p, QRectF(3, 9, 34, 22), Body, 4);
    box(p, QRectF(6, 12, 22, 16), Lit, 1);
    p.setBrush(Screen);
    p.drawEllipse(QRectF(29.5, 15.5, 6, 6));
    box(p, QRectF(30, 24, 5, 2), Screen);
}

void flash(QPainter& p)
{
    box(p, QRectF(5, 5, 30, 30), Body, 6);
    QPainterPath bolt;
    bolt.moveTo(23, 8);
    bolt.lineTo(12, 22);
    bolt.lineTo(19, 22);
    bolt.lineTo(16, 32);
    bolt.lineTo(28, 17);
    bolt.lineTo(21, 17);
    bolt.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Lit);
    p.drawPath(bolt);
}

void disc(QPainter& p)
{
    p.setPen(Qt::NoPen);
    QRadialGradient g(QPointF(16, 16), 18);
    g.setColorAt(0, Body);
    g.setColorAt(1, Lit);
    p.setBrush(g);
    p.drawEllipse(QRectF(5, 5, 30, 30));
    p.setBrush(Screen);
    p.drawEllipse(QRectF(16, 16, 8, 8));
    p.setBrush(theme::Panel);
    p.drawEllipse(QRectF(18.5, 18.5, 3, 3));
}

QImage categoryIcon(int category)
{
    QImage image(Size, Size, QImage::Format_RGB32);
    image.fill(theme::Background);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    tile(p);
    switch (category) {
    case 1: filmStrip(p); break;            // general video
    case 2: note(p); break;                 // audio
    case 3: wheelPlayer(p); break;          // iPod
    case 4: touchPhone(p); break;           // iPhone
    case 5: keyboardPhone(p); break;        // GPhone
    case 6: screenOnBox(p, false); break;   // Apple TV
    case 7: handheldConsole(p); break;      // PSP / PS3
    case 8: gamePad(p); break;              // Xbox 360
    case 9: handset(p); break;              // mobile phones
    case 10: pocketComputer(p); break;      // Windows Mobile
    case 11: mediaPlayer(p); break;         // portable media players
    case 12: screenOnBox(p, true); break;   // HD
    case 13: flash(p); break;               // Flash animation
    default: disc(p); break;                // 14: discs
    }
    return image;
}

} // namespace

bool drawCategoryIcons(const QString& out)
{
    const QString dir = out + QStringLiteral("images/main/");
    if (!QDir().mkpath(dir)) {
        std::fprintf(stderr, "artwork: cannot create %s\n", qPrintable(dir));
        return false;
    }
    bool ok = true;
    for (int c = 1; c <= 14; ++c) {
        const QString path = dir + QStringLiteral("%1.bmp").arg(c);
        if (!categoryIcon(c).save(path, "BMP")) {
            std::fprintf(stderr, "artwork: cannot write %s\n", qPrintable(path));
            ok = false;
        }
    }
    return ok;
}

} // namespace artwork
