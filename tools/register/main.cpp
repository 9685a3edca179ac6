// register.dat: the program's transcoder, a thin adapter over Debian's ffmpeg 5.1.
//
// Command lines (each piece one argument; no shell, no quoting; paths whatever they hold):
//   register.dat -i SOURCE
//       Describes SOURCE on standard output, lines ending in CR LF:
//         Input #0, FORMAT:
//           Duration: HH:MM:SS.xx, bitrate: N kb/s      (no "Duration:" when it is unknown)
//           Stream #0:0: Video: WxH, CODEC, ..., N kb/s  (size first; cover pictures are not "Video:")
//           Stream #0:1: Audio: CODEC, R Hz, LAYOUT, N kb/s
//       Rates are the streams' true average rates (stream figures, Matroska BPS tags, the
//       container total less the other streams, else a bounded packet sample). A file that is
//       not media prints ffprobe's reason and no "bitrate:".
//   register.dat -y -i INPUT [-r 25 -b N] [-ab N] -ac C [-aspect R] [-t HH:MM:SS] [-s WxH] [-ar N]
//                [profile arguments...] OUTPUT
//       Converts INPUT into OUTPUT (always the last argument). Everything between INPUT and
//       OUTPUT is ffmpeg output options; "-b" means the video rate (-b:v), "-ab" the audio rate
//       (-b:a); "-ab", "-s", "-ac" and "-ar" are snapped to what the chosen encoder accepts
//       (Vorbis: its range for the sample rate and channels, e.g. at most 500 kb/s stereo at
//       44.1/48 kHz, so an uncompressed source's 1536 kb/s becomes 500). RealMedia video ("-s"
//       above 720x576's area, as an HD source's own size) is scaled down to that area keeping its
//       aspect, its "-b" capped at 4000 kb/s, and "-maxrate"/"-bufsize" added (unless given) so
//       that no picture overflows a 64 kB RealMedia packet.
//       INPUT is a local path (read as a file whatever protocol its name resembles) or a DVD
//       reference "vts://VV*S*E*A*U*/ROOT": title set VV's title VOB sectors S..E inclusive of
//       the DVD whose VIDEO_TS folder lies in ROOT (ROOT may also name VIDEO_TS itself, an IFO
//       in it, a disc image or a device; an empty ROOT means "/" when it holds VIDEO_TS, else
//       the current directory); A the audio stream's MPEG-PS id ("0x80", "0xC0"; "0" = none);
//       U the subpicture id to burn in ("0x20"; "0" = none).
//       Standard output carries progress lines ending in CR:
//         frame=  N fps= F q=Q size=   NkB time=S.ff bitrate=R speed=X
//       with S whole seconds; ffmpeg's messages and ours ("register.dat: ...") go to standard
//       error. OUTPUT only ever holds a complete result: ffmpeg writes to an unnamed temporary
//       file in OUTPUT's folder that is linked to OUTPUT at the end; an existing OUTPUT (even
//       with -y) is never replaced: the result then goes to OUTPUT's name with "_1", "_2", ...
//
// Exit codes: 0 the output was written completely (or the probe printed its description);
//   ffmpeg's or ffprobe's own non-zero code when it failed (usually 1);
//   100 malformed command line; 101 ffmpeg/ffprobe missing or not startable;
//   102 malformed vts:// reference, no DVD at ROOT, no such title set, sectors out of range;
//   103 encrypted DVD; 104 DVD read error; 105 output folder missing or not writable, or the
//   result could not be named; 106 ffmpeg ended with 0 but the output is incomplete ("Error
//   writing trailer", nothing encoded); 107 ffmpeg killed by a signal we did not send;
//   108 stopped.
//
// Stopping: the program sends SIGTERM (SIGINT and SIGHUP act the same), then SIGKILL after a
// grace period. On SIGTERM the transcoder kills its ffmpeg, removes the partial output and
// exits 108 within a few milliseconds. On SIGKILL its ffmpeg dies with it (PR_SET_PDEATHSIG
// SIGKILL in the child; ffmpeg also stays in the transcoder's process group), and the unnamed
// temporary output vanishes with the last descriptor, so nothing remains. (Only on a file
// system without O_TMPFILE does a hidden ".NAME.XXXXXX.EXT" stand in; SIGKILL leaves that one.)
// When the program that started the transcoder dies, the transcoder stops as on SIGTERM
// (PR_SET_PDEATHSIG SIGTERM): start it from a thread that lives as long as the job, since
// the kernel sends that signal when the starting thread ends.
//
// Environment: VC_FFMPEG and VC_FFPROBE name other ffmpeg/ffprobe executables (default:
// found on PATH; ffprobe beside a chosen ffmpeg is preferred).
#include "tools/register/CommandLine.h"
#include "tools/register/Jobs.h"
#include "tools/register/Process.h"

#include <cerrno>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace reg {

void say(const std::string& text)
{
    const std::string line = "register.dat: " + text + "\n";
    writeAll(2, line.data(), line.size());
}

bool writeAll(int fd, const char* data, size_t length)
{
    while (length > 0) {
        const ssize_t n = write(fd, data, length);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        length -= static_cast<size_t>(n);
    }
    return true;
}

} // namespace reg

int main(int argc, char* argv[])
{
    // Descriptors 0-2 must exist, or a pipe made later would take their place.
    for (int fd = 0; fd < 3; ++fd)
        if (fcntl(fd, F_GETFD) < 0 && errno == EBADF)
            open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
    reg::installStopHandling();

    const std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    const auto cl = reg::parseCommandLine(args, error);
    if (!cl) {
        reg::say(error);
        return reg::ExitUsage;
    }
    return cl->probe ? reg::runProbe(cl->input) : reg::runConversion(*cl);
}
