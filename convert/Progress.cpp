#include "convert/Progress.h"

#include "sources/Probe.h"

#include <QRegularExpression>
#include <QStringList>

namespace progress {
namespace {

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

constexpr qsizetype MaxHeldBytes = 1 << 20;
constexpr qsizetype KeptBytes = 64 << 10;

bool isProgressLine(const QString& line)
{
    return line.contains(QLatin1String("time="));
}

} // namespace

qint64 ParseProgressSeconds(const QString& text)
{
    const qsizetype t = text.indexOf(QLatin1String("time="));
    const qsizetype b = text.indexOf(QLatin1String("bitrate="));
    if (t < 0 || b < 0 || b <= t)
        return 0;
    const qsizetype from = t + 5;
    const qsizetype dot = text.indexOf(u'.', from);
    QString seconds;
    if (dot >= 0 && dot < b) {
        seconds = text.mid(from, dot - from);
    } else {
        qsizetype end = from;
        while (end < b && isAsciiDigit(text[end]))
            ++end;
        seconds = text.mid(from, end - from);
    }
    const std::optional<qint64> v = sources::ToInt64(seconds);
    if (!v || *v > 100000)
        return 0;
    return *v;
}

int ProgressUnits(qint64 seconds, int progressBase, qint32 durationSec)
{
    const qint64 num = seconds * qint64(10000 - progressBase);
    const qint64 d = durationSec;
    qint64 q = num / d;
    qint64 r = num % d;
    if (r < 0) {  // floor division, so the remainder test below holds for negative values too
        r += d;
        --q;
    }
    if (2 * r > d || (2 * r == d && (q & 1)))
        ++q;
    return int(q);
}

QString ProgressText(int value)
{
    const int v = value < 0 ? 0 : value;
    return QStringLiteral("%1.%2%").arg(v / 100, 2, 10, QLatin1Char('0')).arg(v % 100, 2, 10, QLatin1Char('0'));
}

QString ClockText(qint64 seconds)
{
    const qint64 s = seconds < 0 ? 0 : seconds;
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

std::optional<qint64> ProgressFeed::feed(const QByteArray& chunk)
{
    const qsizetype nul = chunk.indexOf('\0');
    const qsizetype held = buffer_.size();  // holds no line end: those were consumed
    buffer_ += nul >= 0 ? chunk.left(nul) : chunk;
    qsizetype last = -1;
    for (qsizetype i = buffer_.size() - 1; i >= held; --i) {
        if (buffer_[i] == '\r' || buffer_[i] == '\n') {
            last = i;
            break;
        }
    }
    if (last < 0) {
        // Output that never ends a line (a transcoder printing garbage) is not kept without end.
        if (buffer_.size() > MaxHeldBytes)
            buffer_.remove(0, buffer_.size() - KeptBytes);
        return std::nullopt;
    }
    // Every line end sees the whole buffer, so the first progress line still held counts.
    const qint64 s = ParseProgressSeconds(QString::fromUtf8(buffer_));
    static const QRegularExpression lineEnd(QStringLiteral("[\r\n]"));
    const QStringList lines = QString::fromUtf8(buffer_.left(last)).split(lineEnd);
    for (const QString& line : lines) {
        const QString l = line.trimmed();
        if (!l.isEmpty() && !isProgressLine(l))
            lastMessage_ = l;
    }
    buffer_.remove(0, last + 1);
    return s != 0 ? std::optional(s) : std::nullopt;
}

QString ProgressFeed::lastMessage() const
{
    const QString rest = QString::fromUtf8(buffer_).trimmed();
    return !rest.isEmpty() && !isProgressLine(rest) ? rest : lastMessage_;
}

} // namespace progress
