// Stand-ins for the other subsystems: every port call is written to one log, so a test can
// check which command a click reached, and in what order.
#pragma once

#include "ui/MainContext.h"

#include <QStringList>

class FakePorts : public PickerPort, public ProfilesPort, public SourcesPort, public ConversionPort, public DvdPort,
                  public PreviewPort, public DialogsPort {
public:
    explicit FakePorts(AppState& state) : state_(state) {}

    void attach(MainContext& ctx)
    {
        ctx.picker = this;
        ctx.profiles = this;
        ctx.sources = this;
        ctx.conversion = this;
        ctx.dvd = this;
        ctx.preview = this;
        ctx.dialogs = this;
    }

    // The log without the picker's closings, which nearly every press causes.
    QStringList calls() const
    {
        QStringList c;
        for (const QString& s : log)
            if (s != QLatin1String("ClosePicker"))
                c.append(s);
        return c;
    }

    QStringList log;
    QString folderToChoose;  // what ChooseFolder hands back

    void OpenPicker(int id) override { log << QStringLiteral("OpenPicker(%1)").arg(id); }
    void ClosePicker() override { log << QStringLiteral("ClosePicker"); }
    void RestoreButton(int) override {}
    void SelectProfile(int p) override { log << QStringLiteral("SelectProfile(%1)").arg(p); }
    void AddSourceFiles() override { log << QStringLiteral("AddSourceFiles"); }
    void AddSourceFolder() override { log << QStringLiteral("AddSourceFolder"); }
    void RemoveSelectedSources() override { log << QStringLiteral("RemoveSelectedSources"); }
    void ClearSources() override { log << QStringLiteral("ClearSources"); }
    void RefreshOutputSizes() override {}
    void AddPaths(const QStringList&) override {}
    void StartConversion() override { log << QStringLiteral("StartConversion"); }
    void StopConversion() override { log << QStringLiteral("StopConversion"); }
    void RunEncoderJob(const intputrec&) override {}
    void PerformFinishAction() override {}
    void Shutdown() override {}
    void OpenDvdFolder() override { log << QStringLiteral("OpenDvdFolder"); }
    void AddIfoFiles() override { log << QStringLiteral("AddIfoFiles"); }
    void ToggleTitleMode() override { log << QStringLiteral("ToggleTitleMode"); }
    void lvClick() override {}
    void StartDvdJob() override {}
    void SetAllChecks(bool checked) override { log << QStringLiteral("SetAllChecks(%1)").arg(checked); }
    void OpenFolderAsDvd(const QString&) override {}
    void RowsRemoved(const QList<int>&) override {}
    QString PreviewReference(int) const override { return {}; }
    void PreviewFileRow() override { log << QStringLiteral("PreviewFileRow"); }
    void PreviewDvdRow() override { log << QStringLiteral("PreviewDvdRow"); }
    void TogglePause() override { log << QStringLiteral("TogglePause"); }
    void StopPreview() override { log << QStringLiteral("StopPreview"); }
    void PlayBarReleased() override { log << QStringLiteral("PlayBarReleased"); }
    void ChooseFolder(const QString& caption) override
    {
        log << QStringLiteral("ChooseFolder(%1)").arg(caption);
        state_.ChosenFolder = folderToChoose;
    }
    void ShowFinishDialog() override { log << QStringLiteral("ShowFinishDialog"); }
    void ShowAbout() override { log << QStringLiteral("ShowAbout"); }

private:
    AppState& state_;
};
