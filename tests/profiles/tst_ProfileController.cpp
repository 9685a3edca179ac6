// SelectProfile on a real form with fake neighbours: every step in order, the remembered
// choices across selections and editions, a missing data file, missing or broken category
// pictures, short data files, and the change handlers of the option boxes.
#include "profiles/Catalogue.h"
#include "profiles/OptionLists.h"
#include "profiles/ProfileFile.h"
#include "profiles/ui/ProfileController.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TestMain.h"

#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace optionlists;

namespace {

QStringList calls;

class FakePicker : public PickerPort {
public:
    void OpenPicker(int) override { calls << "open"; }
    void ClosePicker() override { calls << "close"; }
    void RestoreButton(int) override {}
};

class FakeSources : public SourcesPort {
public:
    void AddSourceFiles() override {}
    void AddSourceFolder() override {}
    void RemoveSelectedSources() override {}
    void ClearSources() override {}
    void RefreshOutputSizes() override { calls << "refresh"; }
    void AddPaths(const QStringList&) override {}
};

class FakeText : public SkinObject {
public:
    QString name() const override { return "profilestext"; }
    void setText(const QString& t) override { text = t; }
    void redraw() override { calls << "redraw:" + text; }
    void setPosition(int) override {}
    int position() const override { return 0; }
    QString text;
};

const QString SixSizes = "640x480 352x288 320x240 176x144 160x120 128x96";

// A data file for all 132 numbers: six sizes and five rates for video profiles, no video for
// the audio-only ones, argument line "-tag N"; unnamed numbers are empty.
QByteArray dataFile()
{
    QByteArray out;
    for (int p = 1; p <= 132; ++p) {
        QStringList block{QStringLiteral("P%1").arg(p), SixSizes, "100 200 300 400 500", QStringLiteral("-tag %1").arg(p)};
        if (!catalogue::IsNamed(p))
            block = QStringList{"", "", "", ""};
        else if (catalogue::IsAudioOnlyRemembered(p))
            block[1] = QString(), block[2] = "*";
        out += block.join("\r\n").toUtf8() + "\r\n";
    }
    return out;
}

QStringList items(const QComboBox* box)
{
    QStringList l;
    for (int i = 0; i < box->count(); ++i)
        l << box->itemText(i);
    return l;
}

// The main window's controls with a profile controller and fake neighbours.
struct Rig {
    // `clean`: start without settings files.
    explicit Rig(const QString& programDir, const QString& exe = "Video Converter", bool clean = true)
        : form(buildMainForm(&window)), ctx{state, form, prompt, programDir}
    {
        state.ExeFileName = exe;
        state.CategoryId = 1;
        const QString config = vctest::home() + "/config/videoconverter/";
        if (clean) {
            QFile::remove(config + "pro " + exe + ".ini");
            QFile::remove(config + exe + ".ini");
        }
        state.ProfileIni.emplace(config + "pro " + exe + ".ini");
        state.MainIni.emplace(config + exe + ".ini");
        form.cb_channel->addItems({"Convert Video To AVI", "Convert AVI To Video"});
        ctx.ProfilesTextObject = &text;
        ctx.picker = &picker;
        ctx.sources = &sources;
        controller = std::make_unique<ProfileController>(ctx);
        ctx.profiles = controller.get();
        calls.clear();
    }
    void select(int p)
    {
        state.ProfileId = p;
        controller->SelectProfile(p);
    }

    QWidget window;
    AppState state;
    MainForm form;
    ScriptedPrompt prompt;
    FakePicker picker;
    FakeSources sources;
    FakeText text;
    MainContext ctx;
    std::unique_ptr<ProfileController> controller;
};

} // namespace

class tst_ProfileController : public QObject {
    Q_OBJECT
private slots:
    void init();
    void selectionSteps();
    void directionKey();
    void rememberedAcrossSelections();
    void editionDefaults_data();
    void editionDefaults();
    void withoutVideo();
    void unnamedAndOutOfRange();
    void missingDataFile();
    void shortDataFile();
    void categoryPictures();
    void changeHandlers();
    void shippedData_data();
    void shippedData();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString programDir_;
};

