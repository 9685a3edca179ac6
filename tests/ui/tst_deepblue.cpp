// The main form's controls under the DeepBlue sheet: the list's check boxes show both states on
// plain and selected rows, and the option boxes open popups wide enough for their texts and tell
// the current text in a tooltip.
#include "tests/support/TestMain.h"
#include "ui/DeepBlue.h"
#include "ui/MainForm.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QTreeWidget>

#include <algorithm>
#include <cstdlib>

namespace {

const QString ProgramDir = QStringLiteral(VC_PROGRAM_DIR "/");

struct FormRig {
    FormRig()
    {
        window.setFixedSize(781, 558);
        window.setStyleSheet(deepblue::styleSheet(ProgramDir));
        form = buildMainForm(&window);
        fitListColumns(form);
        window.show();
        (void)QTest::qWaitForWindowExposed(&window);
    }
    QWidget window;
    MainForm form;
};

// The picture of a row's first pixels, where the check box sits.
QImage indicatorArea(QTreeWidget* lv, QTreeWidgetItem* item)
{
    const QRect row = lv->visualItemRect(item);
    return lv->viewport()->grab(QRect(row.left(), row.top(), 24, row.height())).toImage();
}

// Pixels that differ clearly to the eye (a channel apart by more than 60 of 255), not by a
// shade only a measurement finds.
int clearlyDiffering(const QImage& a, const QImage& b)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            n += std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))}) > 60;
        }
    return n;
}

} // namespace

class TestDeepBlue : public QObject {
    Q_OBJECT
private slots:
    void checkBoxes_data();
    void checkBoxes();
    void optionBoxes_data();
    void optionBoxes();
};

void TestDeepBlue::checkBoxes_data()
{
    QTest::addColumn<bool>("selected");
    QTest::newRow("plain rows") << false;
    QTest::newRow("selected rows") << true;
}

void TestDeepBlue::checkBoxes()
{
    QFETCH(bool, selected);
    FormRig rig;
    QTreeWidget* lv = rig.form.lv;
    lv->show();
    auto row = [&](std::optional<Qt::CheckState> state) {
        auto* item = new QTreeWidgetItem(lv, QStringList{QString()});  // no text beside the box
        if (state)
            item->setCheckState(lvcol::Name, *state);
        item->setSelected(selected);
        return item;
    };
    QTreeWidgetItem* none = row(std::nullopt);
    QTreeWidgetItem* off = row(Qt::Unchecked);
    QTreeWidgetItem* on = row(Qt::Checked);
    lv->clearFocus();
    QTest::qWait(50);
    const QImage bare = indicatorArea(lv, none);
    const QImage unchecked = indicatorArea(lv, off);
    const QImage checked = indicatorArea(lv, on);
    // A drawn box, not an invisible one; the two states told apart at a glance.
    QVERIFY2(clearlyDiffering(bare, unchecked) > 30, "the unchecked box does not stand out");
    QVERIFY2(clearlyDiffering(unchecked, checked) > 30, "checked and unchecked look alike");
}

void TestDeepBlue::optionBoxes_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QStringList>("items");
    const QStringList quality{"Higher Quality", "High Quality", "Normal", "Low Quality", "Lower Quality"};
    QTest::newRow("video quality") << "cb_videobitrate" << (quality + QStringList{"The Original Video Quliay"});
    QTest::newRow("audio quality") << "cb_audiobitrate" << (quality + QStringList{"The Original Audio Quliay"});
    QTest::newRow("audio stream") << "cb_audio" << QStringList{"English AC3 2ch (0x80)", "German LPCM 2ch (0xa0)"};
    QTest::newRow("many sizes") << "cb_size"
                                << QStringList{"176x144", "320x240", "640x480", "720x576", "1280x720", "1920x1080",
                                               "352x288", "704x576", "480x272", "800x600", "1024x768",
                                               "The original width and height"};
}

void TestDeepBlue::optionBoxes()
{
    QFETCH(QString, box);
    QFETCH(QStringList, items);
    FormRig rig;
    auto* combo = rig.window.findChild<QComboBox*>(box);
    QVERIFY(combo);
    combo->show();
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(items.size() - 1);
    QCOMPARE(combo->toolTip(), items.last());
    combo->setCurrentIndex(0);
    QCOMPARE(combo->toolTip(), items.first());

    combo->showPopup();
    QAbstractItemView* list = combo->view();
    QTRY_VERIFY(list->isVisible());
    for (int i = 0; i < items.size(); ++i) {
        const int needed = list->fontMetrics().horizontalAdvance(items[i]);
        QVERIFY2(list->viewport()->width() >= needed, qPrintable(items[i]));
    }
    combo->hidePopup();
}

VC_TEST_MAIN(TestDeepBlue)
#include "tst_deepblue.moc"
