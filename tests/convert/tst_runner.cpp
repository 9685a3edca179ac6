// The convert and stop commands and the runner on real controls, driving the scripted stand-in
// transcoder: progress, chaining, failures, stop, pre-roll, late output, the finish action.
#include "convert/CommandBuilder.h"
#include "convert/ui/ConversionController.h"
#include "sources/EncoderProcess.h"
#include "platform/ProgramPaths.h"
#include "tests/convert/StandIn.h"
#include "tests/support/TestMain.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QRegularExpression>
#include <QTimer>

namespace {

QStringList shellActions()
{
    QFile f(vctest::shellLog());
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

// A DVD job starter as the DVD edition has one: it builds a job for the row and runs it.
struct DvdJobs : standin::FakeDvd {
    ConversionPort* conversion = nullptr;
    AppState* state = nullptr;
    QString out;
    void StartDvdJob() override
    {
        ++startDvdJobs;
        intputrec job = state->CurrentJob;
        job.InputPath = QStringLiteral("vts://01*0*100*128*0*/dvd");
        job.OutputPath = out + QStringLiteral("Title_%1.avi").arg(state->CurrentJobIndex);
        job.DurationSec = 10;
        job.DurationLimitArg = QStringLiteral(" -t 00:00:10");
        conversion->RunEncoderJob(job);
    }
};

} // namespace

class TestRunner : public QObject {
    Q_OBJECT

    std::unique_ptr<standin::Program> program;
    std::unique_ptr<standin::Window> win;
    std::unique_ptr<ConversionController> conv;
    QString out;
    QMap<int, QStringList> statuses;  // every text each row's status showed

    QString source(const QString& name)
    {
        const QString path = program->root() + QStringLiteral("media/") + name;
        QDir().mkpath(program->root() + QStringLiteral("media"));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        return path;
    }

    void addRow(const QString& name, const QString& duration = QStringLiteral("00:00:10"))
    {
        win->addRow({source(name), QStringLiteral("640x480"), duration, QStringLiteral("800"), QStringLiteral("128")},
                    name.left(name.lastIndexOf(u'.')));
    }

    void makeWindow(const QString& exe = QStringLiteral("Video Converter"))
    {
        conv.reset();
        win = std::make_unique<standin::Window>(program->programDir(), exe);
        win->useProfile(7, {QStringLiteral("320x240"), QStringLiteral("640x480"), command::OriginalSizeItem}, 0, 2, 2,
                        QStringLiteral("-vcodec wmv2 -acodec wmav2"));
        win->form.ed_output->setText(out);
        conv = std::make_unique<ConversionController>(*win->ctx);
        win->ctx->conversion = conv.get();
        statuses.clear();
        connect(win->form.lv, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
            if (column == lvcol::Status)
                statuses[win->form.lv->indexOfTopLevelItem(item)].append(item->text(lvcol::Status));
        });
    }

    bool waitIdle(int ms = 10000)
    {
        QElapsedTimer t;
        t.start();
        while (win->state.IsConverting && t.elapsed() < ms)
            QTest::qWait(10);
        return !win->state.IsConverting;
    }

private slots:
    void init()
    {
        program = std::make_unique<standin::Program>();
        out = program->root() + QStringLiteral("out");
        QFile::remove(vctest::shellLog());
        makeWindow();
    }

    void cleanup()
    {
        conv.reset();
        win.reset();
        program.reset();
    }