void tst_ProfileController::init()
{
    dir_ = std::make_unique<QTemporaryDir>(vctest::home() + "/program-XXXXXX");
    programDir_ = dir_->path() + "/";
    QFile f(programDir_ + "profiles.pop");
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(dataFile());
    f.close();
    QVERIFY(QDir().mkpath(programDir_ + "images/main"));
    for (int c = 1; c <= 14; ++c) {
        QImage image(64, 64, QImage::Format_RGB32);
        image.fill(QColor(c * 10, 40, 90));
        QVERIFY(image.save(programDir_ + QStringLiteral("images/main/%1.bmp").arg(c), "BMP"));
    }
}

void tst_ProfileController::selectionSteps()
{
    Rig r(programDir_);
    r.select(2);
    QVERIFY(r.prompt.messages.isEmpty());
    QVERIFY(!r.form.im_mainico->pixmap().isNull());
    QCOMPARE(r.state.ProfileDisplayName, u"AVI-DivX Movie(*.avi)"_qs);
    QCOMPARE(calls, (QStringList{"redraw:AVI-DivX Movie(*.avi)", "refresh"}));
    QCOMPARE(r.state.MainIni->readInt("profiles", "selcetsubindex", -9), 2);
    QCOMPARE(items(r.form.cb_size), SixSizes.split(' ') + QStringList{OriginalSize});
    QCOMPARE(items(r.form.cb_videobitrate), QualityItems() + QStringList{KeepVideo});
    QCOMPARE(items(r.form.cb_audiobitrate), QualityItems() + QStringList{KeepAudio});
    QCOMPARE(r.form.cb_size->currentIndex(), 4);
    QCOMPARE(r.form.cb_videobitrate->currentIndex(), 5);
    QCOMPARE(r.form.cb_audiobitrate->currentIndex(), 5);
    QCOMPARE(r.state.VideoBitrateLevels, (std::array<QString, 5>{"500", "400", "300", "200", "100"}));
    QCOMPARE(r.state.CurrentJob.ProfileArgs, u"-tag 2"_qs);
    QCOMPARE(r.state.AppliedProfileId, 2);
    // The first selection had nothing to store.
    QVERIFY(!QFile::exists(r.state.ProfileIni->path()));

    // The same profile again: its choices are stored, the boxes rebuilt and the choices restored.
    r.form.cb_size->setCurrentIndex(1);
    r.select(2);
    QCOMPARE(r.state.ProfileIni->readInt("2", "size", -9), 1);
    QCOMPARE(r.form.cb_size->currentIndex(), 1);
    QCOMPARE(items(r.form.cb_videobitrate).size(), 6);
}

void tst_ProfileController::directionKey()
{
    Rig r(programDir_, "AVI Converter");
    r.state.SingleFormatMode = false;
    r.select(7);
    QCOMPARE(r.state.MainIni->readInt("profiles", "mainselcetsubindex", -9), 7);
    QCOMPARE(r.state.MainIni->readInt("profiles", "selcetsubindex", -9), -9);
    r.state.SingleFormatMode = true;
    r.select(102);
    QCOMPARE(r.state.MainIni->readInt("profiles", "selcetsubindex", -9), 102);
    QCOMPARE(r.state.MainIni->readInt("profiles", "mainselcetsubindex", -9), 7);
}

