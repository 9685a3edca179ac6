// The named commands driven through the skin host: the click table with its guards and
// messages, the hint line for every object, the popup menus per brand, the play bar's press and
// release, and the presses that close the picker.
#include "tests/support/TestMain.h"
#include "tests/ui/Rig.h"
#include "ui/HintTexts.h"
#include "ui/Menus.h"
#include "ui/WebLinks.h"

#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTreeWidget>

namespace {

const QString StopConvert = QStringLiteral("Please first stop convert!");
const QString StopPlay = QStringLiteral("Please first stop play!");
const QString TitleMode = QStringLiteral("Please change title mode!");
const QString File = QStringLiteral("Video Converter");
const QString Dvd = QStringLiteral("DVD Ripper");

QStringList shellLog()
{
    QFile f(vctest::shellLog());
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

// Flags of a click-table case.
enum : int { Converting = 1, Playing = 2, ChapterMode = 4, Row = 8, Selected = 16 };

} // namespace

class TestCommands : public QObject {
    Q_OBJECT
private slots:
    void init() { QFile::remove(vctest::shellLog()); }
    void clickTable_data();
    void clickTable();
    void everyCommandHasItsGuards();
    void browse();
    void openOutputFolder();
    void hints_data();
    void hints();
    void menus_data();
    void menus();
    void menuItemsRunCommands();
    void helpLinks_data();
    void helpLinks();
    void playBar_data();
    void playBar();
    void pressesCloseThePicker();
    void shortcuts();
};

void TestCommands::clickTable_data()
{
    QTest::addColumn<QString>("exe");
    QTest::addColumn<QString>("object");
    QTest::addColumn<int>("flags");
    QTest::addColumn<QString>("call");     // the port call expected, or empty
    QTest::addColumn<QString>("message");  // the refusal expected, or empty

    auto row = [](const char* tag, const QString& exe, const char* object, int flags, const char* call, const QString& message = {}) {
        QTest::newRow(tag) << exe << QString(object) << flags << QString(call) << message;
    };
    row("profiles", File, "profiles", 0, "OpenPicker(7)");
    row("profiles converting", File, "profiles", Converting, "", StopConvert);
    row("profiles playing", File, "profiles", Playing, "OpenPicker(7)");
    row("openfiles", File, "openfiles", 0, "AddSourceFiles");
    row("openfiles converting", File, "openfiles", Converting, "", StopConvert);
    row("openfiles playing", File, "openfiles", Playing, "AddSourceFiles");
    row("openfolder", File, "openfolder", 0, "AddSourceFolder");
    row("openfolder converting", File, "openfolder", Converting, "", StopConvert);
    row("chapter", Dvd, "chapter", 0, "ToggleTitleMode");
    row("chapter playing and converting", Dvd, "chapter", Playing | Converting, "", StopPlay);
    row("chapter converting", Dvd, "chapter", Converting, "", StopConvert);
    row("ifoopen", Dvd, "ifoopen", 0, "AddIfoFiles");
    row("ifoopen playing and converting", Dvd, "ifoopen", Playing | Converting, "", StopConvert);
    row("ifoopen playing", Dvd, "ifoopen", Playing, "", StopPlay);
    row("dvdopen", Dvd, "dvdopen", 0, "OpenDvdFolder");
    row("dvdopen playing and converting", Dvd, "dvdopen", Playing | Converting, "", StopConvert);
    row("dvdopen playing", Dvd, "dvdopen", Playing, "", StopPlay);
    row("converter", File, "converter", Row, "StartConversion");
    row("converter empty list", File, "converter", 0, "");
    row("converter playing, empty list", File, "converter", Playing, "", StopPlay);
    row("converter playing and converting", File, "converter", Playing | Converting | Row, "", StopPlay);
    row("converter converting", File, "converter", Converting | Row, "", StopConvert);
    row("converter dvd", Dvd, "converter", Row, "StartConversion");
    row("remove", File, "remove", Row, "RemoveSelectedSources");
    row("remove playing and converting", File, "remove", Playing | Converting, "", StopPlay);
    row("remove converting", File, "remove", Converting, "", StopConvert);
    row("clear", File, "clear", Row, "ClearSources");
    row("clear playing and converting", Dvd, "clear", Playing | Converting, "", StopPlay);
    row("clear converting", File, "clear", Converting, "", StopConvert);
    row("stopconverter converting", File, "stopconverter", Converting, "StopConversion");
    row("stopconverter idle", File, "stopconverter", 0, "");
    row("play file", File, "play", Row | Selected, "PreviewFileRow");
    row("play dvd", Dvd, "play", Row | Selected, "PreviewDvdRow");
    row("play while playing (resume)", File, "play", Row | Selected | Playing, "PreviewFileRow");
    row("play nothing selected", File, "play", Row, "");
    row("play nothing selected, converting", File, "play", Row | Converting, "");
    row("play converting", File, "play", Row | Selected | Converting, "", StopConvert);
    row("stopplay", File, "stopplay", 0, "StopPreview");
    row("pause playing", File, "pause", Playing, "TogglePause");
    row("pause idle", File, "pause", 0, "");
    row("settings", File, "settings", Converting | Playing, "ShowFinishDialog");
    row("cutter title mode", Dvd, "cutter", 0, "");
    row("cutter chapter mode", Dvd, "cutter", ChapterMode, "", TitleMode);
    row("cutter playing and converting", Dvd, "cutter", Playing | Converting | ChapterMode, "", StopPlay);
    row("cutter converting", Dvd, "cutter", Converting | ChapterMode, "", StopConvert);
    row("label without command", File, "video_size", 0, "");
    row("display without command", File, "play_time", 0, "");
}

void TestCommands::clickTable()
{
    QFETCH(QString, exe);
    QFETCH(QString, object);
    QFETCH(int, flags);
    QFETCH(QString, call);
    QFETCH(QString, message);

    Rig rig(exe);
    QVERIFY(rig.loaded);
    QVERIFY2(rig.skin->objectNames().contains(object), qPrintable(object + " is not in layout " + rig.skin->layoutName()));
    rig.state.AppliedProfileId = 7;
    rig.state.IsConverting = flags & Converting;
    rig.state.IsPlaying = flags & Playing;
    rig.state.TitleMode = !(flags & ChapterMode);
    if (flags & Row)
        rig.addRow(flags & Selected);
    const bool wasConverting = rig.state.IsConverting, wasPlaying = rig.state.IsPlaying;

    rig.click(object);

    QCOMPARE(rig.fakes.calls(), call.isEmpty() ? QStringList() : QStringList{call});
    QCOMPARE(rig.prompt.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    for (const ScriptedPrompt::Message& m : rig.prompt.messages) {
        QCOMPARE(m.icon, PromptIcon::Warning);
        QCOMPARE(m.buttons, PromptButtons::Ok);
    }
    // The mouse-down closes the picker before anything else happens.
    QCOMPARE(rig.fakes.log.value(0), QString("ClosePicker"));
    QCOMPARE(rig.state.IsConverting, wasConverting);
    QCOMPARE(rig.state.IsPlaying, wasPlaying);
}

void TestCommands::everyCommandHasItsGuards()
{
    // Every click-table name resolves through the table; names outside it are inert.
    const char* names[] = {"profiles", "openfiles", "openfolder", "remove", "clear", "converter", "stopconverter",
                           "dvdopen", "ifoopen", "chapter", "play", "stopplay", "pause", "browse", "open",
                           "settings", "help", "file", "dvdfile", "cutter"};
    QStringList tableNames;
    for (const Commands::Row& r : Commands::table())
        tableNames << r.name;
    for (const char* n : names)
        QVERIFY2(tableNames.contains(n), n);
    Rig rig(File);
    QVERIFY(!rig.commands->run("Profiles"));  // case counts
    QVERIFY(!rig.commands->run("hint"));
    QVERIFY(rig.fakes.log.isEmpty());
}

void TestCommands::browse()
{
    Rig rig(File);
    rig.state.OutputFolder = "/old";
    rig.form.ed_output->setText("/old");
    rig.state.IsConverting = true;  // "browse" has no guard
    rig.fakes.folderToChoose = "/new/place";
    rig.click("browse");
    QCOMPARE(rig.fakes.calls(), QStringList{"ChooseFolder(Output Directory)"});
    QCOMPARE(rig.state.OutputFolder, QString("/new/place"));
    QCOMPARE(rig.form.ed_output->text(), QString("/new/place"));

    // Cancel keeps the old folder.
    rig.fakes.folderToChoose.clear();
    rig.click("browse");
    QCOMPARE(rig.state.OutputFolder, QString("/new/place"));
    QCOMPARE(rig.form.ed_output->text(), QString("/new/place"));
    QVERIFY(rig.prompt.messages.isEmpty());
}

void TestCommands::openOutputFolder()
{
    Rig rig(Dvd);
    rig.state.OutputFolder = "/home/someone/My Video/";
    rig.state.IsPlaying = rig.state.IsConverting = true;
    rig.click("open");
    QCOMPARE(shellLog(), QStringList{"open-folder\t/home/someone/My Video/"});
    QVERIFY(rig.prompt.messages.isEmpty());
}

void TestCommands::hints_data()
{
    QTest::addColumn<QString>("exe");
    for (const char* exe : {"Video Converter", "vemra Video Converter", "DVD Ripper", "vemra DVD Ripper", "AVI Converter.exe"})
        QTest::newRow(exe) << QString(exe);
}

void TestCommands::hints()
{
    QFETCH(QString, exe);
    Rig rig(exe);
    const QString welcome = "Welcome to use " + QString(exe).remove(".exe") + ".";
    if (exe.endsWith(".exe"))
        QCOMPARE(welcome, QString("Welcome to use AVI Converter."));

    // Every object of the layout shows its own hint, or the welcome for names without one.
    for (const QString& name : rig.skin->objectNames()) {
        rig.commands->SetHint(5);
        QTest::mouseMove(rig.skin, rig.centre(name));
        const int index = hints::indexFor(name);
        const QString expected = index == 0 ? welcome : QString(hints::Texts[index]);
        QVERIFY2(rig.hintText() == expected, qPrintable(name + ": " + rig.hintText()));
    }
    for (const char* plain : {"file", "help", "settings"}) {
        if (rig.skin->objectNames().contains(plain)) {
            rig.commands->SetHint(5);
            QTest::mouseMove(rig.skin, rig.centre(plain));
            QCOMPARE(rig.hintText(), welcome);
        }
    }
    // The bare face between objects.
    rig.commands->SetHint(5);
    const QRect list = rig.form.lv->geometry();
    rig.form.lv->hide();
    QTest::mouseMove(rig.skin, list.center());
    QCOMPARE(rig.hintText(), welcome);
}

void TestCommands::menus_data()
{
    QTest::addColumn<QString>("exe");
    QTest::addColumn<QString>("object");
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<QStringList>("items");
    const QStringList file{"Add Files", "Add Folder", "-", "Remove", "Clear", "-", "Convert", "Stop", "-", "Exit"};
    const QStringList dvd{"Add DVD", "Add IFO", "-", "Select All", "Unselect ALL", "-", "Convert", "Stop", "-", "Exit"};
    const QStringList help{"Help", "Our Website", "Support", "Contact us", "-", "About"};
    QTest::newRow("file") << File << "file" << "pop_file" << QPoint(76, 54) << file;
    QTest::newRow("file vemra") << "vemra Video Converter" << "file" << "pop_file" << QPoint(85, 64) << file;
    QTest::newRow("dvdfile") << Dvd << "dvdfile" << "pop_dvd" << QPoint(76, 54) << dvd;
    QTest::newRow("dvdfile vemra") << "vemra DVD Ripper" << "dvdfile" << "pop_dvd" << QPoint(85, 64) << dvd;
    QTest::newRow("help") << File << "help" << "pop_help" << QPoint(362, 54) << help;
    QTest::newRow("help vemra") << "vemra Video Converter" << "help" << "pop_help" << QPoint(366, 64) << help;
    QTest::newRow("help dvd vemra") << "vemra DVD Ripper" << "help" << "pop_help" << QPoint(366, 64) << help;
}

void TestCommands::menus()
{
    QFETCH(QString, exe);
    QFETCH(QString, object);
    QFETCH(QString, menu);
    QFETCH(QPoint, offset);
    QFETCH(QStringList, items);

    Rig rig(exe);
    QMenu* m = rig.commands->menu(menu);
    QVERIFY(m);
    QStringList texts;
    for (QAction* a : m->actions())
        texts << (a->isSeparator() ? QString("-") : a->text());
    QCOMPARE(texts, items);

    rig.click(object);
    QTRY_VERIFY(m->isVisible());
    QCOMPARE(m->pos(), rig.window.pos() + offset);
    // The DeepBlue sheet: items 21 pixels high, separators 5.
    for (QAction* a : m->actions())
        QCOMPARE(m->actionGeometry(a).height(), a->isSeparator() ? 5 : 21);
    m->hide();
    QVERIFY(rig.fakes.calls().isEmpty());
    QVERIFY(rig.prompt.messages.isEmpty());
}

void TestCommands::menuItemsRunCommands()
{
    auto trigger = [](Rig& rig, const char* menu, const QString& text) {
        for (QAction* a : rig.commands->menu(menu)->actions())
            if (a->text() == text) {
                a->trigger();
                return;
            }
        QFAIL(qPrintable("no item " + text));
    };
    {
        Rig rig(File);
        rig.addRow(true);
        trigger(rig, "pop_file", "Add Files");
        trigger(rig, "pop_file", "Add Folder");
        trigger(rig, "pop_file", "Remove");
        trigger(rig, "pop_file", "Clear");
        trigger(rig, "pop_file", "Convert");
        trigger(rig, "pop_file", "Stop");  // idle: nothing
        QCOMPARE(rig.fakes.calls(), QStringList({"AddSourceFiles", "AddSourceFolder", "RemoveSelectedSources", "ClearSources", "StartConversion"}));
        // The menus carry the same guards as the buttons.
        rig.fakes.log.clear();
        rig.state.IsConverting = true;
        trigger(rig, "pop_file", "Add Files");
        trigger(rig, "pop_file", "Stop");
        QCOMPARE(rig.fakes.calls(), QStringList{"StopConversion"});
        QCOMPARE(rig.prompt.texts(), QStringList{StopConvert});
        rig.state.IsConverting = false;
        trigger(rig, "pop_file", "Exit");
        QVERIFY(!rig.window.isVisible());
    }
    {
        Rig rig(Dvd);
        trigger(rig, "pop_dvd", "Add DVD");
        trigger(rig, "pop_dvd", "Add IFO");
        trigger(rig, "pop_dvd", "Select All");
        trigger(rig, "pop_dvd", "Unselect ALL");
        rig.state.IsPlaying = true;
        trigger(rig, "pop_dvd", "Add DVD");
        trigger(rig, "pop_help", "About");
        QCOMPARE(rig.fakes.calls(), QStringList({"OpenDvdFolder", "AddIfoFiles", "SetAllChecks(1)", "SetAllChecks(0)", "ShowAbout"}));
        QCOMPARE(rig.prompt.texts(), QStringList{StopPlay});
    }
}

void TestCommands::helpLinks_data()
{
    QTest::addColumn<QString>("exe");
    QTest::addColumn<QString>("site");
    QTest::addColumn<QString>("support");
    QTest::addColumn<QString>("aboutContact");
    const QString def = "http://www.videoconverter.example", vem = "http://www.vemra.example";
    QTest::newRow("default") << "Video Converter" << def << def + "/contact.php" << def + "/contact.php";
    QTest::newRow("vemra") << "vemra DVD Ripper" << vem << vem + "/Contact.html" << vem + "/Contact.html";
    // The brand word in other case: the vemra site, but the menu's contact page keeps the case test.
    QTest::newRow("VEMRA") << "VEMRA Video Converter" << vem << vem + "/contact.php" << vem + "/Contact.html";
    QTest::newRow("Vemra.exe") << "Vemra AVI Converter.exe" << vem << vem + "/contact.php" << vem + "/Contact.html";
}

void TestCommands::helpLinks()
{
    QFETCH(QString, exe);
    QFETCH(QString, site);
    QFETCH(QString, support);
    QFETCH(QString, aboutContact);
    Rig rig(exe);
    for (QAction* a : rig.commands->menu("pop_help")->actions())
        if (!a->isSeparator() && a->text() != "About")
            a->trigger();
    QCOMPARE(shellLog(), QStringList({"open-url\t" + site, "open-url\t" + site, "open-url\t" + support, "open-url\t" + support}));
    QCOMPARE(web::AboutContactUrl(exe), aboutContact);
    QCOMPARE(web::BrandSiteUrl(exe), site);
}

void TestCommands::playBar_data()
{
    QTest::addColumn<QString>("exe");
    QTest::addColumn<bool>("playing");
    QTest::addColumn<bool>("converting");
    QTest::addColumn<bool>("drags");
    QTest::newRow("file, playing") << File << true << false << true;
    QTest::newRow("file, idle") << File << false << false << false;
    QTest::newRow("file, playing while converting") << File << true << true << false;
    QTest::newRow("dvd, playing") << Dvd << true << false << false;
}

void TestCommands::playBar()
{
    QFETCH(QString, exe);
    QFETCH(bool, playing);
    QFETCH(bool, converting);
    QFETCH(bool, drags);
    Rig rig(exe);
    rig.state.IsPlaying = playing;
    rig.state.IsConverting = converting;
    SkinObject* bar = rig.ctx->PlayBarObject;
    QVERIFY(bar);
    bar->setPosition(1000);
    const QRect r = rig.skin->objectRect("play_bar");
    const QPoint at(r.left() + r.width() * 3 / 4, r.center().y());
    QTest::mousePress(rig.skin, Qt::LeftButton, {}, at);
    QCOMPARE(rig.state.PlayBarDragging, drags);
    QCOMPARE(rig.fakes.log, QStringList{"ClosePicker"});
    QTest::mouseRelease(rig.skin, Qt::LeftButton, {}, at);
    QCOMPARE(rig.fakes.calls(), drags ? QStringList{"PlayBarReleased"} : QStringList());
    // The bar follows the mouse only during an allowed drag.
    if (drags)
        QVERIFY(qAbs(bar->position() - 7500) < 300);
    else
        QCOMPARE(bar->position(), 1000);
    QVERIFY(rig.prompt.messages.isEmpty());
}

void TestCommands::pressesCloseThePicker()
{
    Rig rig(File);
    rig.addRow(false);
    rig.form.lv->show();
    QTest::mouseClick(rig.form.lv->viewport(), Qt::LeftButton, {}, QPoint(20, 5));
    QTest::mouseClick(rig.form.ed_output, Qt::LeftButton);
    QTest::mouseClick(rig.form.pl_play, Qt::RightButton);
    QCOMPARE(rig.fakes.log, QStringList({"ClosePicker", "ClosePicker", "ClosePicker"}));
    // Even a press on the bare face closes it.
    rig.fakes.log.clear();
    rig.form.lv->hide();
    QTest::mouseClick(rig.skin, Qt::LeftButton, {}, rig.form.lv->geometry().center());
    QCOMPARE(rig.fakes.log, QStringList{"ClosePicker"});
}

void TestCommands::shortcuts()
{
    Rig rig(Dvd);
    rig.window.activateWindow();
    QTest::keyClick(&rig.window, Qt::Key_O, Qt::ControlModifier);
    rig.state.IsConverting = true;
    QTest::keyClick(&rig.window, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(rig.fakes.calls(), QStringList{"OpenDvdFolder"});
    QCOMPARE(rig.prompt.texts(), QStringList{StopConvert});
}

VC_TEST_MAIN(TestCommands)
#include "tst_commands.moc"
