#include "tools/register/CommandLine.h"

#include "tools/register/Snap.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <set>

namespace reg {

namespace {

// ffmpeg options that take no value; every other option is taken to have one (the next
// argument) unless the next argument is itself an option.
bool isFlag(const std::string& opt)
{
    static const std::set<std::string> flags = {
        "-vn", "-an", "-sn", "-dn", "-y", "-n", "-shortest", "-copyts", "-copytb", "-start_at_zero",
        "-nostdin", "-hide_banner", "-stats", "-nostats", "-benchmark", "-accurate_seek",
        "-noaccurate_seek", "-ignore_unknown", "-copy_unknown", "-xerror", "-re", "-vstats",
        "-dump", "-hex", "-sameq", "-same_quant", "-deinterlace", "-intra", "-psnr"};
    return flags.count(opt) != 0;
}

bool isOption(const std::string& s)
{
    return s.size() > 1 && s[0] == '-' && !std::isdigit(static_cast<unsigned char>(s[1])) && s[1] != '.';
}

struct Token {
    std::string name;   // option name, or empty for a stray value
    std::string value;
    bool hasValue = false;
};

std::vector<Token> tokenize(const std::vector<std::string>& args)
{
    std::vector<Token> tokens;
    for (size_t i = 0; i < args.size(); ++i) {
        Token t;
        if (!isOption(args[i])) {
            t.value = args[i];
            t.hasValue = true;
        } else {
            t.name = args[i];
            if (!isFlag(t.name) && i + 1 < args.size() && !isOption(args[i + 1])) {
                t.value = args[++i];
                t.hasValue = true;
            }
        }
        tokens.push_back(t);
    }
    return tokens;
}

// "128000", "128k", "1.5M" in bit/s; -1 when not a rate.
long long parseRate(const std::string& s)
{
    if (s.empty())
        return -1;
    char* end = nullptr;
    const double v = std::strtod(s.c_str(), &end);
    if (end == s.c_str() || v < 0)
        return -1;
    double scale = 1;
    if (*end == 'k' || *end == 'K')
        scale = 1000, ++end;
    else if (*end == 'M')
        scale = 1000000, ++end;
    if (*end != '\0')
        return -1;
    return static_cast<long long>(v * scale + 0.5);
}

// "25", "29.97", "30000/1001"; 0 when not a plain number.
double parseFrameRate(const std::string& s)
{
    char* end = nullptr;
    double v = std::strtod(s.c_str(), &end);
    if (end != s.c_str() && *end == '/') {
        const char* denominator = end + 1;
        const double d = std::strtod(denominator, &end);
        v = d > 0 ? v / d : 0;
    }
    return end != s.c_str() && *end == '\0' && v > 0 ? v : 0;
}

bool parseSize(const std::string& s, int& w, int& h)
{
    const size_t x = s.find('x');
    if (x == std::string::npos || x == 0 || x + 1 >= s.size())
        return false;
    for (size_t i = 0; i < s.size(); ++i)
        if (i != x && !std::isdigit(static_cast<unsigned char>(s[i])))
            return false;
    w = std::atoi(s.substr(0, x).c_str());
    h = std::atoi(s.substr(x + 1).c_str());
    return w > 0 && h > 0;
}

// Encoder names of older ffmpeg builds that 5.1 no longer knows.
std::string currentEncoderName(const std::string& name)
{
    static const std::map<std::string, std::string> renamed = {
        {"libfaac", "aac"},         {"libvo_aacenc", "aac"},  {"libaacplus", "aac"},
        {"xvid", "libxvid"},        {"libamr_nb", "libopencore_amrnb"}, {"libamr-nb", "libopencore_amrnb"},
        {"libamrnb", "libopencore_amrnb"}};
    const auto it = renamed.find(name);
    return it == renamed.end() ? name : it->second;
}

bool isCodecOption(const std::string& n)
{
    return n == "-vcodec" || n == "-acodec" || n == "-c" || n == "-codec" || n == "-c:v" || n == "-c:a" || n == "-codec:v"
           || n == "-codec:a";
}

// ISO media muxers check codec tags and refuse foreign ones ("Tag XVID incompatible with
// output codec id").
bool isIsoMuxer(const std::string& m)
{
    return m == "mp4" || m == "mov" || m == "ipod" || m == "psp" || m == "3gp" || m == "3g2" || m == "f4v" || m == "ismv";
}

} // namespace

std::string extensionOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash) || dot + 1 == path.size())
        return {};
    std::string ext = path.substr(dot + 1);
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

