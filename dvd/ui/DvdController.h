// DvdController: the main window's DvdPort (being built).
#pragma once

#include "ui/MainContext.h"

class DvdController : public DvdPort {
public:
    explicit DvdController(MainContext& ctx);
    void OpenDvdFolder() override;
    void AddIfoFiles() override;
    void ToggleTitleMode() override;
    void lvClick() override;
    void StartDvdJob() override;
    void SetAllChecks(bool checked) override;
    void OpenFolderAsDvd(const QString& folder) override;
    void RowsRemoved(const QList<int>& removedRows) override;
    QString PreviewReference(int row) const override;

private:
    MainContext& ctx_;
};
