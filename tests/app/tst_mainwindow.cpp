// The main window's start-up, layouts, settings files, direction switch and close guard.
#include "app/Tfm_main.h"
#include "app/Edition.h"
#include "platform/ProgramPaths.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TestMain.h"

#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QProgressBar>
#include <QTreeWidget>

namespace {

const QString ProgramDir = QStringLiteral(VC_PROGRAM_DIR "/");

QString mainIni(const QString& exe)
{
    return paths::settingsDir() + paths::mainIniName(exe);
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QStringList items(const QComboBox* box)
{
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list << box->itemText(i);
    return list;
}

void addRow(Tfm_main& w, const QString& caption)
{
    w.form().lv->addTopLevelItem(new QTreeWidgetItem(QStringList{caption}));
    w.state().SourceInfos.append(Toriginalinfo{"/src/" + caption + ".avi", "320x240", "00:00:02", "500", "128"});
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void firstStartWithoutSettings();
    void settingsRoundTrip();
    void dottedNameAndSeparateEditions();
    void damagedSettingsGiveDefaults();
    void unwritableSettingsFolder();
    void layouts_data();
    void layouts();
    void directionSwitch_data();
    void directionSwitch();
    void closeGuard_data();
    void closeGuard();
};

void TestMainWindow::init()
{
    QDir(paths::settingsDir()).removeRecursively();
}

void TestMainWindow::firstStartWithoutSettings()
{
    ScriptedPrompt prompt;
    {
        Tfm_main w("AVI Converter", ProgramDir, {}, &prompt);
        QCOMPARE(w.windowTitle(), QString("Video Converter"));
        QCOMPARE(w.size(), QSize(781, 558));
        QCOMPARE(w.state().CurrentJob.EncoderPath, ProgramDir + "register.dat");
        QCOMPARE(w.state().CurrentJob.WorkDir, ProgramDir);
        w.show();
        const AppState& s = w.state();
        QCOMPARE(s.ExeFileName, QString("AVI Converter"));
        QCOMPARE(s.EditionFilter, QString("AVI files (*.avi)|*.avi"));
        QCOMPARE(items(w.form().cb_channel), (QStringList{"Convert Video To AVI", "Convert AVI To Video"}));
        QVERIFY(w.form().cb_channel->isEnabled());
        QCOMPARE(w.form().cb_channel->currentIndex(), 0);
        QCOMPARE(s.OutputFolder, QDir::homePath() + "/My Video/");
        QCOMPARE(w.form().ed_output->text(), s.OutputFolder);
        QCOMPARE(s.CategoryId, 1);
        QVERIFY(s.SingleFormatMode && s.VideoPageFirst && s.AudioPageFirst);
        QCOMPARE(s.ProfileId, 102);
        QCOMPARE(s.FinishAction, 0);
        QVERIFY(s.TitleMode);
        QVERIFY(!w.form().lv->isVisible());
        QVERIFY(!w.form().ProgressBar1->isVisible());
        QVERIFY(w.close());
    }
    const IniFile ini(mainIni("AVI Converter"));
    QCOMPARE(ini.readString("profiles", "BisSingle", "?"), QString("1"));
    QCOMPARE(ini.readString("profiles", "selcetsubindex", "?"), QString("102"));
    QCOMPARE(ini.readString("output", "path", "?"), QDir::homePath() + "/My Video/");
    QCOMPARE(ini.readString("profiles", "selcetindex", "?"), QString("1"));
    QCOMPARE(ini.readString("profiles", "FinishSelcet", "?"), QString("0"));
    QCOMPARE(ini.readString("plane", "video", "?"), QString("1"));
    QCOMPARE(ini.readString("plane", "audio", "?"), QString("1"));
    QCOMPARE(ini.readString("profiles", "mainselcetsubindex", "?"), QString("?"));
    QVERIFY(prompt.messages.isEmpty());
}

void TestMainWindow::settingsRoundTrip()
{
    // The other direction was chosen last time; hexadecimal values read like decimal ones.
    writeFile(mainIni("AVI Converter"),
              "[plane]\nvideo=0\naudio=$0\n[output]\npath=/data/out\n[profiles]\nselcetindex=0x3\n"
              "BisSingle=0\nselcetsubindex=0x6A\nmainselcetsubindex=$7\nFinishSelcet=2\n");
    ScriptedPrompt prompt;
    {
        Tfm_main w("AVI Converter", ProgramDir, {}, &prompt);
        w.show();
        const AppState& s = w.state();
        QVERIFY(!s.VideoPageFirst && !s.AudioPageFirst && !s.SingleFormatMode);
        QCOMPARE(s.OutputFolder, QString("/data/out"));
        QCOMPARE(w.form().ed_output->text(), QString("/data/out"));
        QCOMPARE(s.CategoryId, 3);
        QCOMPARE(s.ProfileId, 7);
        QCOMPARE(w.form().cb_channel->currentIndex(), 1);
        QCOMPARE(s.FinishAction, 2);
        w.state().ProfileId = 9;
        QVERIFY(w.close());
    }
    const IniFile ini(mainIni("AVI Converter"));
    QCOMPARE(ini.readString("profiles", "mainselcetsubindex", "?"), QString("9"));
    QCOMPARE(ini.readString("profiles", "selcetsubindex", "?"), QString("0x6A"));  // the other direction's stays
    QCOMPARE(ini.readString("profiles", "BisSingle", "?"), QString("0"));
    QCOMPARE(ini.readString("profiles", "FinishSelcet", "?"), QString("2"));
    QCOMPARE(ini.readString("output", "path", "?"), QString("/data/out"));
}

void TestMainWindow::dottedNameAndSeparateEditions()
{
    ScriptedPrompt prompt;
    for (const QString& exe : {QString("Video.Converter"), QString("MP3 Converter")}) {
        Tfm_main w(exe, ProgramDir, {}, &prompt);
        w.show();
        w.state().FinishAction = 1;
        QVERIFY(w.close());
    }
    QVERIFY(QFile::exists(paths::settingsDir() + "Video.ini"));
    QCOMPARE(IniFile(paths::settingsDir() + "MP3 Converter.ini").readInt("profiles", "selcetsubindex", 0), 17);
    QCOMPARE(IniFile(paths::settingsDir() + "Video.ini").readInt("profiles", "selcetsubindex", 0), 1);
}

void TestMainWindow::damagedSettingsGiveDefaults()
{
    QByteArray junk("[profiles]\nselcetindex=abc\nBisSingle=\xff\xfe\nselcetsubindex=99999999999\n[plane]\nvideo=yes\n");
    junk.append(QByteArray(70000, '\0'));
    writeFile(mainIni("WMV Converter"), junk);
    ScriptedPrompt prompt;
    Tfm_main w("WMV Converter", ProgramDir, {}, &prompt);
    w.show();
    QCOMPARE(w.state().CategoryId, 1);
    QVERIFY(w.state().SingleFormatMode);
    QCOMPARE(w.state().ProfileId, 7);
    QVERIFY(w.state().VideoPageFirst);
    QVERIFY(w.close());
}

void TestMainWindow::unwritableSettingsFolder()
{
    QTemporaryDir dir;
    writeFile(dir.path() + "/blocker", "x");
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", (dir.path() + "/blocker").toUtf8());
    ScriptedPrompt prompt;
    {
        Tfm_main w("Video Converter", ProgramDir, {}, &prompt);
        w.show();
        QVERIFY(!w.close());  // the first refused write keeps the window open
        QVERIFY(prompt.texts().last().startsWith("Unable to write to " + dir.path() + "/blocker/videoconverter/Video Converter.ini"));
        QCOMPARE(prompt.messages.last().icon, PromptIcon::Error);
        QVERIFY(w.close());   // and never traps the user
    }
    qputenv("XDG_CONFIG_HOME", saved);
}

void TestMainWindow::layouts_data()
{
    QTest::addColumn<QString>("exe");
    QTest::addColumn<QRect>("channel");
    QTest::addColumn<QRect>("list");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("streams");
    QTest::addColumn<int>("offset");
    QTest::newRow("file, default brand") << "Video Converter" << QRect(576, 128, 149, 22) << QRect(12, 89, 535, 356) << "File Name" << false << 220;
    QTest::newRow("file, vemra") << "vemra Video Converter" << QRect(554, 121, 168, 22) << QRect(8, 121, 509, 316) << "File Name" << false << 180;
    QTest::newRow("dvd, default brand") << "DVD Ripper" << QRect(576, 251, 149, 22) << QRect(12, 89, 535, 333) << "Title" << true << 220;
    QTest::newRow("dvd, vemra") << "vemra DVD Ripper" << QRect(554, 244, 168, 22) << QRect(8, 121, 509, 298) << "Title" << true << 180;
}

void TestMainWindow::layouts()
{
    QFETCH(QString, exe);
    QFETCH(QRect, channel);
    QFETCH(QRect, list);
    QFETCH(QString, caption);
    QFETCH(bool, streams);
    QFETCH(int, offset);
    ScriptedPrompt prompt;
    Tfm_main w(exe, ProgramDir, {}, &prompt);
    w.show();
    const MainForm& f = w.form();
    QCOMPARE(f.cb_channel->geometry(), channel);
    QCOMPARE(f.lv->geometry(), list);
    QCOMPARE(f.lv->headerItem()->text(0), caption);
    QCOMPARE(f.cb_audio->isVisible(), streams);
    QCOMPARE(f.cb_subtitle->isVisible(), streams);
    QCOMPARE(f.lvCheckBoxes, streams);
    QCOMPARE(w.state().GroupPanelOffset, offset);
    QVERIFY(f.cb_channel->count() == 0);  // no format word: no direction items
    QVERIFY(!f.cb_channel->isEnabled());    // greyed, naming the one direction
    QCOMPARE(f.cb_channel->placeholderText(), edition::DirectionPlaceholder(exe));
    // Every header readable in full, and no column pushed out of sight.
    f.lv->show();
    QHeaderView* header = f.lv->header();
    QTRY_COMPARE(header->length(), f.lv->viewport()->width());
    for (int c = 0; c < header->count(); ++c)
        QVERIFY2(header->sectionSize(c) >= header->sectionSizeHint(c), qPrintable(f.lv->headerItem()->text(c)));
    QVERIFY(w.close());
}

void TestMainWindow::directionSwitch_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("switched");
    QTest::newRow("empty list asks nothing") << 0 << true << true;
    QTest::newRow("yes clears the list") << 2 << true << true;
    QTest::newRow("no keeps everything") << 2 << false << false;
}

void TestMainWindow::directionSwitch()
{
    QFETCH(int, rows);
    QFETCH(bool, answer);
    QFETCH(bool, switched);
    writeFile(mainIni("iPod Video Converter"), "[profiles]\nmainselcetsubindex=5\n");
    ScriptedPrompt prompt;
    prompt.answers = {answer};
    Tfm_main w("iPod Video Converter", ProgramDir, {}, &prompt);
    w.show();
    QCOMPARE(w.state().ProfileId, 27);
    for (int i = 0; i < rows; ++i)
        addRow(w, QString("clip%1").arg(i));

    w.form().cb_channel->setCurrentIndex(1);  // what the user's choice does before the handler runs
    w.ChangeDirection(1);

    QCOMPARE(prompt.messages.size(), rows > 0 ? 1 : 0);
    if (rows > 0) {
        QCOMPARE(prompt.messages[0].text, QString("Change function will clear list, continue?"));
        QCOMPARE(prompt.messages[0].icon, PromptIcon::Information);
        QCOMPARE(prompt.messages[0].buttons, PromptButtons::YesNo);
    }
    QCOMPARE(w.state().SingleFormatMode, !switched);
    QCOMPARE(w.form().cb_channel->currentIndex(), switched ? 1 : 0);
    QCOMPARE(w.form().lv->topLevelItemCount(), switched ? 0 : rows);
    QCOMPARE(w.state().SourceInfos.size(), switched ? 0 : rows);
    QCOMPARE(w.state().ProfileId, switched ? 5 : 27);
    QVERIFY(w.close());
}

void TestMainWindow::closeGuard_data()
{
    QTest::addColumn<bool>("playing");
    QTest::addColumn<bool>("paused");
    QTest::addColumn<bool>("converting");
    QTest::addColumn<QString>("message");
    QTest::newRow("playing") << true << false << false << "Please first stop play!";
    QTest::newRow("paused counts as playing") << true << true << false << "Please first stop play!";
    QTest::newRow("playing and converting") << true << false << true << "Please first stop play!";
    QTest::newRow("converting") << false << false << true << "Please first stop converting!";
}

void TestMainWindow::closeGuard()
{
    QFETCH(bool, playing);
    QFETCH(bool, paused);
    QFETCH(bool, converting);
    QFETCH(QString, message);
    ScriptedPrompt prompt;
    Tfm_main w("Video Converter", ProgramDir, {}, &prompt);
    w.show();
    w.state().IsPlaying = playing;
    w.state().IsPaused = paused;
    w.state().IsConverting = converting;
    QVERIFY(!w.close());
    QCOMPARE(prompt.texts(), QStringList{message});
    QCOMPARE(prompt.messages[0].icon, PromptIcon::Information);
    QVERIFY(!QFile::exists(mainIni("Video Converter")) || IniFile(mainIni("Video Converter")).readString("profiles", "BisSingle", "none") == "none");
    w.state().IsPlaying = w.state().IsConverting = false;
    QVERIFY(w.close());
}

VC_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
