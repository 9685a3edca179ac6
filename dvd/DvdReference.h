// The "vts://" input text of a DVD row, shared by the conversion, the preview and the
// transcoder adapter:  "vts://" VV "*" S "*" E "*" A "*" U "*/" ROOT
// VV is the title-set number (characters 5 and 6 of the IFO file name), S and E the first and
// last sector, A and U the audio and subtitle stream ids ("0x81", "0x20"; "0" for none) and
// ROOT the disc folder: the folder above VIDEO_TS.
#pragma once

#include "dvd/DvdListing.h"

#include <QString>
#include <QVector>

#include <optional>

namespace dvd {

// Characters 5 and 6 of the file name: "VTS_01_0.IFO" gives "01".
QString TitleSetNumberText(const QString& ifoPath);

// The disc folder of an IFO file: the folder holding its "VIDEO_TS" folder (any letter case),
// or the IFO file's own folder when that folder has another name.
QString DiscRoot(const QString& ifoPath);

QString DvdReference(const TConvertInfo& row, qint64 startSector);

struct ParsedDvdReference {
    int titleSet = 0;
    qint64 startSector = 0;
    qint64 endSector = 0;
    int audioId = 0;     // 0: none
    int subtitleId = 0;  // 0: none
    QString root;
};

// Reads a "vts://" text back; nullopt when it is not one (every number must parse).
std::optional<ParsedDvdReference> ParseDvdReference(const QString& text);

// A stream id text as a number: "0x81" gives 0x81, "0" gives 0; -1 when it does not parse.
int StreamIdValue(const QString& idText);

// The sector at second `a` of a title, interpolated within the first chapter entry whose
// StartSecond < a < EndSecond; 0 when none qualifies.
qint64 SecondToSector(const QVector<CellTimeEntry>& table, qint32 a);

} // namespace dvd
