// The listing rules over the fake IFO reader: captions in both modes, the zero-time and
// 1000-sector rules, chains without cells or with more cells claimed than present, hundreds of
// titles, LongestRow, removing rows, the mode switch and the folder search.
#include "dvd/DvdListing.h"
#include "dvd/FakeIfoReader.h"
#include "tests/support/TestMain.h"

#include <QTemporaryDir>

using namespace dvd;

namespace {

const QString Vts1 = QStringLiteral("/disc/VIDEO_TS/VTS_01_0.IFO");
const QString Vts2 = QStringLiteral("/disc/VIDEO_TS/VTS_02_0.IFO");

QStringList captions(const DvdList& list)
{
    QStringList c;
    for (const ListedRow& r : list.Rows)
        c.append(r.caption);
    return c;
}

// Title set 1: a title of cells 10 s, 0 s, 20 s; a title of 0 s; a title of 999 sectors.
// Title set 2: one title of exactly 1000 sectors, no audio.
FakeIfoReader twoSets()
{
    FakeIfoReader r;
    FakeIfoFile one;
    one.audio = QStringList{"English AC3 2ch (0x80)", "German AC3 2ch (0x81)"};
    one.subpictures = QStringList{"English (0x20)"};
    one.chains.append(MakeChain({10, 0, 20}, 2000, 0));
    FakeChain zero = MakeChain({5}, 2000, 6000);
    zero.time = {0, 0, 0};
    one.chains.append(zero);
    FakeChain short999;
    short999.time = {0, 0, 9};
    short999.cells.append({8000, 8999, 0, 0, 9});
    one.chains.append(short999);
    r.files.insert(Vts1, one);

    FakeIfoFile two;
    FakeChain exact;
    exact.time = {0, 1, 0};
    exact.cells.append({100, 1100, 0, 1, 0});
    two.chains.append(exact);
    r.files.insert(Vts2, two);
    return r;
}

} // namespace

class TestDvdListing : public QObject {
    Q_OBJECT
private slots:
    void titleMode()
    {
        FakeIfoReader r = twoSets();
        DvdList list;
        AddTitleSet(r, Vts1, true, list);
        AddTitleSet(r, Vts2, true, list);
        QCOMPARE(captions(list), QStringList({"Title_01", "Title_02"}));
        QCOMPARE(list.TitleSets[0].FirstRow, 0);
        QCOMPARE(list.TitleSets[0].EndRow, 1);
        QCOMPARE(list.TitleSets[1].FirstRow, 1);
        QCOMPARE(list.TitleSets[1].EndRow, 2);
        QCOMPARE(list.TitleSets[0].AudioDescs.size(), 2);
        QCOMPARE(list.TitleSets[0].SubPicCount, 1);

        const TConvertInfo& t1 = list.DvdRowInfos[0];
        QCOMPARE(t1.AudioId, "0x80");
        QCOMPARE(t1.SubtitleId, "0");
        QCOMPARE(t1.StartSector, 0);
        QCOMPARE(t1.EndSector, 5999);
        QCOMPARE(t1.Duration, 30);
        QCOMPARE(t1.StartSecond, 0);
        QCOMPARE(t1.EndSecond, 30);
        QCOMPARE(t1.IfoPath, Vts1);
        QCOMPARE(list.Rows[0].frameSize, "720x576");
        QCOMPARE(list.Rows[0].seconds, 30);

        // Exactly 1000 sectors is listed; no audio stream gives "0".
        QCOMPARE(list.DvdRowInfos[1].AudioId, "0");
        QCOMPARE(list.DvdRowInfos[1].EndSector - list.DvdRowInfos[1].StartSector, 1000);
        QCOMPARE(list.AudioChoice.size(), 2);
        QVERIFY(list.CellTimeTable.isEmpty());
    }

    void chapterMode()
    {
        FakeIfoReader r = twoSets();
        DvdList list;
        AddTitleSet(r, Vts1, false, list);
        AddTitleSet(r, Vts2, false, list);
        // Cells of 10 s, 0 s and 20 s: chapters 01 and 03; the next title counts chapter rows.
        QCOMPARE(captions(list), QStringList({"Title_01", "  Chapter_01", "  Chapter_03", "Title_04", "  Chapter_01"}));
        QCOMPARE(list.DvdRowInfos[1].StartSecond, 0);
        QCOMPARE(list.DvdRowInfos[1].EndSecond, 10);
        QCOMPARE(list.DvdRowInfos[2].StartSecond, 10);
        QCOMPARE(list.DvdRowInfos[2].EndSecond, 30);
        QCOMPARE(list.DvdRowInfos[2].StartSector, 4000);
        QCOMPARE(list.DvdRowInfos[2].EndSector, 5999);
        QCOMPARE(list.DvdRowInfos[2].Duration, 20);
        QCOMPARE(list.TitleSets[0].EndRow, 3);
        QCOMPARE(list.CellTimeTable.size(), 5);
        QVERIFY(list.CellTimeTable[0].IsTitleMarker);
        QVERIFY(!list.CellTimeTable[2].IsTitleMarker);
        QCOMPARE(list.CellTimeTable[2].FirstSector, 4000);
        QCOMPARE(list.CellTimeTable[2].StartSecond, 10);
    }

