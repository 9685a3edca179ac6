// A scripted stand-in for the transcoder register.dat, for deterministic runner and probe tests.
// It records every call (pid and arguments) to $VC_STANDIN_DIR/calls.log and plays the script
// chosen by the input's file name: "<name>.probe" / "default.probe" for a probe (register.dat -i
// PATH), "<name>.job" / "default.job" for a conversion. No script: exit 0 without output.
//
// Script lines:
//   say TEXT             write TEXT at once (escapes \r \n \t \0 \\), no line end added
//   sleep MS             pause
//   progress A B MS      "frame=... time=S.00 bitrate=...\r" for S = A..B, MS apart
//   output               create the output file (the last argument)
//   child                start a child (like the real engine's ffmpeg) that sleeps until killed
//   late MS TEXT         a child that writes TEXT to our output MS after we have gone
//   ignore-term          ignore SIGTERM (only SIGKILL ends us)
//   stall                wait until a signal ends us
//   crash                die of SIGSEGV
//   exit CODE            end with the code
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/prctl.h>
#include <unistd.h>
#include <vector>

namespace {

std::string dir()
{
    const char* d = std::getenv("VC_STANDIN_DIR");
    return d ? d : "";
}

void writeAll(const std::string& text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(1, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        done += std::size_t(n);
    }
}

std::string unescape(const std::string& s)
{
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            out += s[i];
            continue;
        }
        const char c = s[++i];
        out += c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : c == '0' ? '\0' : c;
    }
    return out;
}

void record(const std::string& line)
{
    std::ofstream log(dir() + "/calls.log", std::ios::app);
    log << line << '\n';
}

std::string escapeArg(const std::string& a)
{
    std::string out;
    for (char c : a)
        out += c == '\n' ? std::string("\\n") : c == '\\' ? std::string("\\\\") : std::string(1, c);
    return out;
}

std::string baseName(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool readFile(const std::string& path, std::string* text)
{
    std::ifstream f(path);
    if (!f)
        return false;
    std::stringstream ss;
    ss << f.rdbuf();
    *text = ss.str();
    return true;
}

void sleepMs(long ms)
{
    ::usleep(useconds_t(ms) * 1000);
}

} // namespace

int main(int argc, char* argv[])
{
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string call = "call\t" + std::to_string(::getpid());
    for (const std::string& a : args)
        call += '\t' + escapeArg(a);
    record(call);

    std::string input;
    for (std::size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == "-i")
            input = args[i + 1];
    const bool probe = args.size() == 2;
    const std::string kind = probe ? ".probe" : ".job";
    std::string script;
    if (!readFile(dir() + "/" + baseName(input) + kind, &script))
        readFile(dir() + "/default" + kind, &script);

    std::istringstream lines(script);
    std::string line;
    while (std::getline(lines, line)) {
        const std::size_t sp = line.find(' ');
        const std::string cmd = line.substr(0, sp);
        const std::string rest = sp == std::string::npos ? "" : line.substr(sp + 1);
        if (cmd == "say") {
            writeAll(unescape(rest));
        } else if (cmd == "sleep") {
            sleepMs(std::atol(rest.c_str()));
        } else if (cmd == "progress") {
            long a = 0, b = 0, ms = 0;
            std::istringstream(rest) >> a >> b >> ms;
            for (long s = a; s <= b; ++s) {
                writeAll("frame= " + std::to_string(s * 25) + " fps= 25 q=2.0 size= " + std::to_string(s * 10)
                         + "kB time=" + std::to_string(s) + ".00 bitrate= 512.0kbits/s\r");
                sleepMs(ms);
            }
        } else if (cmd == "output") {
            std::ofstream(args.back()) << "stand-in output\n";
        } else if (cmd == "child" || cmd == "late") {
            const pid_t self = ::getpid();
            const pid_t child = ::fork();
            if (child == 0) {
                if (cmd == "child") {
                    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
                    if (::getppid() != self)  // we died before the line above took effect
                        ::_exit(0);
                    for (;;)
                        ::pause();
                }
                const std::size_t sp2 = rest.find(' ');
                sleepMs(std::atol(rest.substr(0, sp2).c_str()));
                writeAll(unescape(rest.substr(sp2 + 1)));
                ::_exit(0);
            }
            record("child\t" + std::to_string(child));
        } else if (cmd == "ignore-term") {
            std::signal(SIGTERM, SIG_IGN);
        } else if (cmd == "stall") {
            for (;;)
                ::pause();
        } else if (cmd == "crash") {
            std::signal(SIGSEGV, SIG_DFL);
            ::raise(SIGSEGV);
        } else if (cmd == "exit") {
            return std::atoi(rest.c_str());
        }
    }
    return 0;
}