std::optional<CommandLine> parseCommandLine(const std::vector<std::string>& args, std::string& error)
{
    CommandLine cl;
    if (args.size() == 2 && args[0] == "-i") {
        cl.probe = true;
        cl.input = args[1];
        if (cl.input.empty()) {
            error = "the input name is empty";
            return std::nullopt;
        }
        return cl;
    }
    if (args.empty()) {
        error = "no arguments; use \"-i SOURCE\" to describe a file, or \"-y -i INPUT [options] OUTPUT\" to convert";
        return std::nullopt;
    }
    size_t i = 0;
    bool haveInput = false;
    while (i + 1 < args.size() && (args[i] == "-y" || args[i] == "-i")) {
        if (args[i] == "-i") {
            if (haveInput) {
                error = "only one input (-i) is supported";
                return std::nullopt;
            }
            if (i + 2 >= args.size()) {
                error = "no output file given";
                return std::nullopt;
            }
            cl.input = args[i + 1];
            haveInput = true;
            i += 2;
        } else {
            ++i;
        }
    }
    if (!haveInput || cl.input.empty()) {
        error = "no input given (-i INPUT must come before the output options)";
        return std::nullopt;
    }
    for (; i + 1 < args.size(); ++i) {
        if (args[i] == "-i") {
            error = "only one input (-i) is supported";
            return std::nullopt;
        }
        cl.outputOptions.push_back(args[i]);
    }
    cl.output = args.back();
    // The output is the last argument whatever it holds; one that looks like a bare option
    // ("-an") means the output was left out, while "-clip.avi" is a name.
    if (cl.output.empty() || cl.output == "-" || (isOption(cl.output) && extensionOf(cl.output).empty())) {
        error = "no output file given (the output name must be the last argument)";
        return std::nullopt;
    }
    return cl;
}

