// DvdController: the DVD edition's list. It opens a disc folder (waiting for an optical drive
// to spin up) or chosen IFO files, mirrors the listed rows into `lv` with check boxes, keeps
// the DVD list's tables (dvd::DvdList) paired with the rows, fills the stream boxes for the
// selected row, switches between titles and chapters keeping each mode's check marks, and
// starts the job of each checked row. The rules themselves live in dvd/DvdListing.h.
#pragma once

#include "dvd/DvdListing.h"
#include "platform/Drives.h"
#include "ui/MainContext.h"

#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class QComboBox;

class DvdController : public QObject, public DvdPort {
    Q_OBJECT
public:
    explicit DvdController(MainContext& ctx);
    ~DvdController() override;

    void OpenDvdFolder() override;
    void AddIfoFiles() override;
    void ToggleTitleMode() override;
    void lvClick() override;
    void StartDvdJob() override;
    void SetAllChecks(bool checked) override;
    void OpenFolderAsDvd(const QString& folder) override;
    void RowsRemoved(const QList<int>& removedRows) override;
    QString PreviewReference(int row) const override;

    // Fills cb_audio and cb_subtitle for a row from its title set and its stream choices.
    void ShowRowStreams(int row);
    void cb_audioChange(int index);
    void cb_subtitleChange(int index);

    const dvd::DvdList& list() const { return list_; }
    bool WaitingForDrive() const { return waitingForDrive_; }

    // Replaceable parts (tests): the IFO reader made for each listing pass, the mount table, the
    // volume query of the drive wait, and the open dialog of "Add IFO" (nullopt: cancelled).
    using ReaderFactory = std::function<std::unique_ptr<dvd::IfoReader>()>;
    void setReaderFactory(ReaderFactory f) { readerFactory_ = std::move(f); }
    void setMountTable(std::function<QVector<drives::MountEntry>()> f) { mountTable_ = std::move(f); }
    void setVolumeQuery(std::function<bool(const QString&)> f) { volumeQuery_ = std::move(f); }
    using IfoDialogHook = std::function<std::optional<QStringList>(const QString& qtFilter)>;
    void setIfoDialogHook(IfoDialogHook f) { ifoDialogHook_ = std::move(f); }

    static inline const QString StatusReady = QStringLiteral("Ready");
    static inline const QString StatusFinish = QStringLiteral("Finish");
    static inline const QString StatusFailed = QStringLiteral("Failed");
    static inline const QString NoSubtitle = QStringLiteral("No Subtitle");

private:
    bool refusedWhileBusy();  // converting, then playing
    void startNewList();
    void listFolder(const QString& folder);
    // Mirrors list_.Rows into lv and SourceInfos.
    void showRows();
    void setChecks(const QVector<bool>& marks);
    // After a listing: the given marks on every row, the longest row selected, its streams shown.
    void settle(const QVector<bool>& marks);
    void onItemChanged(int row);
    // The selected row's choice in a stream box: its item index and the stream id the item names.
    void rememberStream(int index, const QComboBox* box, QVector<int>& choices, QString dvd::TConvertInfo::*streamId);
    void markPreviousFinished(int row);
    void buildAndRunJob(int row);

    MainContext& ctx_;
    dvd::DvdList list_;
    bool waitingForDrive_ = false;
    bool listing_ = false;   // a listing pass runs (events are pumped meanwhile)
    bool mirroring_ = false; // lv is being rebuilt: item changes are ours
    ReaderFactory readerFactory_;
    std::function<QVector<drives::MountEntry>()> mountTable_;
    std::function<bool(const QString&)> volumeQuery_;
    IfoDialogHook ifoDialogHook_;
};
