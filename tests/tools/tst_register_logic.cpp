// The transcoder's computing parts as tables: its command-line forms, the translation and
// snapping of output options, "vts://" references, the programme-stream scan, progress lines
// and the probe report built from ffprobe text.
#include "tests/support/TestMain.h"
#include "convert/ArgSplit.h"
#include "tools/register/CommandLine.h"
#include "tools/register/DvdReference.h"
#include "tools/register/ProbeReport.h"
#include "tools/register/Progress.h"

#include <QtTest>

#include <cstring>

#define RM_BUFFER "-maxrate|4000000|-bufsize|400000"

namespace {

QString joined(const std::vector<std::string>& v)
{
    QStringList l;
    for (const auto& s : v)
        l << QString::fromStdString(s);
    return l.join(QLatin1Char('|'));
}

// The program's progress rule: whole seconds between "time=" and the next ".".
long long progressSeconds(const std::string& line)
{
    const size_t t = line.find("time="), b = line.find("bitrate=");
    if (t == std::string::npos || b == std::string::npos || b < t)
        return 0;
    const size_t dot = line.find('.', t + 5);
    if (dot == std::string::npos || dot > b)
        return 0;
    return std::stoll(line.substr(t + 5, dot - t - 5));
}

// One 2048-byte MPEG-2 pack holding one PES packet of `sid` (substream `sub` for 0xBD).
std::vector<uint8_t> sector(int sid, int sub, bool scrambled)
{
    std::vector<uint8_t> s(2048, 0xFF);
    const uint8_t pack[14] = {0, 0, 1, 0xBA, 0x44, 0, 4, 0, 4, 1, 0x01, 0x89, 0xC3, 0xF8};
    std::memcpy(s.data(), pack, 14);
    size_t p = 14;
    const size_t len = 2048 - p - 6;
    const uint8_t pes[9] = {0, 0, 1, static_cast<uint8_t>(sid), static_cast<uint8_t>(len >> 8), static_cast<uint8_t>(len & 0xFF),
                            static_cast<uint8_t>(scrambled ? 0x90 : 0x80), 0, 0};
    std::memcpy(s.data() + p, pes, 9);
    if (sid == 0xBD)
        s[p + 9] = static_cast<uint8_t>(sub);
    return s;
}

} // namespace

