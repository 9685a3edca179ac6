#include "app/Layout.h"

EditionLayout LayoutFor(bool dvd, bool vemra)
{
    EditionLayout l;
    // Designed values; each layout overrides what differs.
    l.ed_output = {422, 66};
    l.Panel1 = {62, 64};
    l.pl_main = {53, 81};
    l.presetPanels = {206, 81};
    l.cb_size = {576, 128, designed::comboWidth};
    l.cb_videobitrate = {576, 169, designed::comboWidth};
    l.cb_audiobitrate = {576, 210, designed::comboWidth};
    l.cb_channel = {576, 251, designed::comboWidth};
    l.pl_play = {559, 294};
    l.ProgressBar1 = {15, 496};
    l.lv = {12, 89, designed::lvWidth, designed::lvHeight};
    l.lvFirstCaption = QStringLiteral("File Name");

    if (!dvd && vemra) {
        l.GroupPanelOffset = 180;
        l.ed_output = {94, 483};
        l.Panel1 = {96, 451};
        l.pl_main = {88, 90};
        l.presetPanels = {241, 90};
        l.cb_channel = {554, 121, 168};
        l.cb_size = {554, 162, 168};
        l.cb_videobitrate = {554, 203, 168};
        l.cb_audiobitrate = {554, 244, 168};
        l.pl_play = {546, 296};
        l.ProgressBar1 = {15, 503};
        l.lv = {8, 121, 509, 316};
    } else if (!dvd) {
        l.GroupPanelOffset = 220;
        l.cb_channel = {576, 128, designed::comboWidth};
        l.cb_size = {576, 169, designed::comboWidth};
        l.cb_videobitrate = {576, 210, designed::comboWidth};
        l.cb_audiobitrate = {576, 251, designed::comboWidth};
    } else if (vemra) {
        l.GroupPanelOffset = 180;
        l.ed_output = {94, 483};
        l.Panel1 = {96, 429};
        l.pl_main = {90, 71};
        l.presetPanels = {243, 71};
        l.cb_channel = {554, 244, 168};
        l.cb_size = {554, 121, 168};
        l.cb_videobitrate = {554, 162, 168};
        l.cb_audiobitrate = {554, 203, 168};
        l.pl_play = {546, 296};
        l.ProgressBar1 = {15, 503};
        l.lv = {8, 121, 509, 298};
        l.lvFirstCaption = QStringLiteral("Title");
        l.lvCheckBoxes = true;
        l.streamBoxesShown = true;
        l.cb_audio = {90, 453, 177};
        l.cb_subtitle = {336, 453, 177};
    } else {
        l.GroupPanelOffset = 220;
        l.ed_output = {82, 470};
        l.pl_play = {559, 294};
        l.lv = {12, 89, designed::lvWidth, 333};
        l.lvFirstCaption = QStringLiteral("Title");
        l.lvCheckBoxes = true;
        l.streamBoxesShown = true;
        l.cb_audio = {400, 61, 148};
        l.cb_subtitle = {596, 61, 144};
    }
    return l;
}

QString SkinLayoutName(bool dvd, bool vemra)
{
    return QLatin1String(dvd ? "dvd" : "file") + QLatin1String(vemra ? "-vemra" : "");
}
