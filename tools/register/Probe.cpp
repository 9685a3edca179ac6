// The probe job: one ffprobe run for the container and stream figures (with a bounded packet
// sample up front for containers that seldom carry stream rates), a second bounded packet run
// only when a reported rate is still unknown, then our report on standard output.
#include "tools/register/Jobs.h"

#include "tools/register/DvdReference.h"
#include "tools/register/ProbeReport.h"
#include "tools/register/Process.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace reg {

namespace {

const char* const kStreamEntries =
    "format=format_name,duration,bit_rate,size"
    ":stream=index,codec_type,codec_name,profile,width,height,pix_fmt,avg_frame_rate,r_frame_rate,"
    "sample_rate,channels,channel_layout,bit_rate,duration"
    ":stream_disposition=attached_pic:stream_tags=BPS,BPS-eng,DURATION,DURATION-eng";
const char* const kPacketEntries = "packet=stream_index,pts_time,dts_time,duration_time,size";
// The packet sample: the first seconds of the file, never the whole of a large one.
const char* const kSampleInterval = "%+6";

// Matroska/WebM and FLV seldom carry per-stream rates, so their first run samples packets too.
bool sampleUpFront(const std::string& path)
{
    unsigned char magic[4] = {0, 0, 0, 0};
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    const ssize_t n = read(fd, magic, sizeof magic);
    close(fd);
    if (n < 4)
        return false;
    const bool ebml = magic[0] == 0x1A && magic[1] == 0x45 && magic[2] == 0xDF && magic[3] == 0xA3;
    const bool flv = magic[0] == 'F' && magic[1] == 'L' && magic[2] == 'V';
    return ebml || flv;
}

struct RunResult {
    int status = -1;        // waitpid status; -1 when it could not run
    std::string out, err;
};

// Runs ffprobe to the end, or until a stop signal (then it is killed and we exit).
RunResult runFfprobe(const std::string& program, const std::vector<std::string>& args)
{
    RunResult r;
    ChildLaunch launch;
    launch.program = program;
    launch.args = args;
    launch.pipeOut = launch.pipeErr = true;
    std::string error;
    Child child = spawnChild(launch, error);
    if (child.pid < 0) {
        say(error);
        return r;
    }
    char buf[65536];
    bool outOpen = true, errOpen = true;
    while (outOpen || errOpen) {
        pollfd fds[3] = {{child.out, POLLIN, 0}, {child.err, POLLIN, 0}, {stopFd(), POLLIN, 0}};
        if (!outOpen)
            fds[0].fd = -1;
        if (!errOpen)
            fds[1].fd = -1;
        if (poll(fds, 3, -1) < 0 && errno != EINTR)
            break;
        if (stopSignal()) {
            killChild(child);
            _exit(ExitStopped);
        }
        for (int i = 0; i < 2; ++i) {
            if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            const ssize_t n = read(fds[i].fd, buf, sizeof buf);
            if (n > 0)
                (i == 0 ? r.out : r.err).append(buf, static_cast<size_t>(n));
            else if (n == 0 || errno != EINTR)
                (i == 0 ? outOpen : errOpen) = false;
        }
    }
    close(child.out);
    close(child.err);
    while (waitpid(child.pid, &r.status, 0) < 0) {
        if (errno != EINTR) {
            r.status = -1;
            break;
        }
        if (stopSignal()) {
            killChild(child);
            _exit(ExitStopped);
        }
    }
    return r;
}

// ffprobe's messages name the input as "file:PATH"; show the user's path, on lines without CR.
std::string userMessages(std::string text, const std::string& url, const std::string& path)
{
    for (size_t p = text.find(url); p != std::string::npos; p = text.find(url, p + path.size()))
        text.replace(p, url.size(), path);
    for (char& c : text)
        if (c == '\r')
            c = '\n';
    return text;
}

} // namespace

int runProbe(const std::string& source)
{
    if (isDvdReference(source)) {
        say("describing a DVD reference is not supported; describe a file");
        return ExitUsage;
    }
    std::string ffprobe = findProgram("VC_FFPROBE", "ffprobe");
    if (const char* ff = std::getenv("VC_FFMPEG"); !std::getenv("VC_FFPROBE") && ff && std::strchr(ff, '/')) {
        // A chosen ffmpeg brings its own ffprobe when one lies beside it.
        std::string sibling = ff;
        sibling = sibling.substr(0, sibling.find_last_of('/') + 1) + "ffprobe";
        if (access(sibling.c_str(), X_OK) == 0)
            ffprobe = sibling;
    }
    if (ffprobe.empty()) {
        say("ffprobe was not found; install Debian's ffmpeg package or name it in VC_FFPROBE");
        return ExitNoFfmpeg;
    }
    const std::string url = "file:" + source;
    const bool sample = sampleUpFront(source);
    std::string entries = kStreamEntries;
    std::vector<std::string> args = {"-v", "error", "-hide_banner"};
    if (sample) {
        entries += std::string(":") + kPacketEntries;
        args.insert(args.end(), {"-read_intervals", kSampleInterval});
    }
    args.insert(args.end(), {"-show_entries", entries, "-of", "default", url});
    RunResult first = runFfprobe(ffprobe, args);
    if (first.status == -1)
        return ExitNoFfmpeg;
    const std::string messages = userMessages(first.err, url, source);
    if (WIFSIGNALED(first.status)) {
        writeAll(2, messages.data(), messages.size());
        say("ffprobe was killed by signal " + std::to_string(WTERMSIG(first.status)));
        return ExitCrashed;
    }
    if (WEXITSTATUS(first.status) != 0) {
        writeAll(2, messages.data(), messages.size());
        return WEXITSTATUS(first.status);
    }
    ProbeData data;
    parseFfprobe(first.out, data);
    if (!data.sampled && needsPacketSample(data)) {
        RunResult second = runFfprobe(ffprobe, {"-v", "error", "-hide_banner", "-read_intervals", kSampleInterval,
                                                "-show_entries", kPacketEntries, "-of", "default", url});
        if (second.status != -1 && WIFEXITED(second.status) && WEXITSTATUS(second.status) == 0)
            parseFfprobe(second.out, data);
    }
    const std::string report = renderReport(data);
    if (report.empty()) {
        writeAll(2, messages.data(), messages.size());
        say("\"" + source + "\" holds no media that ffprobe recognises");
        return ExitIncomplete;
    }
    // Our lines first, so the reader meets its keys there before any message text.
    writeAll(1, report.data(), report.size());
    writeAll(2, messages.data(), messages.size());
    return ExitOk;
}

} // namespace reg
