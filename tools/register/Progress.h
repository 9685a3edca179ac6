// Turns ffmpeg's machine-readable progress ("-progress pipe:N": key=value lines, each block
// closed by "progress=continue|end") into the progress lines the program reads:
// "frame= N fps= F q= Q size= NkB time=S.ff bitrate= R speed= X" ending in CR, S whole seconds.
// Standard C++ only.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace reg {

class ProgressReader {
public:
    // Feeds raw bytes; returns the progress lines completed by them (each ending in "\r").
    std::vector<std::string> feed(const char* data, size_t length);

private:
    std::string partial_;
    std::map<std::string, std::string> block_;
};

// One progress line from a block of progress keys.
std::string formatProgressLine(const std::map<std::string, std::string>& block);

} // namespace reg
