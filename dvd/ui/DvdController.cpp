#include "dvd/ui/DvdController.h"

DvdController::DvdController(MainContext& ctx) : ctx_(ctx) {}
void DvdController::OpenDvdFolder() {}
void DvdController::AddIfoFiles() {}
void DvdController::ToggleTitleMode() {}
void DvdController::lvClick() {}
void DvdController::StartDvdJob() {}
void DvdController::SetAllChecks(bool) {}
void DvdController::OpenFolderAsDvd(const QString&) {}
void DvdController::RowsRemoved(const QList<int>&) {}
QString DvdController::PreviewReference(int) const { return {}; }
