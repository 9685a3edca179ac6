#include "app/Edition.h"

namespace edition {

bool HasWord(const QString& exeFileName, const char* word)
{
    return exeFileName.toLower().contains(QLatin1String(word));
}

bool IsDvdEdition(const QString& exeFileName)
{
    return HasWord(exeFileName, "dvd");
}

bool IsVemraBrand(const QString& exeFileName)
{
    return HasWord(exeFileName, "vemra");
}

int EditionProfile(const QString& exeFileName)
{
    static const struct { const char* word; int profile; } table[] = {
        {"avi", 102}, {"mp3", 17}, {"audio", 17}, {"3gp", 69}, {"psp", 53}, {"mpeg", 110},
        {"mp4", 118}, {"mkv", 125}, {"ipod", 27}, {"iphone", 36}, {"gphone", 41}, {"wmv", 7},
        {"rm", 6}, {"flv", 11},
    };
    for (const auto& row : table)
        if (HasWord(exeFileName, row.word))
            return row.profile;
    return 1;
}

SourceFilter EditionSourceFilter(const QString& exeFileName)
{
    static const struct { const char* word; const char* filter; const char* label; } table[] = {
        {"avi", "AVI files (*.avi)|*.avi", "AVI"},
        {"3gp", "3GP files (*.3gp)|*.3gp;*.3gp2,*.3g2", "3GP"},
        {"psp", "PSP Video Files|*.mp4", "PSP"},
        {"mpeg", "MPEG files|*.mpeg;*.mpg;*.vob;", "MPEG"},
        {"mp4", "MP4 files (*.mp4)|*.mp4", "MP4"},
        {"mkv", "MKV files (*.mkv)|*.mkv", "MKV"},
        {"ipod", "iPod Video Files|*.mp4;*.mov;*.m4v", "iPod"},
        {"iphone", "iPhone Video Files|*.mp4;*.mov;*.m4v", "iPhone"},
        {"gphone", "GPhone Video Files|*.3gp;*.mp4;", "GPhone"},
        {"wmv", "WMV files(*.wmv)|*.wmv", "WMV"},
        {"rm", "RM files (*.rm)|*.rm", "RM"},
        {"flv", "FLV files (*.flv)|*.flv", "FLV"},
    };
    for (const auto& row : table) {
        if (HasWord(exeFileName, row.word)) {
            const QString label = QLatin1String(row.label);
            return {QLatin1String(row.filter),
                    {QStringLiteral("Convert Video To ") + label, QStringLiteral("Convert ") + label + QStringLiteral(" To Video")}};
        }
    }
    return {};
}

QString DirectionPlaceholder(const QString& exeFileName)
{
    if (IsDvdEdition(exeFileName))
        return QStringLiteral("DVD To Video");
    if (HasWord(exeFileName, "mp3") || HasWord(exeFileName, "audio"))
        return QStringLiteral("Video To Audio");
    return QStringLiteral("All Formats");
}

PickerRestriction PickerRestrictionFor(const QString& exeFileName, bool singleFormatMode)
{
    using R = PickerRestriction;
    static const struct { const char* word; R restriction; } table[] = {
        {"ipod", R::Ipod}, {"psp", R::Psp}, {"iphone", R::Iphone}, {"3gp", R::Phone3gp},
        {"gphone", R::Gphone}, {"mp3", R::Audio}, {"audio", R::Audio}, {"avi", R::Avi},
        {"mpeg", R::Mpeg}, {"mp4", R::Mp4}, {"mkv", R::Mkv}, {"wmv", R::Closed},
        {"rm", R::Closed}, {"flv", R::Closed},
    };
    for (const auto& row : table) {
        if (!HasWord(exeFileName, row.word))
            continue;
        if (row.restriction == R::Audio || singleFormatMode)
            return row.restriction;
    }
    return R::Full;
}

} // namespace edition