void tst_ProfileController::rememberedAcrossSelections()
{
    Rig r(programDir_);
    r.select(27);
    QCOMPARE(r.form.cb_size->currentIndex(), 0);
    QCOMPARE(r.form.cb_videobitrate->currentIndex(), 2);
    r.form.cb_videobitrate->setCurrentIndex(0);
    r.form.cb_channel->setCurrentIndex(1);
    r.select(28);
    const IniFile& ini = *r.state.ProfileIni;
    QCOMPARE(ini.readInt("27", "size", -9), 0);
    QCOMPARE(ini.readInt("27", "video bitrate", -9), 0);
    QCOMPARE(ini.readInt("27", "audio bitrate", -9), 2);
    QCOMPARE(ini.readInt("27", "Channel", -9), 1);
    r.form.cb_channel->setCurrentIndex(0);
    r.select(27);
    QCOMPARE(r.form.cb_videobitrate->currentIndex(), 0);
    QCOMPARE(r.form.cb_channel->currentIndex(), 0);  // "Channel" is never read back

    // 131 is remembered like the rest of its group.
    r.select(131);
    QCOMPARE(r.form.cb_size->currentIndex(), 4);
    r.form.cb_size->setCurrentIndex(1);
    r.select(108);
    r.select(131);
    QCOMPARE(r.form.cb_size->currentIndex(), 1);
    QCOMPARE(ini.readInt("108", "size", -9), 4);

    // A hand-edited index past the items leaves the box without a selection.
    QVERIFY(ini.writeString("108", "size", "99"));
    QVERIFY(ini.writeString("108", "video bitrate", "x1"));
    r.select(108);
    QCOMPARE(r.form.cb_size->currentIndex(), -1);
    QCOMPARE(r.form.cb_videobitrate->currentIndex(), 5);

    // Remembered across a restart: a new window on the same files.
    r.form.cb_audiobitrate->setCurrentIndex(3);
    r.select(33);
    Rig again(programDir_, "Video Converter", false);
    again.select(108);
    QCOMPARE(again.form.cb_audiobitrate->currentIndex(), 3);
}

void tst_ProfileController::editionDefaults_data()
{
    QTest::addColumn<QString>("exe");
    QTest::addColumn<int>("profile");
    QTest::addColumn<QList<int>>("indexes");
    QTest::addColumn<int>("qualityItems");
    QTest::newRow("2 standard") << "Video Converter" << 2 << QList<int>{4, 5, 5} << 6;
    QTest::newRow("2 DVD") << "DVD Ripper" << 2 << QList<int>{4, 2, 2} << 5;
    // .mp4 and no keep-source item: the default 5 selects nothing in the quality boxes.
    QTest::newRow("4 standard") << "Video Converter" << 4 << QList<int>{5, -1, -1} << 5;
    QTest::newRow("4 DVD") << "vemra DVD Ripper" << 4 << QList<int>{2, 2, 2} << 5;
    QTest::newRow("110 standard") << "MPEG Converter" << 110 << QList<int>{5, 5, 5} << 6;
    QTest::newRow("118 standard") << "Video Converter" << 118 << QList<int>{5, 2, 2} << 5;
    QTest::newRow("123 DVD") << "DVD Ripper" << 123 << QList<int>{2, 2, 2} << 5;
    QTest::newRow("112 standard: PAL") << "Video Converter" << 112 << QList<int>{0, -1, -1} << 5;
}

void tst_ProfileController::editionDefaults()
{
    QFETCH(QString, exe);
    QFETCH(int, profile);
    QFETCH(QList<int>, indexes);
    QFETCH(int, qualityItems);
    Rig r(programDir_, exe);
    r.select(profile);
    QCOMPARE(r.form.cb_size->currentIndex(), indexes[0]);
    QCOMPARE(r.form.cb_videobitrate->currentIndex(), indexes[1]);
    QCOMPARE(r.form.cb_audiobitrate->currentIndex(), indexes[2]);
    QCOMPARE(r.form.cb_videobitrate->count(), qualityItems);
    QCOMPARE(r.form.cb_audiobitrate->count(), qualityItems);
}

