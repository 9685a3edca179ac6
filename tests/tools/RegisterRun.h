// Running the built register.dat as the program does (argument list, no shell) and reading its
// output the way the program's probe and progress parsers do; the process table checks of the
// stop tests.
#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QThread>

#include <csignal>

namespace regtest {

inline QString program()
{
    return QStringLiteral(VC_PROGRAM_DIR "/register.dat");
}

struct Run {
    int code = -1;
    bool normalExit = false;
    QByteArray out, err;
};

// Runs a command to its end. `prefix` (e.g. setpriv ...) goes in front of register.dat.
inline Run run(const QStringList& args, const QString& workDir = QString(),
               const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment(),
               const QStringList& prefix = {}, int timeoutMs = 180000)
{
    QProcess p;
    p.setProcessEnvironment(env);
    if (!workDir.isEmpty())
        p.setWorkingDirectory(workDir);
    if (prefix.isEmpty())
        p.start(program(), args);
    else
        p.start(prefix.first(), prefix.mid(1) + QStringList{program()} + args);
    p.waitForFinished(timeoutMs);
    Run r;
    r.normalExit = p.exitStatus() == QProcess::NormalExit;
    r.code = p.exitCode();
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

// What the program's probe parser reads from a report (its algorithm, step by step).
struct ProbeResult {
    QString frameSize, video, audio, total, duration;
};

inline QString valueBeforeKbps(const QByteArray& line)
{
    const int k = line.indexOf(" kb/s");
    if (k < 0)
        return {};
    int start = k - 10;
    for (int i = k - 1; i >= 0 && i >= k - 10; --i)
        if (line[i] == ' ') {
            start = i + 1;
            break;
        }
    return QString::fromLatin1(line.mid(qMax(0, start), k - qMax(0, start)));
}

inline ProbeResult parseProbe(const QByteArray& buffer)
{
    ProbeResult r;
    const int d = buffer.indexOf("Duration:");
    if (d >= 0)
        r.duration = QString::fromLatin1(buffer.mid(d + 10, 8));
    // CR-terminated lines.
    QList<QByteArray> lines;
    int from = 0;
    for (int cr = buffer.indexOf('\r'); cr >= 0; cr = buffer.indexOf('\r', from)) {
        lines << buffer.mid(from, cr - from);
        from = cr + 1;
    }
    auto lineWith = [&](const char* key) -> QByteArray {
        for (const QByteArray& l : lines)
            if (l.contains(key))
                return l;
        return {};
    };
    r.total = valueBeforeKbps(lineWith("bitrate:"));
    const QByteArray video = lineWith("Video:");
    r.video = valueBeforeKbps(video);
    r.audio = valueBeforeKbps(lineWith("Audio:"));
    if (!video.isEmpty()) {
        const QByteArray tail = video.mid(video.indexOf("Video:"));
        const int x = tail.indexOf('x');
        if (x >= 0) {
            int start = x - 10;
            for (int i = x - 1; i >= 0 && i >= x - 10; --i)
                if (tail[i] == ' ') {
                    start = i + 1;
                    break;
                }
            int end = x + 1;
            while (end < tail.size() && end <= x + 10 && tail[end] >= '0' && tail[end] <= '9')
                ++end;
            r.frameSize = QString::fromLatin1(tail.mid(qMax(0, start), end - qMax(0, start)));
        }
    }
    return r;
}

// The program's progress rule: whole seconds between "time=" and the next "." before "bitrate=".
inline long long progressSeconds(const QByteArray& text)
{
    const int t = text.indexOf("time="), b = text.indexOf("bitrate=");
    if (t < 0 || b < 0 || b < t)
        return 0;
    const int dot = text.indexOf('.', t + 5);
    if (dot < 0 || dot > b)
        return 0;
    bool ok = false;
    const long long v = text.mid(t + 5, dot - t - 5).toLongLong(&ok);
    return ok && v <= 100000 ? v : 0;
}

// True while the process exists and is not a zombie.
inline bool running(int pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray s = stat.readAll();
    const int paren = s.lastIndexOf(')');
    return paren > 0 && paren + 2 < s.size() && s[paren + 2] != 'Z';
}

// Running processes (not zombies) whose command line contains the text.
inline QList<int> processesMentioning(const QString& text)
{
    QList<int> found;
    const QByteArray needle = text.toLocal8Bit();
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& e : entries) {
        bool ok = false;
        const int pid = e.toInt(&ok);
        if (!ok || pid == QCoreApplication::applicationPid() || !running(pid))
            continue;
        QFile cmd(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (cmd.open(QIODevice::ReadOnly) && cmd.readAll().contains(needle))
            found << pid;
    }
    return found;
}

// Running children of a process.
inline QList<int> childrenOf(int parent)
{
    QList<int> found;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& e : entries) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(e));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray s = stat.readAll();
        const int paren = s.lastIndexOf(')');
        const QList<QByteArray> f = s.mid(paren + 2).split(' ');
        if (f.size() > 1 && f[0] != "Z" && f[1].toInt() == parent)
            found << e.toInt();
    }
    return found;
}

// Waits up to `ms` for no process to mention the text; the ones left.
inline QList<int> waitForNoProcess(const QString& text, int ms = 5000)
{
    QList<int> left;
    for (int waited = 0; waited <= ms; waited += 50) {
        left = processesMentioning(text);
        if (left.isEmpty())
            break;
        QThread::msleep(50);
    }
    return left;
}

// Every entry of a folder, hidden ones included.
inline QStringList allEntries(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

} // namespace regtest
