#include "dvd/ui/DvdController.h"

#include "dvd/DvdJob.h"
#include "dvd/DvdReference.h"
#include "profiles/Catalogue.h"
#include "profiles/Quality.h"
#include "convert/CommandBuilder.h"
#include "convert/ui/JobOutputFolder.h"
#include "sources/Filters.h"
#include "sources/Probe.h"
#include "sources/ui/SourceList.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QProgressBar>
#include <QTimer>
#include <QTreeWidget>

namespace {

const QString SelectDvdCaption = QStringLiteral("Select DVD Directory");
const QString CantFindDisc = QStringLiteral("Can't find DVD disc.");
const QString InvalidIfo = QStringLiteral("The selected IFO File is invalid, please choose another one.");

} // namespace

DvdController::DvdController(MainContext& ctx)
    : ctx_(ctx), readerFactory_(dvd::MakeDvdReadIfoReader), mountTable_(drives::SystemMountTable),
      volumeQuery_(drives::QueryVolume)
{
    QTreeWidget* lv = ctx_.form.lv;
    if (lv) {
        connect(lv, &QTreeWidget::itemClicked, this, [this] { lvClick(); });
        connect(lv, &QTreeWidget::currentItemChanged, this, [this] {
            if (!mirroring_)
                lvClick();
        });
        connect(lv, &QTreeWidget::itemChanged, this, [this, lv](QTreeWidgetItem* item, int column) {
            if (column == lvcol::Name)
                onItemChanged(lv->indexOfTopLevelItem(item));
        });
    }
    if (ctx_.form.cb_audio)
        connect(ctx_.form.cb_audio, &QComboBox::activated, this, &DvdController::cb_audioChange);
    if (ctx_.form.cb_subtitle)
        connect(ctx_.form.cb_subtitle, &QComboBox::activated, this, &DvdController::cb_subtitleChange);
}

DvdController::~DvdController() = default;

bool DvdController::refusedWhileBusy()
{
    return RefusedWhileBusy(ctx_, {Busy::Converting, Busy::Playing});
}

void DvdController::OpenDvdFolder()
{
    if (refusedWhileBusy() || listing_)
        return;
    ctx_.dialogs->ChooseFolder(SelectDvdCaption);
    if (ctx_.state.ChosenFolder.isEmpty())
        return;
    listFolder(ctx_.state.ChosenFolder);
}

void DvdController::OpenFolderAsDvd(const QString& folder)
{
    if (refusedWhileBusy() || listing_ || folder.isEmpty())
        return;
    listFolder(folder);
}

void DvdController::startNewList()
{
    list_.clearAll();
    ctx_.form.lv->clear();
    ctx_.state.SourceInfos.clear();
    ctx_.form.lv->show();
}

void DvdController::listFolder(const QString& folder)
{
    listing_ = true;
    startNewList();

    // A disc in an optical drive may still be spinning up: wait for its volume to answer.
    if (const auto mount = drives::MountOf(folder, mountTable_()); mount && drives::IsOptical(*mount)) {
        waitingForDrive_ = true;
        drives::WaitForVolume(mount->mountPoint, volumeQuery_);
        waitingForDrive_ = false;
    }

    const std::unique_ptr<dvd::IfoReader> reader = readerFactory_();
    ctx_.form.lv->setEnabled(false);
    const bool found = dvd::FindTitleSets(*reader, folder, ctx_.state.TitleMode, list_,
                                          [] { QCoreApplication::processEvents(); });
    ctx_.form.lv->setEnabled(true);
    showRows();
    listing_ = false;
    if (!found) {
        ctx_.prompt.inform(CantFindDisc);
        return;
    }
    if (list_.rowCount() == 0)
        return;
    list_.checks(ctx_.state.TitleMode) = QVector<bool>(list_.rowCount(), true);
    settle(list_.checks(ctx_.state.TitleMode));
}

