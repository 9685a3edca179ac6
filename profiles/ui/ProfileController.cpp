#include "profiles/ui/ProfileController.h"

ProfileController::ProfileController(MainContext& ctx) : ctx_(ctx) {}
void ProfileController::SelectProfile(int) {}
