#include "tools/register/Process.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <linux/close_range.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace reg {

namespace {

int g_stopPipe[2] = {-1, -1};
volatile sig_atomic_t g_stopSignal = 0;

void onStop(int sig)
{
    if (!g_stopSignal)
        g_stopSignal = sig;
    const int saved = errno;
    const char c = static_cast<char>(sig);
    [[maybe_unused]] ssize_t n = write(g_stopPipe[1], &c, 1);
    errno = saved;
}

bool executable(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

} // namespace

void installStopHandling()
{
    if (pipe2(g_stopPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        g_stopPipe[0] = g_stopPipe[1] = -1;
    struct sigaction sa {};
    sa.sa_handler = onStop;
    sigemptyset(&sa.sa_mask);
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        sigaction(sig, &sa, nullptr);
    signal(SIGPIPE, SIG_IGN);  // a child that stops reading its input must not kill us
    // When the program that started us goes away, stop as if it had asked us to.
    const pid_t parent = getppid();
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent)
        raise(SIGTERM);
}

int stopFd()
{
    return g_stopPipe[0];
}

int stopSignal()
{
    return g_stopSignal;
}

std::string findProgram(const char* envVar, const std::string& name)
{
    if (const char* v = std::getenv(envVar); v && *v) {
        const std::string p = v;
        if (p.find('/') != std::string::npos)
            return executable(p) ? p : std::string();
        return findProgram("", p);
    }
    if (name.find('/') != std::string::npos)
        return executable(name) ? name : std::string();
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
    size_t pos = 0;
    while (pos <= dirs.size()) {
        const size_t colon = dirs.find(':', pos);
        const std::string dir = dirs.substr(pos, colon == std::string::npos ? std::string::npos : colon - pos);
        const std::string candidate = (dir.empty() ? std::string(".") : dir) + "/" + name;
        if (executable(candidate))
            return candidate;
        if (colon == std::string::npos)
            break;
        pos = colon + 1;
    }
    return {};
}

Child spawnChild(const ChildLaunch& launch, std::string& error)
{
    Child c;
    int in[2] = {-1, -1}, out[2] = {-1, -1}, err[2] = {-1, -1}, prog[2] = {-1, -1}, report[2] = {-1, -1};
    auto closeAll = [&]() {
        for (int* p : {in, out, err, prog, report})
            for (int i = 0; i < 2; ++i)
                if (p[i] >= 0)
                    close(p[i]);
    };
    if ((launch.pipeIn && pipe2(in, O_CLOEXEC) != 0) || (launch.pipeOut && pipe2(out, O_CLOEXEC) != 0)
        || (launch.pipeErr && pipe2(err, O_CLOEXEC) != 0) || (launch.progressPipe && pipe2(prog, O_CLOEXEC) != 0)
        || pipe2(report, O_CLOEXEC) != 0) {
        error = std::string("cannot create a pipe: ") + std::strerror(errno);
        closeAll();
        return c;
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(launch.program.c_str()));
    for (const std::string& a : launch.args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid < 0) {
        error = std::string("cannot start a process: ") + std::strerror(errno);
        closeAll();
        return c;
    }
    if (pid == 0) {
        // The child dies with us, whatever kills us (SIGKILL included).
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent)
            _exit(127);
        struct sigaction sa {};
        sa.sa_handler = SIG_DFL;
        for (int sig : {SIGTERM, SIGINT, SIGHUP, SIGPIPE})
            sigaction(sig, &sa, nullptr);
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        int devnull = -1;
        if (!launch.pipeIn)
            devnull = open("/dev/null", O_RDONLY);
        // Move the kept descriptor out of the way of 0..3 first.
        int keep = launch.passFd >= 0 ? fcntl(launch.passFd, F_DUPFD_CLOEXEC, 10) : -1;
        if (launch.pipeIn)
            dup2(in[0], 0);
        else if (devnull >= 0)
            dup2(devnull, 0);
        if (launch.pipeOut)
            dup2(out[1], 1);
        if (launch.pipeErr)
            dup2(err[1], 2);
        if (launch.progressPipe)
            dup2(prog[1], 3);
        if (keep >= 0)
            dup2(keep, 4);
        const int firstFree = keep >= 0 ? 5 : (launch.progressPipe ? 4 : 3);
        // Everything else (pipes, the stop pipe, DVD files, the report pipe) closes on exec;
        // the report pipe stays open until then to tell the parent why exec failed.
        if (close_range(static_cast<unsigned>(firstFree), ~0U, CLOSE_RANGE_CLOEXEC) != 0)
            for (int fd = firstFree; fd < 4096; ++fd)
                fcntl(fd, F_SETFD, FD_CLOEXEC);
        execv(launch.program.c_str(), argv.data());
        const int e = errno;
        [[maybe_unused]] ssize_t n = write(report[1], &e, sizeof e);
        _exit(127);
    }
    close(report[1]);
    report[1] = -1;
    int childErrno = 0;
    ssize_t n;
    do
        n = read(report[0], &childErrno, sizeof childErrno);
    while (n < 0 && errno == EINTR);
    close(report[0]);
    report[0] = -1;
    if (n == static_cast<ssize_t>(sizeof childErrno)) {
        error = "cannot start " + launch.program + ": " + std::strerror(childErrno);
        waitpid(pid, nullptr, 0);
        closeAll();
        return c;
    }
    c.pid = pid;
    auto take = [](int p[2], int mine, int& dst) {
        dst = p[mine];
        p[mine] = -1;
    };
    if (launch.pipeIn)
        take(in, 1, c.in);
    if (launch.pipeOut)
        take(out, 0, c.out);
    if (launch.pipeErr)
        take(err, 0, c.err);
    if (launch.progressPipe)
        take(prog, 0, c.progress);
    closeAll();
    return c;
}

void killChild(Child& child)
{
    if (child.pid > 0) {
        kill(child.pid, SIGKILL);
        while (waitpid(child.pid, nullptr, 0) < 0 && errno == EINTR) {
        }
        child.pid = -1;
    }
}

bool waitForExit(Child& child, int& status)
{
    // A pidfd turns readable when the child ends; without one (old kernels, sandboxes) a
    // short poll tick stands in.
    const int exitFd = static_cast<int>(syscall(SYS_pidfd_open, child.pid, 0));
    bool ended = false;
    for (;;) {
        const pid_t r = waitpid(child.pid, &status, WNOHANG);
        if (r == child.pid || (r < 0 && errno != EINTR)) {
            if (r < 0)
                status = 0;
            ended = true;
            break;
        }
        if (stopSignal())
            break;
        pollfd p[2] = {{stopFd(), POLLIN, 0}, {exitFd, POLLIN, 0}};
        poll(p, 2, exitFd >= 0 ? -1 : 20);
    }
    if (exitFd >= 0)
        close(exitFd);
    if (ended)
        child.pid = -1;
    return ended;
}

} // namespace reg
