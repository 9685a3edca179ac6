// ProfileController: applies a profile to the main window. SelectProfile shows the profile,
// stores the choices of the profile applied before, fills the option boxes from the profile's
// block of "profiles.pop", restores the new profile's remembered choices and has the job list
// recompute its output sizes. Also the change handlers of the three option boxes.
#pragma once

#include "ui/MainContext.h"

#include <QSet>

namespace optionlists {
struct Boxes;
}

class ProfileController : public ProfilesPort {
public:
    explicit ProfileController(MainContext& ctx);
    void SelectProfile(int p) override;

    // Category picture, ProfileDisplayName (unchanged for unnamed numbers) and skin text.
    void ShowProfileName(int p);
    // The boxes' selected indexes into the per-profile options file under number n.
    void SaveProfileOptions(int n);
    // Selects the indexes remembered for n, or the defaults of the standard or DVD edition.
    void LoadProfileOptions(int n, bool dvdDefaults);

    // User changes of the option boxes: close the picker, recompute the output sizes.
    void cb_sizeChange();
    void cb_videobitrateChange();
    void cb_audiobitrateChange();

private:
    optionlists::Boxes readBoxes() const;
    void applyBoxes(const optionlists::Boxes& boxes);
    void optionChanged();

    MainContext& ctx_;
    QSet<QString> reportedPictures_;  // category pictures already reported as unreadable
};
