// The DVD list in the window's controls: opening the authored disc (and the optical-drive wait
// through a fake mount table), "Add IFO" with good and bad files, check boxes and both check
// memories across mode switches, stream choices reaching the "vts://" text, removed rows
// keeping every table paired, and the guards.
#include "dvd/DvdReference.h"
#include "dvd/FakeIfoReader.h"
#include "dvd/ui/DvdController.h"
#include "profiles/Quality.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TestMain.h"

#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QTimer>
#include <QTimer>
#include <QTreeWidget>

#include <thread>

using namespace dvd;

namespace {

QString disc()
{
    return QStringLiteral(VC_BINARY_DIR "/fixtures/dvd");
}

class FakeDialogs : public DialogsPort {
public:
    explicit FakeDialogs(AppState& s) : state(s) {}
    void ChooseFolder(const QString& caption) override
    {
        captions << caption;
        state.ChosenFolder = answer;
    }
    void ShowFinishDialog() override {}
    void ShowAbout() override {}
    AppState& state;
    QString answer;
    QStringList captions;
};

// Runs no transcoder: records the jobs and, like the runner, moves on when told a job ended.
class FakeConversion : public ConversionPort {
public:
    explicit FakeConversion(MainContext& c) : ctx(c) {}
    void StartConversion() override
    {
        ctx.state.CurrentJobIndex = 0;
        ctx.state.IsConverting = true;
        ctx.dvd->StartDvdJob();
    }
    void StopConversion() override {}
    void RunEncoderJob(const intputrec& job) override
    {
        jobs.append(job);
        ctx.form.lv->topLevelItem(ctx.state.CurrentJobIndex)->setText(lvcol::Status, "42.00%");
    }
    void FailCurrentJob(const QString& reason) override { failures << reason; }
    void PerformFinishAction() override { ++finishActions; }
    void Shutdown() override {}
    // The runner's end of a job: the next row's job, or the end of the batch.
    void jobEnded(bool failed = false)
    {
        if (failed)
            ctx.form.lv->topLevelItem(ctx.state.CurrentJobIndex)->setText(lvcol::Status, "Failed");
        ctx.state.CurrentJobIndex += 1;
        if (ctx.state.CurrentJobIndex < ctx.form.lv->topLevelItemCount()) {
            ctx.dvd->StartDvdJob();
        } else {
            ctx.state.IsConverting = false;
            QTreeWidgetItem* last = ctx.form.lv->topLevelItem(ctx.form.lv->topLevelItemCount() - 1);
            if (last->text(lvcol::Status) != "Failed")
                last->setText(lvcol::Status, "Finish");
            ++finishActions;
        }
    }
    MainContext& ctx;
    QList<intputrec> jobs;
    QStringList failures;
    int finishActions = 0;
};

struct Rig {
    explicit Rig(const QString& exe = "DVD Ripper")
        : form(buildMainForm(&window)), dialogs(state), ctx{state, form, prompt, "/nowhere/"}
    {
        state.ExeFileName = exe;
        state.ProfileId = 2;
        state.ProfileDisplayName = "AVI-DivX Movie(*.avi)";
        form.lvCheckBoxes = edition::IsDvdEdition(exe);
        form.cb_size->addItems({"640x480", "320x240"});
        form.cb_size->setCurrentIndex(0);
        form.cb_videobitrate->addItems({"Higher Quality", "High Quality", "Normal", "Low Quality", "Lower Quality"});
        form.cb_videobitrate->setCurrentIndex(2);
        form.cb_audiobitrate->addItems({"Higher Quality", "High Quality", "Normal", "Low Quality", "Lower Quality"});
        form.cb_audiobitrate->setCurrentIndex(2);
        ctx.dialogs = &dialogs;
        ctx.conversion = &conversion;
        state.CurrentJob.EncoderPath = "/prog/register.dat";
        state.CurrentJob.WorkDir = "/prog/";
        state.CurrentJob.ProfileArgs = "-vcodec mpeg4";
        dvd = std::make_unique<DvdController>(ctx);
        ctx.dvd = dvd.get();
        dvd->setMountTable([] { return QVector<drives::MountEntry>{}; });
    }

