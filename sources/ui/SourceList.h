// SourceList: the main window's SourcesPort (being built).
#pragma once

#include "ui/MainContext.h"

class SourceList : public SourcesPort {
public:
    explicit SourceList(MainContext& ctx);
    void AddSourceFiles() override;
    void AddSourceFolder() override;
    void RemoveSelectedSources() override;
    void ClearSources() override;
    void RefreshOutputSizes() override;
    void AddPaths(const QStringList& paths) override;

private:
    MainContext& ctx_;
};
