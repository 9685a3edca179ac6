// The skin file and its host: the built skin against the four layouts (names, places beside
// the controls, pictures per state), broken skin files (one message with file and line, plain
// face), the facets, and the mouse events the host reports.
#include "app/Layout.h"
#include "tests/support/TestMain.h"
#include "tests/ui/Pictures.h"
#include "ui/SkinFile.h"
#include "ui/SkinHost.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace {

const QString ProgramDir = QStringLiteral(VC_PROGRAM_DIR "/");
const QString SkinPath = ProgramDir + QStringLiteral("skn.skn");
const QString Form = QStringLiteral("popvideoconverter");

const QStringList Common = {"title", "caption", "minimize", "close", "settings", "help", "profiles", "profilestext",
                            "browse", "open", "remove", "clear", "converter", "stopconverter", "play", "pause",
                            "stopplay", "play_bar", "play_time", "hint", "video_size", "video_quality",
                            "audio_quality", "channels"};
const QStringList FileOnly = {"file", "openfiles", "openfolder"};
const QStringList DvdOnly = {"dvdfile", "dvdopen", "ifoopen", "chapter", "cutter", "audio", "subtitle"};

QRect place(const Placement& p, int w, int h)
{
    return QRect(p.left, p.top, p.width.value_or(w), p.height.value_or(h));
}

// The controls the layout puts on the face (the picker drops over it and is left out).
QList<std::pair<QString, QRect>> controls(bool dvd, bool vemra)
{
    using namespace designed;
    const EditionLayout l = LayoutFor(dvd, vemra);
    QList<std::pair<QString, QRect>> c = {
        {"lv", place(l.lv, lvWidth, lvHeight)},
        {"ed_output", place(l.ed_output, editWidth, editHeight)},
        {"Panel1", place(l.Panel1, panel1Size, panel1Size)},
        {"cb_channel", place(l.cb_channel, comboWidth, comboHeight)},
        {"cb_size", place(l.cb_size, comboWidth, comboHeight)},
        {"cb_videobitrate", place(l.cb_videobitrate, comboWidth, comboHeight)},
        {"cb_audiobitrate", place(l.cb_audiobitrate, comboWidth, comboHeight)},
        {"pl_play", place(l.pl_play, playWidth, playHeight)},
        {"ProgressBar1", place(l.ProgressBar1, progressWidth, progressHeight)},
    };
    if (l.streamBoxesShown) {
        c.append({"cb_audio", place(l.cb_audio, comboWidth, comboHeight)});
        c.append({"cb_subtitle", place(l.cb_subtitle, comboWidth, comboHeight)});
    }
    return c;
}

void write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        QTest::qFail(qPrintable("cannot write " + path), __FILE__, __LINE__);
}

// A small valid skin in `dir`: one layout with a button, a text, a slider and an area.
QByteArray smallSkin(const QString& dir)
{
    QImage face(200, 100, QImage::Format_ARGB32);
    face.fill(Qt::darkBlue);
    face.save(dir + "/face.png");
    const QColor colours[] = {Qt::gray, Qt::cyan, Qt::darkCyan, Qt::darkGray};
    const char* names[] = {"b.png", "b_hover.png", "b_pressed.png", "b_disabled.png"};
    for (int i = 0; i < 4; ++i) {
        QImage b(40, 20, QImage::Format_ARGB32);
        b.fill(colours[i]);
        b.save(dir + "/" + names[i]);
    }
    QImage track(100, 10, QImage::Format_ARGB32);
    track.fill(Qt::black);
    track.save(dir + "/track.png");
    QImage thumb(10, 10, QImage::Format_ARGB32);
    thumb.fill(Qt::white);
    thumb.save(dir + "/thumb.png");
    return R"({
  "forms": [
    { "name": "popvideoconverter", "width": 200, "height": 100,
      "layouts": [
        { "name": "one", "background": "face.png",
          "objects": [
            { "name": "title", "type": "area", "rect": [0, 0, 200, 20], "action": "drag" },
            { "name": "go", "type": "button", "rect": [10, 30, 40, 20],
              "normal": "b.png", "hover": "b_hover.png", "pressed": "b_pressed.png", "disabled": "b_disabled.png" },
            { "name": "x", "type": "button", "rect": [160, 0, 40, 20], "action": "close", "normal": "b.png" },
            { "name": "hint", "type": "text", "rect": [60, 30, 130, 20], "size": 12, "color": "#ffffff", "text": "hello" },
            { "name": "play_bar", "type": "slider", "rect": [10, 70, 100, 10], "track": "track.png", "thumb": "thumb.png" },
            { "name": "label", "type": "area", "rect": [120, 60, 60, 30] }
          ]
        },
        { "name": "two", "background": "face.png",
          "objects": [ { "name": "hint", "type": "text", "rect": [0, 50, 200, 20] } ] }
      ]
    }
  ]
}
)";
}

