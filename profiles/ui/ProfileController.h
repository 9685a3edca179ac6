// ProfileController: the main window's ProfilesPort (being built).
#pragma once

#include "ui/MainContext.h"

class ProfileController : public ProfilesPort {
public:
    explicit ProfileController(MainContext& ctx);
    void SelectProfile(int p) override;

private:
    MainContext& ctx_;
};
