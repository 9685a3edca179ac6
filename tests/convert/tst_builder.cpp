// Tables for the command builder: the option pieces by profile range, the output naming, the
// command-line text (the documented worked example character for character) and the argument
// list the process gets.
#include "convert/CommandBuilder.h"
#include "platform/ProgramPaths.h"
#include "profiles/Catalogue.h"
#include "tests/support/TestMain.h"

#include <QSet>

using namespace command;

namespace {

const QStringList QualityItems{QStringLiteral("Higher Quality"), QStringLiteral("High Quality"), QStringLiteral("Normal"),
                               QStringLiteral("Low Quality"), QStringLiteral("Lower Quality")};

BoxState box(const QStringList& items, int index, bool enabled = true)
{
    return {enabled, index, int(items.size()), index >= 0 && index < items.size() ? items[index] : QString()};
}

// The inputs of a profile: its size items, the selected indexes, and whether the quality boxes
// carry the keep-source items (6 items) or not (5).
quality::Inputs inputs(int id, const QStringList& sizes, int sizeIndex, int videoIndex, int audioIndex, bool keepItems,
                       std::array<QString, 5> levels = {})
{
    quality::Inputs in;
    in.ProfileId = id;
    in.OutputExtension = catalogue::OutputExtension(catalogue::DisplayName(id));
    in.VideoBitrateLevels = levels;
    QStringList video = QualityItems, audio = QualityItems;
    if (keepItems) {
        video.append(QStringLiteral("The Original Video Quliay"));
        audio.append(QStringLiteral("The Original Audio Quliay"));
    }
    in.boxes.size = box(sizes, sizeIndex);
    in.boxes.video = box(video, videoIndex);
    in.boxes.audio = box(audio, audioIndex);
    return in;
}

Toriginalinfo source(const QString& path = QStringLiteral("/clips/clip.avi"), const QString& frame = QStringLiteral("1280x720"))
{
    return {path, frame, QStringLiteral("00:01:40"), QStringLiteral("2000"), QStringLiteral("192")};
}

const QStringList GeneralSizes{QStringLiteral("320x240"), QStringLiteral("640x480"), QStringLiteral("720x480(DVD)"),
                               OriginalSizeItem};

bool never(const QString&)
{
    return false;
}

} // namespace

class TestBuilder : public QObject {
    Q_OBJECT
private slots:
    void workedExample()
    {
        // ProfileId 7 (".wmv"), video and audio index 2, cb_size on 320x240.
        FileJobInputs in;
        in.quality = inputs(7, GeneralSizes, 0, 2, 2, true);
        in.source = source();
        in.caption = QStringLiteral("clip");
        in.profileArgs = QStringLiteral("-vcodec wmv2 -acodec wmav2");
        in.encoderPath = QStringLiteral("/Conv/register.dat");
        in.workDir = QStringLiteral("/Conv/");
        in.outputFolder = QStringLiteral("/home/u/My Video/");
        QString error;
        const std::optional<intputrec> job = BuildFileJob(in, &error, never);
        QVERIFY2(job, qPrintable(error));
        QCOMPARE(CommandLineText(*job),
                 QStringLiteral("/Conv/register.dat -y  -i /clips/clip.avi -r 25 -b 799000 -ab 128000 -ac 2  -aspect 1.3333"
                                " -s 320x240  -ar 44100 -vcodec wmv2 -acodec wmav2 \"/home/u/My Video/clip.wmv\""));
        QCOMPARE(ArgumentList(*job),
                 (QStringList{"-y", "-i", "/clips/clip.avi", "-r", "25", "-b", "799000", "-ab", "128000", "-ac", "2",
                              "-aspect", "1.3333", "-s", "320x240", "-ar", "44100", "-vcodec", "wmv2", "-acodec", "wmav2",
                              "/home/u/My Video/clip.wmv"}));
        QCOMPARE(job->DurationSec, 100);
        QCOMPARE(job->WorkDir, QStringLiteral("/Conv/"));
        QVERIFY(job->DurationLimitArg.isEmpty());

        // A program directory with a space is quoted as well.
        in.encoderPath = QStringLiteral("/opt/Video Conv/register.dat");
        QVERIFY(CommandLineText(*BuildFileJob(in, &error, never)).startsWith(QLatin1String("\"/opt/Video Conv/register.dat\" -y  -i ")));
    }

