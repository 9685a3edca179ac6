#include "dvd/DvdReference.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <cmath>

namespace dvd {

QString TitleSetNumberText(const QString& ifoPath)
{
    return QFileInfo(ifoPath).fileName().mid(4, 2);
}

QString DiscRoot(const QString& ifoPath)
{
    const QFileInfo info(ifoPath);
    const QString folder = QDir::cleanPath(info.absolutePath());
    if (QFileInfo(folder).fileName().compare(QLatin1String("video_ts"), Qt::CaseInsensitive) != 0)
        return folder;
    const int slash = folder.lastIndexOf(QLatin1Char('/'));
    return slash <= 0 ? QStringLiteral("/") : folder.left(slash);
}

QString DvdReference(const TConvertInfo& row, qint64 startSector)
{
    return QStringLiteral("vts://%1*%2*%3*%4*%5*/%6")
        .arg(TitleSetNumberText(row.IfoPath))
        .arg(startSector)
        .arg(row.EndSector)
        .arg(row.AudioId, row.SubtitleId, DiscRoot(row.IfoPath));
}

int StreamIdValue(const QString& idText)
{
    bool ok = false;
    const int value = idText.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ? idText.mid(2).toInt(&ok, 16)
                                                                                    : idText.toInt(&ok, 10);
    return ok && value >= 0 ? value : -1;
}

std::optional<ParsedDvdReference> ParseDvdReference(const QString& text)
{
    static const QString scheme = QStringLiteral("vts://");
    if (!text.startsWith(scheme))
        return std::nullopt;
    const int rootMark = text.indexOf(QLatin1String("*/"), scheme.size());
    if (rootMark < 0)
        return std::nullopt;
    const QStringList fields = text.mid(scheme.size(), rootMark - scheme.size()).split(QLatin1Char('*'));
    if (fields.size() != 5)
        return std::nullopt;
    ParsedDvdReference r;
    bool ok[3] = {};
    r.titleSet = fields[0].toInt(&ok[0]);
    r.startSector = fields[1].toLongLong(&ok[1]);
    r.endSector = fields[2].toLongLong(&ok[2]);
    r.audioId = StreamIdValue(fields[3]);
    r.subtitleId = StreamIdValue(fields[4]);
    if (!ok[0] || !ok[1] || !ok[2] || r.audioId < 0 || r.subtitleId < 0)
        return std::nullopt;
    r.root = text.mid(rootMark + 2);
    return r;
}

qint64 SecondToSector(const QVector<CellTimeEntry>& table, qint32 a)
{
    for (const CellTimeEntry& e : table) {
        if (e.IsTitleMarker)
            continue;
        if (e.StartSecond < a && a < e.EndSecond) {
            // MulDiv: 64-bit product, quotient rounded to the nearest integer.
            const double q = static_cast<double>(static_cast<qint64>(a - e.StartSecond) * (e.LastSector - e.FirstSector))
                             / static_cast<double>(e.EndSecond - e.StartSecond);
            return e.FirstSector + static_cast<qint64>(std::llround(q));
        }
    }
    return 0;
}

} // namespace dvd
