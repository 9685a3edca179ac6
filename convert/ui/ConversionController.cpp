#include "convert/ui/ConversionController.h"

#include "convert/CommandBuilder.h"
#include "convert/ui/JobOutputFolder.h"
#include "platform/Shell.h"
#include "sources/EncoderProcess.h"
#include "sources/ui/SourceList.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProgressBar>
#include <QTimer>
#include <QTreeWidget>

#include <csignal>

namespace {

// Under VC_COMMAND_LOG every job's command line is appended to that file.
void logCommandLine(const QString& line)
{
    const QString log = qEnvironmentVariable("VC_COMMAND_LOG");
    if (log.isEmpty())
        return;
    QFile f(log);
    if (f.open(QIODevice::Append))
        f.write(line.toUtf8() + '\n');
}

} // namespace

ConversionController::ConversionController(MainContext& ctx) : ctx_(ctx)
{
    connect(ctx_.form.Timer2, &QTimer::timeout, this, &ConversionController::Timer2Timer);
}

ConversionController::~ConversionController()
{
    Shutdown();
}

int ConversionController::rowCount() const
{
    return ctx_.form.lv->topLevelItemCount();
}

void ConversionController::setRowStatus(int row, const QString& text, const QString& tooltip)
{
    if (row < 0 || row >= rowCount())
        return;
    QTreeWidgetItem* item = ctx_.form.lv->topLevelItem(row);
    item->setText(lvcol::Status, text);
    if (item->toolTip(lvcol::Status) != tooltip)
        item->setToolTip(lvcol::Status, tooltip);
}

void ConversionController::StartConversion()
{
    AppState& s = ctx_.state;
    if (RefusedWhileBusy(ctx_, {Busy::Playing, Busy::Converting}))
        return;
    if (rowCount() == 0)
        return;
    if (!sources::EncoderUsable(s.CurrentJob.EncoderPath)) {
        ctx_.prompt.error(sources::EncoderUnavailableText(s.CurrentJob.EncoderPath));
        return;
    }
    // A transcoder stopped a moment ago may still be removing its output: let it finish first,
    // so it cannot take a file of this batch with it.
    waitForStopping(StopGraceMs);
    s.CurrentJobIndex = 0;
    progressBase_ = 0;
    ctx_.form.ProgressBar1->show();
    s.IsConverting = true;
    if (ctx_.isDvdEdition())
        ctx_.dvd->StartDvdJob();
    else
        StartFileJob();
}

void ConversionController::StartFileJob()
{
    AppState& s = ctx_.state;
    const int k = s.CurrentJobIndex;
    if (k > 0)
        setRowStatus(k - 1, StatusFinish);
    if (k < rowCount())  // a new run of the row: the tooltip of an earlier failure goes
        setRowStatus(k, ctx_.form.lv->topLevelItem(k)->text(lvcol::Status));

    QString error;
    const std::optional<QString> folder = PrepareJobOutputFolder(ctx_, &error);
    if (!folder) {
        FailCurrentJob(error);
        return;
    }
    if (k >= s.SourceInfos.size()) {
        FailCurrentJob(QStringLiteral("The row has no source record"));
        return;
    }
    const Toriginalinfo& source = s.SourceInfos[k];
    if (!QFileInfo::exists(source.SourcePath)) {
        FailCurrentJob(QStringLiteral("The source file no longer exists: %1").arg(source.SourcePath));
        return;
    }
    command::FileJobInputs in;
    in.quality = sources::CurrentQualityInputs(ctx_);
    in.source = source;
    in.caption = ctx_.form.lv->topLevelItem(k)->text(lvcol::Name);
    in.profileArgs = s.CurrentJob.ProfileArgs;
    in.encoderPath = s.CurrentJob.EncoderPath;
    in.workDir = s.CurrentJob.WorkDir;
    in.outputFolder = *folder;
    const std::optional<intputrec> job = command::BuildFileJob(in, &error);
    if (!job) {
        FailCurrentJob(error);
        return;
    }
    s.CurrentJob = *job;
    RunEncoderJob(s.CurrentJob);
}

