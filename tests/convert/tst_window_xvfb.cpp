// The job list and a running batch in the real window under Xvfb, with the real register.dat:
// screenshots of the list while a job runs and after the batch (one row failed) go to
// build/screenshots/ for a look.
#include "app/Tfm_main.h"
#include "tests/support/Fixtures.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TestMain.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QScreen>
#include <QTreeWidget>

namespace {

const QString ProgramDir = QStringLiteral(VC_PROGRAM_DIR "/");

void shoot(QWidget& w, const QString& name)
{
    const QString dir = QStringLiteral(VC_BINARY_DIR "/screenshots/");
    QDir().mkpath(dir);
    QVERIFY(w.grab().save(dir + name));
}

} // namespace

class TestConvertWindow : public QObject {
    Q_OBJECT
private slots:
    void batchInTheWindow()
    {
        if (!QFileInfo(ProgramDir + QStringLiteral("register.dat")).isExecutable()
            || !QFileInfo::exists(ProgramDir + QStringLiteral("profiles.pop")))
            QSKIP("register.dat or profiles.pop is not built");
        QTemporaryDir dir;
        const QStringList files{dir.path() + QStringLiteral("/holiday by the sea.avi"),
                                dir.path() + QStringLiteral("/concert 'live' (2).mkv"),
                                dir.path() + QStringLiteral("/damaged.mpg")};
        QVERIFY(fixtures::makeClip(files[0], 2.0, QStringLiteral("640x480")));
        QVERIFY(fixtures::makeClip(files[1], 20.0, QStringLiteral("640x480")));
        QVERIFY(fixtures::makeClip(files[2], 2.0));

        ScriptedPrompt prompt;
        Tfm_main w(QStringLiteral("Video Converter"), ProgramDir, files, &prompt);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTRY_COMPARE_WITH_TIMEOUT(w.form().lv->topLevelItemCount(), 3, 30000);  // the start paths
        w.state().ProfileId = 7;
        w.context().profiles->SelectProfile(7);
        QFile damaged(files[2]);
        QVERIFY(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
        damaged.write(QByteArray(2048, '\x55'));
        damaged.close();
        w.form().ed_output->setText(dir.path() + QStringLiteral("/out"));

        w.context().conversion->StartConversion();
        QTRY_VERIFY_WITH_TIMEOUT(w.form().lv->topLevelItem(1)->text(lvcol::Status).endsWith(u'%')
                                     && w.form().ProgressBar1->value() > 1500,
                                 60000);
        QVERIFY(w.form().ProgressBar1->isVisible());
        shoot(w, QStringLiteral("convert-running.png"));
        QTRY_VERIFY_WITH_TIMEOUT(!w.state().IsConverting, 120000);
        QCOMPARE(w.form().lv->topLevelItem(0)->text(lvcol::Status), QStringLiteral("Finish"));
        QCOMPARE(w.form().lv->topLevelItem(1)->text(lvcol::Status), QStringLiteral("Finish"));
        QCOMPARE(w.form().lv->topLevelItem(2)->text(lvcol::Status), QStringLiteral("Failed"));
        QVERIFY(!w.form().ProgressBar1->isVisible());
        w.form().lv->setCurrentItem(w.form().lv->topLevelItem(2));
        QTest::qWait(100);
        shoot(w, QStringLiteral("convert-finished.png"));
    }
};

VC_TEST_MAIN(TestConvertWindow)
#include "tst_window_xvfb.moc"
