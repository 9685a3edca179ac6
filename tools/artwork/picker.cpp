// The profile picker's pictures. A button says its profile's display name in two lines (the
// label, then the output pattern), the openers of the first video page name their group, and
// the unnamed pieces are quiet fillers; every button has a small icon of what it reacts to and
// a lit variant in the accent colour.
#include "tools/artwork/PickerArt.h"

#include "profiles/Catalogue.h"
#include "tools/artwork/Artwork.h"
#include "tools/artwork/Theme.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

using namespace picker;

namespace pickerart {

namespace {

constexpr int MinPixelSize = 9;  // smaller is no longer readable on the dark face

QFont makeFont(int pixelSize, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

int inkWidth(const QFont& font, const QString& text)
{
    const QFontMetrics fm(font);
    return std::max(fm.horizontalAdvance(text), fm.boundingRect(text).width());
}

// Shrinks the font until the text fits its rectangle: a bold face down to 11 px, then the
// narrower regular face; elides only below the smallest size.
TextLine fit(const QString& text, QFont font, const QRect& rect, const QColor& colour)
{
    QList<QFont> faces;
    for (int px = font.pixelSize(); px >= MinPixelSize; --px) {
        if (font.bold() && px < 11)
            break;
        font.setPixelSize(px);
        faces << font;
    }
    font.setBold(false);
    for (int px = std::min(font.pixelSize(), 11); px >= MinPixelSize; --px) {
        font.setPixelSize(px);
        faces << font;
    }
    for (const QFont& face : faces)
        if (inkWidth(face, text) <= rect.width() && QFontMetrics(face).height() <= rect.height())
            return {text, text, face, rect, colour};
    return {text, QFontMetrics(font).elidedText(text, Qt::ElideRight, rect.width()), font, rect, colour};
}

void drawLines(QPainter& p, const QList<TextLine>& lines)
{
    for (const TextLine& line : lines) {
        p.setFont(line.font);
        p.setPen(line.colour);
        p.drawText(line.rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, line.text);
    }
}

QImage canvas(const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(theme::Panel);
    return image;
}

// The face of a piece: a soft vertical gradient, lit in the accent colour when highlighted.
void drawFace(QPainter& p, const QRect& r, bool highlighted, bool quiet)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    if (highlighted) {
        g.setColorAt(0, theme::Accent);
        g.setColorAt(1, theme::AccentDark);
    } else if (quiet) {
        g.setColorAt(0, theme::Panel);
        g.setColorAt(1, theme::Background);
    } else {
        g.setColorAt(0, theme::PanelLight);
        g.setColorAt(1, theme::Panel);
    }
    p.fillRect(r, g);
    p.setPen(highlighted ? theme::Accent.lighter(140) : theme::PanelLight.lighter(125));
    p.drawLine(r.left(), r.top(), r.right(), r.top());
    p.setPen(theme::Background.darker(140));
    p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    if (highlighted)
        p.fillRect(QRect(r.left(), r.top(), 4, r.height()), theme::Text);
}

// Quiet diagonal hatching for the pieces that carry no name.
void drawHatch(QPainter& p, const QRect& r, bool highlighted)
{
    p.save();
    p.setClipRect(r.adjusted(0, 1, 0, -1));
    QColor c = highlighted ? theme::Text : theme::PanelLight;
    c.setAlpha(highlighted ? 40 : 90);
    p.setPen(QPen(c, 1));
    for (int x = r.left() - r.height(); x < r.right(); x += 9)
        p.drawLine(x, r.bottom(), x + r.height(), r.top());
    p.restore();
}

// The icon of what a button reacts to, centred in `box`.
void drawKindIcon(QPainter& p, const QRectF& box, int n, bool highlighted)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink = highlighted ? theme::Text : theme::Accent;
    const QColor dim = highlighted ? theme::Text : theme::Disabled;
    const qreal s = box.width();
    const QPointF c = box.center();
    const ButtonKind kind = KindOf(n);
    if (kind == ButtonKind::HoverAndClick) {
        // A round "choose" button with a play mark.
        p.setPen(QPen(highlighted ? theme::Text : theme::Border, 1.5));
        p.setBrush(highlighted ? theme::AccentDark : theme::Background);
        p.drawEllipse(box.adjusted(1, 1, -1, -1));
        QPainterPath tri;
        tri.moveTo(c.x() - s * 0.14, c.y() - s * 0.22);
        tri.lineTo(c.x() + s * 0.24, c.y());
        tri.lineTo(c.x() - s * 0.14, c.y() + s * 0.22);
        tri.closeSubpath();
        p.fillPath(tri, ink);
    } else if (kind == ButtonKind::HoverOnly && n <= 5) {
        // Opens a group: a stack of two cards.
        p.setPen(QPen(ink, 1.5));
        p.setBrush(highlighted ? theme::AccentDark : theme::Background);
        const QRectF back(box.left() + s * 0.25, box.top() + s * 0.1, s * 0.65, s * 0.55);
        const QRectF front(box.left() + s * 0.08, box.top() + s * 0.32, s * 0.65, s * 0.55);
        p.drawRoundedRect(back, 2, 2);
        p.drawRoundedRect(front, 2, 2);
    } else if (kind == ButtonKind::HoverOnly) {
        // Lights up, chooses nothing: a ring.
        p.setPen(QPen(ink, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(box.adjusted(s * 0.2, s * 0.2, -s * 0.2, -s * 0.2));
    } else {
        // A picture only: a small square.
        p.setPen(Qt::NoPen);
        p.setBrush(dim);
        p.drawRect(QRectF(c.x() - s * 0.18, c.y() - s * 0.18, s * 0.36, s * 0.36));
    }
    p.restore();
}

void drawChevron(QPainter& p, const QRect& r, const QColor& colour, qreal size)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF c(r.right() - 14, r.center().y() + 0.5);
    p.drawPolyline(QPolygonF({c + QPointF(-size / 2, -size), c + QPointF(size / 2, 0), c + QPointF(-size / 2, size)}));
    p.restore();
}

struct GroupLabel {
    const char* title;
    const char* detail;
};

// The openers 2..5 name the group they open. Short lines: an open group panel covers the
// right part of the page.
GroupLabel groupLabel(int opener)
{
    switch (opener) {
    case 2: return {"AVI Video Formats", "DivX, XviD, H.264, ..."};
    case 3: return {"MPEG Video Formats", "VCD, SVCD, DVD, HD"};
    case 4: return {"MP4 Video Formats", "MPEG-4 and H.264"};
    default: return {"MKV Video Formats", "DivX, XviD, H.264, ..."};
    }
}

const char* categoryLabel(int c)
{
    static const char* const labels[] = {
        "General Video", "General Audio", "iPod", "iPhone", "GPhone", "Apple TV", "PSP / PS3",
        "Xbox 360", "Mobile Phones", "Pocket PC", "Media Players", "HD Video", "Flash Video"};
    return labels[c - 1];
}

// A small glyph per category, drawn in `ink` inside `box`.
void drawCategoryGlyph(QPainter& p, const QRectF& box, int c, const QColor& ink)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(ink, 1.4));
    p.setBrush(Qt::NoBrush);
    const qreal x = box.left(), y = box.top(), w = box.width(), h = box.height();
    switch (c) {
    case 1:   // film frame
    case 13:
        p.drawRect(QRectF(x + 1, y + 3, w - 2, h - 6));
        for (int i = 0; i < 4; ++i) {
            p.fillRect(QRectF(x + 3 + i * (w - 6) / 4, y + 4.5, 2, 1.5), ink);
            p.fillRect(QRectF(x + 3 + i * (w - 6) / 4, y + h - 6, 2, 1.5), ink);
        }
        if (c == 13) {
            QPainterPath bolt;
            bolt.moveTo(x + w * 0.55, y + h * 0.3);
            bolt.lineTo(x + w * 0.4, y + h * 0.52);
            bolt.lineTo(x + w * 0.6, y + h * 0.52);
            bolt.lineTo(x + w * 0.45, y + h * 0.72);
            p.drawPath(bolt);
        }
        break;
    case 2:   // a note
        p.setBrush(ink);
        p.drawEllipse(QRectF(x + 2, y + h - 6, 5, 4));
        p.drawEllipse(QRectF(x + w - 7, y + h - 8, 5, 4));
        p.drawLine(QPointF(x + 7, y + h - 4), QPointF(x + 7, y + 3));
        p.drawLine(QPointF(x + w - 2, y + h - 6), QPointF(x + w - 2, y + 1));
        p.drawLine(QPointF(x + 7, y + 3), QPointF(x + w - 2, y + 1));
        break;
    case 3:   // a player with a wheel
        p.drawRoundedRect(QRectF(x + 3, y + 1, w - 6, h - 2), 2, 2);
        p.drawRect(QRectF(x + 5, y + 3, w - 10, h * 0.3));
        p.drawEllipse(QRectF(x + w / 2 - 3, y + h * 0.55, 6, 6));
        break;
    case 4:   // phones with a screen
    case 5:
        p.drawRoundedRect(QRectF(x + 4, y, w - 8, h), 2, 2);
        p.drawRect(QRectF(x + 6, y + 2.5, w - 12, h - 6));
        if (c == 5)
            p.fillRect(QRectF(x + w / 2 - 1, y + h - 2.5, 2, 1.5), ink);
        break;
    case 6:   // a screen on a stand
    case 12:
        p.drawRect(QRectF(x, y + 1, w, h - 5));
        p.drawLine(QPointF(x + w / 2 - 3, y + h - 1), QPointF(x + w / 2 + 3, y + h - 1));
        if (c == 12) {
            QFont f = makeFont(7, true);
            p.setFont(f);
            p.drawText(QRectF(x, y + 1, w, h - 5), Qt::AlignCenter, QStringLiteral("HD"));
        }
        break;
    case 7:   // a handheld console
    case 11:
        p.drawRoundedRect(QRectF(x, y + 3, w, h - 6), 3, 3);
        p.drawRect(QRectF(x + w * 0.28, y + 5, w * 0.44, h - 10));
        break;
    case 8:   // a game pad
        p.drawRoundedRect(QRectF(x, y + 4, w, h - 8), 4, 4);
        p.drawLine(QPointF(x + 3, y + h / 2), QPointF(x + 7, y + h / 2));
        p.drawLine(QPointF(x + 5, y + h / 2 - 2), QPointF(x + 5, y + h / 2 + 2));
        p.drawEllipse(QRectF(x + w - 6, y + h / 2 - 1.5, 3, 3));
        break;
    case 9:   // a handset with keys
        p.drawRoundedRect(QRectF(x + 4, y, w - 8, h), 2, 2);
        p.drawRect(QRectF(x + 6, y + 2, w - 12, h * 0.35));
        for (int r = 0; r < 2; ++r)
            for (int k = 0; k < 3; ++k)
                p.fillRect(QRectF(x + 6.5 + k * (w - 13) / 3, y + h * 0.6 + r * 3, 1.5, 1.5), ink);
        break;
    default:  // 10: a pocket computer and its pen
        p.drawRoundedRect(QRectF(x + 2, y, w - 6, h), 2, 2);
        p.drawRect(QRectF(x + 4, y + 2, w - 10, h - 6));
        p.drawLine(QPointF(x + w - 1, y + 2), QPointF(x + w - 1, y + h - 1));
        break;
    }
    p.restore();
}

