// The transcoder's command line as the program passes it (one argument per piece, no shell),
// and its translation into an ffmpeg 5.1 output-option list: legacy options renamed, rates
// and sizes snapped to what the chosen encoders accept. Standard C++ only.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace reg {

struct CommandLine {
    bool probe = false;                       // "-i SOURCE" alone
    std::string input;
    std::string output;                       // empty for a probe
    std::vector<std::string> outputOptions;   // everything between the input and the output
};

// Splits the arguments (without the program name) into probe or conversion; nullopt and a
// one-line reason when they fit neither form.
std::optional<CommandLine> parseCommandLine(const std::vector<std::string>& args, std::string& error);

// What the output options and the output name say about the output.
struct OutputPlan {
    std::vector<std::string> options;  // translated ffmpeg output options, in order
    std::string muxer;                 // "-f" value (last one) or the muxer ffmpeg picks for the extension
    bool explicitFormat = false;       // the options carry "-f" or "-target"
    std::string videoEncoder;          // canonical encoder name, empty when unknown
    std::string audioEncoder;
    bool noVideo = false;              // "-vn"
    bool noAudio = false;              // "-an"
    std::vector<std::string> notes;    // one line per adjustment made (snapped rate or size)
};

// Translates the output options for the output path: "-b" becomes "-b:v", "-ab" becomes "-b:a",
// "-ab" and "-s" are snapped to the chosen encoders (keeping the picture's aspect), "-ac" and
// "-ar" are fixed for encoders that accept only one value.
OutputPlan planOutput(const std::vector<std::string>& outputOptions, const std::string& outputPath);

// Lower-case extension of a path without the dot ("" when none).
std::string extensionOf(const std::string& path);

} // namespace reg