    QStringList captions() const
    {
        QStringList c;
        for (int i = 0; i < form.lv->topLevelItemCount(); ++i)
            c << form.lv->topLevelItem(i)->text(0);
        return c;
    }
    QVector<bool> checks() const
    {
        QVector<bool> c;
        for (int i = 0; i < form.lv->topLevelItemCount(); ++i)
            c << (form.lv->topLevelItem(i)->checkState(0) == Qt::Checked);
        return c;
    }
    void setCheck(int row, bool on)
    {
        form.lv->topLevelItem(row)->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
    }
    void select(int row)
    {
        form.lv->clearSelection();
        form.lv->setCurrentItem(form.lv->topLevelItem(row));
        form.lv->topLevelItem(row)->setSelected(true);
        dvd->lvClick();
    }
    void chooseAudio(int index)
    {
        form.cb_audio->setCurrentIndex(index);
        emit form.cb_audio->activated(index);
    }
    void chooseSubtitle(int index)
    {
        form.cb_subtitle->setCurrentIndex(index);
        emit form.cb_subtitle->activated(index);
    }
    void openDisc(const QString& folder = disc())
    {
        dialogs.answer = folder;
        dvd->OpenDvdFolder();
    }
    // The remove command's order: rows leave lv first, then the tables hear of it.
    void removeRows(const QList<int>& rows)
    {
        QList<int> sorted = rows;
        std::sort(sorted.rbegin(), sorted.rend());
        for (int r : sorted) {
            delete form.lv->takeTopLevelItem(r);
            state.SourceInfos.removeAt(r);
        }
        dvd->RowsRemoved(rows);
    }

    QWidget window;
    AppState state;
    MainForm form;
    ScriptedPrompt prompt;
    FakeDialogs dialogs;
    MainContext ctx;
    FakeConversion conversion{ctx};
    std::unique_ptr<DvdController> dvd;
};

QStringList items(const QComboBox* box)
{
    QStringList l;
    for (int i = 0; i < box->count(); ++i)
        l << box->itemText(i);
    return l;
}

// Two IFO files of the fake reader: the first holds two titles (cells 4 s + 6 s, and 9 s),
// the second cannot be opened.
const QString GoodIfo = "/fake/VIDEO_TS/VTS_01_0.IFO";
const QString BadIfo = "/fake/VIDEO_TS/VTS_02_0.IFO";

DvdController::ReaderFactory fakeReader(QStringList* opened = nullptr)
{
    return [opened] {
        auto r = std::make_unique<FakeIfoReader>();
        FakeIfoFile f;
        f.audio = QStringList{"English AC3 6ch (0x80)"};
        f.chains.append(MakeChain({4, 6}, 2000, 0));
        f.chains.append(MakeChain({9}, 5000, 4000));
        r->files.insert(GoodIfo, f);
        struct Recording : FakeIfoReader {
            QStringList* log = nullptr;
            int ifoOpen(const QString& p) override
            {
                if (log)
                    log->append(p);
                return FakeIfoReader::ifoOpen(p);
            }
        };
        auto rec = std::make_unique<Recording>();
        rec->files = r->files;
        rec->log = opened;
        return std::unique_ptr<IfoReader>(std::move(rec));
    };
}

} // namespace

