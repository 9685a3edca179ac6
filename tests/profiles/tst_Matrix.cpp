// The conversion matrix: every named profile of the shipped profiles.pop converts a short clip
// through the real register.dat and ffmpeg, at its default choices and then varied one box at a
// time, and each output is examined with ffprobe for what the profile promises: container
// (and MP4 brand), video and audio codec, H.264 profile and level, picture size, pixel format,
// sample rate, channels and duration.
//
// VC_MATRIX_SET selects the cases: unset (CI) = defaults and every audio item; "full" = also
// every size item ("NTSC" for the disc targets) and the highest and lowest video quality.
// VC_MATRIX_PROFILES="2,27" limits the run to some profiles.
#include "app/SharedTypes.h"
#include "convert/CommandBuilder.h"
#include "profiles/Catalogue.h"
#include "profiles/OptionLists.h"
#include "profiles/ProfileFile.h"
#include "profiles/Quality.h"
#include "profiles/RememberedOptions.h"
#include "tests/support/Fixtures.h"
#include "tests/support/TestMain.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <deque>
#include <memory>

using namespace optionlists;

namespace {

const QString ProgramDir = QStringLiteral(VC_PROGRAM_DIR "/");

// The command line exactly as the program builds it for a file job.
QStringList arguments(const quality::Inputs& in, const Toriginalinfo& src, const QString& line, const QString& output,
                      QString* error)
{
    const std::optional<command::Pieces> pieces = command::BuildPieces(in, src, line, error);
    if (!pieces)
        return {};
    intputrec job;
    job.InputPath = src.SourcePath;
    job.OutputPath = output;
    command::ApplyPieces(*pieces, job);
    return command::ArgumentList(job);
}

bool isAmr(const QString& ext)
{
    return ext == QStringLiteral(".3gp") || ext == QStringLiteral(".amr");
}

// --- What the output must be. --------------------------------------------------------------------

QString optionValue(const QStringList& args, const QString& option)
{
    const qsizetype i = args.lastIndexOf(option);
    return i >= 0 && i + 1 < args.size() ? args[i + 1] : QString();
}

QString codecName(const QString& encoder)
{
    static const QHash<QString, QString> names = {
        {"libx264", "h264"}, {"msmpeg4", "msmpeg4v3"}, {"flv", "flv1"}, {"libxvid", "mpeg4"},
        {"libmp3lame", "mp3"}, {"libvorbis", "vorbis"}, {"libopencore_amrnb", "amr_nb"}};
    return names.value(encoder, encoder);
}

struct Container {
    QString format;  // ffprobe format_name
    QString brand;   // major_brand prefix for the MP4 family
};

Container containerFor(const QString& ext, const QStringList& args)
{
    static const QString Mp4 = QStringLiteral("mov,mp4,m4a,3gp,3g2,mj2");
    const QString e = ext.toLower();
    if (e == ".mp4")
        return {Mp4, optionValue(args, "-f") == "psp" ? "MSNV" : "isom"};
    if (e == ".3gp")
        return {Mp4, "3gp"};
    if (e == ".3g2")
        return {Mp4, "3g2"};
    if (e == ".mov")
        return {Mp4, "qt"};
    if (e == ".m4a")
        return {Mp4, "M4A"};
    static const QHash<QString, QString> formats = {
        {".avi", "avi"}, {".asf", "asf"}, {".wmv", "asf"}, {".wma", "asf"}, {".rm", "rm"}, {".ra", "rm"},
        {".flv", "flv"}, {".swf", "swf"}, {".mkv", "matroska,webm"}, {".mpg", "mpeg"}, {".mpeg", "mpeg"},
        {".vob", "mpeg"}, {".ts", "mpegts"}, {".aac", "aac"}, {".ac3", "ac3"}, {".mp3", "mp3"},
        {".mp2", "mp3"}, {".ogg", "ogg"}, {".wav", "wav"}, {".aiff", "aiff"}, {".au", "au"}, {".amr", "amr"}};
    return {formats.value(e), QString()};
}

// What the display name promises, read from the name alone (not from profiles.pop): the video
// codecs that fit its words, the audio codecs that fit its extension, and for names that state
// a picture ("(640×480)", "720P") the height of the default size.
struct Promise {
    QStringList video;  // empty: any
    QStringList audio;
    QString tag;        // AVI fourcc for "DivX"/"XviD"
    int height = 0;
};

Promise promiseOf(int p)
{
    const QString name = catalogue::DisplayName(p);
    const QString ext = catalogue::OutputExtension(name).toLower();
    Promise pr;
    auto has = [&](const char* word) { return name.contains(QLatin1String(word), Qt::CaseInsensitive); };
    if (has("AVC") || has("H.264") || has("H264"))
        pr.video = {"h264"};
    else if (has("MSMPEG4"))
        pr.video = {"msmpeg4v3"};
    else if (has("XviD") || has("DivX"))
        pr.video = {"mpeg4"}, pr.tag = ext == ".avi" ? (has("XviD") ? "XVID" : "DIVX") : QString();
    else if (has("WMV") || ext == ".wmv")
        pr.video = {"wmv1", "wmv2"};
    else if (has("Real Video"))
        pr.video = {"rv10", "rv20"};
    else if (has("FLV") || has("SWF"))
        pr.video = {"flv1"};
    else if (has("MPEG-2") || has("MPEG2") || has("DVD") || has("Super Video CD"))
        pr.video = {"mpeg2video"};
    else if (has("MPEG-1") || has("Video CD"))
        pr.video = {"mpeg1video"};
    else if (has("MPEG Movie"))
        pr.video = {"mpeg1video", "mpeg2video"};
    else if (has("MPEG-4") || has("MPEG4"))
        pr.video = {"mpeg4"};
    else if (ext == ".3gp" || ext == ".3g2")
        pr.video = {"h263", "mpeg4"};
    static const QHash<QString, QStringList> audio = {
        {".mp3", {"mp3"}}, {".aac", {"aac"}}, {".m4a", {"aac"}}, {".ac3", {"ac3"}}, {".ogg", {"vorbis"}},
        {".wav", {"pcm_s16le"}}, {".wma", {"wmav1", "wmav2"}}, {".aiff", {"pcm_s16be"}}, {".au", {"pcm_s16be"}},
        {".mp2", {"mp2"}}, {".amr", {"amr_nb"}}, {".3gp", {"amr_nb", "aac"}}, {".3g2", {"aac"}},
        {".mp4", {"aac"}}, {".mov", {"aac"}}, {".ra", {"ac3", "real_144", "cook"}}, {".rm", {"ac3", "cook"}},
        {".wmv", {"wmav1", "wmav2"}}, {".asf", {"wmav1", "wmav2"}}, {".flv", {"mp3"}}, {".swf", {"mp3"}},
        {".avi", {"mp3", "mp2", "ac3", "wmav2"}}, {".mkv", {"aac", "mp3", "mp2", "ac3", "vorbis", "wmav2"}},
        {".mpg", {"mp2", "ac3"}}, {".mpeg", {"mp2", "ac3"}}, {".vob", {"mp2", "ac3"}}, {".ts", {"mp2", "ac3"}}};
    pr.audio = audio.value(ext);
    static const QRegularExpression stated(QStringLiteral("\\(\\d+\u00d7(\\d+)\\)|\\((\\d+)P\\)|(\\d+)P\\("));
    const QRegularExpressionMatch m = stated.match(name);
    if (m.hasMatch())
        pr.height = (m.captured(1) + m.captured(2) + m.captured(3)).toInt();
    return pr;
}

struct Case {
    int profile = 0;
    QString what;  // "default", "audio 3", ...
    quality::Inputs in;
    QString line;  // the profile's argument line
};

// Returns the problems found with one finished conversion (empty when it is right).
QStringList examine(const Case& c, const QStringList& args, const QString& output)
{
    QStringList problems;
    QProcess probe;
    probe.start(QStringLiteral("ffprobe"),
                {"-v", "error", "-count_packets", "-show_entries",
                 "format=format_name,duration:format_tags=major_brand:stream=codec_type,codec_name,codec_tag_string,profile,level,nb_read_packets,"
                 "width,height,pix_fmt,sample_rate,channels",
                 "-of", "json", output});
    probe.waitForFinished(60000);
    const QJsonObject root = QJsonDocument::fromJson(probe.readAllStandardOutput()).object();
    const QJsonObject format = root["format"].toObject();
    QJsonObject video, audio;
    int videos = 0, audios = 0;
    for (const QJsonValue& s : root["streams"].toArray()) {
        const QJsonObject o = s.toObject();
        if (o["codec_type"].toString() == "video")
            video = o, ++videos;
        else if (o["codec_type"].toString() == "audio")
            audio = o, ++audios;
    }
    auto expect = [&](bool ok, const QString& what) {
        if (!ok)
            problems += what;
    };

    const Container container = containerFor(c.in.OutputExtension, args);
    expect(format["format_name"].toString() == container.format,
           QStringLiteral("container %1, not %2").arg(format["format_name"].toString(), container.format));
    if (!container.brand.isEmpty())
        expect(format["tags"].toObject()["major_brand"].toString().startsWith(container.brand),
               QStringLiteral("brand %1, not %2").arg(format["tags"].toObject()["major_brand"].toString(), container.brand));
    // SWF states no duration: count its pictures instead (25 a second).
    bool stated = false;
    double duration = format["duration"].toString().toDouble(&stated);
    if (!stated)
        duration = video["nb_read_packets"].toString().toDouble() / 25;
    expect(duration > 0.6 && duration < 1.6, QStringLiteral("duration %1 s").arg(duration));

    const QString target = optionValue(args, "-target");
    const bool hasVideo = c.in.VideoBitrateLevels[0] != QStringLiteral("*");
    expect(videos == (hasVideo ? 1 : 0), QStringLiteral("%1 video streams").arg(videos));
    expect(audios == 1, QStringLiteral("%1 audio streams").arg(audios));

    if (hasVideo && videos == 1) {
        QString size = optionValue(args, "-s");
        QString codec = codecName(optionValue(args, "-vcodec"));
        if (!target.isEmpty()) {
            static const QHash<QString, QString> sizes = {{"pal-vcd", "352x288"}, {"ntsc-vcd", "352x240"},
                                                          {"pal-svcd", "480x576"}, {"ntsc-svcd", "480x480"},
                                                          {"pal-dvd", "720x576"}, {"ntsc-dvd", "720x480"}};
            size = sizes.value(target);
            codec = target.endsWith("-vcd") ? "mpeg1video" : "mpeg2video";
        }
        expect(video["codec_name"].toString() == codec,
               QStringLiteral("video %1, not %2").arg(video["codec_name"].toString(), codec));
        const QString got = QStringLiteral("%1x%2").arg(video["width"].toInt()).arg(video["height"].toInt());
        expect(got == size, QStringLiteral("picture %1, not %2").arg(got, size));
        expect(video["pix_fmt"].toString() == "yuv420p", QStringLiteral("pixels %1").arg(video["pix_fmt"].toString()));
        const QString profile = optionValue(args, "-profile:v");
        if (!profile.isEmpty()) {
            const QString p = video["profile"].toString().toLower();
            expect(p == profile || p == "constrained " + profile, QStringLiteral("H.264 profile %1, not %2").arg(p, profile));
        }
        const QString level = optionValue(args, "-level");
        if (!level.isEmpty())
            expect(video["level"].toInt() == qRound(level.toDouble() * 10),
                   QStringLiteral("H.264 level %1, not %2").arg(video["level"].toInt()).arg(level));
    }
    // What the name promises, whatever profiles.pop says.
    const Promise promise = promiseOf(c.profile);
    if (videos == 1 && !promise.video.isEmpty())
        expect(promise.video.contains(video["codec_name"].toString()),
               QStringLiteral("the name promises %1 video").arg(promise.video.join(u'/')));
    if (videos == 1 && !promise.tag.isEmpty())
        expect(video["codec_tag_string"].toString() == promise.tag,
               QStringLiteral("the name promises the %1 tag, not %2").arg(promise.tag, video["codec_tag_string"].toString()));
    if (videos == 1 && promise.height && c.what == QStringLiteral("default"))
        expect(video["height"].toInt() == promise.height, QStringLiteral("the name promises %1 lines").arg(promise.height));
    if (audios == 1 && !promise.audio.isEmpty())
        expect(promise.audio.contains(audio["codec_name"].toString()),
               QStringLiteral("the name promises %1 audio").arg(promise.audio.join(u'/')));

    if (audios == 1) {
        QString codec = codecName(optionValue(args, "-acodec"));
        QString rate = optionValue(args, "-ar");
        int channels = isAmr(c.in.OutputExtension) ? 1 : 2;
        if (!target.isEmpty()) {
            codec = target.endsWith("-dvd") ? "ac3" : "mp2";
            rate = target.endsWith("-dvd") ? "48000" : "44100";
        }
        expect(audio["codec_name"].toString() == codec,
               QStringLiteral("audio %1, not %2").arg(audio["codec_name"].toString(), codec));
        expect(audio["sample_rate"].toString() == rate,
               QStringLiteral("sample rate %1, not %2").arg(audio["sample_rate"].toString(), rate));
        expect(audio["channels"].toInt() == channels,
               QStringLiteral("%1 channels, not %2").arg(audio["channels"].toInt()).arg(channels));
    }
    return problems;
}

// --- The option boxes of a profile, as a freshly started window shows them. ---------------------

BoxState boxState(const ListBox& box)
{
    return BoxState{box.enabled, box.index, int(box.items.size()),
                    box.index >= 0 && box.index < box.items.size() ? box.items[box.index] : QString()};
}

int inRange(int index, const ListBox& box)
{
    return index >= 0 && index < box.items.size() ? index : -1;
}

// The cases of one profile: its defaults, then one box varied at a time.
QList<Case> casesOf(int p, const profilefile::ProfileBlock& block, bool full)
{
    const QString name = catalogue::DisplayName(p);
    const Applied applied{p, catalogue::OutputExtension(name), false};
    Boxes boxes{{}, {QualityItems(), -1, true}, {QualityItems(), -1, true}};
    std::array<QString, 5> levels;
    FillSizeList(boxes.size, *block.sizeLine, applied);
    ApplyBitrateLine(boxes, levels, *block.bitrateLine, applied);
    const remembered::Rule rule = remembered::RuleFor(p, false);
    if (rule.read == remembered::Keys::All) {
        boxes.size.index = inRange(rule.size, boxes.size);
        boxes.video.index = inRange(rule.video, boxes.video);
    }
    boxes.audio.index = inRange(rule.audio, boxes.audio);

    auto make = [&](const QString& what, const Boxes& b) {
        Case c;
        c.profile = p;
        c.what = what;
        c.in = quality::Inputs{p, false, applied.OutputExtension, levels,
                               OptionBoxes{boxState(b.size), boxState(b.video), boxState(b.audio)}};
        c.line = *block.argumentLine;
        return c;
    };
    QList<Case> cases{make(QStringLiteral("default"), boxes)};
    if (boxes.audio.enabled) {
        for (int a = 0; a < boxes.audio.items.size(); ++a) {
            if (a == boxes.audio.index)
                continue;
            Boxes b = boxes;
            b.audio.index = a;
            cases += make(QStringLiteral("audio %1").arg(a), b);
        }
    }
    if (!full)
        return cases;
    if (boxes.size.enabled) {
        for (int s = 0; s < boxes.size.items.size(); ++s) {
            if (s == boxes.size.index)
                continue;
            Boxes b = boxes;
            b.size.index = s;
            cases += make(QStringLiteral("size %1").arg(s), b);
        }
    }
    if (boxes.video.enabled) {
        for (int v : {0, 4}) {
            if (v == boxes.video.index)
                continue;
            Boxes b = boxes;
            b.video.index = v;
            cases += make(QStringLiteral("video %1").arg(v), b);
        }
    }
    return cases;
}

} // namespace

