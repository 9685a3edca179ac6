#include "preview/ui/PreviewController.h"

PreviewController::PreviewController(MainContext& ctx) : ctx_(ctx) {}
void PreviewController::PreviewFileRow() {}
void PreviewController::PreviewDvdRow() {}
void PreviewController::TogglePause() {}
void PreviewController::StopPreview() {}
void PreviewController::PlayBarReleased() {}
void PreviewController::Shutdown() {}
