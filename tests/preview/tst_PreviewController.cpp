// The preview operations on the offscreen platform, through the real player (headless): the
// position arithmetic and its pacing, the guards, the status column, play_time and play_bar,
// pause and resume, stop, the automatic stop at the end (Timer1), the play-bar seek, DVD rows
// of the authored test disc with their chosen audio stream, and the shutdown of the window.
#include "dvd/ui/DvdController.h"
#include "preview/PreviewMath.h"
#include "preview/ui/PreviewController.h"
#include "tests/support/Fixtures.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TestMain.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFrame>
#include <QTimer>
#include <QTreeWidget>

namespace {

class FakeSkinObject : public SkinObject {
public:
    explicit FakeSkinObject(QString n) : name_(std::move(n)) {}
    QString name() const override { return name_; }
    void setText(const QString& t) override { texts << t; }
    void redraw() override { ++redraws; }
    void setPosition(int p) override { positions << p; pos = p; }
    int position() const override { return pos; }
    QStringList texts;
    QList<int> positions;
    int redraws = 0;
    int pos = 0;

private:
    QString name_;
};

// The list's DVD rows: references set by the test.
class FakeDvd : public DvdController {
public:
    using DvdController::DvdController;
    QString PreviewReference(int row) const override { return references.value(row); }
    QStringList references;
};

QString dvdRoot()
{
    return QStringLiteral(VC_BINARY_DIR "/fixtures/dvd");
}

int threadCount()
{
    return int(QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
}

} // namespace

class PreviewControllerTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::unique_ptr<QWidget> window_;
    MainForm form_;
    std::unique_ptr<AppState> state_;
    std::unique_ptr<ScriptedPrompt> prompt_;
    std::unique_ptr<MainContext> ctx_;
    std::unique_ptr<FakeSkinObject> time_, bar_;
    std::unique_ptr<FakeDvd> dvd_;
    std::unique_ptr<PreviewController> preview_;
    int timer1Fired_ = 0;

    QString clip(const QString& name, double seconds)
    {
        const QString path = dir_.filePath(name);
        if (!QFile::exists(path))
            fixtures::makeClip(path, seconds);
        return path;
    }

    // A list row for a source with the duration text, selected.
    void addRow(const QString& path, const QString& duration)
    {
        auto* item = new QTreeWidgetItem({QFileInfo(path).completeBaseName(), "320x240", duration, "1 MB", "Ready"});
        form_.lv->addTopLevelItem(item);
        state_->SourceInfos.append({path, "320x240", duration, "100", "64"});
        form_.lv->clearSelection();
        item->setSelected(true);
    }

    QString status(int row) const { return form_.lv->topLevelItem(row)->text(lvcol::Status); }

private slots:
    void init()
    {
        window_ = std::make_unique<QWidget>();
        form_ = buildMainForm(window_.get());
        state_ = std::make_unique<AppState>();
        state_->ExeFileName = "Video Converter";
        prompt_ = std::make_unique<ScriptedPrompt>();
        ctx_ = std::make_unique<MainContext>(MainContext{*state_, form_, *prompt_, QString()});
        time_ = std::make_unique<FakeSkinObject>("play_time");
        bar_ = std::make_unique<FakeSkinObject>("play_bar");
        ctx_->PlayTimeObject = time_.get();
        ctx_->PlayBarObject = bar_.get();
        dvd_ = std::make_unique<FakeDvd>(*ctx_);
        ctx_->dvd = dvd_.get();
        preview_ = std::make_unique<PreviewController>(*ctx_);
        ctx_->preview = preview_.get();
        timer1Fired_ = 0;
        connect(form_.Timer1, &QTimer::timeout, this, [this] { ++timer1Fired_; });
    }

    void cleanup()
    {
        preview_.reset();
        dvd_.reset();
        ctx_.reset();
        window_.reset();
    }

    // The edge cases of the position report, fed by hand.
    void positionReportsUpdateTimeAndBar()
    {
        addRow("/nonexistent.avi", "00:10:00");  // 600 s
        preview_->AwaitingFirstPosition = true;
        preview_->OnPreviewPosition(0.0);  // not positive: no base yet
        QVERIFY(preview_->AwaitingFirstPosition);
        preview_->OnPreviewPosition(2.4);
        QCOMPARE(preview_->BaseSeconds, 2);
        QCOMPARE(preview_->ElapsedSeconds, 0);
        QVERIFY(time_->texts.isEmpty());  // the rounded second did not change

        QElapsedTimer clock;
        clock.start();
        bool eventsRan = false;
        QTimer::singleShot(10, Qt::PreciseTimer, [&] { eventsRan = true; });
        preview_->OnPreviewPosition(62.6);
        QVERIFY(clock.elapsed() >= 100);  // two 50-ms paces
        QVERIFY(eventsRan);               // ... that do not freeze the window
        QCOMPARE(preview_->ElapsedSeconds, 61);
        QCOMPARE(time_->texts, QStringList{"00:01:01"});
        QCOMPARE(bar_->positions, QList<int>{1017});
        QCOMPARE(time_->redraws, 1);
        QCOMPARE(bar_->redraws, 1);

        // The same second again: nothing is redrawn.
        preview_->OnPreviewPosition(63.4);
        QCOMPARE(time_->redraws, 1);

        // While the bar is dragged only the time moves.
        state_->PlayBarDragging = true;
        preview_->OnPreviewPosition(64.0);
        QCOMPARE(time_->texts.last(), QString("00:01:02"));
        QCOMPARE(bar_->positions.size(), 1);
        QCOMPARE(timer1Fired_, 0);
    }