class TstRegisterLogic : public QObject {
    Q_OBJECT
private slots:
    void commandLines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("probe");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("options");
        QTest::newRow("probe") << "-i a.avi" << true << true << "a.avi" << "" << "";
        QTest::newRow("conversion")
            << "-y -i \"/m y/a.avi\" -r 25 -b 799000 -ab 128000 -ac 2 -aspect 1.3333 -s 320x240 -ar 44100 -vcodec wmv2 \"/o/a b.wmv\""
            << true << false << "/m y/a.avi" << "/o/a b.wmv"
            << "-r|25|-b|799000|-ab|128000|-ac|2|-aspect|1.3333|-s|320x240|-ar|44100|-vcodec|wmv2";
        QTest::newRow("target") << "-y -i a.mpg -ac 2 -target pal-vcd out.mpg" << true << false << "a.mpg" << "out.mpg"
                                << "-ac|2|-target|pal-vcd";
        QTest::newRow("no arguments") << "" << false << false << "" << "" << "";
        QTest::newRow("no output") << "-y -i a.avi" << false << false << "" << "" << "";
        QTest::newRow("output is an option") << "-y -i a.avi -ac 2 -an" << false << false << "" << "" << "";
        QTest::newRow("no input") << "-y -ac 2 out.avi" << false << false << "" << "" << "";
        QTest::newRow("two inputs") << "-y -i a.avi -i b.avi out.avi" << false << false << "" << "" << "";
    }
    void commandLines()
    {
        QFETCH(QString, line);
        QFETCH(bool, ok);
        std::string error;
        const auto cl = reg::parseCommandLine(argsplit::Split(line.toStdString()), error);
        QCOMPARE(cl.has_value(), ok);
        if (!ok) {
            QVERIFY(!error.empty());
            return;
        }
        QTEST(cl->probe, "probe");
        QTEST(QString::fromStdString(cl->input), "input");
        QTEST(QString::fromStdString(cl->output), "output");
        QTEST(joined(cl->outputOptions), "options");
    }

    void outputPlans_data()
    {
        QTest::addColumn<QString>("options");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("muxer");
        // -b is the video rate and -ab the audio rate, whatever their order.
        QTest::newRow("legacy rates") << "-r 25 -b 799000 -ab 128000 -ac 2" << "x.avi"
                                      << "-r|25|-b:v|799000|-b:a|128000|-ac|2" << "avi";
        QTest::newRow("ab before b") << "-ab 96000 -b 500000" << "x.mp4" << "-b:a|96000|-b:v|500000" << "mp4";
        // MP2 takes only its table: 448 kb/s goes to 384, and at 22.05 kHz 192 to 160.
        QTest::newRow("mp2 448") << "-ab 448000 -ac 2 -ar 44100" << "x.mpg" << "-b:a|384000|-ac|2|-ar|44100" << "mpeg";
        QTest::newRow("mp2 lsf") << "-ab 192000 -ar 22050" << "x.mp2" << "-b:a|160000|-ar|22050" << "mp2";
        QTest::newRow("mp2 by codec") << "-ab 100000 -acodec mp2" << "x.mkv" << "-b:a|96000|-acodec|mp2" << "matroska";
        QTest::newRow("wma minimum") << "-ab 16000" << "x.wma" << "-b:a|24000" << "asf";
        // libvorbis: the range depends on the sample rate and the channels (PCM sources keep 1536k).
        QTest::newRow("vorbis 48k stereo") << "-ab 1536000 -ac 2 -ar 48000 -vn -acodec libvorbis" << "x.ogg"
                                           << "-b:a|500000|-ac|2|-ar|48000|-vn|-acodec|libvorbis" << "ogg";
        QTest::newRow("vorbis 44.1k mono") << "-ab 1411000 -ac 1 -ar 44100" << "x.ogg" << "-b:a|240000|-ac|1|-ar|44100" << "ogg";
        QTest::newRow("vorbis 22.05k high") << "-ab 320000 -ac 2 -ar 22050" << "x.ogg" << "-b:a|180000|-ac|2|-ar|22050" << "ogg";
        QTest::newRow("vorbis 22.05k low") << "-ab 16000 -ac 2 -ar 22050" << "x.ogg" << "-b:a|30000|-ac|2|-ar|22050" << "ogg";
        QTest::newRow("vorbis 32k") << "-ab 500000 -ac 2 -ar 32000" << "x.ogg" << "-b:a|380000|-ac|2|-ar|32000" << "ogg";
        QTest::newRow("vorbis 8k mono") << "-ab 64000 -ac 1 -ar 8000" << "x.ogg" << "-b:a|42000|-ac|1|-ar|8000" << "ogg";
        QTest::newRow("vorbis last ac wins") << "-ab 1536000 -ac 2 -ar 48000 -ac 1" << "x.ogg"
                                             << "-b:a|240000|-ac|2|-ar|48000|-ac|1" << "ogg";
        QTest::newRow("vorbis channels unknown") << "-ab 1536000 -ar 44100" << "x.mka" << "-b:a|240000|-ar|44100"
                                                 << "matroska";
        QTest::newRow("vorbis 5.1") << "-ab 1536000 -ac 6 -ar 48000" << "x.ogg" << "-b:a|1440000|-ac|6|-ar|48000" << "ogg";
        QTest::newRow("vorbis in range") << "-ab 128000 -ac 2 -ar 44100" << "x.ogg" << "-b:a|128000|-ac|2|-ar|44100" << "ogg";
        QTest::newRow("aac any rate") << "-ab 448000" << "x.m4a" << "-b:a|448000" << "ipod";
        // Odd sizes for libx264, wmv2 and xvid; rv10 multiples of 16, rv20 of 4; H.263 five sizes.
        QTest::newRow("x264 odd") << "-s 321x241 -aspect 1.3320" << "x.mp4" << "-s|322x242|-aspect|1.3320" << "mp4";
        QTest::newRow("wmv2 odd adds aspect") << "-s 321x241 -vcodec wmv2" << "x.wmv"
                                              << "-s|322x242|-aspect|321:241|-vcodec|wmv2" << "asf";
        QTest::newRow("xvid odd") << "-s 175x143 -vcodec libxvid -aspect 1.2238" << "x.avi"
                                  << "-s|176x144|-vcodec|libxvid|-aspect|1.2238" << "avi";
        QTest::newRow("mpeg4 keeps odd") << "-s 321x241 -aspect 1.3320" << "x.avi" << "-s|321x241|-aspect|1.3320" << "avi";
        // RealMedia video also gets a rate-control buffer that keeps each picture (one packet)
        // far below 64 kB.
        QTest::newRow("rv10") << "-s 330x250 -aspect 1.32" << "x.rm" << "-s|336x256|-aspect|1.32|" RM_BUFFER << "rm";
        QTest::newRow("rv20") << "-s 330x250 -aspect 1.32 -vcodec rv20" << "x.rm"
                              << "-s|332x252|-aspect|1.32|-vcodec|rv20|" RM_BUFFER << "rm";
        // HD pictures shrink to 720x576's area, keeping their aspect; the video rate has a ceiling.
        QTest::newRow("rm 1080p") << "-r 25 -b 6750000 -s 1920x1080 -aspect 1.7778" << "x.rm"
                                  << "-r|25|-b:v|4000000|-s|864x480|-aspect|1.7778|" RM_BUFFER << "rm";
        QTest::newRow("rm 720p rv20") << "-r 25 -b 2000000 -s 1280x720 -vcodec rv20" << "x.rm"
                                      << "-r|25|-b:v|2000000|-s|856x480|-aspect|1280:720|-vcodec|rv20|" RM_BUFFER << "rm";
        QTest::newRow("rm portrait") << "-s 1080x1920 -aspect 0.5625" << "x.rm" << "-s|480x864|-aspect|0.5625|" RM_BUFFER << "rm";
        QTest::newRow("rm slow frames") << "-r 5 -b 3000000" << "x.rm" << "-r|5|-b:v|2000000|-maxrate|2000000|-bufsize|400000"
                                        << "rm";
        QTest::newRow("rm own buffer") << "-b 300000 -maxrate 500k -bufsize 300k" << "x.rm"
                                       << "-b:v|300000|-maxrate|500k|-bufsize|300k" << "rm";
        QTest::newRow("ra audio only") << "-vn -ab 1536000 -acodec ac3 -ar 48000" << "x.ra"
                                       << "-vn|-b:a|1536000|-acodec|ac3|-ar|48000" << "rm";
        QTest::newRow("rv10 macroblock limit") << "-s 1920x1080 -vcodec rv10" << "x.avi"
                                               << "-s|1360x768|-aspect|1920:1080|-vcodec|rv10" << "avi";
        QTest::newRow("h263 3gp") << "-s 320x240 -aspect 1.3333" << "x.3gp" << "-s|352x288|-aspect|1.3333|-ac|1|-ar|8000" << "3gp";
        QTest::newRow("h263 small") << "-s 160x120 -aspect 1.3333" << "x.3gp" << "-s|176x144|-aspect|1.3333|-ac|1|-ar|8000" << "3gp";
        // AMR-NB is mono at 8 kHz; its own rates.
        QTest::newRow("amr") << "-ab 12200 -ac 2 -ar 44100" << "x.amr" << "-b:a|12200|-ac|1|-ar|8000" << "amr";
        QTest::newRow("amr unnamed rate") << "-ab 12200" << "x.amr" << "-b:a|12200|-ac|1|-ar|8000" << "amr";
        QTest::newRow("amr rate") << "-ab 13000 -ac 1 -ar 8000" << "x.3gp" << "-b:a|12200|-ac|1|-ar|8000" << "3gp";
        QTest::newRow("target keeps options") << "-ac 2 -target pal-vcd" << "x.mpg" << "-ac|2|-target|pal-vcd" << "vcd";
        // An ISO media container refuses a foreign codec tag; AVI takes it.
        QTest::newRow("explicit format") << "-vcodec libx264 -pix_fmt yuv420p -vtag XVID -f mp4" << "x.avi"
                                         << "-vcodec|libx264|-pix_fmt|yuv420p|-f|mp4" << "mp4";
        QTest::newRow("avi keeps its tag") << "-vcodec libx264 -vtag XVID" << "x.avi" << "-vcodec|libx264|-vtag|XVID" << "avi";
        // Options and encoder names that ffmpeg 5.1 no longer knows.
        QTest::newRow("old names") << "-acodec libfaac -vcodec xvid -sameq" << "x.avi"
                                   << "-acodec|aac|-vcodec|libxvid|-q:v|2" << "avi";
        QTest::newRow("old amr") << "-acodec libamr_nb -ab 13000 -deinterlace" << "x.3gp"
                                 << "-acodec|libopencore_amrnb|-b:a|12200|-vf|yadif|-ac|1|-ar|8000" << "3gp";
        QTest::newRow("unknown extension") << "-ab 128000" << "x.zzz" << "-b:a|128000" << "";
        QTest::newRow("no audio no snap") << "-an -ab 448000" << "x.mpg" << "-an|-b:a|448000" << "mpeg";
    }
    void outputPlans()
    {
        QFETCH(QString, options);
        QFETCH(QString, output);
        const reg::OutputPlan plan = reg::planOutput(argsplit::Split(options.toStdString()), output.toStdString());
        QTEST(joined(plan.options), "expected");
        QTEST(QString::fromStdString(plan.muxer), "muxer");
    }

    void dvdReferences_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("vts");
        QTest::addColumn<qlonglong>("start");
        QTest::addColumn<qlonglong>("end");
        QTest::addColumn<int>("audio");
        QTest::addColumn<int>("sub");
        QTest::addColumn<QString>("root");
        QTest::newRow("title") << "vts://01*0*4242*0x80*0*//media/dvd" << true << 1 << 0LL << 4242LL << 0x80 << 0 << "/media/dvd";
        QTest::newRow("chapter") << "vts://02*100*200*0xC1*0x21*//d/My DVD" << true << 2 << 100LL << 200LL << 0xC1 << 0x21
                                 << "/d/My DVD";
        QTest::newRow("no audio, empty root") << "vts://01*5*5*0*0*/" << true << 1 << 5LL << 5LL << 0 << 0 << "";
        QTest::newRow("upper-case hex") << "vts://01*0*1*0X8A*0X3F*//r" << true << 1 << 0LL << 1LL << 0x8A << 0x3F << "/r";
        for (const char* bad : {"vts://01*0*10*0x80*/r", "vts://01*0*10*0x80*0*r", "vts://xx*0*10*0x80*0*//r",
                                "vts://00*0*10*0x80*0*//r", "vts://01*-5*10*0x80*0*//r", "vts://01*0*1e3*0x80*0*//r",
                                "vts://01*20*10*0x80*0*//r", "vts://01*0*10*80*0*//r", "vts://01*0*10*0xZZ*0*//r",
                                "vts://01*0*10*0x20*0*//r", "vts://01*0*10*0x80*0x80*//r", "vts:/01*0*10*0x80*0*//r"})
            QTest::newRow(bad) << bad << false << 0 << 0LL << 0LL << 0 << 0 << "";
    }
    void dvdReferences()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        std::string error;
        const auto ref = reg::parseDvdReference(text.toStdString(), error);
        QCOMPARE(ref.has_value(), ok);
        if (!ok) {
            QVERIFY(!error.empty());
            QVERIFY(error.find('\n') == std::string::npos);
            return;
        }
        QTEST(ref->titleSet, "vts");
        QTEST(static_cast<qlonglong>(ref->start), "start");
        QTEST(static_cast<qlonglong>(ref->end), "end");
        QTEST(ref->audioId, "audio");
        QTEST(ref->subpictureId, "sub");
        QTEST(QString::fromStdString(ref->root), "root");
    }

    void streamScan()
    {
        QCOMPARE(reg::ffmpegStreamId(0x80), 0x80);
        QCOMPARE(reg::ffmpegStreamId(0xC0), 0x1C0);
        QCOMPARE(reg::ffmpegStreamId(0x20), 0x20);
        std::vector<uint8_t> buf;
        for (auto s : {sector(0xE0, 0, false), sector(0xBD, 0x80, false), sector(0xC0, 0, false), sector(0xBD, 0x21, false)})
            buf.insert(buf.end(), s.begin(), s.end());
        QCOMPARE(reg::firstPacketOffset(buf.data(), buf.size(), 0x80), 2048LL + 14);
        QCOMPARE(reg::firstPacketOffset(buf.data(), buf.size(), 0xC0), 2 * 2048LL + 14);
        QCOMPARE(reg::firstPacketOffset(buf.data(), buf.size(), 0x21), 3 * 2048LL + 14);
        QCOMPARE(reg::firstPacketOffset(buf.data(), buf.size(), 0x20), -1LL);
        QVERIFY(!reg::anyScrambled(buf.data(), buf.size()));
        const auto enc = sector(0xE0, 0, true);
        buf.insert(buf.end(), enc.begin(), enc.end());
        QVERIFY(reg::anyScrambled(buf.data(), buf.size()));
    }

    void progressLines()
    {
        reg::ProgressReader reader;
        const std::string first = "frame=100\nfps=25.00\nstream_0_0_q=2.0\nbitrate= 614.4kbits/s\ntotal_size=307200\n"
                                  "out_time_us=4000000\nout_time_ms=4000000\nout_time=00:00:04.000000\nspeed=1.0x\nprogr";
        QVERIFY(reader.feed(first.data(), first.size()).empty());  // a block split across reads waits
        const auto lines = reader.feed("ess=continue\n", 13);
        QCOMPARE(lines.size(), size_t(1));
        const std::string& l = lines[0];
        QCOMPARE(l.back(), '\r');
        QVERIFY(l.find('\n') == std::string::npos);
        QVERIFY2(l.find("time=4.00 bitrate=614.4kbits/s") != std::string::npos, l.c_str());
        QVERIFY(l.find("size=     300kB") != std::string::npos);
        QCOMPARE(progressSeconds(l), 4LL);

        const std::string late = "out_time_us=3723450000\nbitrate=N/A\nprogress=end\nout_time_us=N/A\nprogress=continue\n"
                                 "out_time_us=-23000\nprogress=continue\n";
        const auto more = reader.feed(late.data(), late.size());
        QCOMPARE(more.size(), size_t(3));
        QCOMPARE(progressSeconds(more[0]), 3723LL);  // whole seconds, not HH:MM:SS
        QVERIFY(more[1].find("time=0.00 ") != std::string::npos);
        QVERIFY(more[2].find("time=0.00 ") != std::string::npos);
    }

    void probeReport_data()
    {
        QTest::addColumn<QString>("ffprobe");
        QTest::addColumn<QStringList>("expectedLines");
        QTest::addColumn<bool>("needsSample");
        const QString aviStreams = QStringLiteral(
            "[STREAM]\nindex=0\ncodec_name=mpeg4\ncodec_type=video\nprofile=Simple Profile\nwidth=640\nheight=480\n"
            "pix_fmt=yuv420p\navg_frame_rate=25/1\nbit_rate=800000\nDISPOSITION:attached_pic=0\n[/STREAM]\n"
            "[STREAM]\nindex=1\ncodec_name=mp3\ncodec_type=audio\nsample_rate=44100\nchannels=2\nchannel_layout=stereo\n"
            "bit_rate=128000\nDISPOSITION:attached_pic=0\n[/STREAM]\n"
            "[FORMAT]\nformat_name=avi\nduration=3723.450000\nsize=432000000\nbit_rate=928000\n[/FORMAT]\n");
        QTest::newRow("stream figures")
            << aviStreams
            << QStringList{"Input #0, avi:", "  Duration: 01:02:03.45, bitrate: 928 kb/s",
                           "  Stream #0:0: Video: 640x480, mpeg4 (Simple Profile), yuv420p, 25 fps, 800 kb/s",
                           "  Stream #0:1: Audio: mp3, 44100 Hz, stereo, 128 kb/s"}
            << false;
        // MPEG-1 reports its header maximum: the video gets the total less the audio instead.
        QTest::newRow("mpeg1 maximum")
            << QStringLiteral("[STREAM]\nindex=0\ncodec_name=mpeg1video\ncodec_type=video\nwidth=352\nheight=288\n"
                              "bit_rate=104857200\n[/STREAM]\n[STREAM]\nindex=1\ncodec_name=mp2\ncodec_type=audio\n"
                              "sample_rate=44100\nchannels=2\nbit_rate=224000\n[/STREAM]\n"
                              "[FORMAT]\nformat_name=mpeg\nduration=10.0\nsize=1755000\nbit_rate=1404000\n[/FORMAT]\n")
            << QStringList{"Input #0, mpeg:", "  Duration: 00:00:10.00, bitrate: 1404 kb/s",
                           "  Stream #0:0: Video: 352x288, mpeg1video, 1180 kb/s",
                           "  Stream #0:1: Audio: mp2, 44100 Hz, 2 channels, 224 kb/s"}
            << false;
        // Matroska statistics tags; a cover picture is not the video.
        QTest::newRow("bps tags, cover")
            << QStringLiteral("[STREAM]\nindex=0\ncodec_name=mjpeg\ncodec_type=video\nwidth=600\nheight=600\n"
                              "DISPOSITION:attached_pic=1\n[/STREAM]\n"
                              "[STREAM]\nindex=1\ncodec_name=h264\ncodec_type=video\nwidth=1280\nheight=720\nbit_rate=N/A\n"
                              "TAG:BPS=2500000\nTAG:DURATION=00:00:05.000000000\n[/STREAM]\n"
                              "[STREAM]\nindex=2\ncodec_name=vorbis\ncodec_type=audio\nsample_rate=48000\nchannels=2\n"
                              "TAG:BPS-eng=160000\n[/STREAM]\n"
                              "[FORMAT]\nformat_name=matroska,webm\nduration=N/A\nsize=1700000\nbit_rate=N/A\n[/FORMAT]\n")
            << QStringList{"Input #0, matroska,webm:", "  Duration: 00:00:05.00, bitrate: 2720 kb/s",
                           "  Stream #0:0: Cover picture: mjpeg", "  Stream #0:1: Video: 1280x720, h264, 2500 kb/s",
                           "  Stream #0:2: Audio: vorbis, 48000 Hz, 2 channels, 160 kb/s"}
            << false;
        // No stream figures: the sample shares out the total in proportion to the bytes.
        QTest::newRow("sampled")
            << QStringLiteral("[PACKET]\nstream_index=0\npts_time=0.0\nduration_time=0.04\nsize=30000\n[/PACKET]\n"
                              "[PACKET]\nstream_index=1\npts_time=0.0\nduration_time=0.02\nsize=10000\n[/PACKET]\n"
                              "[STREAM]\nindex=0\ncodec_name=h264\ncodec_type=video\nwidth=320\nheight=240\n[/STREAM]\n"
                              "[STREAM]\nindex=1\ncodec_name=vorbis\ncodec_type=audio\nsample_rate=44100\nchannels=1\n[/STREAM]\n"
                              "[FORMAT]\nformat_name=matroska,webm\nduration=2.0\nsize=100000\nbit_rate=400000\n[/FORMAT]\n")
            << QStringList{"Input #0, matroska,webm:", "  Duration: 00:00:02.00, bitrate: 400 kb/s",
                           "  Stream #0:0: Video: 320x240, h264, 300 kb/s",
                           "  Stream #0:1: Audio: vorbis, 44100 Hz, 1 channels, 100 kb/s"}
            << true;
        // No duration and no total: the "bitrate:" line stands alone and the sample's sum is used.
        QTest::newRow("raw stream")
            << QStringLiteral("[PACKET]\nstream_index=0\npts_time=0.0\nduration_time=1.0\nsize=50000\n[/PACKET]\n"
                              "[STREAM]\nindex=0\ncodec_name=h264\ncodec_type=video\nwidth=176\nheight=144\n[/STREAM]\n"
                              "[FORMAT]\nformat_name=h264\nduration=N/A\nsize=N/A\nbit_rate=N/A\n[/FORMAT]\n")
            << QStringList{"Input #0, h264:", "  bitrate: 400 kb/s", "  Stream #0:0: Video: 176x144, h264, 400 kb/s"}
            << true;
    }
    void probeReport()
    {
        QFETCH(QString, ffprobe);
        QFETCH(QStringList, expectedLines);
        reg::ProbeData withoutSample;
        std::string text = ffprobe.toStdString();
        std::string noPackets;
        for (size_t p = 0; p < text.size();) {
            const size_t s = text.find("[PACKET]", p);
            if (s == std::string::npos) {
                noPackets += text.substr(p);
                break;
            }
            noPackets += text.substr(p, s - p);
            p = text.find("[/PACKET]\n", s) + 10;
        }
        reg::parseFfprobe(noPackets, withoutSample);
        QTEST(reg::needsPacketSample(withoutSample), "needsSample");

        reg::ProbeData data;
        reg::parseFfprobe(text, data);
        const QString report = QString::fromStdString(reg::renderReport(data));
        QVERIFY(report.endsWith(QLatin1String("\r\n")));
        QStringList lines = report.split(QStringLiteral("\r\n"));
        lines.removeLast();
        QCOMPARE(lines, expectedLines);
    }
};

VC_TEST_MAIN(TstRegisterLogic)
#include "tst_register_logic.moc"
