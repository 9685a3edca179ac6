#include "profiles/PickerLayout.h"

namespace picker {

namespace {

constexpr std::array<PanelInfo, PanelCount> PanelTable = {{
    {"pl_video1", 1, 1, 7, 0, true, PageLink::Image94},
    {"pl_video2", 1, 8, 14, 0, true, PageLink::Image93},
    {"pl_audio1", 2, 15, 21, 0, true, PageLink::Image2},
    {"pl_audio2", 2, 22, 26, 0, true, PageLink::Image5},
    {"pl_ipod", 3, 27, 33, 0, false, {}},
    {"pl_iphone", 4, 34, 40, 0, false, {}},
    {"pl_gphone", 5, 41, 45, 0, false, {}},
    {"pl_appletv", 6, 46, 52, 0, false, {}},
    {"pl_psp", 7, 53, 59, 0, false, {}},
    {"pl_xbox", 8, 60, 67, 0, false, {}},
    {"pl_phone", 9, 68, 74, 0, false, {}},
    {"pl_win", 10, 75, 82, 0, false, {}},
    {"pl_pmp", 11, 83, 90, 0, false, {}},
    {"pl_hd", 12, 91, 98, 0, false, {}},
    {"pl_animation", 13, 99, 101, 0, false, {}},
    {"pl_avi", 1, 102, 109, 2, false, {}},
    {"pl_mpeg", 1, 110, 117, 3, false, {}},
    {"pl_mp4", 1, 118, 124, 4, false, {}},
    {"pl_mkv", 1, 125, 132, 5, false, {}},
}};

constexpr std::array<CategoryInfo, CategoryCount> CategoryTable = {{
    {"img_gvideo1", "img_video1"},
    {"img_audio1", "img_audio1"},
    {"img_ipod", "img_ipod"},
    {"img_iphone", "img_iphone"},
    {"img_gphone", "img_gphone"},
    {"img_appletv", "img_appletv"},
    {"img_psp", "img_psp"},
    {"img_xbox", "img_xbox"},
    {"img_phone", "img_phone"},
    {"img_win", "img_win"},
    {"img_pmp", "img_pmp"},
    {"img_hd", "img_hd"},
    {"img_animation", "img_animation"},
}};

constexpr int FirstCategoryHeight = 27;
constexpr int CategoryHeight = 25;

QString general(bool highlighted)
{
    return highlighted ? QStringLiteral("move/") : QStringLiteral("general/");
}

} // namespace

const std::array<PanelInfo, PanelCount>& Panels()
{
    return PanelTable;
}

int PanelWidthOf(int panel)
{
    return panel >= pl_avi ? GroupPanelWidth : PanelWidth;
}

int PanelOfButton(int n)
{
    for (int p = 0; p < PanelCount; ++p)
        if (n >= PanelTable[p].first && n <= PanelTable[p].last)
            return p;
    return NoPanel;
}

ButtonKind KindOf(int n)
{
    switch (n) {
    case 2: case 3: case 4: case 5: case 109: case 124:
        return ButtonKind::HoverOnly;
    case 13: case 14: case 98: case 101: case 117: case 132:
        return ButtonKind::PictureOnly;
    default:
        return ButtonKind::HoverAndClick;
    }
}

QRect ButtonRect(int n)
{
    const int panel = PanelOfButton(n);
    if (panel == NoPanel)
        return {};
    const PanelInfo& info = PanelTable[panel];
    const int index = n - info.first;
    const int top = index == 0 ? 0 : FirstButtonHeight + (index - 1) * ButtonHeight;
    const int bottom = info.hasLink ? PickerHeight - LinkHeight : PickerHeight;
    const int height = n == info.last ? bottom - top : (index == 0 ? FirstButtonHeight : ButtonHeight);
    return {0, top, PanelWidthOf(panel), height};
}

int GroupPanelOf(int opener)
{
    for (int p = pl_avi; p <= pl_mkv; ++p)
        if (PanelTable[p].opener == opener)
            return p;
    return NoPanel;
}

int CategoryPanel(int category, bool videoPageFirst, bool audioPageFirst)
{
    if (category == 1)
        return videoPageFirst ? pl_video1 : pl_video2;
    if (category == 2)
        return audioPageFirst ? pl_audio1 : pl_audio2;
    for (int p = pl_ipod; p <= pl_animation; ++p)
        if (PanelTable[p].category == category)
            return p;
    return NoPanel;
}

QRect LinkRect(int panel)
{
    const int width = PanelWidthOf(panel);
    return {width - LinkWidth, PickerHeight - LinkHeight, LinkWidth, LinkHeight};
}

QRect LinkStripRect(int panel)
{
    return {0, PickerHeight - LinkHeight, PanelWidthOf(panel) - LinkWidth, LinkHeight};
}

const char* LinkName(PageLink link)
{
    switch (link) {
    case PageLink::Image94: return "Image94";
    case PageLink::Image93: return "Image93";
    case PageLink::Image2: return "Image2";
    case PageLink::Image5: return "Image5";
    }
    return "";
}

const CategoryInfo& Category(int c)
{
    return CategoryTable[static_cast<std::size_t>(c - 1)];
}

QRect CategoryRect(int c)
{
    if (c == 1)
        return {0, 0, ColumnWidth, FirstCategoryHeight};
    return {0, FirstCategoryHeight + (c - 2) * CategoryHeight, ColumnWidth, CategoryHeight};
}

QRect FillerRect()
{
    const int top = FirstCategoryHeight + (CategoryCount - 1) * CategoryHeight;
    return {0, top, ColumnWidth, PickerHeight - top};
}

QString ButtonPicture(int n, bool highlighted)
{
    return QStringLiteral("images/sub/") + general(highlighted) + QString::number(n) + QStringLiteral(".bmp");
}

QString CategoryPicture(int c, bool highlighted)
{
    return QStringLiteral("images/main/") + general(highlighted) + QLatin1String(Category(c).stem)
           + QStringLiteral(".bmp");
}

QString FillerPicture()
{
    return QStringLiteral("images/picker/Image3.bmp");
}

QString LinkPicture(PageLink link)
{
    return QStringLiteral("images/picker/") + QLatin1String(LinkName(link)) + QStringLiteral(".bmp");
}

QString LinkStripPicture(int panel)
{
    return QStringLiteral("images/picker/") + QLatin1String(PanelTable[panel].name) + QStringLiteral("_strip.bmp");
}

} // namespace picker
