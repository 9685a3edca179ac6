#include "tools/register/ProbeReport.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>

namespace reg {

namespace {

long long toInt(const std::string& v)
{
    if (v.empty() || v == "N/A")
        return -1;
    char* end = nullptr;
    const long long n = std::strtoll(v.c_str(), &end, 10);
    return end == v.c_str() ? -1 : n;
}

double toDouble(const std::string& v)
{
    if (v.empty() || v == "N/A")
        return -1;
    char* end = nullptr;
    const double d = std::strtod(v.c_str(), &end);
    return end == v.c_str() ? -1 : d;
}

double toRate(const std::string& v)  // "25/1"
{
    const size_t slash = v.find('/');
    if (slash == std::string::npos)
        return toDouble(v);
    const double n = toDouble(v.substr(0, slash));
    const double d = toDouble(v.substr(slash + 1));
    return (n > 0 && d > 0) ? n / d : 0;
}

double hmsToSeconds(const std::string& v)  // Matroska "00:00:02.000000000"
{
    int h = 0, m = 0;
    double s = 0;
    if (std::sscanf(v.c_str(), "%d:%d:%lf", &h, &m, &s) != 3)
        return -1;
    return h * 3600.0 + m * 60.0 + s;
}

bool reportable(const ProbeStream& s)
{
    return (s.type == "video" && !s.attachedPic) || s.type == "audio";
}

std::string clean(std::string s)  // one line, whatever a tag or name holds
{
    for (char& c : s)
        if (c == '\r' || c == '\n')
            c = ' ';
    return s;
}

std::string kbps(long long bps)
{
    return std::to_string((bps + 500) / 1000) + " kb/s";
}

} // namespace

void parseFfprobe(const std::string& text, ProbeData& data)
{
    std::istringstream in(text);
    std::string line, section;
    std::map<std::string, std::string> kv;
    struct Packet {
        long long stream = -1, size = -1;
        double time = 0, duration = 0;
        bool timed = false;
    };
    std::vector<Packet> packets;
    auto finish = [&]() {
        if (section == "STREAM") {
            ProbeStream s;
            s.index = static_cast<int>(toInt(kv["index"]));
            s.type = kv["codec_type"];
            s.codec = kv["codec_name"];
            s.profile = kv["profile"] == "unknown" ? std::string() : kv["profile"];
            s.pixFmt = kv["pix_fmt"];
            s.channelLayout = kv["channel_layout"];
            s.width = static_cast<int>(std::max(0LL, toInt(kv["width"])));
            s.height = static_cast<int>(std::max(0LL, toInt(kv["height"])));
            s.sampleRate = static_cast<int>(std::max(0LL, toInt(kv["sample_rate"])));
            s.channels = static_cast<int>(std::max(0LL, toInt(kv["channels"])));
            s.fps = toRate(kv["avg_frame_rate"]);
            if (s.fps <= 0)
                s.fps = toRate(kv["r_frame_rate"]);
            s.bitRate = toInt(kv["bit_rate"]);
            for (const char* key : {"TAG:BPS", "TAG:BPS-eng"})
                if (s.tagBps <= 0 && kv.count(key))
                    s.tagBps = toInt(kv[key]);
            s.duration = toDouble(kv["duration"]);
            for (const char* key : {"TAG:DURATION", "TAG:DURATION-eng"})
                if (s.duration <= 0 && kv.count(key))
                    s.duration = hmsToSeconds(kv[key]);
            s.attachedPic = kv["DISPOSITION:attached_pic"] == "1";
            if (s.index >= 0)
                data.streams.push_back(s);
        } else if (section == "FORMAT") {
            data.formatName = kv["format_name"];
            data.duration = toDouble(kv["duration"]);
            data.bitRate = toInt(kv["bit_rate"]);
            data.size = toInt(kv["size"]);
        } else if (section == "PACKET") {
            // ffprobe prints packets before the streams they belong to: keep them for later.
            Packet p;
            p.stream = toInt(kv["stream_index"]);
            p.size = toInt(kv["size"]);
            const std::string& pts = kv["pts_time"];
            p.time = (pts.empty() || pts == "N/A") ? toDouble(kv["dts_time"]) : toDouble(pts);
            p.timed = !(pts.empty() || pts == "N/A") || !(kv["dts_time"].empty() || kv["dts_time"] == "N/A");
            p.duration = std::max(0.0, toDouble(kv["duration_time"]));
            packets.push_back(p);
        }
        kv.clear();
        section.clear();
    };
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
            if (line[1] == '/')
                finish();
            else {
                kv.clear();
                section = line.substr(1, line.size() - 2);
            }
            continue;
        }
        const size_t eq = line.find('=');
        if (!section.empty() && eq != std::string::npos)
            kv[line.substr(0, eq)] = line.substr(eq + 1);
    }
    if (!packets.empty())
        data.sampled = true;
    for (const Packet& p : packets)
        for (ProbeStream& s : data.streams) {
            if (s.index != p.stream)
                continue;
            if (p.size > 0)
                s.sampledBytes += p.size;
            if (p.timed) {
                s.sampleFirst = std::min(s.sampleFirst, p.time);
                s.sampleLast = std::max(s.sampleLast, p.time + p.duration);
            }
        }
}