class TestDvdController : public QObject {
    Q_OBJECT
private slots:
    void opensTheDisc()
    {
        Rig rig;
        rig.form.lv->hide();
        rig.openDisc();
        QCOMPARE(rig.dialogs.captions, QStringList{"Select DVD Directory"});
        QVERIFY(rig.prompt.messages.isEmpty());
        QVERIFY(!rig.form.lv->isHidden());
        QCOMPARE(rig.captions(), QStringList({"Title_01", "Title_02"}));
        QCOMPARE(rig.checks(), QVector<bool>({true, true}));
        QCOMPARE(rig.dvd->list().TitleChecks, QVector<bool>({true, true}));
        QTreeWidgetItem* t1 = rig.form.lv->topLevelItem(0);
        QCOMPARE(t1->text(lvcol::Size), "720x576");
        QCOMPARE(t1->text(lvcol::Time), "00:00:12");
        // 480 lines x 3.33 + 128 kbit/s for 12 s.
        QCOMPARE(t1->text(lvcol::OutputSize), quality::EstimateOutputSize(1598 + 128, 12));
        QCOMPARE(t1->text(lvcol::Status), "Ready");
        QCOMPARE(rig.state.SourceInfos.size(), 2);
        QCOMPARE(rig.state.SourceInfos[1].DurationText, "00:00:05");
        QCOMPARE(rig.state.SourceInfos[1].FrameSize, "720x576");
        // The longest row is selected and its streams shown.
        QCOMPARE(firstSelectedRow(rig.form), 0);
        QCOMPARE(items(rig.form.cb_audio), QStringList({"English AC3 2ch (0x80)", "German AC3 2ch (0x81)"}));
        QCOMPARE(items(rig.form.cb_subtitle), QStringList({"No Subtitle", "English (0x20)"}));
        QCOMPARE(rig.form.cb_subtitle->currentIndex(), 0);
        rig.select(1);
        QCOMPARE(items(rig.form.cb_audio), QStringList({"Spanish MPEG1 2ch (0xC0)"}));
        QCOMPARE(items(rig.form.cb_subtitle), QStringList({"No Subtitle"}));
    }

    void cancelAndFailures()
    {
        Rig rig;
        rig.openDisc();
        rig.openDisc("");  // cancelled: the list stays
        QCOMPARE(rig.captions().size(), 2);
        QCOMPARE(rig.dvd->list().TitleSets.size(), 2);

        QTemporaryDir empty;
        QDir(empty.path()).mkpath("VIDEO_TS");
        QFile(empty.path() + "/VIDEO_TS/VIDEO_TS.IFO").open(QIODevice::WriteOnly);
        rig.openDisc(empty.path());
        QCOMPARE(rig.prompt.texts(), QStringList{"Can't find DVD disc."});
        QCOMPARE(rig.prompt.messages[0].icon, PromptIcon::Information);
        QCOMPARE(rig.form.lv->topLevelItemCount(), 0);
    }

    void guards_data()
    {
        QTest::addColumn<bool>("converting");
        QTest::addColumn<bool>("playing");
        QTest::addColumn<QString>("openMessage");
        QTest::addColumn<QString>("toggleMessage");
        QTest::newRow("converting") << true << false << "Please first stop convert!" << "Please first stop convert!";
        QTest::newRow("playing") << false << true << "Please first stop play!" << "Please first stop play!";
        // The listing commands ask about converting first, the mode switch about playing.
        QTest::newRow("both") << true << true << "Please first stop convert!" << "Please first stop play!";
    }
    void guards()
    {
        QFETCH(bool, converting);
        QFETCH(bool, playing);
        QFETCH(QString, openMessage);
        QFETCH(QString, toggleMessage);
        Rig rig;
        rig.openDisc();
        rig.state.IsConverting = converting;
        rig.state.IsPlaying = playing;
        rig.dvd->setIfoDialogHook([](const QString&) { return QStringList{GoodIfo}; });
        rig.openDisc();
        rig.dvd->AddIfoFiles();
        rig.dvd->ToggleTitleMode();
        QCOMPARE(rig.prompt.texts(), QStringList({openMessage, openMessage, toggleMessage}));
        for (const auto& m : rig.prompt.messages)
            QCOMPARE(m.icon, PromptIcon::Warning);
        QVERIFY(rig.dialogs.captions.size() == 1);
        QVERIFY(rig.state.TitleMode);
        QCOMPARE(rig.captions(), QStringList({"Title_01", "Title_02"}));
    }

