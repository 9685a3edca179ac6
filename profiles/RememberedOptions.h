// The choices each profile remembers in the per-profile options file: which keys a profile
// writes and reads, their defaults per edition, and the reads and writes themselves. Section
// = the profile number; keys "size", "video bitrate", "audio bitrate" (item indexes) and
// "Channel" (written, never read back).
#pragma once

#include "platform/IniFile.h"

#include <QString>

#include <optional>

namespace remembered {

enum class Keys { None, AudioOnly, All };

struct Rule {
    Keys written = Keys::None;
    Keys read = Keys::None;
    int size = 0;   // defaults of the keys read
    int video = 0;
    int audio = 0;
};

// The rule of a profile number in the standard editions or, with `dvdDefaults`, the DVD edition.
Rule RuleFor(int profileId, bool dvdDefaults);

// The selected indexes of cb_size, cb_videobitrate, cb_audiobitrate and cb_channel.
struct Choices {
    int size = -1;
    int video = -1;
    int audio = -1;
    int channel = -1;
};

// Writes the profile's keys in their order; stops at the first write the file refuses and
// returns false. Numbers that remember nothing write nothing.
bool SaveProfileOptions(const IniFile& ini, int profileId, const Choices& current);

// The indexes to select, read with the rule's defaults; nullopt for a box the profile does not
// restore.
struct Restored {
    std::optional<int> size;
    std::optional<int> video;
    std::optional<int> audio;
};
Restored LoadProfileOptions(const IniFile& ini, int profileId, bool dvdDefaults);

} // namespace remembered
