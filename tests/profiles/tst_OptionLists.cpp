// The option-box rules across selection sequences (keep-source and "No Video" items, size
// lists, enabled states) and the remembered-options table with its file reads and writes.
#include "profiles/Catalogue.h"
#include "profiles/OptionLists.h"
#include "profiles/RememberedOptions.h"
#include "tests/support/TestMain.h"

#include <QFile>
#include <QMap>

using namespace optionlists;
using remembered::Keys;

namespace {

struct Lines {
    QString size;
    QString bitrate;
};

// A few profiles' size and bitrate lines, enough for every rule.
const QMap<int, Lines> Data = {
    {2, {"640x480 320x240", "400 600 800 1000 1200"}},
    {4, {"640x480 320x240 176x144", "400 600 800 1000 1200"}},
    {17, {"", "*"}},
    {18, {"", "*"}},
    {27, {"320x240", "128 256 384 512 768"}},
    {110, {"352x288 352x240 320x240 176x144 160x120", "500 800 1000 1150 1500"}},
    {112, {"352x288", "1 2 3"}},
    {113, {"", "*"}},
    {115, {"1920x1080 1280x720", "4000 6000 8000 12000 15000"}},
    {118, {"640x480 320x240", "300 400 500 600 700"}},
    {122, {"640x480 320x240", "300 400 500 600 700"}},
    {123, {"640x480 320x240", "300 400 500 600 700"}},
};

// The three boxes as the window starts, and what a selection does to them.
struct Window {
    Boxes boxes{{}, {QualityItems(), 0, true}, {QualityItems(), 0, true}};
    std::array<QString, 5> levels;
    QString shownName;
    bool dvd = false;

    void select(int p)
    {
        if (catalogue::IsNamed(p))
            shownName = catalogue::DisplayName(p);
        const Applied a{p, catalogue::OutputExtension(shownName), dvd};
        FillSizeList(boxes.size, Data[p].size, a);
        ApplyBitrateLine(boxes, levels, Data[p].bitrate, a);
    }
};

} // namespace

class tst_OptionLists : public QObject {
    Q_OBJECT
private slots:
    void sequences_data();
    void sequences();
    void sizeLists_data();
    void sizeLists();
    void noVideoProfile();
    void rules_data();
    void rules();
    void saveAndLoad();
};

void tst_OptionLists::sequences_data()
{
    QTest::addColumn<QList<int>>("sequence");
    QTest::addColumn<bool>("dvd");
    QTest::addColumn<QStringList>("videoTail");  // items after the five qualities
    QTest::addColumn<QStringList>("audioTail");
    QTest::addColumn<bool>("qualityEnabled");

    const QStringList none;
    const QStringList keepV{KeepVideo}, keepA{KeepAudio};
    QTest::newRow("avi gains both") << QList<int>{2} << false << keepV << keepA << true;
    QTest::newRow("avi again: still one") << QList<int>{2, 2} << false << keepV << keepA << true;
    QTest::newRow("mp4 after avi removes them") << QList<int>{2, 4} << false << none << none << true;
    QTest::newRow("avi after mp4 adds them") << QList<int>{4, 2} << false << keepV << keepA << true;
    QTest::newRow(".MP4 is not .mp4") << QList<int>{123} << false << keepV << keepA << true;
    QTest::newRow(".mp4 group") << QList<int>{123, 122} << false << none << none << true;
    QTest::newRow("15..101 leave them") << QList<int>{2, 27} << false << keepV << keepA << true;
    QTest::newRow("15..101 add none") << QList<int>{4, 27} << false << none << none << true;
    QTest::newRow("no video") << QList<int>{17} << false << QStringList{NoVideo} << none << true;
    QTest::newRow("two without video: one item") << QList<int>{17, 18} << false << QStringList{NoVideo} << none
                                                 << true;
    QTest::newRow("no video after avi") << QList<int>{2, 17} << false << QStringList{KeepVideo, NoVideo} << keepA
                                        << true;
    QTest::newRow("video after no video") << QList<int>{2, 17, 18, 2} << false << keepV << keepA << true;
    QTest::newRow("disc target between") << QList<int>{17, 112, 2} << false << keepV << keepA << true;
    QTest::newRow("disc target keeps No Video") << QList<int>{2, 17, 113} << false
                                                << QStringList{KeepVideo, NoVideo} << keepA << false;
    QTest::newRow("disc target after avi") << QList<int>{2, 112} << false << keepV << keepA << false;
    QTest::newRow("DVD edition adds none") << QList<int>{2, 123, 110} << true << none << none << true;
    QTest::newRow("DVD edition no video then avi") << QList<int>{17, 112, 2} << true << none << none << true;
}