    void callOrder()
    {
        FakeIfoReader r = twoSets();
        DvdList list;
        AddTitleSet(r, Vts2, true, list);
        QCOMPARE(r.calls, QStringList({"ifoOpen", "ifoGetNumPGCI", "ifoGetNumAudio", "ifoGetNumSubPic",
                                       "ifoGetPGCIInfo", "ifoGetPGCICells", "ifoGetVideoDesc"}));
    }

    void damagedChains()
    {
        FakeIfoReader r;
        FakeIfoFile f;
        FakeChain noCells;  // a playback time but no cells: no row
        noCells.time = {0, 0, 30};
        f.chains.append(noCells);
        FakeChain claimsMore = MakeChain({4, 4}, 2000, 0);  // claims 200 cells, holds 2
        claimsMore.reportedCells = 200;
        f.chains.append(claimsMore);
        FakeChain claimsFewer = MakeChain({4, 4, 4}, 2000, 10000);  // claims 1 of its 3
        claimsFewer.reportedCells = 1;
        f.chains.append(claimsFewer);
        FakeChain reversed;  // last sector before the first
        reversed.time = {0, 0, 8};
        reversed.cells.append({50000, 100, 0, 0, 8});
        f.chains.append(reversed);
        FakeChain huge;  // sectors beyond 32 bits signed
        huge.time = {0, 0, 8};
        huge.cells.append({0xF0000000u, 0xF0100000u, 0, 0, 8});
        f.chains.append(huge);
        r.files.insert(Vts1, f);

        DvdList list;
        AddTitleSet(r, Vts1, false, list);
        QCOMPARE(captions(list), QStringList({"Title_01", "  Chapter_01", "  Chapter_02", "Title_04", "  Chapter_01"}));
        QCOMPARE(list.DvdRowInfos[3].EndSector, 11999);  // only the claimed cell is read
    }

    void unreadableFile()
    {
        FakeIfoReader r;
        DvdList list;
        AddTitleSet(r, "/nowhere/VTS_01_0.IFO", true, list);
        QCOMPARE(list.rowCount(), 0);
        QCOMPARE(list.TitleSets.size(), 1);
        QCOMPARE(list.TitleSets[0].FirstRow, list.TitleSets[0].EndRow);
    }

    void hundredsOfTitles()
    {
        FakeIfoReader r;
        FakeIfoFile f;
        for (int i = 0; i < 600; ++i)
            f.chains.append(MakeChain({1 + i % 7}, 1001 + quint32(i), quint32(i) * 5000));
        r.files.insert(Vts1, f);
        DvdList list;
        AddTitleSet(r, Vts1, true, list);
        QCOMPARE(list.rowCount(), 600);
        QCOMPARE(list.Rows[9].caption, "Title_10");
        QCOMPARE(list.Rows[99].caption, "Title_100");
        QCOMPARE(list.Rows[599].caption, "Title_600");
        QCOMPARE(list.AudioChoice.size(), 600);
        QCOMPARE(list.SubtitleChoice.size(), 600);
        QCOMPARE(LongestRow(list), 599);
    }

    void longestRow()
    {
        FakeIfoReader r;
        FakeIfoFile f;
        f.chains.append(MakeChain({5}, 1500));
        f.chains.append(MakeChain({5}, 3000, 10000));
        f.chains.append(MakeChain({5}, 3000, 20000));  // as long, later: not taken
        r.files.insert(Vts1, f);
        DvdList list;
        QCOMPARE(LongestRow(list), 0);
        AddTitleSet(r, Vts1, true, list);
        QCOMPARE(LongestRow(list), 1);
    }

