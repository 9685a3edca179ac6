#include "tools/register/Progress.h"

#include <cstdio>
#include <cstdlib>

namespace reg {

namespace {

std::string value(const std::map<std::string, std::string>& block, const std::string& key, const char* fallback)
{
    const auto it = block.find(key);
    if (it == block.end() || it->second.empty() || it->second == "N/A")
        return fallback;
    size_t b = it->second.find_first_not_of(' ');
    return b == std::string::npos ? std::string(fallback) : it->second.substr(b);
}

} // namespace

std::string formatProgressLine(const std::map<std::string, std::string>& block)
{
    // out_time_us is absent or "N/A" before the first packet is written, and may be negative
    // for streams starting below zero: both show as 0.00.
    long long us = 0;
    const auto t = block.find("out_time_us");
    if (t != block.end() && !t->second.empty() && t->second != "N/A")
        us = std::strtoll(t->second.c_str(), nullptr, 10);
    if (us < 0)
        us = 0;
    std::string q = "0.0";
    for (const auto& [k, v] : block)
        if (k.size() > 9 && k.compare(0, 7, "stream_") == 0 && k.compare(k.size() - 2, 2, "_q") == 0) {
            q = v;
            break;
        }
    long long sizeKb = 0;
    const std::string size = value(block, "total_size", "0");
    sizeKb = std::strtoll(size.c_str(), nullptr, 10) / 1024;
    char line[256];
    std::snprintf(line, sizeof line, "frame=%5s fps=%4s q=%s size=%8lldkB time=%lld.%02lld bitrate=%s speed=%s\r",
                  value(block, "frame", "0").c_str(), value(block, "fps", "0").c_str(), q.c_str(), sizeKb,
                  us / 1000000, us / 10000 % 100, value(block, "bitrate", "N/A").c_str(),
                  value(block, "speed", "N/A").c_str());
    return line;
}

std::vector<std::string> ProgressReader::feed(const char* data, size_t length)
{
    std::vector<std::string> lines;
    partial_.append(data, length);
    size_t start = 0;
    for (;;) {
        const size_t nl = partial_.find('\n', start);
        if (nl == std::string::npos)
            break;
        std::string kv = partial_.substr(start, nl - start);
        start = nl + 1;
        if (!kv.empty() && kv.back() == '\r')
            kv.pop_back();
        const size_t eq = kv.find('=');
        if (eq == std::string::npos)
            continue;
        const std::string key = kv.substr(0, eq);
        block_[key] = kv.substr(eq + 1);
        if (key == "progress") {
            lines.push_back(formatProgressLine(block_));
            block_.clear();
        }
    }
    partial_.erase(0, start);
    return lines;
}

} // namespace reg