struct Host {
    Host()
    {
        window.setFixedSize(200, 100);
        host = new SkinHost(&window);
    }
    // Loads the small skin and shows the window.
    bool loadSmallSkin()
    {
        write(dir.path() + "/skn.skn", smallSkin(dir.path()));
        if (!host->loadSkin(dir.path() + "/skn.skn", Form, nullptr))
            return false;
        window.show();
        return QTest::qWaitForWindowExposed(&window);
    }
    QTemporaryDir dir;
    QWidget window;
    SkinHost* host;
};

} // namespace

class TestSkinHost : public QObject {
    Q_OBJECT
private slots:
    void builtSkin_data();
    void builtSkin();
    void everyNameOfTheSystem();
    void statesDiffer();
    void brokenSkin_data();
    void brokenSkin();
    void plainFace();
    void facets();
    void events();
    void disabledButton();
    void sliderTracking();
    void windowActions();
};

void TestSkinHost::builtSkin_data()
{
    QTest::addColumn<bool>("dvd");
    QTest::addColumn<bool>("vemra");
    QTest::newRow("file") << false << false;
    QTest::newRow("file-vemra") << false << true;
    QTest::newRow("dvd") << true << false;
    QTest::newRow("dvd-vemra") << true << true;
}

void TestSkinHost::builtSkin()
{
    QFETCH(bool, dvd);
    QFETCH(bool, vemra);
    QWidget window;
    window.setFixedSize(designed::windowWidth, designed::windowHeight);
    SkinHost host(&window);
    QString error;
    QVERIFY2(host.loadSkin(SkinPath, Form, &error), qPrintable(error));
    host.applyLayout(SkinLayoutName(dvd, vemra));
    QCOMPARE(host.layoutName(), SkinLayoutName(dvd, vemra));

    const QStringList names = host.objectNames();
    for (const QString& n : Common + (dvd ? DvdOnly : FileOnly))
        QVERIFY2(names.contains(n), qPrintable(n));
    for (const QString& n : dvd ? FileOnly : DvdOnly)
        QVERIFY2(!names.contains(n), qPrintable(n));

    // Nothing the user works with lies under a control, or under another object.
    const QRect face(0, 0, designed::windowWidth, designed::windowHeight);
    for (const QString& n : names) {
        const QRect r = host.objectRect(n);
        QVERIFY2(face.contains(r), qPrintable(n));
        if (n == "title")
            continue;
        for (const auto& [control, c] : controls(dvd, vemra))
            QVERIFY2(!r.intersects(c), qPrintable(n + " lies under " + control));
        for (const QString& other : names)
            if (other != n && other != "title")
                QVERIFY2(!r.intersects(host.objectRect(other)), qPrintable(n + " overlaps " + other));
    }
    // The popups drop from the left edge of their tabs.
    const int dy = vemra ? 64 : 54;
    QCOMPARE(host.objectRect(dvd ? "dvdfile" : "file").left(), vemra ? 85 : 76);
    QCOMPARE(host.objectRect(dvd ? "dvdfile" : "file").bottom() + 1, dy);
    QCOMPARE(host.objectRect("help").left(), vemra ? 366 : 362);
    QCOMPARE(host.objectRect("help").bottom() + 1, dy);
}

void TestSkinHost::everyNameOfTheSystem()
{
    // Each name of the click and hint tables, and the four display objects, is in the skin.
    QWidget window;
    window.setFixedSize(designed::windowWidth, designed::windowHeight);
    SkinHost host(&window);
    QVERIFY(host.loadSkin(SkinPath, Form, nullptr));
    for (const QString& n : Common + FileOnly + DvdOnly)
        QVERIFY2(host.findObject(n), qPrintable(n));
    QVERIFY(!host.findObject("Play"));  // names are compared exactly
}

