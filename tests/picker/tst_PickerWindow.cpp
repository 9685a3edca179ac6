// The picker's widgets on a window of the main form's controls: every piece under its name and
// in its place, mouse moves and clicks reaching the logic, the built pictures shown, and the
// single-format layouts applied to the real panels.
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TestMain.h"

#include "app/Layout.h"
#include "profiles/ui/PictureButton.h"
#include "profiles/ui/Picker.h"
#include "ui/MainForm.h"

#include <QFrame>
#include <QLabel>

using namespace picker;

namespace {

struct RecordingProfiles : ProfilesPort {
    AppState* state = nullptr;
    QList<int> selected;
    QList<int> profileIdSeen;
    void SelectProfile(int p) override
    {
        selected << p;
        profileIdSeen << state->ProfileId;
        state->AppliedProfileId = p;
    }
};

struct Window {
    QWidget widget;
    MainForm form = buildMainForm(&widget);
    AppState state;
    ScriptedPrompt prompt;
    RecordingProfiles profiles;
    MainContext ctx{state, form, prompt, QStringLiteral(VC_PROGRAM_DIR "/")};
    Picker picker{ctx};

    explicit Window(const QString& exe, int profileId = 1)
    {
        widget.resize(designed::windowWidth, designed::windowHeight);
        profiles.state = &state;
        ctx.profiles = &profiles;
        ctx.picker = &picker;
        state.ExeFileName = exe;
        state.ProfileId = state.AppliedProfileId = profileId;
        state.CategoryId = 1;
        picker.ClosePicker();
        for (int n = 1; n <= 132; ++n)
            picker.RestoreButton(n);
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
    }

