// Bitrate arithmetic over a snapshot of the option boxes and one source's probe record.
#include "profiles/Quality.h"

#include "profiles/Catalogue.h"

#include <cfenv>
#include <algorithm>
#include <cmath>

namespace quality {

namespace {

const QString Mp4 = QStringLiteral(".mp4");

// A table entry for an index of a quality box. Indexes past the five quality items (the
// keep-source or "No Video" item in a state the callers do not expect) read as "Normal".
template <typename T>
T entry(const std::array<T, 5>& table, int index)
{
    return table[index >= 0 && index < 5 ? index : 2];
}

bool toInt(const QString& text, int* out, QString* badText)
{
    bool ok = false;
    *out = text.toInt(&ok);
    if (!ok && badText)
        *badText = text;
    return ok;
}

// Picture lines of a size item: the characters after its first "x", up to the first "(".
// Returns false when there is no "x" or they are not an integer.
bool sizeItemHeight(const QString& text, int* height)
{
    const qsizetype x = text.indexOf(u'x');
    if (x < 0)
        return false;
    QString h = text.mid(x + 1);
    const qsizetype bracket = h.indexOf(u'(');
    if (bracket >= 0)
        h.truncate(bracket);
    bool ok = false;
    *height = h.toInt(&ok);
    return ok;
}

} // namespace

int QualityIndex(const BoxState& box)
{
    return box.index < 0 ? 2 : box.index;
}

const std::array<double, 5>& FactorsFor(int profileId)
{
    switch (profileId) {
    case 118: case 121: return FactorsD;
    case 119: case 122: return FactorsB;
    case 120: case 123: return FactorsC;
    default: return FactorsA;
    }
}

long long RoundHalfEven(double value)
{
    const int mode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(value);
    std::fesetround(mode);
    return static_cast<long long>(r);
}

double AmrKbps(int audioIndex)
{
    // The AMR table has no keep-source entry: that item takes the best AMR rate.
    if (audioIndex >= 5)
        return AmrKbpsTable[0];
    return entry(AmrKbpsTable, audioIndex < 0 ? 2 : audioIndex);
}

bool IsKeepSourceIndex(int index)
{
    return index == KeepSourceIndex;
}

std::optional<int> TotalKbps(const Inputs& in, const Toriginalinfo& source, QString* badText)
{
    const int id = in.ProfileId;
    switch (id) {
    case 112: return 1393;
    case 113: return 1948;
    case 114: return 3222;
    default: break;
    }

    const int videoIndex = QualityIndex(in.boxes.video);
    const int audioIndex = QualityIndex(in.boxes.audio);

    long long video = 0;
    if (catalogue::IsFixedRate(id)) {
        if (in.VideoBitrateLevels[0] != QStringLiteral("*")) {
            int v = 0;
            // A keep-source item left over from an earlier profile stands for the source's rate.
            const QString& text = videoIndex >= 5 ? source.VideoKbps : in.VideoBitrateLevels[videoIndex];
            if (!toInt(text, &v, badText))
                return std::nullopt;
            video = v;
        }
    } else if (in.boxes.video.lastSelected() && !in.IsDvdEdition) {
        int v = 0;
        if (!toInt(source.VideoKbps, &v, badText))
            return std::nullopt;
        video = v;
    } else {
        const double factor = entry(FactorsFor(id), videoIndex);
        if (in.boxes.size.lastSelected()) {
            const qsizetype x = source.FrameSize.indexOf(u'x');
            int h = 0;
            if (!toInt(source.FrameSize.mid(x + 1), &h, badText))
                return std::nullopt;
            video = RoundHalfEven(h * factor);
        } else {
            // A size item that names no height counts as no video.
            int h = 0;
            if (sizeItemHeight(in.boxes.size.text, &h))
                video = RoundHalfEven(h * factor);
        }
    }

    long long audio = 0;
    const bool isMp4 = in.OutputExtension == Mp4;
    if ((!isMp4 && in.boxes.audio.lastSelected() && catalogue::SourceAudioMayCount(id) && !in.IsDvdEdition)
        || (IsKeepSourceIndex(audioIndex) && !in.IsDvdEdition)) {
        int a = 0;
        if (!toInt(source.AudioKbps, &a, badText))
            return std::nullopt;
        audio = a;
    } else {
        audio = entry(AudioKbpsTable, audioIndex);
    }
    if (in.OutputExtension == QStringLiteral(".3gp") || in.OutputExtension == QStringLiteral(".amr"))
        audio = RoundHalfEven(AmrKbps(audioIndex));

    return static_cast<int>(video + audio);
}

QString EstimateOutputSize(int kbps, int seconds)
{
    const double mb = double(kbps) * double(seconds) / 8.0 / 1024.0 * 1000.0 / 1024.0;
    if (!std::isfinite(mb) || mb == 0.0)
        return QStringLiteral("0.00MB");
    // Round once, to whichever of 5 significant digits or 2 decimals keeps fewer digits,
    // halves to even; then write two decimals.
    const int exponent = int(std::floor(std::log10(std::fabs(mb))));
    const int decimals = std::min(2, 4 - exponent);
    const double scale = std::pow(10.0, decimals);
    // The shortest text that reads back as the same double decides the halves, not the
    // binary value's tail (7.155 is 7.1549999... in binary but means 7.155).
    const double scaled = QString::number(mb * scale, 'g', 15).toDouble();
    const double rounded = double(RoundHalfEven(scaled)) / scale;
    return QString::number(rounded, 'f', 2) + QStringLiteral("MB");
}

QString NotAnIntegerMessage(const QString& text)
{
    return QStringLiteral("'%1' is not a valid integer value").arg(text);
}

} // namespace quality