void tst_ProfileController::withoutVideo()
{
    Rig r(programDir_);
    r.select(2);
    r.select(17);
    QCOMPARE(items(r.form.cb_size), QStringList{NoVideo});
    QVERIFY(!r.form.cb_size->isEnabled());
    QCOMPARE(items(r.form.cb_videobitrate), QualityItems() + QStringList({KeepVideo, NoVideo}));
    QCOMPARE(r.form.cb_videobitrate->currentIndex(), 6);
    QVERIFY(!r.form.cb_videobitrate->isEnabled());
    QVERIFY(r.form.cb_audiobitrate->isEnabled());
    QCOMPARE(r.state.VideoBitrateLevels[0], u"*"_qs);
    QCOMPARE(r.state.VideoBitrateLevels[1], u"400"_qs);

    r.form.cb_audiobitrate->setCurrentIndex(1);
    r.select(18);
    QCOMPARE(r.state.ProfileIni->readString("17", "audio bitrate", "-"), u"1"_qs);
    QCOMPARE(r.state.ProfileIni->readString("17", "size", "-"), u"-"_qs);
    QCOMPARE(items(r.form.cb_videobitrate).count(NoVideo), 1);

    r.select(113);
    QCOMPARE(items(r.form.cb_size), (QStringList{Pal, Ntsc}));
    QVERIFY(!r.form.cb_size->isEnabled());
    QVERIFY(!r.form.cb_videobitrate->isEnabled());
    QVERIFY(!r.form.cb_audiobitrate->isEnabled());

    r.select(3);
    QCOMPARE(items(r.form.cb_videobitrate), QualityItems() + QStringList{KeepVideo});
    QVERIFY(r.form.cb_size->isEnabled() && r.form.cb_videobitrate->isEnabled() && r.form.cb_audiobitrate->isEnabled());
}

void tst_ProfileController::unnamedAndOutOfRange()
{
    Rig r(programDir_);
    r.select(25);
    r.select(26);
    QCOMPARE(r.state.ProfileDisplayName, u"SUN AU Format(*.au)"_qs);
    QCOMPARE(r.text.text, u"SUN AU Format(*.au)"_qs);
    QCOMPARE(r.state.AppliedProfileId, 26);

    // 0: nothing applied, but the selection runs to its end.
    r.state.CurrentJob.ProfileArgs = "kept";
    calls.clear();
    r.select(0);
    QCOMPARE(r.state.CurrentJob.ProfileArgs, u"kept"_qs);
    QCOMPARE(r.state.AppliedProfileId, 0);
    QCOMPARE(calls.last(), u"refresh"_qs);
    r.select(140);
    QCOMPARE(r.state.CurrentJob.ProfileArgs, u"kept"_qs);
    QCOMPARE(r.state.AppliedProfileId, 140);
    QVERIFY(r.prompt.messages.isEmpty());

    // First selection after start on an unnamed number: no name, no extension.
    Rig fresh(programDir_);
    fresh.select(33);
    QCOMPARE(fresh.state.ProfileDisplayName, QString());
    QCOMPARE(catalogue::OutputExtension(fresh.state.ProfileDisplayName), QString());
    QCOMPARE(fresh.form.cb_audiobitrate->currentIndex(), 2);
}

void tst_ProfileController::missingDataFile()
{
    Rig r(programDir_);
    r.select(2);
    QVERIFY(QFile::remove(programDir_ + "profiles.pop"));
    r.form.cb_videobitrate->setCurrentIndex(1);
    calls.clear();
    r.select(27);
    QCOMPARE(r.prompt.texts(),
             QStringList{QStringLiteral("Cannot open file \"%1profiles.pop\". No such file or directory").arg(programDir_)});
    QCOMPARE(r.prompt.messages[0].icon, PromptIcon::Error);
    // Steps 1 to 3 happened ...
    QCOMPARE(r.state.ProfileDisplayName, catalogue::DisplayName(27));
    QCOMPARE(r.state.ProfileIni->readInt("2", "video bitrate", -9), 1);
    QCOMPARE(r.state.MainIni->readInt("profiles", "selcetsubindex", -9), 27);
    // ... the rest did not.
    QCOMPARE(items(r.form.cb_size), SixSizes.split(' ') + QStringList{OriginalSize});
    QCOMPARE(items(r.form.cb_videobitrate).size(), 6);
    QCOMPARE(r.state.CurrentJob.ProfileArgs, u"-tag 2"_qs);
    QCOMPARE(r.state.AppliedProfileId, 2);
    QCOMPARE(calls, QStringList{"redraw:" + catalogue::DisplayName(27)});
}

