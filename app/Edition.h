// Edition rules: every answer is a substring test on the lower-cased executable file name,
// asked afresh at each point of use. Only the file name counts, never its directory.
#pragma once

#include <QString>
#include <QStringList>

namespace edition {

bool IsDvdEdition(const QString& exeFileName);
bool IsVemraBrand(const QString& exeFileName);

// Start profile of the edition; 1 when the name holds no format word.
int EditionProfile(const QString& exeFileName);

// The edition's own open-dialog filter and the two direction items of cb_channel (item 0 then
// item 1); an empty filter and no items when the name holds no format word of this table.
struct SourceFilter {
    QString filter;
    QStringList directionItems;
};
SourceFilter EditionSourceFilter(const QString& exeFileName);

// What an empty cb_channel shows (greyed) in an edition with no direction items: the one way
// that edition converts.
QString DirectionPlaceholder(const QString& exeFileName);

// What the profile picker may show.
enum class PickerRestriction {
    Full,      // the whole picker
    Ipod,      // only pl_ipod
    Psp,       // only pl_psp
    Iphone,    // only pl_iphone
    Phone3gp,  // only pl_phone
    Gphone,    // only pl_gphone
    Audio,     // only the first audio page
    Avi,       // only pl_avi
    Mpeg,      // only pl_mpeg
    Mp4,       // only pl_mp4
    Mkv,       // only pl_mkv
    Closed     // the picker stays closed
};
// All but the audio words apply only in the single-format direction.
PickerRestriction PickerRestrictionFor(const QString& exeFileName, bool singleFormatMode);

// True when the name contains the word (lower-cased comparison).
bool HasWord(const QString& exeFileName, const char* word);

} // namespace edition
