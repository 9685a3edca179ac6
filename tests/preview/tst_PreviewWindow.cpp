// The preview in a real window under Xvfb: a file row and a DVD row of the test disc (listed by
// the DVD list, with its second audio stream and its subtitle chosen) play inside
// pl_play (a screenshot of the screen shows the frame there, and the time in "play_time"), the
// close guard refuses while playing, and nothing the player started outlives the window.
#include "app/Tfm_main.h"
#include "dvd/ui/DvdController.h"
#include "preview/ui/PreviewController.h"
#include "ui/SkinHost.h"
#include "tests/support/Fixtures.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TestMain.h"
#include "tests/support/XWindows.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFrame>
#include <QImage>
#include <QTimer>
#include <QTreeWidget>

namespace {

const QString ProgramDir = QStringLiteral(VC_PROGRAM_DIR "/");

class PressCounter : public QObject {
public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        count += e->type() == QEvent::MouseButtonPress;
        return false;
    }
};

// Threads of the process, leaving out Qt's thread pool (it scales large images) that comes and
// goes on its own.
int threadCount()
{
    int n = 0;
    const QString tasks = QStringLiteral("/proc/self/task/");
    for (const QString& t : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(tasks + t + QStringLiteral("/comm"));
        comm.open(QIODevice::ReadOnly);
        n += !comm.readAll().startsWith("Thread (pooled)");
    }
    return n;
}

// Share of the pixels in `area` that are not near black.
double litShare(const QImage& shot, const QRect& area)
{
    int lit = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            lit += qGray(shot.pixel(x, y)) > 40;
    return double(lit) / double(area.width() * area.height());
}

// A selected job-list row for a clip, as the job list adds it.
QTreeWidgetItem* addFileRow(MainContext& ctx, const QString& clip, const QString& duration)
{
    auto* item = new QTreeWidgetItem({QFileInfo(clip).completeBaseName(), "320x240", duration, "1 MB", "Ready"});
    ctx.form.lv->addTopLevelItem(item);
    ctx.state.SourceInfos.append({clip, item->text(1), duration, {}, {}});
    ctx.form.lv->show();
    item->setSelected(true);
    return item;
}

} // namespace

class PreviewWindowTest : public QObject {
    Q_OBJECT