    void reachingTheDurationStartsTimer1()
    {
        addRow("/nonexistent.avi", "00:00:03");
        preview_->AwaitingFirstPosition = true;
        preview_->OnPreviewPosition(0.04);  // sets the base: 0
        preview_->OnPreviewPosition(3.0);
        QCOMPARE(preview_->ElapsedSeconds, 3);
        QCOMPARE(bar_->positions.last(), 10000);
        QCOMPARE(timer1Fired_, 0);
        QElapsedTimer clock;
        clock.start();
        preview_->OnPreviewPosition(3.2);
        QVERIFY(clock.elapsed() >= 500);
        QCOMPARE(timer1Fired_, 1);  // fired once during the wait, and disabled itself
        QVERIFY(!form_.Timer1->isActive());
    }

    void unknownDurationStopsAtTheFirstReport()
    {
        addRow("/nonexistent.avi", "");
        preview_->AwaitingFirstPosition = true;
        preview_->OnPreviewPosition(0.04);
        QCOMPARE(timer1Fired_, 1);
        QVERIFY(bar_->positions.isEmpty() || bar_->positions.last() >= 0);
    }

    void missingDisplayObjectsAreSkipped()
    {
        ctx_->PlayTimeObject = nullptr;
        ctx_->PlayBarObject = nullptr;
        addRow(clip("short.mp4", 2.0), "00:00:02");
        preview_->player().setUntimed(true);
        preview_->PreviewFileRow();
        QCOMPARE(status(0), QString("Stop"));
        QVERIFY(preview_->ElapsedSeconds > 0);
        QVERIFY(!state_->IsPlaying);
    }

    void guards_data()
    {
        QTest::addColumn<QString>("edition");
        QTest::addColumn<bool>("selected");
        QTest::addColumn<bool>("converting");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("file, nothing selected") << "Video Converter" << false << true << QStringList{};
        QTest::newRow("file, converting") << "Video Converter" << true << true << QStringList{"Please first stop convert!"};
        QTest::newRow("DVD, nothing selected") << "DVD Ripper" << false << true << QStringList{};
        QTest::newRow("DVD, converting") << "DVD Ripper" << true << true << QStringList{"Please first stop convert!"};
    }
    void guards()
    {
        QFETCH(QString, edition);
        QFETCH(bool, selected);
        QFETCH(bool, converting);
        QFETCH(QStringList, messages);
        state_->ExeFileName = edition;
        addRow(clip("short.mp4", 2.0), "00:00:02");
        if (!selected)
            form_.lv->clearSelection();
        state_->IsConverting = converting;
        if (edition.contains("DVD"))
            preview_->PreviewDvdRow();
        else
            preview_->PreviewFileRow();
        QCOMPARE(prompt_->texts(), messages);
        if (!messages.isEmpty())
            QCOMPARE(prompt_->messages.first().icon, PromptIcon::Warning);
        QCOMPARE(status(0), QString("Ready"));
        QVERIFY(time_->texts.isEmpty());
        QVERIFY(!state_->IsPlaying);

        // "pause" with nothing playing does nothing either.
        preview_->TogglePause();
        QVERIFY(!state_->IsPaused);
    }

    void fileRowPlaysWithTimeBarAndStatus()
    {
        addRow(clip("three.mp4", 3.0), "00:00:03");
        QString statusWhilePlaying;
        bool playingFlag = false;
        QTimer::singleShot(1300, Qt::PreciseTimer, [&] {
            statusWhilePlaying = status(0);
            playingFlag = state_->IsPlaying;
        });
        QElapsedTimer clock;
        clock.start();
        preview_->PreviewFileRow();
        const qint64 took = clock.elapsed();
        QCOMPARE(statusWhilePlaying, QString("Play"));
        QVERIFY(playingFlag);
        QVERIFY2(took > 2000 && took < 5000, qPrintable(QString::number(took)));  // real time
        QCOMPARE(preview_->BaseSeconds, 0);
        // Each second once, then the reset.
        QCOMPARE(time_->texts, (QStringList{"00:00:01", "00:00:02", "00:00:03", "00:00:00"}));
        QCOMPARE(bar_->positions, (QList<int>{3333, 6667, 10000, 0}));
        QCOMPARE(status(0), QString("Stop"));
        QVERIFY(!state_->IsPlaying);
        QVERIFY(!state_->IsPaused);
        // The end was seen by the report and Timer1 stopped the playback.
        QCOMPARE(timer1Fired_, 1);
    }