void TestSkinHost::statesDiffer()
{
    QString error;
    const std::optional<skin::FormDef> form = skin::readSkinForm(SkinPath, Form, &error);
    QVERIFY2(form, qPrintable(error));
    QCOMPARE(form->layouts.size(), 4);
    for (const skin::LayoutDef& l : form->layouts)
        for (const skin::ObjectDef& o : l.objects) {
            if (o.type != skin::ObjectType::Button)
                continue;
            const int area = o.rect.width() * o.rect.height();
            // Hover and pressed must be plainly visible: a good share of the button changes.
            for (int st : {skin::Hover, skin::Pressed, skin::Disabled})
                QVERIFY2(differingPixels(o.pictures[skin::Normal], o.pictures[st]) > area / 20,
                         qPrintable(QString("%1/%2 state %3").arg(l.name, o.name).arg(st)));
            QVERIFY2(differingPixels(o.pictures[skin::Hover], o.pictures[skin::Pressed]) > area / 20, qPrintable(o.name));
        }
}

void TestSkinHost::brokenSkin_data()
{
    QTest::addColumn<QByteArray>("replace");  // text of the small skin to replace ...
    QTest::addColumn<QByteArray>("with");     // ... with this
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("says");
    QTest::newRow("missing comma") << QByteArray("\"rect\": [0, 0, 200, 20], \"action\"") << QByteArray("\"rect\": [0, 0, 200, 20] \"action\"") << 7 << "expected \",\" or \"}\"";
    QTest::newRow("unknown type") << QByteArray("\"type\": \"button\", \"rect\": [10") << QByteArray("\"type\": \"buton\", \"rect\": [10") << 8 << "unknown object type \"buton\"";
    QTest::newRow("missing picture") << QByteArray("\"normal\": \"b.png\" }") << QByteArray("\"normal\": \"nowhere.png\" }") << 10 << "cannot read the picture \"nowhere.png\"";
    QTest::newRow("picture of the wrong size") << QByteArray("[160, 0, 40, 20]") << QByteArray("[160, 0, 30, 20]") << 10 << "is 40x20, its place is 30x20";
    QTest::newRow("outside the form") << QByteArray("[60, 30, 130, 20]") << QByteArray("[160, 30, 130, 20]") << 11 << "does not lie inside the form";
    QTest::newRow("unknown key") << QByteArray("\"size\": 12,") << QByteArray("\"fontsize\": 12,") << 11 << "unknown key \"fontsize\"";
    QTest::newRow("bad colour") << QByteArray("#ffffff") << QByteArray("#ffffzz") << 11 << "is not a colour";
    QTest::newRow("unclosed text") << QByteArray("\"text\": \"hello\"") << QByteArray("\"text\": \"hello") << 11 << "a text runs past the end of its line";
    QTest::newRow("no such form") << QByteArray("\"name\": \"popvideoconverter\"") << QByteArray("\"name\": \"other\"") << 2 << "no form named \"popvideoconverter\"";
    QTest::newRow("cut short") << QByteArray("      ]\n    }\n  ]\n}\n") << QByteArray("      ]\n") << 19 << "the file ends too early";
    QTest::newRow("duplicate object") << QByteArray("\"name\": \"label\"") << QByteArray("\"name\": \"go\"") << 13 << "object \"go\" given twice";
}

void TestSkinHost::brokenSkin()
{
    QFETCH(QByteArray, replace);
    QFETCH(QByteArray, with);
    QFETCH(int, line);
    QFETCH(QString, says);
    QTemporaryDir dir;
    QByteArray text = smallSkin(dir.path());
    QVERIFY(text.contains(replace));
    text.replace(replace, with);
    write(dir.path() + "/skn.skn", text);

    Host h;
    QString error;
    QVERIFY(!h.host->loadSkin(dir.path() + "/skn.skn", Form, &error));
    QVERIFY2(error.contains(dir.path() + "/skn.skn"), qPrintable(error));
    QVERIFY2(error.contains(QString("line %1:").arg(line)), qPrintable(error));
    QVERIFY2(error.contains(says), qPrintable(error));
    QVERIFY(!h.host->isLoaded());
    QVERIFY(!h.host->findObject("hint"));
    QVERIFY(!h.host->findObject("play_bar"));
}

