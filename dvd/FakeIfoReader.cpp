#include "dvd/FakeIfoReader.h"

namespace dvd {

const FakeIfoFile* FakeIfoReader::file(int handle) const
{
    if (handle < 1 || handle > opened_.size())
        return nullptr;
    const auto it = files.constFind(opened_[handle - 1]);
    return it == files.constEnd() ? nullptr : &*it;
}

int FakeIfoReader::ifoOpen(const QString& ifoPath)
{
    calls.append(QStringLiteral("ifoOpen"));
    if (!files.contains(ifoPath))
        return 0;
    opened_.append(ifoPath);
    return static_cast<int>(opened_.size());
}

int FakeIfoReader::ifoGetNumPGCI(int handle)
{
    calls.append(QStringLiteral("ifoGetNumPGCI"));
    const FakeIfoFile* f = file(handle);
    return f ? static_cast<int>(f->chains.size()) : 0;
}

int FakeIfoReader::ifoGetNumAudio(int handle)
{
    calls.append(QStringLiteral("ifoGetNumAudio"));
    const FakeIfoFile* f = file(handle);
    return f ? static_cast<int>(f->audio.size()) : 0;
}

QString FakeIfoReader::ifoGetAudioDesc(int handle, int stream)
{
    calls.append(QStringLiteral("ifoGetAudioDesc"));
    const FakeIfoFile* f = file(handle);
    return f ? f->audio.value(stream) : QString();
}

int FakeIfoReader::ifoGetNumSubPic(int handle)
{
    calls.append(QStringLiteral("ifoGetNumSubPic"));
    const FakeIfoFile* f = file(handle);
    return f ? static_cast<int>(f->subpictures.size()) : 0;
}

QString FakeIfoReader::ifoGetSubPicDesc(int handle, int stream)
{
    calls.append(QStringLiteral("ifoGetSubPicDesc"));
    const FakeIfoFile* f = file(handle);
    return f ? f->subpictures.value(stream) : QString();
}

int FakeIfoReader::ifoGetPGCIInfo(int handle, int pgc, PgcPlaybackTime& time)
{
    calls.append(QStringLiteral("ifoGetPGCIInfo"));
    time = {};
    const FakeIfoFile* f = file(handle);
    if (!f || pgc < 0 || pgc >= f->chains.size())
        return 0;
    const FakeChain& c = f->chains[pgc];
    time = c.time;
    return c.reportedCells >= 0 ? c.reportedCells : static_cast<int>(c.cells.size());
}

QVector<PgcCellEntry> FakeIfoReader::ifoGetPGCICells(int handle, int pgc)
{
    calls.append(QStringLiteral("ifoGetPGCICells"));
    const FakeIfoFile* f = file(handle);
    if (!f || pgc < 0 || pgc >= f->chains.size())
        return {};
    return f->chains[pgc].cells;
}

QString FakeIfoReader::ifoGetVideoDesc(int handle)
{
    calls.append(QStringLiteral("ifoGetVideoDesc"));
    const FakeIfoFile* f = file(handle);
    return f ? f->video : QString();
}

FakeChain MakeChain(const QVector<int>& cellSeconds, quint32 sectorsPerCell, quint32 firstSector)
{
    FakeChain chain;
    int total = 0;
    quint32 sector = firstSector;
    for (int s : cellSeconds) {
        PgcCellEntry cell;
        cell.FirstSector = sector;
        cell.LastSector = sector + sectorsPerCell - 1;
        cell.hours = s / 3600;
        cell.minutes = s / 60 % 60;
        cell.seconds = s % 60;
        chain.cells.append(cell);
        sector += sectorsPerCell;
        total += s;
    }
    chain.time = {total / 3600, total / 60 % 60, total % 60};
    return chain;
}

} // namespace dvd
