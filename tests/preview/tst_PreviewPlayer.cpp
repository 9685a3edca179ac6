// The libmpv player through its seven entries, headless: position reports on the GUI thread,
// Seek in the time base of the reports, Pause toggling, Stop ending Play, failures, "vts://"
// sources of the test DVD with their chosen streams, and no thread left behind.
#include "preview/PreviewPlayer.h"
#include "tests/support/Fixtures.h"
#include "tests/support/TestMain.h"

#include <QDir>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>

namespace {

int threadCount()
{
    return int(QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
}

QString dvdRoot()
{
    return QStringLiteral(VC_BINARY_DIR "/fixtures/dvd");
}

// Sectors of title set 1's VOBs (one title of three chapters).
qint64 vtsSectors(int titleSet)
{
    const QString vob = dvdRoot() + QStringLiteral("/VIDEO_TS/VTS_%1_1.VOB").arg(titleSet, 2, 10, QLatin1Char('0'));
    return QFileInfo(vob).size() / 2048;
}

} // namespace

class PreviewPlayerTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString clip(const QString& name, double seconds)
    {
        const QString path = dir_.filePath(name);
        if (!QFile::exists(path))
            fixtures::makeClip(path, seconds);
        return path;
    }

private slots:
    void positionsArriveOnTheGuiThread()
    {
        PreviewPlayer player;
        player.setUntimed(true);
        player.InitPreviewWindow(0, 320, 240);
        QList<double> positions;
        bool offThread = false;
        player.SetEventFuntion([&](double pos) {
            positions.append(pos);
            offThread |= QThread::currentThread() != qApp->thread();
        });
        player.Seek(0);
        QVERIFY(player.Play(QFile::encodeName(clip(QStringLiteral("a.mp4"), 2.0))));
        player.DestroyPreviewWindow();
        QVERIFY(!offThread);
        QVERIFY(positions.size() > 5);
        QVERIFY(std::is_sorted(positions.begin(), positions.end()));
        QVERIFY(positions.first() < 0.1);
        QVERIFY2(positions.last() > 1.8 && positions.last() < 2.1, qPrintable(QString::number(positions.last())));
    }