    void progressAndFinish()
    {
        // A progress line cut across two writes, then whole ones.
        program->jobScript(QStringLiteral("default"), QStringLiteral("say frame= 50 fps= 25 time=2.0\nsleep 50\nsay 0 bitrate= 1.0\\r\nsleep 50\n"
                                                                     "progress 3 5 60\noutput\nexit 0\n"));
        addRow(QStringLiteral("a.avi"));
        win->state.FinishAction = 1;
        conv->StartConversion();
        QVERIFY(win->state.IsConverting);
        QVERIFY(!win->form.ProgressBar1->isHidden());
        QVERIFY(waitIdle());
        // Lines that arrive together count as their first one, so a busy machine may skip some.
        const QStringList expected{"20.00%", "30.00%", "40.00%", "50.00%", "00.00%", "Finish"};
        QCOMPARE(statuses[0].first(), expected.first());
        QCOMPARE(statuses[0].last(), expected.last());
        for (qsizetype i = 1, at = 0; i < statuses[0].size(); ++i) {
            const qsizetype next = expected.indexOf(statuses[0][i], at + 1);
            QVERIFY2(next > at, qPrintable(statuses[0].join(u' ')));
            at = next;
        }
        QCOMPARE(win->status(0), QStringLiteral("Finish"));
        QVERIFY(win->form.ProgressBar1->isHidden());
        QCOMPARE(win->state.CurrentJobIndex, 1);
        QVERIFY(QFileInfo::exists(out + QStringLiteral("/a.wmv")));
        QCOMPARE(shellActions(), QStringList{QStringLiteral("open-folder\t") + out + u'/'});
        QCOMPARE(win->state.OutputFolder, out + u'/');
    }

