#include "profiles/ui/Picker.h"

Picker::Picker(MainContext& ctx) : ctx_(ctx) {}
void Picker::OpenPicker(int) {}
void Picker::ClosePicker() {}
void Picker::RestoreButton(int) {}