void DvdController::AddIfoFiles()
{
    if (refusedWhileBusy() || listing_)
        return;
    const QString filter = sources::ToQtFilter(ctx_.form.OpenDialog2Filter);
    std::optional<QStringList> files;
    if (ifoDialogHook_) {
        files = ifoDialogHook_(filter);
    } else {
        const QStringList chosen = QFileDialog::getOpenFileNames(ctx_.form.window, QStringLiteral("Open"), QString(), filter);
        if (!chosen.isEmpty())
            files = chosen;
    }
    if (!files || files->isEmpty())
        return;

    listing_ = true;
    startNewList();
    const std::unique_ptr<dvd::IfoReader> reader = readerFactory_();
    for (const QString& file : std::as_const(*files)) {
        dvd::AddTitleSet(*reader, file, ctx_.state.TitleMode, list_);
        showRows();
        if (list_.rowCount() == 0) {
            listing_ = false;
            ctx_.prompt.inform(InvalidIfo);
            return;
        }
        list_.checks(ctx_.state.TitleMode) = QVector<bool>(list_.rowCount(), true);
        settle(list_.checks(ctx_.state.TitleMode));
    }
    listing_ = false;
}

void DvdController::ToggleTitleMode()
{
    if (RefusedWhileBusy(ctx_, {Busy::Playing, Busy::Converting}) || listing_)
        return;
    ctx_.state.TitleMode = !ctx_.state.TitleMode;
    listing_ = true;
    {
        const std::unique_ptr<dvd::IfoReader> reader = readerFactory_();
        dvd::Relist(*reader, ctx_.state.TitleMode, list_);
    }
    showRows();
    listing_ = false;
    if (list_.rowCount() == 0)
        return;
    QVector<bool>& memory = list_.checks(ctx_.state.TitleMode);
    // A memory shorter than the list (rows removed before) counts the missing rows as checked.
    memory = dvd::CheckMarksFrom(memory, list_.rowCount());
    settle(memory);
}

void DvdController::showRows()
{
    mirroring_ = true;
    QTreeWidget* lv = ctx_.form.lv;
    lv->clear();
    ctx_.state.SourceInfos.clear();
    const quality::Inputs in = sources::CurrentQualityInputs(ctx_);
    QString sizeError;
    QList<QTreeWidgetItem*> items;
    for (const dvd::ListedRow& row : std::as_const(list_.Rows)) {
        Toriginalinfo source;
        source.FrameSize = row.frameSize;
        source.DurationText = dvd::SecondsToHms(row.seconds);
        ctx_.state.SourceInfos.append(source);
        QString bad;
        const std::optional<int> kbps = quality::TotalKbps(in, source, &bad);
        if (!kbps && sizeError.isEmpty())
            sizeError = quality::NotAnIntegerMessage(bad);
        auto* item = new QTreeWidgetItem(QStringList{row.caption, row.frameSize, source.DurationText,
                                                     kbps ? quality::EstimateOutputSize(*kbps, int(row.seconds)) : QString(),
                                                     StatusReady});
        if (ctx_.form.lvCheckBoxes) {
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(lvcol::Name, Qt::Checked);
        }
        items.append(item);
    }
    lv->addTopLevelItems(items);
    mirroring_ = false;
    if (!sizeError.isEmpty())
        ctx_.prompt.error(sizeError);
}

void DvdController::setChecks(const QVector<bool>& marks)
{
    if (!ctx_.form.lvCheckBoxes)
        return;
    mirroring_ = true;
    QTreeWidget* lv = ctx_.form.lv;
    for (int i = 0; i < lv->topLevelItemCount() && i < marks.size(); ++i)
        lv->topLevelItem(i)->setCheckState(lvcol::Name, marks[i] ? Qt::Checked : Qt::Unchecked);
    mirroring_ = false;
}

