// Encoder limits measured on Debian 12's ffmpeg 5.1 (with libavcodec-extra): each rule below
// exists because a job with a source's own rate or size failed without it.
#include "tools/register/Snap.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <map>
#include <vector>

namespace reg {

namespace {

std::string lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

long long nearest(const std::vector<long long>& table, long long value)
{
    long long best = table.front();
    for (long long v : table)
        if (std::llabs(v - value) < std::llabs(best - value))
            best = v;
    return best;
}

int roundTo(int value, int step)
{
    return std::max(step, (value + step / 2) / step * step);
}

// The average rates libvorbis accepts: it picks a tuning by sample rate, and each tuning has its
// own range per channel layout (measured; a rate just outside fails with "encoder setup failed").
// Where two tunings meet, a rate is accepted when either accepts it; the range given is the
// upper tuning's. More than two channels are coded one by one, each in the mono range. Unknown
// rates are taken as 44.1/48 kHz, unknown channel counts as either mono or stereo (the range
// both accept). Above 50 kHz no average rate is accepted at all.
std::pair<long long, long long> vorbisRange(int sampleRate, int channels)
{
    struct Tuning {
        int fromRate;
        long long monoLow, monoHigh, stereoLow, stereoHigh;
    };
    static const Tuning tunings[] = {
        {40000, 32000, 240000, 45000, 500000}, {26000, 30000, 190000, 36000, 380000},
        {19001, 16000, 90000, 30000, 180000},  {15000, 16000, 100000, 24000, 200000},
        {9000, 12000, 50000, 16000, 100000},   {0, 8000, 42000, 12000, 84000},
    };
    const int rate = sampleRate > 0 ? sampleRate : 44100;
    const Tuning* t = &tunings[0];
    for (const Tuning& candidate : tunings)
        if (rate >= candidate.fromRate) {
            t = &candidate;
            break;
        }
    if (channels == 1)
        return {t->monoLow, t->monoHigh};
    if (channels == 2)
        return {t->stereoLow, t->stereoHigh};
    if (channels > 2)
        return {t->monoLow * channels, t->monoHigh * channels};
    return {std::max(t->monoLow, t->stereoLow), std::min(t->monoHigh, t->stereoHigh)};
}

// The multiple the encoder wants picture sides to be (1: any size).
int alignment(const std::string& e)
{
    if (e == "rv10")
        return 16;
    if (e == "rv20" || e == "h263p")
        return 4;
    // Encoders measured to take odd sizes keep the size as it is.
    static const char* const anySize[] = {"mpeg4", "msmpeg4", "msmpeg4v2", "flv", "mpeg1video",
                                          "mpeg2video", "mjpeg", "libvpx", "libvpx-vp9", "libtheora",
                                          "huffyuv", "ffv1", "png", "bmp", "gif", "rawvideo", "copy"};
    for (const char* a : anySize)
        if (e == a)
            return 1;
    return 2;
}

} // namespace

std::string canonicalEncoder(const std::string& name)
{
    static const std::map<std::string, std::string> byCodec = {
        {"h264", "libx264"},          {"x264", "libx264"},       {"hevc", "libx265"},
        {"h265", "libx265"},          {"mp3", "libmp3lame"},     {"vorbis", "libvorbis"},
        {"opus", "libopus"},          {"vp8", "libvpx"},         {"vp9", "libvpx-vp9"},
        {"theora", "libtheora"},      {"xvid", "libxvid"},       {"amr_nb", "libopencore_amrnb"},
        {"libamr_nb", "libopencore_amrnb"}, {"amrnb", "libopencore_amrnb"}, {"libfaac", "aac"},
        {"msmpeg4v3", "msmpeg4"},     {"flv1", "flv"},           {"mp2fixed", "mp2"},
    };
    const std::string n = lower(name);
    const auto it = byCodec.find(n);
    return it == byCodec.end() ? n : it->second;
}

std::string muxerForExtension(const std::string& ext)
{
    // As ffmpeg 5.1 guesses them (the first registered muxer that lists the extension).
    static const std::map<std::string, std::string> table = {
        {"264", "h264"},   {"h264", "h264"}, {"3g2", "3g2"},     {"3gp", "3gp"},   {"mp4", "mp4"},
        {"aac", "adts"},   {"ac3", "ac3"},   {"aiff", "aiff"},   {"aif", "aiff"},  {"amr", "amr"},
        {"asf", "asf"},    {"wma", "asf"},   {"wmv", "asf"},     {"au", "au"},     {"avi", "avi"},
        {"flv", "flv"},    {"m4a", "ipod"},  {"m4v", "ipod"},    {"mkv", "matroska"},
        {"mka", "matroska"}, {"mov", "mov"}, {"mp2", "mp2"},     {"mp3", "mp3"},   {"mpeg", "mpeg"},
        {"mpg", "mpeg"},   {"ogg", "ogg"},   {"ogv", "ogv"},     {"opus", "opus"}, {"ra", "rm"},
        {"rm", "rm"},      {"swf", "swf"},   {"ts", "mpegts"},   {"m2ts", "mpegts"}, {"mts", "mpegts"},
        {"vob", "svcd"},   {"wav", "wav"},   {"webm", "webm"},   {"dv", "dv"},     {"mjpeg", "mjpeg"},
        {"m2v", "mpeg2video"}, {"m1v", "mpeg1video"},
    };
    const auto it = table.find(lower(ext));
    return it == table.end() ? std::string() : it->second;
}

std::pair<std::string, std::string> defaultEncoders(const std::string& muxer)
{
    static const std::map<std::string, std::pair<std::string, std::string>> table = {
        {"avi", {"mpeg4", "libmp3lame"}},       {"mp4", {"libx264", "aac"}},
        {"mov", {"libx264", "aac"}},            {"ipod", {"libx264", "aac"}},
        {"psp", {"libx264", "aac"}},            {"f4v", {"libx264", "aac"}},
        {"3gp", {"h263", "libopencore_amrnb"}}, {"3g2", {"h263", "libopencore_amrnb"}},
        {"matroska", {"libx264", "libvorbis"}}, {"webm", {"libvpx-vp9", "libopus"}},
        {"flv", {"flv", "libmp3lame"}},         {"swf", {"flv", "libmp3lame"}},
        {"mpeg", {"mpeg1video", "mp2"}},        {"vcd", {"mpeg1video", "mp2"}},
        {"vob", {"mpeg2video", "mp2"}},         {"svcd", {"mpeg2video", "mp2"}},
        {"dvd", {"mpeg2video", "mp2"}},         {"mpegts", {"mpeg2video", "mp2"}},
        {"asf", {"msmpeg4", "wmav2"}},          {"asf_stream", {"msmpeg4", "wmav2"}},
        {"rm", {"rv10", "ac3"}},                {"mp3", {"", "libmp3lame"}},
        {"mp2", {"", "mp2"}},                   {"amr", {"", "libopencore_amrnb"}},
        {"ac3", {"", "ac3"}},                   {"adts", {"", "aac"}},
        {"ogg", {"libtheora", "libvorbis"}},    {"ogv", {"libtheora", "libvorbis"}},
        {"opus", {"", "libopus"}},              {"wav", {"", "pcm_s16le"}},
        {"au", {"", "pcm_s16be"}},              {"aiff", {"", "pcm_s16be"}},
        {"h264", {"libx264", ""}},              {"dv", {"dvvideo", "pcm_s16le"}},
        {"mpeg1video", {"mpeg1video", ""}},     {"mpeg2video", {"mpeg2video", ""}},
    };
    const auto it = table.find(lower(muxer));
    return it == table.end() ? std::pair<std::string, std::string>() : it->second;
}

long long snapAudioBitrate(const std::string& encoder, long long bps, int sampleRate, int channels)
{
    const std::string e = canonicalEncoder(encoder);
    if (bps <= 0)
        return bps;
    if (e == "mp2" || e == "libtwolame") {
        // MPEG-1 Layer II at 32/44.1/48 kHz; MPEG-2 (half rates) below 32 kHz.
        static const std::vector<long long> mpeg1 = {32000, 48000, 56000, 64000, 80000, 96000, 112000,
                                                     128000, 160000, 192000, 224000, 256000, 320000, 384000};
        static const std::vector<long long> mpeg2 = {8000, 16000, 24000, 32000, 40000, 48000, 56000,
                                                     64000, 80000, 96000, 112000, 128000, 144000, 160000};
        return nearest(sampleRate > 0 && sampleRate < 32000 ? mpeg2 : mpeg1, bps);
    }
    if (e == "wmav1" || e == "wmav2")
        return std::max(bps, 24000LL);  // "bitrate too low: got N, need 24000 or higher"
    if (e == "libvorbis") {
        const auto [low, high] = vorbisRange(sampleRate, channels);
        return std::clamp(bps, low, high);
    }
    if (e == "libopencore_amrnb") {
        static const std::vector<long long> modes = {4750, 5150, 5900, 6700, 7400, 7950, 10200, 12200};
        return nearest(modes, bps);
    }
    return bps;
}

std::pair<int, int> snapPictureSize(const std::string& encoder, int width, int height)
{
    const std::string e = canonicalEncoder(encoder);
    if (width <= 0 || height <= 0)
        return {width, height};
    auto fixed = [&](const std::vector<std::pair<int, int>>& sizes) {
        // Nearest by area on a log scale, so 320x240 goes to 352x288 rather than 176x144.
        std::pair<int, int> best = sizes.front();
        double bestDist = 1e300;
        for (const auto& s : sizes) {
            const double d = std::fabs(std::log(double(s.first) * s.second / (double(width) * height)));
            if (d < bestDist) {
                bestDist = d;
                best = s;
            }
        }
        return best;
    };
    if (e == "h263")
        return fixed({{128, 96}, {176, 144}, {352, 288}, {704, 576}, {1408, 1152}});
    if (e == "h261")
        return fixed({{176, 144}, {352, 288}});
    if (e == "dvvideo")
        return fixed({{720, 480}, {720, 576}});
    const int step = alignment(e);
    if (e == "rv10" && (long long)(roundTo(width, 16) / 16) * (roundTo(height, 16) / 16) >= 4096)
        return fitPictureArea(e, width, height, 4095LL * 256);  // "Encoding frames with >= 4096 macroblocks"
    return step == 1 ? std::pair(width, height) : std::pair(roundTo(width, step), roundTo(height, step));
}

std::pair<int, int> fitPictureArea(const std::string& encoder, int width, int height, long long maxArea)
{
    if (width <= 0 || height <= 0 || static_cast<long long>(width) * height <= maxArea)
        return {width, height};
    const double scale = std::sqrt(double(maxArea) / (double(width) * height));
    const int step = std::max(2, alignment(canonicalEncoder(encoder)));
    const int w = int(width * scale), h = int(height * scale);
    auto [aw, ah] = std::pair(roundTo(w, step), roundTo(h, step));
    if (static_cast<long long>(aw) * ah > maxArea)
        aw = std::max(step, w / step * step), ah = std::max(step, h / step * step);
    return {aw, ah};
}

int requiredChannels(const std::string& encoder)
{
    return canonicalEncoder(encoder) == "libopencore_amrnb" ? 1 : 0;  // "Only mono supported"
}

int requiredSampleRate(const std::string& encoder)
{
    return canonicalEncoder(encoder) == "libopencore_amrnb" ? 8000 : 0;
}

} // namespace reg
