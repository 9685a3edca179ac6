// INI files with private-profile semantics, settings names and shell recording.
#include "platform/IniFile.h"
#include "platform/ProgramPaths.h"
#include "platform/Shell.h"
#include "tests/support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestPlatform : public QObject {
    Q_OBJECT
private slots:
    void readsWhatItWrites();
    void integers_data();
    void integers();
    void firstSectionAndKeyWin();
    void keepsWhatItDoesNotUnderstand();
    void damagedFilesGiveDefaults();
    void unreadableOrUnwritableFails();
    void iniNames_data();
    void iniNames();
    void shellActionsAreRecorded();
};

void TestPlatform::readsWhatItWrites()
{
    QTemporaryDir dir;
    IniFile ini(dir.path() + "/new/folder/x.ini");  // the folder is created on the first write
    QCOMPARE(ini.readString("output", "path", "def"), QString("def"));
    QVERIFY(ini.writeString("output", "path", "/home/u/My Video/"));
    QVERIFY(ini.writeInt("Profiles", "selcetindex", 7));
    QVERIFY(ini.writeBool("plane", "video", false));
    QVERIFY(ini.writeString("OUTPUT", "PATH", "/x ü/"));  // same key, other case: replaced
    QCOMPARE(ini.readString("output", "path", "def"), QString("/x ü/"));
    QCOMPARE(ini.readInt("PROFILES", "SelcetIndex", 0), 7);
    QCOMPARE(ini.readBool("plane", "video", true), false);
    QCOMPARE(ini.readBool("plane", "audio", true), true);
    QCOMPARE(QString::fromUtf8(readFile(ini.path())), QString("[output]\nPATH=/x ü/\n[Profiles]\nselcetindex=7\n[plane]\nvideo=0\n"));
    QCOMPARE(QDir(dir.path() + "/new/folder").entryList(QDir::Files), QStringList{"x.ini"});  // no temp file left
}

void TestPlatform::integers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("decimal") << "42" << 42;
    QTest::newRow("negative") << "-1" << -1;
    QTest::newRow("spaces") << "  12  " << 12;
    QTest::newRow("0x") << "0x1F" << 31;
    QTest::newRow("0X") << "0X10" << 16;
    QTest::newRow("dollar") << "$ff" << 255;
    QTest::newRow("hex pattern") << "$FFFFFFFF" << -1;
    QTest::newRow("int max") << "2147483647" << 2147483647;
    QTest::newRow("huge") << "99999999999" << -5;
    QTest::newRow("hex too wide") << "0x100000000" << -5;
    QTest::newRow("garbage") << "12abc" << -5;
    QTest::newRow("empty") << "" << -5;
    QTest::newRow("float") << "1.5" << -5;
    QTest::newRow("bare 0x") << "0x" << -5;
    QTest::newRow("arabic digits") << "٣" << -5;
}

void TestPlatform::integers()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    QTemporaryDir dir;
    IniFile ini(dir.path() + "/n.ini");
    QVERIFY(ini.writeString("s", "k", text));
    QCOMPARE(ini.readInt("s", "k", -5), expected);
}

void TestPlatform::firstSectionAndKeyWin()
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/dup.ini";
    writeFile(path, "[a]\nk=1\nk=2\n[b]\nk=3\n[A]\nk=4\nj=5\n");
    IniFile ini(path);
    QCOMPARE(ini.readInt("a", "k", 0), 1);
    QCOMPARE(ini.readInt("a", "j", 0), 0);  // only the first section of a name counts
    QVERIFY(ini.writeString("a", "j", "6"));
    QCOMPARE(QString::fromUtf8(readFile(path)), QString("[a]\nk=1\nk=2\nj=6\n[b]\nk=3\n[A]\nk=4\nj=5\n"));
}

void TestPlatform::keepsWhatItDoesNotUnderstand()
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/junk.ini";
    const QByteArray junk("; a comment\r\nno equals sign here\r\n[profiles]\r\n\x01\x02\xff binary\r\n=novalue\r\nselcetindex=3\r\n");
    writeFile(path, junk);
    IniFile ini(path);
    QCOMPARE(ini.readInt("profiles", "selcetindex", 1), 3);
    QVERIFY(ini.writeInt("profiles", "BisSingle", 0));
    const QByteArray after = readFile(path);
    QVERIFY(after.contains("; a comment"));
    QVERIFY(after.contains("no equals sign here"));
    QVERIFY(after.contains("=novalue"));
    QVERIFY(after.contains("selcetindex=3\nBisSingle=0"));
}

void TestPlatform::damagedFilesGiveDefaults()
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/bad.ini";
    QByteArray bytes;
    for (int i = 0; i < 100000; ++i)
        bytes.append(char(i * 7919 % 256));
    writeFile(path, bytes + "\n[output\npath\n[]=x\n");
    IniFile ini(path);
    QCOMPARE(ini.readString("output", "path", "def"), QString("def"));
    QCOMPARE(ini.readInt("profiles", "selcetindex", 1), 1);
}

void TestPlatform::unreadableOrUnwritableFails()
{
    QTemporaryDir dir;
    // A folder in place of the file: it cannot be read, so a write must not replace it.
    QVERIFY(QDir(dir.path()).mkpath("folder.ini"));
    IniFile unreadable(dir.path() + "/folder.ini");
    QCOMPARE(unreadable.readInt("s", "k", 9), 9);
    QVERIFY(!unreadable.writeInt("s", "k", 1));
    QVERIFY(QFileInfo(dir.path() + "/folder.ini").isDir());

    // A file where the settings folder should be: the folder cannot be made.
    writeFile(dir.path() + "/blocker", "x");
    IniFile unwritable(dir.path() + "/blocker/sub/x.ini");
    QVERIFY(!unwritable.writeInt("s", "k", 1));
    QCOMPARE(readFile(dir.path() + "/blocker"), QByteArray("x"));
}

void TestPlatform::iniNames_data()
{
    QTest::addColumn<QString>("exe");
    QTest::addColumn<QString>("main");
    QTest::addColumn<QString>("profiles");
    QTest::newRow("link name") << "AVI Converter" << "AVI Converter.ini" << "pro AVI Converter.ini";
    QTest::newRow(".exe") << "AVI Converter.exe" << "AVI Converter.ini" << "pro AVI Converter.ini";
    QTest::newRow(".EXE") << "DVD Ripper.EXE" << "DVD Ripper.ini" << "pro DVD Ripper.ini";
    QTest::newRow("dotted") << "Video.Converter.exe" << "Video.ini" << "pro Video.ini";
    QTest::newRow("dotted link") << "Video.Converter" << "Video.ini" << "pro Video.ini";
}

void TestPlatform::iniNames()
{
    QFETCH(QString, exe);
    QFETCH(QString, main);
    QFETCH(QString, profiles);
    QCOMPARE(paths::mainIniName(exe), main);
    QCOMPARE(paths::profileIniName(exe), profiles);
    QCOMPARE(paths::settingsDir(), vctest::home() + "/config/videoconverter/");
    QCOMPARE(paths::invocationName("/opt/some dir.avi/" + exe), exe);
}

void TestPlatform::shellActionsAreRecorded()
{
    QFile::remove(vctest::shellLog());
    shell::openFolder("/tmp/out dir");
    shell::openUrl("https://example.org/contact.php");
    shell::powerOff();
    QCOMPARE(QString::fromUtf8(readFile(vctest::shellLog())),
             QString("open-folder\t/tmp/out dir\nopen-url\thttps://example.org/contact.php\npower-off\t\n"));
}

VC_TEST_MAIN(TestPlatform)
#include "tst_platform.moc"
