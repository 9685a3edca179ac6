// The real program on a real (virtual) screen: each of the four layouts is started, found on
// screen and saved to build/screenshots/; a button is hovered, the hint line changes, and the
// file menu is opened with a real click and saved too. The pictures are for people to look at;
// the checks here make sure they show the skinned face and not a plain one.
#include "tests/support/TestMain.h"
#include "tests/support/XWindows.h"
#include "tests/ui/Pictures.h"
#include "ui/SkinFile.h"
#include "app/Layout.h"

#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

const QString ProgramDir = QStringLiteral(VC_PROGRAM_DIR "/");
const QString ShotDir = QStringLiteral(VC_BINARY_DIR "/screenshots/");

QImage screen()
{
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
}

// The box of everything not black (the bare X screen is black).
QRect drawnBox(const QImage& img)
{
    QRect box;
    for (int y = 0; y < img.height(); y += 1) {
        const QRgb* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if ((line[x] & 0xffffff) != 0)
                box |= QRect(x, y, 1, 1);
    }
    return box;
}

bool xdotool(const QStringList& args)
{
    return QProcess::execute(QStringLiteral("xdotool"), args) == 0;
}

void pointAt(QPoint global)
{
    xdotool({"mousemove", QString::number(global.x()), QString::number(global.y())});
    QTest::qWait(300);
}

} // namespace

class TestSkinXvfb : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void layouts_data();
    void layouts();
};

void TestSkinXvfb::initTestCase()
{
    QDir().mkpath(ShotDir);
    if (QStandardPaths::findExecutable("xdotool").isEmpty())
        QSKIP("xdotool is not installed (scripts/packages/ui.txt)");
}

void TestSkinXvfb::layouts_data()
{
    QTest::addColumn<QString>("edition");
    QTest::addColumn<QString>("shot");
    QTest::addColumn<QString>("menuObject");
    QTest::newRow("file") << "Video Converter" << "file" << "file";
    QTest::newRow("file-vemra") << "vemra Video Converter" << "file-vemra" << "help";
    QTest::newRow("dvd") << "DVD Ripper" << "dvd" << "dvdfile";
    QTest::newRow("dvd-vemra") << "vemra DVD Ripper" << "dvd-vemra" << "dvdfile";
}

void TestSkinXvfb::layouts()
{
    QFETCH(QString, edition);
    QFETCH(QString, shot);
    QFETCH(QString, menuObject);

    QString error;
    const std::optional<skin::FormDef> form = skin::readSkinForm(ProgramDir + "skn.skn", "popvideoconverter", &error);
    QVERIFY2(form, qPrintable(error));
    const skin::LayoutDef* layout = nullptr;
    for (const skin::LayoutDef& l : form->layouts)
        if (l.name == shot)
            layout = &l;
    QVERIFY(layout);
    auto rect = [&](const QString& name) {
        for (const skin::ObjectDef& o : layout->objects)
            if (o.name == name)
                return o.rect;
        return QRect();
    };

    QTemporaryDir home;
    QProcess program;
    program.setProcessEnvironment(xwindows::programEnvironment(home.path()));
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(ProgramDir + edition, {});
    QVERIFY2(program.waitForStarted(), qPrintable(program.errorString()));

    // Wait for the face: a drawn box of the window's size.
    pointAt(QPoint(2, 2));
    QRect box;
    QTRY_VERIFY_WITH_TIMEOUT((box = drawnBox(screen())).size() == QSize(designed::windowWidth, designed::windowHeight), 15000);
    QTest::qWait(500);
    const QImage face = screen().copy(box);
    QVERIFY(face.save(ShotDir + shot + ".png"));
    // The skinned face, not the plain one: the face picture of this layout shows through
    // where no control sits (the title band beside the tabs).
    const QImage drawn = layout->background.convertToFormat(QImage::Format_RGB32);
    QCOMPARE(face.pixel(rect("caption").right() - 2, 2), drawn.pixel(rect("caption").right() - 2, 2));

    // Hovering a button: its hover picture, and the hint line tells what it does.
    const QString button = shot.startsWith("dvd") ? "dvdopen" : "openfiles";
    const QRect hint = rect("hint");
    pointAt(box.topLeft() + rect(button).center());
    const QImage hovered = screen().copy(box);
    QVERIFY(hovered.save(ShotDir + shot + "-hover.png"));
    QVERIFY(differingPixels(face.copy(rect(button)), hovered.copy(rect(button))) > 50);
    QVERIFY(differingPixels(face.copy(hint), hovered.copy(hint)) > 50);

    // A real click opens the menu below its tab.
    pointAt(box.topLeft() + rect(menuObject).center());
    xdotool({"click", "1"});
    QTest::qWait(600);
    const QImage withMenu = screen();
    QVERIFY(withMenu.save(ShotDir + shot + "-menu-" + menuObject + ".png"));
    const int dx = shot.endsWith("vemra") ? (menuObject == "help" ? 366 : 85) : (menuObject == "help" ? 362 : 76);
    const int dy = shot.endsWith("vemra") ? 64 : 54;
    const QRect under(box.left() + dx, box.top() + dy, 100, 60);
    QVERIFY(differingPixels(hovered.copy(under.translated(-box.topLeft())), withMenu.copy(under)) > 500);
    xdotool({"key", "Escape"});

    program.terminate();
    if (!program.waitForFinished(5000)) {
        program.kill();
        program.waitForFinished();
    }
    QFile log(home.path() + "/prompts.log");
    if (log.open(QIODevice::ReadOnly))
        QVERIFY2(!log.readAll().contains("Cannot load the skin"), "the program reported a skin error");
}

VC_TEST_MAIN(TestSkinXvfb)
#include "tst_skin_xvfb.moc"
