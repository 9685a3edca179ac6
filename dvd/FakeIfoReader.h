// An IFO reader over a table held in memory, for tests of the listing rules: any path can be
// given chains, cells and stream texts, including what a real disc rarely shows (zero times,
// chains without cells, cell counts that disagree with the cell table, hundreds of chains).
#pragma once

#include "dvd/IfoReader.h"

#include <QHash>
#include <QStringList>

namespace dvd {

struct FakeChain {
    PgcPlaybackTime time;
    QVector<PgcCellEntry> cells;
    int reportedCells = -1;  // cell count ifoGetPGCIInfo reports; -1: the table's size
};

struct FakeIfoFile {
    QStringList audio;
    QStringList subpictures;
    QString video = QStringLiteral("MPEG2 720x576 PAL 4:3");
    QVector<FakeChain> chains;
};

class FakeIfoReader : public IfoReader {
public:
    // Paths not in the table cannot be opened.
    QHash<QString, FakeIfoFile> files;
    QStringList calls;  // entry names in call order

    int ifoOpen(const QString& ifoPath) override;
    int ifoGetNumPGCI(int handle) override;
    int ifoGetNumAudio(int handle) override;
    QString ifoGetAudioDesc(int handle, int stream) override;
    int ifoGetNumSubPic(int handle) override;
    QString ifoGetSubPicDesc(int handle, int stream) override;
    int ifoGetPGCIInfo(int handle, int pgc, PgcPlaybackTime& time) override;
    QVector<PgcCellEntry> ifoGetPGCICells(int handle, int pgc) override;
    QString ifoGetVideoDesc(int handle) override;

private:
    const FakeIfoFile* file(int handle) const;
    QStringList opened_;
};

// A chain of cells with the given seconds, each spanning `sectorsPerCell` sectors, laid out
// one after another from `firstSector`; the chain's time is the cells' sum.
FakeChain MakeChain(const QVector<int>& cellSeconds, quint32 sectorsPerCell = 2000, quint32 firstSector = 0);

} // namespace dvd