void tst_OptionLists::sequences()
{
    QFETCH(QList<int>, sequence);
    QFETCH(bool, dvd);
    QFETCH(QStringList, videoTail);
    QFETCH(QStringList, audioTail);
    QFETCH(bool, qualityEnabled);

    Window w;
    w.dvd = dvd;
    for (int p : sequence)
        w.select(p);
    QCOMPARE(w.boxes.video.items, QualityItems() + videoTail);
    QCOMPARE(w.boxes.audio.items, QualityItems() + audioTail);
    QCOMPARE(w.boxes.audio.enabled, qualityEnabled);
    if (!catalogue::IsDiscTarget(sequence.last()))
        QCOMPARE(w.boxes.video.enabled, !videoTail.contains(NoVideo));
}

void tst_OptionLists::sizeLists_data()
{
    QTest::addColumn<QList<int>>("sequence");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("avi: the original size last") << QList<int>{2} << QStringList{"640x480", "320x240", OriginalSize}
                                                 << true;
    QTest::newRow("mp4: none") << QList<int>{4} << QStringList{"640x480", "320x240", "176x144"} << true;
    QTest::newRow("one size: none") << QList<int>{27} << QStringList{"320x240"} << true;
    QTest::newRow("110: five and the original") << QList<int>{110}
                                                << QStringList{"352x288", "352x240", "320x240", "176x144", "160x120",
                                                               OriginalSize}
                                                << true;
    QTest::newRow("above 111: none") << QList<int>{115} << QStringList{"1920x1080", "1280x720"} << true;
    QTest::newRow(".MP4 above 111: none") << QList<int>{123} << QStringList{"640x480", "320x240"} << true;
    QTest::newRow("disc target") << QList<int>{2, 112} << QStringList{Pal, Ntsc} << true;
    QTest::newRow("disc target keeps the disabled state") << QList<int>{17, 112} << QStringList{Pal, Ntsc} << false;
    QTest::newRow("no sizes") << QList<int>{17} << QStringList{NoVideo} << false;
}

void tst_OptionLists::sizeLists()
{
    QFETCH(QList<int>, sequence);
    QFETCH(QStringList, items);
    QFETCH(bool, enabled);
    Window w;
    for (int p : sequence)
        w.select(p);
    QCOMPARE(w.boxes.size.items, items);
    QCOMPARE(w.boxes.size.enabled, enabled);
    QCOMPARE(w.boxes.size.index, items == QStringList{NoVideo} ? 0 : -1);
}

void tst_OptionLists::noVideoProfile()
{
    Window w;
    w.select(2);
    QCOMPARE(w.levels, (std::array<QString, 5>{"1200", "1000", "800", "600", "400"}));
    w.boxes.video.index = 3;
    w.select(17);
    QCOMPARE(w.boxes.video.index, 6);  // the "No Video" item after the keep-source item
    QVERIFY(!w.boxes.video.enabled);
    QVERIFY(!w.boxes.size.enabled);
    QVERIFY(w.boxes.audio.enabled);
    QCOMPARE(w.levels, (std::array<QString, 5>{"*", "1000", "800", "600", "400"}));

    // Removing the selected "No Video" item leaves the box without a selection.
    w.select(2);
    QCOMPARE(w.boxes.video.index, -1);
    QVERIFY(w.boxes.video.enabled && w.boxes.size.enabled);
    QCOMPARE(w.levels[0], u"1200"_qs);

    // A video profile whose line is "*" but which has sizes keeps its video.
    ListBox size{{"a", "b"}, -1, true};
    Boxes boxes{size, {QualityItems(), 2, true}, {QualityItems(), 2, true}};
    std::array<QString, 5> levels{"5", "4", "3", "2", "1"};
    ApplyBitrateLine(boxes, levels, "*", {30, ".mp4", false});
    QCOMPARE(levels[0], u"5"_qs);
    QCOMPARE(boxes.video.items, QualityItems());
}

void tst_OptionLists::rules_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<bool>("dvd");
    QTest::addColumn<int>("written");
    QTest::addColumn<int>("read");
    QTest::addColumn<QList<int>>("defaults");  // size, video, audio of the keys read

    const int N = int(Keys::None), A = int(Keys::AudioOnly), All = int(Keys::All);
    auto row = [&](int id, bool dvd, int w, int r, QList<int> d) {
        QTest::addRow("%d%s", id, dvd ? " DVD" : "") << id << dvd << w << r << d;
    };
    row(1, false, All, All, {0, 5, 5});
    row(1, true, All, All, {0, 2, 2});
    row(2, false, All, All, {4, 5, 5});
    row(2, true, All, All, {4, 2, 2});
    row(4, false, All, All, {5, 5, 5});
    row(4, true, All, All, {2, 2, 2});
    row(5, false, All, All, {4, 5, 5});
    row(7, false, All, All, {1, 5, 5});
    row(14, false, All, All, {1, 5, 5});
    row(9, false, All, All, {2, 5, 5});
    row(15, false, A, A, {0, 0, 2});
    row(25, true, A, A, {0, 0, 2});
    row(71, false, A, A, {0, 0, 2});
    row(80, false, A, A, {0, 0, 2});
    row(72, false, All, All, {0, 2, 2});
    row(26, false, N, N, {0, 0, 0});
    row(33, false, N, A, {0, 0, 2});
    row(59, false, N, A, {0, 0, 2});
    row(53, false, All, All, {0, 2, 2});
    row(55, false, All, All, {2, 2, 2});
    row(69, false, All, All, {1, 2, 2});
    row(89, false, All, All, {1, 2, 2});
    row(99, false, All, All, {4, 2, 2});
    row(100, true, All, All, {4, 2, 2});
    row(101, false, N, N, {0, 0, 0});
    row(108, false, All, All, {4, 5, 5});
    row(109, false, N, N, {0, 0, 0});
    row(110, false, All, All, {5, 5, 5});
    row(110, true, All, All, {2, 2, 2});
    row(111, false, All, All, {2, 5, 5});
    row(113, false, All, All, {0, 5, 5});
    row(114, true, All, All, {0, 2, 2});
    row(116, false, All, All, {0, 2, 2});
    row(118, false, All, All, {5, 2, 2});
    row(123, true, All, All, {2, 2, 2});
    row(125, false, All, All, {4, 5, 5});
    row(131, false, All, All, {4, 5, 5});
    row(131, true, All, All, {4, 2, 2});
    row(132, false, N, N, {0, 0, 0});
    row(0, false, N, N, {0, 0, 0});
    row(-5, false, N, N, {0, 0, 0});
    row(133, false, N, N, {0, 0, 0});
}

