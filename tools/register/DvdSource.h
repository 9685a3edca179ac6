// A DVD job's input: the title set's VOB sectors S..E read with libdvdread, handed out in
// order. Opening checks the reference against the disc (title set, sector range, CSS) and
// looks ahead for the first packets of the chosen audio and subpicture streams, so ffmpeg can
// be told how far to probe.
#pragma once

#include "tools/register/DvdReference.h"

#include <cstdint>
#include <string>
#include <vector>

struct dvd_reader_s;
struct dvd_file_s;

namespace reg {

class DvdSource {
public:
    DvdSource() = default;
    DvdSource(const DvdSource&) = delete;
    DvdSource& operator=(const DvdSource&) = delete;
    ~DvdSource();

    // Opens the reference's disc; false with a one-line reason and an exit code.
    bool open(const DvdReference& ref, std::string& error, int& exitCode);

    // The next bytes of the range (whole sectors); empty at the end. False on a read error.
    bool next(std::vector<uint8_t>& chunk, std::string& error);

    // Byte offset of the stream's first packet in the range, or -1 when none was found in the
    // part looked at.
    long long firstPacket(int psId) const;

    // The title's subpicture palette as ffmpeg's dvdsub decoder takes it (16 RGB hex values
    // separated by commas); empty when the IFO has none.
    const std::string& palette() const { return palette_; }

    // The folder (or image) that was opened.
    const std::string& rootPath() const { return rootPath_; }

private:
    dvd_reader_s* dvd_ = nullptr;
    dvd_file_s* file_ = nullptr;
    long long nextSector_ = 0;
    long long endSector_ = 0;   // inclusive
    std::vector<uint8_t> head_; // the first sectors, read while looking ahead
    bool headGiven_ = false;
    long long audioOffset_ = -1;
    long long subOffset_ = -1;
    int audioId_ = 0;
    int subId_ = 0;
    std::string palette_;
    std::string rootPath_;
};

// The folder holding VIDEO_TS for a reference's ROOT (documented in main.cpp); empty with a
// reason when there is none.
std::string resolveDvdRoot(const std::string& root, std::string& error);

} // namespace reg
