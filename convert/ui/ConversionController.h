// ConversionController: the main window's ConversionPort (being built).
#pragma once

#include "ui/MainContext.h"

class ConversionController : public ConversionPort {
public:
    explicit ConversionController(MainContext& ctx);
    void StartConversion() override;
    void StopConversion() override;
    void RunEncoderJob(const intputrec& job) override;
    void PerformFinishAction() override;
    void Shutdown() override;

private:
    MainContext& ctx_;
};
