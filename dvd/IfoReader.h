// The IFO reader: what the DVD listing asks of one IFO file, in nine entries. The listing rules
// are written against this interface only; DvdReadIfoReader reads real discs through
// libdvdread and FakeIfoReader serves a table held in memory.
#pragma once

#include <QString>
#include <QVector>
#include <QtGlobal>

#include <memory>

namespace dvd {

// A program chain's playback time in plain numbers (not BCD).
struct PgcPlaybackTime {
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
};

// One cell of a program chain: its sector range and playback time in plain numbers.
struct PgcCellEntry {
    quint32 FirstSector = 0;
    quint32 LastSector = 0;
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
};

// Handles are small positive numbers; 0 means "cannot open". Every entry accepts any handle,
// chain or stream index: out-of-range values give 0, an empty text or no cells. Handles stay
// valid for the reader's lifetime.
class IfoReader {
public:
    virtual ~IfoReader() = default;

    virtual int ifoOpen(const QString& ifoPath) = 0;
    virtual int ifoGetNumPGCI(int handle) = 0;
    virtual int ifoGetNumAudio(int handle) = 0;
    // "English AC3 2ch (0x80)": the four characters before the first ")" are the stream id.
    virtual QString ifoGetAudioDesc(int handle, int stream) = 0;
    virtual int ifoGetNumSubPic(int handle) = 0;
    // "English (0x20)".
    virtual QString ifoGetSubPicDesc(int handle, int stream) = 0;
    // The chain's cell count; `time` receives its playback time.
    virtual int ifoGetPGCIInfo(int handle, int pgc, PgcPlaybackTime& time) = 0;
    virtual QVector<PgcCellEntry> ifoGetPGCICells(int handle, int pgc) = 0;
    // "MPEG2 720x576 PAL 4:3": the second word is the frame size.
    virtual QString ifoGetVideoDesc(int handle) = 0;
};

// The libdvdread reader (dvd/DvdReadIfoReader.h has the rest of its interface).
std::unique_ptr<IfoReader> MakeDvdReadIfoReader();

} // namespace dvd
