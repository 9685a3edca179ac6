// Tables for the progress reading: the "time=" seconds, the bar units, the row's percentage and
// the reader that consumes the transcoder's output line by line.
#include "convert/Progress.h"
#include "tests/support/TestMain.h"

#include <QElapsedTimer>

using namespace progress;

class TestProgress : public QObject {
    Q_OBJECT
private slots:
    void seconds_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<qint64>("seconds");
        QTest::newRow("documented line")
            << "frame= 100 fps= 25 q=2.0 size= 300kB time=4.00 bitrate= 614.4kbits/s" << qint64(4);
        QTest::newRow("100000 is still taken") << "time=100000.00 bitrate=" << qint64(100000);
        QTest::newRow("100001 is ignored") << "time=100001.00 bitrate=" << qint64(0);
        QTest::newRow("no bitrate=") << "frame= 1 time=4.00" << qint64(0);
        QTest::newRow("bitrate= before time=") << "bitrate= 1 time=4.00" << qint64(0);
        QTest::newRow("no time=") << "frame= 1 bitrate= 5" << qint64(0);
        QTest::newRow("clock form is not an integer") << "time=00:00:04.00 bitrate=" << qint64(0);
        QTest::newRow("no dot: digits up to the first non-digit") << "time=12 bitrate= 5.0" << qint64(12);
        QTest::newRow("no dot, digits then text") << "time=12s bitrate=" << qint64(12);
        QTest::newRow("no digits") << "time=N/A bitrate=N/A" << qint64(0);
        QTest::newRow("the first time= counts") << "time=7.00 bitrate=1\rtime=9.00 bitrate=1\r" << qint64(7);
    }

    void seconds()
    {
        QFETCH(QString, line);
        QTEST(ParseProgressSeconds(line), "seconds");
    }

    void units()
    {
        QCOMPARE(ProgressUnits(4, 0, 100), 400);
        QCOMPARE(ProgressUnits(50, 30, 100), 4985);  // plus a ProgressBase of 30: 5015
        QCOMPARE(ProgressUnits(1, 0, 3), 3333);
        QCOMPARE(ProgressUnits(2, 0, 3), 6667);
        QCOMPARE(ProgressUnits(1, 0, 8), 1250);
        QCOMPARE(ProgressUnits(100000, 0, 1), 1000000000);  // 64-bit product
        QCOMPARE(ProgressText(523), QStringLiteral("05.23%"));
        QCOMPARE(ProgressText(10000), QStringLiteral("100.00%"));
        QCOMPARE(ProgressText(0), QStringLiteral("00.00%"));
        QCOMPARE(ClockText(3723), QStringLiteral("01:02:03"));
    }

    void feed()
    {
        ProgressFeed f;
        QCOMPARE(f.feed("frame= 1 time=3.0"), std::nullopt);  // no line end yet
        QCOMPARE(f.feed("0 bitrate= 1.0\r"), std::optional<qint64>(3));
        QCOMPARE(f.feed("frame= 2 time=5.00 bitrate= 1.0\rframe= 3 time=6.00 bitrate= 1.0\r"), std::optional<qint64>(5));
        QCOMPARE(f.feed("frame= 3 time=0.50 bitrate= 1.0\r\n"), std::nullopt);  // 0 moves nothing
        QCOMPARE(f.feed(QByteArray("garbage \0 time=9.00 bitrate=\r", 29)), std::nullopt);  // cut at the NUL
        QCOMPARE(f.feed("\xff\xfe random bytes\r\n"), std::nullopt);
        QCOMPARE(f.feed("out.mp4: Permission denied\r\n"), std::nullopt);
        QCOMPARE(f.lastMessage(), QStringLiteral("out.mp4: Permission denied"));
        f.feed("frame= 4 time=7.00 bitrate= 1.0\r");
        QCOMPARE(f.lastMessage(), QStringLiteral("out.mp4: Permission denied"));
        f.feed("Conversion failed!");  // no line end: still the last word
        QCOMPARE(f.lastMessage(), QStringLiteral("Conversion failed!"));
    }

    void endlessGarbageIsNotHeldForever()
    {
        ProgressFeed f;
        const QByteArray junk(256, 'j');
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < 40000; ++i)  // 10 MB without a line end
            QCOMPARE(f.feed(junk), std::nullopt);
        QCOMPARE(f.feed("frame= 1 time=5.00 bitrate= 1.0\r"), std::optional<qint64>(5));
        QVERIFY2(t.elapsed() < 5000, "garbage must not make each chunk slower");
    }
};

VC_TEST_MAIN(TestProgress)
#include "tst_progress.moc"
