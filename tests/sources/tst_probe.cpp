// Tables for the probe parser, the completion of a new row's record, the duration text, the
// open dialogs' filters and the folder command's extension rule.
#include "sources/Filters.h"
#include "sources/Probe.h"
#include "tests/support/TestMain.h"

#include <QElapsedTimer>
#include <QRegularExpression>

using namespace sources;

namespace {

const QByteArray FullReport = "Input #0, avi, from 'clip.avi':\r\n"
                              "  Duration: 00:00:02.00, start: 0.000000, bitrate: 1234 kb/s\r\n"
                              "    Stream #0:0: Video: mpeg4, yuv420p, 320x240, 1000 kb/s, 25 fps\r\n"
                              "    Stream #0:1: Audio: mp3, 44100 Hz, stereo, 128 kb/s\r\n";

ProbeResult parse(const QByteArray& report)
{
    ProbeParser p;
    p.feed(report);
    return p.result();
}

} // namespace

class TestProbe : public QObject {
    Q_OBJECT
private slots:
    void parserFields_data()
    {
        QTest::addColumn<QByteArray>("report");
        QTest::addColumn<QString>("duration");
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("video");
        QTest::addColumn<QString>("audio");
        QTest::addColumn<QString>("frame");

        QTest::newRow("full report") << FullReport << "00:00:02" << "1234" << "1000" << "128" << "320x240";
        QTest::newRow("no Video line")
            << QByteArray("  Duration: 01:02:03.45, start: 0.0, bitrate: 1000 kb/s\r\n  Stream #0:0: Audio: mp3, 128 kb/s\r\n")
            << "01:02:03" << "1000" << "" << "128" << "";
        QTest::newRow("no line end at all")
            << QByteArray("  Duration: 00:00:02.00, bitrate: 1000 kb/s") << "" << "" << "" << "" << "";
        QTest::newRow("LF only: no CR-terminated line")
            << QByteArray("  Duration: 00:00:05.00, bitrate: 1000 kb/s\n") << "00:00:05" << "" << "" << "" << "";
        QTest::newRow("no space within 10: the 10 characters")
            << QByteArray("bitrate:12345678901234 kb/s\r") << "" << "5678901234" << "" << "" << "";
        QTest::newRow("space exactly 10 back")
            << QByteArray("bitrate: 123456789 kb/s\r") << "" << "123456789" << "" << "" << "";
        QTest::newRow("first line with the key counts")
            << QByteArray("Stream: Video: rawvideo 64x48\rVideo: h264 640x480 700 kb/s\r") << "" << "" << "" << "" << "64x48";
        QTest::newRow("frame: no space within 10 before x")
            << QByteArray("Video: abcdefgh1920x1080 kb\r") << "" << "" << "" << "" << "cdefgh1920x1080";
        QTest::newRow("frame: at most 10 digits after x")
            << QByteArray("Video: 1x123456789012345\r") << "" << "" << "" << "" << "1x1234567890";
        QTest::newRow("text after a NUL byte is dropped")
            << QByteArray("bitrate: 1000 kb/s\r\0Video: 5x5 900 kb/s\r", 40) << "" << "1000" << "" << "" << "";
        QTest::newRow("not a number is still the value")
            << QByteArray("bitrate: 1000 kb/s\rAudio: pcm, N/A kb/s\r") << "" << "1000" << "" << "N/A" << "";
    }

    void parserFields()
    {
        QFETCH(QByteArray, report);
        QFETCH(QString, duration);
        QFETCH(QString, total);
        QFETCH(QString, video);
        QFETCH(QString, audio);
        QFETCH(QString, frame);
        const ProbeResult r = parse(report);
        QCOMPARE(r.DurationText, duration);
        QCOMPARE(r.TotalKbps, total);
        QCOMPARE(r.VideoKbps, video);
        QCOMPARE(r.AudioKbps, audio);
        QCOMPARE(r.FrameSize, frame);

        // However the report is cut into chunks, the parser finds the same values (when each key
        // occurs once: a later line that a chunk brings alone replaces what an earlier one gave).
        if (QByteArray(QTest::currentDataTag()).startsWith("first line"))
            return;
        for (int size : {1, 3, 7, 64}) {
            ProbeParser p;
            for (qsizetype i = 0; i < report.size(); i += size)
                p.feed(report.mid(i, size));
            if (!report.contains('\0')) {
                QCOMPARE(p.result().TotalKbps, total);
                QCOMPARE(p.result().FrameSize, frame);
                QCOMPARE(p.result().AudioKbps, audio);
            }
        }
    }

