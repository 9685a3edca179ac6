// "vts://" sources of DVD rows: the reference text VV*S*E*A*U*/ROOT (title set, first and last
// sector, audio and subtitle stream ids, disc root) and a libmpv stream protocol that serves
// those sectors of the title set's VOB files, read with libdvdread.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

struct mpv_handle;

namespace preview {

struct VtsSource {
    int titleSet = 0;         // VV
    qint64 firstSector = 0;   // S, relative to the title set's VOBs
    qint64 lastSector = 0;    // E, inclusive
    int audioId = 0;          // A as a stream id (0x80 = 128); 0: no audio stream
    int subtitleId = 0;       // U as a stream id (0x20 = 32); 0: no subtitle
    QString root;             // the folder holding VIDEO_TS
};

// The parts of a "vts://" text, or nothing when it is not one or a part does not read.
std::optional<VtsSource> ParseVtsSource(const QByteArray& text);

// Makes "vts://" sources playable by this player instance; false when libmpv refused.
bool RegisterVtsProtocol(mpv_handle* mpv);

} // namespace preview
