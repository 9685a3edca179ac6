// The built program under Xvfb, driven by real X pointer events (xdotool): the picker opens on
// the category icon, hovering opens a group panel, a click selects the profile, and a hover
// left without a click chooses nothing. Screenshots go to <build>/screenshots/picker-*.png.
#include "tests/support/TestMain.h"
#include "tests/support/XWindows.h"

#include "platform/IniFile.h"

#include <QProcess>

#include <csignal>

namespace {

const QString ProgramDir = QStringLiteral(VC_PROGRAM_DIR "/");

struct Program {
    QTemporaryDir home;
    QProcess process;
    QString window;
    QString edition;

    explicit Program(const QString& name) : edition(name)
    {
        process.setProcessEnvironment(xwindows::programEnvironment(home.path()));
        process.start(ProgramDir + name, {});
    }

    bool waitForWindow()
    {
        if (!process.waitForStarted())
            return false;
        QElapsedTimer t;
        t.start();
        while (window.isEmpty() && t.elapsed() < 20000) {
            QTest::qWait(200);
            window = xwindows::viewableWindow(QStringLiteral("Video Converter"));
        }
        QTest::qWait(500);  // the first show's work is done
        return !window.isEmpty();
    }

    // Window coordinates; each move is a real motion event on the display.
    void moveTo(int x, int y)
    {
        xwindows::run(QStringLiteral("xdotool"), {"mousemove", "--window", window, QString::number(x), QString::number(y)});
        QTest::qWait(150);
    }
    void clickAt(int x, int y)
    {
        moveTo(x, y);
        xwindows::run(QStringLiteral("xdotool"), {"click", "1"});
        QTest::qWait(300);
    }
    void screenshot(const QString& what)
    {
        const QString shots = QStringLiteral(VC_BINARY_DIR "/screenshots");
        QDir().mkpath(shots);
        xwindows::run(QStringLiteral("import"), {"-window", window, shots + "/picker-" + what + ".png"});
    }
    // Ends the program the way a session ends it; the settings are written on the way out.
    QString savedProfile()
    {
        ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
        if (!process.waitForFinished(15000))
            return QStringLiteral("did not end");
        const IniFile ini(home.path() + "/config/videoconverter/" + edition + ".ini");
        return ini.readString("profiles", "selcetsubindex", "missing");
    }
    QString prompts() const
    {
        QFile log(home.path() + "/prompts.log");
        return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
    }
};

// Centre of button n (its panel's designed place given) in window coordinates.
QPoint buttonAt(QPoint panel, int top, int height)
{
    return panel + QPoint(155, top + height / 2);
}

} // namespace

class TestPickerXvfb : public QObject {
    Q_OBJECT
private slots:
    void generalEdition();
    void singleFormatEditions_data();
    void singleFormatEditions();
};

void TestPickerXvfb::generalEdition()
{
    Program p(QStringLiteral("Video Converter"));
    QVERIFY(p.waitForWindow());
    const QPoint column(53, 81), page(206, 81), group = page + QPoint(220, 0);
    const QPoint icon(62 + 20, 64 + 20);

    // Category rows: 27 pixels for the first, 25 for the others.
    auto category = [&](int c) { return column + QPoint(70, c == 1 ? 13 : 27 + (c - 2) * 25 + 12); };
    p.clickAt(icon.x(), icon.y());
    p.moveTo(category(2).x(), category(2).y());
    p.moveTo(category(1).x(), category(1).y());
    const QPoint opener = buttonAt(page, 53, 48);           // button 2
    p.moveTo(opener.x(), opener.y());
    const QPoint b104 = buttonAt(group, 101, 48);           // AVI - XviD Movie
    p.moveTo(b104.x() - 40, b104.y());
    p.moveTo(b104.x(), b104.y());
    p.screenshot(QStringLiteral("general-avi-group"));
    p.clickAt(b104.x(), b104.y());
    p.screenshot(QStringLiteral("general-after-click"));
    const IniFile ini(p.home.path() + "/config/videoconverter/Video Converter.ini");
    QCOMPARE(ini.readString("profiles", "selcetsubindex", "missing"), QStringLiteral("104"));

    // Hovering another profile and pressing elsewhere chooses nothing.
    p.clickAt(icon.x(), icon.y());
    p.moveTo(category(3).x(), category(3).y());              // iPod
    const QPoint b29 = buttonAt(page, 101, 48);
    p.moveTo(b29.x(), b29.y());
    p.screenshot(QStringLiteral("general-ipod-hover"));
    p.clickAt(700, 530);                                     // the hint line: outside the picker
    p.screenshot(QStringLiteral("general-closed"));
    const QString saved = p.savedProfile();
    QVERIFY(saved != QLatin1String("29"));
    // Without a profile data file the selection stops before it is applied.
    if (QFile::exists(ProgramDir + "profiles.pop"))
        QCOMPARE(saved, QStringLiteral("104"));
    QVERIFY2(!p.prompts().contains(QLatin1String("images/sub")), qPrintable(p.prompts()));
    QVERIFY2(!p.prompts().contains(QLatin1String("images/main/general")), qPrintable(p.prompts()));
}

void TestPickerXvfb::singleFormatEditions_data()
{
    QTest::addColumn<QString>("edition");
    QTest::addColumn<int>("top");     // of the second button of the one panel shown
    QTest::addColumn<QString>("chosen");
    QTest::newRow("AVI") << "AVI Converter" << 53 << "103";     // a group panel: only moved
    QTest::newRow("MP3") << "MP3 Converter" << 52 << "16";      // laid out on its own
    QTest::newRow("iPod") << "iPod Video Converter" << 52 << "28";
}

void TestPickerXvfb::singleFormatEditions()
{
    QFETCH(QString, edition);
    QFETCH(int, top);
    Program p(edition);
    QVERIFY(p.waitForWindow());
    p.clickAt(62 + 20, 64 + 20);
    const QPoint second = buttonAt(QPoint(53, 81), top, 48);
    p.moveTo(second.x(), second.y());
    p.screenshot(QString(edition).replace(u' ', u'-'));
    p.clickAt(second.x(), second.y());
    QTEST(p.savedProfile(), "chosen");
}

VC_TEST_MAIN(TestPickerXvfb)
#include "tst_PickerXvfb.moc"
