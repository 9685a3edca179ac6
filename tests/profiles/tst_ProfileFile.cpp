// Reading "profiles.pop": line ends, Ctrl+Z, long lines, short files, a missing file; the
// splitting rule and the bitrate levels.
#include "profiles/ProfileFile.h"
#include "tests/support/TestMain.h"

#include <QFile>

using namespace profilefile;
using Levels = std::array<QString, 5>;
Q_DECLARE_METATYPE(Levels)

class tst_ProfileFile : public QObject {
    Q_OBJECT
private slots:
    void splitValues_data();
    void splitValues();
    void levels_data();
    void levels();
    void lines_data();
    void lines();
    void blocks();
    void longLines();
    void readFile();
};

void tst_ProfileFile::splitValues_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("values");
    QTest::newRow("two sizes") << "640x480 320x240" << QStringList{"640x480", "320x240"};
    QTest::newRow("five rates") << "150 250 400 600 900" << QStringList{"150", "250", "400", "600", "900"};
    QTest::newRow("note in a size") << "720x576(PAL) 720x480(NTSC)" << QStringList{"720x576(PAL)", "720x480(NTSC)"};
    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("leading space ends at once") << " 640x480 320x240" << QStringList{};
    QTest::newRow("two spaces end after the value before") << "640x480  320x240 176x144" << QStringList{"640x480"};
    QTest::newRow("trailing space") << "640x480 320x240 " << QStringList{"640x480", "320x240"};
    QTest::newRow("one-character last value dropped") << "96 8" << QStringList{"96"};
    QTest::newRow("star alone") << "*" << QStringList{};
    QTest::newRow("one character before a space is kept") << "9 96" << QStringList{"9", "96"};
    QTest::newRow("one value") << "96" << QStringList{"96"};
    QTest::newRow("tab is part of a value") << "96\t8 100" << QStringList{"96\t8", "100"};
}

void tst_ProfileFile::splitValues()
{
    QFETCH(QString, line);
    QFETCH(QStringList, values);
    QCOMPARE(SplitValues(line), values);
}

void tst_ProfileFile::levels_data()
{
    QTest::addColumn<Levels>("before");
    QTest::addColumn<QString>("line");
    QTest::addColumn<Levels>("after");
    const Levels old = {"a0", "a1", "a2", "a3", "a4"};
    QTest::newRow("lowest quality first") << old << "150 250 400 600 900" << Levels{"900", "600", "400", "250", "150"};
    QTest::newRow("more than five: the rest ignored") << old << "10 20 30 40 50 60 70"
                                                      << Levels{"50", "40", "30", "20", "10"};
    QTest::newRow("two values keep the higher slots") << old << "100 200" << Levels{"a0", "a1", "a2", "200", "100"};
    QTest::newRow("star changes nothing") << old << "*" << old;
    QTest::newRow("non-numeric values are stored as text") << old << "12a 3b4 56 78 90"
                                                           << Levels{"90", "78", "56", "3b4", "12a"};
}

void tst_ProfileFile::levels()
{
    QFETCH(Levels, before);
    QFETCH(QString, line);
    QFETCH(Levels, after);
    FillVideoBitrateLevels(before, line);
    QCOMPARE(before, after);
}

void tst_ProfileFile::lines_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("CR") << QByteArray("a\rb\r") << QStringList{"a", "b"};
    QTest::newRow("LF") << QByteArray("a\nb") << QStringList{"a", "b"};
    QTest::newRow("mixed") << QByteArray("a\r\nb\rc\nd") << QStringList{"a", "b", "c", "d"};
    QTest::newRow("LF CR is two ends") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
    QTest::newRow("empty lines kept") << QByteArray("\n\nx\n") << QStringList{"", "", "x"};
    QTest::newRow("Ctrl+Z ends the data") << QByteArray("a\nb\x1a" "c\nd\n") << QStringList{"a", "b"};
    QTest::newRow("Ctrl+Z first") << QByteArray("\x1a" "a\n") << QStringList{};
    QTest::newRow("empty") << QByteArray() << QStringList{};
    QTest::newRow("UTF-8") << QByteArray("\xc3\x97\n") << QStringList{u"\u00d7"_qs};
}

void tst_ProfileFile::lines()
{
    QFETCH(QByteArray, data);
    QFETCH(QStringList, lines);
    QCOMPARE(SplitLines(data), lines);
}

void tst_ProfileFile::blocks()
{
    const QByteArray data = "ASF\r\n640x480 320x240\r\n100 200 300 400 500\r\n-f asf\r\n"
                            "AVI\n352x288\r96 128";
    ProfileBlock b = BlockFromData(data, 1);
    QCOMPARE(b.label, u"ASF"_qs);
    QCOMPARE(b.sizeLine, u"640x480 320x240"_qs);
    QCOMPARE(b.bitrateLine, u"100 200 300 400 500"_qs);
    QCOMPARE(b.argumentLine, u"-f asf"_qs);

    // A short file: the lines that exist, nothing for the rest.
    b = BlockFromData(data, 2);
    QCOMPARE(b.sizeLine, u"352x288"_qs);
    QCOMPARE(b.bitrateLine, u"96 128"_qs);
    QVERIFY(!b.argumentLine.has_value());
    b = BlockFromData(data, 3);
    QVERIFY(!b.label && !b.sizeLine && !b.bitrateLine && !b.argumentLine);

    for (int p : {0, -1, -400}) {
        b = BlockFromData(data, p);
        QVERIFY(!b.label && !b.sizeLine && !b.bitrateLine && !b.argumentLine);
    }
}

void tst_ProfileFile::longLines()
{
    const QString args = QStringLiteral("-metadata comment=") + QString(200 * 1024, u'x');
    const QByteArray data = "label\n" + QByteArray(70 * 1024, 'y') + "\n1 2\n" + args.toUtf8() + "\nnext\n";
    const ProfileBlock b = BlockFromData(data, 1);
    QCOMPARE(b.sizeLine->size(), 70 * 1024);
    QCOMPARE(b.argumentLine, args);
    QCOMPARE(BlockFromData(data, 2).label, u"next"_qs);
}

void tst_ProfileFile::readFile()
{
    const QString path = vctest::home() + QStringLiteral("/profiles.pop");
    ProfileBlock b;
    QString error;
    QVERIFY(!ReadProfileBlock(path, 1, &b, &error));
    QCOMPARE(error, QStringLiteral("Cannot open file \"%1\". No such file or directory").arg(path));

    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("x\n320x240\n1 2\n-vn\n");
    f.close();
    QVERIFY(ReadProfileBlock(path, 1, &b, &error));
    QCOMPARE(b.argumentLine, u"-vn"_qs);
}

VC_TEST_MAIN(tst_ProfileFile)
#include "tst_ProfileFile.moc"