    // The main window of an edition, on screen.
    static Tfm_main* openWindow(const QString& edition, Prompt& prompt)
    {
        auto* w = new Tfm_main(edition, ProgramDir, {}, &prompt);
        w->show();
        if (!QTest::qWaitForWindowExposed(w))
            qWarning("the window was not exposed");
        return w;
    }

private slots:
    void playsInsideThePanel_data()
    {
        QTest::addColumn<QString>("edition");
        QTest::newRow("file row") << "Video Converter";
        QTest::newRow("DVD row") << "DVD Ripper";
    }
    void playsInsideThePanel()
    {
        QFETCH(QString, edition);
        const bool dvd = edition.contains("DVD");
        QTemporaryDir dir;
        const QString clip = dir.filePath("clip.mp4");
        QVERIFY(fixtures::makeClip(clip, 4.0, "640x480"));

        ScriptedPrompt prompt;
        auto* w = openWindow(edition, prompt);
        MainContext& ctx = w->context();
        int row = 0;
        if (dvd) {
            // The test disc as the DVD list shows it: the longest title is selected; its second
            // audio stream and its subtitle are chosen.
            auto* list = dynamic_cast<DvdController*>(ctx.dvd);
            QVERIFY(list);
            list->OpenFolderAsDvd(QStringLiteral(VC_BINARY_DIR "/fixtures/dvd"));
            row = firstSelectedRow(ctx.form);
            QVERIFY2(row >= 0, "the DVD fixture is missing");
            ctx.form.cb_audio->setCurrentIndex(1);
            list->cb_audioChange(1);
            ctx.form.cb_subtitle->setCurrentIndex(1);
            list->cb_subtitleChange(1);
        } else {
            addFileRow(ctx, clip, "00:00:04");
        }

        const QString shots = QStringLiteral(VC_BINARY_DIR "/screenshots");
        QDir().mkpath(shots);
        const QString shotPath = shots + (dvd ? "/preview-dvd-row.png" : "/preview-file-row.png");
        const QRect panel(ctx.form.pl_play->mapToGlobal(QPoint(0, 0)), ctx.form.pl_play->size());
        const int threadsBefore = threadCount();
        PressCounter presses;
        ctx.form.pl_play->installEventFilter(&presses);
        bool closed = true;
        // Once two seconds are shown (and drawn), the picture.
        auto* controller = static_cast<PreviewController*>(ctx.preview);
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            if (controller->ElapsedSeconds < 2)
                return;
            poll.stop();
            QTimer::singleShot(200, [&] {
                xwindows::screenshot(shotPath);
                // A real press on the picture reaches pl_play (its press closes the picker).
                const QPoint c = panel.center();
                xwindows::run("xdotool", {"mousemove", QString::number(c.x()), QString::number(c.y()), "click", "1"});
                QTest::qWait(300);
                closed = w->close();  // refused while playing
                ctx.preview->StopPreview();
            });
        });
        poll.start(50);
        if (dvd)
            ctx.preview->PreviewDvdRow();
        else
            ctx.preview->PreviewFileRow();

        QCOMPARE(threadCount(), threadsBefore);  // the player's threads are gone with the playback
        QVERIFY(!closed);
        QCOMPARE(presses.count, 1);
        QVERIFY2(prompt.texts().contains("Please first stop play!"), qPrintable(prompt.texts().join('|')));
        QVERIFY(!ctx.state.IsPlaying);

        const QImage shot(shotPath);
        QVERIFY(!shot.isNull());
        // A frame fills the panel: the test picture and the DVD's noise are anything but black.
        const double share = litShare(shot, panel.adjusted(4, 4, -4, -4));
        QVERIFY2(share > 0.3, qPrintable(QString::number(share)));

        QVERIFY(w->close());
        delete w;
        QVERIFY(threadCount() <= threadsBefore);
    }

    // Real mouse events on the skin drive a file preview: play, pause, play (resumes), a drag
    // on the play bar released at 80 %, stop.
    void mouseDrivesThePreview()
    {
        QTemporaryDir dir;
        const QString clip = dir.filePath("clip.mp4");
        QVERIFY(fixtures::makeClip(clip, 10.0));
        ScriptedPrompt prompt;
        auto* w = openWindow("Video Converter", prompt);
        MainContext& ctx = w->context();
        QTreeWidgetItem* item = addFileRow(ctx, clip, "00:00:10");
        auto* controller = static_cast<PreviewController*>(ctx.preview);

        const auto at = [&](const QString& object, double fx = 0.5) {
            const QRect r = w->skin().objectRect(object);
            return w->skin().mapToGlobal(QPoint(r.left() + int(r.width() * fx), r.center().y()));
        };
        const auto mouse = [](const QPoint& p, const QStringList& actions) {
            xwindows::run("xdotool", QStringList{"mousemove", QString::number(p.x()), QString::number(p.y())} + actions);
        };
        QVERIFY(!w->skin().objectRect("play").isEmpty());

        int step = 0;
        QString pausedPos, laterPos, statusPaused, statusResumed;
        QElapsedTimer pausedFor;
        QStringList timesBeforeSeek;
        QTimer driver;
        connect(&driver, &QTimer::timeout, [&] {
            const AppState& s = ctx.state;
            switch (step) {
            case 0:
                ++step;
                mouse(at("play"), {"click", "1"});
                break;
            case 1:
                if (s.IsPlaying && controller->ElapsedSeconds >= 1) {
                    ++step;
                    mouse(at("pause"), {"click", "1"});
                }
                break;
            case 2:
                if (s.IsPaused) {
                    ++step;
                    statusPaused = item->text(lvcol::Status);
                    pausedPos = controller->player().property("time-pos");
                    pausedFor.start();
                }
                break;
            case 3:
                if (pausedFor.elapsed() > 800) {
                    ++step;
                    laterPos = controller->player().property("time-pos");
                    mouse(at("play"), {"click", "1"});
                }
                break;
            case 4:
                if (!s.IsPaused) {
                    ++step;
                    statusResumed = item->text(lvcol::Status);
                    timesBeforeSeek = controller->ElapsedSeconds < 5 ? QStringList{"before"} : QStringList{};
                    mouse(at("play_bar", 0.3), {"mousedown", "1"});
                    mouse(at("play_bar", 0.8), {"mouseup", "1"});
                }
                break;
            case 5:
                if (!s.PlayBarDragging && controller->ElapsedSeconds >= 8) {
                    ++step;
                    xwindows::screenshot(QStringLiteral(VC_BINARY_DIR "/screenshots/preview-mouse-sought.png"));
                    mouse(at("stopplay"), {"click", "1"});
                }
                break;
            case 6:
                if (!s.IsPlaying) {
                    ++step;
                    driver.stop();
                }
                break;
            }
        });
        driver.start(50);
        QTRY_VERIFY_WITH_TIMEOUT(step == 7, 20000);

        QCOMPARE(statusPaused, QString("Pause"));
        QVERIFY(!pausedPos.isEmpty());
        QCOMPARE(laterPos, pausedPos);
        QCOMPARE(statusResumed, QString("Play"));
        QCOMPARE(timesBeforeSeek, QStringList{"before"});  // the 8 s were reached by the seek
        QCOMPARE(item->text(lvcol::Status), QString("Stop"));
        QVERIFY(prompt.texts().isEmpty() || !prompt.texts().contains("Please first stop convert!"));
        QVERIFY(w->close());
        delete w;
    }

    // The program asked to end (a termination signal) while a preview plays: the playback ends,
    // and its threads with it, before the window goes.
    void terminateDuringPlayback()
    {
        QTemporaryDir dir;
        const QString clip = dir.filePath("clip.mp4");
        QVERIFY(fixtures::makeClip(clip, 6.0));
        ScriptedPrompt prompt;
        auto* w = openWindow("Video Converter", prompt);
        MainContext& ctx = w->context();
        addFileRow(ctx, clip, "00:00:06");
        const int threadsBefore = threadCount();
        QElapsedTimer clock;
        clock.start();
        QTimer::singleShot(1500, Qt::PreciseTimer, [&] { w->Terminate(); });
        ctx.preview->PreviewFileRow();
        QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!ctx.state.IsPlaying);
        QCOMPARE(threadCount(), threadsBefore);
        QVERIFY(w->close());
        delete w;
    }
};

VC_TEST_MAIN(PreviewWindowTest)
#include "tst_PreviewWindow.moc"