    void checkMemoriesAcrossModeSwitches()
    {
        Rig rig;
        rig.openDisc();
        rig.setCheck(1, false);
        rig.dvd->lvClick();
        rig.dvd->ToggleTitleMode();
        QVERIFY(!rig.state.TitleMode);
        QCOMPARE(rig.captions(), QStringList({"Title_01", "  Chapter_01", "  Chapter_02", "  Chapter_03", "Title_05",
                                              "  Chapter_01"}));
        QCOMPARE(rig.checks(), QVector<bool>(6, true));  // chapter mode had no marks yet
        rig.setCheck(2, false);  // a click on the box reaches the memory at once
        rig.dvd->ToggleTitleMode();
        QCOMPARE(rig.checks(), QVector<bool>({true, false}));
        rig.dvd->ToggleTitleMode();
        QCOMPARE(rig.checks(), QVector<bool>({true, true, false, true, true, true}));
        QCOMPARE(rig.dvd->list().CellTimeTable.size(), 6);
        QCOMPARE(rig.state.SourceInfos.size(), 6);

        // Select All / Unselect ALL touch the current mode's memory only.
        rig.dvd->SetAllChecks(false);
        QCOMPARE(rig.checks(), QVector<bool>(6, false));
        rig.dvd->ToggleTitleMode();
        QCOMPARE(rig.checks(), QVector<bool>({true, false}));
        rig.dvd->ToggleTitleMode();
        QCOMPARE(rig.checks(), QVector<bool>(6, false));
        rig.dvd->SetAllChecks(true);
        QCOMPARE(rig.dvd->list().ChapterChecks, QVector<bool>(6, true));
    }

    void streamChoicesReachTheReference()
    {
        Rig rig;
        rig.openDisc();
        rig.dvd->ToggleTitleMode();
        rig.select(2);  // Chapter_02 of title set 1
        rig.chooseAudio(1);
        rig.chooseSubtitle(1);
        const TConvertInfo& row = rig.dvd->list().DvdRowInfos[2];
        QCOMPARE(row.AudioId, "0x81");
        QCOMPARE(row.SubtitleId, "0x20");
        QCOMPARE(rig.dvd->PreviewReference(2),
                 QString("vts://01*%1*%2*0x81*0x20*/%3").arg(row.StartSector).arg(row.EndSector).arg(disc()));
        // Other rows keep their own choices; coming back shows the choice made.
        rig.select(1);
        QCOMPARE(rig.form.cb_audio->currentIndex(), 0);
        QCOMPARE(rig.form.cb_subtitle->currentText(), "No Subtitle");
        rig.select(2);
        QCOMPARE(rig.form.cb_audio->currentIndex(), 1);
        QCOMPARE(rig.form.cb_subtitle->currentIndex(), 1);
        rig.chooseSubtitle(0);
        QCOMPARE(rig.dvd->list().DvdRowInfos[2].SubtitleId, "0");
        // A mode switch starts every row on the first stream and no subtitle.
        rig.chooseSubtitle(1);
        rig.dvd->ToggleTitleMode();
        rig.dvd->ToggleTitleMode();
        rig.select(2);
        QCOMPARE(rig.form.cb_audio->currentIndex(), 0);
        QCOMPARE(rig.form.cb_subtitle->currentIndex(), 0);
        QCOMPARE(rig.dvd->list().DvdRowInfos[2].AudioId, "0x80");
        QCOMPARE(rig.dvd->list().DvdRowInfos[2].SubtitleId, "0");
        QCOMPARE(rig.dvd->PreviewReference(99), QString());
    }

    void comboChangeWithoutSelection()
    {
        Rig rig;
        rig.openDisc();
        rig.form.lv->clearSelection();
        rig.chooseAudio(1);
        QCOMPARE(rig.dvd->list().DvdRowInfos[0].AudioId, "0x80");
        QCOMPARE(rig.dvd->list().AudioChoice, QVector<int>({0, 0}));
    }

