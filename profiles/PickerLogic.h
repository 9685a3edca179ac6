// The profile picker's behaviour: opening (with the edition's restriction), closing, the
// category and button hovers, clicks and page links. It works on AppState and drives the
// panels and pictures through PickerHost, so the same logic runs the window and the tests.
// ProfileId doubles as the memory of the highlighted button; a hover loads at most two
// pictures and caches none.
#pragma once

#include "app/AppState.h"
#include "platform/Prompt.h"
#include "profiles/PickerLayout.h"

#include <QPoint>
#include <QVariant>

namespace picker {

// What the logic drives: the category column, the 19 panels, the pictures, the preview panel
// and the profile selection. Pictures are opaque to the logic.
class PickerHost {
public:
    virtual ~PickerHost() = default;
    // Reads a picture file; a null value when it is missing or unreadable.
    virtual QVariant loadPicture(const QString& path) = 0;
    // A null picture blanks the button (or image).
    virtual void showButtonPicture(int n, const QVariant& picture, bool highlighted) = 0;
    virtual void showCategoryPicture(int c, const QVariant& picture, bool highlighted) = 0;
    virtual void setColumnVisible(bool visible) = 0;  // pl_main
    virtual void setPanelVisible(int panel, bool visible) = 0;
    virtual bool panelVisible(int panel) const = 0;
    virtual QPoint panelPos(int panel) const = 0;
    virtual void movePanel(int panel, QPoint pos) = 0;
    virtual void raisePanel(int panel) = 0;
    // Flat look, single-line border, and button first+i at tops[i] (the other buttons stay).
    virtual void layOutStandAlone(int panel, int left, int firstButton, const QList<int>& tops) = 0;
    virtual void setPreviewVisible(bool visible) = 0;  // pl_play
    virtual void selectProfile(int n) = 0;             // SelectProfile; ProfileId is already n
};

class PickerLogic {
public:
    PickerLogic(AppState& state, PickerHost& host, Prompt& prompt, QString programDir);

    // P is AppliedProfileId.
    void OpenPicker(int p);
    // Hides the column and all panels. Closing after hovers without a click gives ProfileId
    // back to AppliedProfileId and restores the hovered button.
    void ClosePicker();
    void RestoreButton(int n);
    void RestoreCategory(int c);

    void categoryHover(int c);
    void buttonHover(int n);
    void buttonClick(int n);
    void pageLinkClick(PageLink link);

    // A picture that cannot be read: told once in the program's life, not at every hover.
    void reportMissing(const QString& path);

private:
    void highlightCategory(int c);
    void showGroupPanel(int opener);
    int standAloneLeft() const;
    void standAlone(int panel, int count);
    void hideAll();  // hides everything but keeps a pending hover: a page switch is no close
    void undoHover();

    AppState& state_;
    PickerHost& host_;
    Prompt& prompt_;
    QString programDir_;
    bool hoverPending_ = false;  // a hover wrote ProfileId since the picker opened
    int hoveredId_ = 0;          // the number it wrote
    bool missingReported_ = false;
};

} // namespace picker
