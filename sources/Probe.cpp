// The probe parser keeps to the transcoder's report format byte for byte: values are found by
// fixed look-backs of 10 characters around " kb/s" and the frame size's "x", in lines that end
// in CR. Text after the last line end waits for the next chunk.
#include "sources/Probe.h"

#include <limits>

#include <QRegularExpression>
#include <QStringList>

namespace sources {
namespace {

const QLatin1String KbpsMark(" kb/s");

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The lines of the text that end in CR (the text after the last CR is not one of them).
QStringList crTerminatedLines(const QString& text)
{
    QStringList lines = text.split(u'\r');
    lines.removeLast();
    return lines;
}

// The first CR-terminated line holding the key, or an empty optional.
std::optional<QString> lineWith(const QStringList& lines, QLatin1String key)
{
    for (const QString& line : lines)
        if (line.contains(key))
            return line;
    return std::nullopt;
}

// The characters between the nearest space before " kb/s" and " kb/s", looking back at most
// 10 characters; the 10 characters before " kb/s" when no space is that close.
std::optional<QString> kbpsValue(const QString& line)
{
    const qsizetype k = line.indexOf(KbpsMark);
    if (k < 0)
        return std::nullopt;
    const qsizetype limit = std::max<qsizetype>(0, k - 10);
    for (qsizetype i = k - 1; i >= limit; --i)
        if (line[i] == u' ')
            return line.mid(i + 1, k - i - 1);
    return line.mid(limit, k - limit);
}

// Width "x" height in the "Video:" line: from the space at most 10 characters before the first
// "x" (or the tenth character before it) to the last of at most 10 digits after it.
std::optional<QString> frameSizeValue(const QString& line)
{
    const QString seg = line.mid(line.indexOf(QLatin1String("Video:")));
    const qsizetype x = seg.indexOf(u'x');
    if (x < 0)
        return std::nullopt;
    qsizetype start = std::max<qsizetype>(0, x - 10);
    for (qsizetype i = x - 1; i >= std::max<qsizetype>(0, x - 10); --i) {
        if (seg[i] == u' ') {
            start = i + 1;
            break;
        }
    }
    qsizetype end = x + 1;
    while (end < seg.size() && end - x <= 10 && isAsciiDigit(seg[end]))
        ++end;
    return seg.mid(start, end - start);
}

qsizetype lastLineEnd(const QByteArray& bytes, qsizetype from)
{
    for (qsizetype i = bytes.size() - 1; i >= from; --i)
        if (bytes[i] == '\r' || bytes[i] == '\n')
            return i;
    return -1;
}

QString lastNonEmptyLine(const QString& text)
{
    static const QRegularExpression lineEnd(QStringLiteral("[\r\n]"));
    const QStringList lines = text.split(lineEnd);
    for (auto it = lines.crbegin(); it != lines.crend(); ++it)
        if (!it->trimmed().isEmpty())
            return it->trimmed();
    return QString();
}

} // namespace

void ParseReport(const QString& text, ProbeResult& result)
{
    const qsizetype d = text.indexOf(QLatin1String("Duration:"));
    if (d >= 0)
        result.DurationText = text.mid(d + 10, 8);

    const QStringList lines = crTerminatedLines(text);
    const struct { QLatin1String key; QString* field; } rates[] = {
        {QLatin1String("bitrate:"), &result.TotalKbps},
        {QLatin1String("Video:"), &result.VideoKbps},
        {QLatin1String("Audio:"), &result.AudioKbps}};
    for (const auto& rate : rates)
        if (const std::optional<QString> line = lineWith(lines, rate.key))
            if (const std::optional<QString> v = kbpsValue(*line))
                *rate.field = *v;
    if (const std::optional<QString> line = lineWith(lines, QLatin1String("Video:")))
        if (const std::optional<QString> v = frameSizeValue(*line))
            result.FrameSize = *v;
}

void ProbeParser::feed(const QByteArray& chunk)
{
    const qsizetype nul = chunk.indexOf('\0');
    const qsizetype held = buffer_.size();  // holds no line end: those were consumed
    buffer_ += nul >= 0 ? chunk.left(nul) : chunk;
    const qsizetype end = lastLineEnd(buffer_, held);
    if (end < 0) {
        // A report that never ends a line (garbage) is not kept without end.
        if (buffer_.size() > (1 << 20))
            buffer_.remove(0, buffer_.size() - (64 << 10));
        return;
    }
    const QString text = QString::fromUtf8(buffer_);
    ParseReport(text, result_);
    const QString line = lastNonEmptyLine(QString::fromUtf8(buffer_.left(end)));
    if (!line.isEmpty())
        lastLine_ = line;
    buffer_.remove(0, end + 1);
}

QString ProbeParser::lastLine() const
{
    const QString rest = QString::fromUtf8(buffer_).trimmed();
    return rest.isEmpty() ? lastLine_ : rest;
}

int ParseDurationText(const QString& text)
{
    const std::optional<int> h = ToInt(text.mid(0, 2));
    const std::optional<int> m = ToInt(text.mid(3, 2));
    const std::optional<int> s = ToInt(text.mid(6, 2));
    if (!h || !m || !s)
        return 0;
    return *h * 3600 + *m * 60 + *s;
}

QString QuoteIfSpaced(const QString& path)
{
    return path.contains(u' ') ? u'"' + path + u'"' : path;
}

std::optional<qint64> ToInt64(const QString& text)
{
    qsizetype i = 0;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        ++i;
    if (i == text.size())
        return std::nullopt;
    for (qsizetype j = i; j < text.size(); ++j)
        if (!isAsciiDigit(text[j]))
            return std::nullopt;
    bool ok = false;
    const qint64 value = text.toLongLong(&ok, 10);
    return ok ? std::optional(value) : std::nullopt;
}

std::optional<int> ToInt(const QString& text)
{
    const std::optional<qint64> v = ToInt64(text);
    if (!v || *v < std::numeric_limits<int>::min() || *v > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(*v);
}

QString CaptionOf(const QString& path)
{
    const QString name = path.mid(path.lastIndexOf(u'/') + 1);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot >= 0 ? name.left(dot) : name;
}

std::optional<Toriginalinfo> CompleteProbe(const QString& path, ProbeResult p)
{
    const std::optional<int> total = ToInt(p.TotalKbps);
    if (!total)
        return std::nullopt;
    // A value that is there but not a number cannot enter the subtraction: derive it instead.
    if (!ToInt(p.VideoKbps))
        p.VideoKbps.clear();
    if (!ToInt(p.AudioKbps))
        p.AudioKbps.clear();

    if (p.VideoKbps.isEmpty())
        p.VideoKbps = QString::number(p.AudioKbps.isEmpty() ? *total : *total - *ToInt(p.AudioKbps));
    if (p.AudioKbps.isEmpty())
        p.AudioKbps = QString::number(*total - *ToInt(p.VideoKbps));
    if (p.AudioKbps == QLatin1String("0"))
        p.AudioKbps = QStringLiteral("128");
    if (p.FrameSize.isEmpty())
        p.FrameSize = QStringLiteral("320x240");

    Toriginalinfo info;
    info.SourcePath = path;
    info.FrameSize = p.FrameSize;
    info.DurationText = p.DurationText;
    const std::optional<int> video = ToInt(p.VideoKbps);
    const std::optional<int> audio = ToInt(p.AudioKbps);
    info.VideoKbps = video ? QString::number(*video) : QStringLiteral("768");
    info.AudioKbps = audio ? QString::number(*audio) : QStringLiteral("128");
    return info;
}

} // namespace sources