    QFrame* panel(int p) const { return form.presetPanels[static_cast<std::size_t>(p)]; }
    // Two moves: a move to where the pointer already is would be dropped.
    void moveOnto(QWidget* target)
    {
        QTest::mouseMove(target, QPoint(1, 1));
        QTest::mouseMove(target, target->rect().center());
    }
};

QImage picture(const QString& relative)
{
    return QImage(QStringLiteral(VC_PROGRAM_DIR "/") + relative).convertToFormat(QImage::Format_RGB32);
}

QImage shown(const PictureButton* b)
{
    return b->picture().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestPickerWindow : public QObject {
    Q_OBJECT
private slots:
    void piecesInPlace();
    void mouseThroughTheFullPicker();
    void standAlonePanels_data();
    void standAlonePanels();
    void previewPanelInVemraBrand();
};

void TestPickerWindow::piecesInPlace()
{
    Window w(QStringLiteral("Video Converter"));
    for (int n = 1; n <= 132; ++n) {
        const int p = PanelOfButton(n);
        auto* b = w.panel(p)->findChild<PictureButton*>(QStringLiteral("btim_%1").arg(n), Qt::FindDirectChildrenOnly);
        QVERIFY2(b, qPrintable(QString::number(n)));
        QCOMPARE(b, w.picker.button(n));
        QCOMPARE(b->geometry(), ButtonRect(n));
        QCOMPARE(shown(b), picture(ButtonPicture(n, false)));
        QCOMPARE(b->testAttribute(Qt::WA_TransparentForMouseEvents), KindOf(n) == ButtonKind::PictureOnly);
    }
    QCOMPARE(w.picker.button(1)->height(), 53);
    QCOMPARE(w.picker.button(16)->height(), 48);
    QCOMPARE(w.picker.button(26)->geometry(), QRect(0, 197, 310, 144));  // the tall bottom piece
    QCOMPARE(w.picker.button(132)->geometry(), QRect(0, 341, 311, 17));
    for (int c = 1; c <= CategoryCount; ++c) {
        auto* image = w.form.pl_main->findChild<PictureButton*>(QLatin1String(Category(c).image));
        QVERIFY(image);
        QCOMPARE(image->geometry(), CategoryRect(c));
        QCOMPARE(shown(image), picture(CategoryPicture(c, false)));  // the design's picture
    }
    QCOMPARE(w.picker.categoryImage(1)->geometry(), QRect(0, 0, 153, 27));
    QCOMPARE(w.picker.categoryImage(13)->geometry(), QRect(0, 302, 153, 25));
    auto* filler = w.form.pl_main->findChild<PictureButton*>(QStringLiteral("Image3"));
    QVERIFY(filler && !filler->picture().isNull());
    QCOMPARE(filler->geometry(), QRect(0, 327, 153, 31));

    const struct { const char* name; int panel; bool hand; } links[] = {
        {"Image94", pl_video1, true}, {"Image93", pl_video2, true}, {"Image2", pl_audio1, true}, {"Image5", pl_audio2, true}};
    for (const auto& l : links) {
        auto* link = w.panel(l.panel)->findChild<PictureButton*>(QLatin1String(l.name));
        QVERIFY(link && !link->picture().isNull());
        QCOMPARE(link->geometry(), QRect(310 - 71, 358 - 17, 71, 17));
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
    }
    QCOMPARE(w.panel(pl_audio2)->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(w.panel(pl_audio1)->cursor().shape(), Qt::ArrowCursor);
    QVERIFY(w.prompt.messages.isEmpty());
}

void TestPickerWindow::mouseThroughTheFullPicker()
{
    Window w(QStringLiteral("Video Converter"));
    QTest::mouseClick(w.form.im_mainico, Qt::LeftButton);
    QVERIFY(w.form.pl_main->isVisible());
    QVERIFY(w.panel(pl_video1)->isVisible());

    // Over opener 3: its group opens beside the page, lit, with the lit picture file.
    w.moveOnto(w.picker.button(3));
    QVERIFY(w.panel(pl_mpeg)->isVisible());
    QCOMPARE(w.panel(pl_mpeg)->pos(), w.panel(pl_video1)->pos() + QPoint(220, 0));
    QVERIFY(w.picker.button(3)->highlighted());
    QCOMPARE(shown(w.picker.button(3)), picture(ButtonPicture(3, true)));
    QCOMPARE(w.state.ProfileId, 3);

    // Into the group, and a click: closed, selected, ProfileId set first.
    w.moveOnto(w.picker.button(112));
    QCOMPARE(w.state.ProfileId, 112);
    QVERIFY(w.picker.button(3)->highlighted());
    QTest::mouseClick(w.picker.button(112), Qt::LeftButton);
    QCOMPARE(w.profiles.selected, QList<int>{112});
    QCOMPARE(w.profiles.profileIdSeen, QList<int>{112});
    QVERIFY(!w.form.pl_main->isVisible());
    QVERIFY(!w.panel(pl_mpeg)->isVisible());

    // Reopened on the group profile; a category, the next page, then away without a click.
    QTest::mouseClick(w.form.im_mainico, Qt::LeftButton);
    QVERIFY(w.panel(pl_mpeg)->isVisible() && w.panel(pl_video1)->isVisible());
    w.moveOnto(w.picker.categoryImage(2));
    QVERIFY(w.panel(pl_audio1)->isVisible());
    QVERIFY(!w.panel(pl_mpeg)->isVisible());
    QVERIFY(w.picker.categoryImage(2)->highlighted());
    QTest::mouseClick(w.picker.link(PageLink::Image2), Qt::LeftButton);
    QVERIFY(w.panel(pl_audio2)->isVisible() && !w.panel(pl_audio1)->isVisible());
    QVERIFY(!w.state.AudioPageFirst);
    w.moveOnto(w.picker.button(24));
    QCOMPARE(w.state.ProfileId, 24);
    w.picker.ClosePicker();
    QCOMPARE(w.state.ProfileId, 112);
    QVERIFY(!w.picker.button(24)->highlighted());
    QCOMPARE(w.profiles.selected, QList<int>{112});
    QVERIFY(w.prompt.messages.isEmpty());
}

void TestPickerWindow::standAlonePanels_data()
{
    QTest::addColumn<QString>("exe");
    QTest::addColumn<int>("panel");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("laidOut");
    QTest::newRow("iPod") << "iPod Video Converter" << int(pl_ipod) << 53 << 7;
    QTest::newRow("GPhone") << "GPhone Video Converter" << int(pl_gphone) << 53 << 5;
    QTest::newRow("MP3") << "MP3 Converter" << int(pl_audio1) << 53 << 7;
    QTest::newRow("AVI") << "AVI Converter" << int(pl_avi) << 53 << 0;
    QTest::newRow("vemra PSP") << "vemra PSP Video Converter" << int(pl_psp) << 88 << 7;
}

void TestPickerWindow::standAlonePanels()
{
    QFETCH(QString, exe);
    QFETCH(int, panel);
    QFETCH(int, laidOut);
    Window w(exe);
    QTest::mouseClick(w.form.im_mainico, Qt::LeftButton);
    QVERIFY(!w.form.pl_main->isVisible());
    for (int p = 0; p < PanelCount; ++p)
        QCOMPARE(w.panel(p)->isVisible(), p == panel);
    QFrame* f = w.panel(panel);
    QTEST(f->x(), "left");
    QCOMPARE(f->y(), 81);
    if (laidOut) {
        QCOMPARE(f->frameShape(), QFrame::Box);
        QCOMPARE(f->frameShadow(), QFrame::Plain);
        QCOMPARE(f->lineWidth(), 1);
        const int first = Panels()[panel].first;
        for (int i = 0; i < laidOut; ++i)
            QCOMPARE(w.picker.button(first + i)->y(), StandAloneTops[i]);
    } else {
        QCOMPARE(f->frameShape(), QFrame::Panel);  // the group panels only move
    }
    // Hover and click work on the stand-alone panel as on the full picker.
    const int pick = Panels()[panel].first + 1;
    w.moveOnto(w.picker.button(pick));
    QCOMPARE(w.state.ProfileId, pick);
    QTest::mouseClick(w.picker.button(pick), Qt::LeftButton);
    QCOMPARE(w.profiles.selected, QList<int>{pick});
    QVERIFY(!f->isVisible());
}

void TestPickerWindow::previewPanelInVemraBrand()
{
    Window w(QStringLiteral("vemra Video Converter"));
    QVERIFY(w.form.pl_play->isVisible());
    QTest::mouseClick(w.form.im_mainico, Qt::LeftButton);
    QVERIFY(!w.form.pl_play->isVisible());
    w.moveOnto(w.picker.button(4));
    QVERIFY(w.form.pl_play->isVisible());
}

VC_TEST_MAIN(TestPickerWindow)
#include "tst_PickerWindow.moc"
