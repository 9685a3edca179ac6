// DVD jobs through the built register.dat on the disc authored by tests/fixtures/make-dvd.sh:
// the disc is what facts.json says (read back with libdvdread), the chosen audio stream is the
// one converted (the output's dominant tone), a chapter's sector range gives that chapter's
// length, the subtitle is burned in when asked (also when its first packet comes late), and
// every malformed reference, missing title set, non-DVD root and encrypted disc is refused.
#include "tests/support/Fixtures.h"
#include "tests/support/TestMain.h"
#include "tests/tools/RegisterRun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <cmath>
#include <cstring>

#include <signal.h>

#include <dvdread/dvd_reader.h>
#include <dvdread/ifo_read.h>
#include <dvdread/ifo_types.h>

using namespace regtest;

namespace {

const QString kDisc = QStringLiteral(VC_BINARY_DIR "/fixtures/dvd");

struct Chapter {
    long long first = 0, last = 0;  // sectors, inclusive
    double seconds = 0;
};
struct Title {
    QList<Chapter> chapters;
    long long first = 0, last = 0;
    double seconds = 0;
};
struct TitleSet {
    QList<Title> titles;
    QStringList audioIds, audioLangs, subIds, subLangs;
};

double bcd(uint8_t v)
{
    return (v >> 4) * 10 + (v & 0x0F);
}

double seconds(const dvd_time_t& t)
{
    const double fps = ((t.frame_u & 0xC0) >> 6) == 1 ? 25.0 : 29.97;
    return bcd(t.hour) * 3600 + bcd(t.minute) * 60 + bcd(t.second) + bcd(t.frame_u & 0x3F) / fps;
}

QString lang(uint16_t code)
{
    return QString(QChar(code >> 8)) + QChar(code & 0xFF);
}

// The disc as libdvdread reads it: per title set its titles (one program chain each, as
// dvdauthor writes them), chapters with their cell sectors, and its streams.
QList<TitleSet> readDisc(const QString& root)
{
    QList<TitleSet> sets;
    dvd_reader_t* dvd = DVDOpen2(nullptr, nullptr, root.toLocal8Bit().constData());
    if (!dvd)
        return sets;
    ifo_handle_t* vmg = ifoOpen(dvd, 0);
    const int count = vmg ? vmg->vmgi_mat->vmg_nr_of_title_sets : 0;
    for (int v = 1; v <= count; ++v) {
        TitleSet ts;
        ifo_handle_t* vts = ifoOpen(dvd, v);
        if (!vts)
            break;
        const vtsi_mat_t* mat = vts->vtsi_mat;
        for (int i = 0; i < vts->vts_pgcit->nr_of_pgci_srp; ++i) {
            const pgc_t* pgc = vts->vts_pgcit->pgci_srp[i].pgc;
            Title t;
            for (int p = 0; p < pgc->nr_of_programs; ++p) {
                const int firstCell = pgc->program_map[p] - 1;
                const int endCell = p + 1 < pgc->nr_of_programs ? pgc->program_map[p + 1] - 1 : pgc->nr_of_cells;
                Chapter c;
                c.first = pgc->cell_playback[firstCell].first_sector;
                c.last = pgc->cell_playback[endCell - 1].last_sector;
                for (int k = firstCell; k < endCell; ++k)
                    c.seconds += seconds(pgc->cell_playback[k].playback_time);
                t.chapters << c;
            }
            t.first = t.chapters.first().first;
            t.last = t.chapters.last().last;
            t.seconds = seconds(pgc->playback_time);
            if (i == 0) {
                for (int a = 0; a < mat->nr_of_vts_audio_streams; ++a) {
                    const int format = mat->vts_audio_attr[a].audio_format;
                    const int base = format == 0 ? 0x80 : format == 2 || format == 3 ? 0xC0 : format == 4 ? 0xA0 : 0x88;
                    ts.audioIds << QStringLiteral("0x%1").arg(base + ((pgc->audio_control[a] >> 8) & 7), 0, 16);
                    ts.audioLangs << lang(mat->vts_audio_attr[a].lang_code);
                }
                for (int s = 0; s < mat->nr_of_vts_subp_streams; ++s) {
                    ts.subIds << QStringLiteral("0x%1").arg(0x20 + ((pgc->subp_control[s] >> 24) & 0x1F), 0, 16);
                    ts.subLangs << lang(mat->vts_subp_attr[s].lang_code);
                }
            }
            ts.titles << t;
        }
        ifoClose(vts);
        sets << ts;
    }
    if (vmg)
        ifoClose(vmg);
    DVDClose(dvd);
    return sets;
}

// The strongest of the candidate tones in the output's audio (Goertzel on 8 kHz mono).
int dominantTone(const QString& path, const QList<int>& candidates)
{
    QProcess p;
    p.start(QStringLiteral("ffmpeg"), {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-nostdin"), QStringLiteral("-i"),
                                       path, QStringLiteral("-map"), QStringLiteral("0:a:0"), QStringLiteral("-ac"), QStringLiteral("1"),
                                       QStringLiteral("-ar"), QStringLiteral("8000"), QStringLiteral("-f"), QStringLiteral("s16le"),
                                       QStringLiteral("-")});
    p.waitForFinished(60000);
    const QByteArray raw = p.readAllStandardOutput();
    const auto* s = reinterpret_cast<const int16_t*>(raw.constData());
    const int n = raw.size() / 2;
    int best = 0;
    double bestPower = 0;
    for (int f : candidates) {
        const double coeff = 2 * std::cos(2 * M_PI * f / 8000.0);
        double s1 = 0, s2 = 0;
        for (int i = 0; i < n; ++i) {
            const double s0 = s[i] + coeff * s1 - s2;
            s2 = s1;
            s1 = s0;
        }
        const double power = s1 * s1 + s2 * s2 - coeff * s1 * s2;
        if (power > bestPower) {
            bestPower = power;
            best = f;
        }
    }
    return best;
}

// Mean luma of a rectangle of the frame at `at` seconds.
double meanLuma(const QString& path, double at, int x, int y, int w, int h)
{
    QProcess p;
    p.start(QStringLiteral("ffmpeg"), {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-nostdin"), QStringLiteral("-ss"),
                                       QString::number(at), QStringLiteral("-i"), path, QStringLiteral("-frames:v"), QStringLiteral("1"),
                                       QStringLiteral("-vf"), QStringLiteral("crop=%1:%2:%3:%4").arg(w).arg(h).arg(x).arg(y),
                                       QStringLiteral("-f"), QStringLiteral("rawvideo"), QStringLiteral("-pix_fmt"), QStringLiteral("gray"),
                                       QStringLiteral("-")});
    p.waitForFinished(60000);
    const QByteArray raw = p.readAllStandardOutput();
    if (raw.isEmpty())
        return -1;
    double sum = 0;
    for (char c : raw)
        sum += static_cast<unsigned char>(c);
    return sum / raw.size();
}

double duration(const QString& path)
{
    return fixtures::probe(path, QStringLiteral("format=duration")).toDouble();
}

QString reference(int vts, long long s, long long e, const QString& a, const QString& u, const QString& root = kDisc)
{
    return QStringLiteral("vts://%1*%2*%3*%4*%5*/%6").arg(vts, 2, 10, QLatin1Char('0')).arg(s).arg(e).arg(a, u, root);
}

// A DVD job's pieces as the program passes them, with a fast encoder.
QStringList dvdJob(const QString& ref, const QString& out, const QStringList& extra = {})
{
    return QStringList{QStringLiteral("-y"), QStringLiteral("-i"), ref, QStringLiteral("-ac"), QStringLiteral("2")} + extra
           + QStringList{QStringLiteral("-vcodec"), QStringLiteral("mpeg4"), QStringLiteral("-q:v"), QStringLiteral("4"), out};
}

} // namespace

