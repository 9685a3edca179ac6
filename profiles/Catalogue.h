// The profile catalogue: numbers 1..132, their categories, display names and output
// extensions, and the ranges of profile numbers that the rest of the program tests. Fixed
// data inside the program; nothing of it is read from files.
#pragma once

#include <QString>

namespace catalogue {

constexpr int FirstProfile = 1;
constexpr int LastProfile = 132;

// Category 1..13 of a profile number, 0 for numbers outside 1..132.
int CategoryOf(int profileId);

// The display name (UTF-16, "×" is U+00D7), empty for the 16 unnamed numbers and for numbers
// outside the catalogue.
QString DisplayName(int profileId);
bool IsNamed(int profileId);

// Everything after the first "*" of the name except its last character: "AVI-DivX Movie(*.avi)"
// gives ".avi"; the case is kept (".MP4"). Empty for an empty name.
QString OutputExtension(const QString& displayName);

// Range tests on ProfileId, each named for what it decides.
bool IsGeneralVideo(int id);          // below 15 or above 101: keep-source items, size-derived video rate
bool IsFixedRate(int id);             // 15..101: video rate from the profile's bitrate line
bool IsDiscTarget(int id);            // 112..114: VCD, SVCD, DVD through "-target"
bool LastSizeKeepsSource(int id);     // below 15: the last size item keeps the source's size
bool LastAudioKeepsSource(int id);    // below 27: the last audio item keeps the source's audio rate
bool SourceAudioMayCount(int id);     // below 27 or above 101: the source's audio rate may enter the estimate
bool MayOfferOriginalSize(int id);    // 111 or below: "The original width and height" may be added
bool IsMp4Group(int id);              // 118..123: per-profile quality factor tables
bool IsAudioOnlyRemembered(int id);   // 15..25, 71, 80: only audio quality and direction remembered

// The opener button (2..5) of a group number (102-109, 110-117, 118-124, 125-131), else 0.
int GroupOpener(int id);
// The first number of the group opened by opener 2..5, else 0.
int GroupFirst(int opener);

} // namespace catalogue
