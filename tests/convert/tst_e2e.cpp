// End to end with the real register.dat and ffmpeg: files added through the probe, converted by
// the runner in the main window, outputs checked with ffprobe.
#include "app/Tfm_main.h"
#include "tests/convert/StandIn.h"
#include "tests/support/Fixtures.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TestMain.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QLineEdit>
#include <QTreeWidget>

namespace {

const QString ProgramDir = QStringLiteral(VC_PROGRAM_DIR "/");

QByteArray hashOf(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1);
}

// Processes whose command line mentions the text (our temporary folder).
QStringList processesMentioning(const QString& text)
{
    QStringList found;
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        if (!pid.front().isDigit() || !standin::alive(pid.toLongLong()))
            continue;
        QFile f(QStringLiteral("/proc/") + pid + QStringLiteral("/cmdline"));
        if (f.open(QIODevice::ReadOnly) && QString::fromUtf8(f.readAll()).contains(text))
            found.append(pid);
    }
    return found;
}

QStringList shellActions()
{
    QFile f(vctest::shellLog());
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

class TestEndToEnd : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    ScriptedPrompt prompt;
    std::unique_ptr<Tfm_main> w;

    QString path(const QString& name) const { return dir.path() + u'/' + name; }

    // A clip made under a plain name, then given the (hostile) name.
    QString clip(const QString& name, double seconds = 2.0, const QString& size = QStringLiteral("320x240"))
    {
        const QString plain = path(QStringLiteral("plain") + name.mid(name.lastIndexOf(u'.')));
        if (!fixtures::makeClip(plain, seconds, size))
            return QString();
        QFile::remove(path(name));
        QFile::rename(plain, path(name));
        return path(name);
    }

    void useProfile(int id)
    {
        w->state().ProfileId = id;
        w->context().profiles->SelectProfile(id);
    }

    bool convert(const QString& out, int ms = 120000)
    {
        w->form().ed_output->setText(out);
        w->context().conversion->StartConversion();
        QElapsedTimer t;
        t.start();
        while (w->state().IsConverting && t.elapsed() < ms)
            QTest::qWait(20);
        return !w->state().IsConverting;
    }

    QString status(int row) const { return w->form().lv->topLevelItem(row)->text(lvcol::Status); }

private slots:
    void initTestCase()
    {
        if (!QFileInfo(ProgramDir + QStringLiteral("register.dat")).isExecutable())
            QSKIP("register.dat is not built");
        if (!QFileInfo::exists(ProgramDir + QStringLiteral("profiles.pop")))
            QSKIP("profiles.pop is not in the program directory");
    }

    void init()
    {
        QFile::remove(vctest::shellLog());
        prompt.messages.clear();
        w = std::make_unique<Tfm_main>(QStringLiteral("Video Converter"), ProgramDir, QStringList{}, &prompt);
        w->show();
        prompt.messages.clear();  // start-up notes (a missing skin) are not this test's business
    }

    void cleanup() { w.reset(); }

    void hostileNamesToWmvAndH264()
    {
        const QStringList names{QStringLiteral("-lead \"dq\" 'sq' $(touch PWNED) back\\slash.avi"),
                                QStringLiteral("ñandú 長い名前 clip.mkv"), QString(200, u'L') + QStringLiteral(".mp4")};
        QStringList files;
        for (const QString& n : names) {
            files.append(clip(n));
            QVERIFY2(!files.last().isEmpty(), qPrintable(n));
        }
        useProfile(7);
        w->context().sources->AddPaths(files);
        QCOMPARE(w->form().lv->topLevelItemCount(), 3);
        QVERIFY2(prompt.messages.isEmpty(), qPrintable(prompt.texts().join(u'\n')));
        QCOMPARE(w->state().SourceInfos[0].FrameSize, QStringLiteral("320x240"));
        QCOMPARE(w->state().SourceInfos[1].DurationText, QStringLiteral("00:00:02"));

        for (const auto& [profile, folder, ext] : {std::tuple{7, QStringLiteral("wmv out"), QStringLiteral(".wmv")},
                                                   std::tuple{122, QStringLiteral("mp4 out"), QStringLiteral(".mp4")}}) {
            useProfile(profile);
            QVERIFY(convert(path(folder)));
            for (int r = 0; r < 3; ++r) {
                QCOMPARE(status(r), QStringLiteral("Finish"));
                const QString name = names[r].left(names[r].lastIndexOf(u'.')) + ext;
                const QString out = path(folder) + u'/' + name;
                QVERIFY2(QFileInfo::exists(out), qPrintable(out));
                QCOMPARE(fixtures::probe(out, QStringLiteral("stream=codec_type"), QStringLiteral("v:0")), QStringLiteral("video"));
                QCOMPARE(fixtures::probe(out, QStringLiteral("stream=codec_type"), QStringLiteral("a:0")), QStringLiteral("audio"));
                const double seconds = fixtures::probe(out, QStringLiteral("format=duration")).toDouble();
                QVERIFY2(seconds > 1.5 && seconds < 2.6, qPrintable(QString::number(seconds)));
            }
            if (ext == QLatin1String(".mp4"))
                QCOMPARE(fixtures::probe(path(folder) + u'/' + names[1].left(names[1].lastIndexOf(u'.')) + ext,
                                         QStringLiteral("stream=codec_name"), QStringLiteral("v:0")),
                         QStringLiteral("h264"));
        }
        // No name was ever taken for a command.
        QVERIFY(QDirIterator(dir.path(), {QStringLiteral("PWNED")}, QDir::Files, QDirIterator::Subdirectories).hasNext() == false);
        QVERIFY(!QFileInfo::exists(ProgramDir + QStringLiteral("PWNED")));
        QVERIFY(!QFileInfo::exists(QDir::currentPath() + QStringLiteral("/PWNED")));
    }

    void nameCollisionsAndTheSourceFolder()
    {
        const QString a1 = clip(QStringLiteral("a.avi"));
        const QString a2 = clip(QStringLiteral("a.mpg"));
        const QString s = clip(QStringLiteral("s.mp4"));
        const QByteArray sourceHash = hashOf(s);
        useProfile(122);
        w->context().sources->AddPaths({a1, a2});
        QVERIFY(convert(path(QStringLiteral("collide"))));
        QVERIFY(QFileInfo::exists(path(QStringLiteral("collide/a.mp4"))));
        QVERIFY(QFileInfo::exists(path(QStringLiteral("collide/a_1.mp4"))));
        QVERIFY(!fixtures::probe(path(QStringLiteral("collide/a_1.mp4")), QStringLiteral("format=duration")).isEmpty());

        // Into the source's own folder: a numbered name, the source untouched.
        w->form().lv->clear();
        w->state().SourceInfos.clear();
        w->context().sources->AddPaths({s});
        QVERIFY(convert(dir.path()));
        QCOMPARE(status(0), QStringLiteral("Finish"));
        QCOMPARE(hashOf(s), sourceHash);
        QVERIFY(QFileInfo::exists(path(QStringLiteral("s_1.mp4"))));
    }

    void failingJobReadsFailed()
    {
        const QString good = clip(QStringLiteral("good.avi"));
        const QString bad = clip(QStringLiteral("bad.avi"));
        useProfile(7);
        w->context().sources->AddPaths({bad, good});
        QCOMPARE(w->form().lv->topLevelItemCount(), 2);
        QFile f(bad);  // damaged after it was added
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QByteArray(4096, 'x'));
        f.close();
        w->state().FinishAction = 1;
        QVERIFY(convert(path(QStringLiteral("fail"))));
        QCOMPARE(status(0), QStringLiteral("Failed"));
        QVERIFY(!w->form().lv->topLevelItem(0)->toolTip(lvcol::Status).isEmpty());
        QCOMPARE(status(1), QStringLiteral("Finish"));
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("fail/bad.wmv"))));
        QVERIFY(QFileInfo::exists(path(QStringLiteral("fail/good.wmv"))));
        QCOMPARE(shellActions().size(), 1);
    }

    void stopLeavesNothingBehind()
    {
        const QString longer = clip(QStringLiteral("long.avi"), 30.0, QStringLiteral("640x480"));
        QVERIFY(!longer.isEmpty());
        useProfile(122);
        w->context().sources->AddPaths({longer});
        w->form().ed_output->setText(path(QStringLiteral("stopped")));
        w->context().conversion->StartConversion();
        QTRY_VERIFY_WITH_TIMEOUT(status(0).endsWith(u'%') && status(0) != QStringLiteral("00.00%"), 60000);
        QVERIFY(!processesMentioning(dir.path()).isEmpty());
        w->context().conversion->StopConversion();
        QCOMPARE(status(0), QStringLiteral("Stop"));
        QTRY_VERIFY_WITH_TIMEOUT(processesMentioning(dir.path()).isEmpty(), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(QDir(path(QStringLiteral("stopped"))).entryList(QDir::Files | QDir::Hidden).isEmpty(), 5000);
        QVERIFY(shellActions().isEmpty());
    }
};

VC_TEST_MAIN(TestEndToEnd)
#include "tst_e2e.moc"
