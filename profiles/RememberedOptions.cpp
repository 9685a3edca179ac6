// Per-profile remembered options.
#include "profiles/RememberedOptions.h"

namespace remembered {

namespace {

const QString SizeKey = QStringLiteral("size");
const QString VideoKey = QStringLiteral("video bitrate");
const QString AudioKey = QStringLiteral("audio bitrate");
const QString ChannelKey = QStringLiteral("Channel");

bool in(int id, std::initializer_list<int> ids)
{
    for (int v : ids)
        if (v == id)
            return true;
    return false;
}

bool between(int id, int first, int last)
{
    return id >= first && id <= last;
}

// "size" default of a video profile that remembers all keys, or -1 when the number remembers
// nothing of its own.
int sizeDefault(int id, bool dvd)
{
    if (id == 1)
        return 0;
    if (in(id, {2, 3, 5, 6, 10, 11, 12, 13}))
        return 4;
    if (id == 4 || id == 110 || between(id, 118, 123))
        return dvd ? 2 : 5;
    if (in(id, {7, 14}))
        return 1;
    if (in(id, {8, 9}))
        return 2;
    if (between(id, 27, 32) || between(id, 34, 39) || between(id, 41, 44) || between(id, 46, 51)
        || in(id, {53, 54, 56, 57, 60, 70, 72, 73, 75, 76, 78, 79, 81, 86, 87, 88}))
        return 0;
    if (in(id, {55, 58, 68}) || between(id, 61, 66) || between(id, 91, 97))
        return 2;
    if (in(id, {69, 77, 83, 84, 85, 89}))
        return 1;
    if (in(id, {99, 100}))
        return 4;
    // 131 closes the MKV group and is remembered like the rest of it.
    if (between(id, 102, 108) || between(id, 125, 131))
        return 4;
    if (id == 111)
        return 2;
    if (between(id, 112, 116))
        return 0;
    return -1;
}

// The quality defaults that are 5 (the keep-source items) outside the DVD edition.
bool keepsSourceByDefault(int id)
{
    return between(id, 1, 14) || between(id, 102, 108) || between(id, 110, 114) || between(id, 125, 131);
}

} // namespace

Rule RuleFor(int id, bool dvd)
{
    Rule r;
    if (between(id, 15, 25) || id == 71 || id == 80) {
        r.written = r.read = Keys::AudioOnly;
        r.audio = 2;
        return r;
    }
    if (in(id, {33, 40, 45, 59})) {
        r.read = Keys::AudioOnly;
        r.audio = 2;
        return r;
    }
    const int size = sizeDefault(id, dvd);
    if (size < 0)
        return r;
    r.written = r.read = Keys::All;
    r.size = size;
    r.video = r.audio = keepsSourceByDefault(id) && !dvd ? 5 : 2;
    return r;
}

bool SaveProfileOptions(const IniFile& ini, int profileId, const Choices& current)
{
    const Rule rule = RuleFor(profileId, false);
    const QString section = QString::number(profileId);
    auto write = [&](const QString& key, int value) { return ini.writeInt(section, key, value); };
    switch (rule.written) {
    case Keys::None:
        return true;
    case Keys::AudioOnly:
        return write(AudioKey, current.audio) && write(ChannelKey, current.channel);
    case Keys::All:
        return write(SizeKey, current.size) && write(VideoKey, current.video) && write(AudioKey, current.audio)
            && write(ChannelKey, current.channel);
    }
    return true;
}

Restored LoadProfileOptions(const IniFile& ini, int profileId, bool dvdDefaults)
{
    const Rule rule = RuleFor(profileId, dvdDefaults);
    const QString section = QString::number(profileId);
    Restored r;
    if (rule.read == Keys::All) {
        r.size = ini.readInt(section, SizeKey, rule.size);
        r.video = ini.readInt(section, VideoKey, rule.video);
    }
    if (rule.read != Keys::None)
        r.audio = ini.readInt(section, AudioKey, rule.audio);
    return r;
}

} // namespace remembered
