// Side-by-side timings of register.dat and the ffmpeg tools it wraps, on media made here:
// a conversion through register.dat against the same ffmpeg command run directly (target
// ratio <= 1.03), a probe against ffprobe on small files (<= 1.1) and on a large MKV without
// stream statistics (<= 1.5). Runs alternate so both sides see the same machine load.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double timed(const QString& program, const QStringList& args)
{
    QElapsedTimer t;
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    t.start();
    p.start(program, args);
    p.waitForFinished(-1);
    const double ms = t.nsecsElapsed() / 1e6;
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        std::fprintf(stderr, "failed: %s %s\n", qPrintable(program), qPrintable(args.join(QLatin1Char(' '))));
        std::exit(1);
    }
    return ms;
}

bool make(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral("ffmpeg"), QStringList{QStringLiteral("-hide_banner"), QStringLiteral("-nostdin"),
                                                  QStringLiteral("-loglevel"), QStringLiteral("error"), QStringLiteral("-y")}
                                          + args);
    return p.waitForFinished(-1) && p.exitCode() == 0;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void compare(const char* what, int runs, const QString& aProg, const QStringList& aArgs, const QString& bProg,
             const QStringList& bArgs, double target)
{
    std::vector<double> a, b;
    timed(aProg, aArgs);  // warm the caches for both
    timed(bProg, bArgs);
    for (int i = 0; i < runs; ++i) {
        a.push_back(timed(aProg, aArgs));
        b.push_back(timed(bProg, bArgs));
    }
    const double ratio = median(a) / median(b);
    std::printf("%-44s register.dat %9.1f ms   direct %9.1f ms   ratio %.3f (target <= %.2f) %s\n", what, median(a), median(b),
                ratio, target, ratio <= target ? "ok" : "OVER");
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    const QString reg = QStringLiteral(VC_PROGRAM_DIR "/register.dat");
    QTemporaryDir dir;
    const QString d = dir.path();
    std::printf("Making media in %s ...\n", qPrintable(d));
    std::fflush(stdout);
    const QString src = QStringLiteral("testsrc2=size=640x480:rate=25:duration=%1");
    const QString tone = QStringLiteral("sine=frequency=440:sample_rate=44100:duration=%1");
    if (!make({"-f", "lavfi", "-i", src.arg(20), "-f", "lavfi", "-i", tone.arg(20), "-shortest", d + "/conv.avi"})
        || !make({"-f", "lavfi", "-i", src.arg(2), "-f", "lavfi", "-i", tone.arg(2), "-shortest", d + "/small.avi"})
        || !make({"-f", "lavfi", "-i", src.arg(2), "-f", "lavfi", "-i", tone.arg(2), "-shortest", "-pix_fmt", "yuv420p", d + "/small.mp4"})
        || !make({"-f", "lavfi", "-i", src.arg(2), "-f", "lavfi", "-i", tone.arg(2), "-shortest", d + "/small.mkv"})
        || !make({"-f", "lavfi", "-i", "testsrc2=size=1280x720:rate=25:duration=120,noise=alls=20:allf=t", "-f", "lavfi", "-i",
                  tone.arg(120), "-shortest", "-c:v", "libx264", "-preset", "ultrafast", "-b:v", "8M", "-c:a", "libvorbis",
                  d + "/large.mkv"})) {
        std::fprintf(stderr, "could not make the media\n");
        return 1;
    }
    std::printf("large.mkv: %.0f MB, %d runs each\n\n", QFile(d + "/large.mkv").size() / 1e6, runs);

    const QStringList pieces = {"-r", "25", "-b", "800000", "-ab", "128000", "-ac", "2", "-aspect", "1.3333",
                                "-s", "640x480", "-ar", "44100", "-vcodec", "libx264", "-pix_fmt", "yuv420p"};
    const QStringList direct = {"-r", "25", "-b:v", "800000", "-b:a", "128000", "-ac", "2", "-aspect", "1.3333",
                                "-s", "640x480", "-ar", "44100", "-vcodec", "libx264", "-pix_fmt", "yuv420p"};
    compare("conversion 20 s 640x480 -> mp4 (libx264)", runs, reg,
            QStringList{"-y", "-i", d + "/conv.avi"} + pieces + QStringList{d + "/out-reg.mp4"}, QStringLiteral("ffmpeg"),
            QStringList{"-hide_banner", "-nostdin", "-y", "-i", d + "/conv.avi"} + direct + QStringList{d + "/out-direct.mp4"},
            1.03);
    // register.dat never replaces a file, so its repeated runs leave numbered outputs here.
    const int probeRuns = runs * 3;
    for (const char* f : {"small.avi", "small.mp4", "small.mkv"})
        compare(qPrintable(QStringLiteral("probe %1").arg(QLatin1String(f))), probeRuns, reg, {"-i", d + "/" + f},
                QStringLiteral("ffprobe"), {d + "/" + f}, 1.1);
    compare("probe large.mkv (no stream statistics)", probeRuns, reg, {"-i", d + "/large.mkv"}, QStringLiteral("ffprobe"),
            {d + "/large.mkv"}, 1.5);
    return 0;
}