void ConversionController::RunEncoderJob(const intputrec& record)
{
    const intputrec job = record;  // CurrentJob is rewritten by the next start
    current_ = std::make_unique<Job>();
    current_->id = nextId_++;
    current_->durationSec = job.DurationSec;
    const quint64 id = current_->id;

    lastCommandLine_ = command::CommandLineText(job);
    logCommandLine(lastCommandLine_);
    if (job.DurationSec <= 0)
        setRowStatus(ctx_.state.CurrentJobIndex, StatusConverting);

    auto* process = new QProcess(this);
    current_->process = process;
    sources::PrepareEncoderProcess(*process, job.WorkDir);
    connect(process, &QProcess::readyReadStandardOutput, this, [this, id] { onOutput(id); });
    connect(process, &QProcess::finished, this,
            [this, id](int code, QProcess::ExitStatus status) { onFinished(id, code, status); });
    // Queued: a start failure may be reported from inside start(), before this call returns.
    connect(process, &QProcess::errorOccurred, this, [this, id](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            QMetaObject::invokeMethod(this, [this, id] { onStartFailed(id); }, Qt::QueuedConnection);
    });
    ctx_.state.EncoderProcessHandle = process;
    process->start(job.EncoderPath, command::ArgumentList(job));
    current_->pid = process->processId();
}

void ConversionController::onOutput(quint64 id)
{
    if (!current_ || current_->id != id)
        return;
    QProcess* process = current_->process;
    // The reader's chunks: whatever arrived, 256 bytes at a time.
    while (current_ && current_->id == id && process->bytesAvailable() > 0) {
        const std::optional<qint64> seconds = current_->feed.feed(process->read(256));
        if (!seconds)
            continue;
        if (ctx_.form.Timer2->isActive())
            ctx_.form.Timer2->stop();
        if (current_->durationSec > 0)
            ShowProgress(progress::ProgressUnits(*seconds, progressBase_, current_->durationSec));
        else  // no length known: tell how far it got, never a made-up percentage
            setRowStatus(ctx_.state.CurrentJobIndex, StatusConverting + u' ' + progress::ClockText(*seconds));
    }
}

void ConversionController::onFinished(quint64 id, int exitCode, QProcess::ExitStatus status)
{
    if (!current_ || current_->id != id)
        return;
    onOutput(id);  // what the process wrote last
    QProcess* process = current_->process;
    process->disconnect(this);
    process->deleteLater();
    QString reason;
    const bool failed = status != QProcess::NormalExit || exitCode != 0;
    if (failed) {
        reason = current_->feed.lastMessage();
        if (reason.isEmpty())
            reason = status != QProcess::NormalExit ? QStringLiteral("The converter engine ended abnormally")
                                                    : QStringLiteral("The converter engine failed (exit code %1)").arg(exitCode);
    }
    current_.reset();
    FinishJob(failed, reason);
}

void ConversionController::onStartFailed(quint64 id)
{
    if (!current_ || current_->id != id)
        return;
    QProcess* process = current_->process;
    const QString reason = QStringLiteral("The converter engine could not be started: %1").arg(process->errorString());
    process->disconnect(this);
    process->deleteLater();
    current_.reset();
    FinishJob(true, reason);
}

void ConversionController::FailCurrentJob(const QString& reason)
{
    setRowStatus(ctx_.state.CurrentJobIndex, StatusFailed, reason);
    failLater(reason);
}

void ConversionController::failLater(const QString& reason)
{
    // A job without a process still ends through FinishJob, from the event loop, so a long run of
    // failing rows neither nests calls nor blocks the window, and a stop in between wins.
    current_ = std::make_unique<Job>();
    current_->id = nextId_++;
    const quint64 id = current_->id;
    QTimer::singleShot(0, this, [this, id, reason] {
        if (!current_ || current_->id != id)
            return;
        current_.reset();
        FinishJob(true, reason);
    });
}