void tst_ProfileController::shortDataFile()
{
    Rig r(programDir_);
    r.select(2);
    QFile f(programDir_ + "profiles.pop");
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    // Mixed line ends; block 3 has more than five rates (the rest ignored); block 4 ends after
    // its size line, where Ctrl+Z hides the rest.
    f.write("one\r352x288\n1 2 3 4 5\r\n-a\n"
            "two\n\n*\n-b\r\n"
            "three\r\n320x240 160x120\r11 22 33 44 55 66 77\n-c\n"
            "four\n176x144\x1a\n500 600\n-d\n");
    f.close();
    r.select(3);
    QCOMPARE(items(r.form.cb_size), (QStringList{"320x240", "160x120", OriginalSize}));
    QCOMPARE(r.state.VideoBitrateLevels, (std::array<QString, 5>{"55", "44", "33", "22", "11"}));
    QCOMPARE(r.state.CurrentJob.ProfileArgs, u"-c"_qs);
    r.select(4);
    QCOMPARE(items(r.form.cb_size), (QStringList{"176x144"}));
    QCOMPARE(r.state.VideoBitrateLevels[4], u"11"_qs);
    QCOMPARE(r.state.CurrentJob.ProfileArgs, u"-c"_qs);
    QCOMPARE(r.form.cb_size->currentIndex(), -1);  // default 5 of profile 4 lies past the one item
    r.select(2);
    QCOMPARE(items(r.form.cb_size), (QStringList{NoVideo}));
    QCOMPARE(r.state.VideoBitrateLevels[0], u"*"_qs);
    QCOMPARE(r.state.CurrentJob.ProfileArgs, u"-b"_qs);
    QVERIFY(r.prompt.messages.isEmpty());
}

void tst_ProfileController::categoryPictures()
{
    QVERIFY(QFile::remove(programDir_ + "images/main/3.bmp"));
    QFile broken(programDir_ + "images/main/4.bmp");
    QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    broken.write("BMnot a picture");
    broken.close();

    Rig r(programDir_);
    r.select(1);
    QVERIFY(!r.form.im_mainico->pixmap().isNull());
    r.state.CategoryId = 3;
    r.select(27);
    r.select(28);
    QCOMPARE(r.prompt.texts(), QStringList{QStringLiteral("Cannot open file \"%1images/main/3.bmp\". No such file "
                                                          "or directory").arg(programDir_)});
    QVERIFY(r.form.im_mainico->pixmap().isNull());
    // The selection went on.
    QCOMPARE(r.state.AppliedProfileId, 28);
    QCOMPARE(r.state.ProfileDisplayName, catalogue::DisplayName(28));
    QCOMPARE(items(r.form.cb_size), SixSizes.split(' '));

    r.state.CategoryId = 4;
    r.select(34);
    r.select(35);
    QCOMPARE(r.prompt.messages.size(), 2);
    QVERIFY(r.prompt.texts().last().startsWith(QStringLiteral("Cannot load picture \"%1images/main/4.bmp\"").arg(programDir_)));
    QCOMPARE(r.state.AppliedProfileId, 35);

    // Categories outside 1..14 leave the picture alone.
    r.state.CategoryId = 14;
    r.select(1);
    const QImage fourteen = r.form.im_mainico->pixmap().toImage();
    for (int c : {-1, 0, 15}) {
        r.state.CategoryId = c;
        r.select(2);
        QCOMPARE(r.form.im_mainico->pixmap().toImage(), fourteen);
    }
    QCOMPARE(r.prompt.messages.size(), 2);
}

void tst_ProfileController::changeHandlers()
{
    Rig r(programDir_);
    r.select(2);
    for (QComboBox* box : {r.form.cb_size, r.form.cb_videobitrate, r.form.cb_audiobitrate}) {
        calls.clear();
        box->setCurrentIndex(1);  // a programmatic change is no user change
        QVERIFY(calls.isEmpty());
        emit box->activated(1);
        QCOMPARE(calls, (QStringList{"close", "refresh"}));
    }
    // Not stored until the next selection.
    QVERIFY(!QFile::exists(r.state.ProfileIni->path()));
}

