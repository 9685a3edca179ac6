// The job list's commands on real controls, probing through the scripted stand-in transcoder.
#include "sources/EncoderProcess.h"
#include "sources/Filters.h"
#include "sources/ui/SourceList.h"
#include "tests/convert/StandIn.h"
#include "tests/support/TestMain.h"

#include <QTimer>

using standin::report;

class TestSourceList : public QObject {
    Q_OBJECT

    std::unique_ptr<standin::Program> program;
    std::unique_ptr<standin::Window> win;
    std::unique_ptr<SourceList> list;
    QString media;  // a folder of (empty) source files

    QString touch(const QString& name)
    {
        const QString path = media + name;
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        return path;
    }

    void chooseFiles(const QStringList& files)
    {
        list->setOpenDialogHook([files](const QString&, bool) { return std::optional<QStringList>(files); });
    }

private slots:
    void init()
    {
        program = std::make_unique<standin::Program>();
        program->probeScript(QStringLiteral("default"), report(QStringLiteral("00:00:10"), 1000, QStringLiteral("640x480"), 800, 128));
        win = std::make_unique<standin::Window>(program->programDir());
        win->useProfile(7, {QStringLiteral("320x240"), QStringLiteral("640x480"), QStringLiteral("The original width and height")}, 0);
        list = std::make_unique<SourceList>(*win->ctx);
        win->ctx->sources = list.get();
        media = program->root() + QStringLiteral("media/");
        QDir().mkpath(media);
    }

    void cleanup()
    {
        list.reset();
        win.reset();
        program.reset();
    }

    void addedRowShowsTheProbe()
    {
        program->probeScript(QStringLiteral("a b.avi"), report(QStringLiteral("01:02:03"), 1000, QStringLiteral("640x480"), 0, 128)
                                                              .replace(QStringLiteral("Video: mpeg4, yuv420p, 640x480, 0 kb/s"),
                                                                       QStringLiteral("Video: mpeg4, yuv420p, 640x480")));
        const QString path = touch(QStringLiteral("a b.avi"));
        QVERIFY(list->AddSourceFile(path));
        QCOMPARE(win->rows(), 1);
        QCOMPARE(win->text(0, lvcol::Name), QStringLiteral("a b"));
        QCOMPARE(win->text(0, lvcol::Size), QStringLiteral("640x480"));
        QCOMPARE(win->text(0, lvcol::Time), QStringLiteral("01:02:03"));
        // 240 lines x 3.33 = 799 plus 128 kbit/s for 3723 s.
        QCOMPARE(win->text(0, lvcol::OutputSize), quality::EstimateOutputSize(927, 3723));
        QCOMPARE(win->status(0), QStringLiteral("Status"));
        QCOMPARE(win->state.SourceInfos.size(), 1);
        QCOMPARE(win->state.SourceInfos[0].SourcePath, path);
        QCOMPARE(win->state.SourceInfos[0].VideoKbps, QStringLiteral("872"));  // no video value: total - audio
        QCOMPARE(win->state.SourceInfos[0].AudioKbps, QStringLiteral("128"));

        const QList<standin::Call> calls = program->calls();
        QCOMPARE(calls.size(), 1);
        QCOMPARE(calls[0].args, (QStringList{QStringLiteral("-i"), path}));
    }

    void addFilesKeepsOrderAndReportsUnreadableOnes()
    {
        program->probeScript(QStringLiteral("bad.avi"), QStringLiteral("say bad.avi: Invalid data found when processing input\\r\\n\n"));
        program->probeScript(QStringLiteral("silent.avi"), QString());
        const QStringList files{touch(QStringLiteral("c.avi")), touch(QStringLiteral("bad.avi")), touch(QStringLiteral("a.avi")),
                                touch(QStringLiteral("silent.avi"))};
        QString filter;
        bool hidden = false;
        list->setOpenDialogHook([&](const QString& f, bool h) {
            filter = f;
            hidden = h;
            return std::optional<QStringList>(files);
        });
        win->form.lv->hide();
        list->AddSourceFiles();
        QCOMPARE(filter, sources::ToQtFilter(sources::OpenDialog1Filter));
        QVERIFY(hidden);
        QVERIFY(!win->form.lv->isHidden());
        QCOMPARE(win->rows(), 2);
        QCOMPARE(win->text(0, lvcol::Name), QStringLiteral("c"));
        QCOMPARE(win->text(1, lvcol::Name), QStringLiteral("a"));
        QCOMPARE(win->state.SourceInfos.size(), 2);
        QCOMPARE(win->state.SourceInfos[1].SourcePath, files[2]);
        QVERIFY(win->form.lv->topLevelItem(0)->isSelected());
        // One message at the end names both files and why.
        QCOMPARE(win->prompt.messages.size(), 1);
        QCOMPARE(win->prompt.messages[0].icon, PromptIcon::Information);
        const QString text = win->prompt.messages[0].text;
        QVERIFY(text.contains(files[1] + QStringLiteral(" (bad.avi: Invalid data found when processing input)")));
        QVERIFY(text.contains(files[3]));
        QVERIFY(!text.contains(files[0]));
    }

