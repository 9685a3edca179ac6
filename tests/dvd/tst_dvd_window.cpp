// The DVD edition end to end in a real window: the program opens the authored disc given on
// its command line, switches to chapters, takes the second audio stream and the subtitle for
// Chapter_02 alone and converts it through register.dat and ffmpeg. The output lasts as long
// as the chapter, sounds at the chosen stream's tone and shows the subtitle bar when the disc
// shows it. Screenshots of the window go to <build>/screenshots.
#include "app/Tfm_main.h"
#include "tests/support/Fixtures.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TestMain.h"

#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProcess>
#include <QTreeWidget>

#include <cmath>

namespace {

const QString ProgramDir = QStringLiteral(VC_PROGRAM_DIR "/");

QString disc()
{
    return QStringLiteral(VC_BINARY_DIR "/fixtures/dvd");
}

QJsonObject facts()
{
    QFile f(disc() + "/facts.json");
    return f.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(f.readAll()).object() : QJsonObject();
}

void shoot(QWidget& w, const QString& name)
{
    const QString dir = QStringLiteral(VC_BINARY_DIR "/screenshots");
    QDir().mkpath(dir);
    w.grab().save(dir + "/" + name + ".png");
}

QByteArray decode(const QStringList& args)
{
    QProcess p;
    p.start("ffmpeg", QStringList{"-v", "error", "-nostdin"} + args);
    p.waitForFinished(60000);
    return p.readAllStandardOutput();
}

// The dominant frequency of the file's audio, from the zero crossings of its first channel (coding
// noise adds a few per cent; the disc's tones lie far apart: 440, 660 and 1000 Hz).
double toneOf(const QString& path)
{
    const QByteArray pcm = decode({"-i", path, "-map", "0:a:0", "-ac", "1", "-ar", "48000", "-f", "s16le", "-"});
    const auto* s = reinterpret_cast<const qint16*>(pcm.constData());
    const qsizetype n = pcm.size() / 2;
    qsizetype crossings = 0;
    for (qsizetype i = 1; i < n; ++i)
        crossings += (s[i - 1] < 0) != (s[i] < 0);
    return n ? crossings / 2.0 / (double(n) / 48000.0) : 0;
}

// Mean and spread of the grey level inside a rectangle of the frame at `second`.
struct Patch {
    double mean = 0, spread = 0;
};
Patch patchAt(const QString& path, double second, QRect r)
{
    const int w = fixtures::probe(path, "stream=width", "v:0").toInt();
    const int h = fixtures::probe(path, "stream=height", "v:0").toInt();
    const QByteArray grey = decode({"-ss", QString::number(second), "-i", path, "-frames:v", "1", "-f", "rawvideo",
                                    "-pix_fmt", "gray", "-"});
    Patch p;
    if (w <= 0 || grey.size() < w * h)
        return p;
    double sum = 0, sq = 0;
    int count = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const double v = uchar(grey[y * w + x]);
            sum += v;
            sq += v * v;
            ++count;
        }
    p.mean = sum / count;
    p.spread = std::sqrt(qMax(0.0, sq / count - p.mean * p.mean));
    return p;
}

} // namespace

class TestDvdWindow : public QObject {
    Q_OBJECT
private slots:
    void convertsAChapterWithChosenStreams()
    {
        QVERIFY2(!facts().isEmpty(), "the DVD fixture is missing");
        QTemporaryDir out;
        ScriptedPrompt prompt;
        Tfm_main w("DVD Ripper", ProgramDir, {disc()}, &prompt);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        MainForm& form = w.form();
        MainContext& ctx = w.context();
        QTRY_COMPARE_WITH_TIMEOUT(form.lv->topLevelItemCount(), 2, 20000);
        QVERIFY(form.cb_audio->isVisible());
        QCOMPARE(form.cb_audio->count(), 2);
        QCOMPARE(form.lv->topLevelItem(0)->checkState(0), Qt::Checked);
        shoot(w, "dvd-titles");

        ctx.dvd->ToggleTitleMode();
        QCOMPARE(form.lv->topLevelItemCount(), 6);
        QCOMPARE(form.lv->topLevelItem(2)->text(0), "  Chapter_02");
        form.lv->clearSelection();
        form.lv->setCurrentItem(form.lv->topLevelItem(2));
        ctx.dvd->lvClick();
        form.cb_audio->setCurrentIndex(1);
        emit form.cb_audio->activated(1);
        form.cb_subtitle->setCurrentIndex(1);
        emit form.cb_subtitle->activated(1);
        ctx.dvd->SetAllChecks(false);
        form.lv->topLevelItem(2)->setCheckState(0, Qt::Checked);
        form.ed_output->setText(out.path());
        shoot(w, "dvd-chapters-chosen");

        ctx.conversion->StartConversion();
        QTRY_VERIFY_WITH_TIMEOUT(!ctx.state.IsConverting, 120000);
        shoot(w, "dvd-converted");
        QCOMPARE(prompt.texts().join("\n"), QString());
        for (int row = 0; row < 6; ++row)
            QCOMPARE(form.lv->topLevelItem(row)->text(lvcol::Status), row == 2 ? "Finish" : "Ready");

        const QStringList made = QDir(out.path()).entryList(QDir::Files);
        QCOMPARE(made.size(), 1);
        QVERIFY2(made[0].startsWith("Chapter_02."), qPrintable(made[0]));
        const QString output = out.path() + "/" + made[0];

        const QJsonObject set = facts()["titleSets"].toArray()[0].toObject();
        const double chapterSeconds = set["titles"].toArray()[0].toObject()["chapters"].toArray()[1].toDouble();
        const double duration = fixtures::probe(output, "format=duration").toDouble();
        QVERIFY2(std::abs(duration - chapterSeconds) < 0.3, qPrintable(QString::number(duration)));

        const double tone = toneOf(output);
        const double wanted = set["audio"].toArray()[1].toObject()["frequency"].toDouble();
        QVERIFY2(std::abs(tone - wanted) < wanted * 0.08, qPrintable(QString::number(tone)));

        // The bar is shown from 6.0 s to 7.5 s of the title, 2.0 s to 3.5 s into chapter 2.
        const QJsonObject bar = set["subpictures"].toArray()[0].toObject()["bar"].toObject();
        const double sx = fixtures::probe(output, "stream=width", "v:0").toDouble() / 720.0;
        const double sy = fixtures::probe(output, "stream=height", "v:0").toDouble() / 576.0;
        const QRect inner(int((bar["x"].toInt() + 20) * sx), int((bar["y"].toInt() + 15) * sy),
                          int((bar["w"].toInt() - 40) * sx), int((bar["h"].toInt() - 30) * sy));
        const Patch shown = patchAt(output, 2.75, inner);
        const Patch hidden = patchAt(output, 0.5, inner);
        QVERIFY2(shown.mean > 220 && shown.spread < 25,
                 qPrintable(QString("subtitle %1 +- %2").arg(shown.mean).arg(shown.spread)));
        QVERIFY2(hidden.mean < 200 || hidden.spread > 40,
                 qPrintable(QString("no subtitle %1 +- %2").arg(hidden.mean).arg(hidden.spread)));
    }
};

VC_TEST_MAIN(TestDvdWindow)
#include "tst_dvd_window.moc"
