// Black-box runs of the built register.dat with the real ffmpeg on clips made at test time:
// the probe report as the program's parser reads it, progress lines, names that look like
// protocols or hold quotes, every bad input, encoder snapping and AMR, and stops that leave no
// ffmpeg and no partial output behind.
#include "tests/support/Fixtures.h"
#include "tests/support/TestMain.h"
#include "tests/tools/RegisterRun.h"

#include <QtTest>

#include <signal.h>
#include <sys/types.h>
#include <unistd.h>

using namespace regtest;

namespace {

// The true average rate of a stream in kb/s: all its packet bytes over the file's duration.
double trueKbps(const QString& path, const QString& stream)
{
    QProcess p;
    p.start(QStringLiteral("ffprobe"), {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-select_streams"), stream,
                                        QStringLiteral("-show_entries"), QStringLiteral("packet=size"), QStringLiteral("-of"),
                                        QStringLiteral("csv=p=0"), path});
    p.waitForFinished(60000);
    qint64 bytes = 0;
    for (const QByteArray& l : p.readAllStandardOutput().split('\n'))
        bytes += l.trimmed().toLongLong();
    const double seconds = fixtures::probe(path, QStringLiteral("format=duration")).toDouble();
    return seconds > 0 ? bytes * 8.0 / seconds / 1000.0 : 0;
}

bool near(double value, double expected, double tolerance)
{
    return qAbs(value - expected) <= expected * tolerance + 2;
}

QStringList jobArgs(const QString& input, const QString& output, const QStringList& profile = {})
{
    // The pieces the program passes for a general profile, in its order.
    return QStringList{QStringLiteral("-y"), QStringLiteral("-i"), input, QStringLiteral("-r"), QStringLiteral("25"),
                       QStringLiteral("-b"), QStringLiteral("300000"), QStringLiteral("-ab"), QStringLiteral("128000"),
                       QStringLiteral("-ac"), QStringLiteral("2"), QStringLiteral("-aspect"), QStringLiteral("1.3333"),
                       QStringLiteral("-s"), QStringLiteral("320x240"), QStringLiteral("-ar"), QStringLiteral("44100")}
           + profile + QStringList{output};
}

} // namespace

