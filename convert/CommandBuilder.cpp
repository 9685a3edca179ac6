// Piece rules by profile range: general video (below 15, above 101) derives its video rate from
// the picture height, fixed-rate profiles (15..101) read their level line, the disc targets
// (112..114) leave every piece to "-target". The "last item" tests are by position.
#include "convert/CommandBuilder.h"

#include "convert/ArgSplit.h"
#include "platform/ProgramPaths.h"
#include "profiles/Catalogue.h"
#include "sources/Probe.h"

#include <QDir>
#include <QFileInfo>

namespace command {
namespace {

bool isAmrOutput(const QString& ext)
{
    return ext == QLatin1String(".3gp") || ext == QLatin1String(".amr");
}

// The keep-source item of a quality box (index 5) is selected.
bool keepSourceSelected(const BoxState& box)
{
    return quality::IsKeepSourceIndex(box.index);
}

// A quality index that the five-entry tables can take.
int tableIndex(const BoxState& box)
{
    const int i = quality::QualityIndex(box);
    return i >= 0 && i < 5 ? i : 2;
}

std::optional<int> number(const QString& text, QString* error)
{
    const std::optional<int> v = sources::ToInt(text);
    if (!v && error)
        *error = quality::NotAnIntegerMessage(text);
    return v;
}

QString bitsPerSecond(qint64 kbps)
{
    return QString::number(kbps * 1000);
}

void appendSplitAtSpaces(QStringList& args, const QString& piece)
{
    args += piece.split(u' ', Qt::SkipEmptyParts);
}

} // namespace

QString BuildSizeArg(const quality::Inputs& in, const Toriginalinfo& source)
{
    const BoxState& size = in.boxes.size;
    if (!size.enabled || catalogue::IsDiscTarget(in.ProfileId))
        return QString();
    if ((size.lastSelected() && catalogue::LastSizeKeepsSource(in.ProfileId)) || size.text == OriginalSizeItem)
        return QStringLiteral(" -s ") + source.FrameSize;
    const qsizetype paren = size.text.indexOf(u'(');
    const QString text = paren >= 0 ? size.text.left(paren) : size.text;
    if (text.isEmpty())  // no size item selected: no size to ask for
        return QString();
    return QStringLiteral(" -s ") + text;
}

std::optional<QString> BuildAspectArg(const quality::Inputs& in, const QString& sizeArg, QString* error)
{
    if (!in.boxes.size.enabled || sizeArg.isEmpty() || catalogue::IsDiscTarget(in.ProfileId))
        return QString();
    const QString size = sizeArg.mid(4);
    const qsizetype x = size.indexOf(u'x');
    const std::optional<int> w = number(x >= 0 ? size.left(x) : QString(), error);
    if (!w)
        return std::nullopt;
    const std::optional<int> h = number(size.mid(x + 1), error);
    if (!h)
        return std::nullopt;
    if (*h == 0) {
        if (error)
            *error = QStringLiteral("Invalid picture size %1").arg(size);
        return std::nullopt;
    }
    // Five significant digits, then four decimals: 640x480 gives 1.3333.
    const double ratio = QString::number(double(*w) / double(*h), 'g', 5).toDouble();
    return QStringLiteral(" -aspect ") + QString::number(ratio, 'f', 4);
}

std::optional<QString> BuildVideoRateArg(const quality::Inputs& in, const Toriginalinfo& source, QString* error)
{
    const QString piece = QStringLiteral(" -r 25 -b ");
    const BoxState& video = in.boxes.video;
    if (catalogue::IsDiscTarget(in.ProfileId))
        return QString();
    if (catalogue::IsGeneralVideo(in.ProfileId)) {
        if (video.lastSelected() && !in.IsDvdEdition) {
            const std::optional<int> v = number(source.VideoKbps, error);
            return v ? std::optional(piece + bitsPerSecond(*v)) : std::nullopt;
        }
        QString bad;
        const std::optional<int> total = quality::TotalKbps(in, source, &bad);
        if (!total) {
            if (error)
                *error = quality::NotAnIntegerMessage(bad);
            return std::nullopt;
        }
        int audio = quality::AudioKbpsTable[tableIndex(in.boxes.audio)];
        if (isAmrOutput(in.OutputExtension)) {
            // The total holds the AMR rate, not the table's: subtracting the table's rate
            // would leave a video rate far too low, or below zero, which no encoder takes.
            audio = int(quality::RoundHalfEven(quality::AmrKbps(quality::QualityIndex(in.boxes.audio))));
        } else if (keepSourceSelected(in.boxes.audio)) {
            const std::optional<int> a = number(source.AudioKbps, error);
            if (!a)
                return std::nullopt;
            audio = *a;
        }
        return piece + bitsPerSecond(qint64(*total) - audio);
    }
    // Fixed-rate profiles.
    if (in.VideoBitrateLevels[0] == QLatin1String("*"))
        return QString();
    if (quality::QualityIndex(video) >= quality::KeepSourceIndex) {  // left over from a general profile
        const std::optional<int> v = number(source.VideoKbps, error);
        return v ? std::optional(piece + bitsPerSecond(*v)) : std::nullopt;
    }
    const QString& slot = in.VideoBitrateLevels[tableIndex(video)];
    if (!number(slot, error))
        return std::nullopt;
    return piece + slot + QStringLiteral("000");
}

std::optional<QString> BuildAudioRateArg(const quality::Inputs& in, const Toriginalinfo& source, QString* error)
{
    const QString piece = QStringLiteral(" -ab ");
    const BoxState& audio = in.boxes.audio;
    if (catalogue::IsDiscTarget(in.ProfileId))
        return QString();
    QString result;
    if (!in.IsDvdEdition
        && ((audio.lastSelected() && catalogue::LastAudioKeepsSource(in.ProfileId)) || keepSourceSelected(audio))) {
        const std::optional<int> a = number(source.AudioKbps, error);
        if (!a)
            return std::nullopt;
        result = piece + bitsPerSecond(*a);
    } else {
        result = piece + bitsPerSecond(quality::AudioKbpsTable[tableIndex(audio)]);
    }
    if (isAmrOutput(in.OutputExtension)) {
        // The AMR table has no keep-source entry: its best rate stands in for it.
        const double kbps = quality::AmrKbps(quality::QualityIndex(audio));
        result = piece + QString::number(quality::RoundHalfEven(kbps * 1000));
    }
    return result;
}

std::optional<QString> BuildSampleRateArg(const quality::Inputs& in, const QString& audioArg, QString* error)
{
    if (audioArg.isEmpty() || catalogue::IsDiscTarget(in.ProfileId))
        return QString();
    const std::optional<int> n = number(audioArg.mid(5), error);
    if (!n)
        return std::nullopt;
    if (isAmrOutput(in.OutputExtension))
        return QStringLiteral(" -ar 8000 ");
    if (*n > 192000)
        return QStringLiteral(" -ar 48000 ");
    if (*n > 64000)
        return QStringLiteral(" -ar 44100 ");
    return QStringLiteral(" -ar 22050 ");
}

QString ChannelsArg(const QString& outputExtension)
{
    return isAmrOutput(outputExtension) ? QStringLiteral(" -ac 1 ") : QStringLiteral(" -ac 2 ");
}

QString ProfileArgsFor(int profileId, const QString& sizeText, const QString& profileArgs)
{
    const QString target = QStringLiteral(" -target ") + sizeText.toLower();
    switch (profileId) {
    case 112: return target + QStringLiteral("-vcd ");
    case 113: return target + QStringLiteral("-svcd ");
    case 114: return target + QStringLiteral("-dvd ");
    default: return profileArgs;
    }
}

std::optional<Pieces> BuildPieces(const quality::Inputs& in, const Toriginalinfo& source, const QString& profileArgs,
                                  QString* error)
{
    Pieces p;
    p.SizeArg = BuildSizeArg(in, source);
    const std::optional<QString> aspect = BuildAspectArg(in, p.SizeArg, error);
    if (!aspect)
        return std::nullopt;
    p.AspectArg = *aspect;
    const std::optional<QString> video = BuildVideoRateArg(in, source, error);
    if (!video)
        return std::nullopt;
    p.VideoRateArg = *video;
    const std::optional<QString> audio = BuildAudioRateArg(in, source, error);
    if (!audio)
        return std::nullopt;
    p.AudioRateArg = *audio;
    const std::optional<QString> rate = BuildSampleRateArg(in, p.AudioRateArg, error);
    if (!rate)
        return std::nullopt;
    p.SampleRateArg = *rate;
    p.ChannelsArg = ChannelsArg(in.OutputExtension);
    p.ProfileArgs = ProfileArgsFor(in.ProfileId, in.boxes.size.text, profileArgs);
    return p;
}

void ApplyPieces(const Pieces& pieces, intputrec& job)
{
    job.SizeArg = pieces.SizeArg;
    job.AspectArg = pieces.AspectArg;
    job.VideoRateArg = pieces.VideoRateArg;
    job.AudioRateArg = pieces.AudioRateArg;
    job.SampleRateArg = pieces.SampleRateArg;
    job.ChannelsArg = pieces.ChannelsArg;
    job.ProfileArgs = pieces.ProfileArgs;
}

std::optional<QString> PrepareOutputFolder(const QString& edOutputText, QString* error)
{
    QString folder = edOutputText.isEmpty() ? paths::defaultOutputFolder() : edOutputText;
    if (folder == QLatin1String("~") || folder.startsWith(QLatin1String("~/")))  // as a shell would read it
        folder = QDir::homePath() + folder.mid(1);
    // The transcoder runs in the program directory: a relative folder is fixed here, so the folder
    // created and the folder written are the same one.
    folder = QDir::current().absoluteFilePath(folder);
    if (!QFileInfo(folder).isDir()) {
        QDir().mkdir(folder);
        if (!QFileInfo(folder).isDir()) {
            if (error)
                *error = QStringLiteral("Cannot create the output folder %1").arg(folder);
            return std::nullopt;
        }
    }
    if (!QFileInfo(folder).isWritable()) {
        if (error)
            *error = QStringLiteral("Cannot write to the output folder %1").arg(folder);
        return std::nullopt;
    }
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

bool PathTaken(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

QString NumberedOutputPath(const QString& folder, const QString& firstName, const QString& stem,
                           const QString& extension, const std::function<bool(const QString&)>& exists)
{
    QString path = folder + firstName;
    for (int n = 1; exists(path); ++n)
        path = folder + stem + u'_' + QString::number(n) + extension;
    return path;
}

QString FileOutputPath(const QString& folder, const QString& sourcePath, const QString& caption,
                       const QString& extension, const std::function<bool(const QString&)>& exists)
{
    const QString name = sourcePath.mid(sourcePath.lastIndexOf(u'/') + 1);
    return NumberedOutputPath(folder, sources::CaptionOf(name) + extension, caption, extension, exists);
}

std::optional<intputrec> BuildFileJob(const FileJobInputs& in, QString* error,
                                      const std::function<bool(const QString&)>& exists)
{
    const std::optional<Pieces> p = BuildPieces(in.quality, in.source, in.profileArgs, error);
    if (!p)
        return std::nullopt;
    intputrec job;
    job.InputPath = in.source.SourcePath;
    job.OutputPath = FileOutputPath(in.outputFolder, in.source.SourcePath, in.caption, in.quality.OutputExtension, exists);
    job.EncoderPath = in.encoderPath;
    job.WorkDir = in.workDir;
    ApplyPieces(*p, job);
    job.DurationSec = sources::ParseDurationText(in.source.DurationText);
    job.DurationLimitArg.clear();
    return job;
}

QString CommandLineText(const intputrec& job)
{
    return sources::QuoteIfSpaced(job.EncoderPath) + QStringLiteral(" -y ") + QStringLiteral(" -i ")
         + sources::QuoteIfSpaced(job.InputPath) + job.VideoRateArg + job.AudioRateArg + job.ChannelsArg
         + job.AspectArg + job.DurationLimitArg + job.SizeArg + u' ' + job.SampleRateArg + job.ProfileArgs + u' '
         + sources::QuoteIfSpaced(job.OutputPath);
}

QStringList ArgumentList(const intputrec& job)
{
    QStringList args{QStringLiteral("-y"), QStringLiteral("-i"), job.InputPath};
    for (const QString* piece : {&job.VideoRateArg, &job.AudioRateArg, &job.ChannelsArg, &job.AspectArg,
                                 &job.DurationLimitArg, &job.SizeArg, &job.SampleRateArg})
        appendSplitAtSpaces(args, *piece);
    for (const std::string& a : argsplit::Split(job.ProfileArgs.toStdString()))
        args.append(QString::fromStdString(a));
    args.append(job.OutputPath);
    return args;
}

} // namespace command
