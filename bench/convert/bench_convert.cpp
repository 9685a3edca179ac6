// Side-by-side figures of the runner with the real register.dat: the longest gap between ticks
// of a 5 ms GUI timer while a conversion runs (target: under 50 ms), and a batch of 5 clips
// through the runner against the same five ffmpeg commands run directly (target: at most
// 1.05x). The ffmpeg commands are recorded by a wrapper named in VC_FFMPEG, then replayed.
#include "convert/ui/ConversionController.h"
#include "profiles/ProfileFile.h"
#include "tests/convert/StandIn.h"
#include "tests/support/Fixtures.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

const QString ProgramDir = QStringLiteral(VC_PROGRAM_DIR "/");

// Times every event the GUI thread handles: the longest one is the program's own stall, apart
// from the time the system gives to other processes.
class TimedApp : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override
    {
        QElapsedTimer t;
        t.start();
        const bool result = QApplication::notify(receiver, event);
        if (measuring)
            longestEventMs = std::max(longestEventMs, t.nsecsElapsed() / 1e6);
        return result;
    }
    bool measuring = false;
    double longestEventMs = 0;
};

struct Batch {
    double seconds = 0;
    qint64 longestGapMs = 0;
    bool allFinished = true;
};

// A script that records its arguments (NUL-separated, records ended by \1) and runs `program`.
QString recordingWrapper(const QString& path, const QString& log, const QString& program)
{
    QFile w(path);
    w.open(QIODevice::WriteOnly);
    w.write("#!/bin/sh\n{ for a in \"$@\"; do printf '%s\\0' \"$a\"; done; printf '\\1'; } >> '" + log.toUtf8()
            + "'\nexec '" + program.toUtf8() + "' \"$@\"\n");
    w.close();
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

QList<QStringList> recorded(const QString& log)
{
    QFile f(log);
    f.open(QIODevice::ReadOnly);
    QList<QStringList> calls;
    for (const QByteArray& record : f.readAll().split('\1')) {
        QStringList args;
        for (const QByteArray& a : record.split('\0'))
            if (!a.isEmpty())
                args.append(QString::fromUtf8(a));
        if (!args.isEmpty())
            calls.append(args);
    }
    return calls;
}

// Converts the clips with profile 7 (its argument line from profiles.pop) into `out`, running
// the transcoder named `encoder`.
Batch runBatch(const QStringList& clips, const QString& out, const QString& encoder)
{
    standin::Window win(ProgramDir);
    win.state.CurrentJob.EncoderPath = encoder;
    profilefile::ProfileBlock block;
    QString error;
    profilefile::ReadProfileBlock(ProgramDir + profilefile::FileName, 7, &block, &error);
    win.useProfile(7, {QStringLiteral("320x240"), QStringLiteral("640x480")}, 1, 2, 2, block.argumentLine.value_or(QString()));
    win.form.ed_output->setText(out);
    for (const QString& c : clips)
        win.addRow({c, QStringLiteral("640x480"), QStringLiteral("00:00:10"), QStringLiteral("1000"), QStringLiteral("128")},
                   QFileInfo(c).completeBaseName());
    ConversionController conv(*win.ctx);
    Batch b;
    QElapsedTimer gap;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        b.longestGapMs = std::max(b.longestGapMs, gap.restart());
    });
    QElapsedTimer t;
    t.start();
    auto* app = static_cast<TimedApp*>(QCoreApplication::instance());
    app->measuring = true;
    conv.StartConversion();
    gap.start();
    ticker.start();
    // Wait as the program's own loop does: blocked until something happens.
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (!win.state.IsConverting)
            loop.quit();
    });
    poll.start(20);
    loop.exec();
    app->measuring = false;
    b.seconds = t.nsecsElapsed() / 1e9;
    for (int r = 0; r < win.rows(); ++r)
        b.allFinished = b.allFinished && win.status(r) == QLatin1String("Finish");
    return b;
}

