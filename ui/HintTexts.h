// The hint line's texts and which skin object shows which. Plain data, shared by the window
// and the artwork generator (which sizes the hint line to the longest text).
#pragma once

#include <QString>

#include <array>

namespace hints {

// Text number 0 is built from the program's name: see welcomeText().
inline constexpr std::array<const char*, 25> Texts = {
    nullptr,
    "Click the button to add DVD discs.",
    "Click the button to add IFO files.",
    "Click the Profile combobox to change the output format.",
    "Click the audio combobox to change channels.",
    "Click the subtitle combobox to change the subtitles.",
    "Click the video size combobox to change the width and height of the video output.",
    "Click the video quality combobox to change the quality of the video output.",
    "Click the audio quality combobox to change the audio quality of the video output.",
    "Click the Channels combobox to choose the audio output whether stereo or not.",
    "Click the button to play.",
    "Click the button to pause.",
    "Click the button to stop playing.",
    "It is used to show the progress of the player.",
    "It is used to show the elapsed playing time.",
    "Click the button to switch the display of the DVD title.",
    "Click the button, you can cut DVD movies.",
    "Click the button, you can convert to the video format you need.",
    "Click the button to stop converting.",
    "Click the button to change the target folder.",
    "Click the button to open the target folder.",
    "Click the button to add the folder that contains video files.",
    "Click the button to add video files.",
    "Click the button to remove video from list.",
    "Click the button to clear video from list.",
};

struct NamedHint {
    const char* object;
    int index;
};

inline constexpr std::array<NamedHint, 25> ByObject = {{
    {"dvdopen", 1},       {"ifoopen", 2},        {"profiles", 3},       {"profilestext", 3},
    {"audio", 4},         {"subtitle", 5},       {"video_size", 6},     {"video_quality", 7},
    {"audio_quality", 8}, {"channels", 9},       {"play", 10},          {"pause", 11},
    {"stopplay", 12},     {"play_bar", 13},      {"play_time", 14},     {"chapter", 15},
    {"cutter", 16},       {"converter", 17},     {"stopconverter", 18}, {"browse", 19},
    {"open", 20},         {"openfolder", 21},    {"openfiles", 22},     {"remove", 23},
    {"clear", 24},
}};

// The hint of a skin object; 0 for any name not in the table (names compare case-sensitively).
inline int indexFor(const QString& objectName)
{
    for (const NamedHint& h : ByObject)
        if (objectName == QLatin1String(h.object))
            return h.index;
    return 0;
}

// "Welcome to use " + the program's base name (the file name without ".exe") + ".".
inline QString welcomeText(const QString& baseName)
{
    return QStringLiteral("Welcome to use ") + baseName + u'.';
}

} // namespace hints
