// PreviewController: the main window's PreviewPort (being built).
#pragma once

#include "ui/MainContext.h"

class PreviewController : public PreviewPort {
public:
    explicit PreviewController(MainContext& ctx);
    void PreviewFileRow() override;
    void PreviewDvdRow() override;
    void TogglePause() override;
    void StopPreview() override;
    void PlayBarReleased() override;
    void Shutdown() override;

private:
    MainContext& ctx_;
};