class tst_Matrix : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void conversions_data();
    void conversions();
    void cleanupTestCase();

private:
    QTemporaryDir dir_{vctest::home() + QStringLiteral("/matrix-XXXXXX")};
    Toriginalinfo source_;
    QByteArray data_;  // profiles.pop
    QElapsedTimer clock_;
    int conversions_ = 0;
};

void tst_Matrix::initTestCase()
{
    QVERIFY(QFile::exists(ProgramDir + QStringLiteral("register.dat")));
    QVERIFY(QFile::exists(ProgramDir + profilefile::FileName));
    // Uncompressed sound, so that "The Original Audio Quliay" asks every audio encoder for
    // 1536 kb/s, far beyond what most of them take.
    source_.SourcePath = dir_.path() + QStringLiteral("/clip.mov");
    QVERIFY(fixtures::makeClip(source_.SourcePath, 1.0, QStringLiteral("640x480"),
                               {"-c:v", "libx264", "-pix_fmt", "yuv420p", "-c:a", "pcm_s16le", "-ac", "2", "-ar", "48000"}));
    source_.FrameSize = QStringLiteral("640x480");
    source_.DurationText = QStringLiteral("00:00:01");
    source_.VideoKbps = QString::number(fixtures::probe(source_.SourcePath, "stream=bit_rate", "v:0").toInt() / 1000);
    source_.AudioKbps = QString::number(fixtures::probe(source_.SourcePath, "stream=bit_rate", "a:0").toInt() / 1000);
    QVERIFY(source_.VideoKbps.toInt() > 0 && source_.AudioKbps.toInt() > 0);
    QFile file(ProgramDir + profilefile::FileName);
    QVERIFY(file.open(QIODevice::ReadOnly));
    data_ = file.readAll();
    clock_.start();
}