class TstRegisterDvd : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QList<TitleSet> disc_;
    QJsonObject facts_;
    int serial_ = 0;

    QString outFolder()
    {
        const QString f = dir_.path() + QStringLiteral("/out%1").arg(++serial_);
        QDir().mkpath(f);
        return f;
    }
    const Chapter& chapter(int vts, int title, int chapter) const { return disc_[vts - 1].titles[title - 1].chapters[chapter - 1]; }
    const Title& title(int vts, int t) const { return disc_[vts - 1].titles[t - 1]; }

private slots:
    void initTestCase()
    {
        QFile f(kDisc + QStringLiteral("/facts.json"));
        QVERIFY2(f.open(QIODevice::ReadOnly), "the dvd_fixture test authors the disc first");
        facts_ = QJsonDocument::fromJson(f.readAll()).object();
        disc_ = readDisc(kDisc);
        QCOMPARE(disc_.size(), 2);
    }

    void discMatchesItsFacts()
    {
        const QJsonArray sets = facts_.value(QStringLiteral("titleSets")).toArray();
        QCOMPARE(sets.size(), disc_.size());
        for (int v = 0; v < sets.size(); ++v) {
            const QJsonObject ts = sets[v].toObject();
            QStringList ids, langs, subIds, subLangs;
            for (const auto a : ts.value(QStringLiteral("audio")).toArray()) {
                ids << a.toObject().value(QStringLiteral("id")).toString().toLower();
                langs << a.toObject().value(QStringLiteral("lang")).toString();
            }
            for (const auto s : ts.value(QStringLiteral("subpictures")).toArray()) {
                subIds << s.toObject().value(QStringLiteral("id")).toString().toLower();
                subLangs << s.toObject().value(QStringLiteral("lang")).toString();
            }
            QCOMPARE(disc_[v].audioIds, ids);
            QCOMPARE(disc_[v].audioLangs, langs);
            QCOMPARE(disc_[v].subIds, subIds);
            QCOMPARE(disc_[v].subLangs, subLangs);
            const QJsonArray titles = ts.value(QStringLiteral("titles")).toArray();
            QCOMPARE(disc_[v].titles.size(), titles.size());
            for (int t = 0; t < titles.size(); ++t) {
                const QJsonObject tf = titles[t].toObject();
                const Title& tr = disc_[v].titles[t];
                QVERIFY(qAbs(tr.seconds - tf.value(QStringLiteral("seconds")).toDouble()) < 0.1);
                const QJsonArray chapters = tf.value(QStringLiteral("chapters")).toArray();
                QCOMPARE(tr.chapters.size(), chapters.size());
                for (int c = 0; c < chapters.size(); ++c)
                    QVERIFY(qAbs(tr.chapters[c].seconds - chapters[c].toDouble()) < 0.1);
                if (tf.contains(QStringLiteral("fewerSectorsThan")))
                    QVERIFY(tr.last - tr.first + 1 < tf.value(QStringLiteral("fewerSectorsThan")).toInt());
            }
        }
    }

    void dvdJobs_data()
    {
        QTest::addColumn<int>("vts");
        QTest::addColumn<int>("titleNo");
        QTest::addColumn<int>("chapterNo");   // 0: the whole title
        QTest::addColumn<QString>("audio");
        QTest::addColumn<QString>("limit");   // " -t " piece, or empty
        QTest::addColumn<double>("seconds");
        QTest::addColumn<int>("tone");        // 0: no audio stream expected
        QTest::newRow("ch1 English") << 1 << 1 << 1 << "0x80" << "" << 4.0 << 440;
        QTest::newRow("ch2 German") << 1 << 1 << 2 << "0x81" << "" << 4.0 << 1000;
        QTest::newRow("ch3 English") << 1 << 1 << 3 << "0x80" << "" << 4.0 << 440;
        QTest::newRow("ch1 German") << 1 << 1 << 1 << "0x81" << "" << 4.0 << 1000;
        QTest::newRow("title limited") << 1 << 1 << 0 << "0x81" << "00:00:03" << 3.0 << 1000;
        QTest::newRow("mpeg audio") << 2 << 1 << 0 << "0xC0" << "" << 5.0 << 660;
        QTest::newRow("short title") << 2 << 2 << 0 << "0xc0" << "" << 1.0 << 660;
        QTest::newRow("no audio") << 1 << 1 << 1 << "0" << "" << 4.0 << 0;
        // A stream the range does not hold: the job goes on without audio.
        QTest::newRow("absent audio stream") << 2 << 2 << 0 << "0x80" << "" << 1.0 << 0;
    }
    void dvdJobs()
    {
        QFETCH(int, vts);
        QFETCH(int, titleNo);
        QFETCH(int, chapterNo);
        QFETCH(QString, audio);
        QFETCH(QString, limit);
        QFETCH(double, seconds);
        QFETCH(int, tone);
        long long s = title(vts, titleNo).first, e = title(vts, titleNo).last;
        if (chapterNo) {
            s = chapter(vts, titleNo, chapterNo).first;
            e = chapter(vts, titleNo, chapterNo).last;
        }
        const QString out = outFolder() + QStringLiteral("/job.avi");
        QStringList extra;
        if (!limit.isEmpty())
            extra << QStringLiteral("-t") << limit;
        const Run r = run(dvdJob(reference(vts, s, e, audio, QStringLiteral("0")), out, extra));
        QVERIFY2(r.code == 0, r.err.right(1000).constData());
        QVERIFY2(qAbs(duration(out) - seconds) < 0.35, qPrintable(QString::number(duration(out))));
        QVERIFY(r.out.contains("time="));
        if (tone)
            QCOMPARE(dominantTone(out, {440, 660, 1000}), tone);
        else
            QCOMPARE(fixtures::probe(out, QStringLiteral("stream=codec_type"), QStringLiteral("a")), QString());
    }

    void burnedSubtitle_data()
    {
        QTest::addColumn<int>("chapterNo");
        QTest::addColumn<double>("at");
        QTest::addColumn<bool>("shown");
        QTest::newRow("ch1 at 2 s") << 1 << 2.0 << true;
        QTest::newRow("ch1 at 3.8 s, after it") << 1 << 3.8 << false;
        // Chapter 2's subtitle starts 2 s into the chapter: late first packet.
        QTest::newRow("ch2 at 1 s, before it") << 2 << 1.0 << false;
        QTest::newRow("ch2 at 2.8 s") << 2 << 2.8 << true;
    }
    void burnedSubtitle()
    {
        QFETCH(int, chapterNo);
        QFETCH(double, at);
        QFETCH(bool, shown);
        const Chapter& c = chapter(1, 1, chapterNo);
        const QString folder = outFolder();
        const QString plain = folder + QStringLiteral("/plain.avi"), burned = folder + QStringLiteral("/burned.avi");
        const Run a = run(dvdJob(reference(1, c.first, c.last, QStringLiteral("0x80"), QStringLiteral("0")), plain));
        const Run b = run(dvdJob(reference(1, c.first, c.last, QStringLiteral("0x80"), QStringLiteral("0x20")), burned));
        QCOMPARE(a.code, 0);
        QVERIFY2(b.code == 0, b.err.right(1000).constData());
        // Inside the bar: white when burned in; elsewhere the pictures agree.
        const double inPlain = meanLuma(plain, at, 200, 450, 320, 40);
        const double inBurned = meanLuma(burned, at, 200, 450, 320, 40);
        const double abovePlain = meanLuma(plain, at, 100, 150, 500, 150);
        const double aboveBurned = meanLuma(burned, at, 100, 150, 500, 150);
        QVERIFY(inPlain >= 0 && inBurned >= 0);
        QVERIFY2(qAbs(abovePlain - aboveBurned) < 8, qPrintable(QStringLiteral("%1 %2").arg(abovePlain).arg(aboveBurned)));
        if (shown)
            QVERIFY2(inBurned > 225 && inPlain < 200, qPrintable(QStringLiteral("%1 %2").arg(inPlain).arg(inBurned)));
        else
            QVERIFY2(qAbs(inBurned - inPlain) < 8, qPrintable(QStringLiteral("%1 %2").arg(inPlain).arg(inBurned)));
        // The subtitle is burned in at the DVD's size, before scaling to the output size.
        const QString scaled = folder + QStringLiteral("/scaled.avi");
        if (shown && chapterNo == 1) {
            const Run s = run(dvdJob(reference(1, c.first, c.last, QStringLiteral("0x80"), QStringLiteral("0x20")), scaled,
                                     {QStringLiteral("-s"), QStringLiteral("360x288")}));
            QCOMPARE(s.code, 0);
            QVERIFY(meanLuma(scaled, at, 100, 225, 160, 20) > 225);
        }
    }

    void rootForms_data()
    {
        QTest::addColumn<QString>("root");
        QTest::addColumn<bool>("inDiscFolder");
        QTest::newRow("folder holding VIDEO_TS") << kDisc << false;
        QTest::newRow("trailing slash") << kDisc + QStringLiteral("/") << false;
        QTest::newRow("VIDEO_TS itself") << kDisc + QStringLiteral("/VIDEO_TS") << false;
        QTest::newRow("an IFO in it") << kDisc + QStringLiteral("/VIDEO_TS/VTS_02_0.IFO") << false;
        QTest::newRow("empty: the current directory") << QString() << true;
    }
    void rootForms()
    {
        QFETCH(QString, root);
        QFETCH(bool, inDiscFolder);
        const Title& t = title(2, 2);
        const QString out = outFolder() + QStringLiteral("/root.avi");
        const Run r = run(dvdJob(reference(2, t.first, t.last, QStringLiteral("0xc0"), QStringLiteral("0"), root), out),
                          inDiscFolder ? kDisc : QString());
        QVERIFY2(r.code == 0, r.err.right(600).constData());
        QVERIFY(qAbs(duration(out) - 1.0) < 0.35);
    }

    void badReferences_data()
    {
        QTest::addColumn<QString>("ref");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("reason");
        const QString d = kDisc;
        QTest::newRow("missing field") << QStringLiteral("vts://01*0*100*0x80*/") + d << 102 << "fewer than six fields";
        QTest::newRow("no root separator") << QStringLiteral("vts://01*0*100*0x80*0*x") + d << 102 << "*/";
        QTest::newRow("title set not a number") << QStringLiteral("vts://a1*0*100*0x80*0*/") + d << 102 << "title set";
        QTest::newRow("negative sector") << QStringLiteral("vts://01*-1*100*0x80*0*/") + d << 102 << "start sector";
        QTest::newRow("non-numeric sector") << QStringLiteral("vts://01*0*1x0*0x80*0*/") + d << 102 << "end sector";
        QTest::newRow("end before start") << QStringLiteral("vts://01*100*50*0x80*0*/") + d << 102 << "before start sector";
        QTest::newRow("audio not hex") << QStringLiteral("vts://01*0*100*0xZ0*0*/") + d << 102 << "audio id";
        QTest::newRow("subtitle not hex") << QStringLiteral("vts://01*0*100*0x80*twenty*/") + d << 102 << "subtitle id";
        QTest::newRow("title set missing") << QStringLiteral("vts://03*0*100*0x80*0*/") + d << 102 << "does not exist";
        QTest::newRow("sectors beyond") << QStringLiteral("vts://02*0*999999*0xc0*0*/") + d << 102 << "beyond";
        QTest::newRow("root is no DVD") << QStringLiteral("vts://01*0*100*0x80*0*/") + QStringLiteral(VC_BINARY_DIR) << 102
                                        << "no VIDEO_TS folder";
        QTest::newRow("root missing") << QStringLiteral("vts://01*0*100*0x80*0*//no/such/disc") << 102 << "does not exist";
    }
    void badReferences()
    {
        QFETCH(QString, ref);
        QFETCH(int, code);
        QFETCH(QString, reason);
        const QString folder = outFolder();
        const Run r = run(dvdJob(ref, folder + QStringLiteral("/bad.avi")));
        QCOMPARE(r.code, code);
        // One clear line, and nothing written.
        QCOMPARE(r.err.count('\n'), 1);
        QVERIFY(r.err.startsWith("register.dat: "));
        QVERIFY2(r.err.contains(reason.toUtf8()), r.err.constData());
        QCOMPARE(allEntries(folder), QStringList());
    }

    void encryptedDisc()
    {
        // A copy of the disc whose packets carry the CSS scrambling bits.
        const QString copy = dir_.path() + QStringLiteral("/encrypted");
        QDir().mkpath(copy + QStringLiteral("/VIDEO_TS"));
        for (const QString& name : QDir(kDisc + QStringLiteral("/VIDEO_TS")).entryList(QDir::Files))
            QVERIFY(QFile::copy(kDisc + QStringLiteral("/VIDEO_TS/") + name, copy + QStringLiteral("/VIDEO_TS/") + name));
        QFile vob(copy + QStringLiteral("/VIDEO_TS/VTS_02_1.VOB"));
        QVERIFY(vob.open(QIODevice::ReadWrite));
        QByteArray data = vob.readAll();
        for (int sector = 0; sector + 2048 <= data.size(); sector += 2048) {
            const int p = sector + 14 + (static_cast<unsigned char>(data[sector + 13]) & 7);
            const int sid = static_cast<unsigned char>(data[p + 3]);
            if (sid == 0xE0 || sid == 0xC0)
                data[p + 6] = static_cast<char>(data[p + 6] | 0x10);
        }
        vob.seek(0);
        vob.write(data);
        vob.close();
        const Title& t = title(2, 1);
        const QString folder = outFolder();
        const Run r = run(dvdJob(reference(2, t.first, t.last, QStringLiteral("0xc0"), QStringLiteral("0"), copy),
                                 folder + QStringLiteral("/enc.avi")));
        QCOMPARE(r.code, 103);
        QVERIFY(r.err.contains("encrypted"));
        QCOMPARE(allEntries(folder), QStringList());
    }

    void stopDuringDvdJob()
    {
        const Title& t = title(1, 1);
        const QString folder = outFolder();
        const QString ref = reference(1, t.first, t.last, QStringLiteral("0x80"), QStringLiteral("0x20"));
        QProcess p;
        p.start(program(), dvdJob(ref, folder + QStringLiteral("/stop.avi"), {QStringLiteral("-vf"), QStringLiteral("realtime")}));
        QVERIFY(p.waitForStarted());
        QByteArray out;
        QElapsedTimer timer;
        timer.start();
        while (!out.contains("time=1.") && timer.elapsed() < 30000) {
            p.waitForReadyRead(200);
            out += p.readAllStandardOutput();
        }
        QVERIFY(out.contains("time=1."));
        const QList<int> ffmpeg = childrenOf(static_cast<int>(p.processId()));
        QCOMPARE(ffmpeg.size(), 1);
        ::kill(static_cast<pid_t>(p.processId()), SIGTERM);
        QVERIFY(p.waitForFinished(5000));
        QCOMPARE(p.exitCode(), 108);
        QElapsedTimer gone;
        gone.start();
        while (running(ffmpeg.first()) && gone.elapsed() < 5000)
            QThread::msleep(20);
        QVERIFY(!running(ffmpeg.first()));
        QCOMPARE(allEntries(folder), QStringList());
    }
};

VC_TEST_MAIN(TstRegisterDvd)
#include "tst_register_dvd.moc"