    void removedRowsStayPaired()
    {
        Rig rig;
        rig.openDisc();
        rig.dvd->ToggleTitleMode();
        rig.setCheck(5, false);
        rig.select(5);
        rig.removeRows({1, 2});  // Chapter_01 and Chapter_02 of title set 1
        const DvdList& l = rig.dvd->list();
        QCOMPARE(l.rowCount(), 4);
        QCOMPARE(l.DvdRowInfos.size(), 4);
        QCOMPARE(l.CellTimeTable.size(), 4);
        QCOMPARE(l.AudioChoice.size(), 4);
        QCOMPARE(l.ChapterChecks, QVector<bool>({true, true, true, false}));
        QCOMPARE(l.TitleSets[0].EndRow, 2);
        QCOMPARE(l.TitleSets[1].FirstRow, 2);
        QCOMPARE(l.DvdRowInfos[1].StartSecond, 8);  // Chapter_03 moved up
        rig.select(3);
        QCOMPARE(items(rig.form.cb_audio), QStringList({"Spanish MPEG1 2ch (0xC0)"}));
        rig.select(1);
        rig.chooseAudio(1);
        QCOMPARE(rig.dvd->PreviewReference(1).section('*', 3, 3), "0x81");
        QVERIFY(rig.dvd->PreviewReference(1).startsWith("vts://01*3208*"));

        // Title mode lists every title again; back in chapter mode the remembered marks are
        // shorter than the list and the rows past them count as checked.
        rig.dvd->ToggleTitleMode();
        rig.dvd->ToggleTitleMode();
        QCOMPARE(rig.checks(), QVector<bool>({true, true, true, false, true, true}));

        // Clearing the list (all rows removed) leaves nothing behind.
        rig.removeRows({0, 1, 2, 3, 4, 5});
        QCOMPARE(rig.dvd->list().rowCount(), 0);
        QCOMPARE(rig.dvd->list().TitleSets[1].EndRow, 0);
    }

    void addIfoFiles()
    {
        Rig rig;
        QStringList opened;
        rig.dvd->setReaderFactory(fakeReader(&opened));
        QString filter;
        rig.form.OpenDialog2Filter = "IFO Files(*.ifo)|*.ifo;";
        rig.dvd->setIfoDialogHook([&filter](const QString& f) {
            filter = f;
            return QStringList{GoodIfo, BadIfo};
        });
        rig.dvd->AddIfoFiles();
        QCOMPARE(filter, "IFO Files (*.ifo)");
        QVERIFY(rig.prompt.messages.isEmpty());
        QCOMPARE(rig.captions(), QStringList({"Title_01", "Title_02"}));
        QCOMPARE(rig.checks(), QVector<bool>({true, true}));
        QCOMPARE(firstSelectedRow(rig.form), 1);  // 4999 sectors against 3999
        QCOMPARE(rig.dvd->list().TitleSets.size(), 2);

        opened.clear();
        rig.dvd->setIfoDialogHook([](const QString&) { return QStringList{BadIfo, GoodIfo}; });
        rig.dvd->AddIfoFiles();
        QCOMPARE(rig.prompt.texts(), QStringList{"The selected IFO File is invalid, please choose another one."});
        QCOMPARE(rig.prompt.messages[0].icon, PromptIcon::Information);
        QCOMPARE(opened, QStringList{BadIfo});  // the rest is not processed
        QCOMPARE(rig.form.lv->topLevelItemCount(), 0);

        rig.dvd->setIfoDialogHook([](const QString&) { return std::nullopt; });
        rig.dvd->AddIfoFiles();
        QCOMPARE(rig.prompt.messages.size(), 1);
    }

    void zeroTimesAndMissingCells()
    {
        Rig rig;
        rig.dvd->setReaderFactory([] {
            auto r = std::make_unique<FakeIfoReader>();
            FakeIfoFile f;
            FakeChain noCells;
            noCells.time = {1, 0, 0};
            f.chains.append(noCells);
            f.chains.append(MakeChain({0, 7}, 2000, 0));  // a cell of no time
            FakeChain zero = MakeChain({5}, 2000, 9000);
            zero.time = {};
            f.chains.append(zero);
            r->files.insert(GoodIfo, f);
            return std::unique_ptr<IfoReader>(std::move(r));
        });
        rig.state.TitleMode = false;
        rig.dvd->setIfoDialogHook([](const QString&) { return QStringList{GoodIfo}; });
        rig.dvd->AddIfoFiles();
        QCOMPARE(rig.captions(), QStringList({"Title_01", "  Chapter_02"}));
        QCOMPARE(rig.dvd->list().DvdRowInfos[1].StartSecond, 0);
        QCOMPARE(rig.dvd->list().ChapterChecks, QVector<bool>({true, true}));
        // No audio stream: the box is empty and the row's id is "0".
        QCOMPARE(rig.form.cb_audio->count(), 0);
        QCOMPARE(rig.dvd->list().DvdRowInfos[0].AudioId, "0");
    }

