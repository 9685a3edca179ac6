// The probe's description of a source: ffprobe's key=value text in, the report lines the
// program's probe parser reads out ("Duration: HH:MM:SS.xx", "bitrate: N kb/s", a "Video:" line
// with WxH first and its kb/s, an "Audio:" line with its kb/s), each ending in CR LF.
// Bitrates come from the stream's own figure, then Matroska's BPS tag, then the container's
// total less the known streams, and only then from a sample of packets. Standard C++ only.
#pragma once

#include <string>
#include <vector>

namespace reg {

struct ProbeStream {
    int index = -1;
    std::string type;       // "video", "audio", ...
    std::string codec;
    std::string profile;
    std::string pixFmt;
    std::string channelLayout;
    int width = 0;
    int height = 0;
    int sampleRate = 0;
    int channels = 0;
    double fps = 0;
    long long bitRate = -1;   // ffprobe's stream bit_rate
    long long tagBps = -1;    // Matroska statistics tag BPS
    double duration = -1;
    bool attachedPic = false;
    // Packet sample
    long long sampledBytes = 0;
    double sampleFirst = 1e300;
    double sampleLast = -1e300;
};

struct ProbeData {
    std::string formatName;
    double duration = -1;
    long long bitRate = -1;
    long long size = -1;
    std::vector<ProbeStream> streams;
    bool sampled = false;     // packet lines were read
};

// Reads ffprobe's "default" writer output ([STREAM], [FORMAT], [PACKET] sections); packet
// sections add to the streams' samples.
void parseFfprobe(const std::string& text, ProbeData& data);

// True when a reported stream's rate cannot be told without a packet sample.
bool needsPacketSample(const ProbeData& data);

// The report lines; empty when ffprobe found no format at all.
std::string renderReport(const ProbeData& data);

// Resolved figures, for tests and the report: -1 when unknown.
struct ProbeFigures {
    double duration = -1;
    long long totalBps = -1;
    int video = -1;           // index into streams of the reported video stream
    int audio = -1;
    long long videoBps = -1;
    long long audioBps = -1;
};
ProbeFigures resolveFigures(const ProbeData& data);

} // namespace reg
