// Picker: the main window's PickerPort (being built).
#pragma once

#include "ui/MainContext.h"

class Picker : public PickerPort {
public:
    explicit Picker(MainContext& ctx);
    void OpenPicker(int appliedProfileId) override;
    void ClosePicker() override;
    void RestoreButton(int n) override;

private:
    MainContext& ctx_;
};