    void timer1StopsAtTheRowsDuration()
    {
        // The list says one second; the file has four: Timer1 ends the preview after that second.
        addRow(clip("four.mp4", 4.0), "00:00:01");
        QElapsedTimer clock;
        clock.start();
        preview_->PreviewFileRow();
        const qint64 took = clock.elapsed();
        QCOMPARE(timer1Fired_, 1);
        QVERIFY2(took < 3000, qPrintable(QString::number(took)));
        QCOMPARE(time_->texts.first(), QString("00:00:01"));
        QCOMPARE(status(0), QString("Stop"));
    }

    void pauseResumeAndStop()
    {
        addRow(clip("six.mp4", 6.0), "00:00:06");
        QString pausedStatus, resumedStatus;
        QString posAtPause, posLater;
        bool pausedFlag = false, resumedFlag = true, playingAfterPlay = false;
        int texts = -1;
        QTimer::singleShot(1200, Qt::PreciseTimer, [&] {
            preview_->TogglePause();
            pausedStatus = status(0);
            pausedFlag = state_->IsPaused;
        });
        QTimer::singleShot(1500, Qt::PreciseTimer, [&] {
            posAtPause = preview_->player().property("time-pos");
            texts = time_->texts.size();
        });
        QTimer::singleShot(2500, Qt::PreciseTimer, [&] {
            posLater = preview_->player().property("time-pos");
            QCOMPARE(time_->texts.size(), texts);
            // "play" while paused resumes, without a second playback.
            preview_->PreviewFileRow();
            resumedStatus = status(0);
            resumedFlag = state_->IsPaused;
            playingAfterPlay = state_->IsPlaying;
        });
        QTimer::singleShot(3300, Qt::PreciseTimer, [&] { preview_->StopPreview(); });
        QElapsedTimer clock;
        clock.start();
        preview_->PreviewFileRow();
        const qint64 took = clock.elapsed();
        QCOMPARE(pausedStatus, QString("Pause"));
        QVERIFY(pausedFlag);
        QVERIFY(!posAtPause.isEmpty());
        QCOMPARE(posLater, posAtPause);
        QCOMPARE(resumedStatus, QString("Play"));
        QVERIFY(!resumedFlag);
        QVERIFY(playingAfterPlay);
        QVERIFY2(took >= 3300 && took < 4500, qPrintable(QString::number(took)));  // "stopplay" ended it
        QCOMPARE(status(0), QString("Stop"));
        QCOMPARE(time_->texts.last(), QString("00:00:00"));
        QCOMPARE(timer1Fired_, 0);
    }

    void stopWhilePausedResetsThePause()
    {
        addRow(clip("six.mp4", 6.0), "00:00:06");
        QTimer::singleShot(500, Qt::PreciseTimer, [&] { preview_->TogglePause(); });
        QTimer::singleShot(800, Qt::PreciseTimer, [&] { preview_->StopPreview(); });
        preview_->PreviewFileRow();
        QVERIFY(!state_->IsPaused);
        // The next playback's "pause" pauses.
        bool paused = false;
        QString pausedStatus;
        QTimer::singleShot(500, Qt::PreciseTimer, [&] {
            preview_->TogglePause();
            paused = state_->IsPaused;
            pausedStatus = status(0);
            preview_->StopPreview();
        });
        preview_->PreviewFileRow();
        QVERIFY(paused);
        QCOMPARE(pausedStatus, QString("Pause"));
    }

    void playBarReleaseSeeks()
    {
        addRow(clip("six.mp4", 6.0), "00:00:06");
        bool draggingCleared = false;
        QTimer::singleShot(400, Qt::PreciseTimer, [&] {
            state_->PlayBarDragging = true;  // the skin's mouse-down on "play_bar"
            bar_->pos = 6667;                // released at two thirds: second 4 of 6
            QElapsedTimer clock;
            clock.start();
            preview_->PlayBarReleased();
            draggingCleared = !state_->PlayBarDragging && clock.elapsed() >= 300;
        });
        QElapsedTimer clock;
        clock.start();
        preview_->PreviewFileRow();
        QVERIFY(draggingCleared);
        QVERIFY2(!time_->texts.contains("00:00:02") && !time_->texts.contains("00:00:03"), qPrintable(time_->texts.join(' ')));
        QVERIFY(time_->texts.contains("00:00:04"));
        QVERIFY2(clock.elapsed() < 4500, qPrintable(QString::number(clock.elapsed())));
    }

