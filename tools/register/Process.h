// Child processes of the transcoder (ffmpeg, ffprobe) and its stop signals. A child dies with
// the transcoder (PR_SET_PDEATHSIG SIGKILL), stays in its process group, and gets pipes for
// the streams asked for; SIGTERM, SIGINT and SIGHUP to the transcoder become a readable
// descriptor so one poll loop sees them. POSIX/Linux only.
#pragma once

#include <string>
#include <vector>

#include <sys/types.h>

namespace reg {

// Exit codes of the transcoder's own failures (ffmpeg's own codes pass through unchanged).
enum ExitCode {
    ExitOk = 0,
    ExitUsage = 100,         // malformed command line
    ExitNoFfmpeg = 101,      // ffmpeg/ffprobe not found or not startable
    ExitBadReference = 102,  // malformed vts:// text, no DVD at ROOT, no such title set, sectors out of range
    ExitEncrypted = 103,     // the DVD's sectors are CSS-scrambled
    ExitDvdRead = 104,       // a DVD sector could not be read
    ExitOutput = 105,        // output folder missing or not writable; the result could not be given its name
    ExitIncomplete = 106,    // ffmpeg ended with 0 but the output is not complete ("Error writing trailer", nothing encoded)
    ExitCrashed = 107,       // ffmpeg was killed by a signal the transcoder did not send
    ExitStopped = 108,       // stopped by SIGTERM, SIGINT or SIGHUP (or its parent died)
};

// Installs the stop-signal handlers and the parent-death signal; call once at start.
void installStopHandling();
// Readable when a stop signal arrived; stopSignal() says which (0 = none).
int stopFd();
int stopSignal();

// Full path of a program: the environment variable's value when set, else a search of PATH;
// empty when not found.
std::string findProgram(const char* envVar, const std::string& name);

struct ChildLaunch {
    std::string program;
    std::vector<std::string> args;   // without argv[0]
    bool pipeIn = false;             // else /dev/null
    bool pipeOut = false;            // else our stdout
    bool pipeErr = false;            // else our stderr
    bool progressPipe = false;       // a pipe on the child's descriptor 3
    int passFd = -1;                 // a descriptor the child keeps as descriptor 4
};

struct Child {
    pid_t pid = -1;
    int in = -1, out = -1, err = -1, progress = -1;  // our ends
};

// Starts the child; on failure returns pid -1 and the reason.
Child spawnChild(const ChildLaunch& launch, std::string& error);

// Kills the child outright and reaps it.
void killChild(Child& child);

// Waits for the child's end and reaps it (pid becomes -1); false when a stop signal came
// first, the child then still running. Wakes on the exit itself, not on a polling tick.
bool waitForExit(Child& child, int& status);

} // namespace reg
