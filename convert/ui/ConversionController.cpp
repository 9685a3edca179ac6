#include "convert/ui/ConversionController.h"

ConversionController::ConversionController(MainContext& ctx) : ctx_(ctx) {}
void ConversionController::StartConversion() {}
void ConversionController::StopConversion() {}
void ConversionController::RunEncoderJob(const intputrec&) {}
void ConversionController::PerformFinishAction() {}
void ConversionController::Shutdown() {}
