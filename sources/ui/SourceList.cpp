#include "sources/ui/SourceList.h"

#include "profiles/Catalogue.h"
#include "sources/EncoderProcess.h"
#include "sources/Filters.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>

#include <csignal>

namespace sources {

quality::Inputs CurrentQualityInputs(const MainContext& ctx)
{
    quality::Inputs in;
    in.ProfileId = ctx.state.ProfileId;
    in.IsDvdEdition = ctx.isDvdEdition();
    in.OutputExtension = catalogue::OutputExtension(ctx.state.ProfileDisplayName);
    in.VideoBitrateLevels = ctx.state.VideoBitrateLevels;
    in.boxes = snapshotOptionBoxes(ctx.form);
    return in;
}

} // namespace sources

namespace {

const QString ClearQuestion =
    QStringLiteral("Are you sure to remove all the files from filelist?\nNot delete from your computer.");

std::optional<QStringList> showOpenDialog(QWidget* parent, const QString& filter, bool showHidden)
{
    QFileDialog dialog(parent, QStringLiteral("Open"), QString(), filter);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    // Hidden files can only be offered by the toolkit's own dialog.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (showHidden)
        dialog.setFilter(dialog.filter() | QDir::Hidden);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedFiles();
}

// A path from the command line or a file manager, made absolute (the transcoder runs in the
// program directory, so a relative path would name another file there).
QString absolutePath(const QString& path)
{
    if (path.startsWith(QLatin1String("file:")))
        return QUrl(path).toLocalFile();
    return QFileInfo(path).absoluteFilePath();
}

QString joinPath(const QString& folder, const QString& name)
{
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

} // namespace

SourceList::SourceList(MainContext& ctx) : ctx_(ctx) {}

SourceList::~SourceList()
{
    if (probe_) {
        sources::SignalGroup(probe_->processId(), SIGKILL);
        probe_->kill();
    }
}

bool SourceList::Probe(const QString& path, sources::ProbeResult* result, QString* reason)
{
    sources::ProbeParser parser;
    QEventLoop loop;
    QTimer silence;
    silence.setSingleShot(true);
    silence.setInterval(ProbeSilenceLimitMs);
    QProcess process;
    sources::PrepareEncoderProcess(process, ctx_.programDir);
    QString failure;

    auto readOutput = [&] {
        while (process.bytesAvailable() > 0)
            parser.feed(process.read(2048));
    };
    connect(&process, &QProcess::readyReadStandardOutput, &loop, [&] {
        readOutput();
        silence.start();
    });
    connect(&process, &QProcess::finished, &loop, [&](int, QProcess::ExitStatus status) {
        readOutput();
        if (status == QProcess::CrashExit && failure.isEmpty())
            failure = QStringLiteral("the converter engine ended abnormally");
        probeRunning_ = false;
        loop.quit();
    });
    connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        failure = QStringLiteral("the converter engine could not be started (%1)").arg(process.errorString());
        probeRunning_ = false;
        loop.quit();
    });
    connect(&silence, &QTimer::timeout, &loop, [&] {
        failure = QStringLiteral("the converter engine did not answer");
        sources::SignalGroup(process.processId(), SIGKILL);
        process.kill();
    });

    probeRunning_ = true;
    probe_ = &process;
    process.start(ctx_.state.CurrentJob.EncoderPath, {QStringLiteral("-i"), path});
    silence.start();
    if (probeRunning_)
        loop.exec();
    const bool quitting = probeRunning_;  // the loop was ended from outside: the program quits
    silence.stop();
    process.disconnect();
    probe_ = nullptr;
    if (quitting) {
        aborted_ = true;
        sources::SignalGroup(process.processId(), SIGKILL);
        process.kill();
        process.waitForFinished(1000);
        probeRunning_ = false;
        return false;
    }
    *result = parser.result();
    if (!failure.isEmpty()) {
        *reason = failure;
        return false;
    }
    const QString said = parser.lastLine();
    *reason = said.isEmpty() ? QStringLiteral("no video or audio the converter could read") : said;
    return true;
}