    // Stream choices are kept for every row, also far past the 501 rows of a fixed table.
    void streamChoicesForHundredsOfRows()
    {
        Rig rig;
        rig.dvd->setReaderFactory([] {
            auto r = std::make_unique<FakeIfoReader>();
            FakeIfoFile f;
            f.audio = QStringList{"English AC3 2ch (0x80)", "French AC3 2ch (0x81)"};
            for (int i = 0; i < 700; ++i)
                f.chains.append(MakeChain({3}, 1500, quint32(i) * 2000));
            r->files.insert(GoodIfo, f);
            return std::unique_ptr<IfoReader>(std::move(r));
        });
        rig.dvd->setIfoDialogHook([](const QString&) { return QStringList{GoodIfo}; });
        rig.dvd->AddIfoFiles();
        QCOMPARE(rig.form.lv->topLevelItemCount(), 700);
        QCOMPARE(rig.form.lv->topLevelItem(699)->text(0), "Title_700");
        rig.select(650);
        rig.chooseAudio(1);
        rig.select(10);
        QCOMPARE(rig.form.cb_audio->currentIndex(), 0);
        rig.select(650);
        QCOMPARE(rig.form.cb_audio->currentIndex(), 1);
        QCOMPARE(rig.dvd->list().DvdRowInfos[650].AudioId, "0x81");
    }

