#include "dvd/DvdListing.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <limits>

namespace dvd {

void DvdList::clearRows()
{
    Rows.clear();
    DvdRowInfos.clear();
    CellTimeTable.clear();
    AudioChoice.clear();
    SubtitleChoice.clear();
}

void DvdList::clearAll()
{
    clearRows();
    TitleSets.clear();
    TitleChecks.clear();
    ChapterChecks.clear();
}

void DvdList::removeRows(const QList<int>& rows, bool titleMode)
{
    QList<int> gone;
    for (int r : rows)
        if (r >= 0 && r < rowCount() && !gone.contains(r))
            gone.append(r);
    std::sort(gone.begin(), gone.end(), std::greater<int>());
    QVector<bool>& memory = checks(titleMode);
    for (int r : std::as_const(gone)) {
        Rows.removeAt(r);
        DvdRowInfos.removeAt(r);
        if (r < CellTimeTable.size())
            CellTimeTable.removeAt(r);
        AudioChoice.removeAt(r);
        SubtitleChoice.removeAt(r);
        if (r < memory.size())
            memory.removeAt(r);
    }
    const auto shifted = [&gone](qint32 row) {
        return row - static_cast<qint32>(std::count_if(gone.begin(), gone.end(), [row](int r) { return r < row; }));
    };
    for (TIFOSelint& t : TitleSets) {
        t.FirstRow = shifted(t.FirstRow);
        t.EndRow = shifted(t.EndRow);
    }
}

qint64 ToSeconds(qint64 hours, qint64 minutes, qint64 seconds)
{
    return hours * 3600 + minutes * 60 + seconds;
}

QString TwoDigits(qint64 n)
{
    return n < 10 && n >= 0 ? QStringLiteral("0") + QString::number(n) : QString::number(n);
}

QString StreamIdOf(const QString& description)
{
    const int p = description.indexOf(QLatin1Char(')'));
    if (p < 0)
        return QStringLiteral("0");
    return description.mid(qMax(0, p - 4), qMin(p, 4));
}

QString SecondsToHms(qint64 seconds)
{
    const qint64 hours = seconds / 3600;
    const qint64 minutes = (seconds - hours * 3600) / 60;
    return QString::asprintf("%.2lld:%.2lld:%.2lld", hours, minutes, seconds % 60);
}

QString FrameSizeOf(const QString& videoDescription)
{
    const int first = videoDescription.indexOf(QLatin1Char(' '));
    if (first < 0)
        return QString();
    const int second = videoDescription.indexOf(QLatin1Char(' '), first + 1);
    if (second < 0)
        return QString();
    return videoDescription.mid(first + 1, second - first - 1);
}

namespace {

// A sector number read from a disc, kept only when it fits the list's 32-bit fields.
bool fits(quint32 sector)
{
    return sector <= static_cast<quint32>(std::numeric_limits<qint32>::max());
}

void appendRow(DvdList& list, const QString& caption, const QString& frameSize, qint64 seconds, const TConvertInfo& info,
               const CellTimeEntry* cell)
{
    list.Rows.append({caption, frameSize, seconds});
    list.DvdRowInfos.append(info);
    list.AudioChoice.append(0);
    list.SubtitleChoice.append(0);
    if (cell) {
        list.CellTimeTable.resize(list.rowCount() - 1);
        list.CellTimeTable.append(*cell);
    }
}

// Lists one IFO file into title set `index` of the list.
void listIfo(IfoReader& reader, const QString& path, DvdList& list, int index, bool chapters)
{
    TIFOSelint& set = list.TitleSets[index];
    set.FirstRow = set.EndRow = list.rowCount();
    set.AudioCount = 0;
    set.AudioDescs.clear();
    set.SubPicCount = 0;
    set.SubPicDescs.clear();

    const int handle = reader.ifoOpen(path);
    if (handle == 0)
        return;
    const int chains = reader.ifoGetNumPGCI(handle);
    set.AudioCount = qMax(0, reader.ifoGetNumAudio(handle));
    for (int i = 0; i < set.AudioCount; ++i)
        set.AudioDescs.append(reader.ifoGetAudioDesc(handle, i));
    set.SubPicCount = qMax(0, reader.ifoGetNumSubPic(handle));
    for (int i = 0; i < set.SubPicCount; ++i)
        set.SubPicDescs.append(reader.ifoGetSubPicDesc(handle, i));
    const QString audioId = set.AudioDescs.isEmpty() ? QStringLiteral("0") : StreamIdOf(set.AudioDescs.first());

    for (int c = 0; c < chains; ++c) {
        PgcPlaybackTime time;
        const int cellCount = reader.ifoGetPGCIInfo(handle, c, time);
        QVector<PgcCellEntry> cells = reader.ifoGetPGCICells(handle, c);
        // Only cells that both the count and the table vouch for are read.
        if (cells.size() > cellCount)
            cells.resize(qMax(0, cellCount));

        const qint64 secs = ToSeconds(time.hours, time.minutes, time.seconds);
        if (secs == 0 || cells.isEmpty())
            continue;  // no playback time, or nothing to play
        if (!fits(cells.first().FirstSector) || !fits(cells.last().LastSector))
            continue;
        TConvertInfo title;
        title.AudioId = audioId;
        title.StartSector = cells.first().FirstSector;
        title.EndSector = cells.last().LastSector;
        if (title.EndSector - title.StartSector < 1000)
            continue;  // the title's chapters go with it
        title.IfoPath = path;
        title.Duration = secs;
        title.StartSecond = 0;
        title.EndSecond = static_cast<qint32>(secs);
        const QString frameSize = FrameSizeOf(reader.ifoGetVideoDesc(handle));
        CellTimeEntry marker;
        marker.IsTitleMarker = true;
        appendRow(list, QStringLiteral("Title_") + TwoDigits(list.rowCount() + 1), frameSize, secs, title,
                  chapters ? &marker : nullptr);
        if (!chapters)
            continue;

        qint64 startSecond = 0;
        for (int j = 0; j < cells.size(); ++j) {
            const PgcCellEntry& cell = cells[j];
            const qint64 csecs = ToSeconds(cell.hours, cell.minutes, cell.seconds);
            const qint64 cellStart = startSecond;
            startSecond += csecs;
            if (csecs == 0 || !fits(cell.FirstSector) || !fits(cell.LastSector))
                continue;
            TConvertInfo chapter;
            chapter.AudioId = audioId;
            chapter.StartSector = cell.FirstSector;
            chapter.EndSector = cell.LastSector;
            if (chapter.EndSector - chapter.StartSector < 1000)
                continue;
            chapter.IfoPath = path;
            chapter.Duration = csecs;
            chapter.StartSecond = static_cast<qint32>(cellStart);
            chapter.EndSecond = static_cast<qint32>(cellStart + csecs);
            const CellTimeEntry entry{chapter.StartSector, chapter.EndSector, chapter.StartSecond, chapter.EndSecond,
                                      false};
            appendRow(list, QStringLiteral("  Chapter_") + TwoDigits(j + 1), FrameSizeOf(reader.ifoGetVideoDesc(handle)),
                      csecs, chapter, &entry);
        }
    }
    set.EndRow = list.rowCount();
}

} // namespace

void ListTitles(IfoReader& reader, const QString& ifoPath, DvdList& list)
{
    if (!list.TitleSets.isEmpty())
        listIfo(reader, ifoPath, list, static_cast<int>(list.TitleSets.size()) - 1, false);
}

void ListChapters(IfoReader& reader, const QString& ifoPath, DvdList& list)
{
    if (!list.TitleSets.isEmpty())
        listIfo(reader, ifoPath, list, static_cast<int>(list.TitleSets.size()) - 1, true);
}

void AddTitleSet(IfoReader& reader, const QString& ifoPath, bool titleMode, DvdList& list)
{
    TIFOSelint set;
    set.IfoPath = ifoPath;
    set.FirstRow = set.EndRow = list.rowCount();
    list.TitleSets.append(set);
    if (titleMode)
        ListTitles(reader, ifoPath, list);
    else
        ListChapters(reader, ifoPath, list);
}

namespace {

// Walks a folder as FindTitleSets does and hands every IFO file found to `take`.
bool searchIfoFiles(const QString& folder, const std::function<void(const QString&)>& take,
                    const std::function<void()>& pump)
{
    bool result = false;
    QString base = folder;
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    // Name order: the order a disc's file system lists its files in, whatever the folder's
    // file system on this machine does.
    const QFileInfoList entries = QDir(base).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& entry : entries) {
        if (pump) {
            pump();
            pump();
        }
        const QString name = entry.fileName();
        if (!entry.isDir() && entry.suffix().compare(QLatin1String("ifo"), Qt::CaseInsensitive) == 0) {
            if (name.compare(QLatin1String("video_ts.ifo"), Qt::CaseInsensitive) == 0)
                continue;
            take(base + name);
            result = true;
        }
        if (entry.isDir() && name.compare(QLatin1String("video_ts"), Qt::CaseInsensitive) == 0) {
            if (searchIfoFiles(base + name, take, pump)) {
                result = true;
                break;
            }
        }
    }
    return result;
}

} // namespace

