// ConversionController: the convert and stop commands, the file job starter and the runner that
// drives one transcoder process at a time. Process signals arrive on the GUI thread; every job
// has its own process object and number, so output or an exit of an earlier job (a stopped one
// still ending, or late output) never moves the job now running. A job whose transcoder exits
// with an error, crashes or cannot start reads "Failed" (its tooltip tells why) and the batch
// goes on.
#pragma once

#include "convert/Progress.h"
#include "ui/MainContext.h"

#include <QObject>
#include <QProcess>

#include <memory>

class ConversionController : public QObject, public ConversionPort {
    Q_OBJECT
public:
    explicit ConversionController(MainContext& ctx);
    ~ConversionController() override;

    void StartConversion() override;
    void StopConversion() override;
    void RunEncoderJob(const intputrec& job) override;
    void FailCurrentJob(const QString& reason) override;
    void PerformFinishAction() override;
    void Shutdown() override;

    // Builds CurrentJob for the row CurrentJobIndex and runs it.
    void StartFileJob();
    // Moves ProgressBar1 and the row's percentage (ProgressBase is added unless Timer2 runs).
    void ShowProgress(int value);
    // The pre-roll tick of Timer2: ProgressBase creeps by one unit a second.
    void Timer2Timer();

    int ProgressBase() const { return progressBase_; }
    // Command line of the last job started (the text form, for logs and tests).
    const QString& LastCommandLine() const { return lastCommandLine_; }

    // Time a stopped transcoder gets to end itself (and remove its partial output) before it
    // and its process group are killed.
    static constexpr int StopGraceMs = 3000;

    static inline const QString StatusFinish = QStringLiteral("Finish");
    static inline const QString StatusStop = QStringLiteral("Stop");
    static inline const QString StatusFailed = QStringLiteral("Failed");
    static inline const QString StatusConverting = QStringLiteral("Converting");

private:
    struct Job {
        quint64 id = 0;
        QProcess* process = nullptr;
        qint64 pid = 0;
        qint32 durationSec = 0;
        progress::ProgressFeed feed;
    };

    void onOutput(quint64 id);
    void onFinished(quint64 id, int exitCode, QProcess::ExitStatus status);
    void onStartFailed(quint64 id);
    // The current job's process has ended (or it never ran): advance to the next row or end the batch.
    void FinishJob(bool failed, const QString& reason);
    void failLater(const QString& reason);
    void setRowStatus(int row, const QString& text, const QString& tooltip = QString());
    int rowCount() const;
    void terminate(Job& job);
    void waitForStopping(int graceMs);

    MainContext& ctx_;
    int progressBase_ = 0;
    quint64 nextId_ = 1;
    std::unique_ptr<Job> current_;
    std::vector<std::unique_ptr<Job>> stopping_;  // stopped, still ending
    QString lastCommandLine_;
};
