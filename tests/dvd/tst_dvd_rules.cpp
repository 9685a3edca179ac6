// The DVD helpers and references as tables: time and caption texts, stream ids, the "vts://"
// text and its parsing, the disc root, SecondToSector and the check memories.
#include "dvd/DvdJob.h"
#include "dvd/DvdListing.h"
#include "dvd/DvdReference.h"
#include "tests/support/TestMain.h"

using namespace dvd;

class TestDvdRules : public QObject {
    Q_OBJECT
private slots:
    void texts_data()
    {
        QTest::addColumn<QString>("actual");
        QTest::addColumn<QString>("expected");
        QTest::newRow("hms 3725") << SecondsToHms(3725) << "01:02:05";
        QTest::newRow("hms 0") << SecondsToHms(0) << "00:00:00";
        QTest::newRow("hms 100 hours") << SecondsToHms(360000 + 61) << "100:01:01";
        QTest::newRow("two digits 7") << TwoDigits(7) << "07";
        QTest::newRow("two digits 10") << TwoDigits(10) << "10";
        QTest::newRow("two digits 100") << TwoDigits(100) << "100";
        QTest::newRow("id audio") << StreamIdOf("English AC3 2ch (0x81)") << "0x81";
        QTest::newRow("id subpicture") << StreamIdOf("English (0x20)") << "0x20";
        QTest::newRow("id no subtitle") << StreamIdOf("No Subtitle") << "0";
        QTest::newRow("id short") << StreamIdOf("(1)") << "(1";
        QTest::newRow("frame size") << FrameSizeOf("MPEG2 720x576 PAL 4:3") << "720x576";
        QTest::newRow("frame size one blank") << FrameSizeOf("MPEG2 720x576") << "";
    }
    void texts()
    {
        QFETCH(QString, actual);
        QFETCH(QString, expected);
        QCOMPARE(actual, expected);
    }

    void toSeconds() { QCOMPARE(ToSeconds(1, 2, 5), 3725); }

    void reference_data()
    {
        QTest::addColumn<QString>("ifoPath");
        QTest::addColumn<QString>("expected");
        QTest::newRow("disc root") << "/media/dvd/VIDEO_TS/VTS_01_0.IFO" << "vts://01*0*5000*0x80*0*//media/dvd";
        QTest::newRow("lower case folder") << "/home/u/rip/video_ts/VTS_03_0.IFO" << "vts://03*0*5000*0x80*0*//home/u/rip";
        QTest::newRow("blank in root") << "/home/u/My Disc/VIDEO_TS/VTS_01_0.IFO" << "vts://01*0*5000*0x80*0*//home/u/My Disc";
        QTest::newRow("disc at the root") << "/VIDEO_TS/VTS_02_0.IFO" << "vts://02*0*5000*0x80*0*//";
        QTest::newRow("folder of another name") << "/home/u/copy/VTS_01_0.IFO" << "vts://01*0*5000*0x80*0*//home/u/copy";
    }
    void reference()
    {
        QFETCH(QString, ifoPath);
        QFETCH(QString, expected);
        TConvertInfo row;
        row.IfoPath = ifoPath;
        row.EndSector = 5000;
        row.AudioId = "0x80";
        QCOMPARE(DvdReference(row, 0), expected);
        const auto parsed = ParseDvdReference(expected);
        QVERIFY(parsed);
        QCOMPARE(parsed->titleSet, TitleSetNumberText(ifoPath).toInt());
        QCOMPARE(parsed->endSector, 5000);
        QCOMPARE(parsed->audioId, 0x80);
        QCOMPARE(parsed->root, DiscRoot(ifoPath));
    }

    void parseRejects_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("no scheme") << "/media/dvd";
        QTest::newRow("no root mark") << "vts://01*0*10*0x80*0*";
        QTest::newRow("four fields") << "vts://01*0*10*0x80*//r";
        QTest::newRow("bad sector") << "vts://01*x*10*0x80*0*//r";
        QTest::newRow("bad stream") << "vts://01*0*10*0xZZ*0*//r";
    }
    void parseRejects()
    {
        QFETCH(QString, text);
        QVERIFY(!ParseDvdReference(text));
    }

    void parseStreams()
    {
        const auto r = ParseDvdReference("vts://02*1624*3207*0xC1*0x21*//media/My Disc");
        QVERIFY(r);
        QCOMPARE(r->titleSet, 2);
        QCOMPARE(r->startSector, 1624);
        QCOMPARE(r->endSector, 3207);
        QCOMPARE(r->audioId, 0xC1);
        QCOMPARE(r->subtitleId, 0x21);
        QCOMPARE(r->root, "/media/My Disc");
    }

    void secondToSector_data()
    {
        QTest::addColumn<int>("second");
        QTest::addColumn<qint64>("sector");
        // Title marker, then chapters 0-10 s (sectors 100-1100) and 10-30 s (1101-3101).
        QTest::newRow("title row start") << 0 << qint64(0);
        QTest::newRow("inside first") << 5 << qint64(600);
        QTest::newRow("boundary is strict") << 10 << qint64(0);
        QTest::newRow("inside second, rounded") << 13 << qint64(1101 + 300);
        QTest::newRow("past the end") << 30 << qint64(0);
    }
    void secondToSector()
    {
        QFETCH(int, second);
        QFETCH(qint64, sector);
        QVector<CellTimeEntry> table;
        table.append({0, 0, 0, 0, true});
        table.append({100, 1100, 0, 10, false});
        table.append({1101, 3101, 10, 30, false});
        QCOMPARE(SecondToSector(table, second), sector);
    }

    void outputNames()
    {
        QStringList taken;
        const auto exists = [&taken](const QString& p) { return taken.contains(p); };
        QCOMPARE(DvdOutputPath("/out/", "Title_01", ".avi", exists), "/out/Title_01.avi");
        taken << "/out/Title_01.avi";
        QCOMPARE(DvdOutputPath("/out/", "Title_01", ".avi", exists), "/out/Title_01_1.avi");
        taken << "/out/Title_01_1.avi";
        QCOMPARE(DvdOutputPath("/out/", "Title_01", ".avi", exists), "/out/Title_01_2.avi");
        // A chapter's first name drops the leading blanks; its alternatives keep them.
        QCOMPARE(DvdOutputPath("/out/", "  Chapter_02", ".mp4", exists), "/out/Chapter_02.mp4");
        taken << "/out/Chapter_02.mp4";
        QCOMPARE(DvdOutputPath("/out/", "  Chapter_02", ".mp4", exists), "/out/  Chapter_02_1.mp4");
    }

    void checkMarks()
    {
        QCOMPARE(CheckMarksFrom({true, false}, 4), QVector<bool>({true, false, true, true}));
        QCOMPARE(CheckMarksFrom({false, false, true}, 2), QVector<bool>({false, false}));
        QCOMPARE(CheckMarksFrom({}, 2), QVector<bool>({true, true}));
    }
};

VC_TEST_MAIN(TestDvdRules)
#include "tst_dvd_rules.moc"