    void seekSharesTheTimeBaseOfReports_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("mp4") << QStringLiteral("s.mp4");
        QTest::newRow("mpeg program stream") << QStringLiteral("s.mpg");
    }
    void seekSharesTheTimeBaseOfReports()
    {
        QFETCH(QString, name);
        const QString path = clip(name, 4.0);
        PreviewPlayer player;
        player.setUntimed(true);
        player.InitPreviewWindow(0, 320, 240);
        QList<double> positions;
        bool sought = false;
        player.SetEventFuntion([&](double pos) {
            positions.append(pos);
            if (!sought && pos > 0.0) {
                sought = true;
                player.Seek(3);
                positions.clear();
            }
        });
        player.Seek(1);  // before Play: where the playback starts
        QVERIFY(player.Play(QFile::encodeName(path)));
        player.DestroyPreviewWindow();
        QVERIFY(!positions.isEmpty());
        // The seek lands on the second asked for, not after it.
        QVERIFY2(positions.first() >= 2.95 && positions.first() < 3.1, qPrintable(QString::number(positions.first())));
    }

    void startsWhereSeekSaid()
    {
        PreviewPlayer player;
        player.setUntimed(true);
        player.InitPreviewWindow(0, 320, 240);
        double first = -1;
        player.SetEventFuntion([&](double pos) {
            if (first < 0 && pos > 0.0)
                first = pos;
        });
        player.Seek(2);
        QVERIFY(player.Play(QFile::encodeName(clip(QStringLiteral("s.mpg"), 4.0))));
        player.DestroyPreviewWindow();
        QVERIFY2(first >= 1.95 && first < 2.1, qPrintable(QString::number(first)));
    }

    void pauseTogglesAndStopEndsPlay()
    {
        const QString path = clip(QStringLiteral("long.mp4"), 3.0);
        PreviewPlayer player;
        player.InitPreviewWindow(0, 320, 240);
        double last = 0, atPause = -1, afterWait = -1;
        QString pausedProperty;
        QElapsedTimer sincePause;
        player.SetEventFuntion([&](double pos) {
            last = pos;
            if (pos < 0.3 || sincePause.isValid())
                return;
            sincePause.start();
            player.Pause();
            QTimer::singleShot(200, Qt::PreciseTimer, [&] { atPause = last; pausedProperty = player.property("pause"); });
            QTimer::singleShot(1000, Qt::PreciseTimer, [&] {
                afterWait = last;
                player.Pause();  // resumes
            });
            QTimer::singleShot(1500, Qt::PreciseTimer, [&] { player.Stop(); });
        });
        QVERIFY(player.Play(QFile::encodeName(path)));
        const qint64 took = sincePause.elapsed();
        player.DestroyPreviewWindow();
        QCOMPARE(pausedProperty, QStringLiteral("yes"));
        QVERIFY(atPause > 0.25);
        QCOMPARE(afterWait, atPause);  // nothing moved while paused
        QVERIFY2(last > atPause, "playing again after the second Pause");
        // Stop ended Play, not the end of the clip (which lies 2.7 s of playing ahead).
        QVERIFY2(took >= 1450 && took < 2500, qPrintable(QString::number(took)));
    }

    void failuresReturnFromPlay_data()
    {
        QTest::addColumn<QByteArray>("source");
        QTest::newRow("missing file") << QByteArray("/nonexistent/clip.mp4");
        QTest::newRow("not media") << QByteArray("/etc/hostname");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("reference of no disc") << QByteArray("vts://01*0*100*0x80*0*//nonexistent");
        QTest::newRow("malformed reference") << QByteArray("vts://01*0*");
        QTest::newRow("title set not on disc") << ("vts://07*0*100*0x80*0*/" + QFile::encodeName(dvdRoot()));
    }
    void failuresReturnFromPlay()
    {
        QFETCH(QByteArray, source);
        PreviewPlayer player;
        player.setUntimed(true);
        player.InitPreviewWindow(0, 320, 240);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!player.Play(source));
        QVERIFY(clock.elapsed() < 5000);
        QVERIFY(!player.isPlaying());
        player.DestroyPreviewWindow();
    }

    void playWithoutInitFails()
    {
        PreviewPlayer player;
        QVERIFY(!player.Play(QFile::encodeName(clip(QStringLiteral("a.mp4"), 2.0))));
    }

    void dvdReferencePlaysChosenStreams_data()
    {
        QTest::addColumn<QString>("audio");
        QTest::addColumn<QString>("subtitle");
        QTest::addColumn<QString>("audioSrcId");
        QTest::addColumn<QString>("subtitleSrcId");
        QTest::newRow("first audio, no subtitle") << "0x80" << "0" << "128" << "";
        QTest::newRow("second audio, subtitle") << "0x81" << "0x20" << "129" << "32";
    }
    void dvdReferencePlaysChosenStreams()
    {
        QFETCH(QString, audio);
        QFETCH(QString, subtitle);
        QFETCH(QString, audioSrcId);
        QFETCH(QString, subtitleSrcId);
        const qint64 sectors = vtsSectors(1);
        QVERIFY2(sectors > 0, "the DVD fixture is missing");
        const QString ref = QStringLiteral("vts://01*0*%1*%2*%3*/%4").arg(sectors - 1).arg(audio, subtitle, dvdRoot());
        PreviewPlayer player;
        player.setUntimed(true);
        player.InitPreviewWindow(0, 320, 240);
        double last = 0, duration = 0;
        QString seenAudio, seenSubtitle;
        player.SetEventFuntion([&](double pos) {
            last = pos;
            duration = player.property("duration").toDouble();
            seenAudio = player.property("current-tracks/audio/src-id");
            if (pos > 4.0 && seenSubtitle.isEmpty())
                seenSubtitle = player.property("current-tracks/sub/src-id");
        });
        QVERIFY(player.Play(QFile::encodeName(ref)));
        player.DestroyPreviewWindow();
        QCOMPARE(seenAudio, audioSrcId);
        QCOMPARE(seenSubtitle, subtitleSrcId);
        // The whole 12-s title. (Untimed playback outruns the reports, so the last one may come
        // early: the length is read from the player.)
        QVERIFY2(duration > 11.5 && duration < 12.5, qPrintable(QString::number(duration)));
        QVERIFY(last > 4.0);
    }

    void sectorRangeLimitsTheSource()
    {
        // Title set 1 holds three 4-s chapters; the middle third of its sectors is about one chapter.
        const qint64 sectors = vtsSectors(1);
        QVERIFY(sectors > 0);
        const QString ref = QStringLiteral("vts://01*%1*%2*0x80*0*/%3").arg(sectors / 3).arg(2 * sectors / 3).arg(dvdRoot());
        PreviewPlayer player;
        player.setUntimed(true);
        player.InitPreviewWindow(0, 320, 240);
        QList<double> positions;
        double duration = 0;
        player.SetEventFuntion([&](double pos) {
            positions.append(pos);
            duration = player.property("duration").toDouble();
        });
        QVERIFY(player.Play(QFile::encodeName(ref)));
        player.DestroyPreviewWindow();
        QVERIFY(!positions.isEmpty());
        // Reports start near 0 whatever the sector the range starts at.
        QVERIFY2(positions.first() < 0.5, qPrintable(QString::number(positions.first())));
        QVERIFY2(duration > 3.0 && duration < 5.5, qPrintable(QString::number(duration)));
    }

    void noThreadOutlivesThePlayer()
    {
        const QString path = clip(QStringLiteral("a.mp4"), 2.0);
        const int before = threadCount();
        {
            PreviewPlayer player;
            player.InitPreviewWindow(0, 320, 240);
            QTimer::singleShot(300, Qt::PreciseTimer, [&] {
                QVERIFY(threadCount() > before);  // the player decodes on threads of its own
                player.Stop();
            });
            player.Play(QFile::encodeName(path));
            player.DestroyPreviewWindow();
        }
        QCOMPARE(threadCount(), before);
        {
            // Released while playing: Play returns.
            PreviewPlayer player;
            player.InitPreviewWindow(0, 320, 240);
            QTimer::singleShot(300, Qt::PreciseTimer, [&] { player.DestroyPreviewWindow(); });
            QElapsedTimer clock;
            clock.start();
            player.Play(QFile::encodeName(path));
            QVERIFY(clock.elapsed() < 1500);
        }
        QCOMPARE(threadCount(), before);
    }
};

VC_TEST_MAIN(PreviewPlayerTest)
#include "tst_PreviewPlayer.moc"
