// The main settings file and the per-profile settings file: names, load at first show, save at
// close. Section and key names are the system's own ("selcetindex", "FinishSelcet", ...).
#pragma once

struct MainContext;

// Opens both files (creating the settings folder), reads every setting into AppState and the
// controls, and selects the start profile.
void LoadSettings(MainContext& ctx);

// Writes every setting in order; stops at the first refused write (after reporting it) and
// returns false.
bool SaveSettings(MainContext& ctx);