// The recorded commands of `program`, each run directly, its output read like the runner does;
// ffmpeg's progress pipe and unnamed output become /dev/null and a plain file.
double replay(const QString& program, const QString& log, const QString& out)
{
    QElapsedTimer t;
    t.start();
    int n = 0;
    for (QStringList args : recorded(log)) {
        for (QString& a : args) {
            if (a == QLatin1String("pipe:3"))
                a = QStringLiteral("/dev/null");
            else if (a.startsWith(QLatin1String("file:/proc/self/fd/")))
                a = QStringLiteral("file:") + out + QStringLiteral("/replay%1.wmv").arg(n++);
        }
        if (program != QLatin1String("ffmpeg"))
            args.last() = out + QStringLiteral("/replay%1.wmv").arg(n++);
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(program, args);
        while (p.state() != QProcess::NotRunning) {
            p.waitForReadyRead(-1);
            p.readAll();
        }
    }
    return t.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char* argv[])
{
    TimedApp app(argc, argv);
    if (!QFileInfo(ProgramDir + QStringLiteral("register.dat")).isExecutable()) {
        std::fprintf(stderr, "register.dat is not built in %s\n", qPrintable(ProgramDir));
        return 1;
    }
    QTemporaryDir dir;
    QStringList clips;
    for (int i = 0; i < 5; ++i) {
        clips.append(dir.path() + QStringLiteral("/clip%1.avi").arg(i));
        if (!fixtures::makeClip(clips.last(), 10.0, QStringLiteral("640x480"))) {
            std::fprintf(stderr, "ffmpeg could not make the clips\n");
            return 1;
        }
    }
    const QString ffmpegLog = dir.path() + QStringLiteral("/ffmpeg.log");
    const QString registerLog = dir.path() + QStringLiteral("/register.log");
    qputenv("VC_FFMPEG", recordingWrapper(dir.path() + QStringLiteral("/ffmpeg"), ffmpegLog,
                                          QStandardPaths::findExecutable(QStringLiteral("ffmpeg"))).toUtf8());
    const QString encoder = recordingWrapper(dir.path() + QStringLiteral("/register.dat"), registerLog,
                                             ProgramDir + QStringLiteral("register.dat"));

    double runner = 1e9, viaRegister = 1e9, direct = 1e9;
    qint64 gap = 0;
    bool finished = true;
    for (int round = 0; round < 3; ++round) {  // alternating, the best of each
        const QString out = dir.path() + QStringLiteral("/out%1").arg(round);
        QFile::remove(ffmpegLog);
        QFile::remove(registerLog);
        const Batch b = runBatch(clips, out, encoder);
        finished = finished && b.allFinished;
        runner = std::min(runner, b.seconds);
        gap = std::max(gap, b.longestGapMs);
        QDir().mkpath(out + QStringLiteral("/direct"));
        QDir().mkpath(out + QStringLiteral("/register"));
        direct = std::min(direct, replay(QStringLiteral("ffmpeg"), ffmpegLog, out + QStringLiteral("/direct")));
        viaRegister = std::min(viaRegister, replay(ProgramDir + QStringLiteral("register.dat"), registerLog,
                                                   out + QStringLiteral("/register")));
    }
    std::printf("longest gap between 5 ms GUI timer ticks during conversions: %lld ms (target < 50 ms); longest single "
                "event handled on the GUI thread: %.2f ms\n",
                gap, app.longestEventMs);
    std::printf("batch of 5 clips: %.2f s through the runner, %.2f s as ffmpeg commands run directly: %.3fx (target <= 1.05x)%s\n",
                runner, direct, runner / direct, finished ? "" : "  [some jobs did not finish]");
    std::printf("  the same register.dat commands run directly: %.2f s (runner / register.dat %.3fx, register.dat / ffmpeg %.3fx)\n",
                viaRegister, runner / viaRegister, viaRegister / direct);
    return 0;
}
