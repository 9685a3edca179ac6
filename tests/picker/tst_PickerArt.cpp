// The picker's pictures: every label is drawn whole inside its rectangle, every lit picture
// differs from its normal one, and the files the build wrote are these pictures.
#include "tests/support/TestMain.h"

#include "profiles/Catalogue.h"
#include "tools/artwork/PickerArt.h"

#include <QFontMetrics>

using namespace picker;
using namespace pickerart;

namespace {

QString checkLines(const QList<TextLine>& lines, const QSize& picture)
{
    for (const TextLine& line : lines) {
        if (line.text != line.wanted)
            return QStringLiteral("\"%1\" elided to \"%2\"").arg(line.wanted, line.text);
        const QFontMetrics fm(line.font);
        const int width = std::max(fm.horizontalAdvance(line.text), fm.boundingRect(line.text).width());
        if (width > line.rect.width() || fm.height() > line.rect.height())
            return QStringLiteral("\"%1\" needs %2x%3, has %4x%5")
                .arg(line.text).arg(width).arg(fm.height()).arg(line.rect.width()).arg(line.rect.height());
        if (!QRect(QPoint(0, 0), picture).contains(line.rect))
            return QStringLiteral("\"%1\" lies outside the picture").arg(line.text);
        if (line.font.pixelSize() < 9)
            return QStringLiteral("\"%1\" shrunk to %2 px").arg(line.text).arg(line.font.pixelSize());
    }
    return {};
}

QImage built(const QString& relative)
{
    return QImage(QStringLiteral(VC_PROGRAM_DIR "/") + relative).convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestPickerArt : public QObject {
    Q_OBJECT
private slots:
    void buttons();
    void categoriesAndFillers();
};

void TestPickerArt::buttons()
{
    for (int n = 1; n <= 132; ++n) {
        const QSize size = ButtonRect(n).size();
        const QImage normal = buttonPicture(n, false);
        const QImage lit = buttonPicture(n, true);
        QCOMPARE(normal.size(), size);
        QVERIFY2(normal != lit, qPrintable(QString::number(n)));
        for (bool highlighted : {false, true}) {
            const QString fault = checkLines(buttonLines(n, highlighted), size);
            QVERIFY2(fault.isEmpty(), qPrintable(QStringLiteral("button %1: %2").arg(n).arg(fault)));
        }
        // The named buttons say their whole display name: the label, then the output pattern.
        const QList<TextLine> lines = buttonLines(n, false);
        const QString name = catalogue::DisplayName(n);
        if (n >= 2 && n <= 5) {
            QCOMPARE(lines.size(), 2);
            QVERIFY(lines[0].text.endsWith(QStringLiteral("Video Formats")));
        } else if (name.isEmpty()) {
            QVERIFY(lines.isEmpty());
        } else {
            QCOMPARE(lines.size(), 2);
            const QString pattern = lines[1].text.mid(QStringLiteral("Output: ").size());
            QCOMPARE(lines[0].text + u'(' + pattern + u')', name);
        }
        QCOMPARE(built(ButtonPicture(n, false)), normal);
        QCOMPARE(built(ButtonPicture(n, true)), lit);
    }
}

void TestPickerArt::categoriesAndFillers()
{
    for (int c = 1; c <= CategoryCount; ++c) {
        const QImage normal = categoryPicture(c, false);
        const QImage lit = categoryPicture(c, true);
        QCOMPARE(normal.size(), CategoryRect(c).size());
        QVERIFY(normal != lit);
        for (bool highlighted : {false, true}) {
            const QString fault = checkLines(categoryLines(c, highlighted), CategoryRect(c).size());
            QVERIFY2(fault.isEmpty(), qPrintable(QStringLiteral("category %1: %2").arg(c).arg(fault)));
        }
        QCOMPARE(built(CategoryPicture(c, false)), normal);
        QCOMPARE(built(CategoryPicture(c, true)), lit);
    }
    QCOMPARE(built(FillerPicture()), fillerPicture());
    QVERIFY(checkLines(fillerLines(), FillerRect().size()).isEmpty());
    for (int p = 0; p < PanelCount; ++p) {
        if (!Panels()[p].hasLink)
            continue;
        const PageLink link = Panels()[p].link;
        QCOMPARE(built(LinkPicture(link)).size(), QSize(LinkWidth, LinkHeight));
        QCOMPARE(built(LinkPicture(link)), linkPicture(link));
        QCOMPARE(built(LinkStripPicture(p)), stripPicture(p));
        QVERIFY(checkLines(linkLines(link), QSize(LinkWidth, LinkHeight)).isEmpty());
        QVERIFY(checkLines(stripLines(p), LinkStripRect(p).size()).isEmpty());
    }
}

VC_TEST_MAIN(TestPickerArt)
#include "tst_PickerArt.moc"
