// An install into a temporary prefix: the program directory, a launcher per edition that
// starts that edition, valid desktop entries and the icons.
#include "tests/support/TestMain.h"
#include "tests/support/XWindows.h"

#include <QDirIterator>
#include <QProcess>

#include <csignal>

namespace {

int runTool(const QString& program, const QStringList& args, QString* output = nullptr)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(300000))
        return -1;
    if (output)
        *output = QString::fromUtf8(p.readAll());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

QStringList relativeEntries(const QString& root)
{
    QStringList list;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        list << it.next().mid(root.size());
    list.sort();
    return list;
}

} // namespace

class TestInstall : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void programDirectory();
    void desktopEntries();
    void launchersStartTheirEdition_data();
    void launchersStartTheirEdition();

private:
    QTemporaryDir prefix_;
};

void TestInstall::initTestCase()
{
    QString out;
    QCOMPARE(runTool("cmake", {"--install", VC_BINARY_DIR, "--prefix", prefix_.path()}, &out), 0);
}

void TestInstall::programDirectory()
{
    const QString lib = prefix_.path() + "/lib/videoconverter";
    QCOMPARE(relativeEntries(lib), relativeEntries(VC_PROGRAM_DIR));
    QVERIFY(QFileInfo(lib + "/Video Converter").isExecutable());
    QCOMPARE(QFileInfo(lib + "/AVI Converter").symLinkTarget(), lib + "/Video Converter");
    for (int size : {16, 32, 48, 256})
        QVERIFY(QFile::exists(prefix_.path() + QString("/share/icons/hicolor/%1x%1/apps/videoconverter.png").arg(size)));
}

void TestInstall::desktopEntries()
{
    const QStringList entries = QDir(prefix_.path() + "/share/applications").entryList({"*.desktop"});
    QVERIFY(entries.contains("videoconverter-video-converter.desktop"));
    QVERIFY(entries.contains("videoconverter-dvd-ripper.desktop"));
    for (const QString& entry : entries) {
        QString out;
        const QString path = prefix_.path() + "/share/applications/" + entry;
        QCOMPARE(runTool("desktop-file-validate", {path}, &out), 0);
        QVERIFY2(out.isEmpty(), qPrintable(out));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(f.readAll());
        const QString launcher = text.section("Exec=", 1).section(' ', 0, 0);
        QVERIFY2(QFileInfo(prefix_.path() + "/bin/" + launcher).isExecutable(), qPrintable(entry));
        QVERIFY(text.contains("Categories=AudioVideo;Video;AudioVideoEditing;"));
    }
}

void TestInstall::launchersStartTheirEdition_data()
{
    QTest::addColumn<QString>("launcher");
    QTest::addColumn<QString>("edition");
    QTest::newRow("general") << "video-converter" << "Video Converter";
    QTest::newRow("avi") << "avi-converter" << "AVI Converter";
    QTest::newRow("dvd") << "vemra-dvd-ripper" << "vemra DVD Ripper";
}

void TestInstall::launchersStartTheirEdition()
{
    QFETCH(QString, launcher);
    QFETCH(QString, edition);
    QTemporaryDir home;
    QProcess program;
    QProcessEnvironment env = xwindows::programEnvironment(home.path());
    env.insert("PATH", prefix_.path() + "/bin:" + env.value("PATH"));
    program.setProcessEnvironment(env);
    program.start("bash", {"-c", "exec " + launcher});  // by name, through PATH
    QVERIFY(program.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(!xwindows::viewableWindow("Video Converter").isEmpty(), 20000);
    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    QVERIFY(program.waitForFinished(15000));
    // The settings file carries the name the program ran under: the edition's.
    QVERIFY(QFile::exists(home.path() + "/config/videoconverter/" + edition + ".ini"));
}

VC_TEST_MAIN(TestInstall)
#include "tst_install.moc"