    void otherDirectionUsesTheEditionFilter()
    {
        win->state.SingleFormatMode = false;
        win->state.EditionFilter = QStringLiteral("AVI files (*.avi)|*.avi");
        QString filter;
        bool hidden = true;
        list->setOpenDialogHook([&](const QString& f, bool h) {
            filter = f;
            hidden = h;
            return std::nullopt;
        });
        list->AddSourceFiles();
        QCOMPARE(filter, QStringLiteral("AVI files (*.avi)"));
        QVERIFY(!hidden);
        QCOMPARE(win->rows(), 0);
        QVERIFY(win->prompt.messages.isEmpty());
    }

    void guardsAndMissingTranscoder()
    {
        chooseFiles({touch(QStringLiteral("a.avi"))});
        win->state.IsConverting = true;
        list->AddSourceFiles();
        list->AddSourceFolder();
        QCOMPARE(win->prompt.texts(), (QStringList{refusal::StopConvert, refusal::StopConvert}));
        QVERIFY(win->dialogs.captions.isEmpty());
        win->state.IsConverting = false;

        QFile::remove(program->encoder());
        win->prompt.messages.clear();
        list->AddSourceFiles();
        QCOMPARE(win->prompt.messages.size(), 1);
        QCOMPARE(win->prompt.messages[0].text, sources::EncoderUnavailableText(program->encoder()));
        QCOMPARE(win->rows(), 0);
    }

    void noSecondProbeWhileOneRuns()
    {
        program->probeScript(QStringLiteral("slow.avi"),
                             QStringLiteral("sleep 400\n") + report(QStringLiteral("00:00:10"), 1000, QStringLiteral("64x48"), 800, 128));
        const QString slow = touch(QStringLiteral("slow.avi"));
        chooseFiles({touch(QStringLiteral("other.avi"))});
        bool tried = false;
        QTimer::singleShot(100, this, [&] {
            QVERIFY(list->ProbeRunning());
            list->AddSourceFiles();
            QVERIFY(!list->AddSourceFile(slow));
            tried = true;
        });
        QVERIFY(list->AddSourceFile(slow));
        QVERIFY(tried);
        QCOMPARE(win->rows(), 1);
        QCOMPARE(program->calls().size(), 1);
    }

    void folderTakesListedExtensions()
    {
        touch(QStringLiteral("CLIP.AVI"));
        touch(QStringLiteral("clip.avi.txt"));
        touch(QStringLiteral("b.mpg"));
        QDir().mkpath(media + QStringLiteral("x.avi"));
        program->probeScript(QStringLiteral("x.avi"), QStringLiteral("say x.avi: Is a directory\\r\\n\n"));
        win->dialogs.folder = media.chopped(1);
        list->AddSourceFolder();
        QCOMPARE(win->dialogs.captions, QStringList{QStringLiteral("File Directory")});
        QCOMPARE(win->rows(), 2);
        QCOMPARE(win->text(0, lvcol::Name), QStringLiteral("b"));
        QCOMPARE(win->text(1, lvcol::Name), QStringLiteral("CLIP"));
        QStringList probed;
        for (const standin::Call& c : program->calls())
            probed.append(c.args.value(1));
        QCOMPARE(probed, (QStringList{media + QStringLiteral("b.mpg"), media + QStringLiteral("CLIP.AVI"), media + QStringLiteral("x.avi")}));
        QCOMPARE(win->prompt.messages.size(), 1);
        QVERIFY(win->prompt.messages[0].text.contains(media + QStringLiteral("x.avi (x.avi: Is a directory)")));

        // Cancelled folder dialog: nothing happens.
        win->dialogs.folder.clear();
        list->AddSourceFolder();
        QCOMPARE(win->rows(), 2);
    }

    void removeKeepsRowsAndRecordsPaired()
    {
        for (int i = 0; i < 5; ++i)
            win->addRow({QStringLiteral("/s/%1.avi").arg(i), QStringLiteral("8x8"), QString(), QStringLiteral("1"), QStringLiteral("1")},
                        QString::number(i));
        win->form.lv->topLevelItem(1)->setSelected(true);
        win->form.lv->topLevelItem(3)->setSelected(true);
        list->RemoveSelectedSources();
        QCOMPARE(win->rows(), 3);
        QCOMPARE(win->state.SourceInfos.size(), 3);
        for (int r = 0; r < 3; ++r)
            QCOMPARE(win->state.SourceInfos[r].SourcePath, QStringLiteral("/s/%1.avi").arg(win->text(r, lvcol::Name)));
        QCOMPARE(win->text(2, lvcol::Name), QStringLiteral("4"));
        QCOMPARE(firstSelectedRow(win->form), 2);
        QVERIFY(win->dvd.removed.isEmpty());  // not the DVD edition

        // Guards: playing first, then converting.
        win->state.IsPlaying = true;
        win->state.IsConverting = true;
        list->RemoveSelectedSources();
        list->ClearSources();
        QCOMPARE(win->prompt.texts(), (QStringList{refusal::StopPlay, refusal::StopPlay}));
        QCOMPARE(win->rows(), 3);
    }

