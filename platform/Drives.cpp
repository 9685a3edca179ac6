#include "platform/Drives.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMetaObject>
#include <QStringList>

#include <dirent.h>
#include <sys/statvfs.h>

#include <thread>

namespace drives {

namespace {

// The table writes blanks, tabs, newlines and backslashes in names as three octal digits.
QString unescape(const QString& field)
{
    QString out;
    for (int i = 0; i < field.size(); ++i) {
        if (field[i] == QLatin1Char('\\') && i + 3 < field.size()) {
            bool ok = false;
            const int code = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok) {
                out += QChar(code);
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

bool holds(const QString& mountPoint, const QString& path)
{
    if (mountPoint == QLatin1String("/"))
        return path.startsWith(QLatin1Char('/'));
    return path == mountPoint || path.startsWith(mountPoint + QLatin1Char('/'));
}

} // namespace

QVector<MountEntry> ParseMountTable(const QString& text)
{
    QVector<MountEntry> table;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QStringList f = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (f.size() < 3)
            continue;
        table.append({unescape(f[0]), unescape(f[1]), f[2]});
    }
    return table;
}

QVector<MountEntry> SystemMountTable()
{
    QFile file(QStringLiteral("/proc/self/mounts"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ParseMountTable(QString::fromLocal8Bit(file.readAll()));
}

std::optional<MountEntry> MountOf(const QString& path, const QVector<MountEntry>& table)
{
    const QFileInfo info(path);
    QString p = info.exists() ? info.canonicalFilePath() : QDir::cleanPath(info.absoluteFilePath());
    std::optional<MountEntry> best;
    for (const MountEntry& m : table) {
        const QString mp = QDir::cleanPath(m.mountPoint);
        if (holds(mp, p) && (!best || mp.size() >= QDir::cleanPath(best->mountPoint).size()))
            best = m;
    }
    return best;
}

bool IsOptical(const MountEntry& mount)
{
    const QString fs = mount.fileSystem.toLower();
    if (fs == QLatin1String("iso9660") || fs == QLatin1String("udf"))
        return true;
    const QString resolved = QFileInfo(mount.device).exists() ? QFileInfo(mount.device).canonicalFilePath() : mount.device;
    return mount.device.startsWith(QLatin1String("/dev/sr")) || resolved.startsWith(QLatin1String("/dev/sr"));
}

bool QueryVolume(const QString& mountPoint)
{
    const QByteArray path = QFile::encodeName(mountPoint);
    struct statvfs vfs {};
    const bool stated = ::statvfs(path.constData(), &vfs) == 0;
    DIR* dir = ::opendir(path.constData());
    const bool listed = dir && ::readdir(dir) != nullptr;
    if (dir)
        ::closedir(dir);
    return stated && listed;
}

void WaitForVolume(const QString& mountPoint, const std::function<bool(const QString&)>& query)
{
    QEventLoop loop;
    std::thread worker([&loop, &query, mountPoint] {
        try {
            query(mountPoint);
        } catch (...) {
        }
        // Queued: the loop quits on its own thread, also when it has not started yet.
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
}

} // namespace drives