namespace {

// Rates from the streams' own figures and tags, then total less the known ones; with a
// sample, the unknown ones share what is left in proportion to their sampled bytes, or take
// their sampled rates when the total is unknown.
void resolveRates(const ProbeData& data, bool useSample, std::vector<long long>& rates, long long& total, double& duration)
{
    duration = data.duration;
    if (duration <= 0)
        for (const ProbeStream& s : data.streams)
            duration = std::max(duration, s.duration);
    total = data.bitRate;
    if (total <= 0 && data.size > 0 && duration > 0)
        total = static_cast<long long>(data.size * 8 / duration);

    rates.assign(data.streams.size(), -1);
    std::vector<size_t> unknown;
    long long known = 0;
    for (size_t i = 0; i < data.streams.size(); ++i) {
        const ProbeStream& s = data.streams[i];
        if (!reportable(s))
            continue;
        // A stream figure above the whole file's rate is a header maximum (MPEG-1/2 video's
        // "104857 kb/s"), not the stream's rate.
        if (s.bitRate > 0 && (total <= 0 || s.bitRate <= total + total / 10))
            rates[i] = s.bitRate;
        else if (s.tagBps > 0)
            rates[i] = s.tagBps;
        if (rates[i] > 0)
            known += rates[i];
        else
            unknown.push_back(i);
    }
    if (unknown.empty())
        return;
    const long long remaining = total > 0 ? total - known : -1;
    if (unknown.size() == 1 && remaining > 0) {
        rates[unknown[0]] = remaining;
        return;
    }
    if (!useSample || !data.sampled)
        return;
    long long sampledBytes = 0;
    for (size_t i : unknown)
        sampledBytes += data.streams[i].sampledBytes;
    if (remaining > 0 && sampledBytes > 0) {
        for (size_t i : unknown)
            rates[i] = static_cast<long long>(double(remaining) * data.streams[i].sampledBytes / sampledBytes);
        return;
    }
    for (size_t i : unknown) {
        const ProbeStream& s = data.streams[i];
        const double span = s.sampleLast - s.sampleFirst;
        if (s.sampledBytes > 0 && span > 0.05)
            rates[i] = static_cast<long long>(s.sampledBytes * 8 / span);
    }
}

} // namespace

bool needsPacketSample(const ProbeData& data)
{
    std::vector<long long> rates;
    long long total = -1;
    double duration = -1;
    resolveRates(data, false, rates, total, duration);
    if (total <= 0 && !data.streams.empty())
        return true;
    const ProbeFigures f = resolveFigures(data);
    return (f.video >= 0 && rates[f.video] <= 0) || (f.audio >= 0 && rates[f.audio] <= 0);
}

