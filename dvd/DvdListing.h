// The DVD list: title sets, one record per list row, the cell time table, the two check
// memories and the per-row stream choices, together with the listing rules that fill them
// from an IfoReader. Plain data and functions; the window mirrors Rows into its list view.
#pragma once

#include "dvd/IfoReader.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

namespace dvd {

// One IFO file taken into the list: it owns the rows FirstRow .. EndRow - 1.
struct TIFOSelint {
    qint32 FirstRow = 0;
    qint32 EndRow = 0;
    qint32 AudioCount = 0;
    QStringList AudioDescs;
    qint32 SubPicCount = 0;
    QStringList SubPicDescs;
    QString IfoPath;
};
using TIFOAS = QVector<TIFOSelint>;

// One list row: what its conversion and preview need.
struct TConvertInfo {
    QString AudioId = QStringLiteral("0");     // "0": the title set has no audio stream
    QString SubtitleId = QStringLiteral("0");  // "0": no subtitle
    qint64 StartSector = 0;
    qint64 EndSector = 0;
    QString IfoPath;
    qint64 Duration = 0;     // whole seconds
    qint32 StartSecond = 0;  // from the start of the row's title; 0 for a title row
    qint32 EndSecond = 0;    // StartSecond + Duration
};

// Chapter mode: one entry per row, for SecondToSector.
struct CellTimeEntry {
    qint64 FirstSector = 0;
    qint64 LastSector = 0;
    qint32 StartSecond = 0;
    qint32 EndSecond = 0;
    bool IsTitleMarker = false;  // a title row; the other fields carry no meaning
};

// What a row shows: caption ("Title_NN" or "  Chapter_NN"), frame size and duration.
struct ListedRow {
    QString caption;
    QString frameSize;
    qint64 seconds = 0;
};

// Everything the DVD edition keeps beside the list. Every per-row vector has one entry per row,
// except the check memories, which hold the marks last seen in their own mode (empty: none
// remembered yet).
struct DvdList {
    TIFOAS TitleSets;  // TitleSetCount is its size
    QVector<ListedRow> Rows;
    QVector<TConvertInfo> DvdRowInfos;
    QVector<CellTimeEntry> CellTimeTable;
    QVector<bool> TitleChecks;
    QVector<bool> ChapterChecks;
    QVector<int> AudioChoice;     // item index of cb_audio per row
    QVector<int> SubtitleChoice;  // item index of cb_subtitle per row

    int rowCount() const { return static_cast<int>(Rows.size()); }
    QVector<bool>& checks(bool titleMode) { return titleMode ? TitleChecks : ChapterChecks; }

    // Drops the rows and every per-row table, and zeroes the stream choices; keeps the title
    // sets and check memories.
    void clearRows();
    // A new list: no title sets, no rows, no remembered marks.
    void clearAll();
    // Removes rows (any order, duplicates and out-of-range numbers ignored) from every per-row
    // table, the current mode's check memory and the title sets' row ranges.
    void removeRows(const QList<int>& rows, bool titleMode);
};

// Helpers.
qint64 ToSeconds(qint64 hours, qint64 minutes, qint64 seconds);
QString TwoDigits(qint64 n);
// The four characters before the first ")", or "0" when there is none.
QString StreamIdOf(const QString& description);
// 3725 -> "01:02:05"; hours above 99 take more digits.
QString SecondsToHms(qint64 seconds);
// The text between the first and the second blank ("MPEG2 720x576 PAL 4:3" -> "720x576").
QString FrameSizeOf(const QString& videoDescription);

// Appends the rows of one IFO file for the last title set of `list` (titles only, or titles
// each followed by their chapters) and sets that title set's row range and stream texts.
void ListTitles(IfoReader& reader, const QString& ifoPath, DvdList& list);
void ListChapters(IfoReader& reader, const QString& ifoPath, DvdList& list);
// Adds a title set for the path and lists it in the given mode.
void AddTitleSet(IfoReader& reader, const QString& ifoPath, bool titleMode, DvdList& list);

// Searches a folder for IFO files (skipping "video_ts.ifo"), entering only folders named
// "video_ts", and lists each file found. True when at least one IFO file was taken. Entries are
// taken in name order. `pump` runs twice per directory entry (the window keeps responding).
bool FindTitleSets(IfoReader& reader, const QString& folder, bool titleMode, DvdList& list,
                   const std::function<void()>& pump = {});

// The IFO files FindTitleSets would list, in its order.
QStringList FindIfoFiles(const QString& folder);

// Lists the title sets' IFO files again in the given mode (the mode switch): rows, per-row
// tables and stream choices are rebuilt, paths and check memories kept.
void Relist(IfoReader& reader, bool titleMode, DvdList& list);

// The first row with the largest sector span; 0 when no row has a positive span.
int LongestRow(const DvdList& list);

// Check marks for `rowCount` rows from a remembered memory; rows past its end count as checked.
QVector<bool> CheckMarksFrom(const QVector<bool>& memory, int rowCount);

// The title set owning a row, or -1.
int TitleSetOfRow(const DvdList& list, int row);

} // namespace dvd