    void removeRows()
    {
        FakeIfoReader r = twoSets();
        DvdList list;
        AddTitleSet(r, Vts1, false, list);
        AddTitleSet(r, Vts2, false, list);
        list.ChapterChecks = {true, false, true, false, true};
        list.TitleChecks = {false, false};
        list.AudioChoice = {0, 1, 0, 0, 0};
        list.SubtitleChoice = {0, 0, 1, 0, 0};
        list.removeRows({2, 1, 2, 9, -1}, false);
        QCOMPARE(captions(list), QStringList({"Title_01", "Title_04", "  Chapter_01"}));
        QCOMPARE(list.DvdRowInfos.size(), 3);
        QCOMPARE(list.DvdRowInfos[1].IfoPath, Vts2);
        QCOMPARE(list.CellTimeTable.size(), 3);
        QCOMPARE(list.ChapterChecks, QVector<bool>({true, false, true}));
        QCOMPARE(list.TitleChecks, QVector<bool>({false, false}));  // the other mode's rows
        QCOMPARE(list.AudioChoice, QVector<int>({0, 0, 0}));
        QCOMPARE(list.TitleSets[0].FirstRow, 0);
        QCOMPARE(list.TitleSets[0].EndRow, 1);
        QCOMPARE(list.TitleSets[1].FirstRow, 1);
        QCOMPARE(list.TitleSets[1].EndRow, 3);
        QCOMPARE(TitleSetOfRow(list, 2), 1);
    }

    void relistKeepsPathsAndMemories()
    {
        FakeIfoReader r = twoSets();
        DvdList list;
        AddTitleSet(r, Vts1, true, list);
        AddTitleSet(r, Vts2, true, list);
        list.TitleChecks = {false, true};
        list.AudioChoice[0] = 1;
        Relist(r, false, list);
        QCOMPARE(list.rowCount(), 5);
        QCOMPARE(list.TitleSets.size(), 2);
        QCOMPARE(list.TitleSets[1].FirstRow, 3);
        QCOMPARE(list.AudioChoice, QVector<int>(5, 0));
        QCOMPARE(list.TitleChecks, QVector<bool>({false, true}));
        Relist(r, true, list);
        QCOMPARE(captions(list), QStringList({"Title_01", "Title_02"}));
        QVERIFY(list.CellTimeTable.isEmpty());
    }

    void findTitleSets_data()
    {
        QTest::addColumn<QStringList>("files");   // created under the temporary folder
        QTest::addColumn<QString>("chosen");      // folder handed to the search
        QTest::addColumn<QStringList>("found");   // IFO files taken, relative
        QTest::newRow("drive root") << QStringList{"VIDEO_TS/VIDEO_TS.IFO", "VIDEO_TS/VTS_02_0.IFO", "VIDEO_TS/VTS_01_0.IFO"}
                                    << "" << QStringList{"VIDEO_TS/VTS_01_0.IFO", "VIDEO_TS/VTS_02_0.IFO"};
        QTest::newRow("video_ts itself") << QStringList{"VIDEO_TS/VTS_01_0.IFO"} << "VIDEO_TS"
                                         << QStringList{"VIDEO_TS/VTS_01_0.IFO"};
        QTest::newRow("lower case folder and names") << QStringList{"video_ts/vts_01_0.ifo"} << ""
                                                     << QStringList{"video_ts/vts_01_0.ifo"};
        QTest::newRow("other subfolder name") << QStringList{"MOVIE/VTS_01_0.IFO"} << "" << QStringList{};
        QTest::newRow("only the menu file") << QStringList{"VIDEO_TS/VIDEO_TS.IFO"} << "" << QStringList{};
        QTest::newRow("nested video_ts") << QStringList{"VIDEO_TS/VIDEO_TS/VTS_01_0.IFO"} << ""
                                         << QStringList{"VIDEO_TS/VIDEO_TS/VTS_01_0.IFO"};
    }
    void findTitleSets()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, chosen);
        QFETCH(QStringList, found);
        QTemporaryDir dir;
        FakeIfoReader r;
        for (const QString& f : files) {
            const QString path = dir.path() + "/" + f;
            QDir().mkpath(QFileInfo(path).absolutePath());
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            FakeIfoFile ifo;
            ifo.chains.append(MakeChain({5}));
            r.files.insert(path, ifo);
        }
        DvdList list;
        int pumps = 0;
        const bool result = FindTitleSets(r, dir.path() + "/" + chosen, true, list, [&pumps] { ++pumps; });
        QStringList taken;
        for (const TIFOSelint& t : list.TitleSets)
            taken.append(t.IfoPath.mid(dir.path().size() + 1));
        QCOMPARE(taken, found);
        QCOMPARE(result, !found.isEmpty());
        QCOMPARE(list.rowCount(), found.size());
        QVERIFY(pumps >= 2);
    }
};

VC_TEST_MAIN(TestDvdListing)
#include "tst_dvd_listing.moc"
