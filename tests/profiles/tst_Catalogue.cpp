// The catalogue: names as users know them, extensions by their exact rule, shared names,
// unnamed numbers and the range tests' bounds.
#include "profiles/Catalogue.h"
#include "tests/support/TestMain.h"

#include <QSet>

using namespace catalogue;

class tst_Catalogue : public QObject {
    Q_OBJECT
private slots:
    void names_data();
    void names();
    void unnamedNumbers();
    void extensionsOfTheWholeCatalogue();
    void sharedNames_data();
    void sharedNames();
    void extensionRule_data();
    void extensionRule();
    void ranges();
    void groups();
};

void tst_Catalogue::names_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("category");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("extension");
    QTest::newRow("1") << 1 << 1 << u"ASF-Advanced Streaming Format(*.asf)"_qs << ".asf";
    QTest::newRow("16 Dingtal") << 16 << 2 << u"AC3-Dolby Dingtal AC-3(*.ac3)"_qs << ".ac3";
    QTest::newRow("19 Auido") << 19 << 2 << u"RA-Real Auido(*.ra)"_qs << ".ra";
    QTest::newRow("27 multiplication sign") << 27 << 3 << u"iPod(320\u00d7240)MPEG-4 Codec(*.mp4)"_qs << ".mp4";
    QTest::newRow("53 upper case") << 53 << 7 << u"PS3 Video(1080P)MPEG-4(*.MP4)"_qs << ".MP4";
    QTest::newRow("66 four letters") << 66 << 8 << u"Xbox360 MCE HD MPEG2 Video(*.mpeg)"_qs << ".mpeg";
    QTest::newRow("78 slashes") << 78 << 10 << u"HP iPAQ hx2000/rx3000/rx1900 series Video(*.wmv)"_qs << ".wmv";
    QTest::newRow("101 category only") << 101 << 13 << QString() << QString();
    QTest::newRow("114") << 114 << 1 << u"DVD - MPEG2 PS Format(*.vob)"_qs << ".vob";
    QTest::newRow("123 upper case") << 123 << 1 << u"MP4 - H.264 Video Excellent(*.MP4)"_qs << ".MP4";
    QTest::newRow("131") << 131 << 1 << u"MKV - WMV Movie(*.mkv)"_qs << ".mkv";
    QTest::newRow("132") << 132 << 1 << QString() << QString();
    QTest::newRow("0") << 0 << 0 << QString() << QString();
    QTest::newRow("-1") << -1 << 0 << QString() << QString();
    QTest::newRow("133") << 133 << 0 << QString() << QString();
}

void tst_Catalogue::names()
{
    QFETCH(int, id);
    QFETCH(int, category);
    QFETCH(QString, name);
    QFETCH(QString, extension);
    QCOMPARE(CategoryOf(id), category);
    QCOMPARE(DisplayName(id), name);
    QCOMPARE(IsNamed(id), !name.isEmpty());
    QCOMPARE(OutputExtension(DisplayName(id)), extension);
}

void tst_Catalogue::unnamedNumbers()
{
    QList<int> unnamed;
    for (int id = FirstProfile; id <= LastProfile; ++id)
        if (!IsNamed(id))
            unnamed.append(id);
    QCOMPARE(unnamed, (QList<int>{26, 33, 40, 45, 52, 59, 67, 74, 82, 90, 98, 101, 109, 117, 124, 132}));
}

void tst_Catalogue::extensionsOfTheWholeCatalogue()
{
    QSet<QString> extensions;
    for (int id = FirstProfile; id <= LastProfile; ++id) {
        const QString name = DisplayName(id);
        if (name.isEmpty())
            continue;
        QCOMPARE(name.count(u'*'), 1);
        QVERIFY(name.endsWith(u')'));
        extensions.insert(OutputExtension(name));
    }
    const QStringList expected = {".3g2", ".3gp", ".MP4", ".aac", ".ac3", ".aiff", ".amr", ".asf", ".au", ".avi",
                                  ".flv", ".m4a", ".mkv", ".mov", ".mp2", ".mp3", ".mp4", ".mpeg", ".mpg", ".ogg",
                                  ".ra", ".rm", ".swf", ".ts", ".vob", ".wav", ".wma", ".wmv"};
    QCOMPARE(extensions, QSet<QString>(expected.begin(), expected.end()));
}

