// What ffmpeg 5.1's encoders accept, for the few whose limits make a plain job fail: audio
// bitrate tables and minimums, picture-size alignments and fixed size lists. Also which muxer
// and default encoders ffmpeg picks for an output name. Standard C++ only.
#pragma once

#include <string>
#include <utility>

namespace reg {

// The encoder ffmpeg uses for a codec or encoder name ("h264" -> "libx264", "mp3" ->
// "libmp3lame"); other names unchanged, lower-cased.
std::string canonicalEncoder(const std::string& name);

// The muxer ffmpeg 5.1 guesses from an extension (lower case, no dot); "" when not known here.
std::string muxerForExtension(const std::string& ext);

// The default video and audio encoders of a muxer ("" when it has none or it is not known here).
std::pair<std::string, std::string> defaultEncoders(const std::string& muxer);

// The nearest audio bitrate (bit/s) the encoder accepts at that sample rate and channel count
// (0 = unknown).
long long snapAudioBitrate(const std::string& encoder, long long bitsPerSecond, int sampleRate, int channels);

// The nearest picture size the encoder accepts, keeping the aspect as far as it can.
std::pair<int, int> snapPictureSize(const std::string& encoder, int width, int height);

// RealMedia holds packets of at most 64 kB, and one picture is one packet: pictures larger than
// this area, and video rates above this ceiling, are what make RM jobs fail.
constexpr long long RealMediaMaxArea = 720 * 576;
constexpr long long RealMediaMaxVideoRate = 4000000;
// The rate-control buffer (bits) that keeps every RM picture well below a packet's limit.
constexpr long long RealMediaBufferBits = 400000;

// The size scaled down to at most maxArea pixels, keeping the aspect, aligned as the encoder
// wants; the size itself when it is small enough.
std::pair<int, int> fitPictureArea(const std::string& encoder, int width, int height, long long maxArea);

// Encoders that take one channel count or sample rate only: the value to use, or 0.
int requiredChannels(const std::string& encoder);
int requiredSampleRate(const std::string& encoder);

} // namespace reg
