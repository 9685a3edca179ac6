#include "tests/support/Fixtures.h"

#include <QProcess>

namespace fixtures {

bool ffmpeg(const QStringList& args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QStringLiteral("ffmpeg"), QStringList{QStringLiteral("-hide_banner"), QStringLiteral("-nostdin"),
                                                  QStringLiteral("-loglevel"), QStringLiteral("error"),
                                                  QStringLiteral("-y")} + args);
    return p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

bool makeClip(const QString& path, double seconds, const QString& size, const QStringList& extra)
{
    const QString d = QString::number(seconds);
    return ffmpeg(QStringList{QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                              QStringLiteral("testsrc=size=%1:rate=25:duration=%2").arg(size, d),
                              QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                              QStringLiteral("sine=frequency=440:sample_rate=44100:duration=%1").arg(d),
                              QStringLiteral("-shortest")}
                  + extra + QStringList{path});
}

bool makeVideoOnly(const QString& path, double seconds, const QString& size)
{
    return ffmpeg({QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                   QStringLiteral("testsrc=size=%1:rate=25:duration=%2").arg(size, QString::number(seconds)), path});
}

bool makeAudioOnly(const QString& path, double seconds)
{
    return ffmpeg({QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                   QStringLiteral("sine=frequency=440:sample_rate=44100:duration=%1").arg(seconds), path});
}

QString probe(const QString& path, const QString& entry, const QString& streams)
{
    QStringList args{QStringLiteral("-v"), QStringLiteral("error")};
    if (!streams.isEmpty())
        args << QStringLiteral("-select_streams") << streams;
    args << QStringLiteral("-show_entries") << entry << QStringLiteral("-of")
         << QStringLiteral("default=noprint_wrappers=1:nokey=1") << path;
    QProcess p;
    p.start(QStringLiteral("ffprobe"), args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

} // namespace fixtures