void tst_OptionLists::rules()
{
    QFETCH(int, id);
    QFETCH(bool, dvd);
    QFETCH(int, written);
    QFETCH(int, read);
    QFETCH(QList<int>, defaults);
    const remembered::Rule r = remembered::RuleFor(id, dvd);
    QCOMPARE(int(r.written), written);
    QCOMPARE(int(r.read), read);
    if (r.read == Keys::All) {
        QCOMPARE(r.size, defaults[0]);
        QCOMPARE(r.video, defaults[1]);
    }
    if (r.read != Keys::None)
        QCOMPARE(r.audio, defaults[2]);
}

void tst_OptionLists::saveAndLoad()
{
    const QString path = vctest::home() + QStringLiteral("/pro Video Converter.ini");
    const IniFile ini(path);

    // Nothing remembered: the table's defaults.
    remembered::Restored r = remembered::LoadProfileOptions(ini, 2, false);
    QCOMPARE(r.size, 4);
    QCOMPARE(r.video, 5);
    QCOMPARE(r.audio, 5);

    QVERIFY(remembered::SaveProfileOptions(ini, 27, {1, 0, 3, 1}));
    r = remembered::LoadProfileOptions(ini, 27, true);
    QCOMPARE(r.size, 1);
    QCOMPARE(r.video, 0);
    QCOMPARE(r.audio, 3);
    QCOMPARE(ini.readInt("27", "Channel", -9), 1);

    // Audio-only: two keys; the rest of the boxes are not restored.
    QVERIFY(remembered::SaveProfileOptions(ini, 17, {0, 6, 1, 0}));
    QCOMPARE(ini.readString("17", "size", "none"), u"none"_qs);
    QCOMPARE(ini.readString("17", "video bitrate", "none"), u"none"_qs);
    QCOMPARE(ini.readInt("17", "audio bitrate", -9), 1);
    r = remembered::LoadProfileOptions(ini, 17, false);
    QVERIFY(!r.size && !r.video);
    QCOMPARE(r.audio, 1);

    // Numbers that write nothing; 33 still reads its audio key.
    QVERIFY(remembered::SaveProfileOptions(ini, 33, {0, 0, 4, 0}));
    QVERIFY(remembered::SaveProfileOptions(ini, 0, {0, 0, 4, 0}));
    QCOMPARE(ini.readString("33", "audio bitrate", "none"), u"none"_qs);
    QCOMPARE(ini.readString("0", "audio bitrate", "none"), u"none"_qs);
    QVERIFY(ini.writeString("33", "audio bitrate", "4"));
    QCOMPARE(remembered::LoadProfileOptions(ini, 33, false).audio, 4);

    // Hand-edited values: out of range handed on, non-numeric reads the default, -1 kept.
    QVERIFY(ini.writeString("2", "size", "99"));
    QVERIFY(ini.writeString("2", "video bitrate", "abc"));
    QVERIFY(ini.writeString("2", "audio bitrate", "-1"));
    r = remembered::LoadProfileOptions(ini, 2, true);
    QCOMPARE(r.size, 99);
    QCOMPARE(r.video, 2);
    QCOMPARE(r.audio, -1);

    // A file that cannot be written: false at the first key.
    const IniFile blocked(vctest::home() + QStringLiteral("/missing-dir-file/x/pro.ini"));
    QFile block(vctest::home() + QStringLiteral("/missing-dir-file"));
    QVERIFY(block.open(QIODevice::WriteOnly));
    block.close();
    QVERIFY(!remembered::SaveProfileOptions(blocked, 2, {0, 0, 0, 0}));
}

VC_TEST_MAIN(tst_OptionLists)
#include "tst_OptionLists.moc"