    // The optical-drive wait: the folder's mount (from a fake table) is an optical drive, so
    // the volume query runs first, on another thread, while the window keeps its events going.
    void waitsForAnOpticalDrive_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("fileSystem");
        QTest::addColumn<bool>("waits");
        QTest::newRow("/dev/sr0") << "/dev/sr0" << "ext4" << true;
        QTest::newRow("udf image") << "/dev/loop0" << "udf" << true;
        QTest::newRow("iso9660") << "/dev/sdc" << "iso9660" << true;
        QTest::newRow("hard disk") << "/dev/sda1" << "ext4" << false;
    }
    void waitsForAnOpticalDrive()
    {
        QFETCH(QString, device);
        QFETCH(QString, fileSystem);
        QFETCH(bool, waits);
        Rig rig;
        const QString mountPoint = QFileInfo(disc()).canonicalFilePath();
        rig.dvd->setMountTable([=] {
            return QVector<drives::MountEntry>{{"/dev/sda1", "/", "ext4"}, {device, mountPoint, fileSystem}};
        });
        QStringList queried;
        bool waitingSeen = false;
        rig.dvd->setVolumeQuery([&](const QString& mp) {
            queried << mp;
            waitingSeen = rig.dvd->WaitingForDrive();
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            return true;
        });
        int ticks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, [&] { ++ticks; });
        timer.start(20);
        rig.openDisc(disc() + "/VIDEO_TS");
        QCOMPARE(queried, waits ? QStringList{mountPoint} : QStringList{});
        QCOMPARE(waitingSeen, waits);
        if (waits)
            QVERIFY2(ticks >= 4, qPrintable(QString::number(ticks)));
        QVERIFY(!rig.dvd->WaitingForDrive());
        QCOMPARE(rig.captions(), QStringList({"Title_01", "Title_02"}));
    }

    // Unchecked rows are skipped, a checked row converts its own sectors for its own length
    // into a file named after its caption, and the finish action runs once at the end.
    void jobsOfCheckedRows()
    {
        Rig rig;
        QTemporaryDir out;
        rig.form.ed_output->setText(out.path());
        rig.openDisc();
        rig.dvd->ToggleTitleMode();  // Title_01, Chapter_01..03, Title_05, Chapter_01
        rig.dvd->SetAllChecks(false);
        rig.setCheck(2, true);
        rig.setCheck(3, true);
        rig.select(2);
        rig.chooseAudio(1);
        rig.chooseSubtitle(1);
        QFile(out.path() + "/Chapter_02.avi").open(QIODevice::WriteOnly);  // taken: numbered name

        rig.conversion.StartConversion();
        QCOMPARE(rig.conversion.jobs.size(), 1);
        const TConvertInfo& ch2 = rig.dvd->list().DvdRowInfos[2];
        const intputrec& job = rig.conversion.jobs[0];
        QCOMPARE(job.InputPath, QString("vts://01*%1*%2*0x81*0x20*/%3").arg(ch2.StartSector).arg(ch2.EndSector).arg(disc()));
        QVERIFY(ch2.StartSector > 0);
        QCOMPARE(job.DurationLimitArg, " -t 00:00:04");
        QCOMPARE(job.DurationSec, 4);
        QCOMPARE(job.OutputPath, out.path() + "/  Chapter_02_1.avi");
        QCOMPARE(job.EncoderPath, "/prog/register.dat");
        QCOMPARE(job.SizeArg, " -s 640x480");
        QCOMPARE(job.ChannelsArg, " -ac 2 ");
        QCOMPARE(job.ProfileArgs, "-vcodec mpeg4");
        QVERIFY(rig.form.Timer2->isActive());
        rig.form.Timer2->stop();
        QCOMPARE(rig.state.CurrentJobIndex, 2);
        QCOMPARE(rig.form.lv->topLevelItem(0)->text(lvcol::Status), "Ready");

        rig.conversion.jobEnded();
        QCOMPARE(rig.conversion.jobs.size(), 2);
        QCOMPARE(rig.conversion.jobs[1].OutputPath, out.path() + "/Chapter_03.avi");
        QVERIFY(rig.conversion.jobs[1].InputPath.startsWith("vts://01*3208*"));
        QCOMPARE(rig.form.lv->topLevelItem(2)->text(lvcol::Status), "Finish");

        // Chapter_03 fails; Title_05 is unchecked, so the skip writes over row 3's status, and
        // must leave "Failed" there.
        rig.setCheck(5, true);
        rig.conversion.jobEnded(true);
        QCOMPARE(rig.form.lv->topLevelItem(3)->text(lvcol::Status), "Failed");
        QCOMPARE(rig.conversion.jobs.size(), 3);
        QCOMPARE(rig.conversion.jobs[2].OutputPath, out.path() + "/Chapter_01.avi");
        rig.conversion.jobEnded();
        QCOMPARE(rig.conversion.jobs.size(), 3);
        QCOMPARE(rig.form.lv->topLevelItem(4)->text(lvcol::Status), "Ready");
        QCOMPARE(rig.form.lv->topLevelItem(5)->text(lvcol::Status), "Finish");
        QCOMPARE(rig.conversion.finishActions, 1);
        QVERIFY(!rig.state.IsConverting);
        QVERIFY(rig.conversion.failures.isEmpty());
    }

    void nothingChecked()
    {
        Rig rig;
        rig.openDisc();
        rig.dvd->SetAllChecks(false);
        rig.form.ProgressBar1->show();
        rig.conversion.StartConversion();
        QVERIFY(rig.conversion.jobs.isEmpty());
        QVERIFY(!rig.state.IsConverting);
        QVERIFY(rig.form.ProgressBar1->isHidden());
        QCOMPARE(rig.conversion.finishActions, 1);
        QCOMPARE(rig.form.lv->topLevelItem(1)->text(lvcol::Status), "Ready");
    }

    void jobThatCannotStartFails()
    {
        Rig rig;
        QTemporaryDir out;
        QFile blocker(out.path() + "/file");
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        rig.form.ed_output->setText(out.path() + "/file/sub");  // cannot be made
        rig.openDisc();
        rig.conversion.StartConversion();
        QVERIFY(rig.conversion.jobs.isEmpty());
        QCOMPARE(rig.conversion.failures.size(), 1);
    }

    void otherEditionsIgnoreClicks()
    {
        Rig rig("Video Converter");
        rig.dvd->OpenFolderAsDvd(disc());
        QCOMPARE(rig.form.lv->topLevelItemCount(), 2);
        QCOMPARE(rig.form.lv->topLevelItem(0)->data(0, Qt::CheckStateRole), QVariant());
        rig.form.cb_audio->clear();
        rig.select(1);
        QCOMPARE(rig.form.cb_audio->count(), 0);
    }
};

VC_TEST_MAIN(TestDvdController)
#include "tst_dvd_controller.moc"
