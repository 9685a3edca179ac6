// The operations one subsystem of the main window calls in another. Each subsystem's
// controller implements its port; the window wires them together, tests substitute fakes.
#pragma once

#include "app/SharedTypes.h"

#include <QString>
#include <QStringList>

class PickerPort {
public:
    virtual ~PickerPort() = default;
    virtual void OpenPicker(int appliedProfileId) = 0;
    virtual void ClosePicker() = 0;
    virtual void RestoreButton(int n) = 0;
};

class ProfilesPort {
public:
    virtual ~ProfilesPort() = default;
    // The caller sets ProfileId before the call.
    virtual void SelectProfile(int p) = 0;
};

class SourcesPort {
public:
    virtual ~SourcesPort() = default;
    virtual void AddSourceFiles() = 0;
    virtual void AddSourceFolder() = 0;
    virtual void RemoveSelectedSources() = 0;
    virtual void ClearSources() = 0;
    virtual void RefreshOutputSizes() = 0;
    // Paths handed to the program on its command line: files and folders.
    virtual void AddPaths(const QStringList& paths) = 0;
};

class ConversionPort {
public:
    virtual ~ConversionPort() = default;
    virtual void StartConversion() = 0;
    virtual void StopConversion() = 0;
    // Starts the transcoder for one job; returns at once.
    virtual void RunEncoderJob(const intputrec& job) = 0;
    // The job of row CurrentJobIndex cannot be started (its pieces or paths are unusable): the
    // row reads "Failed" with the reason as tooltip and the batch goes on, as after a failed run.
    // (A default body, so that fakes written before it need not change.)
    virtual void FailCurrentJob(const QString& reason) { (void)reason; }
    // The finish action after the last job (open the output folder, power off, or nothing).
    virtual void PerformFinishAction() = 0;
    // Ends any running transcoder (window closing).
    virtual void Shutdown() = 0;
};

class DvdPort {
public:
    virtual ~DvdPort() = default;
    virtual void OpenDvdFolder() = 0;
    virtual void AddIfoFiles() = 0;
    virtual void ToggleTitleMode() = 0;
    virtual void lvClick() = 0;
    virtual void StartDvdJob() = 0;
    virtual void SetAllChecks(bool checked) = 0;  // "Select All" / "Unselect ALL"
    virtual void OpenFolderAsDvd(const QString& folder) = 0;
    // Rows removed from the list: keep every per-row table paired with it.
    virtual void RowsRemoved(const QList<int>& removedRows) = 0;
    // The DvdReference of a row in its preview form (start field = the row's StartSector);
    // empty when the row has none.
    virtual QString PreviewReference(int row) const = 0;
};

class PreviewPort {
public:
    virtual ~PreviewPort() = default;
    virtual void PreviewFileRow() = 0;
    virtual void PreviewDvdRow() = 0;
    virtual void TogglePause() = 0;
    virtual void StopPreview() = 0;
    virtual void PlayBarReleased() = 0;
    virtual void Shutdown() = 0;  // window closing: nothing may keep playing
};

class DialogsPort {
public:
    virtual ~DialogsPort() = default;
    // Shows Tfm_dir with the caption; the result is in AppState::ChosenFolder.
    virtual void ChooseFolder(const QString& caption) = 0;
    virtual void ShowFinishDialog() = 0;
    virtual void ShowAbout() = 0;
};

class HintPort {
public:
    virtual ~HintPort() = default;
    virtual void SetHint(int index) = 0;
};
