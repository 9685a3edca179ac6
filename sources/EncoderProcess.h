// How the program runs its transcoder (register.dat) as a child: output and errors merged on one
// channel, the program directory as working directory, its own process group, and tied to our
// life, so a transcoder never outlives the program, even when the program is killed.
#pragma once

#include <QString>
#include <QStringList>

class QProcess;

namespace sources {

// Sets up (does not start) a process for the transcoder. The child gets SIGTERM when the program
// dies and leads a process group of its own (its pid), so ending the group ends what it started.
void PrepareEncoderProcess(QProcess& process, const QString& workDir);

// True when the file exists and may be executed.
bool EncoderUsable(const QString& encoderPath);

// The one message shown when a command needs the transcoder and it is missing or not executable.
QString EncoderUnavailableText(const QString& encoderPath);

// Signals the process group led by `pid` (SIGTERM, SIGKILL); nothing when pid is 0 or below.
void SignalGroup(qint64 pid, int signal);

} // namespace sources