OutputPlan planOutput(const std::vector<std::string>& outputOptions, const std::string& outputPath)
{
    OutputPlan plan;
    const std::vector<Token> tokens = tokenize(outputOptions);

    int sampleRate = 0;
    int channelCount = 0;
    double frameRate = 0;
    bool haveAspect = false;
    bool haveRateBuffer = false;
    bool haveSampleRate = false;
    bool haveChannels = false;
    for (const Token& t : tokens) {
        const std::string& n = t.name;
        if (n == "-vcodec" || n == "-c:v" || n == "-codec:v")
            plan.videoEncoder = canonicalEncoder(currentEncoderName(t.value));
        else if (n == "-acodec" || n == "-c:a" || n == "-codec:a")
            plan.audioEncoder = canonicalEncoder(currentEncoderName(t.value));
        else if (n == "-c" || n == "-codec")
            plan.videoEncoder = plan.audioEncoder = canonicalEncoder(currentEncoderName(t.value));
        else if (n == "-f") {
            plan.muxer = t.value;
            plan.explicitFormat = true;
        } else if (n == "-target") {
            // As ffmpeg's own -target sets them.
            const std::string& v = t.value;
            plan.explicitFormat = true;
            if (v.find("svcd") != std::string::npos) {
                plan.muxer = "svcd";
                plan.videoEncoder = "mpeg2video";
                plan.audioEncoder = "mp2";
            } else if (v.find("vcd") != std::string::npos) {
                plan.muxer = "vcd";
                plan.videoEncoder = "mpeg1video";
                plan.audioEncoder = "mp2";
            } else if (v.find("dvd") != std::string::npos) {
                plan.muxer = "dvd";
                plan.videoEncoder = "mpeg2video";
                plan.audioEncoder = "ac3";
            }
            sampleRate = v.find("dvd") != std::string::npos ? 48000 : 44100;
        } else if (n == "-vn")
            plan.noVideo = true;
        else if (n == "-an")
            plan.noAudio = true;
        else if (n == "-ar") {
            sampleRate = std::atoi(t.value.c_str());
            haveSampleRate = true;
        } else if (n == "-ac") {
            channelCount = std::atoi(t.value.c_str());
            haveChannels = true;
        }
        else if (n == "-r")
            frameRate = parseFrameRate(t.value);
        else if (n == "-bufsize" || n == "-bufsize:v" || n == "-maxrate" || n == "-maxrate:v")
            haveRateBuffer = true;
        else if (n == "-aspect")
            haveAspect = true;
    }
    if (plan.muxer.empty())
        plan.muxer = muxerForExtension(extensionOf(outputPath));
    const auto defaults = defaultEncoders(plan.muxer);
    if (plan.videoEncoder.empty())
        plan.videoEncoder = defaults.first;
    if (plan.audioEncoder.empty())
        plan.audioEncoder = defaults.second;
    const int channels = requiredChannels(plan.audioEncoder);
    const int rate = requiredSampleRate(plan.audioEncoder);
    if (rate)
        sampleRate = rate;
    if (channels)
        channelCount = channels;
    // One RealMedia packet holds one picture and at most 64 kB: the picture area, the video rate
    // and the rate-control buffer are bounded so that no picture comes near it.
    const bool realMediaVideo = plan.muxer == "rm" && !plan.noVideo;
    const long long videoCeiling = std::min<long long>(
        RealMediaMaxVideoRate, static_cast<long long>(RealMediaBufferBits * (frameRate > 0 ? frameRate : 25)));

    for (const Token& t : tokens) {
        const std::string& n = t.name;
        std::string name = n;
        std::string value = t.value;
        if (n == "-b" || n == "-b:v" || n == "-vb") {
            name = "-b:v";  // ffmpeg 5.1 reads a bare -b as video, with a warning
            const long long bps = parseRate(t.value);
            if (realMediaVideo && bps > videoCeiling) {
                value = std::to_string(videoCeiling);
                plan.notes.push_back("video bitrate " + t.value + " is too high for RealMedia; using " + value);
            }
        } else if (isCodecOption(n) && currentEncoderName(t.value) != t.value) {
            value = currentEncoderName(t.value);
            plan.notes.push_back("encoder " + t.value + " is now called " + value);
        } else if (n == "-sameq" || n == "-same_quant") {
            // Removed from ffmpeg; the nearest is a fixed high quality.
            plan.options.insert(plan.options.end(), {"-q:v", "2"});
            continue;
        } else if (n == "-deinterlace") {
            plan.options.insert(plan.options.end(), {"-vf", "yadif"});
            continue;
        } else if ((n == "-vtag" || n == "-tag:v") && isIsoMuxer(plan.muxer)) {
            plan.notes.push_back("the " + plan.muxer + " container takes no codec tag " + t.value + "; left out");
            continue;
        }
        else if (n == "-ab" || n == "-b:a") {
            name = "-b:a";
            const long long bps = parseRate(t.value);
            if (bps > 0 && !plan.noAudio) {
                const long long snapped = snapAudioBitrate(plan.audioEncoder, bps, sampleRate, channelCount);
                if (snapped != bps) {
                    value = std::to_string(snapped);
                    plan.notes.push_back("audio bitrate " + t.value + " is not allowed for " + plan.audioEncoder +
                                         "; using " + value);
                }
            }
        } else if (n == "-s" && !plan.noVideo) {
            int w = 0, h = 0;
            if (parseSize(t.value, w, h)) {
                const auto [fw, fh] = realMediaVideo ? fitPictureArea(plan.videoEncoder, w, h, RealMediaMaxArea)
                                                     : std::pair(w, h);
                const auto [sw, sh] = snapPictureSize(plan.videoEncoder, fw, fh);
                if (sw != w || sh != h) {
                    value = std::to_string(sw) + "x" + std::to_string(sh);
                    plan.notes.push_back("picture size " + t.value + " is " +
                                         (fw != w || fh != h ? "too large for RealMedia" : "not allowed for " + plan.videoEncoder) +
                                         "; using " + value);
                    plan.options.push_back(name);
                    plan.options.push_back(value);
                    if (!haveAspect) {
                        plan.options.push_back("-aspect");
                        plan.options.push_back(std::to_string(w) + ":" + std::to_string(h));
                    }
                    continue;
                }
            }
        } else if (n == "-ac" && channels && !plan.noAudio && std::atoi(t.value.c_str()) != channels) {
            value = std::to_string(channels);
            plan.notes.push_back(plan.audioEncoder + " takes " + value + " channel only; using -ac " + value);
        } else if (n == "-ar" && rate && !plan.noAudio && std::atoi(t.value.c_str()) != rate) {
            value = std::to_string(rate);
            plan.notes.push_back(plan.audioEncoder + " takes " + value + " Hz only; using -ar " + value);
        }
        if (!name.empty())
            plan.options.push_back(name);
        if (t.hasValue)
            plan.options.push_back(value);
    }
    // An encoder with one channel count or sample rate gets it even when the line names none:
    // ffmpeg would keep the source's and refuse to start.
    if (!plan.noAudio && channels && !haveChannels)
        plan.options.insert(plan.options.end(), {"-ac", std::to_string(channels)});
    if (!plan.noAudio && rate && !haveSampleRate)
        plan.options.insert(plan.options.end(), {"-ar", std::to_string(rate)});
    if (realMediaVideo && !haveRateBuffer)
        plan.options.insert(plan.options.end(), {"-maxrate", std::to_string(videoCeiling), "-bufsize",
                                                 std::to_string(RealMediaBufferBits)});
    return plan;
}

} // namespace reg