ProbeFigures resolveFigures(const ProbeData& data)
{
    ProbeFigures f;
    std::vector<long long> rates;
    resolveRates(data, true, rates, f.totalBps, f.duration);
    for (size_t i = 0; i < data.streams.size(); ++i) {
        const ProbeStream& s = data.streams[i];
        if (f.video < 0 && s.type == "video" && !s.attachedPic)
            f.video = static_cast<int>(i);
        if (f.audio < 0 && s.type == "audio")
            f.audio = static_cast<int>(i);
    }
    if (f.video >= 0)
        f.videoBps = rates[f.video];
    if (f.audio >= 0)
        f.audioBps = rates[f.audio];
    if (f.totalBps <= 0) {
        long long sum = 0;
        bool all = true;
        for (size_t i = 0; i < data.streams.size(); ++i)
            if (reportable(data.streams[i])) {
                if (rates[i] > 0)
                    sum += rates[i];
                else
                    all = false;
            }
        if (sum > 0 && all)
            f.totalBps = sum;
    }
    if (f.duration <= 0 && data.size > 0 && f.totalBps > 0)
        f.duration = data.size * 8.0 / f.totalBps;  // as ffmpeg estimates it, from the rate
    return f;
}

std::string renderReport(const ProbeData& data)
{
    if (data.formatName.empty() && data.streams.empty())
        return {};
    const ProbeFigures f = resolveFigures(data);
    std::string out = "Input #0, " + clean(data.formatName) + ":\r\n";
    std::string head;
    if (f.duration > 0) {
        const long long cs = std::llround(f.duration * 100);
        char buf[64];
        std::snprintf(buf, sizeof buf, "%02lld:%02lld:%02lld.%02lld", cs / 360000, cs / 6000 % 60, cs / 100 % 60, cs % 100);
        head = std::string("  Duration: ") + buf + ", ";
    } else {
        head = "  ";
    }
    out += head + "bitrate: " + (f.totalBps > 0 ? kbps(f.totalBps) : std::string("N/A")) + "\r\n";

    for (size_t i = 0; i < data.streams.size(); ++i) {
        const ProbeStream& s = data.streams[i];
        std::string line = "  Stream #0:" + std::to_string(s.index) + ": ";
        std::string codec = clean(s.codec);
        if (!s.profile.empty())
            codec += " (" + clean(s.profile) + ")";
        if (s.type == "video" && !s.attachedPic) {
            // The size comes first: the reader takes the first "x" after "Video:" as its separator.
            line += "Video: ";
            if (s.width > 0 && s.height > 0)
                line += std::to_string(s.width) + "x" + std::to_string(s.height) + ", " + codec;
            else
                line += "size unknown";
            if (!s.pixFmt.empty() && s.width > 0)
                line += ", " + clean(s.pixFmt);
            if (s.fps > 0) {
                char buf[32];
                std::snprintf(buf, sizeof buf, "%.4g fps", s.fps);
                line += std::string(", ") + buf;
            }
            if (static_cast<int>(i) == f.video && f.videoBps > 0)
                line += ", " + kbps(f.videoBps);
        } else if (s.type == "video") {
            line += "Cover picture: " + codec;
        } else if (s.type == "audio") {
            line += "Audio: " + codec;
            if (s.sampleRate > 0)
                line += ", " + std::to_string(s.sampleRate) + " Hz";
            if (!s.channelLayout.empty())
                line += ", " + clean(s.channelLayout);
            else if (s.channels > 0)
                line += ", " + std::to_string(s.channels) + " channels";
            long long rate = -1;
            if (static_cast<int>(i) == f.audio)
                rate = f.audioBps;
            else if (s.bitRate > 0 && (f.totalBps <= 0 || s.bitRate <= f.totalBps))
                rate = s.bitRate;
            if (rate > 0)
                line += ", " + kbps(rate);
        } else {
            std::string type = clean(s.type);
            if (!type.empty())
                type[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(type[0])));
            line += (type.empty() ? std::string("Data") : type) + " stream: " + codec;
        }
        out += line + "\r\n";
    }
    return out;
}

} // namespace reg
