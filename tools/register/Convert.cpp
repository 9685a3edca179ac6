// The conversion job. ffmpeg writes into an unnamed file in the output folder (O_TMPFILE,
// reached by ffmpeg as /proc/self/fd/4), which gets the output name only when ffmpeg has
// finished it completely; a stop, a failure or a kill leaves nothing behind. Where the file
// system has no unnamed files, a hidden ".NAME.XXXXXX.EXT" beside the output stands in and is
// removed on failure and stop. The name is never taken from a file that appeared meanwhile:
// the result then goes to the first free "NAME_n.EXT".
#include "tools/register/Jobs.h"

#include "tools/register/DvdReference.h"
#include "tools/register/DvdSource.h"
#include "tools/register/Process.h"
#include "tools/register/Progress.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace reg {

namespace {

struct TempOutput {
    int fd = -1;              // the unnamed file, when used
    std::string namedPath;    // the hidden stand-in, when used
    std::string url;          // what ffmpeg writes to

    void discard()
    {
        if (fd >= 0) {
            close(fd);
            fd = -1;
        }
        if (!namedPath.empty()) {
            unlink(namedPath.c_str());
            namedPath.clear();
        }
    }
};

std::string folderOf(const std::string& path)
{
    const size_t s = path.find_last_of('/');
    if (s == std::string::npos)
        return ".";
    return s == 0 ? std::string("/") : path.substr(0, s);
}

std::string fileNameOf(const std::string& path)
{
    const size_t s = path.find_last_of('/');
    return s == std::string::npos ? path : path.substr(s + 1);
}

// "NAME_n.EXT" beside the output.
std::string numberedName(const std::string& output, int n)
{
    const std::string folder = output.find('/') == std::string::npos ? std::string() : folderOf(output) + "/";
    const std::string name = fileNameOf(output);
    const size_t dot = name.find_last_of('.');
    const std::string stem = (dot == std::string::npos || dot == 0) ? name : name.substr(0, dot);
    const std::string ext = (dot == std::string::npos || dot == 0) ? std::string() : name.substr(dot);
    return folder + stem + "_" + std::to_string(n) + ext;
}

// Creates the temporary output; false with the reason.
bool createTemp(const std::string& output, bool unnamedAllowed, TempOutput& temp, std::string& error)
{
    const std::string folder = folderOf(output);
    struct stat st;
    if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        error = "output folder \"" + folder + "\" does not exist";
        return false;
    }
    if (unnamedAllowed && access("/proc/self/fd", X_OK) == 0) {
        temp.fd = open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (temp.fd >= 0) {
            temp.url = "file:/proc/self/fd/4";
            return true;
        }
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL && errno != ENOENT) {
            error = "cannot write in output folder \"" + folder + "\": " + std::strerror(errno);
            return false;
        }
    }
    const std::string name = fileNameOf(output);
    const size_t dot = name.find_last_of('.');
    const std::string ext = (dot == std::string::npos || dot == 0) ? std::string() : name.substr(dot);
    std::string tmpl = folder + "/." + name.substr(0, name.size() - ext.size()) + ".XXXXXX" + ext;
    std::vector<char> buf(tmpl.begin(), tmpl.end());
    buf.push_back('\0');
    const int fd = mkstemps(buf.data(), static_cast<int>(ext.size()));
    if (fd < 0) {
        error = "cannot write in output folder \"" + folder + "\": " + std::strerror(errno);
        return false;
    }
    close(fd);
    temp.namedPath = buf.data();
    temp.url = "file:" + temp.namedPath;
    return true;
}

// Gives the finished temporary file its name without replacing anything; the name used.
std::string publish(TempOutput& temp, const std::string& output, std::string& error)
{
    for (int n = 0; n < 10000; ++n) {
        const std::string target = n == 0 ? output : numberedName(output, n);
        int rc;
        if (temp.fd >= 0) {
            const std::string proc = "/proc/self/fd/" + std::to_string(temp.fd);
            rc = linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, target.c_str(), AT_SYMLINK_FOLLOW);
        } else {
            rc = renameat2(AT_FDCWD, temp.namedPath.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE);
            if (rc != 0 && errno == EINVAL) {
                // No RENAME_NOREPLACE here: a hard link fails just as atomically on a taken name.
                rc = link(temp.namedPath.c_str(), target.c_str());
                if (rc == 0)
                    unlink(temp.namedPath.c_str());
            }
            if (rc == 0)
                temp.namedPath.clear();
        }
        if (rc == 0) {
            temp.discard();
            return target;
        }
        if (errno != EEXIST) {
            error = "cannot name the output \"" + target + "\": " + std::strerror(errno);
            return {};
        }
    }
    error = "no free name for the output \"" + output + "\"";
    return {};
}

std::string hexId(int id)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%x", id);
    return buf;
}

