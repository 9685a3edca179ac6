// SourceList: the job list `lv` and its records (AppState::SourceInfos, one per row). Adding a
// file probes it with the transcoder while the window keeps working; only one probe runs at a
// time. Files an add command could not read are named in one message when the command ends.
#pragma once

#include "profiles/Quality.h"
#include "sources/Probe.h"
#include "ui/MainContext.h"

#include <QObject>
#include <QStringList>

#include <functional>
#include <optional>

class QProcess;

namespace sources {
// The quality arithmetic's inputs for the current choices of the window.
quality::Inputs CurrentQualityInputs(const MainContext& ctx);
} // namespace sources

class SourceList : public QObject, public SourcesPort {
    Q_OBJECT
public:
    explicit SourceList(MainContext& ctx);
    ~SourceList() override;

    void AddSourceFiles() override;
    void AddSourceFolder() override;
    void RemoveSelectedSources() override;
    void ClearSources() override;
    void RefreshOutputSizes() override;
    void AddPaths(const QStringList& paths) override;

    // Probes one file, waits for the probe (the window keeps processing events) and appends a row
    // with its record; false when the file was not added (the reason joins the command's report).
    bool AddSourceFile(const QString& path);

    bool ProbeRunning() const { return probeRunning_; }

    // Replaces the open dialog (tests): gets the filter in the dialog's form and whether hidden
    // files are shown; returns the chosen files, or nullopt when the dialog was cancelled.
    using OpenDialogHook = std::function<std::optional<QStringList>(const QString& qtFilter, bool showHidden)>;
    void setOpenDialogHook(OpenDialogHook hook) { openDialogHook_ = std::move(hook); }

    // A probe that prints nothing more for this long is given up (the file is reported).
    static constexpr int ProbeSilenceLimitMs = 60000;

private:
    struct Failure {
        QString path;
        QString reason;
    };

    // Runs the probe of one file to its end; false (with the reason) when it could not run.
    bool Probe(const QString& path, sources::ProbeResult* result, QString* reason);
    void AddFolderEntries(const QString& folder);
    // Common start of the add commands: the guards and the transcoder's presence.
    bool MayAdd();
    // The guards of remove and clear: no preview, no conversion running.
    bool MayChangeList();
    void SelectFirstRowIfNone();
    void ReportFailures();
    std::optional<QString> OutputSizeText(const quality::Inputs& in, int row, QString* error) const;

    MainContext& ctx_;
    QProcess* probe_ = nullptr;
    bool probeRunning_ = false;
    bool aborted_ = false;  // the program is quitting: the running add command stops
    QList<Failure> failures_;
    OpenDialogHook openDialogHook_;
};