    void valuesFoundEarlierStay()
    {
        ProbeParser p;
        p.feed("  Duration: 00:00:09.00, bitrate: 700 kb/s\r\n");
        p.feed("Stream: Video: mpeg4, 160x120, 600 kb/s\r\n");
        p.feed("Stream: Audio: mp3, 96 kb/s\r\n");
        QCOMPARE(p.result().TotalKbps, QStringLiteral("700"));
        QCOMPARE(p.result().VideoKbps, QStringLiteral("600"));
        QCOMPARE(p.result().AudioKbps, QStringLiteral("96"));
        QCOMPARE(p.result().FrameSize, QStringLiteral("160x120"));
        QCOMPARE(p.result().DurationText, QStringLiteral("00:00:09"));
        p.feed("x.avi: Invalid data found when processing input\r\n");
        QCOMPARE(p.lastLine(), QStringLiteral("x.avi: Invalid data found when processing input"));
    }

    void endlessGarbageIsNotHeldForever()
    {
        ProbeParser p;
        const QByteArray junk(2048, 'j');
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < 5000; ++i)  // 10 MB without a line end
            p.feed(junk);
        p.feed("\r\n  Duration: 00:00:09.00, bitrate: 700 kb/s\r\n");
        QCOMPARE(p.result().TotalKbps, QStringLiteral("700"));
        QVERIFY2(t.elapsed() < 5000, "garbage must not make each chunk slower");
    }

    void completion_data()
    {
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("video");
        QTest::addColumn<QString>("audio");
        QTest::addColumn<QString>("frame");
        QTest::addColumn<bool>("added");
        QTest::addColumn<QString>("videoOut");
        QTest::addColumn<QString>("audioOut");
        QTest::addColumn<QString>("frameOut");

        QTest::newRow("all there") << "1234" << "1000" << "128" << "640x480" << true << "1000" << "128" << "640x480";
        QTest::newRow("no video: total - audio") << "1000" << "" << "128" << "" << true << "872" << "128" << "320x240";
        QTest::newRow("total only: video = total, audio 128") << "1000" << "" << "" << "" << true << "1000" << "128" << "320x240";
        QTest::newRow("no audio: total - video") << "1000" << "900" << "" << "1x1" << true << "900" << "100" << "1x1";
        QTest::newRow("audio 0 becomes 128") << "500" << "500" << "0" << "8x8" << true << "500" << "128" << "8x8";
        QTest::newRow("video not a number counts as missing") << "1000" << "N/A" << "128" << "" << true << "872" << "128" << "320x240";
        QTest::newRow("audio not a number counts as missing") << "1000" << "900" << "x1" << "" << true << "900" << "100" << "320x240";
        QTest::newRow("no total: not added") << "" << "900" << "100" << "" << false << "" << "" << "";
        QTest::newRow("total not a number: not added") << "N/A" << "900" << "100" << "" << false << "" << "" << "";
    }

    void completion()
    {
        QFETCH(QString, total);
        QFETCH(QString, video);
        QFETCH(QString, audio);
        QFETCH(QString, frame);
        QFETCH(bool, added);
        ProbeResult p;
        p.TotalKbps = total;
        p.VideoKbps = video;
        p.AudioKbps = audio;
        p.FrameSize = frame;
        p.DurationText = QStringLiteral("00:01:00");
        const std::optional<Toriginalinfo> info = CompleteProbe(QStringLiteral("/m/a b.avi"), p);
        QCOMPARE(info.has_value(), added);
        if (!added)
            return;
        QTEST(info->VideoKbps, "videoOut");
        QTEST(info->AudioKbps, "audioOut");
        QTEST(info->FrameSize, "frameOut");
        QCOMPARE(info->SourcePath, QStringLiteral("/m/a b.avi"));
        QCOMPARE(info->DurationText, QStringLiteral("00:01:00"));
    }

    void duration_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("seconds");
        QTest::newRow("01:02:03") << "01:02:03" << 3723;
        QTest::newRow("99:59:59") << "99:59:59" << 359999;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("one-digit hours") << "1:02:03" << 0;
        QTest::newRow("N/A") << "N/A, sta" << 0;
    }

    void duration()
    {
        QFETCH(QString, text);
        QTEST(ParseDurationText(text), "seconds");
    }

    void quoting()
    {
        QCOMPARE(QuoteIfSpaced(QStringLiteral("/a/b.avi")), QStringLiteral("/a/b.avi"));
        QCOMPARE(QuoteIfSpaced(QStringLiteral("/My Video/b.avi")), QStringLiteral("\"/My Video/b.avi\""));
        QCOMPARE(CaptionOf(QStringLiteral("/x.y/clip.final.avi")), QStringLiteral("clip.final"));
        QCOMPARE(CaptionOf(QStringLiteral("/x.y/noext")), QStringLiteral("noext"));
    }

    void folderEntries_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("single");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<bool>("taken");
        const QString avi = QStringLiteral("AVI files (*.avi)|*.avi");
        QTest::newRow("CLIP.AVI") << "CLIP.AVI" << true << "" << true;
        QTest::newRow("clip.avi.txt") << "clip.avi.txt" << true << "" << false;
        QTest::newRow("folder x.avi") << "x.avi" << true << "" << true;
        QTest::newRow("mkv is not on the list") << "a.mkv" << true << "" << false;
        QTest::newRow("no extension") << "README" << true << "" << false;
        QTest::newRow("edition filter") << "a.AVI" << false << avi << true;
        QTest::newRow("not in the edition filter") << "a.mp4" << false << avi << false;
        QTest::newRow("no extension, other direction") << "avi" << false << avi << false;
        QTest::newRow("a part of a filter word counts") << "a.av" << false << avi << true;
    }

    void folderEntries()
    {
        QFETCH(QString, name);
        QFETCH(bool, single);
        QFETCH(QString, filter);
        QTEST(TakeFolderEntry(name, single, filter), "taken");
    }

    void qtFilters()
    {
        const QStringList entries = ToQtFilter(OpenDialog1Filter).split(QStringLiteral(";;"));
        QCOMPARE(entries.size(), 12);
        QVERIFY(entries[0].startsWith(QLatin1String("All Support Format (*.avi *.mpg *.mpeg *.wmv ")));
        QVERIFY(entries[0].endsWith(QLatin1String(" *.h264 *.xwmv *.yuv)")));
        QCOMPARE(entries[1], QStringLiteral("WMV Format (*.wmv *.asf *.asx)"));
        QCOMPARE(entries[6], QStringLiteral("MP4 Format (*.mp4 *.m4v *m4a)"));
        QCOMPARE(entries[10], QStringLiteral("FLV Format (*,flv)"));
        QCOMPARE(entries[11], QStringLiteral("All File (*)"));
        QCOMPARE(ToQtFilter(QStringLiteral("3GP files (*.3gp)|*.3gp;*.3gp2,*.3g2")),
                 QStringLiteral("3GP files (*.3gp *.3gp2,*.3g2)"));
        QCOMPARE(ToQtFilter(QStringLiteral("PSP Video Files|*.mp4")), QStringLiteral("PSP Video Files (*.mp4)"));

        // The file dialog reads its patterns with this expression; every entry must match it.
        const QRegularExpression qtForm(
            QStringLiteral("^(.*)\\(([a-zA-Z0-9_.,*? +;#\\-\\[\\]@\\{\\}/!<>\\$%&=^~:\\|]*)\\)$"));
        for (const QString& e : entries)
            QVERIFY2(qtForm.match(e).hasMatch(), qPrintable(e));
    }
};

VC_TEST_MAIN(TestProbe)
#include "tst_probe.moc"
