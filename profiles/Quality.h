// Quality tables and bitrate arithmetic: the current choices and one source's probe record
// give a total bitrate (kbit/s) and an estimated output size. Plain functions of a snapshot.
#pragma once

#include "app/SharedTypes.h"
#include "profiles/OptionBoxes.h"

#include <QString>

#include <array>
#include <optional>

namespace quality {

inline constexpr std::array<int, 5> AudioKbpsTable = {320, 192, 128, 64, 32};
inline constexpr std::array<double, 5> AmrKbpsTable = {12.2, 10.2, 7.4, 5.9, 4.75};
inline constexpr std::array<double, 5> FactorsA = {6.25, 4.16, 3.33, 2.13, 1.51};
inline constexpr std::array<double, 5> FactorsB = {6.25, 4.16, 3.33, 2.13, 1.51};
inline constexpr std::array<double, 5> FactorsC = {10.41, 8.33, 6.25, 4.16, 3.33};
inline constexpr std::array<double, 5> FactorsD = {3.33, 2.13, 1.51, 1.06, 0.8};

// Everything the arithmetic reads besides the source.
struct Inputs {
    int ProfileId = 1;
    bool IsDvdEdition = false;
    QString OutputExtension;                  // compared case-sensitively: ".MP4" is not ".mp4"
    std::array<QString, 5> VideoBitrateLevels;
    OptionBoxes boxes;
};

// The quality index of a box: its selected item, or 2 ("Normal") when none is selected.
int QualityIndex(const BoxState& box);

// Index of the keep-source items "The Original Video Quliay" / "The Original Audio Quliay".
inline constexpr int KeepSourceIndex = 5;
bool IsKeepSourceIndex(int index);

// AmrKbpsTable at an audio quality index; the keep-source item (which the table lacks) takes
// index 0, no selection index 2.
double AmrKbps(int audioIndex);

// The table of video quality factors for a profile (A by default; D for 118/121, B for
// 119/122, C for 120/123).
const std::array<double, 5>& FactorsFor(int profileId);

// Rounding to the nearest integer, halves to even.
long long RoundHalfEven(double value);

// Total kbit/s (video part + audio part) for the current choices and one source. nullopt when
// a text that must be an integer is not one; `badText` then holds it.
std::optional<int> TotalKbps(const Inputs& in, const Toriginalinfo& source, QString* badText = nullptr);

// kbit/s over seconds as megabytes with two decimals and "MB": 1000 kbit/s for 60 s gives "7.15MB".
QString EstimateOutputSize(int kbps, int seconds);

// The message shown when a text does not convert to an integer.
QString NotAnIntegerMessage(const QString& text);

} // namespace quality