void tst_Catalogue::sharedNames_data()
{
    QTest::addColumn<QList<int>>("ids");
    QTest::newRow("rm") << QList<int>{6, 13};
    QTest::newRow("wmv") << QList<int>{7, 14, 81};
    QTest::newRow("3gp") << QList<int>{8, 68};
    QTest::newRow("3g2") << QList<int>{9, 69};
    QTest::newRow("flv") << QList<int>{11, 99};
    QTest::newRow("swf") << QList<int>{12, 100};
    QTest::newRow("wma") << QList<int>{21, 80};
    QTest::newRow("ts") << QList<int>{95, 116};
}

void tst_Catalogue::sharedNames()
{
    QFETCH(QList<int>, ids);
    for (int id : ids)
        QCOMPARE(DisplayName(id), DisplayName(ids.first()));
    int sharing = 0;
    for (int id = FirstProfile; id <= LastProfile; ++id)
        sharing += DisplayName(id) == DisplayName(ids.first());
    QCOMPARE(sharing, ids.size());
}

void tst_Catalogue::extensionRule_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("extension");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("no star: all but the last character") << "abc" << "ab";
    QTest::newRow("first star counts") << "a(*.b*c)" << ".b*c";
    QTest::newRow("star last") << "abc*" << QString();
}

void tst_Catalogue::extensionRule()
{
    QFETCH(QString, name);
    QFETCH(QString, extension);
    QCOMPARE(OutputExtension(name), extension);
}

void tst_Catalogue::ranges()
{
    // Each range test with the numbers on both sides of each of its bounds.
    auto check = [](const char* what, bool (*test)(int), QList<int> yes, QList<int> no) {
        for (int id : yes)
            QVERIFY2(test(id), qPrintable(QStringLiteral("%1(%2)").arg(what).arg(id)));
        for (int id : no)
            QVERIFY2(!test(id), qPrintable(QStringLiteral("!%1(%2)").arg(what).arg(id)));
    };
    check("IsGeneralVideo", IsGeneralVideo, {-1, 0, 1, 14, 102, 132}, {15, 60, 101});
    check("IsFixedRate", IsFixedRate, {15, 101}, {14, 102});
    check("IsDiscTarget", IsDiscTarget, {112, 113, 114}, {111, 115});
    check("LastSizeKeepsSource", LastSizeKeepsSource, {1, 14}, {15, 102});
    check("LastAudioKeepsSource", LastAudioKeepsSource, {1, 26}, {27, 102});
    check("SourceAudioMayCount", SourceAudioMayCount, {1, 26, 102}, {27, 101});
    check("MayOfferOriginalSize", MayOfferOriginalSize, {1, 111}, {112, 123});
    check("IsMp4Group", IsMp4Group, {118, 123}, {117, 124});
    check("IsAudioOnlyRemembered", IsAudioOnlyRemembered, {15, 25, 71, 80}, {14, 26, 33, 72, 81});
}

void tst_Catalogue::groups()
{
    const QList<std::pair<int, int>> cases = {{101, 0}, {102, 2}, {109, 2}, {110, 3}, {117, 3}, {118, 4},
                                              {124, 4}, {125, 5}, {131, 5}, {132, 0}};
    for (auto [id, opener] : cases)
        QCOMPARE(GroupOpener(id), opener);
    QCOMPARE(GroupFirst(2), 102);
    QCOMPARE(GroupFirst(3), 110);
    QCOMPARE(GroupFirst(4), 118);
    QCOMPARE(GroupFirst(5), 125);
    QCOMPARE(GroupFirst(1), 0);
}

VC_TEST_MAIN(tst_Catalogue)
#include "tst_Catalogue.moc"
