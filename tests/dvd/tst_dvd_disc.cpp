// The libdvdread reader on the authored disc: both listing modes against the disc's facts
// file and against lsdvd, damaged copies (truncated, zero-filled and overwritten IFO files),
// and dvd-info's output and exit codes, including a disc whose packets are scrambled.
#include "dvd/DvdListing.h"
#include "dvd/DvdReadIfoReader.h"
#include "tests/support/TestMain.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace dvd;

namespace {

QString disc()
{
    return QStringLiteral(VC_BINARY_DIR "/fixtures/dvd");
}

QJsonObject facts()
{
    QFile f(disc() + "/facts.json");
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(f.readAll()).object();
}

struct Expected {
    QStringList captions;
    QList<qint64> seconds;
};

// The rows the facts promise: titles spanning fewer than 1000 sectors are dropped.
Expected expectedRows(bool titleMode)
{
    Expected e;
    for (const QJsonValue& ts : facts()["titleSets"].toArray()) {
        for (const QJsonValue& t : ts["titles"].toArray()) {
            if (t.toObject().contains("fewerSectorsThan"))
                continue;
            e.captions.append("Title_" + TwoDigits(e.captions.size() + 1));
            e.seconds.append(t["seconds"].toInt());
            if (titleMode)
                continue;
            const QJsonArray chapters = t["chapters"].toArray();
            for (int j = 0; j < chapters.size(); ++j) {
                e.captions.append("  Chapter_" + TwoDigits(j + 1));
                e.seconds.append(chapters[j].toInt());
            }
        }
    }
    return e;
}

QStringList captions(const DvdList& list)
{
    QStringList c;
    for (const ListedRow& r : list.Rows)
        c.append(r.caption);
    return c;
}

QList<qint64> seconds(const DvdList& list)
{
    QList<qint64> s;
    for (const ListedRow& r : list.Rows)
        s.append(r.seconds);
    return s;
}

bool copyDisc(const QString& to)
{
    QDir().mkpath(to + "/VIDEO_TS");
    const QDir from(disc() + "/VIDEO_TS");
    for (const QString& name : from.entryList(QDir::Files))
        if (!QFile::copy(from.filePath(name), to + "/VIDEO_TS/" + name))
            return false;
    return true;
}

// Rewrites a file: truncated to `size` bytes, or (size < 0) overwritten from `offset` with `fill`.
bool damage(const QString& path, qint64 size, qint64 offset = 0, char fill = 0, qint64 length = 0)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite))
        return false;
    if (size >= 0)
        return f.resize(size);
    const qint64 n = length > 0 ? length : f.size() - offset;
    f.seek(offset);
    return f.write(QByteArray(n, fill)) == n;
}

struct Run {
    int exitCode = -1;
    QString out, err;
};

