// dvd-info: prints what the program's IFO reader sees, so a user can tell why a disc lists as
// it does. Given a folder it takes the IFO files the "Add DVD" command would take; given IFO
// files it reads those. Per title set: the IFO path, video, audio and subpicture descriptions;
// per program chain: its playback time, cell count and whether it becomes a title row; per
// cell: its sectors, playback time and whether it becomes a chapter row.
// Exit codes: 0 read, 1 no DVD found or nothing readable, 2 encrypted disc, 64 usage.
#include "dvd/DvdListing.h"
#include "dvd/DvdReadIfoReader.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>
#include <QTextStream>

namespace {

constexpr int ExitRead = 0, ExitNoDvd = 1, ExitEncrypted = 2, ExitUsage = 64;

QString verdict(qint64 seconds, qint64 span)
{
    if (seconds == 0)
        return QStringLiteral("not listed: no playback time");
    if (span < 1000)
        return QStringLiteral("not listed: spans fewer than 1000 sectors");
    return QStringLiteral("listed");
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.first() == QLatin1String("-h") || args.first() == QLatin1String("--help")) {
        err << "usage: dvd-info FOLDER | FILE.IFO...\n";
        return ExitUsage;
    }

    QStringList ifoFiles;
    for (const QString& arg : args) {
        if (QFileInfo(arg).isDir()) {
            const QStringList found = dvd::FindIfoFiles(arg);
            if (found.isEmpty()) {
                err << "dvd-info: no DVD found in " << arg << " (no IFO file in it or in a VIDEO_TS folder)\n";
                return ExitNoDvd;
            }
            ifoFiles += found;
        } else {
            ifoFiles.append(arg);
        }
    }

    dvd::DvdReadIfoReader reader;
    int readable = 0;
    for (const QString& path : std::as_const(ifoFiles)) {
        const int h = reader.ifoOpen(path);
        if (h == 0) {
            out << "Title set: " << path << ": cannot be read\n\n";
            continue;
        }
        if (reader.titleIsScrambled(h)) {
            out.flush();
            err << "dvd-info: " << path << ": the disc is encrypted (CSS) and cannot be read\n";
            return ExitEncrypted;
        }
        ++readable;
        out << "Title set: " << path << '\n';
        out << "  Video: " << reader.ifoGetVideoDesc(h) << '\n';
        const int audio = reader.ifoGetNumAudio(h);
        for (int i = 0; i < audio; ++i)
            out << "  Audio " << i + 1 << ": " << reader.ifoGetAudioDesc(h, i) << '\n';
        const int subpictures = reader.ifoGetNumSubPic(h);
        for (int i = 0; i < subpictures; ++i)
            out << "  Subpicture " << i + 1 << ": " << reader.ifoGetSubPicDesc(h, i) << '\n';
        const int chains = reader.ifoGetNumPGCI(h);
        for (int c = 0; c < chains; ++c) {
            dvd::PgcPlaybackTime time;
            const int cellCount = reader.ifoGetPGCIInfo(h, c, time);
            const QVector<dvd::PgcCellEntry> cells = reader.ifoGetPGCICells(h, c);
            const qint64 seconds = dvd::ToSeconds(time.hours, time.minutes, time.seconds);
            const qint64 span = cells.isEmpty() ? 0 : qint64(cells.last().LastSector) - qint64(cells.first().FirstSector);
            out << "  Chain " << c + 1 << ": " << dvd::SecondsToHms(seconds) << ", " << cellCount << (cellCount == 1 ? " cell, " : " cells, ")
                << (cells.isEmpty() ? QStringLiteral("not listed: no cells") : verdict(seconds, span)) << '\n';
            for (int j = 0; j < cells.size(); ++j) {
                const dvd::PgcCellEntry& cell = cells[j];
                const qint64 cellSeconds = dvd::ToSeconds(cell.hours, cell.minutes, cell.seconds);
                out << "    Cell " << j + 1 << ": sectors " << cell.FirstSector << "-" << cell.LastSector << ", "
                    << dvd::SecondsToHms(cellSeconds) << ", "
                    << verdict(cellSeconds, qint64(cell.LastSector) - qint64(cell.FirstSector)) << '\n';
            }
        }
        out << '\n';
    }
    if (readable == 0) {
        out.flush();
        err << "dvd-info: no readable IFO file among " << ifoFiles.join(QStringLiteral(", ")) << '\n';
        return ExitNoDvd;
    }
    return ExitRead;
}