    void chainsJobsAndNamesOutputs()
    {
        program->jobScript(QStringLiteral("default"), QStringLiteral("progress 1 2 5\noutput\n"));
        addRow(QStringLiteral("a.avi"));
        addRow(QStringLiteral("a.mpg"));
        addRow(QStringLiteral("b c.mov"));
        qputenv("VC_COMMAND_LOG", (program->root() + QStringLiteral("commands.log")).toUtf8());
        conv->StartConversion();
        QVERIFY(waitIdle());
        qunsetenv("VC_COMMAND_LOG");
        QCOMPARE(win->status(0), QStringLiteral("Finish"));
        QCOMPARE(win->status(1), QStringLiteral("Finish"));
        QCOMPARE(win->status(2), QStringLiteral("Finish"));
        const QList<standin::Call> calls = program->calls();
        QCOMPARE(calls.size(), 3);
        QCOMPARE(calls[0].args.mid(0, 3), (QStringList{"-y", "-i", win->state.SourceInfos[0].SourcePath}));
        QCOMPARE(calls[0].args.last(), out + QStringLiteral("/a.wmv"));
        QCOMPARE(calls[1].args.last(), out + QStringLiteral("/a_1.wmv"));
        QCOMPARE(calls[2].args.last(), out + QStringLiteral("/b c.wmv"));
        QCOMPARE(calls[2].args.mid(3, 11), (QStringList{"-r", "25", "-b", "799000", "-ab", "128000", "-ac", "2", "-aspect",
                                                        "1.3333", "-s"}));
        QFile log(program->root() + QStringLiteral("commands.log"));
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(log.readAll()).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[2], conv->LastCommandLine());
        QVERIFY(lines[2].endsWith(QStringLiteral(" \"") + out + QStringLiteral("/b c.wmv\"")));
        QVERIFY(shellActions().isEmpty());  // FinishAction 0
    }

    void failuresAreNotReportedAsSuccess()
    {
        program->jobScript(QStringLiteral("a.avi"), QStringLiteral("progress 1 1 0\ncrash\n"));
        program->jobScript(QStringLiteral("b.avi"), QStringLiteral("say b.avi: Invalid data found when processing input\\r\\n\nexit 1\n"));
        program->jobScript(QStringLiteral("c.avi"), QStringLiteral("progress 1 2 0\nsay garbage \\0 more\\r\\n\nexit 0\n"));
        program->jobScript(QStringLiteral("d.avi"), QStringLiteral("exit 0\n"));
        for (const char* n : {"a.avi", "b.avi", "c.avi", "d.avi"})
            addRow(QString::fromLatin1(n));
        QFile::remove(win->state.SourceInfos[3].SourcePath);  // deleted after it was added
        win->state.FinishAction = 1;
        conv->StartConversion();
        QVERIFY(waitIdle());
        QCOMPARE(win->status(0), QStringLiteral("Failed"));
        QCOMPARE(win->tooltip(0), QStringLiteral("The converter engine ended abnormally"));
        QCOMPARE(win->status(1), QStringLiteral("Failed"));
        QCOMPARE(win->tooltip(1), QStringLiteral("b.avi: Invalid data found when processing input"));
        QCOMPARE(win->status(2), QStringLiteral("Finish"));
        QVERIFY(win->tooltip(2).isEmpty());
        QCOMPARE(win->status(3), QStringLiteral("Failed"));
        QVERIFY(win->tooltip(3).contains(QLatin1String("no longer exists")));
        QCOMPARE(program->calls().size(), 3);
        QCOMPARE(shellActions().size(), 1);  // the finish action still runs, once

        // A second batch starts afresh: the old tooltips go.
        program->jobScript(QStringLiteral("b.avi"), QStringLiteral("exit 0\n"));
        conv->StartConversion();
        QVERIFY(waitIdle());
        QCOMPARE(win->status(1), QStringLiteral("Finish"));
        QVERIFY(win->tooltip(1).isEmpty());
    }

    void unusableOutputFolderFailsEachRow()
    {
        addRow(QStringLiteral("a.avi"));
        addRow(QStringLiteral("b.avi"));
        win->form.ed_output->setText(program->root() + QStringLiteral("no/such/folder"));
        win->state.FinishAction = 1;
        conv->StartConversion();
        QVERIFY(waitIdle());
        QCOMPARE(win->status(0), QStringLiteral("Failed"));
        QCOMPARE(win->status(1), QStringLiteral("Failed"));
        QVERIFY(win->tooltip(1).startsWith(QLatin1String("Cannot create the output folder")));
        QVERIFY(program->calls().isEmpty());
        QCOMPARE(shellActions().size(), 1);
    }

    void stopDuringTheSecondOfThree()
    {
        program->jobScript(QStringLiteral("b.avi"), QStringLiteral("progress 1 1 0\nchild\nstall\n"));
        program->jobScript(QStringLiteral("default"), QStringLiteral("progress 1 3 0\n"));
        addRow(QStringLiteral("a.avi"));
        addRow(QStringLiteral("b.avi"));
        addRow(QStringLiteral("c.avi"));
        win->state.FinishAction = 1;
        conv->StartConversion();
        QTRY_COMPARE_WITH_TIMEOUT(program->children().size(), 1, 10000);
        QTRY_COMPARE(win->status(1), QStringLiteral("10.00%"));
        const qint64 pid = program->calls().at(1).pid;
        const qint64 child = program->children().at(0);
        QVERIFY(standin::alive(pid));
        conv->StopConversion();
        QVERIFY(!win->state.IsConverting);  // at once
        QCOMPARE(win->status(0), QStringLiteral("Finish"));
        QCOMPARE(win->status(1), QStringLiteral("Stop"));
        QCOMPARE(win->status(2), QStringLiteral("Status"));
        QVERIFY(win->form.ProgressBar1->isHidden());
        QCOMPARE(win->state.CurrentJobIndex, 4);
        QTRY_VERIFY_WITH_TIMEOUT(!standin::alive(pid) && !standin::alive(child), 5000);
        QTest::qWait(100);
        QCOMPARE(win->status(1), QStringLiteral("Stop"));
        QCOMPARE(win->status(2), QStringLiteral("Status"));
        QCOMPARE(program->calls().size(), 2);
        QVERIFY(shellActions().isEmpty());
        conv->StopConversion();  // nothing runs: nothing happens
        QCOMPARE(win->status(1), QStringLiteral("Stop"));
    }

    void stopKillsATranscoderThatIgnoresIt()
    {
        program->jobScript(QStringLiteral("default"), QStringLiteral("ignore-term\nchild\nstall\n"));
        addRow(QStringLiteral("a.avi"));
        conv->StartConversion();
        QTRY_COMPARE_WITH_TIMEOUT(program->children().size(), 1, 10000);
        const qint64 pid = program->calls().at(0).pid;
        const qint64 child = program->children().at(0);
        conv->StopConversion();
        QTest::qWait(ConversionController::StopGraceMs / 2);
        QVERIFY(standin::alive(pid));  // still in its grace period
        QTRY_VERIFY_WITH_TIMEOUT(!standin::alive(pid) && !standin::alive(child), ConversionController::StopGraceMs + 3000);

        // A new batch right after a stop waits for the stopped transcoder first.
        program->clearCalls();
        conv->StartConversion();
        QTRY_COMPARE_WITH_TIMEOUT(program->children().size(), 1, 10000);
        const qint64 pid2 = program->calls().at(0).pid;
        conv->StopConversion();
        program->jobScript(QStringLiteral("default"), QStringLiteral("exit 0\n"));
        conv->StartConversion();
        QVERIFY(!standin::alive(pid2));
        QVERIFY(waitIdle());
        QCOMPARE(win->status(0), QStringLiteral("Finish"));
    }

    void shutdownLeavesNoTranscoder()
    {
        program->jobScript(QStringLiteral("default"), QStringLiteral("child\nstall\n"));
        addRow(QStringLiteral("a.avi"));
        conv->StartConversion();
        QTRY_COMPARE_WITH_TIMEOUT(program->children().size(), 1, 10000);
        const qint64 pid = program->calls().at(0).pid;
        const qint64 child = program->children().at(0);
        conv->Shutdown();
        QVERIFY(!standin::alive(pid));
        QTRY_VERIFY_WITH_TIMEOUT(!standin::alive(child), 2000);
        QVERIFY(!win->state.IsConverting);
    }

    void preRollThenProgress()
    {
        program->jobScript(QStringLiteral("default"), QStringLiteral("sleep 300\nsay frame= 9 time=50.00 bitrate= 1.0\\r\nstall\n"));
        addRow(QStringLiteral("a.avi"));
        win->state.IsConverting = true;
        win->state.CurrentJobIndex = 0;
        intputrec job = win->state.CurrentJob;
        job.InputPath = win->state.SourceInfos[0].SourcePath;
        job.OutputPath = out + QStringLiteral("/a.wmv");
        job.DurationSec = 100;
        conv->RunEncoderJob(job);
        win->form.Timer2->setInterval(60000);  // the test ticks by hand
        win->form.Timer2->start();
        for (int i = 0; i < 30; ++i)
            conv->Timer2Timer();
        QCOMPARE(conv->ProgressBase(), 30);
        QCOMPARE(win->form.ProgressBar1->value(), 30);
        QCOMPARE(win->status(0), QStringLiteral("00.30%"));
        QTRY_COMPARE(win->form.ProgressBar1->value(), 5015);
        QVERIFY(!win->form.Timer2->isActive());
        QCOMPARE(win->status(0), QStringLiteral("50.15%"));
        conv->StopConversion();
    }

    void lateOutputOfAFinishedJobIsIgnored()
    {
        program->jobScript(QStringLiteral("a.avi"), QStringLiteral("late 400 frame= 9 time=90.00 bitrate= 1.0\\r\nexit 0\n"));
        program->jobScript(QStringLiteral("b.avi"), QStringLiteral("sleep 1000\nexit 0\n"));
        addRow(QStringLiteral("a.avi"));
        addRow(QStringLiteral("b.avi"), QStringLiteral("00:01:40"));
        conv->StartConversion();
        QVERIFY(waitIdle());
        QVERIFY(!statuses[1].contains(QStringLiteral("90.00%")));
        QVERIFY(!statuses[0].contains(QStringLiteral("90.00%")));
        QCOMPARE(win->status(1), QStringLiteral("Finish"));
    }

    void unknownLengthShowsNoPercentage()
    {
        program->jobScript(QStringLiteral("default"), QStringLiteral("progress 1 3 100\nsleep 200\nexit 0\n"));
        addRow(QStringLiteral("a.avi"), QString());
        addRow(QStringLiteral("b.avi"), QString());
        // What the row shows while events are processed (a repaint can only happen then).
        QStringList shown;
        QTimer sampler;
        connect(&sampler, &QTimer::timeout, this, [&] { shown.append(win->status(0)); });
        sampler.start(2);
        conv->StartConversion();
        QVERIFY(waitIdle());
        sampler.stop();
        for (const QString& s : shown)
            QVERIFY2(!s.contains(u'%'), qPrintable(s));
        // How far it got (lines that arrive together count as their first one).
        QVERIFY(shown.filter(QRegularExpression(QStringLiteral("^Converting 00:00:0[1-3]$"))).size() > 0);
        QCOMPARE(win->status(0), QStringLiteral("Finish"));
        QCOMPARE(win->status(1), QStringLiteral("Finish"));
    }

    void emptyOutputFolderMeansTheDefault()
    {
        program->jobScript(QStringLiteral("default"), QStringLiteral("output\n"));
        addRow(QStringLiteral("a.avi"));
        win->form.ed_output->clear();
        conv->StartConversion();
        QVERIFY(waitIdle());
        QCOMPARE(win->form.ed_output->text(), paths::defaultOutputFolder());
        QVERIFY(QFileInfo::exists(paths::defaultOutputFolder() + QStringLiteral("a.wmv")));
        QFile::remove(paths::defaultOutputFolder() + QStringLiteral("a.wmv"));
    }

    void guardsAndMissingTranscoder()
    {
        addRow(QStringLiteral("a.avi"));
        win->state.IsPlaying = true;
        conv->StartConversion();
        win->state.IsPlaying = false;
        win->state.IsConverting = true;
        conv->StartConversion();
        QCOMPARE(win->prompt.texts(), (QStringList{refusal::StopPlay, refusal::StopConvert}));
        win->state.IsConverting = false;
        QFile::remove(program->encoder());
        conv->StartConversion();
        QCOMPARE(win->prompt.messages.size(), 3);
        QCOMPARE(win->prompt.messages[2].text, sources::EncoderUnavailableText(program->encoder()));
        QVERIFY(!win->state.IsConverting);
        QCOMPARE(win->status(0), QStringLiteral("Status"));
        win->form.lv->clear();
        win->prompt.messages.clear();
        conv->StartConversion();  // empty list: nothing, no message
        QVERIFY(win->prompt.messages.isEmpty());
    }

    void dvdEditionChainsThroughTheDvdStarter()
    {
        makeWindow(QStringLiteral("DVD Ripper"));
        DvdJobs dvd;
        dvd.conversion = conv.get();
        dvd.state = &win->state;
        dvd.out = out + u'/';
        win->ctx->dvd = &dvd;
        program->jobScript(QStringLiteral("default"), QStringLiteral("progress 1 2 0\n"));
        addRow(QStringLiteral("t1.avi"));
        addRow(QStringLiteral("t2.avi"));
        conv->StartConversion();
        QVERIFY(waitIdle());
        QCOMPARE(dvd.startDvdJobs, 2);
        QCOMPARE(win->status(1), QStringLiteral("Finish"));
        const QList<standin::Call> calls = program->calls();
        QCOMPARE(calls.size(), 2);
        QVERIFY(calls[1].args.contains(QStringLiteral("vts://01*0*100*128*0*/dvd")));
        QCOMPARE(calls[1].args.mid(calls[1].args.indexOf(QStringLiteral("-t")), 2), (QStringList{"-t", "00:00:10"}));
    }
};

VC_TEST_MAIN(TestRunner)
#include "tst_runner.moc"
