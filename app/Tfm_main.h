// The main window: creates the controls, the skin and the subsystems' controllers, runs the
// start-up sequence, applies the edition's layout, switches the conversion direction and
// guards the close.
#pragma once

#include "app/AppState.h"
#include "ui/MainContext.h"
#include "ui/MainForm.h"

#include <QStringList>
#include <QWidget>

#include <memory>

class Commands;
class ConversionController;
class Dialogs;
class DvdController;
class MessageBoxPrompt;
class Picker;
class PreviewController;
class ProfileController;
class SkinHost;
class SourceList;

class Tfm_main : public QWidget {
    Q_OBJECT
public:
    // `exeFileName` is the name the program was started under; `startPaths` are files or
    // folders to add once the window is shown.
    Tfm_main(QString exeFileName, QString programDir, QStringList startPaths = {}, Prompt* prompt = nullptr);
    ~Tfm_main() override;

    MainContext& context() { return *ctx_; }
    AppState& state() { return state_; }
    MainForm& form() { return form_; }
    SkinHost& skin() { return *skin_; }
    Commands& commands() { return *commands_; }

    void ApplyEditionLayout();
    // cb_channel changed by the user to `index`.
    void ChangeDirection(int index);
    // The program was asked to end (a termination signal): stop the preview and the
    // transcoder, save the settings and quit, without asking.
    void Terminate();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void firstShow();

    QString exeFileName_;
    QStringList startPaths_;
    bool shown_ = false;
    bool saveFailedOnce_ = false;

    AppState state_;
    SkinHost* skin_ = nullptr;
    MainForm form_;
    std::unique_ptr<MessageBoxPrompt> ownPrompt_;
    std::unique_ptr<MainContext> ctx_;
    std::unique_ptr<Picker> picker_;
    std::unique_ptr<ProfileController> profiles_;
    std::unique_ptr<SourceList> sources_;
    std::unique_ptr<ConversionController> conversion_;
    std::unique_ptr<DvdController> dvd_;
    std::unique_ptr<PreviewController> preview_;
    std::unique_ptr<Dialogs> dialogs_;
    std::unique_ptr<Commands> commands_;
};
