// The profile picker's fixed layout: the category column, the 19 preset panels with their
// picture buttons 1..132 (what each button reacts to and where it sits), the page links and the
// picture files. Plain data shared by the picker, its tests and the artwork generator.
#pragma once

#include <QList>
#include <QRect>
#include <QString>

#include <array>

namespace picker {

// The preset panels, in the order of the main window's PresetPanelNames.
enum Panel : int {
    pl_video1, pl_video2, pl_audio1, pl_audio2, pl_ipod, pl_iphone, pl_gphone, pl_appletv, pl_psp,
    pl_xbox, pl_phone, pl_win, pl_pmp, pl_hd, pl_animation, pl_avi, pl_mpeg, pl_mp4, pl_mkv
};
constexpr int PanelCount = 19;
constexpr int NoPanel = -1;

enum class ButtonKind {
    HoverAndClick,
    HoverOnly,    // the openers 2..5 and the group pieces 109, 124
    PictureOnly   // reacts to nothing
};

enum class PageLink { Image94, Image93, Image2, Image5 };

struct PanelInfo {
    const char* name;
    int category;       // 1..13
    int first, last;    // its buttons
    int opener;         // group panels: the button of pl_video1 that opens it (2..5), else 0
    bool hasLink;       // a page link row at the bottom
    PageLink link;      // valid when hasLink
};

const std::array<PanelInfo, PanelCount>& Panels();

constexpr int PickerHeight = 358;
constexpr int ColumnWidth = 153;
constexpr int PanelWidth = 310;
constexpr int GroupPanelWidth = 311;
constexpr int FirstButtonHeight = 53;
constexpr int ButtonHeight = 48;
constexpr int LinkWidth = 71;
constexpr int LinkHeight = 17;

int PanelWidthOf(int panel);
// The panel holding button n, or NoPanel for numbers outside 1..132.
int PanelOfButton(int n);
ButtonKind KindOf(int n);
// Designed place of button n inside its panel: full width, 53 high for the first, 48 for the
// others, the last piece filling what is left above the page links (or the panel's bottom).
QRect ButtonRect(int n);
// The group panel opened by opener 2..5, or NoPanel.
int GroupPanelOf(int opener);
// The page a category hover shows for categories 1 and 2 (by the page flag), the one panel of the others.
int CategoryPanel(int category, bool videoPageFirst, bool audioPageFirst);

// Page link of a panel and the filler strip beside it, in panel coordinates.
QRect LinkRect(int panel);
QRect LinkStripRect(int panel);
const char* LinkName(PageLink link);

// Tops of the buttons of a panel laid out on its own (single-format editions).
inline constexpr std::array<int, 7> StandAloneTops = {-1, 52, 100, 148, 196, 244, 292};

// The category column: images 1..13 and the filler Image3 below them.
struct CategoryInfo {
    const char* image;  // object name
    const char* stem;   // picture file stem
};
constexpr int CategoryCount = 13;
const CategoryInfo& Category(int c);  // c in 1..13
QRect CategoryRect(int c);
QRect FillerRect();                   // Image3

// Picture files, relative to the program directory.
QString ButtonPicture(int n, bool highlighted);
QString CategoryPicture(int c, bool highlighted);
// The pictures with no hover state: Image3, the four page links and each linked panel's strip.
QString FillerPicture();
QString LinkPicture(PageLink link);
QString LinkStripPicture(int panel);

} // namespace picker