bool save(const QImage& image, const QString& out, const QString& relative)
{
    const QString path = out + relative;
    QDir().mkpath(QFileInfo(path).path());
    if (image.save(path, "BMP"))
        return true;
    std::fprintf(stderr, "artwork: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

QList<TextLine> buttonLines(int n, bool highlighted)
{
    const QRect r = ButtonRect(n);
    if (r.isEmpty())
        return {};
    const ButtonKind kind = KindOf(n);
    QString title, detail;
    if (n >= 2 && n <= 5) {
        const GroupLabel g = groupLabel(n);
        title = QLatin1String(g.title);
        detail = QLatin1String(g.detail);
    } else {
        const QString name = catalogue::DisplayName(n);
        if (name.isEmpty())
            return {};
        const int open = name.lastIndexOf(QStringLiteral("(*"));
        title = name.left(open).trimmed();
        detail = QStringLiteral("Output: ") + name.mid(open + 1, name.size() - open - 2);
    }
    const bool inert = kind == ButtonKind::PictureOnly;
    const QColor titleColour = highlighted ? theme::Text : inert ? theme::Disabled : theme::Text;
    const QColor detailColour = highlighted ? theme::Text.darker(115) : inert ? theme::Disabled : theme::TextDim;
    const int textLeft = 46;
    const int textWidth = r.width() - textLeft - 26;  // room for the chevron
    const int top = (r.height() - 48) / 2;
    return {fit(title, makeFont(13, true), QRect(textLeft, top + 6, textWidth, 19), titleColour),
            fit(detail, makeFont(11, false), QRect(textLeft, top + 26, textWidth, 16), detailColour)};
}

QImage buttonPicture(int n, bool highlighted)
{
    const QRect r(QPoint(0, 0), ButtonRect(n).size());
    QImage image = canvas(r.size());
    QPainter p(&image);
    const QList<TextLine> lines = buttonLines(n, highlighted);
    const bool named = !lines.isEmpty();
    const ButtonKind kind = KindOf(n);
    drawFace(p, r, highlighted, !named || kind == ButtonKind::PictureOnly);
    if (!named)
        drawHatch(p, r, highlighted);
    // Short pieces get a smaller icon tucked into their corner.
    const qreal icon = named ? 24 : std::min(12, r.height() - 5);
    const QRectF iconBox = named ? QRectF(13, (r.height() - icon) / 2, icon, icon) : QRectF(13, 3, icon, icon);
    drawKindIcon(p, iconBox, n, highlighted);
    drawLines(p, lines);
    if (named && kind != ButtonKind::PictureOnly)
        drawChevron(p, r, highlighted ? theme::Text : theme::Border, n <= 5 && n >= 2 ? 6 : 4);
    return image;
}

QList<TextLine> categoryLines(int c, bool highlighted)
{
    const QRect r = CategoryRect(c);
    return {fit(QLatin1String(categoryLabel(c)), makeFont(12, highlighted), QRect(30, 0, r.width() - 50, r.height()),
                highlighted ? theme::Text : theme::TextDim)};
}

QImage categoryPicture(int c, bool highlighted)
{
    const QRect r(QPoint(0, 0), CategoryRect(c).size());
    QImage image = canvas(r.size());
    QPainter p(&image);
    drawFace(p, r, highlighted, !highlighted);
    drawCategoryGlyph(p, QRectF(9, (r.height() - 15) / 2.0, 15, 15), c, highlighted ? theme::Text : theme::Accent);
    drawLines(p, categoryLines(c, highlighted));
    if (highlighted)
        drawChevron(p, r, theme::Text, 4);
    return image;
}

QList<TextLine> linkLines(PageLink link)
{
    const bool next = link == PageLink::Image94 || link == PageLink::Image2;
    return {fit(next ? QStringLiteral("Next \u00bb") : QStringLiteral("\u00ab Back"), makeFont(11, true),
                QRect(8, 0, LinkWidth - 10, LinkHeight), theme::Accent.lighter(120))};
}

QImage linkPicture(PageLink link)
{
    QImage image = canvas(QSize(LinkWidth, LinkHeight));
    QPainter p(&image);
    p.fillRect(image.rect(), theme::Background);
    p.setPen(theme::Border);
    p.drawLine(0, 0, LinkWidth - 1, 0);
    p.drawLine(0, 0, 0, LinkHeight - 1);
    drawLines(p, linkLines(link));
    return image;
}

QList<TextLine> stripLines(int panel)
{
    const QRect r = LinkStripRect(panel);
    const bool first = panel == pl_video1 || panel == pl_audio1;
    return {fit(first ? QStringLiteral("Page 1 of 2") : QStringLiteral("Page 2 of 2"), makeFont(10, false),
                QRect(10, 0, r.width() - 14, r.height()), theme::TextDim)};
}

QImage stripPicture(int panel)
{
    QImage image = canvas(LinkStripRect(panel).size());
    QPainter p(&image);
    p.fillRect(image.rect(), theme::Background);
    p.setPen(theme::Border);
    p.drawLine(0, 0, image.width() - 1, 0);
    drawLines(p, stripLines(panel));
    return image;
}

QList<TextLine> fillerLines()
{
    const QRect r = FillerRect();
    return {fit(QStringLiteral("Output profiles"), makeFont(10, false), QRect(10, 0, r.width() - 14, r.height()),
                theme::Disabled)};
}

QImage fillerPicture()
{
    const QRect r(QPoint(0, 0), FillerRect().size());
    QImage image = canvas(r.size());
    QPainter p(&image);
    drawFace(p, r, false, true);
    drawLines(p, fillerLines());
    return image;
}

} // namespace pickerart

namespace artwork {

bool drawPicker(const QString& out)
{
    using namespace pickerart;
    bool ok = true;
    for (int c = 1; c <= CategoryCount; ++c)
        for (bool lit : {false, true})
            ok = save(categoryPicture(c, lit), out, CategoryPicture(c, lit)) && ok;
    for (int n = catalogue::FirstProfile; n <= catalogue::LastProfile; ++n)
        for (bool lit : {false, true})
            ok = save(buttonPicture(n, lit), out, ButtonPicture(n, lit)) && ok;
    ok = save(fillerPicture(), out, FillerPicture()) && ok;
    for (int panel = 0; panel < PanelCount; ++panel) {
        if (!Panels()[panel].hasLink)
            continue;
        ok = save(linkPicture(Panels()[panel].link), out, LinkPicture(Panels()[panel].link)) && ok;
        ok = save(stripPicture(panel), out, LinkStripPicture(panel)) && ok;
    }
    return ok;
}

} // namespace artwork