    void fileRowThatCannotPlayCleansUp()
    {
        addRow(dir_.filePath("missing.mp4"), "00:00:05");
        preview_->PreviewFileRow();
        QCOMPARE(status(0), QString("Stop"));
        QCOMPARE(time_->texts, QStringList{"00:00:00"});
        QCOMPARE(bar_->positions, QList<int>{0});
        QVERIFY(!state_->IsPlaying);
    }

    void dvdRowPlaysItsChosenAudio_data()
    {
        QTest::addColumn<int>("audioItem");
        QTest::addColumn<QString>("srcId");
        QTest::newRow("first stream") << 0 << "128";
        QTest::newRow("second stream") << 1 << "129";
    }
    void dvdRowPlaysItsChosenAudio()
    {
        QFETCH(int, audioItem);
        QFETCH(QString, srcId);
        // The test disc listed by the DVD list in chapter mode; the second chapter (4 s) of
        // title set 1 with the chosen audio stream and the subtitle.
        state_->ExeFileName = "DVD Ripper";
        form_.lvCheckBoxes = true;
        DvdController dvd(*ctx_);
        ctx_->dvd = &dvd;
        dvd.OpenFolderAsDvd(dvdRoot());
        dvd.ToggleTitleMode();
        const QList<QTreeWidgetItem*> chapters = form_.lv->findItems("  Chapter_02", Qt::MatchExactly);
        QVERIFY2(!chapters.isEmpty(), "the DVD fixture is missing");
        const int row = form_.lv->indexOfTopLevelItem(chapters.first());
        form_.lv->clearSelection();
        chapters.first()->setSelected(true);
        dvd.lvClick();
        form_.cb_audio->setCurrentIndex(audioItem);
        dvd.cb_audioChange(audioItem);
        form_.cb_subtitle->setCurrentIndex(1);
        dvd.cb_subtitleChange(1);
        QCOMPARE(state_->SourceInfos[row].DurationText, QString("00:00:04"));

        // A longer preview came before: this one starts from 0 and is not stopped early.
        preview_->ElapsedSeconds = 100;
        QString seenAudio, seenSubtitle;
        QTimer::singleShot(2500, Qt::PreciseTimer, [&] {
            seenAudio = preview_->player().property("current-tracks/audio/src-id");
            seenSubtitle = preview_->player().property("current-tracks/sub/src-id");
            // In the DVD edition the play bar does not seek.
            state_->PlayBarDragging = true;
            bar_->pos = 9000;
            preview_->PlayBarReleased();
        });
        QElapsedTimer clock;
        clock.start();
        preview_->PreviewDvdRow();
        QCOMPARE(seenAudio, srcId);
        QCOMPARE(seenSubtitle, QString("32"));
        QVERIFY(state_->PlayBarDragging);  // left as it was: nothing happened
        QVERIFY2(clock.elapsed() > 3500, qPrintable(QString::number(clock.elapsed())));
        QVERIFY2(time_->texts.contains("00:00:03"), qPrintable(time_->texts.join(' ')));
        QCOMPARE(time_->texts.last(), QString("00:00:00"));
        QCOMPARE(bar_->positions.last(), 0);
        QCOMPARE(status(row), QString("Ready"));  // the DVD preview leaves the status column alone
        QVERIFY(!state_->IsPlaying);
        ctx_->dvd = dvd_.get();
    }

    void dvdRowThatCannotPlayCleansUp()
    {
        state_->ExeFileName = "DVD Ripper";
        addRow(QString(), "00:00:04");
        dvd_->references = {QStringLiteral("vts://01*0*10*0x80*0*//nonexistent")};
        QTimer::singleShot(0, Qt::PreciseTimer, [&] { preview_->TogglePause(); });
        preview_->PreviewDvdRow();
        QCOMPARE(time_->texts, QStringList{"00:00:00"});
        QCOMPARE(bar_->positions, QList<int>{0});
        QVERIFY(!state_->IsPlaying);
        QVERIFY(!state_->IsPaused);
    }

    void shutdownEndsPlaybackAndThreads()
    {
        addRow(clip("six.mp4", 6.0), "00:00:06");
        const int before = threadCount();
        QTimer::singleShot(800, Qt::PreciseTimer, [&] { preview_->Shutdown(); });
        QElapsedTimer clock;
        clock.start();
        preview_->PreviewFileRow();
        QVERIFY(clock.elapsed() < 2000);
        QVERIFY(!state_->IsPlaying);
        QCOMPARE(threadCount(), before);
    }
};

VC_TEST_MAIN(PreviewControllerTest)
#include "tst_PreviewController.moc"
