// The folder dialog Tfm_dir, the after-finish dialog Tfm_set, the about box Tfm_about and the
// brands' web links. The dialogs are created once, at start, and shown modally when asked for;
// their controls are public so tests can work them.
#pragma once

#include "ui/MainContext.h"

#include <QDialog>

#include <memory>

class QButtonGroup;
class QFileSystemModel;
class QGroupBox;
class QLabel;
class QPushButton;
class QTreeView;

class Tfm_dir : public QDialog {
    Q_OBJECT
public:
    Tfm_dir(AppState& state, QWidget* parent);

    // Selects the folder in the tree (also used to put the home folder in view).
    void selectFolder(const QString& path);
    // The full path of the selected folder, without a trailing "/" except for the root "/";
    // empty when nothing is selected.
    QString selectedFolder() const;

    QTreeView* ShellTreeView1 = nullptr;
    QFileSystemModel* model = nullptr;
    QPushButton* btn_ok = nullptr;
    QPushButton* btn_cancel = nullptr;

public slots:
    // Cancel, Escape and the close box: no folder.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void btn_okClick();

    AppState& state_;
};

class Tfm_set : public QDialog {
    Q_OBJECT
public:
    Tfm_set(AppState& state, QWidget* parent);

    QGroupBox* rg_finish = nullptr;
    QButtonGroup* items = nullptr;  // ids 0..2, the values of FinishAction
    QPushButton* Button1 = nullptr; // "OK"
    QPushButton* Button2 = nullptr; // "Cancel"

protected:
    void showEvent(QShowEvent* event) override;

private:
    AppState& state_;
};

class Tfm_about : public QDialog {
    Q_OBJECT
public:
    Tfm_about(AppState& state, const QString& programDir, QWidget* parent);

    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* lbl_web = nullptr;
    QWidget* Panel1 = nullptr;
    QPushButton* btn_contact = nullptr;
    QPushButton* btn_close = nullptr;

    static const QColor WebColor;      // "Visit our web" normally
    static const QColor WebHoverColor; // while the mouse is over it

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void setWebColor(const QColor& color);

    AppState& state_;
};

class Dialogs : public DialogsPort {
public:
    explicit Dialogs(MainContext& ctx);
    ~Dialogs() override;

    void ChooseFolder(const QString& caption) override;
    void ShowFinishDialog() override;
    void ShowAbout() override;

    Tfm_dir& dirDialog() { return *dir_; }
    Tfm_set& setDialog() { return *set_; }
    Tfm_about& aboutDialog() { return *about_; }

private:
    MainContext& ctx_;
    Tfm_dir* dir_;
    Tfm_set* set_;
    Tfm_about* about_;
};