void ConversionController::FinishJob(bool failed, const QString& reason)
{
    AppState& s = ctx_.state;
    s.EncoderProcessHandle = nullptr;
    if (ctx_.form.Timer2->isActive())
        ctx_.form.Timer2->stop();
    ShowProgress(0);
    const int failedRow = failed ? s.CurrentJobIndex : -1;
    s.CurrentJobIndex += 1;
    // Whatever the steps below write into the finished row, a failure is what it shows.
    auto markFailure = [&] {
        if (failedRow >= 0)
            setRowStatus(failedRow, StatusFailed, reason);
    };
    if (s.CurrentJobIndex < rowCount()) {
        if (ctx_.isDvdEdition())
            ctx_.dvd->StartDvdJob();
        else
            StartFileJob();
        markFailure();
        return;
    }
    s.IsConverting = false;
    if (s.CurrentJobIndex > rowCount()) {
        markFailure();
        return;
    }
    setRowStatus(rowCount() - 1, StatusFinish);
    markFailure();
    ctx_.form.ProgressBar1->hide();
    PerformFinishAction();
}

void ConversionController::ShowProgress(int value)
{
    if (!ctx_.form.Timer2->isActive())
        value += progressBase_;
    // The transcoder's clock may run past the probed length: the bar never shows more than all.
    value = std::clamp(value, 0, 10000);
    ctx_.form.ProgressBar1->setValue(value);
    const int row = ctx_.state.CurrentJobIndex;
    if (row >= 0 && row < rowCount())
        setRowStatus(row, progress::ProgressText(value));
}

void ConversionController::Timer2Timer()
{
    progressBase_ += 1;
    ShowProgress(progressBase_);
}

void ConversionController::PerformFinishAction()
{
    switch (ctx_.state.FinishAction) {
    case 1: shell::openFolder(ctx_.state.OutputFolder); break;
    case 2: shell::powerOff(); break;
    default: break;
    }
}

void ConversionController::StopConversion()
{
    AppState& s = ctx_.state;
    if (!s.IsConverting)
        return;
    if (current_ && current_->process) {
        terminate(*current_);
        stopping_.push_back(std::move(current_));
    }
    current_.reset();  // a queued end of a job without a process no longer counts
    s.EncoderProcessHandle = nullptr;
    setRowStatus(s.CurrentJobIndex, StatusStop);
    ctx_.form.ProgressBar1->hide();
    s.CurrentJobIndex = rowCount() + 1;
    s.IsConverting = false;
    if (ctx_.form.Timer2->isActive())
        ctx_.form.Timer2->stop();
}

void ConversionController::terminate(Job& job)
{
    QProcess* process = job.process;
    process->disconnect(this);
    const qint64 pid = job.pid;
    Job* raw = &job;
    // The transcoder ends its own work on SIGTERM; whatever is left after the grace period is
    // killed with its whole process group.
    connect(process, &QProcess::finished, this, [this, raw, pid] {
        sources::SignalGroup(pid, SIGKILL);
        for (auto it = stopping_.begin(); it != stopping_.end(); ++it) {
            if (it->get() == raw) {
                (*it)->process->deleteLater();
                stopping_.erase(it);
                break;
            }
        }
    });
    QTimer::singleShot(StopGraceMs, process, [process, pid] {
        if (process->state() != QProcess::NotRunning) {
            sources::SignalGroup(pid, SIGKILL);
            process->kill();
        }
    });
    if (process->state() != QProcess::NotRunning)
        process->terminate();
}

void ConversionController::waitForStopping(int graceMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!stopping_.empty()) {
        QProcess* process = stopping_.front()->process;
        const qint64 pid = stopping_.front()->pid;
        const int left = std::max<qint64>(0, graceMs - clock.elapsed());
        if (process->state() != QProcess::NotRunning && !process->waitForFinished(left)) {
            sources::SignalGroup(pid, SIGKILL);
            process->kill();
            process->waitForFinished(1000);
        }
        sources::SignalGroup(pid, SIGKILL);
        if (!stopping_.empty() && stopping_.front()->process == process) {
            process->disconnect(this);
            process->deleteLater();
            stopping_.erase(stopping_.begin());
        }
    }
}

void ConversionController::Shutdown()
{
    if (current_ && current_->process) {
        terminate(*current_);
        stopping_.push_back(std::move(current_));
    }
    current_.reset();
    waitForStopping(StopGraceMs);
    ctx_.state.EncoderProcessHandle = nullptr;
    ctx_.state.IsConverting = false;
}
