// The "vts://VV*S*E*A*U*/ROOT" input of DVD jobs, and the MPEG programme-stream facts the
// transcoder needs from a title set's sectors (where a stream's first packet lies, whether the
// sectors are CSS-scrambled). Standard C++ only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace reg {

struct DvdReference {
    int titleSet = 0;        // VV, 1..99
    long long start = 0;     // S, first sector (2048 bytes) of the title set's VOBs
    long long end = 0;       // E, last sector, inclusive
    int audioId = 0;         // A, MPEG-PS id (0x80 AC3, 0x88 DTS, 0xA0 LPCM, 0xC0 MPEG); 0 = no audio
    int subpictureId = 0;    // U, 0x20..0x3F; 0 = burn nothing
    std::string root;        // the folder holding VIDEO_TS (or an image/device); may be empty
};

bool isDvdReference(const std::string& input);

// nullopt and a one-line reason when the text is malformed.
std::optional<DvdReference> parseDvdReference(const std::string& input, std::string& error);

// ffmpeg's stream id for an MPEG-PS id: MPEG audio 0xC0..0xDF is 0x1C0..0x1DF, private-stream
// substreams (AC3, DTS, LPCM, subpictures) keep their id.
int ffmpegStreamId(int psId);

// The stream (PES id 0xE0.., 0xC0..) or private-stream-1 substream (0x20.., 0x80..) id a
// packet carries, and where its payload begins; false for packs, padding and navigation.
struct PsPacket {
    int id = 0;           // substream id for private stream 1, else the PES stream id
    bool scrambled = false;
    size_t offset = 0;    // of the packet start code in the buffer
};

// Calls visit(packet) for each PES packet found in whole 2048-byte sectors of the buffer;
// visit returns false to stop. Malformed sectors are skipped.
template <typename Visit>
void forEachPacket(const uint8_t* data, size_t length, Visit visit);

// Byte offset of the first packet of that MPEG-PS id in the buffer, or -1.
long long firstPacketOffset(const uint8_t* data, size_t length, int psId);

// True when any audio/video packet in the buffer has its PES scrambling bits set (CSS).
bool anyScrambled(const uint8_t* data, size_t length);

// ---- implementation of the template ----

template <typename Visit>
void forEachPacket(const uint8_t* data, size_t length, Visit visit)
{
    for (size_t sector = 0; sector + 2048 <= length; sector += 2048) {
        const uint8_t* s = data + sector;
        size_t p = 0;
        if (!(s[0] == 0 && s[1] == 0 && s[2] == 1 && s[3] == 0xBA))
            continue;
        if ((s[4] & 0xC0) == 0x40)
            p = 14 + (s[13] & 0x07);  // MPEG-2 pack header and its stuffing
        else
            p = 12;                   // MPEG-1 pack header
        while (p + 6 <= 2048) {
            if (!(s[p] == 0 && s[p + 1] == 0 && s[p + 2] == 1))
                break;
            const int sid = s[p + 3];
            const size_t len = (size_t(s[p + 4]) << 8) | s[p + 5];
            if (sid == 0xBA || sid < 0xBB)
                break;
            PsPacket pkt;
            pkt.offset = sector + p;
            const bool av = sid == 0xBD || (sid >= 0xC0 && sid <= 0xEF);
            if (av && p + 9 <= 2048 && (s[p + 6] & 0xC0) == 0x80) {
                pkt.scrambled = (s[p + 6] & 0x30) != 0;
                const size_t payload = p + 9 + s[p + 8];
                if (sid == 0xBD) {
                    if (payload < 2048 && payload < p + 6 + len)
                        pkt.id = s[payload];
                } else {
                    pkt.id = sid;
                }
                if (pkt.id && !visit(pkt))
                    return;
            }
            p += 6 + len;
        }
    }
}

} // namespace reg
