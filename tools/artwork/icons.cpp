// The program's desktop icons: a film strip with a conversion arrow, and the DVD editions'
// disc, drawn at the hicolor theme's sizes into icons/hicolor/NxN/apps/.
#include "tools/artwork/Artwork.h"
#include "tools/artwork/Theme.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace artwork {
namespace {

void drawConverter(QPainter& p, double s)
{
    // Rounded tile in the theme's blue.
    QLinearGradient tile(0, 0, 0, s);
    tile.setColorAt(0, theme::PanelLight);
    tile.setColorAt(1, theme::Background);
    p.setPen(QPen(theme::Border, s / 32));
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(s * 0.04, s * 0.04, s * 0.92, s * 0.92), s * 0.18, s * 0.18);

    // Film frame with sprocket holes.
    const QRectF film(s * 0.16, s * 0.22, s * 0.46, s * 0.56);
    p.setPen(Qt::NoPen);
    p.setBrush(theme::Text);
    p.drawRoundedRect(film, s * 0.04, s * 0.04);
    p.setBrush(theme::Background);
    for (int i = 0; i < 4; ++i) {
        const double y = film.top() + s * 0.05 + i * s * 0.125;
        p.drawRect(QRectF(film.left() + s * 0.03, y, s * 0.05, s * 0.06));
        p.drawRect(QRectF(film.right() - s * 0.08, y, s * 0.05, s * 0.06));
    }
    p.setBrush(theme::Accent);
    p.drawRect(QRectF(film.left() + s * 0.11, film.top() + s * 0.06, film.width() - s * 0.22, film.height() - s * 0.12));

    // Conversion arrow leaving the frame.
    QPainterPath arrow;
    arrow.moveTo(s * 0.52, s * 0.44);
    arrow.lineTo(s * 0.70, s * 0.44);
    arrow.lineTo(s * 0.70, s * 0.34);
    arrow.lineTo(s * 0.88, s * 0.50);
    arrow.lineTo(s * 0.70, s * 0.66);
    arrow.lineTo(s * 0.70, s * 0.56);
    arrow.lineTo(s * 0.52, s * 0.56);
    arrow.closeSubpath();
    p.setPen(QPen(theme::Background, s / 40));
    p.setBrush(QColor(0xff, 0xb3, 0x3d));
    p.drawPath(arrow);
}

void drawDisc(QPainter& p, double s)
{
    drawConverter(p, s);
    // A disc over the film's lower left corner.
    const QPointF c(s * 0.34, s * 0.64);
    const double r = s * 0.25;
    QRadialGradient shine(c, r);
    shine.setColorAt(0, QColor(0xf4, 0xf8, 0xff));
    shine.setColorAt(0.6, QColor(0xb8, 0xcc, 0xee));
    shine.setColorAt(1, QColor(0x8c, 0xa6, 0xd8));
    p.setPen(QPen(theme::Background, s / 40));
    p.setBrush(shine);
    p.drawEllipse(c, r, r);
    p.setBrush(theme::Background);
    p.drawEllipse(c, r * 0.22, r * 0.22);
}

bool save(const QImage& image, const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (image.save(path))
        return true;
    std::fprintf(stderr, "artwork: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

bool drawIcons(const QString& out)
{
    bool ok = true;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString dir = out + QStringLiteral("icons/hicolor/%1x%1/apps/").arg(size);
        for (bool dvd : {false, true}) {
            QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            dvd ? drawDisc(p, size) : drawConverter(p, size);
            p.end();
            ok = save(image, dir + (dvd ? QStringLiteral("videoconverter-dvd.png") : QStringLiteral("videoconverter.png"))) && ok;
        }
    }
    return ok;
}

} // namespace artwork
