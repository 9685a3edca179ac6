// Picker: the profile picker of the main window. It fills the category column pl_main and the
// 19 preset panels with picture buttons, forwards their hovers and clicks to PickerLogic and
// carries out what the logic asks of the widgets. It also opens on a click of im_mainico.
#pragma once

#include "profiles/PickerLogic.h"
#include "ui/MainContext.h"

#include <QObject>

#include <array>
#include <memory>

class PictureButton;
class QFrame;

class Picker : public QObject, public PickerPort, private picker::PickerHost {
public:
    explicit Picker(MainContext& ctx);
    ~Picker() override;

    void OpenPicker(int appliedProfileId) override;
    void ClosePicker() override;
    void RestoreButton(int n) override;

    picker::PickerLogic& logic() { return *logic_; }
    PictureButton* button(int n) const;        // btim_n, 1..132
    PictureButton* categoryImage(int c) const; // 1..13
    PictureButton* link(picker::PageLink link) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QFrame* panel(int p) const;
    void showStatic(PictureButton* target, const QString& relativePath);

    QVariant loadPicture(const QString& path) override;
    void showButtonPicture(int n, const QVariant& picture, bool highlighted) override;
    void showCategoryPicture(int c, const QVariant& picture, bool highlighted) override;
    void setColumnVisible(bool visible) override;
    void setPanelVisible(int panel, bool visible) override;
    bool panelVisible(int panel) const override;
    QPoint panelPos(int panel) const override;
    void movePanel(int panel, QPoint pos) override;
    void raisePanel(int panel) override;
    void layOutStandAlone(int panel, int left, int firstButton, const QList<int>& tops) override;
    void setPreviewVisible(bool visible) override;
    void selectProfile(int n) override;

    MainContext& ctx_;
    std::unique_ptr<picker::PickerLogic> logic_;
    std::array<PictureButton*, 133> buttons_{};
    std::array<PictureButton*, 14> categories_{};
    std::array<PictureButton*, 4> links_{};
    bool iconPressed_ = false;
};