class TstRegisterE2e : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString clips_;

    QString clip(const char* name) const { return clips_ + QLatin1Char('/') + QLatin1String(name); }
    QString freshFolder(const QString& name)
    {
        const QString f = dir_.path() + QLatin1Char('/') + name;
        QDir().mkpath(f);
        QFile::setPermissions(f, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::WriteOther
                                     | QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup | QFile::WriteGroup);
        return f;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QFile::exists(program()));
        clips_ = dir_.path() + QStringLiteral("/clips");
        QDir().mkpath(clips_);
        QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
        QFile::setPermissions(clips_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
        QVERIFY(fixtures::makeClip(clip("av.avi"), 2.0));
        QVERIFY(fixtures::makeClip(clip("av.mp4"), 2.0, QStringLiteral("320x240"),
                                   {QStringLiteral("-pix_fmt"), QStringLiteral("yuv420p")}));
        QVERIFY(fixtures::makeClip(clip("nostats.mkv"), 2.0, QStringLiteral("320x240"),
                                   {QStringLiteral("-c:v"), QStringLiteral("libx264"), QStringLiteral("-b:v"), QStringLiteral("600k"),
                                    QStringLiteral("-c:a"), QStringLiteral("libvorbis"), QStringLiteral("-b:a"), QStringLiteral("96k")}));
        QVERIFY(fixtures::makeClip(clip("mpeg1.mpg"), 2.0, QStringLiteral("352x288"),
                                   {QStringLiteral("-c:v"), QStringLiteral("mpeg1video"), QStringLiteral("-b:v"), QStringLiteral("800k")}));
        QVERIFY(fixtures::makeVideoOnly(clip("video.mp4"), 2.0, QStringLiteral("176x144")));
        QVERIFY(fixtures::makeAudioOnly(clip("audio.mp3"), 2.0));
        QVERIFY(fixtures::makeClip(clip("odd.avi"), 1.0, QStringLiteral("321x241")));
        // Uncompressed sound: "The Original Audio Quliay" passes its 1536 or 1411 kb/s.
        QVERIFY(fixtures::makeClip(clip("pcm48.mkv"), 1.0, QStringLiteral("320x240"),
                                   {"-c:a", "pcm_s16le", "-ar", "48000", "-ac", "2"}));
        QVERIFY(fixtures::ffmpeg({"-f", "lavfi", "-i", "sine=frequency=440:sample_rate=44100:duration=1", "-ac", "2",
                                  "-c:a", "pcm_s16le", clip("pcm44.wav")}));
        // HD pictures for "The original width and height" of the RealMedia profiles, detailed
        // enough that a key picture at full size overflows a RealMedia packet.
        for (const char* size : {"1920x1080", "1280x720"})
            QVERIFY(fixtures::ffmpeg({"-f", "lavfi", "-i", QStringLiteral("testsrc2=size=%1:rate=25:duration=1").arg(QLatin1String(size)),
                                      "-f", "lavfi", "-i", "sine=frequency=440:sample_rate=48000:duration=1", "-c:v", "libx264",
                                      "-preset", "ultrafast", "-pix_fmt", "yuv420p", "-c:a", "aac",
                                      clips_ + QStringLiteral("/hd%1.mkv").arg(QLatin1String(size))}));
        // Twenty seconds converted at real-time speed give the stop tests a job that runs.
        QVERIFY(fixtures::makeClip(clip("long.avi"), 20.0, QStringLiteral("160x120")));
        QFile text(clip("notes.txt"));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("These are not pictures.\n");
    }

    void probe_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("frameSize");
        QTest::addColumn<bool>("hasVideo");
        QTest::addColumn<bool>("hasAudio");
        QTest::newRow("avi video+audio") << "av.avi" << "320x240" << true << true;
        QTest::newRow("mp4 video+audio") << "av.mp4" << "320x240" << true << true;
        QTest::newRow("mkv without stream rates") << "nostats.mkv" << "320x240" << true << true;
        QTest::newRow("mpeg-1 header maximum") << "mpeg1.mpg" << "352x288" << true << true;
        QTest::newRow("video only") << "video.mp4" << "176x144" << true << false;
        QTest::newRow("audio only") << "audio.mp3" << "" << false << true;
    }
    void probe()
    {
        QFETCH(QString, file);
        QFETCH(QString, frameSize);
        QFETCH(bool, hasVideo);
        QFETCH(bool, hasAudio);
        const QString path = clip(file.toLatin1().constData());
        const Run r = run({QStringLiteral("-i"), path});
        QCOMPARE(r.code, 0);
        // Every line ends in CR LF.
        QVERIFY(r.out.endsWith("\r\n"));
        QCOMPARE(r.out.count('\n'), r.out.count("\r\n"));
        const ProbeResult p = parseProbe(r.out);
        QCOMPARE(p.duration, QStringLiteral("00:00:02"));
        QCOMPARE(p.frameSize, frameSize);
        const double total = QFileInfo(path).size() * 8.0 / 2.0 / 1000.0;
        QVERIFY2(near(p.total.toDouble(), total, 0.1), qPrintable(p.total + QStringLiteral(" vs ") + QString::number(total)));
        if (hasVideo) {
            const double v = trueKbps(path, QStringLiteral("v:0"));
            QVERIFY2(near(p.video.toDouble(), v, 0.15), qPrintable(p.video + QStringLiteral(" vs ") + QString::number(v)));
        } else {
            QVERIFY(p.video.isEmpty());
        }
        if (hasAudio) {
            const double a = trueKbps(path, QStringLiteral("a:0"));
            QVERIFY2(near(p.audio.toDouble(), a, 0.15), qPrintable(p.audio + QStringLiteral(" vs ") + QString::number(a)));
        } else {
            QVERIFY(p.audio.isEmpty());
        }
    }

    void probeOfNoMedia_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("text file") << "notes.txt";
        QTest::newRow("directory") << ".";
        QTest::newRow("missing") << "missing.avi";
    }
    void probeOfNoMedia()
    {
        QFETCH(QString, path);
        const Run r = run({QStringLiteral("-i"), clips_ + QLatin1Char('/') + path});
        QVERIFY(r.code != 0);
        QVERIFY(!r.out.contains("bitrate:"));
        QVERIFY(parseProbe(r.out + r.err).total.isEmpty());
        QVERIFY(!r.err.trimmed().isEmpty());
    }

    void progressOfAConversion()
    {
        const QString out = freshFolder(QStringLiteral("progress")) + QStringLiteral("/av.mp4");
        const Run r = run(jobArgs(clip("av.avi"), out));
        QCOMPARE(r.code, 0);
        QVERIFY(!r.out.contains('\n'));
        const QList<QByteArray> lines = r.out.split('\r');
        QVERIFY(lines.size() >= 2);
        QVERIFY(lines.last().isEmpty());  // the last line ends in CR too
        long long last = -1;
        for (const QByteArray& l : lines.mid(0, lines.size() - 1)) {
            QVERIFY2(QRegularExpression(QStringLiteral("^frame= *\\d+ .*time=\\d+\\.\\d\\d bitrate=")).match(QString::fromLatin1(l)).hasMatch(),
                     l.constData());
            const long long s = progressSeconds(l);
            QVERIFY(s >= last);
            last = s;
        }
        QCOMPARE(last, 2LL);
        QCOMPARE(fixtures::probe(out, QStringLiteral("stream=width,height"), QStringLiteral("v:0")),
                 QStringLiteral("320\n240"));
        QVERIFY(qAbs(fixtures::probe(out, QStringLiteral("format=duration")).toDouble() - 2.0) < 0.2);
        // "-b" (video) leaves the audio rate of "-ab" alone.
        const double audioKbps = fixtures::probe(out, QStringLiteral("stream=bit_rate"), QStringLiteral("a:0")).toDouble() / 1000;
        QVERIFY2(near(audioKbps, 128, 0.15), qPrintable(QString::number(audioKbps)));
    }

    void outputFormatOutsideTheTable()
    {
        // An extension ffmpeg knows but the transcoder's table does not: a hidden stand-in
        // file takes the output until it is complete.
        const QString folder = freshFolder(QStringLiteral("nut"));
        const Run r = run(jobArgs(clip("av.avi"), folder + QStringLiteral("/clip.nut")));
        QVERIFY2(r.code == 0, r.err.right(600).constData());
        QCOMPARE(allEntries(folder), QStringList{QStringLiteral("clip.nut")});
        QCOMPARE(fixtures::probe(folder + QStringLiteral("/clip.nut"), QStringLiteral("format=format_name")), QStringLiteral("nut"));
        const Run bad = run(jobArgs(clip("notes.txt"), folder + QStringLiteral("/bad.nut")));
        QVERIFY(bad.code != 0);
        QCOMPARE(allEntries(folder), QStringList{QStringLiteral("clip.nut")});
    }

    void namesThatLookLikeProtocols_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("output");
        QTest::newRow("pipe") << "pipe:1.avi" << "pipe:2.mp4";
        QTest::newRow("concat") << "concat:a|b.avi" << "concat:c|d.avi";
        QTest::newRow("http") << "http:x.mp4" << "http:y.flv";
        QTest::newRow("quotes and spaces") << "say \"hi\" 'there'.avi" << "a \"b\" c.wmv";
        QTest::newRow("leading dash") << "-odd name.avi" << "-odd out.avi";
    }
    void namesThatLookLikeProtocols()
    {
        QFETCH(QString, input);
        QFETCH(QString, output);
        const QString folder = freshFolder(QStringLiteral("names-") + QString::number(qHash(input)));
        QVERIFY(QFile::copy(clip("av.avi"), folder + QLatin1Char('/') + input));
        // Relative names in the working directory, where ffmpeg would read a protocol.
        const Run p = run({QStringLiteral("-i"), input}, folder);
        QCOMPARE(p.code, 0);
        QCOMPARE(parseProbe(p.out).frameSize, QStringLiteral("320x240"));
        const Run c = run(jobArgs(input, output), folder);
        QVERIFY2(c.code == 0, c.err.right(600).constData());
        QVERIFY(QFileInfo(folder + QLatin1Char('/') + output).size() > 1000);
        QCOMPARE(allEntries(folder).size(), 2);
    }

    void badInputs_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("outputFolder");
        QTest::addColumn<int>("expectedCode");   // -1: any non-zero
        QTest::addColumn<QString>("reason");      // text expected on standard error
        QTest::addColumn<QString>("mode");        // "", "nobody", "fullDisk", "noFfmpeg"
        QTest::newRow("missing input") << "missing.avi" << "out" << 1 << "No such file or directory" << "";
        QTest::newRow("non-media") << "notes.txt" << "out" << 1 << "Invalid data found" << "";
        QTest::newRow("directory") << "." << "out" << 1 << "Is a directory" << "";
        QTest::newRow("unreadable") << "secret.avi" << "out" << 1 << "Permission denied" << "nobody";
        QTest::newRow("output folder missing") << "av.avi" << "no/such/folder" << 105 << "does not exist" << "";
        QTest::newRow("output folder read-only") << "av.avi" << "readonly" << 105 << "cannot write in output folder" << "nobody";
        QTest::newRow("full disk") << "long.avi" << "out" << -1 << "File too large" << "fullDisk";
        QTest::newRow("ffmpeg missing") << "av.avi" << "out" << 101 << "ffmpeg was not found" << "noFfmpeg";
    }
    void badInputs()
    {
        QFETCH(QString, input);
        QFETCH(QString, outputFolder);
        QFETCH(int, expectedCode);
        QFETCH(QString, reason);
        QFETCH(QString, mode);
        const QString base = freshFolder(QStringLiteral("bad-") + QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('_')));
        const QString out = base + QLatin1Char('/') + outputFolder;
        if (outputFolder != QLatin1String("no/such/folder"))
            QVERIFY(QDir().mkpath(out));
        QFile::setPermissions(out, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::WriteOther
                                       | QFile::ExeOther);
        if (outputFolder == QLatin1String("readonly"))
            QFile::setPermissions(out, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
        QString in = clips_ + QLatin1Char('/') + input;
        if (input == QLatin1String("secret.avi")) {
            in = base + QStringLiteral("/secret.avi");
            QVERIFY(QFile::copy(clip("av.avi"), in));
            QFile::setPermissions(in, QFile::ReadOwner);
        }
        QStringList prefix;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        QStringList profile;
        if (mode == QLatin1String("nobody")) {
            if (getuid() != 0 && input == QLatin1String("secret.avi"))
                QSKIP("needs root to run the transcoder as another user");
            if (getuid() == 0)  // root reads and writes everything: run as an ordinary user
                prefix = {QStringLiteral("setpriv"), QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                          QStringLiteral("--clear-groups")};
        } else if (mode == QLatin1String("fullDisk")) {
            // A file-size limit with SIGXFSZ ignored: writes fail as on a full disk.
            prefix = {QStringLiteral("bash"), QStringLiteral("-c"), QStringLiteral("trap '' XFSZ; exec prlimit --fsize=300000 \"$@\""),
                      QStringLiteral("limit")};
            profile = {QStringLiteral("-vcodec"), QStringLiteral("mpeg4"), QStringLiteral("-q:v"), QStringLiteral("1")};
        } else if (mode == QLatin1String("noFfmpeg")) {
            env.insert(QStringLiteral("VC_FFMPEG"), QStringLiteral("/nonexistent/ffmpeg"));
        }
        const Run r = run(jobArgs(in, out + QStringLiteral("/result.avi"), profile), QString(), env, prefix);
        QVERIFY(r.normalExit);
        if (expectedCode < 0)
            QVERIFY(r.code != 0);
        else
            QCOMPARE(r.code, expectedCode);
        QVERIFY2(r.err.contains(reason.toUtf8()), r.err.right(800).constData());
        if (QFileInfo::exists(out))
            QCOMPARE(allEntries(out), QStringList());
    }

    void incompleteOutputIsAFailure()
    {
        // An ffmpeg that reports a failed trailer yet exits 0, as ffmpeg 5.1 can.
        const QString folder = freshFolder(QStringLiteral("trailer"));
        const QString fake = folder + QStringLiteral("/fake-ffmpeg");
        QFile f(fake);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\nfor a; do last=\"$a\"; done\nprintf 'partial' > \"${last#file:}\"\n"
                "echo '[mp4 @ 0x1] Error writing trailer of out.mp4: No space left on device' >&2\nexit 0\n");
        f.close();
        QFile::setPermissions(fake, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("VC_FFMPEG"), fake);
        const QString outFolder = folder + QStringLiteral("/out");
        QDir().mkpath(outFolder);
        const Run r = run(jobArgs(clip("av.avi"), outFolder + QStringLiteral("/x.mp4")), QString(), env);
        QCOMPARE(r.code, 106);
        QVERIFY(r.err.contains("Error writing trailer"));
        QCOMPARE(allEntries(outFolder), QStringList());
    }

    void existingOutputIsNeverReplaced()
    {
        const QString folder = freshFolder(QStringLiteral("existing"));
        const QString out = folder + QStringLiteral("/clip.mp4");
        QFile user(out);
        QVERIFY(user.open(QIODevice::WriteOnly));
        user.write("the user's own file");
        user.close();
        const Run r = run(jobArgs(clip("av.avi"), out));
        QCOMPARE(r.code, 0);
        QFile again(out);
        QVERIFY(again.open(QIODevice::ReadOnly));
        QCOMPARE(again.readAll(), QByteArray("the user's own file"));
        QCOMPARE(fixtures::probe(folder + QStringLiteral("/clip_1.mp4"), QStringLiteral("stream=codec_name"), QStringLiteral("v:0")),
                 QStringLiteral("h264"));
        QVERIFY(r.err.contains("clip_1.mp4"));
        QCOMPARE(allEntries(folder).size(), 2);
    }

    void encoderSnapping_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QStringList>("pieces");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("stream");
        QTest::addColumn<QString>("expected");
        // A keep-source audio rate MP2 refuses goes to its nearest allowed rate.
        QTest::newRow("mp2 448k") << "av.avi" << "a.mpg"
                                  << QStringList{"-ab", "448000", "-ac", "2", "-ar", "44100"} << "stream=codec_name,bit_rate"
                                  << "a:0" << "mp2\n384000";
        // "The original width and height" of an odd-sized source, for encoders that refuse it.
        QTest::newRow("wmv2 odd") << "odd.avi" << "a.wmv" << QStringList{"-s", "321x241", "-vcodec", "wmv2"}
                                  << "stream=codec_name,width,height" << "v:0" << "wmv2\n322\n242";
        QTest::newRow("x264 odd") << "odd.avi" << "a.mp4" << QStringList{"-s", "321x241", "-aspect", "1.3320"}
                                  << "stream=codec_name,width,height" << "v:0" << "h264\n322\n242";
        QTest::newRow("rv10") << "odd.avi" << "a.rm" << QStringList{"-s", "321x241"} << "stream=codec_name,width,height"
                              << "v:0" << "rv10\n320\n240";
        QTest::newRow("h263 3gp") << "odd.avi" << "a.3gp"
                                  << QStringList{"-s", "321x241", "-ab", "12200", "-ac", "1", "-ar", "8000"}
                                  << "stream=codec_name,width,height" << "v:0" << "h263\n352\n288";
        QTest::newRow("mp4 with a foreign tag") << "av.avi" << "t.mp4"
                                                << QStringList{"-vcodec", "libx264", "-pix_fmt", "yuv420p", "-vtag", "XVID", "-f", "mp4"}
                                                << "stream=codec_name,codec_tag_string" << "v:0" << "h264\navc1";
        // AMR-NB from libavcodec-extra, for ".amr" and the audio of ".3gp".
        QTest::newRow("amr") << "av.avi" << "a.amr" << QStringList{"-ab", "12200", "-ac", "1", "-ar", "8000"}
                             << "stream=codec_name,sample_rate,channels" << "a:0" << "amr_nb\n8000\n1";
        QTest::newRow("3gp audio") << "av.avi" << "b.3gp"
                                   << QStringList{"-r", "25", "-b", "200000", "-ab", "7400", "-ac", "1", "-s", "176x144", "-ar", "8000"}
                                   << "stream=codec_name,sample_rate,channels" << "a:0" << "amr_nb\n8000\n1";
    }
    void encoderSnapping()
    {
        QFETCH(QString, input);
        QFETCH(QString, output);
        QFETCH(QStringList, pieces);
        QFETCH(QString, entry);
        QFETCH(QString, stream);
        const QString folder = freshFolder(QStringLiteral("snap"));
        const QString out = folder + QLatin1Char('/') + output;
        const Run r = run(QStringList{QStringLiteral("-y"), QStringLiteral("-i"), clip(input.toLatin1().constData())} + pieces
                          + QStringList{out});
        QVERIFY2(r.code == 0, r.err.right(800).constData());
        QTEST(fixtures::probe(out, entry, stream), "expected");
    }

    // "The Original Audio Quliay" of an uncompressed source, for every audio encoder the profiles
    // use, at the sample rates the program asks for (48000 above 192 kb/s; some profiles override).
    void keepSourceAudioRate_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QStringList>("pieces");
        QTest::addColumn<QString>("expected");
        const QStringList keep48{"-ab", "1536000", "-ac", "2", "-ar", "48000"};
        const QStringList keep44{"-ab", "1411000", "-ac", "2", "-ar", "48000"};
        QTest::newRow("vorbis 48k") << "pcm48.mkv" << "a.ogg" << keep48 + QStringList{"-vn", "-acodec", "libvorbis"}
                                    << "vorbis\n48000\n2";
        QTest::newRow("vorbis 44.1k source") << "pcm44.wav" << "b.ogg" << keep44 + QStringList{"-vn", "-acodec", "libvorbis"}
                                             << "vorbis\n48000\n2";
        QTest::newRow("vorbis at 44100") << "pcm44.wav" << "c.ogg" << keep44 + QStringList{"-vn", "-acodec", "libvorbis", "-ar", "44100"}
                                         << "vorbis\n44100\n2";
        QTest::newRow("vorbis at 22050") << "pcm48.mkv" << "d.ogg" << keep48 + QStringList{"-vn", "-acodec", "libvorbis", "-ar", "22050"}
                                         << "vorbis\n22050\n2";
        QTest::newRow("vorbis mono") << "pcm48.mkv" << "e.ogg" << QStringList{"-ab", "1536000", "-ac", "1", "-ar", "48000", "-vn"}
                                     << "vorbis\n48000\n1";
        QTest::newRow("mp3") << "pcm48.mkv" << "a.mp3" << keep48 + QStringList{"-vn", "-acodec", "libmp3lame"} << "mp3\n48000\n2";
        QTest::newRow("mp3 flv rate") << "pcm44.wav" << "a.flv" << keep44 + QStringList{"-vcodec", "flv", "-acodec", "libmp3lame", "-ar", "44100"}
                                      << "mp3\n44100\n2";
        QTest::newRow("aac") << "pcm48.mkv" << "a.m4a" << keep48 + QStringList{"-vn", "-acodec", "aac"} << "aac\n48000\n2";
        QTest::newRow("ac3") << "pcm48.mkv" << "a.ac3" << keep48 + QStringList{"-vn", "-acodec", "ac3", "-ar", "48000"}
                             << "ac3\n48000\n2";
        QTest::newRow("ac3 in ra") << "pcm44.wav" << "a.ra" << keep44 + QStringList{"-vn", "-acodec", "ac3", "-ar", "48000"}
                                   << "ac3\n48000\n2";
        QTest::newRow("mp2") << "pcm48.mkv" << "a.mp2" << keep48 + QStringList{"-vn", "-acodec", "mp2"} << "mp2\n48000\n2";
        QTest::newRow("wma") << "pcm44.wav" << "a.wma" << keep44 + QStringList{"-vn", "-acodec", "wmav2"} << "wmav2\n48000\n2";
        QTest::newRow("wav") << "pcm48.mkv" << "a.wav" << keep48 + QStringList{"-vn", "-acodec", "pcm_s16le"}
                             << "pcm_s16le\n48000\n2";
        QTest::newRow("amr") << "pcm48.mkv" << "a.amr" << keep48 << "amr_nb\n8000\n1";
    }
    void keepSourceAudioRate()
    {
        QFETCH(QString, input);
        QFETCH(QString, output);
        QFETCH(QStringList, pieces);
        const QString out = freshFolder(QStringLiteral("keep-audio")) + QLatin1Char('/') + output;
        const Run r = run(QStringList{"-y", "-i", clip(input.toLatin1().constData())} + pieces + QStringList{out});
        QVERIFY2(r.code == 0, r.err.right(800).constData());
        QTEST(fixtures::probe(out, "stream=codec_name,sample_rate,channels", "a:0"), "expected");
        QVERIFY(fixtures::probe(out, "format=duration").toDouble() > 0.9);
    }

    // "The original width and height" of an HD source with the RealMedia profiles' pieces at
    // the highest video quality (6.25 kb/s a line): the picture shrinks to 720x576's area,
    // keeping its aspect, and no picture overflows a RealMedia packet.
    void realMediaFromHd_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("videoRate");
        QTest::addColumn<QString>("encoder");
        QTest::addColumn<QString>("expected");
        QTest::newRow("1080p rv10") << "hd1920x1080.mkv" << "6750000" << "rv10" << "rv10\n864\n480";
        QTest::newRow("1080p rv20") << "hd1920x1080.mkv" << "6750000" << "rv20" << "rv20\n856\n480";
        QTest::newRow("720p rv10") << "hd1280x720.mkv" << "4500000" << "rv10" << "rv10\n864\n480";
        QTest::newRow("720p rv20 source rate") << "hd1280x720.mkv" << "20000000" << "rv20" << "rv20\n856\n480";
    }
    void realMediaFromHd()
    {
        QFETCH(QString, input);
        QFETCH(QString, videoRate);
        QFETCH(QString, encoder);
        const QString size = input.mid(2, input.indexOf(u'.') - 2);
        const QString out = freshFolder(QStringLiteral("rm-hd")) + QStringLiteral("/") + QTest::currentDataTag() + QStringLiteral(".rm");
        const Run r = run({"-y", "-i", clip(input.toLatin1().constData()), "-r", "25", "-b", videoRate, "-ab", "128000", "-ac", "2",
                           "-aspect", "1.7778", "-s", size, "-ar", "44100", "-vcodec", encoder, "-pix_fmt", "yuv420p",
                           "-acodec", "ac3", "-ar", "48000", out});
        QVERIFY2(r.code == 0, r.err.right(800).constData());
        QTEST(fixtures::probe(out, "stream=codec_name,width,height", "v:0"), "expected");
        QCOMPARE(fixtures::probe(out, "stream=codec_name", "a:0"), QStringLiteral("ac3"));
        QVERIFY(fixtures::probe(out, "stream=bit_rate", "v:0").toLongLong() <= 4000000);
    }

    void stops_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("SIGTERM") << "TERM";
        QTest::newRow("SIGINT") << "INT";
        QTest::newRow("SIGHUP") << "HUP";
        QTest::newRow("SIGKILL") << "KILL";
        QTest::newRow("parent dies") << "parent";
    }
    void stops()
    {
        QFETCH(QString, how);
        const QString folder = freshFolder(QStringLiteral("stop-") + how);
        const QString input = folder + QStringLiteral("/source.avi");
        QVERIFY(QFile::copy(clip("long.avi"), input));
        const QStringList args = jobArgs(input, folder + QStringLiteral("/out.mp4"), {QStringLiteral("-vf"), QStringLiteral("realtime")});
        QProcess p;
        if (how == QLatin1String("parent")) {
            // A parent shell that is killed outright while the transcoder runs.
            QStringList shellArgs{QStringLiteral("-c"), QStringLiteral("\"$0\" \"$@\" & wait"), program()};
            p.start(QStringLiteral("sh"), shellArgs + args);
        } else {
            p.start(program(), args);
        }
        QVERIFY(p.waitForStarted());
        QByteArray out;
        QElapsedTimer t;
        t.start();
        while (progressSeconds(out.mid(out.lastIndexOf('\r', out.size() - 2) + 1)) < 1 && t.elapsed() < 30000) {
            p.waitForReadyRead(200);
            out += p.readAllStandardOutput();
        }
        QVERIFY2(t.elapsed() < 30000, "the job never reported progress");
        QVERIFY(!processesMentioning(input).isEmpty());
        QElapsedTimer stopTime;
        stopTime.start();
        if (how == QLatin1String("parent"))
            ::kill(static_cast<pid_t>(p.processId()), SIGKILL);
        else
            ::kill(static_cast<pid_t>(p.processId()),
                   how == QLatin1String("TERM") ? SIGTERM : how == QLatin1String("INT") ? SIGINT
                                                    : how == QLatin1String("HUP")       ? SIGHUP
                                                                                        : SIGKILL);
        QVERIFY(p.waitForFinished(10000));
        if (how != QLatin1String("KILL") && how != QLatin1String("parent")) {
            QCOMPARE(p.exitStatus(), QProcess::NormalExit);
            QCOMPARE(p.exitCode(), 108);
        }
        // No transcoder and no ffmpeg of this job remain, and nothing but the source is left.
        QCOMPARE(waitForNoProcess(input), QList<int>());
        QVERIFY(stopTime.elapsed() < 5000);
        QCOMPARE(allEntries(folder), QStringList{QStringLiteral("source.avi")});
    }
};

VC_TEST_MAIN(TstRegisterE2e)
#include "tst_register_e2e.moc"
