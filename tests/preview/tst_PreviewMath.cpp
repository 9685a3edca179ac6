// The preview's arithmetic and the "vts://" reference, as tables.
#include "preview/PreviewMath.h"
#include "preview/VtsSource.h"
#include "tests/support/TestMain.h"

class PreviewMathTest : public QObject {
    Q_OBJECT
private slots:
    void roundSeconds_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<int>("rounded");
        QTest::newRow("2.4") << 2.4 << 2;
        QTest::newRow("62.6") << 62.6 << 63;
        QTest::newRow("half to even down") << 2.5 << 2;
        QTest::newRow("half to even up") << 3.5 << 4;
        QTest::newRow("0.5") << 0.5 << 0;
        QTest::newRow("negative half") << -1.5 << -2;
        QTest::newRow("huge") << 1e12 << 2147483647;
        QTest::newRow("nan") << std::nan("") << 0;
    }
    void roundSeconds()
    {
        QFETCH(double, seconds);
        QFETCH(int, rounded);
        QCOMPARE(preview::RoundSeconds(seconds), rounded);
    }

    void mulDiv_data()
    {
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<int>("c");
        QTest::addColumn<int>("result");
        QTest::newRow("61 s of 600 on the bar") << 61 << 10000 << 600 << 1017;
        QTest::newRow("bar 5000 of 600 s") << 5000 << 600 << 10000 << 300;
        QTest::newRow("half rounds up") << 1 << 1 << 2 << 1;
        QTest::newRow("negative half away from zero") << -1 << 1 << 2 << -1;
        QTest::newRow("64-bit intermediate") << 2000000000 << 10000 << 20000 << 1000000000;
        QTest::newRow("division by zero") << 5 << 10000 << 0 << -1;
        QTest::newRow("overflow") << 2000000000 << 2 << 1 << -1;
    }
    void mulDiv()
    {
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(int, c);
        QFETCH(int, result);
        QCOMPARE(preview::MulDiv(a, b, c), result);
    }

    void vtsReference_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("titleSet");
        QTest::addColumn<qint64>("first");
        QTest::addColumn<qint64>("last");
        QTest::addColumn<int>("audio");
        QTest::addColumn<int>("subtitle");
        QTest::addColumn<QString>("root");
        QTest::newRow("title row") << QByteArray("vts://01*0*1382*0x80*0*//media/dvd") << true << 1 << qint64(0)
                                   << qint64(1382) << 0x80 << 0 << "/media/dvd";
        QTest::newRow("chapter with subtitle") << QByteArray("vts://02*461*921*0x81*0x20*//tmp/a b/disc") << true << 2
                                               << qint64(461) << qint64(921) << 0x81 << 0x20 << "/tmp/a b/disc";
        QTest::newRow("root holding a star") << QByteArray("vts://01*0*9*0x80*0*//tmp/x*y") << true << 1 << qint64(0)
                                             << qint64(9) << 0x80 << 0 << "/tmp/x*y";
        QTest::newRow("empty root") << QByteArray("vts://01*0*9*0x80*0*/") << true << 1 << qint64(0) << qint64(9)
                                    << 0x80 << 0 << "";
        QTest::newRow("file path") << QByteArray("/media/a.vob") << false << 0 << qint64(0) << qint64(0) << 0 << 0 << "";
        QTest::newRow("missing field") << QByteArray("vts://01*0*9*0x80*/dvd") << false << 0 << qint64(0) << qint64(0)
                                       << 0 << 0 << "";
        QTest::newRow("end before start") << QByteArray("vts://01*9*0*0x80*0*//dvd") << false << 0 << qint64(0)
                                          << qint64(0) << 0 << 0 << "";
        QTest::newRow("title set 0") << QByteArray("vts://00*0*9*0x80*0*//dvd") << false << 0 << qint64(0) << qint64(0)
                                     << 0 << 0 << "";
        QTest::newRow("bad stream id") << QByteArray("vts://01*0*9*0xZZ*0*//dvd") << false << 0 << qint64(0)
                                       << qint64(0) << 0 << 0 << "";
    }
    void vtsReference()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, valid);
        const std::optional<preview::VtsSource> s = preview::ParseVtsSource(text);
        QCOMPARE(s.has_value(), valid);
        if (!valid)
            return;
        QTEST(s->titleSet, "titleSet");
        QTEST(s->firstSector, "first");
        QTEST(s->lastSector, "last");
        QTEST(s->audioId, "audio");
        QTEST(s->subtitleId, "subtitle");
        QTEST(s->root, "root");
    }
};

VC_TEST_MAIN(PreviewMathTest)
#include "tst_PreviewMath.moc"
