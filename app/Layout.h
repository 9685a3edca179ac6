// The four window layouts, chosen by edition (file or DVD) and brand. Plain data: the window
// applies it to its controls.
#pragma once

#include <QString>

#include <optional>

struct Placement {
    int left = 0;
    int top = 0;
    std::optional<int> width;  // unset: the designed width stays
    std::optional<int> height; // unset: the designed height stays
};

struct EditionLayout {
    int GroupPanelOffset = 220;
    Placement ed_output;
    Placement Panel1;
    Placement pl_main;
    Placement presetPanels; // all 19 preset panels
    Placement cb_channel;
    Placement cb_size;
    Placement cb_videobitrate;
    Placement cb_audiobitrate;
    Placement pl_play;
    Placement ProgressBar1;
    Placement lv;
    QString lvFirstCaption;       // "File Name" or "Title"
    bool lvCheckBoxes = false;
    bool streamBoxesShown = false; // cb_audio and cb_subtitle
    Placement cb_audio;
    Placement cb_subtitle;
};

// Designed sizes of the controls the layouts move.
namespace designed {
constexpr int windowWidth = 781;
constexpr int windowHeight = 558;
constexpr int comboWidth = 149;
constexpr int comboHeight = 22;
constexpr int lvWidth = 535;
constexpr int lvHeight = 356;
constexpr int editWidth = 300;
constexpr int editHeight = 21;
constexpr int progressWidth = 751;
constexpr int progressHeight = 16;
constexpr int playWidth = 200;
constexpr int playHeight = 150;
constexpr int panel1Size = 24;  // the category icon beside the profile name
constexpr int pickerHeight = 358;
constexpr int mainColumnWidth = 153;
constexpr int presetPanelWidth = 310;
constexpr int groupPanelWidth = 311;
} // namespace designed

EditionLayout LayoutFor(bool dvdEdition, bool vemraBrand);

// The skin layout drawn for the same choice: "file", "file-vemra", "dvd" or "dvd-vemra".
QString SkinLayoutName(bool dvdEdition, bool vemraBrand);
