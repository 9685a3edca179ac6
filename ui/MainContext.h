// What every controller of the main window works on: the shared state, the controls, the
// services, the skin's display objects and the other subsystems' ports.
#pragma once

#include "app/AppState.h"
#include "app/Edition.h"
#include "platform/Prompt.h"
#include "ui/MainForm.h"
#include "ui/Ports.h"
#include "ui/SkinObject.h"

#include <initializer_list>

struct MainContext {
    AppState& state;
    MainForm& form;
    Prompt& prompt;
    QString programDir;  // with a trailing "/"

    // Skin display objects; null when the skin lacks them (updates are then skipped).
    SkinObject* ProfilesTextObject = nullptr;
    SkinObject* PlayTimeObject = nullptr;
    SkinObject* HintObject = nullptr;
    SkinObject* PlayBarObject = nullptr;

    PickerPort* picker = nullptr;
    ProfilesPort* profiles = nullptr;
    SourcesPort* sources = nullptr;
    ConversionPort* conversion = nullptr;
    DvdPort* dvd = nullptr;
    PreviewPort* preview = nullptr;
    DialogsPort* dialogs = nullptr;
    HintPort* hints = nullptr;

    bool isDvdEdition() const { return edition::IsDvdEdition(state.ExeFileName); }
    bool isVemraBrand() const { return edition::IsVemraBrand(state.ExeFileName); }
};

// The busy flags a command tests before it acts, each command in its own order.
enum class Busy { Converting, Playing };

// True, after one warning ("Please first stop convert!" or "Please first stop play!"), when a
// flag of `order` is set, tested in that order; the command then changes nothing.
inline bool RefusedWhileBusy(MainContext& ctx, std::initializer_list<Busy> order)
{
    for (Busy b : order) {
        if (b == Busy::Converting ? ctx.state.IsConverting : ctx.state.IsPlaying) {
            ctx.prompt.warn(b == Busy::Converting ? refusal::StopConvert : refusal::StopPlay);
            return true;
        }
    }
    return false;
}