void DvdController::settle(const QVector<bool>& marks)
{
    setChecks(marks);
    QTreeWidget* lv = ctx_.form.lv;
    const int longest = dvd::LongestRow(list_);
    if (longest >= 0 && longest < lv->topLevelItemCount()) {
        mirroring_ = true;
        lv->clearSelection();
        lv->setCurrentItem(lv->topLevelItem(longest));
        lv->topLevelItem(longest)->setSelected(true);
        mirroring_ = false;
    }
    lvClick();
    lv->viewport()->update();
}

void DvdController::lvClick()
{
    QTreeWidget* lv = ctx_.form.lv;
    if (lv->topLevelItemCount() == 0 || ctx_.state.IsConverting || !ctx_.isDvdEdition())
        return;
    // Rows being removed: the tables catch up through RowsRemoved; until then they do not pair.
    if (lv->topLevelItemCount() != list_.rowCount())
        return;
    if (ctx_.form.lvCheckBoxes) {
        QVector<bool>& memory = list_.checks(ctx_.state.TitleMode);
        memory.resize(lv->topLevelItemCount());
        for (int i = 0; i < lv->topLevelItemCount(); ++i)
            memory[i] = lv->topLevelItem(i)->checkState(lvcol::Name) == Qt::Checked;
    }
    const int row = firstSelectedRow(ctx_.form);
    if (row >= 0)
        ShowRowStreams(row);
}

void DvdController::onItemChanged(int row)
{
    // A check mark changed by keyboard or mouse reaches the current mode's memory at once.
    if (mirroring_ || row < 0 || !ctx_.isDvdEdition() || !ctx_.form.lvCheckBoxes
        || ctx_.form.lv->topLevelItemCount() != list_.rowCount())
        return;
    QVector<bool>& memory = list_.checks(ctx_.state.TitleMode);
    if (memory.size() <= row)
        memory = dvd::CheckMarksFrom(memory, ctx_.form.lv->topLevelItemCount());
    memory[row] = ctx_.form.lv->topLevelItem(row)->checkState(lvcol::Name) == Qt::Checked;
}

void DvdController::ShowRowStreams(int row)
{
    const int t = dvd::TitleSetOfRow(list_, row);
    if (t < 0 || row >= list_.rowCount())
        return;
    const dvd::TIFOSelint& set = list_.TitleSets[t];
    QComboBox* audio = ctx_.form.cb_audio;
    QComboBox* subtitle = ctx_.form.cb_subtitle;
    audio->clear();
    audio->addItems(set.AudioDescs);
    audio->setCurrentIndex(list_.AudioChoice[row]);
    subtitle->clear();
    subtitle->addItem(NoSubtitle);
    subtitle->addItems(set.SubPicDescs);
    subtitle->setCurrentIndex(list_.SubtitleChoice[row]);
}

void DvdController::cb_audioChange(int index)
{
    rememberStream(index, ctx_.form.cb_audio, list_.AudioChoice, &dvd::TConvertInfo::AudioId);
}

void DvdController::cb_subtitleChange(int index)
{
    rememberStream(index, ctx_.form.cb_subtitle, list_.SubtitleChoice, &dvd::TConvertInfo::SubtitleId);
}

void DvdController::rememberStream(int index, const QComboBox* box, QVector<int>& choices,
                                   QString dvd::TConvertInfo::*streamId)
{
    const int r = firstSelectedRow(ctx_.form);
    if (r < 0 || r >= list_.rowCount())
        return;
    choices[r] = index;
    list_.DvdRowInfos[r].*streamId = dvd::StreamIdOf(box->currentText());
}

void DvdController::SetAllChecks(bool checked)
{
    QTreeWidget* lv = ctx_.form.lv;
    QVector<bool>& memory = list_.checks(ctx_.state.TitleMode);
    memory = dvd::CheckMarksFrom(memory, lv->topLevelItemCount());
    mirroring_ = true;
    for (int i = 0; i < lv->topLevelItemCount(); ++i) {
        if (ctx_.form.lvCheckBoxes)
            lv->topLevelItem(i)->setCheckState(lvcol::Name, checked ? Qt::Checked : Qt::Unchecked);
        memory[i] = checked;
    }
    mirroring_ = false;
}