void TestSkinHost::plainFace()
{
    Host h;
    h.window.setWindowTitle("Video Converter");
    QString error;
    QVERIFY(!h.host->loadSkin("/nonexistent/skn.skn", Form, &error));
    QCOMPARE(error, QString("Cannot load the skin \"/nonexistent/skn.skn\": the file does not exist."));
    // A face to move and close the window remains; the display objects are absent.
    QCOMPARE(h.host->objectNames(), QStringList({"title", "caption", "minimize", "close"}));
    for (const char* n : {"profilestext", "play_time", "hint", "play_bar"})
        QVERIFY(!h.host->findObject(n));
    h.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&h.window));
    QSignalSpy close(h.host, &SkinHost::closeRequested);
    QTest::mouseClick(h.host, Qt::LeftButton, {}, h.host->objectRect("close").center());
    QCOMPARE(close.count(), 1);
    // A good skin loaded later replaces the plain face.
    QTemporaryDir dir;
    write(dir.path() + "/skn.skn", smallSkin(dir.path()));
    QVERIFY(h.host->loadSkin(dir.path() + "/skn.skn", Form, &error));
    QVERIFY(h.host->findObject("hint"));
}

void TestSkinHost::facets()
{
    Host h;
    QVERIFY(h.loadSmallSkin());
    SkinObject* hint = h.host->findObject("hint");
    SkinObject* bar = h.host->findObject("play_bar");
    QVERIFY(hint && bar);
    QCOMPARE(hint->name(), QString("hint"));
    QCOMPARE(h.host->objectText("hint"), QString("hello"));

    const QImage before = h.host->grab().toImage();
    hint->setText("Welcome to use AVI Converter.");
    hint->redraw();
    bar->setPosition(10000);
    bar->redraw();
    QTRY_VERIFY(h.host->grab().toImage() != before);
    const QImage after = h.host->grab().toImage();
    QVERIFY(differingPixels(before.copy(60, 30, 130, 20), after.copy(60, 30, 130, 20)) > 20);  // the text
    QVERIFY(after.pixel(105, 75) == qRgb(255, 255, 255));  // the thumb at the right end
    QVERIFY(after.pixel(15, 75) != qRgb(255, 255, 255));

    bar->setPosition(-5);
    QCOMPARE(bar->position(), 0);
    bar->setPosition(12345);
    QCOMPARE(bar->position(), 10000);

    // Handles survive a change of layout; what was written stays.
    h.host->applyLayout("two");
    QCOMPARE(h.host->findObject("hint"), hint);
    QCOMPARE(h.host->objectText("hint"), QString("Welcome to use AVI Converter."));
    QCOMPARE(h.host->objectRect("hint"), QRect(0, 50, 200, 20));
    QVERIFY(h.host->objectRect("go").isNull());
    bar->redraw();  // not in this layout: nothing to draw, no harm
    h.host->applyLayout("no such layout");
    QCOMPARE(h.host->layoutName(), QString("one"));
}

void TestSkinHost::events()
{
    Host h;
    QVERIFY(h.loadSmallSkin());
    QStringList seen;
    connect(h.host, &SkinHost::mouseDown, [&](const QString& n, Qt::MouseButton b, int, int) { seen << "down " + n + (b == Qt::RightButton ? " right" : ""); });
    connect(h.host, &SkinHost::mouseUp, [&](const QString& n, Qt::MouseButton, int, int) { seen << "up " + n; });
    connect(h.host, &SkinHost::clicked, [&](const QString& n) { seen << "click " + n; });
    connect(h.host, &SkinHost::mouseMoved, [&](const QString& n, int, int) { seen << "move " + n; });

    const QImage normal = h.host->grab().toImage();
    QTest::mouseMove(h.host, QPoint(30, 40));
    QTRY_COMPARE(h.host->grab().toImage().pixel(30, 40), QColor(Qt::cyan).rgb());  // hover picture
    QTest::mousePress(h.host, Qt::LeftButton, {}, QPoint(30, 40));
    QCOMPARE(h.host->grab().toImage().pixel(30, 40), QColor(Qt::darkCyan).rgb());  // pressed picture
    QTest::mouseRelease(h.host, Qt::LeftButton, {}, QPoint(31, 41));
    QCOMPARE(seen, QStringList({"move go", "down go", "up go", "click go"}));
    Q_UNUSED(normal);

    // Released elsewhere: no click. The right button: no click. The bare face has no name.
    seen.clear();
    QTest::mousePress(h.host, Qt::LeftButton, {}, QPoint(30, 40));
    QTest::mouseRelease(h.host, Qt::LeftButton, {}, QPoint(150, 90));
    QTest::mouseClick(h.host, Qt::RightButton, {}, QPoint(30, 40));
    QTest::mouseMove(h.host, QPoint(100, 90));
    QTest::mouseClick(h.host, Qt::LeftButton, {}, QPoint(100, 90));
    QTest::mouseClick(h.host, Qt::LeftButton, {}, QPoint(130, 70));
    QCOMPARE(seen, QStringList({"down go", "up go", "down go right", "up go", "move ", "down ", "up ", "down label", "up label", "click label"}));
}