    void pieces_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QStringList>("sizes");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("video");
        QTest::addColumn<int>("audio");
        QTest::addColumn<bool>("keepItems");
        QTest::addColumn<QString>("sizeArg");
        QTest::addColumn<QString>("aspectArg");
        QTest::addColumn<QString>("videoArg");
        QTest::addColumn<QString>("audioArg");
        QTest::addColumn<QString>("rateArg");
        QTest::addColumn<QString>("channelsArg");
        QTest::addColumn<QString>("profileArgs");

        const QString args = QStringLiteral("-vcodec x");
        QTest::newRow("size note dropped, 720x480 aspect") << 2 << GeneralSizes << 2 << 1 << 0 << true << " -s 720x480"
            << " -aspect 1.5000" << " -r 25 -b 1997000" << " -ab 320000" << " -ar 48000 " << " -ac 2 " << args;
        QTest::newRow("source size: 1280x720") << 2 << GeneralSizes << 3 << 2 << 2 << true << " -s 1280x720"
            << " -aspect 1.7778" << " -r 25 -b 2398000" << " -ab 128000" << " -ar 44100 " << " -ac 2 " << args;
        QTest::newRow("keep-source video and audio") << 7 << GeneralSizes << 0 << 5 << 5 << true << " -s 320x240"
            << " -aspect 1.3333" << " -r 25 -b 2000000" << " -ab 192000" << " -ar 44100 " << " -ac 2 " << args;
        QTest::newRow("keep-source audio: video = total - source audio") << 7 << GeneralSizes << 0 << 2 << 5 << true
            << " -s 320x240" << " -aspect 1.3333" << " -r 25 -b 799000" << " -ab 192000" << " -ar 44100 " << " -ac 2 " << args;
        // The video rate is the total less the AMR rate it holds: 811 - 12, not 811 - 320.
        QTest::newRow(".3gp at audio index 0") << 8 << GeneralSizes << 0 << 2 << 0 << true << " -s 320x240"
            << " -aspect 1.3333" << " -r 25 -b 799000" << " -ab 12200" << " -ar 8000 " << " -ac 1 " << args;
        QTest::newRow(".3gp small picture, best audio: never below zero") << 8 << QStringList{"128x96", "176x144"} << 0 << 4 << 0
            << true << " -s 128x96" << " -aspect 1.3333" << " -r 25 -b 145000" << " -ab 12200" << " -ar 8000 " << " -ac 1 " << args;
        QTest::newRow(".mp4 audio index 3") << 4 << GeneralSizes.mid(0, 3) << 1 << 2 << 3 << false << " -s 640x480"
            << " -aspect 1.3333" << " -r 25 -b 1598000" << " -ab 64000" << " -ar 22050 " << " -ac 2 " << args;
        QTest::newRow(".mp4, last audio item below 27 keeps the source's rate") << 4 << GeneralSizes.mid(0, 3) << 1 << 2 << 4 << false
            << " -s 640x480" << " -aspect 1.3333" << " -r 25 -b 1598000" << " -ab 192000" << " -ar 44100 " << " -ac 2 " << args;
        QTest::newRow("last size item below 15 keeps the source's size") << 4 << GeneralSizes.mid(0, 2) << 1 << 2 << 2 << false
            << " -s 1280x720" << " -aspect 1.7778" << " -r 25 -b 2398000" << " -ab 128000" << " -ar 44100 " << " -ac 2 " << args;
        QTest::newRow("SVCD NTSC") << 113 << QStringList{"PAL", "NTSC"} << 1 << 2 << 2 << false << "" << "" << "" << ""
            << "" << " -ac 2 " << " -target ntsc-svcd ";
        QTest::newRow("DVD PAL") << 114 << QStringList{"PAL", "NTSC"} << 0 << 2 << 2 << false << "" << "" << "" << ""
            << "" << " -ac 2 " << " -target pal-dvd ";
    }

    void pieces()
    {
        QFETCH(int, id);
        QFETCH(QStringList, sizes);
        QFETCH(int, size);
        QFETCH(int, video);
        QFETCH(int, audio);
        QFETCH(bool, keepItems);
        QString error;
        const std::optional<Pieces> p =
            BuildPieces(inputs(id, sizes, size, video, audio, keepItems), source(), QStringLiteral("-vcodec x"), &error);
        QVERIFY2(p, qPrintable(error));
        QTEST(p->SizeArg, "sizeArg");
        QTEST(p->AspectArg, "aspectArg");
        QTEST(p->VideoRateArg, "videoArg");
        QTEST(p->AudioRateArg, "audioArg");
        QTEST(p->SampleRateArg, "rateArg");
        QTEST(p->ChannelsArg, "channelsArg");
        QTEST(p->ProfileArgs, "profileArgs");
    }

    void fixedRateProfiles()
    {
        const std::array<QString, 5> levels{"900", "600", "400", "250", "150"};
        QString error;
        // iPod (27): the level at the video index, as text + "000".
        std::optional<Pieces> p = BuildPieces(inputs(27, {"320x240"}, 0, 1, 2, false, levels), source(), QString(), &error);
        QVERIFY(p);
        QCOMPARE(p->VideoRateArg, QStringLiteral(" -r 25 -b 600000"));
        // A keep-source item left over from a general profile stands for the source's rate.
        p = BuildPieces(inputs(27, {"320x240"}, 0, 5, 2, true, levels), source(), QString(), &error);
        QCOMPARE(p->VideoRateArg, QStringLiteral(" -r 25 -b 2000000"));
        // A profile without video: no size, aspect or video pieces.
        quality::Inputs mp3 = inputs(17, {"No Video"}, 0, 5, 1, false, {"*", "600", "400", "250", "150"});
        mp3.boxes.size.enabled = false;
        p = BuildPieces(mp3, source(), QStringLiteral("-acodec libmp3lame"), &error);
        QVERIFY(p);
        QCOMPARE(p->SizeArg + p->AspectArg + p->VideoRateArg, QString());
        QCOMPARE(p->AudioRateArg, QStringLiteral(" -ab 192000"));
        // A level that is not a number ends the job start with the conversion error.
        p = BuildPieces(inputs(27, {"320x240"}, 0, 1, 2, false, {"900", "6oo", "400", "250", "150"}), source(), QString(), &error);
        QVERIFY(!p);
        QCOMPARE(error, quality::NotAnIntegerMessage(QStringLiteral("6oo")));
    }

    void badSourceSize()
    {
        QString error;
        const std::optional<Pieces> p =
            BuildPieces(inputs(2, GeneralSizes, 3, 2, 2, true), source(QStringLiteral("/a.avi"), QStringLiteral("abcx240")), QString(), &error);
        QVERIFY(!p);
        QCOMPARE(error, quality::NotAnIntegerMessage(QStringLiteral("abc")));
    }

    void outputNaming()
    {
        QSet<QString> existing;
        auto exists = [&](const QString& p) { return existing.contains(p); };
        const QString first = FileOutputPath(QStringLiteral("/o/"), QStringLiteral("/in/a.avi"), QStringLiteral("a"), QStringLiteral(".mp4"), exists);
        QCOMPARE(first, QStringLiteral("/o/a.mp4"));
        existing.insert(first);
        const QString second = FileOutputPath(QStringLiteral("/o/"), QStringLiteral("/in/a.mpg"), QStringLiteral("a"), QStringLiteral(".mp4"), exists);
        QCOMPARE(second, QStringLiteral("/o/a_1.mp4"));
        existing.insert(second);
        QCOMPARE(FileOutputPath(QStringLiteral("/o/"), QStringLiteral("/in/a.mov"), QStringLiteral("a"), QStringLiteral(".mp4"), exists),
                 QStringLiteral("/o/a_2.mp4"));
        // DVD rows: the first name without the caption's leading blanks, the alternatives with them.
        existing.insert(QStringLiteral("/o/Title_01.avi"));
        QCOMPARE(NumberedOutputPath(QStringLiteral("/o/"), QStringLiteral("Title_01.avi"), QStringLiteral("  Title_01"),
                                    QStringLiteral(".avi"), exists),
                 QStringLiteral("/o/  Title_01_1.avi"));
    }

    void outputNeverReplacesAFile()
    {
        QTemporaryDir dir;
        const QString folder = dir.path() + u'/';
        QFile(folder + QStringLiteral("clip.mp4")).open(QIODevice::WriteOnly);  // the source itself
        QFile::link(folder + QStringLiteral("nowhere"), folder + QStringLiteral("clip_1.mp4"));  // a dangling link
        QCOMPARE(FileOutputPath(folder, folder + QStringLiteral("clip.mp4"), QStringLiteral("clip"), QStringLiteral(".mp4")),
                 folder + QStringLiteral("clip_2.mp4"));
    }

    void outputFolder()
    {
        QTemporaryDir dir;
        QString error;
        QCOMPARE(PrepareOutputFolder(dir.path() + QStringLiteral("/out"), &error), dir.path() + QStringLiteral("/out/"));
        QVERIFY(QFileInfo(dir.path() + QStringLiteral("/out")).isDir());
        QCOMPARE(PrepareOutputFolder(dir.path() + QStringLiteral("/out/"), &error), dir.path() + QStringLiteral("/out/"));
        // One level only; a folder that cannot be made is an error for the row.
        QVERIFY(!PrepareOutputFolder(dir.path() + QStringLiteral("/a/b"), &error));
        QVERIFY(error.contains(dir.path() + QStringLiteral("/a/b")));
        QFile::setPermissions(dir.path() + QStringLiteral("/out"), QFile::ReadOwner | QFile::ExeOwner);
        if (::geteuid() != 0) {
            QVERIFY(!PrepareOutputFolder(dir.path() + QStringLiteral("/out"), &error));
            QVERIFY(error.startsWith(QLatin1String("Cannot write to the output folder")));
        }
        QFile::setPermissions(dir.path() + QStringLiteral("/out"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        // Empty: the default output folder. Relative: fixed against the current folder.
        QCOMPARE(PrepareOutputFolder(QString(), &error), paths::defaultOutputFolder());
        QVERIFY(QFileInfo(paths::defaultOutputFolder()).isDir());
        QCOMPARE(PrepareOutputFolder(QStringLiteral("~/home out"), &error), QDir::homePath() + QStringLiteral("/home out/"));
        QDir::setCurrent(dir.path());
        QCOMPARE(PrepareOutputFolder(QStringLiteral("rel"), &error), dir.path() + QStringLiteral("/rel/"));
    }

    void hostilePathsStayOneArgument()
    {
        intputrec job;
        job.EncoderPath = QStringLiteral("/p/register.dat");
        job.InputPath = QStringLiteral("/in/-x \"q\" 'y' $(rm -rf) \\ é ü.avi");
        job.OutputPath = QStringLiteral("/out dir/-x \"q\" 'y' $(rm -rf) \\ é ü.wmv");
        job.VideoRateArg = QStringLiteral(" -r 25 -b 799000");
        job.ChannelsArg = QStringLiteral(" -ac 2 ");
        job.DurationLimitArg = QStringLiteral(" -t 00:10:00");
        job.ProfileArgs = QStringLiteral("-metadata title=\"a b\" -vcodec wmv2 ");
        const QStringList args = ArgumentList(job);
        QCOMPARE(args, (QStringList{"-y", "-i", job.InputPath, "-r", "25", "-b", "799000", "-ac", "2", "-t", "00:10:00",
                                    "-metadata", "title=a b", "-vcodec", "wmv2", job.OutputPath}));
        QCOMPARE(CommandLineText(job),
                 QStringLiteral("/p/register.dat -y  -i \"") + job.InputPath + QStringLiteral("\" -r 25 -b 799000 -ac 2  -t 00:10:00 ")
                     + job.ProfileArgs + QStringLiteral(" \"") + job.OutputPath + u'"');
    }
};

VC_TEST_MAIN(TestBuilder)
#include "tst_builder.moc"