bool SourceList::AddSourceFile(const QString& path)
{
    if (probeRunning_)
        return false;  // one probe at a time
    sources::ProbeResult probe;
    QString reason;
    const bool ran = Probe(path, &probe, &reason);
    if (aborted_)
        return false;
    const std::optional<Toriginalinfo> info = ran ? sources::CompleteProbe(path, probe) : std::nullopt;
    if (!info) {
        failures_.append({path, reason});
        return false;
    }

    QTreeWidget* lv = ctx_.form.lv;
    auto* item = new QTreeWidgetItem(QStringList{sources::CaptionOf(path), info->FrameSize, info->DurationText,
                                                 QString(), QStringLiteral("Status")});
    lv->addTopLevelItem(item);
    const int row = lv->topLevelItemCount() - 1;
    ctx_.state.SourceInfos.resize(lv->topLevelItemCount());
    ctx_.state.SourceInfos[row] = *info;

    QString error;
    if (const std::optional<QString> size = OutputSizeText(sources::CurrentQualityInputs(ctx_), row, &error))
        item->setText(lvcol::OutputSize, *size);
    else
        ctx_.prompt.error(error);
    return true;
}

std::optional<QString> SourceList::OutputSizeText(const quality::Inputs& in, int row, QString* error) const
{
    const Toriginalinfo& source = ctx_.state.SourceInfos[row];
    QString bad;
    const std::optional<int> kbps = quality::TotalKbps(in, source, &bad);
    if (!kbps) {
        *error = quality::NotAnIntegerMessage(bad);
        return std::nullopt;
    }
    return quality::EstimateOutputSize(*kbps, sources::ParseDurationText(source.DurationText));
}

bool SourceList::MayAdd()
{
    if (RefusedWhileBusy(ctx_, {Busy::Converting}))
        return false;
    if (probeRunning_ || aborted_)
        return false;  // the add command already running finishes first
    if (!sources::EncoderUsable(ctx_.state.CurrentJob.EncoderPath)) {
        ctx_.prompt.error(sources::EncoderUnavailableText(ctx_.state.CurrentJob.EncoderPath));
        return false;
    }
    return true;
}

void SourceList::AddSourceFiles()
{
    if (!MayAdd()) {
        SelectFirstRowIfNone();
        return;
    }
    const bool single = ctx_.state.SingleFormatMode;
    const QString filter = sources::ToQtFilter(single ? sources::OpenDialog1Filter : ctx_.state.EditionFilter);
    const std::optional<QStringList> chosen =
        openDialogHook_ ? openDialogHook_(filter, single) : showOpenDialog(ctx_.form.window, filter, single);
    if (chosen) {
        ctx_.form.lv->show();
        for (const QString& file : *chosen) {
            if (aborted_)
                break;
            AddSourceFile(absolutePath(file));
        }
    }
    SelectFirstRowIfNone();
    ReportFailures();
}

void SourceList::AddSourceFolder()
{
    if (!MayAdd())
        return;
    ctx_.dialogs->ChooseFolder(QStringLiteral("File Directory"));
    if (ctx_.state.ChosenFolder.isEmpty())
        return;
    AddFolderEntries(absolutePath(ctx_.state.ChosenFolder));
    ReportFailures();
}

void SourceList::AddFolderEntries(const QString& folder)
{
    ctx_.form.lv->show();
    const QDir dir(folder);
    if (!dir.isReadable()) {
        failures_.append({folder, QStringLiteral("the folder cannot be read")});
        SelectFirstRowIfNone();
        return;
    }
    const QStringList entries = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                              QDir::Name | QDir::IgnoreCase);
    for (const QString& name : entries) {
        if (!sources::TakeFolderEntry(name, ctx_.state.SingleFormatMode, ctx_.state.EditionFilter))
            continue;
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        if (aborted_)
            break;
        AddSourceFile(joinPath(folder, name));
    }
    SelectFirstRowIfNone();
}