    void removeInTheDvdEditionTellsTheDvdLists()
    {
        standin::Window dvdWin(program->programDir(), QStringLiteral("DVD Ripper"));
        SourceList dvdList(*dvdWin.ctx);
        for (int i = 0; i < 4; ++i)
            dvdWin.addRow({QString(), QStringLiteral("720x576"), QStringLiteral("00:01:00"), QString(), QString()}, QString::number(i));
        dvdWin.form.lv->topLevelItem(0)->setSelected(true);
        dvdWin.form.lv->topLevelItem(2)->setSelected(true);
        dvdList.RemoveSelectedSources();
        QCOMPARE(dvdWin.dvd.removed, QList<QList<int>>{(QList<int>{0, 2})});
        dvdWin.prompt.answers = {true};
        dvdList.ClearSources();
        QCOMPARE(dvdWin.dvd.removed.last(), (QList<int>{0, 1}));
        QCOMPARE(dvdWin.rows(), 0);

        dvdList.AddPaths({media.chopped(1), touch(QStringLiteral("VTS_01_0.IFO")), touch(QStringLiteral("clip.avi"))});
        QCOMPARE(dvdWin.dvd.openedFolders, (QStringList{media.chopped(1), media.chopped(1)}));
        QCOMPARE(dvdWin.prompt.messages.size(), 2);  // the clear question, then the report
        QVERIFY(dvdWin.prompt.messages[1].text.contains(media + QStringLiteral("clip.avi")));
    }

    void clearAsksFirst()
    {
        list->ClearSources();  // empty list: no question
        QVERIFY(win->prompt.messages.isEmpty());
        win->addRow({QStringLiteral("/s/a.avi"), QStringLiteral("8x8"), QString(), QStringLiteral("1"), QStringLiteral("1")}, QStringLiteral("a"));
        win->prompt.answers = {false, true};
        list->ClearSources();
        QCOMPARE(win->rows(), 1);
        QCOMPARE(win->prompt.messages[0].icon, PromptIcon::Question);
        QCOMPARE(win->prompt.messages[0].buttons, PromptButtons::YesNo);
        QCOMPARE(win->prompt.messages[0].text,
                 QStringLiteral("Are you sure to remove all the files from filelist?\nNot delete from your computer."));
        list->ClearSources();
        QCOMPARE(win->rows(), 0);
        QVERIFY(win->state.SourceInfos.isEmpty());
        QVERIFY(QFileInfo::exists(program->encoder()));
    }

    void refreshFollowsTheChoices()
    {
        win->addRow({QStringLiteral("/s/a.avi"), QStringLiteral("1280x720"), QStringLiteral("00:01:00"), QStringLiteral("2000"),
                     QStringLiteral("192")}, QStringLiteral("a"));
        win->addRow({QStringLiteral("/s/b.avi"), QStringLiteral("640x480"), QString(), QStringLiteral("900"), QStringLiteral("96")},
                    QStringLiteral("b"));
        list->RefreshOutputSizes();
        QCOMPARE(win->text(0, lvcol::OutputSize), quality::EstimateOutputSize(799 + 128, 60));
        QCOMPARE(win->text(1, lvcol::OutputSize), QStringLiteral("0.00MB"));  // no duration
        win->form.cb_size->setCurrentIndex(2);  // the source's own size: 720 lines
        list->RefreshOutputSizes();
        QCOMPARE(win->text(0, lvcol::OutputSize), quality::EstimateOutputSize(qRound(720 * 3.33) + 128, 60));

        // A record the arithmetic cannot read: one error message, as the conversion error.
        win->state.SourceInfos[0].FrameSize = QStringLiteral("1280xabc");
        list->RefreshOutputSizes();
        QCOMPARE(win->prompt.texts(), QStringList{quality::NotAnIntegerMessage(QStringLiteral("abc"))});
    }

    void commandLinePaths()
    {
        const QString first = touch(QStringLiteral("z first.avi"));
        QDir().mkpath(media + QStringLiteral("folder"));
        const QString inFolder = touch(QStringLiteral("folder/in.mpg"));
        touch(QStringLiteral("folder/skip.txt"));
        const QString last = touch(QStringLiteral("a last.avi"));
        QDir::setCurrent(media);
        list->AddPaths({QStringLiteral("z first.avi"), media + QStringLiteral("folder"), QUrl::fromLocalFile(last).toString()});
        QCOMPARE(win->rows(), 3);
        QCOMPARE(win->state.SourceInfos[0].SourcePath, first);  // made absolute
        QCOMPARE(win->state.SourceInfos[1].SourcePath, inFolder);
        QCOMPARE(win->state.SourceInfos[2].SourcePath, last);
        QVERIFY(win->prompt.messages.isEmpty());
    }
};

VC_TEST_MAIN(TestSourceList)
#include "tst_source_list.moc"