void TestSkinHost::disabledButton()
{
    Host h;
    QVERIFY(h.loadSmallSkin());
    QSignalSpy clicks(h.host, &SkinHost::clicked);
    h.host->setObjectEnabled("go", false);
    QVERIFY(!h.host->isObjectEnabled("go"));
    QTRY_COMPARE(h.host->grab().toImage().pixel(30, 40), QColor(Qt::darkGray).rgb());
    QTest::mouseClick(h.host, Qt::LeftButton, {}, QPoint(30, 40));
    QCOMPARE(clicks.count(), 0);
    h.host->setObjectEnabled("go", true);
    QTest::mouseClick(h.host, Qt::LeftButton, {}, QPoint(30, 40));
    QCOMPARE(clicks.count(), 1);
}

void TestSkinHost::sliderTracking()
{
    Host h;
    QVERIFY(h.loadSmallSkin());
    SkinObject* bar = h.host->findObject("play_bar");
    bool track = false;
    int positionAtRelease = -1;
    connect(h.host, &SkinHost::mouseDown, [&](const QString&, Qt::MouseButton, int, int) {
        if (track)
            h.host->trackSlider();
    });
    connect(h.host, &SkinHost::mouseUp, [&](const QString&, Qt::MouseButton, int, int) { positionAtRelease = bar->position(); });

    // Not tracked: the press leaves the position alone.
    QTest::mouseClick(h.host, Qt::LeftButton, {}, QPoint(60, 75));
    QCOMPARE(bar->position(), 0);

    // Tracked: the thumb follows the mouse, and the release reports the last place.
    track = true;
    QTest::mousePress(h.host, Qt::LeftButton, {}, QPoint(15, 75));  // thumb centred at the left end
    QCOMPARE(bar->position(), 0);
    QTest::mouseMove(h.host, QPoint(60, 75));
    QCOMPARE(bar->position(), 5000);
    QTest::mouseRelease(h.host, Qt::LeftButton, {}, QPoint(200 - 1, 75));
    QCOMPARE(positionAtRelease, 10000);
    // After the release the bar no longer follows.
    QTest::mouseMove(h.host, QPoint(30, 75));
    QCOMPARE(bar->position(), 10000);
}

void TestSkinHost::windowActions()
{
    Host h;
    h.window.move(50, 60);
    QVERIFY(h.loadSmallSkin());
    QVERIFY(h.window.windowFlags() & Qt::FramelessWindowHint);
    QSignalSpy clicks(h.host, &SkinHost::clicked);
    QSignalSpy close(h.host, &SkinHost::closeRequested);
    QTest::mouseClick(h.host, Qt::LeftButton, {}, QPoint(180, 10));
    QCOMPARE(close.count(), 1);
    QCOMPARE(clicks.count(), 0);

    // Dragging the title strip moves the window.
    const QPoint start = h.window.pos();
    QTest::mousePress(h.host, Qt::LeftButton, {}, QPoint(50, 10));
    QMouseEvent move(QEvent::MouseMove, QPointF(80, 30), h.host->mapToGlobal(QPointF(80, 30)), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(h.host, &move);
    QTest::mouseRelease(h.host, Qt::LeftButton, {}, QPoint(80, 30));
    QTRY_COMPARE(h.window.pos(), start + QPoint(30, 20));
}

VC_TEST_MAIN(TestSkinHost)
#include "tst_skinhost.moc"