void SourceList::AddPaths(const QStringList& paths)
{
    if (paths.isEmpty())
        return;
    if (ctx_.isDvdEdition()) {
        // The DVD edition lists discs: a folder (or the folder of an IFO file) is opened as a DVD.
        for (const QString& p : paths) {
            const QFileInfo info(absolutePath(p));
            if (info.isDir())
                ctx_.dvd->OpenFolderAsDvd(info.absoluteFilePath());
            else if (info.suffix().compare(QLatin1String("ifo"), Qt::CaseInsensitive) == 0)
                ctx_.dvd->OpenFolderAsDvd(info.absolutePath());
            else
                failures_.append({info.absoluteFilePath(), QStringLiteral("only DVD folders can be opened here")});
        }
        ReportFailures();
        return;
    }
    if (!MayAdd())
        return;
    for (const QString& p : paths) {
        if (aborted_)
            break;
        const QString path = absolutePath(p);
        if (QFileInfo(path).isDir()) {
            AddFolderEntries(path);
        } else {
            ctx_.form.lv->show();
            AddSourceFile(path);
        }
    }
    SelectFirstRowIfNone();
    ReportFailures();
}

bool SourceList::MayChangeList()
{
    return !RefusedWhileBusy(ctx_, {Busy::Playing, Busy::Converting});
}

void SourceList::RemoveSelectedSources()
{
    if (!MayChangeList())
        return;
    QTreeWidget* lv = ctx_.form.lv;
    QList<int> removed;  // indexes as they were before the command
    int lastDeleted = -1;
    int original = 0;
    for (int i = 0; i < lv->topLevelItemCount(); ++original) {
        if (!lv->topLevelItem(i)->isSelected()) {
            ++i;
            continue;
        }
        delete lv->takeTopLevelItem(i);
        if (i < ctx_.state.SourceInfos.size())
            ctx_.state.SourceInfos.removeAt(i);
        removed.append(original);
        lastDeleted = i;
    }
    if (removed.isEmpty())
        return;
    if (ctx_.isDvdEdition() && ctx_.dvd)
        ctx_.dvd->RowsRemoved(removed);
    const int rows = lv->topLevelItemCount();
    if (rows > 0)
        lv->setCurrentItem(lv->topLevelItem(std::min(lastDeleted, rows - 1)));
}

void SourceList::ClearSources()
{
    if (!MayChangeList())
        return;
    QTreeWidget* lv = ctx_.form.lv;
    const int rows = lv->topLevelItemCount();
    if (rows == 0 || !ctx_.prompt.confirm(PromptIcon::Question, ClearQuestion))
        return;
    if (ctx_.isDvdEdition() && ctx_.dvd) {
        QList<int> all;
        for (int i = 0; i < rows; ++i)
            all.append(i);
        ctx_.dvd->RowsRemoved(all);
    }
    lv->clear();
    ctx_.state.SourceInfos.clear();
}

void SourceList::RefreshOutputSizes()
{
    QTreeWidget* lv = ctx_.form.lv;
    const int rows = std::min<int>(lv->topLevelItemCount(), ctx_.state.SourceInfos.size());
    if (rows == 0)
        return;
    const quality::Inputs in = sources::CurrentQualityInputs(ctx_);
    for (int r = 0; r < rows; ++r) {
        QString error;
        const std::optional<QString> size = OutputSizeText(in, r, &error);
        if (!size) {
            ctx_.prompt.error(error);
            return;
        }
        lv->topLevelItem(r)->setText(lvcol::OutputSize, *size);
    }
}

void SourceList::SelectFirstRowIfNone()
{
    QTreeWidget* lv = ctx_.form.lv;
    if (lv->topLevelItemCount() > 0 && lv->selectedItems().isEmpty())
        lv->setCurrentItem(lv->topLevelItem(0));
}

void SourceList::ReportFailures()
{
    if (failures_.isEmpty() || aborted_)
        return;
    constexpr int shown = 20;
    QStringList lines{QStringLiteral("These files could not be added:")};
    for (int i = 0; i < failures_.size() && i < shown; ++i)
        lines.append(failures_[i].path + QStringLiteral(" (") + failures_[i].reason + u')');
    if (failures_.size() > shown)
        lines.append(QStringLiteral("and %1 more.").arg(failures_.size() - shown));
    failures_.clear();
    ctx_.prompt.inform(lines.join(u'\n'));
}
