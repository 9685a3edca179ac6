#include "sources/EncoderProcess.h"

#include <QFileInfo>
#include <QProcess>

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

namespace sources {

void PrepareEncoderProcess(QProcess& process, const QString& workDir)
{
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(workDir);
    const pid_t parent = ::getpid();
    // Runs in the child between fork and exec: only async-signal-safe calls.
    process.setChildProcessModifier([parent] {
        ::setpgid(0, 0);
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent)  // the program died before the line above took effect
            ::_exit(127);
    });
}

bool EncoderUsable(const QString& encoderPath)
{
    const QFileInfo info(encoderPath);
    return info.isFile() && info.isExecutable();
}

QString EncoderUnavailableText(const QString& encoderPath)
{
    return QStringLiteral("The converter engine \"%1\" is missing or cannot be run. Please reinstall the program.")
        .arg(encoderPath);
}

void SignalGroup(qint64 pid, int signal)
{
    if (pid > 0)
        ::kill(-static_cast<pid_t>(pid), signal);
}

} // namespace sources
