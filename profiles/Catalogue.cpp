// The fixed catalogue of profile numbers, categories and display names, and the range tests
// on ProfileId. The names are kept exactly as users know them, misspellings included.
#include "profiles/Catalogue.h"

#include <iterator>

namespace catalogue {

namespace {

struct Entry {
    int id;
    int category;
    const char16_t* name;  // nullptr: the number has no name
};

// One row per number 1..132, in order.
constexpr Entry Entries[] = {
    {1, 1, u"ASF-Advanced Streaming Format(*.asf)"},
    {2, 1, u"AVI-DivX Movie(*.avi)"},
    {3, 1, u"AVI-XviD Movie(*.avi)"},
    {4, 1, u"MP4-MPEG-4 Video(*.mp4)"},
    {5, 1, u"MP4-MPEG-4 AVC Video(*.mp4)"},
    {6, 1, u"RM-Real Video(*.rm)"},
    {7, 1, u"WMV-Windows Media Video(*.wmv)"},
    {8, 1, u"3GPP-3rd Generation Partnership Project(*.3gp)"},
    {9, 1, u"3GPP2-3rd Generation Partnership Project2(*.3g2)"},
    {10, 1, u"MOV-Quick Time(*.mov)"},
    {11, 1, u"FLV - Flash Video Format(*.flv)"},
    {12, 1, u"SWF - SWF Format(*.swf)"},
    {13, 1, u"RM-Real Video(*.rm)"},
    {14, 1, u"WMV-Windows Media Video(*.wmv)"},
    {15, 2, u"AAC-Advanced Audio Coding(*.aac)"},
    {16, 2, u"AC3-Dolby Dingtal AC-3(*.ac3)"},
    {17, 2, u"MP3-MPEG Layer-3Audio(*.mp3)"},
    {18, 2, u"OGG-Ogg Vorbis Audio(*.ogg)"},
    {19, 2, u"RA-Real Auido(*.ra)"},
    {20, 2, u"WAV-Waveform Auido(*.wav)"},
    {21, 2, u"WMA-Windows Media Audio(*.wma)"},
    {22, 2, u"AIFF-Audio Interchange File Format(*.aiff)"},
    {23, 2, u"M4A-MPEG-4 Auido(*.m4a)"},
    {24, 2, u"MP2-MPEG Layer-2 Audio(*.mp2)"},
    {25, 2, u"SUN AU Format(*.au)"},
    {26, 2, nullptr},
    {27, 3, u"iPod(320×240)MPEG-4 Codec(*.mp4)"},
    {28, 3, u"iPod(320×240)MPEG-4 AVC Codec(*.mp4)"},
    {29, 3, u"iPod(480×320)MPEG-4 Codec(*.mp4)"},
    {30, 3, u"iPod(480×320)MPEG-4 AVC Codec(*.mp4)"},
    {31, 3, u"iPod(640×480)MPEG-4 Codec(*.mp4)"},
    {32, 3, u"iPod(640×480)MPEG-4 AVC Codec(*.mp4)"},
    {33, 3, nullptr},
    {34, 4, u"iPhone(320×240)MPEG-4 Codec(*.mp4)"},
    {35, 4, u"iPhone(320×240)MPEG-4 AVC Codec(*.mp4)"},
    {36, 4, u"iPhone(480×320)MPEG-4 Codec(*.mp4)"},
    {37, 4, u"iPhone(480×320)MPEG-4 AVC Codec(*.mp4)"},
    {38, 4, u"iPhone(640×480)MPEG-4 Codec(*.mp4)"},
    {39, 4, u"iPhone(640×480)MPEG-4 AVC Codec(*.mp4)"},
    {40, 4, nullptr},
    {41, 5, u"GPhone(320×240)MPEG-4 Codec(*.mp4)"},
    {42, 5, u"GPhone(320×240)H.264 Codec(*.mp4)"},
    {43, 5, u"GPhone(640×480)MPEG-4 Codec(*.mp4)"},
    {44, 5, u"GPhone(640×480)H.264 Codec(*.mp4)"},
    {45, 5, nullptr},
    {46, 6, u"Apple TV MPEG-4 480P(640×480)(*.mp4)"},
    {47, 6, u"Apple TV MPEG-4 720P(1280×720)(*.mp4)"},
    {48, 6, u"Apple TV MPEG-4 (320×240)(*.mp4)"},
    {49, 6, u"Apple TV h264 480P(640×480)(*.mp4)"},
    {50, 6, u"Apple TV h264 720P(1280×720)(*.mp4)"},
    {51, 6, u"Apple TV h264(320×240)(*.mp4)"},
    {52, 6, nullptr},
    {53, 7, u"PS3 Video(1080P)MPEG-4(*.MP4)"},
    {54, 7, u"PS3 Video(720P)MPEG-4(*.MP4)"},
    {55, 7, u"PS3 Video(480P)MPEG-4(*.MP4)"},
    {56, 7, u"PSP-PSP MPEG-4 Video(*.mp4)"},
    {57, 7, u"PSP AVC Video Format(*.mp4)"},
    {58, 7, u"PSP Video(480P)MPEG-4(*.mp4)"},
    {59, 7, nullptr},
    {60, 8, u"Xbox360 WMV Movie(*.wmv)"},
    {61, 8, u"Xbox360 WMV HDTV Video(*.wmv)"},
    {62, 8, u"Xbox360 MPEG-4 AVC Video(*.mp4)"},
    {63, 8, u"Xbox360 HD MPEG-4 AVC Video(*.mp4)"},
    {64, 8, u"Xbox360 MPEG4 Video(*.mp4)"},
    {65, 8, u"Xbox360 HD MPEG-4 Video(*.mp4)"},
    {66, 8, u"Xbox360 MCE HD MPEG2 Video(*.mpeg)"},
    {67, 8, nullptr},
    {68, 9, u"3GPP-3rd Generation Partnership Project(*.3gp)"},
    {69, 9, u"3GPP2-3rd Generation Partnership Project2(*.3g2)"},
    {70, 9, u"BlackBerry 3GP Video(*.3gp)"},
    {71, 9, u"BlackBerry AMR Audio(*.amr)"},
    {72, 9, u"BlackBerry AVI Audio(*.avi)"},
    {73, 9, u"BlackBerry MPEG-4 Video(*.mp4)"},
    {74, 9, nullptr},
    {75, 10, u"Dell Axim X51 Video(*.wmv)"},
    {76, 10, u"General Pocket PC Video(*.wmv)"},
    {77, 10, u"HP iPAQ hw6500 series Video(*.wmv)"},
    {78, 10, u"HP iPAQ hx2000/rx3000/rx1900 series Video(*.wmv)"},
    {79, 10, u"HP iPAQ hx4700 series Video(*.wmv)"},
    {80, 10, u"WMA-Windows Media Audio(*.wma)"},
    {81, 10, u"WMV-Windows Media Video(*.wmv)"},
    {82, 10, nullptr},
    {83, 11, u"Archos AV500/GMini402 Video(*.avi)"},
    {84, 11, u"Archos AV700 Video(*.avi)"},
    {85, 11, u"Creative Zen Vision Video(*.avi)"},
    {86, 11, u"Zune MPEG-4 AVC Video Format(*.mp4)"},
    {87, 11, u"Zune MPEG-4 Video(*.mp4)"},
    {88, 11, u"Zune WMV-Windows Media Video(*.wmv)"},
    {89, 11, u"iRiver PMP-100 Video(*.avi)"},
    {90, 11, nullptr},
    {91, 12, u"HD AVI Video(*.avi)"},
    {92, 12, u"HD MPEG-4 Video(*.mp4)"},
    {93, 12, u"HD MPEG-4 AVC Video(*.mp4)"},
    {94, 12, u"HD MOV Video(*.mov)"},
    {95, 12, u"HD MPEG-2 TS Video(*.ts)"},
    {96, 12, u"HD MPEG2 Video(*.mpg)"},
    {97, 12, u"HD WMV Video(*.wmv)"},
    {98, 12, nullptr},
    {99, 13, u"FLV - Flash Video Format(*.flv)"},
    {100, 13, u"SWF - SWF Format(*.swf)"},
    {101, 13, nullptr},
    {102, 1, u"AVI - H264 Movie(*.avi)"},
    {103, 1, u"AVI - DivX Movie(*.avi)"},
    {104, 1, u"AVI - XviD Movie(*.avi)"},
    {105, 1, u"AVI - MPEG-4 Movie(*.avi)"},
    {106, 1, u"AVI - MSMPEG4 Movie(*.avi)"},
    {107, 1, u"AVI - MPEG Movie(*.avi)"},
    {108, 1, u"AVI - WMV Movie(*.avi)"},
    {109, 1, nullptr},
    {110, 1, u"MPEG-1 Movie(*.mpg)"},
    {111, 1, u"MPEG-2 Movie(*.mpg)"},
    {112, 1, u"Video CD - MPEG PS Format(*.mpg)"},
    {113, 1, u"Super Video CD - MPEG2 PS Format(*.mpg)"},
    {114, 1, u"DVD - MPEG2 PS Format(*.vob)"},
    {115, 1, u"HD MPEG-2 Video(*.mpeg)"},
    {116, 1, u"HD MPEG-2 TS Video(*.ts)"},
    {117, 1, nullptr},
    {118, 1, u"MP4 - MPEG4 Video Mini(*.mp4)"},
    {119, 1, u"MP4 - MPEG4 Video Normal(*.mp4)"},
    {120, 1, u"MP4 - MPEG4 Video Excellent(*.mp4)"},
    {121, 1, u"MP4 - H.264 Video Mini(*.mp4)"},
    {122, 1, u"MP4 - H.264 Video Normal(*.mp4)"},
    {123, 1, u"MP4 - H.264 Video Excellent(*.MP4)"},
    {124, 1, nullptr},
    {125, 1, u"MKV - H264 Movie(*.mkv)"},
    {126, 1, u"MKV - DivX Movie(*.mkv)"},
    {127, 1, u"MKV - XviD Movie(*.mkv)"},
    {128, 1, u"MKV - MPEG-4 Movie(*.mkv)"},
    {129, 1, u"MKV - MSMPEG4 Movie(*.mkv)"},
    {130, 1, u"MKV - MPEG Movie(*.mkv)"},
    {131, 1, u"MKV - WMV Movie(*.mkv)"},
    {132, 1, nullptr},
};

static_assert(std::size(Entries) == LastProfile);

const Entry* entryOf(int profileId)
{
    if (profileId < FirstProfile || profileId > LastProfile)
        return nullptr;
    return &Entries[profileId - 1];
}

} // namespace

int CategoryOf(int profileId)
{
    const Entry* e = entryOf(profileId);
    return e ? e->category : 0;
}

QString DisplayName(int profileId)
{
    const Entry* e = entryOf(profileId);
    return e && e->name ? QString::fromUtf16(e->name) : QString();
}

bool IsNamed(int profileId)
{
    const Entry* e = entryOf(profileId);
    return e && e->name;
}

QString OutputExtension(const QString& displayName)
{
    // 1-based position of the first "*", 0 when there is none; the result starts after it and
    // leaves out the name's last character (the closing bracket).
    const qsizetype p = displayName.indexOf(u'*') + 1;
    const qsizetype length = displayName.size() - p - 1;
    if (length <= 0)
        return QString();
    return displayName.mid(p, length);
}

bool IsGeneralVideo(int id) { return id < 15 || id > 101; }
bool IsFixedRate(int id) { return id >= 15 && id <= 101; }
bool IsDiscTarget(int id) { return id >= 112 && id <= 114; }
bool LastSizeKeepsSource(int id) { return id < 15; }
bool LastAudioKeepsSource(int id) { return id < 27; }
bool SourceAudioMayCount(int id) { return id < 27 || id > 101; }
bool MayOfferOriginalSize(int id) { return id <= 111; }
bool IsMp4Group(int id) { return id >= 118 && id <= 123; }
bool IsAudioOnlyRemembered(int id) { return (id >= 15 && id <= 25) || id == 71 || id == 80; }

int GroupOpener(int id)
{
    if (id >= 102 && id <= 109)
        return 2;
    if (id >= 110 && id <= 117)
        return 3;
    if (id >= 118 && id <= 124)
        return 4;
    if (id >= 125 && id <= 131)
        return 5;
    return 0;
}

int GroupFirst(int opener)
{
    switch (opener) {
    case 2: return 102;
    case 3: return 110;
    case 4: return 118;
    case 5: return 125;
    default: return 0;
    }
}

} // namespace catalogue
