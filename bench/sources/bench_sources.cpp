// Side-by-side figures of the job list: adding 200 small files through the program's probe
// against ffprobe run directly on the same files (target: at most 1.5x per file), and
// RefreshOutputSizes over 1,000 rows (target: under 10 ms). Needs the built register.dat.
#include "sources/ui/SourceList.h"
#include "tests/convert/StandIn.h"
#include "tests/support/Fixtures.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <algorithm>
#include <cstdio>

namespace {

double probeDirect(const QString& file)
{
    QElapsedTimer t;
    t.start();
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("ffprobe"), {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-show_format"),
                                        QStringLiteral("-show_streams"), file});
    p.waitForFinished(-1);
    p.readAll();
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QString programDir = QStringLiteral(VC_PROGRAM_DIR "/");
    QTemporaryDir dir;

    // Adding files.
    const QString clip = dir.path() + QStringLiteral("/clip.avi");
    if (!fixtures::makeClip(clip, 1.0, QStringLiteral("160x120"))) {
        std::fprintf(stderr, "ffmpeg could not make the clip\n");
        return 1;
    }
    QStringList files;
    for (int i = 0; i < 200; ++i) {
        files.append(dir.path() + QStringLiteral("/clip %1.avi").arg(i, 3, 10, QLatin1Char('0')));
        QFile::copy(clip, files.last());
    }
    if (!QFileInfo(programDir + QStringLiteral("register.dat")).isExecutable()) {
        std::fprintf(stderr, "register.dat is not built in %s\n", qPrintable(programDir));
        return 1;
    }
    // File by file, alternating, so both sides see the same load of the machine.
    standin::Window listWin(programDir);
    listWin.useProfile(7, {QStringLiteral("320x240"), QStringLiteral("640x480")}, 0);
    SourceList adder(*listWin.ctx);
    double direct = 0, program = 0;
    for (const QString& f : files) {
        direct += probeDirect(f);
        QElapsedTimer t;
        t.start();
        adder.AddSourceFile(f);
        program += t.nsecsElapsed() / 1e6;
    }
    std::printf("add 200 files: %.2f ms per file through the program, %.2f ms with ffprobe directly: %.2fx (target <= 1.5x), %d rows\n",
                program / files.size(), direct / files.size(), program / direct, listWin.rows());

    // Output sizes over 1,000 rows.
    standin::Window win(programDir);
    win.useProfile(7, {QStringLiteral("320x240"), QStringLiteral("640x480"), QStringLiteral("The original width and height")}, 2);
    for (int i = 0; i < 1000; ++i)
        win.addRow({QStringLiteral("/s/%1.avi").arg(i), QStringLiteral("640x480"), QStringLiteral("00:01:%1").arg(i % 60, 2, 10, QLatin1Char('0')),
                    QStringLiteral("900"), QStringLiteral("128")},
                   QString::number(i));
    SourceList list(*win.ctx);
    std::vector<double> runs;
    for (int i = 0; i < 21; ++i) {
        win.form.cb_size->setCurrentIndex(i % 3);
        QElapsedTimer t;
        t.start();
        list.RefreshOutputSizes();
        runs.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(runs.begin(), runs.end());
    std::printf("RefreshOutputSizes, 1000 rows: median %.2f ms, worst %.2f ms (target < 10 ms)\n", runs[runs.size() / 2],
                runs.back());
    return 0;
}
