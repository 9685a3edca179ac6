// The built program in a real X window: each edition name maps a window captioned
// "Video Converter", shows its edition's direction items, and saves its settings when asked to end.
#include "app/Tfm_main.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TestMain.h"
#include "tests/support/XWindows.h"

#include <QComboBox>
#include <QProcess>

#include <csignal>

namespace {

const QString ProgramDir = QStringLiteral(VC_PROGRAM_DIR "/");

} // namespace

class TestProgramXvfb : public QObject {
    Q_OBJECT
private slots:
    void editionsMapTheirWindow_data();
    void editionsMapTheirWindow();
};

void TestProgramXvfb::editionsMapTheirWindow_data()
{
    QTest::addColumn<QString>("edition");
    QTest::addColumn<QStringList>("directions");
    QTest::newRow("AVI") << "AVI Converter" << QStringList{"Convert Video To AVI", "Convert AVI To Video"};
    QTest::newRow("general") << "Video Converter" << QStringList{};
}

void TestProgramXvfb::editionsMapTheirWindow()
{
    QFETCH(QString, edition);
    QFETCH(QStringList, directions);
    QTemporaryDir home;
    QProcess program;
    program.setProcessEnvironment(xwindows::programEnvironment(home.path()));
    program.start(ProgramDir + edition, {});
    QVERIFY(program.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(!xwindows::viewableWindow("Video Converter").isEmpty(), 20000);

    const QString shots = QStringLiteral(VC_BINARY_DIR "/screenshots");
    QDir().mkpath(shots);
    xwindows::screenshot(shots + "/program-" + QString(edition).replace(' ', '-') + ".png");

    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    QVERIFY(program.waitForFinished(15000));
    QCOMPARE(program.exitCode(), 0);
    const IniFile ini(home.path() + "/config/videoconverter/" + edition + ".ini");
    QCOMPARE(ini.readString("profiles", "BisSingle", "missing"), QString("1"));
    QVERIFY(!QFile::exists(home.path() + "/prompts.log"));

    // The same edition in this process, to read its controls.
    ScriptedPrompt prompt;
    Tfm_main w(edition, ProgramDir, {}, &prompt);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QStringList items;
    for (int i = 0; i < w.form().cb_channel->count(); ++i)
        items << w.form().cb_channel->itemText(i);
    QCOMPARE(items, directions);
    QCOMPARE(w.form().cb_channel->isVisible(), true);
    QVERIFY(w.close());
}

VC_TEST_MAIN(TestProgramXvfb)
#include "tst_program_xvfb.moc"