Run dvdInfo(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(VC_PROGRAM_DIR "/dvd-info"), args);
    p.waitForFinished(30000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

class TestDvdDisc : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY2(!facts().isEmpty(), "the DVD fixture is missing (run the dvd_fixture test)");
    }

    void listingMatchesFacts_data()
    {
        QTest::addColumn<bool>("titleMode");
        QTest::newRow("titles") << true;
        QTest::newRow("chapters") << false;
    }
    void listingMatchesFacts()
    {
        QFETCH(bool, titleMode);
        DvdReadIfoReader reader;
        DvdList list;
        QVERIFY(FindTitleSets(reader, disc(), titleMode, list));
        const Expected e = expectedRows(titleMode);
        QCOMPARE(captions(list), e.captions);
        QCOMPARE(seconds(list), e.seconds);
        const QJsonArray sets = facts()["titleSets"].toArray();
        QCOMPARE(list.TitleSets.size(), sets.size());
        for (int i = 0; i < sets.size(); ++i) {
            const TIFOSelint& t = list.TitleSets[i];
            QCOMPARE(QFileInfo(t.IfoPath).fileName(), sets[i]["ifo"].toString());
            const QJsonArray audio = sets[i]["audio"].toArray();
            QCOMPARE(t.AudioCount, audio.size());
            for (int a = 0; a < audio.size(); ++a)
                QCOMPARE(StreamIdOf(t.AudioDescs[a]), audio[a]["id"].toString());
            const QJsonArray subs = sets[i]["subpictures"].toArray();
            QCOMPARE(t.SubPicCount, subs.size());
            for (int s = 0; s < subs.size(); ++s)
                QCOMPARE(StreamIdOf(t.SubPicDescs[s]), subs[s]["id"].toString());
        }
        QCOMPARE(list.TitleSets[0].AudioDescs.value(0), "English AC3 2ch (0x80)");
        QCOMPARE(list.TitleSets[0].AudioDescs.value(1), "German AC3 2ch (0x81)");
        QCOMPARE(list.TitleSets[0].SubPicDescs.value(0), "English (0x20)");
        for (const ListedRow& r : list.Rows)
            QCOMPARE(r.frameSize, facts()["frameSize"].toString());
        // Rows of one title are contiguous sector ranges inside the title's range.
        if (!titleMode) {
            QCOMPARE(list.DvdRowInfos[1].StartSector, list.DvdRowInfos[0].StartSector);
            QCOMPARE(list.DvdRowInfos[3].EndSector, list.DvdRowInfos[0].EndSector);
            QCOMPARE(list.DvdRowInfos[2].StartSector, list.DvdRowInfos[1].EndSector + 1);
            QCOMPARE(list.DvdRowInfos[3].StartSecond, 8);
        }
    }

    // lsdvd reads the same disc through the title table of VIDEO_TS.IFO; every title it
    // reports is a chain of ours with the same time, cells and stream ids.
    void agreesWithLsdvd()
    {
        if (QStandardPaths::findExecutable("lsdvd").isEmpty())
            QSKIP("lsdvd is not installed");
        QProcess p;
        p.start("lsdvd", {"-x", disc()});
        QVERIFY(p.waitForFinished(30000));
        const QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split('\n');
        DvdReadIfoReader reader;
        QHash<int, int> handles;
        int titles = 0, vts = 0, ttn = 0, cell = 0, handle = 0;
        const QRegularExpression titleLine(R"(^Title: \d+, Length: (\d+):(\d+):(\d+)\.\d+)");
        const QRegularExpression vtsLine(R"(VTS: (\d+), TTN: (\d+))");
        const QRegularExpression cellLine(R"(^\s+Cell: (\d+), Length: (\d+):(\d+):(\d+))");
        const QRegularExpression streamLine(R"(^\s+(Audio|Subtitle): \d+,.*Stream id: (0x[0-9a-fA-F]+))");
        QList<int> titleSeconds;
        QStringList audioIds, subIds;
        for (const QString& line : lines) {
            QRegularExpressionMatch m;
            if ((m = titleLine.match(line)).hasMatch()) {
                ++titles;
                titleSeconds.append(int(ToSeconds(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt())));
                cell = 0;
            } else if ((m = vtsLine.match(line)).hasMatch()) {
                vts = m.captured(1).toInt();
                ttn = m.captured(2).toInt();
                if (!handles.contains(vts))
                    handles[vts] = reader.ifoOpen(QString("%1/VIDEO_TS/VTS_%2_0.IFO").arg(disc(), TwoDigits(vts)));
                handle = handles[vts];
                QVERIFY(handle);
                PgcPlaybackTime t;
                reader.ifoGetPGCIInfo(handle, ttn - 1, t);
                QCOMPARE(int(ToSeconds(t.hours, t.minutes, t.seconds)), titleSeconds.last());
            } else if ((m = cellLine.match(line)).hasMatch()) {
                const QVector<PgcCellEntry> cells = reader.ifoGetPGCICells(handle, ttn - 1);
                QVERIFY(cell < cells.size());
                const PgcCellEntry& c = cells[cell++];
                QCOMPARE(ToSeconds(c.hours, c.minutes, c.seconds),
                         ToSeconds(m.captured(2).toInt(), m.captured(3).toInt(), m.captured(4).toInt()));
            } else if ((m = streamLine.match(line)).hasMatch()) {
                const bool isAudio = m.captured(1) == "Audio";
                const int n = isAudio ? reader.ifoGetNumAudio(handle) : reader.ifoGetNumSubPic(handle);
                QStringList ids;
                for (int i = 0; i < n; ++i)
                    ids.append(StreamIdOf(isAudio ? reader.ifoGetAudioDesc(handle, i) : reader.ifoGetSubPicDesc(handle, i))
                                   .toLower());
                QVERIFY2(ids.contains(m.captured(2).toLower()), qPrintable(line));
            }
        }
        QCOMPARE(titles, 3);
    }

    void damagedCopies_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("titleSetOneRows");  // -1: any number, as long as nothing crashes
        QTest::newRow("IFO and BUP truncated") << "truncate" << 0;
        QTest::newRow("IFO and BUP emptied") << "empty" << 0;
        QTest::newRow("IFO and BUP zero-filled") << "zero" << 0;
        QTest::newRow("IFO zero-filled, BUP intact") << "zero-ifo" << 1;
        QTest::newRow("chain table overwritten with 0xFF") << "ff-tables" << -1;
        QTest::newRow("cell table overwritten with 0x7F") << "7f-cells" << -1;
    }
    void damagedCopies()
    {
        QFETCH(QString, how);
        QFETCH(int, titleSetOneRows);
        QTemporaryDir dir;
        QVERIFY(copyDisc(dir.path()));
        const QString ifo = dir.path() + "/VIDEO_TS/VTS_01_0.IFO";
        const QString bup = dir.path() + "/VIDEO_TS/VTS_01_0.BUP";
        for (const QString& f : {ifo, bup}) {
            if (how == "truncate")
                QVERIFY(damage(f, 1000));
            else if (how == "empty")
                QVERIFY(damage(f, 0));
            else if (how == "zero" || (how == "zero-ifo" && f == ifo))
                QVERIFY(damage(f, -1));
            else if (how == "ff-tables")
                QVERIFY(damage(f, -1, 2048, char(0xFF), 2048));  // the title-set chain table sector
            else if (how == "7f-cells")
                QVERIFY(damage(f, -1, 2048 + 400, char(0x7F), 1200));
        }
        for (bool titleMode : {true, false}) {
            DvdReadIfoReader reader;
            DvdList list;
            QVERIFY(FindTitleSets(reader, dir.path(), titleMode, list));
            QCOMPARE(list.TitleSets.size(), 2);
            const int rows = list.TitleSets[0].EndRow - list.TitleSets[0].FirstRow;
            if (titleSetOneRows == 0)
                QCOMPARE(rows, 0);
            else if (titleSetOneRows > 0 && titleMode)
                QCOMPARE(rows, titleSetOneRows);
            QVERIFY(rows <= 256 * 256);
            // Title set 2 is untouched and still lists its one long title.
            QCOMPARE(list.TitleSets[1].EndRow - list.TitleSets[1].FirstRow, titleMode ? 1 : 2);
        }
        const Run r = dvdInfo({dir.path()});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.contains("VTS_02_0.IFO"));
    }

    void dvdInfoPrintsTheDisc()
    {
        const Run r = dvdInfo({disc()});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.err.isEmpty());
        QVERIFY(r.out.contains("Title set: " + disc() + "/VIDEO_TS/VTS_01_0.IFO"));
        QVERIFY(r.out.contains("  Video: MPEG2 720x576 PAL 4:3"));
        QVERIFY(r.out.contains("  Audio 2: German AC3 2ch (0x81)"));
        QVERIFY(r.out.contains("  Subpicture 1: English (0x20)"));
        QVERIFY(r.out.contains("  Chain 1: 00:00:12, 3 cells, listed"));
        QVERIFY(r.out.contains(QRegularExpression(R"(    Cell 2: sectors \d+-\d+, 00:00:04, listed)")));
        QVERIFY(r.out.contains("  Chain 2: 00:00:01, 1 cell, not listed: spans fewer than 1000 sectors"));
        QVERIFY(!r.out.contains("VIDEO_TS.IFO"));

        const Run one = dvdInfo({disc() + "/VIDEO_TS/VTS_02_0.IFO"});
        QCOMPARE(one.exitCode, 0);
        QVERIFY(one.out.contains("Spanish MPEG1 2ch (0xC0)"));
        QVERIFY(!one.out.contains("VTS_01"));
    }

    void dvdInfoFailures()
    {
        QTemporaryDir empty;
        Run r = dvdInfo({empty.path()});
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.err.count('\n'), 1);
        QVERIFY(r.err.startsWith("dvd-info: no DVD found in " + empty.path()));

        r = dvdInfo({disc() + "/VIDEO_TS/VIDEO_TS.IFO"});
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.err.contains("no readable IFO file"));

        r = dvdInfo({});
        QCOMPARE(r.exitCode, 64);
    }

    // A disc whose programme packets carry the scrambling bits, as an encrypted disc read
    // without a key does.
    void dvdInfoEncrypted()
    {
        QTemporaryDir dir;
        QVERIFY(copyDisc(dir.path()));
        QFile vob(dir.path() + "/VIDEO_TS/VTS_01_1.VOB");
        QVERIFY(vob.open(QIODevice::ReadWrite));
        QByteArray data = vob.readAll();
        for (qint64 s = 0; s + 2048 <= data.size(); s += 2048) {
            const int pes = 14 + (uchar(data[s + 13]) & 7);
            const uchar id = uchar(data[s + pes + 3]);
            if (data[s + 3] == char(0xBA) && id != 0xBB && id != 0xBE && id != 0xBF)
                data[s + pes + 6] = char(uchar(data[s + pes + 6]) | 0x10);
        }
        vob.seek(0);
        vob.write(data);
        vob.close();
        const Run r = dvdInfo({dir.path()});
        QCOMPARE(r.exitCode, 2);
        QCOMPARE(r.err.count('\n'), 1);
        QVERIFY(r.err.contains("encrypted"));
    }
};

VC_TEST_MAIN(TestDvdDisc)
#include "tst_dvd_disc.moc"