void DvdController::RowsRemoved(const QList<int>& removedRows)
{
    list_.removeRows(removedRows, ctx_.state.TitleMode);
}

QString DvdController::PreviewReference(int row) const
{
    if (row < 0 || row >= list_.DvdRowInfos.size())
        return QString();
    return dvd::DvdReference(list_.DvdRowInfos[row], list_.DvdRowInfos[row].StartSector);
}

void DvdController::StartDvdJob()
{
    AppState& s = ctx_.state;
    QTreeWidget* lv = ctx_.form.lv;
    // Unchecked rows are skipped one after another; a loop does what the rule's recursion does.
    for (;;) {
        const int k = s.CurrentJobIndex;
        const int rows = lv->topLevelItemCount();
        if (k < 0 || k >= rows || k >= list_.rowCount()) {
            s.IsConverting = false;
            ctx_.form.ProgressBar1->hide();
            return;
        }
        markPreviousFinished(k);
        const bool checked = !ctx_.form.lvCheckBoxes || lv->topLevelItem(k)->checkState(lvcol::Name) == Qt::Checked;
        if (checked) {
            buildAndRunJob(k);
            return;
        }
        s.CurrentJobIndex = k + 1;
        if (s.CurrentJobIndex >= rows) {
            s.IsConverting = false;
            ctx_.form.ProgressBar1->hide();
            ctx_.conversion->PerformFinishAction();
            return;
        }
    }
}

void DvdController::markPreviousFinished(int row)
{
    if (row <= 0)
        return;
    QTreeWidgetItem* item = ctx_.form.lv->topLevelItem(row - 1);
    const QString status = item->text(lvcol::Status);
    // A skipped row still reads "Ready"; a failed one keeps saying so.
    if (status != StatusReady && status != StatusFailed)
        item->setText(lvcol::Status, StatusFinish);
}

void DvdController::buildAndRunJob(int k)
{
    AppState& s = ctx_.state;
    QTreeWidgetItem* item = ctx_.form.lv->topLevelItem(k);
    item->setToolTip(lvcol::Status, QString());  // a new run: an earlier failure's reason goes

    QString error;
    const std::optional<QString> folder = PrepareJobOutputFolder(ctx_, &error);
    if (!folder) {
        ctx_.conversion->FailCurrentJob(error);
        return;
    }
    if (k >= s.SourceInfos.size()) {
        ctx_.conversion->FailCurrentJob(QStringLiteral("The row has no source record"));
        return;
    }
    const dvd::TConvertInfo& row = list_.DvdRowInfos[k];
    const Toriginalinfo& source = s.SourceInfos[k];
    const std::optional<command::Pieces> pieces =
        command::BuildPieces(sources::CurrentQualityInputs(ctx_), source, s.CurrentJob.ProfileArgs, &error);
    if (!pieces) {
        ctx_.conversion->FailCurrentJob(error);
        return;
    }

    intputrec job = s.CurrentJob;  // keeps EncoderPath, WorkDir
    // The row's own start sector: a chapter converts its own part of the disc.
    job.InputPath = dvd::DvdReference(row, row.StartSector);
    job.DurationLimitArg = QStringLiteral(" -t ") + dvd::SecondsToHms(row.EndSecond - row.StartSecond);
    job.OutputPath = dvd::DvdOutputPath(*folder, item->text(lvcol::Name),
                                        catalogue::OutputExtension(s.ProfileDisplayName), command::PathTaken);
    command::ApplyPieces(*pieces, job);
    job.DurationSec = sources::ParseDurationText(source.DurationText);
    s.CurrentJob = job;
    ctx_.conversion->RunEncoderJob(s.CurrentJob);
    ctx_.form.Timer2->start();
}