// Scans ffmpeg's messages line by line for the signs of an output that is not complete
// although ffmpeg ends with 0.
struct MessageScan {
    std::string line;
    bool trailerFailed = false;
    bool nothingEncoded = false;
    void feed(const char* data, size_t n)
    {
        for (size_t i = 0; i < n; ++i) {
            const char c = data[i];
            if (c == '\n' || c == '\r') {
                if (line.find("Error writing trailer") != std::string::npos)
                    trailerFailed = true;
                if (line.find("Output file is empty, nothing was encoded") != std::string::npos)
                    nothingEncoded = true;
                line.clear();
            } else if (line.size() < 4096) {
                line += c;
            }
        }
    }
};

} // namespace

int runConversion(const CommandLine& cl)
{
    const std::string ffmpeg = findProgram("VC_FFMPEG", "ffmpeg");
    if (ffmpeg.empty()) {
        say("ffmpeg was not found; install Debian's ffmpeg package or name it in VC_FFMPEG");
        return ExitNoFfmpeg;
    }
    OutputPlan plan = planOutput(cl.outputOptions, cl.output);

    std::unique_ptr<DvdSource> dvd;
    DvdReference ref;
    if (isDvdReference(cl.input)) {
        std::string error;
        auto parsed = parseDvdReference(cl.input, error);
        if (!parsed) {
            say(error);
            return ExitBadReference;
        }
        ref = *parsed;
        dvd = std::make_unique<DvdSource>();
        int code = 0;
        if (!dvd->open(ref, error, code)) {
            say(error);
            return code;
        }
    }

    TempOutput temp;
    {
        std::string error;
        // Unnamed output needs the muxer named, which we know for the usual extensions.
        if (!createTemp(cl.output, plan.explicitFormat || !plan.muxer.empty(), temp, error)) {
            say(error);
            return ExitOutput;
        }
    }
    for (const std::string& note : plan.notes)
        say(note);

    std::vector<std::string> args = {"-hide_banner", "-nostdin", "-nostats", "-loglevel", "info",
                                     "-progress", "pipe:3", "-y"};
    if (dvd) {
        // Probe far enough to meet the chosen streams' first packets, however late they come.
        long long needed = 0;
        for (int id : {ref.audioId, ref.subpictureId})
            if (id)
                needed = std::max(needed, dvd->firstPacket(id));
        const long long probeSize = std::max(5000000LL, needed + 4000000LL);
        args.insert(args.end(), {"-f", "mpeg", "-probesize", std::to_string(probeSize)});
        if (needed > 0)
            args.insert(args.end(), {"-analyzeduration", "100000000000"});
        const bool burn = ref.subpictureId && dvd->firstPacket(ref.subpictureId) >= 0;
        if (burn && !dvd->palette().empty())
            args.insert(args.end(), {"-palette", dvd->palette()});
        args.insert(args.end(), {"-i", "pipe:0"});
        const bool unknownMuxer = plan.videoEncoder.empty() && plan.audioEncoder.empty();
        if (!plan.noVideo && (!plan.videoEncoder.empty() || unknownMuxer)) {
            if (burn) {
                // Overlay at the DVD's own size, before any scaling to the output size. ffmpeg
                // refuses -vf beside -filter_complex, so the profile's video filter joins the graph.
                std::string videoFilter;
                for (size_t i = 0; i + 1 < plan.options.size();) {
                    const std::string& o = plan.options[i];
                    if (o == "-vf" || o == "-filter:v" || o == "-filter:v:0") {
                        videoFilter += "," + plan.options[i + 1];
                        plan.options.erase(plan.options.begin() + static_cast<long>(i), plan.options.begin() + static_cast<long>(i) + 2);
                    } else {
                        ++i;
                    }
                }
                args.insert(args.end(), {"-filter_complex",
                                         "[0:v:0][0:#" + hexId(ffmpegStreamId(ref.subpictureId)) + "]overlay=eof_action=pass"
                                             + videoFilter + "[burned]",
                                         "-map", "[burned]"});
            } else {
                args.insert(args.end(), {"-map", "0:v:0"});
            }
        }
        if (ref.subpictureId && !burn)
            say("subtitle " + hexId(ref.subpictureId) + " has no packet in sectors " + std::to_string(ref.start) + " to "
                + std::to_string(ref.end) + "; nothing is burned in");
        if (ref.audioId && !plan.noAudio && (!plan.audioEncoder.empty() || unknownMuxer)) {
            if (dvd->firstPacket(ref.audioId) >= 0)
                args.insert(args.end(), {"-map", "0:#" + hexId(ffmpegStreamId(ref.audioId))});
            else
                say("audio stream " + hexId(ref.audioId) + " has no packet in sectors " + std::to_string(ref.start)
                    + " to " + std::to_string(ref.end) + "; the output has no audio");
        }
    } else {
        // A local path always reaches ffmpeg as a file, whatever protocol its name looks like.
        args.insert(args.end(), {"-i", "file:" + cl.input});
    }
    if (temp.fd >= 0 && !plan.explicitFormat)
        args.insert(args.end(), {"-f", plan.muxer});
    args.insert(args.end(), plan.options.begin(), plan.options.end());
    args.push_back(temp.url);

    ChildLaunch launch;
    launch.program = ffmpeg;
    launch.args = args;
    launch.pipeIn = dvd != nullptr;
    launch.pipeErr = true;
    launch.progressPipe = true;
    launch.passFd = temp.fd;
    std::string error;
    Child child = spawnChild(launch, error);
    if (child.pid < 0) {
        temp.discard();
        say(error);
        return ExitNoFfmpeg;
    }
    if (child.in >= 0)
        fcntl(child.in, F_SETFL, fcntl(child.in, F_GETFL) | O_NONBLOCK);

    ProgressReader progress;
    MessageScan scan;
    std::vector<uint8_t> chunk;
    size_t chunkPos = 0;
    bool feeding = dvd != nullptr;
    bool errOpen = true, progOpen = true;
    int failure = 0;  // our own reason to stop ffmpeg early
    char buf[16384];
    auto stopNow = [&](int code) {
        killChild(child);
        temp.discard();
        return code;
    };
    while (errOpen || progOpen) {
        pollfd fds[4] = {{child.err, POLLIN, 0}, {child.progress, POLLIN, 0}, {stopFd(), POLLIN, 0},
                         {feeding ? child.in : -1, POLLOUT, 0}};
        if (!errOpen)
            fds[0].fd = -1;
        if (!progOpen)
            fds[1].fd = -1;
        if (poll(fds, 4, -1) < 0 && errno != EINTR)
            break;
        if (stopSignal()) {
            say("stopped; the partial output was removed");
            return stopNow(ExitStopped);
        }
        if (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) {
            const ssize_t n = read(child.err, buf, sizeof buf);
            if (n > 0) {
                writeAll(2, buf, static_cast<size_t>(n));
                scan.feed(buf, static_cast<size_t>(n));
            } else if (n == 0 || errno != EINTR) {
                errOpen = false;
            }
        }
        if (fds[1].revents & (POLLIN | POLLHUP | POLLERR)) {
            const ssize_t n = read(child.progress, buf, sizeof buf);
            if (n > 0) {
                for (const std::string& line : progress.feed(buf, static_cast<size_t>(n)))
                    writeAll(1, line.data(), line.size());
            } else if (n == 0 || errno != EINTR) {
                progOpen = false;
            }
        }
        if (feeding && (fds[3].revents & (POLLOUT | POLLERR | POLLHUP))) {
            // Hand ffmpeg the next sectors; it may stop reading early (-t), which ends the feed.
            if (chunkPos >= chunk.size()) {
                std::string readError;
                if (!dvd->next(chunk, readError)) {
                    say(readError);
                    failure = ExitDvdRead;
                    break;
                }
                chunkPos = 0;
            }
            if (chunk.empty()) {
                feeding = false;
                close(child.in);
                child.in = -1;
            } else {
                const ssize_t n = write(child.in, chunk.data() + chunkPos, chunk.size() - chunkPos);
                if (n > 0)
                    chunkPos += static_cast<size_t>(n);
                else if (n < 0 && errno != EAGAIN && errno != EINTR) {
                    feeding = false;
                    close(child.in);
                    child.in = -1;
                }
            }
        }
    }
    if (failure)
        return stopNow(failure);
    if (child.in >= 0)
        close(child.in);
    close(child.err);
    close(child.progress);
    int status = 0;
    if (!waitForExit(child, status)) {
        say("stopped; the partial output was removed");
        return stopNow(ExitStopped);
    }
    if (stopSignal()) {
        temp.discard();
        say("stopped; the partial output was removed");
        return ExitStopped;
    }
    if (WIFSIGNALED(status)) {
        temp.discard();
        say("ffmpeg was killed by signal " + std::to_string(WTERMSIG(status)) + "; the partial output was removed");
        return ExitCrashed;
    }
    if (WEXITSTATUS(status) != 0) {
        temp.discard();
        return WEXITSTATUS(status);
    }
    if (scan.trailerFailed || scan.nothingEncoded) {
        temp.discard();
        say(scan.trailerFailed ? "ffmpeg could not finish the output (error writing trailer); the partial output was removed"
                               : "ffmpeg encoded nothing; no output was written");
        return ExitIncomplete;
    }
    const std::string written = publish(temp, cl.output, error);
    if (written.empty()) {
        temp.discard();
        say(error);
        return ExitOutput;
    }
    if (written != cl.output)
        say("\"" + cl.output + "\" appeared during the conversion and was left as it is; the output is \"" + written + "\"");
    return ExitOk;
}

} // namespace reg
