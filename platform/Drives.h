// Drives: which mount holds a folder, whether it is an optical disc, and the wait for a disc
// to spin up (a blocking volume query on a worker thread while the caller keeps its events
// flowing). The mount table is parsed from /proc/self/mounts text, so tests can hand in their own.
#pragma once

#include <QString>
#include <QVector>

#include <functional>
#include <optional>

namespace drives {

struct MountEntry {
    QString device;
    QString mountPoint;
    QString fileSystem;
};

// Parses mount-table text ("device mountpoint type options 0 0" per line, octal escapes such
// as \040 for a blank). Lines with fewer than three fields are skipped.
QVector<MountEntry> ParseMountTable(const QString& text);

// The running system's table (/proc/self/mounts); empty when it cannot be read.
QVector<MountEntry> SystemMountTable();

// The mount holding `path`: the entry with the longest mount point that is the path or one of
// its parent folders (symbolic links resolved first when the path exists).
std::optional<MountEntry> MountOf(const QString& path, const QVector<MountEntry>& table);

// Optical: the device is /dev/sr* (also through a link such as /dev/cdrom) or the file system
// is iso9660 or udf.
bool IsOptical(const MountEntry& mount);

// A blocking query of the volume at a mount point: statvfs and one directory read. True when
// both answered.
bool QueryVolume(const QString& mountPoint);

// Runs `query` on a worker thread and returns when it has finished, whatever its outcome
// (an exception ends the wait too). Meanwhile the calling (GUI) thread processes its events.
void WaitForVolume(const QString& mountPoint, const std::function<bool(const QString&)>& query = QueryVolume);

} // namespace drives