void tst_Matrix::cleanupTestCase()
{
    qInfo("matrix (%s): %d conversions in %.1f s", qgetenv("VC_MATRIX_SET") == "full" ? "full" : "defaults and audio items",
          conversions_, clock_.elapsed() / 1000.0);
}

void tst_Matrix::conversions_data()
{
    QTest::addColumn<int>("profile");
    QList<int> only;
    for (const QByteArray& n : qgetenv("VC_MATRIX_PROFILES").split(','))
        if (!n.trimmed().isEmpty())
            only += n.trimmed().toInt();
    for (int p = catalogue::FirstProfile; p <= catalogue::LastProfile; ++p)
        if (catalogue::IsNamed(p) && (only.isEmpty() || only.contains(p)))
            QTest::addRow("%d", p) << p;
}

void tst_Matrix::conversions()
{
    QFETCH(int, profile);
    const bool full = qgetenv("VC_MATRIX_SET") == "full";
    const profilefile::ProfileBlock block = profilefile::BlockFromData(data_, profile);
    QVERIFY(block.sizeLine && block.bitrateLine && block.argumentLine);
    std::deque<Case> queue;
    for (const Case& c : casesOf(profile, block, full))
        queue.push_back(c);

    // Two conversions at a time, one per core.
    struct Running {
        Case c;
        QStringList args;
        QString output;
        std::unique_ptr<QProcess> process;
    };
    QList<std::shared_ptr<Running>> running;
    QStringList failures;
    auto finish = [&](Running& r) {
        r.process->waitForFinished(600000);
        const QString where = QStringLiteral("profile %1 (%2), %3: %4")
                                  .arg(r.c.profile)
                                  .arg(catalogue::DisplayName(r.c.profile), r.c.what, r.args.join(u' '));
        if (r.process->exitStatus() != QProcess::NormalExit || r.process->exitCode() != 0 || !QFile::exists(r.output)) {
            failures += where + QStringLiteral("\n    failed: ")
                        + QString::fromUtf8(r.process->readAll()).trimmed().right(400);
        } else {
            const QStringList problems = examine(r.c, r.args, r.output);
            if (!problems.isEmpty())
                failures += where + QStringLiteral("\n    ") + problems.join(QStringLiteral("; "));
        }
        QFile::remove(r.output);
        ++conversions_;
    };
    int serial = 0;
    while (!queue.empty() || !running.isEmpty()) {
        while (running.size() < 2 && !queue.empty()) {
            auto r = std::make_shared<Running>();
            r->c = queue.front();
            queue.pop_front();
            r->output = dir_.path() + QStringLiteral("/out%1%2").arg(++serial).arg(r->c.in.OutputExtension);
            QString error;
            r->args = arguments(r->c.in, source_, r->c.line, r->output, &error);
            QVERIFY2(!r->args.isEmpty(), qPrintable(error));
            r->process = std::make_unique<QProcess>();
            r->process->setProcessChannelMode(QProcess::MergedChannels);
            r->process->setWorkingDirectory(ProgramDir);
            r->process->start(ProgramDir + QStringLiteral("register.dat"), r->args);
            running += r;
        }
        finish(*running.takeFirst());
    }
    for (const QString& f : failures)
        qWarning().noquote() << f;
    QVERIFY2(failures.isEmpty(), qPrintable(QStringLiteral("%1 conversions went wrong").arg(failures.size())));
}

VC_TEST_MAIN(tst_Matrix)
#include "tst_Matrix.moc"
