// The IFO reader on libdvdread. An IFO path is opened as its folder (DVDOpen2, one reader per
// folder, shared by the folder's IFO files) plus the title-set number taken from characters 5
// and 6 of its file name. Every count and index read from the disc is range-checked, so a
// damaged or hostile IFO file yields fewer chains or cells, never a read outside its tables.
#pragma once

#include "dvd/IfoReader.h"

#include <QStringList>

namespace dvd {

class DvdReadIfoReader : public IfoReader {
public:
    DvdReadIfoReader();
    ~DvdReadIfoReader() override;
    DvdReadIfoReader(const DvdReadIfoReader&) = delete;
    DvdReadIfoReader& operator=(const DvdReadIfoReader&) = delete;

    int ifoOpen(const QString& ifoPath) override;
    int ifoGetNumPGCI(int handle) override;
    int ifoGetNumAudio(int handle) override;
    QString ifoGetAudioDesc(int handle, int stream) override;
    int ifoGetNumSubPic(int handle) override;
    QString ifoGetSubPicDesc(int handle, int stream) override;
    int ifoGetPGCIInfo(int handle, int pgc, PgcPlaybackTime& time) override;
    QVector<PgcCellEntry> ifoGetPGCICells(int handle, int pgc) override;
    QString ifoGetVideoDesc(int handle) override;

    // What libdvdread reported through its log callback, oldest first.
    QStringList log() const;

    // True when the first sectors of the handle's title VOBs carry scrambled (CSS) packets.
    bool titleIsScrambled(int handle);

    struct Impl;

private:
    std::unique_ptr<Impl> d_;
};

} // namespace dvd
