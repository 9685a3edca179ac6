#include "profiles/PickerLogic.h"

#include "app/Edition.h"
#include "profiles/Catalogue.h"

namespace picker {

namespace {

bool isOpener(int n)
{
    return n >= 2 && n <= 5;
}

} // namespace

PickerLogic::PickerLogic(AppState& state, PickerHost& host, Prompt& prompt, QString programDir)
    : state_(state), host_(host), prompt_(prompt), programDir_(std::move(programDir))
{
}

void PickerLogic::OpenPicker(int p)
{
    if (state_.IsConverting) {
        prompt_.warn(refusal::StopConvert);
        return;
    }
    undoHover();  // opened again while open: the earlier hovers chose nothing either
    if (!state_.IsPlaying && edition::IsVemraBrand(state_.ExeFileName))
        host_.setPreviewVisible(false);

    using R = edition::PickerRestriction;
    const R restriction = edition::PickerRestrictionFor(state_.ExeFileName, state_.SingleFormatMode);
    int single = NoPanel;
    switch (restriction) {
    case R::Ipod: single = pl_ipod; break;
    case R::Psp: single = pl_psp; break;
    case R::Iphone: single = pl_iphone; break;
    case R::Phone3gp: single = pl_phone; break;
    case R::Gphone: single = pl_gphone; break;
    case R::Audio:
        standAlone(pl_audio1, 7);
        hideAll();
        host_.setPanelVisible(pl_audio1, true);
        host_.setPanelVisible(pl_audio2, false);
        return;
    case R::Avi:
    case R::Mpeg:
    case R::Mp4:
    case R::Mkv: {
        const int group = restriction == R::Avi ? pl_avi : restriction == R::Mpeg ? pl_mpeg
                          : restriction == R::Mp4 ? pl_mp4 : pl_mkv;
        hideAll();
        host_.movePanel(group, {standAloneLeft(), host_.panelPos(group).y()});
        host_.setPanelVisible(group, true);
        return;
    }
    case R::Closed:
        hideAll();
        return;
    case R::Full:
        break;
    }
    if (single != NoPanel) {
        standAlone(single, single == pl_gphone ? 5 : 7);
        hideAll();
        host_.setPanelVisible(single, true);
        return;
    }

    RestoreCategory(state_.CategoryId);
    host_.setColumnVisible(true);
    const int panel = PanelOfButton(p);
    if (panel == NoPanel)
        return;
    const PanelInfo& info = Panels()[panel];
    if (info.opener) {
        host_.setPanelVisible(pl_video1, true);
        showGroupPanel(info.opener);
    } else {
        host_.setPanelVisible(panel, true);
    }
    highlightCategory(info.category);
    state_.CategoryId = info.category;
}

void PickerLogic::ClosePicker()
{
    undoHover();
    hideAll();
}

void PickerLogic::RestoreButton(int n)
{
    if (isOpener(n))
        host_.setPanelVisible(GroupPanelOf(n), false);
    if (PanelOfButton(n) == NoPanel)
        return;
    const QString path = programDir_ + ButtonPicture(n, false);
    const QVariant picture = host_.loadPicture(path);
    if (picture.isNull())
        reportMissing(path);
    host_.showButtonPicture(n, picture, false);  // blank rather than left highlighted
}

void PickerLogic::RestoreCategory(int c)
{
    if (c >= 1 && c <= CategoryCount) {
        const QString path = programDir_ + CategoryPicture(c, false);
        const QVariant picture = host_.loadPicture(path);
        if (picture.isNull())
            reportMissing(path);
        host_.showCategoryPicture(c, picture, false);
        for (int p = pl_video1; p <= pl_animation; ++p)
            if (Panels()[p].category == c)
                host_.setPanelVisible(p, false);
    }
    for (int g = pl_avi; g <= pl_mkv; ++g)
        if (host_.panelVisible(g))
            host_.setPanelVisible(g, false);
}

void PickerLogic::categoryHover(int c)
{
    if (c < 1 || c > CategoryCount || state_.CategoryId == c)
        return;
    RestoreCategory(state_.CategoryId);
    highlightCategory(c);
    state_.CategoryId = c;
    host_.setPanelVisible(CategoryPanel(c, state_.VideoPageFirst, state_.AudioPageFirst), true);
}

void PickerLogic::buttonHover(int n)
{
    if (PanelOfButton(n) == NoPanel || KindOf(n) == ButtonKind::PictureOnly || state_.ProfileId == n)
        return;
    // The new picture first: when it cannot be read, neither it nor ProfileId changes.
    const QString path = programDir_ + ButtonPicture(n, true);
    const QVariant highlighted = host_.loadPicture(path);
    if (highlighted.isNull()) {
        reportMissing(path);
        return;
    }
    const bool opener = isOpener(n);
    if (n <= 7) {
        if (const int o = catalogue::GroupOpener(state_.ProfileId))
            state_.ProfileId = o;
    } else if (n >= 102) {
        const int o = catalogue::GroupOpener(n);
        if (state_.ProfileId == o)  // keeps the opener highlighted and its group open
            state_.ProfileId = catalogue::GroupFirst(o);
    }
    if (opener) {
        host_.setPreviewVisible(false);
        showGroupPanel(n);
    }
    RestoreButton(state_.ProfileId);
    host_.showButtonPicture(n, highlighted, true);
    state_.ProfileId = n;
    if (opener)
        host_.setPreviewVisible(true);
    hoverPending_ = true;
    hoveredId_ = n;
}

void PickerLogic::buttonClick(int n)
{
    if (PanelOfButton(n) == NoPanel || KindOf(n) != ButtonKind::HoverAndClick)
        return;
    if (state_.ProfileId != n)
        buttonHover(n);  // a click that no hover announced
    hoverPending_ = false;
    ClosePicker();
    state_.ProfileId = n;
    host_.selectProfile(n);
}

void PickerLogic::pageLinkClick(PageLink link)
{
    const bool audioEdition = edition::HasWord(state_.ExeFileName, "mp3") || edition::HasWord(state_.ExeFileName, "audio");
    switch (link) {
    case PageLink::Image94:
        state_.VideoPageFirst = false;
        host_.setPanelVisible(pl_video2, true);
        host_.setPanelVisible(pl_video1, false);
        break;
    case PageLink::Image93:
        host_.setPanelVisible(pl_video2, false);
        host_.setPanelVisible(pl_video1, true);
        state_.VideoPageFirst = true;
        break;
    case PageLink::Image2:
        if (audioEdition) {
            standAlone(pl_audio2, 5);
            hideAll();
            host_.setPanelVisible(pl_audio2, true);
            host_.setPanelVisible(pl_audio1, false);
        } else {
            host_.setPanelVisible(pl_audio1, false);
            host_.setPanelVisible(pl_audio2, true);
            state_.AudioPageFirst = false;
        }
        break;
    case PageLink::Image5:
        if (audioEdition) {
            standAlone(pl_audio1, 7);
            hideAll();
            host_.setPanelVisible(pl_audio1, true);
            host_.setPanelVisible(pl_audio2, false);
        } else {
            host_.setPanelVisible(pl_audio1, true);
            host_.setPanelVisible(pl_audio2, false);
            state_.AudioPageFirst = true;
        }
        break;
    }
}

void PickerLogic::highlightCategory(int c)
{
    const QString path = programDir_ + CategoryPicture(c, true);
    const QVariant picture = host_.loadPicture(path);
    if (picture.isNull()) {
        reportMissing(path);  // the category still opens, its image just stays unlit
        return;
    }
    host_.showCategoryPicture(c, picture, true);
}

void PickerLogic::showGroupPanel(int opener)
{
    const int group = GroupPanelOf(opener);
    host_.movePanel(group, host_.panelPos(pl_video1) + QPoint(state_.GroupPanelOffset, 0));
    host_.setPanelVisible(group, true);
    host_.raisePanel(group);
}

int PickerLogic::standAloneLeft() const
{
    return edition::IsVemraBrand(state_.ExeFileName) ? 88 : 53;
}

void PickerLogic::standAlone(int panel, int count)
{
    QList<int> tops(StandAloneTops.begin(), StandAloneTops.begin() + count);
    host_.layOutStandAlone(panel, standAloneLeft(), Panels()[panel].first, tops);
}

void PickerLogic::hideAll()
{
    host_.setColumnVisible(false);
    for (int p = 0; p < PanelCount; ++p)
        host_.setPanelVisible(p, false);
}

void PickerLogic::undoHover()
{
    // Only a number a hover wrote is taken back: whoever set ProfileId since (SelectProfile's
    // callers set it first) is left alone.
    if (hoverPending_ && state_.ProfileId == hoveredId_ && hoveredId_ != state_.AppliedProfileId) {
        RestoreButton(hoveredId_);
        if (const int o = catalogue::GroupOpener(hoveredId_))
            RestoreButton(o);
        state_.ProfileId = state_.AppliedProfileId;
    }
    hoverPending_ = false;
}

void PickerLogic::reportMissing(const QString& path)
{
    if (missingReported_)
        return;
    missingReported_ = true;
    prompt_.error(QStringLiteral("Unable to read %1").arg(path));
}

} // namespace picker
