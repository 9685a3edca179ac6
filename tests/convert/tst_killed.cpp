// The program killed outright (SIGKILL, no chance to clean up) during a conversion or a probe:
// the transcoder and what it started must end with it.
#include "tests/convert/StandIn.h"
#include "tests/support/TestMain.h"

#include <QProcess>

class TestKilled : public QObject {
    Q_OBJECT
private slots:
    void transcoderEndsWithTheProgram_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::newRow("conversion") << "job";
        QTest::newRow("probe") << "probe";
    }

    void transcoderEndsWithTheProgram()
    {
        QFETCH(QString, mode);
        standin::Program program;
        program.jobScript(QStringLiteral("default"), QStringLiteral("child\nstall\n"));
        program.probeScript(QStringLiteral("default"), QStringLiteral("child\nstall\n"));
        const QString source = program.root() + QStringLiteral("a.avi");
        QFile(source).open(QIODevice::WriteOnly);

        QProcess helper;
        helper.setProcessChannelMode(QProcess::ForwardedChannels);
        helper.start(QStringLiteral(VC_KILLED_HELPER),
                     {mode, program.programDir(), source, program.root() + QStringLiteral("out")});
        QVERIFY(helper.waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(program.children().size(), 1, 10000);
        const qint64 transcoder = program.calls().at(0).pid;
        const qint64 child = program.children().at(0);
        QVERIFY(standin::alive(transcoder));
        QVERIFY(standin::alive(child));

        helper.kill();
        QVERIFY(helper.waitForFinished());
        QTRY_VERIFY_WITH_TIMEOUT(!standin::alive(transcoder) && !standin::alive(child), 3000);
    }
};

VC_TEST_MAIN(TestKilled)
#include "tst_killed.moc"