void tst_ProfileController::shippedData_data()
{
    QTest::addColumn<QString>("exe");
    QTest::newRow("standard") << "Video Converter";
    QTest::newRow("DVD") << "DVD Ripper";
}

// The profiles.pop the build installs: every named profile has a readable label, sizes and
// five rates (or no video), and its default choices select items; every number selects
// without a message, in either order.
void tst_ProfileController::shippedData()
{
    QFETCH(QString, exe);
    QFile::remove(programDir_ + "profiles.pop");
    QVERIFY(QFile::copy(QStringLiteral(VC_PROGRAM_DIR "/profiles.pop"), programDir_ + "profiles.pop"));
    QFile f(programDir_ + "profiles.pop");
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QStringList lines = profilefile::SplitLines(f.readAll());
    QCOMPARE(lines.size(), 132 * 4);

    const QRegularExpression size(QStringLiteral("^[1-9][0-9]*x[1-9][0-9]*$"));
    const QRegularExpression rate(QStringLiteral("^[1-9][0-9]+$"));
    Rig r(programDir_, exe);
    QList<int> order;
    for (int p = 1; p <= 132; ++p)
        order << p;
    for (int p = 132; p >= 1; --p)
        order << p;
    for (int p : order) {
        const QString at = QStringLiteral("profile %1").arg(p);
        const qsizetype base = (p - 1) * 4;
        if (!catalogue::IsNamed(p)) {
            QVERIFY2((lines.mid(base, 4) == QStringList{"", "", "", ""}), qPrintable(at));
            continue;
        }
        QVERIFY2(lines[base].startsWith(QString::number(p) + " ") && lines[base].size() > 8, qPrintable(at));
        const QStringList sizes = profilefile::SplitValues(lines[base + 1]);
        const QStringList rates = profilefile::SplitValues(lines[base + 2]);
        QVERIFY2(!lines[base + 3].isEmpty(), qPrintable(at));
        if (lines[base + 2] == "*") {
            QVERIFY2(sizes.isEmpty() && lines[base + 3].contains("-vn"), qPrintable(at));
        } else {
            QVERIFY2(!sizes.isEmpty() && lines[base + 1].split(' ') == sizes, qPrintable(at));
            for (const QString& s : sizes)
                QVERIFY2(size.match(s).hasMatch(), qPrintable(at + ": " + s));
            QVERIFY2(rates.size() == 5 && lines[base + 2].split(' ') == rates, qPrintable(at));
            for (qsizetype i = 0; i < rates.size(); ++i) {
                QVERIFY2(rate.match(rates[i]).hasMatch(), qPrintable(at));
                QVERIFY2(i == 0 || rates[i].toInt() >= rates[i - 1].toInt(), qPrintable(at + ": lowest quality first"));
            }
        }

        r.select(p);
        QVERIFY2(r.prompt.messages.isEmpty(), qPrintable(r.prompt.texts().join('\n')));
        QCOMPARE(r.state.CurrentJob.ProfileArgs, lines[base + 3]);
        QVERIFY2(r.form.cb_size->currentIndex() >= 0, qPrintable(at + ": size default selects an item"));
        // Only 4 and 5 (".mp4", default 5 outside the DVD edition) start without qualities.
        const bool blankExpected = (p == 4 || p == 5) && exe == "Video Converter";
        if (!catalogue::IsDiscTarget(p)) {
            QVERIFY2((r.form.cb_videobitrate->currentIndex() < 0) == blankExpected, qPrintable(at + ": video default"));
            QVERIFY2((r.form.cb_audiobitrate->currentIndex() < 0) == blankExpected, qPrintable(at + ": audio default"));
        }
    }
}

VC_TEST_MAIN(tst_ProfileController)
#include "tst_ProfileController.moc"