bool FindTitleSets(IfoReader& reader, const QString& folder, bool titleMode, DvdList& list,
                   const std::function<void()>& pump)
{
    return searchIfoFiles(
        folder, [&](const QString& path) { AddTitleSet(reader, path, titleMode, list); }, pump);
}

QStringList FindIfoFiles(const QString& folder)
{
    QStringList found;
    searchIfoFiles(folder, [&found](const QString& path) { found.append(path); }, {});
    return found;
}

void Relist(IfoReader& reader, bool titleMode, DvdList& list)
{
    list.clearRows();
    for (int i = 0; i < list.TitleSets.size(); ++i)
        listIfo(reader, list.TitleSets[i].IfoPath, list, i, !titleMode);
}

int LongestRow(const DvdList& list)
{
    int best = 0;
    qint64 bestSpan = 0;
    for (int i = 0; i < list.DvdRowInfos.size(); ++i) {
        const qint64 span = list.DvdRowInfos[i].EndSector - list.DvdRowInfos[i].StartSector;
        if (span > bestSpan) {
            bestSpan = span;
            best = i;
        }
    }
    return best;
}

QVector<bool> CheckMarksFrom(const QVector<bool>& memory, int rowCount)
{
    QVector<bool> marks(rowCount, true);
    for (int i = 0; i < rowCount && i < memory.size(); ++i)
        marks[i] = memory[i];
    return marks;
}

int TitleSetOfRow(const DvdList& list, int row)
{
    for (int i = 0; i < list.TitleSets.size(); ++i)
        if (list.TitleSets[i].FirstRow <= row && row < list.TitleSets[i].EndRow)
            return i;
    return -1;
}

} // namespace dvd
