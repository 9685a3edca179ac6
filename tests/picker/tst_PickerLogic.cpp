// The picker's behaviour as tables: a start state and a sequence of moves ("open", "close",
// "c3" category hover, "b5" button hover, "k5" click, "l94" page link) against the ProfileId,
// the visible panels and the lit buttons that follow.
#include "tests/picker/FakePickerHost.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TestMain.h"

#include "profiles/PickerLogic.h"

#include <QRandomGenerator>

using namespace picker;

namespace {

struct Rig {
    AppState state;
    FakePickerHost host;
    ScriptedPrompt prompt;
    PickerLogic logic{state, host, prompt, FakePickerHost::ProgramDir};

    Rig(const QString& exe, int profileId, int categoryId = 1, QPoint panelsAt = {206, 81}) : host(panelsAt)
    {
        state.ExeFileName = exe;
        state.ProfileId = profileId;
        state.AppliedProfileId = profileId;
        state.CategoryId = categoryId;
        state.GroupPanelOffset = 220;
        logic.ClosePicker();
        for (int n = 1; n <= 132; ++n)  // the window's first show
            logic.RestoreButton(n);
        host.loads = 0;
    }

    void play(const QString& moves)
    {
        for (const QString& move : moves.split(u' ', Qt::SkipEmptyParts)) {
            if (move == QLatin1String("open"))
                logic.OpenPicker(state.AppliedProfileId);
            else if (move == QLatin1String("close"))
                logic.ClosePicker();
            else if (move == QLatin1String("l94"))
                logic.pageLinkClick(PageLink::Image94);
            else if (move == QLatin1String("l93"))
                logic.pageLinkClick(PageLink::Image93);
            else if (move == QLatin1String("l2"))
                logic.pageLinkClick(PageLink::Image2);
            else if (move == QLatin1String("l5"))
                logic.pageLinkClick(PageLink::Image5);
            else if (move.startsWith(u'c'))
                logic.categoryHover(move.mid(1).toInt());
            else if (move.startsWith(u'b'))
                logic.buttonHover(move.mid(1).toInt());
            else if (move.startsWith(u'k'))
                logic.buttonClick(move.mid(1).toInt());
            else
                qFatal("unknown move %s", qPrintable(move));
        }
    }

    QString selected() const
    {
        QStringList s;
        for (int n : host.selected)
            s << QString::number(n);
        return s.join(u' ');
    }
};

} // namespace

class TestPickerLogic : public QObject {
    Q_OBJECT
private slots:
    void hoverSequences_data();
    void hoverSequences();
    void pageFlagsOnOpening();
    void restriction_data();
    void restriction();
    void audioEditionPageLinks();
    void groupPanelPlacement();
    void previewPanelInVemraBrand();
    void refusedWhileConverting();
    void missingPictures();
    void atMostTwoLoadsPerHover();
    void selectProfileIsNotDisturbed();
};

void TestPickerLogic::hoverSequences_data()
{
    QTest::addColumn<int>("start");        // ProfileId = AppliedProfileId before the moves
    QTest::addColumn<int>("category");
    QTest::addColumn<bool>("videoFirst");
    QTest::addColumn<QString>("moves");
    QTest::addColumn<int>("profileId");
    QTest::addColumn<QString>("visible");
    QTest::addColumn<QString>("lit");
    QTest::addColumn<QString>("selected");

    // Opening.
    QTest::newRow("opens on the applied profile's page") << 1 << 1 << true << "open" << 1 << "pl_main pl_video1" << "" << "";
    QTest::newRow("second-page profile shows page 2") << 10 << 1 << true << "open" << 10 << "pl_main pl_video2" << "" << "";
    QTest::newRow("group profile shows its group") << 103 << 3 << true << "open" << 103 << "pl_main pl_video1 pl_avi" << "" << "";
    QTest::newRow("device profile") << 36 << 1 << true << "open" << 36 << "pl_main pl_iphone" << "" << "";
    QTest::newRow("applied 0: column only") << 0 << 3 << true << "open" << 0 << "pl_main" << "" << "";
    QTest::newRow("applied 133: column only") << 133 << 1 << true << "open" << 133 << "pl_main" << "" << "";
    QTest::newRow("applied -1: column only") << -1 << 14 << true << "open" << -1 << "pl_main" << "" << "";

    // Openers and their groups.
    QTest::newRow("opener opens its group") << 1 << 1 << true << "open b2" << 2 << "pl_main pl_video1 pl_avi" << "2" << "";
    QTest::newRow("into the group, opener stays lit") << 1 << 1 << true << "open b2 b103" << 103 << "pl_main pl_video1 pl_avi" << "2 103" << "";
    QTest::newRow("first group piece after its opener") << 1 << 1 << true << "open b2 b102" << 102 << "pl_main pl_video1 pl_avi" << "2 102" << "";
    QTest::newRow("back onto the opener hides the group") << 1 << 1 << true << "open b2 b103 b2 b2" << 2 << "pl_main pl_video1" << "2 103" << "";
    QTest::newRow("group to button 1 hides it") << 1 << 1 << true << "open b2 b103 b1" << 1 << "pl_main pl_video1" << "1 103" << "";
    QTest::newRow("group to button 6 hides it") << 1 << 1 << true << "open b3 b111 b6" << 6 << "pl_main pl_video1" << "6 111" << "";
    QTest::newRow("group to button 7 hides it") << 1 << 1 << true << "open b4 b120 b7" << 7 << "pl_main pl_video1" << "7 120" << "";
    QTest::newRow("opener to opener swaps groups") << 1 << 1 << true << "open b2 b3" << 3 << "pl_main pl_video1 pl_mpeg" << "3" << "";
    QTest::newRow("group to another opener") << 1 << 1 << true << "open b2 b105 b5" << 5 << "pl_main pl_video1 pl_mkv" << "5 105" << "";
    QTest::newRow("opened on a group profile, opener hover") << 103 << 1 << true << "open b2" << 2 << "pl_main pl_video1" << "2" << "";
    QTest::newRow("within a group") << 1 << 1 << true << "open b5 b126 b131" << 131 << "pl_main pl_video1 pl_mkv" << "5 131" << "";
    QTest::newRow("category hover closes a group") << 1 << 1 << true << "open b2 c3" << 2 << "pl_main pl_ipod" << "2" << "";

    // Hover-only and picture-only pieces.
    QTest::newRow("109 lights, its click does nothing") << 1 << 1 << true << "open b2 b109 k109" << 109 << "pl_main pl_video1 pl_avi" << "2 109" << "";
    QTest::newRow("124 lights, its click does nothing") << 1 << 1 << true << "open b4 b124 k124" << 124 << "pl_main pl_video1 pl_mp4" << "4 124" << "";
    QTest::newRow("openers do not click") << 1 << 1 << true << "open b3 k3" << 3 << "pl_main pl_video1 pl_mpeg" << "3" << "";
    QTest::newRow("13 and 14 inert") << 1 << 1 << true << "open l94 b13 k13 b14 k14" << 1 << "pl_main pl_video2" << "" << "";
    QTest::newRow("98 and 101 inert") << 1 << 1 << true << "open c12 b98 k98 c13 b101 k101" << 1 << "pl_main pl_animation" << "" << "";
    QTest::newRow("117 and 132 inert") << 1 << 1 << true << "open b3 b117 k117 b5 b132 k132" << 5 << "pl_main pl_video1 pl_mkv" << "5" << "";

    // Categories and pages.
    QTest::newRow("category hover") << 1 << 1 << true << "open c3 c4" << 1 << "pl_main pl_iphone" << "" << "";
    QTest::newRow("category 1 shows the remembered page") << 1 << 1 << false << "open c3 c1" << 1 << "pl_main pl_video2" << "" << "";
    QTest::newRow("next and previous video page") << 1 << 1 << true << "open l94 l93" << 1 << "pl_main pl_video1" << "" << "";
    QTest::newRow("next audio page") << 1 << 1 << true << "open c2 l2 b23" << 23 << "pl_main pl_audio2" << "23" << "";
    QTest::newRow("audio pages back and forth") << 1 << 1 << true << "open c2 l2 l5" << 1 << "pl_main pl_audio1" << "" << "";

    // Clicks.
    QTest::newRow("click selects and closes") << 1 << 1 << true << "open b7 k7" << 7 << "" << "7" << "7";
    QTest::newRow("click without a hover") << 1 << 1 << true << "open k7" << 7 << "" << "7" << "7";
    QTest::newRow("click in a group") << 1 << 1 << true << "open b2 b103 k103" << 103 << "" << "2 103" << "103";
    QTest::newRow("unnamed piece clicks") << 1 << 1 << true << "open c4 b40 k40" << 40 << "" << "40" << "40";
    QTest::newRow("clicks in a row") << 1 << 1 << true << "open c5 b41 k41 open b42 k42" << 42 << "" << "42" << "41 42";

    // Closing without a click gives the hover back.
    QTest::newRow("close after hovers") << 1 << 1 << true << "open b5 b6 close" << 1 << "" << "" << "";
    QTest::newRow("close inside a group") << 1 << 1 << true << "open b2 b103 close" << 1 << "" << "" << "";
    QTest::newRow("close on another category") << 1 << 1 << true << "open c4 b36 close" << 1 << "" << "" << "";
    QTest::newRow("close back on the applied button") << 5 << 1 << true << "open b6 b5 close" << 5 << "" << "5" << "";
    QTest::newRow("close without hover keeps pictures") << 1 << 1 << true << "open b7 k7 open close" << 7 << "" << "7" << "7";
    QTest::newRow("reopened after hovers") << 1 << 1 << true << "open b6 open" << 1 << "pl_main pl_video1" << "" << "";
    QTest::newRow("page switch keeps the hover") << 1 << 1 << true << "open b6 l94" << 6 << "pl_main pl_video2" << "6" << "";
}

void TestPickerLogic::hoverSequences()
{
    QFETCH(int, start);
    QFETCH(int, category);
    QFETCH(bool, videoFirst);
    QFETCH(QString, moves);
    Rig rig(QStringLiteral("Video Converter"), start, category);
    rig.state.VideoPageFirst = videoFirst;
    rig.host.onSelect = [&rig](int n) { rig.state.AppliedProfileId = n; };  // what SelectProfile ends with
    rig.play(moves);
    QTEST(rig.state.ProfileId, "profileId");
    QTEST(rig.host.visibleNames(), "visible");
    QTEST(rig.host.litButtons(), "lit");
    QTEST(rig.selected(), "selected");
    QVERIFY(rig.prompt.messages.isEmpty());
}

void TestPickerLogic::pageFlagsOnOpening()
{
    // The page holding the applied profile shows whatever the flags say, and they stay.
    Rig rig(QStringLiteral("Video Converter"), 10, 3);
    rig.play(QStringLiteral("open"));
    QVERIFY(rig.state.VideoPageFirst);
    QCOMPARE(rig.state.CategoryId, 1);
    QCOMPARE(rig.host.litCategories(), QStringLiteral("1"));

    Rig audio(QStringLiteral("Video Converter"), 17, 1);
    audio.state.AudioPageFirst = false;
    audio.play(QStringLiteral("open"));
    QCOMPARE(audio.host.visibleNames(), QStringLiteral("pl_main pl_audio1"));
    QVERIFY(!audio.state.AudioPageFirst);
    QCOMPARE(audio.state.CategoryId, 2);

    // Hovering a category lights it and restores the one before; the page links set the flags.
    Rig hover(QStringLiteral("Video Converter"), 1, 1);
    hover.play(QStringLiteral("open c2 l2 c9"));
    QCOMPARE(hover.host.litCategories(), QStringLiteral("9"));
    QCOMPARE(hover.host.categoryShown.value(2), QStringLiteral("normal"));
    QCOMPARE(hover.state.CategoryId, 9);
    QVERIFY(!hover.state.AudioPageFirst);
    hover.play(QStringLiteral("c2"));
    QCOMPARE(hover.host.visibleNames(), QStringLiteral("pl_main pl_audio2"));
    hover.play(QStringLiteral("l5 c1 l94"));
    QVERIFY(hover.state.AudioPageFirst);
    QVERIFY(!hover.state.VideoPageFirst);
}

void TestPickerLogic::restriction_data()
{
    QTest::addColumn<QString>("exe");
    QTest::addColumn<bool>("single");
    QTest::addColumn<QString>("visible");
    QTest::addColumn<int>("left");      // of the one panel shown, -1 for the full picker or none
    QTest::addColumn<int>("buttons");   // buttons laid out at the stand-alone tops

    const QString full = QStringLiteral("pl_main pl_video1");
    const struct { const char* exe; const char* panel; int buttons; bool bothWays; } editions[] = {
        {"iPod Video Converter", "pl_ipod", 7, false},
        {"PSP Video Converter", "pl_psp", 7, false},
        {"iPhone Video Converter", "pl_iphone", 7, false},
        {"3GP Converter", "pl_phone", 7, false},
        {"GPhone Video Converter", "pl_gphone", 5, false},
        {"MP3 Converter", "pl_audio1", 7, true},
        {"Audio Converter", "pl_audio1", 7, true},
        {"AVI Converter", "pl_avi", 0, false},
        {"MPEG Converter", "pl_mpeg", 0, false},
        {"MP4 Converter", "pl_mp4", 0, false},
        {"MKV Converter", "pl_mkv", 0, false},
        {"WMV Converter", "", 0, false},
        {"RM Converter", "", 0, false},
        {"FLV Converter", "", 0, false},
    };
    for (const auto& e : editions) {
        const bool shown = *e.panel != 0;
        QTest::addRow("%s, to the format", e.exe) << e.exe << true << e.panel << (shown ? 53 : -1) << e.buttons;
        QTest::addRow("%s, from the format", e.exe) << e.exe << false << (e.bothWays ? QString::fromLatin1(e.panel) : full)
                                                    << (e.bothWays ? 53 : -1) << (e.bothWays ? e.buttons : 0);
    }
    QTest::newRow("vemra brand, device") << "vemra iPod Video Converter" << true << "pl_ipod" << 88 << 7;
    QTest::newRow("vemra brand, group") << "vemra AVI Converter" << true << "pl_avi" << 88 << 0;
    QTest::newRow("vemra brand, audio") << "vemra MP3 Converter" << false << "pl_audio1" << 88 << 7;
    QTest::newRow("general") << "Video Converter" << true << full << -1 << 0;
    QTest::newRow("two words: ipod before avi") << "AVI iPod Converter" << true << "pl_ipod" << 53 << 7;
}

void TestPickerLogic::restriction()
{
    QFETCH(QString, exe);
    QFETCH(bool, single);
    QFETCH(int, left);
    QFETCH(int, buttons);
    Rig rig(exe, 1, 1);
    rig.state.SingleFormatMode = single;
    rig.play(QStringLiteral("open"));
    QTEST(rig.host.visibleNames(), "visible");
    int shown = NoPanel;
    for (int p = 0; p < PanelCount; ++p)
        if (rig.host.visible[p] && !rig.host.column)
            shown = p;
    QCOMPARE(shown == NoPanel ? -1 : rig.host.pos[shown].x(), left);
    if (shown != NoPanel)
        QCOMPARE(rig.host.pos[shown].y(), 81);  // only the left edge moves
    QCOMPARE(shown != NoPanel && rig.host.standAlone[shown], buttons > 0);
    QCOMPARE(rig.host.buttonTop.size(), buttons);
    if (buttons) {
        const int first = Panels()[shown].first;
        for (int i = 0; i < buttons; ++i)
            QCOMPARE(rig.host.buttonTop.value(first + i), StandAloneTops[i]);
    }
}

void TestPickerLogic::audioEditionPageLinks()
{
    Rig rig(QStringLiteral("MP3 Converter"), 17, 2);
    rig.play(QStringLiteral("open b18 l2"));
    QCOMPARE(rig.host.visibleNames(), QStringLiteral("pl_audio2"));
    QVERIFY(rig.host.standAlone[pl_audio2]);
    QCOMPARE(rig.host.pos[pl_audio2].x(), 53);
    for (int n = 22; n <= 26; ++n)
        QCOMPARE(rig.host.buttonTop.value(n), StandAloneTops[n - 22]);
    QVERIFY(rig.state.AudioPageFirst);  // left alone in this edition
    QCOMPARE(rig.state.ProfileId, 18);  // a page switch is no close
    rig.play(QStringLiteral("l5"));
    QCOMPARE(rig.host.visibleNames(), QStringLiteral("pl_audio1"));
    rig.play(QStringLiteral("b20 k21"));
    QCOMPARE(rig.selected(), QStringLiteral("21"));
    QCOMPARE(rig.host.visibleNames(), QString());
}

void TestPickerLogic::groupPanelPlacement()
{
    Rig rig(QStringLiteral("Video Converter"), 1, 1, {241, 90});
    rig.state.GroupPanelOffset = 180;
    rig.host.pos[pl_video1] = {241, 90};
    rig.play(QStringLiteral("open b4"));
    QCOMPARE(rig.host.pos[pl_mp4], QPoint(241 + 180, 90));
    Rig opened(QStringLiteral("Video Converter"), 127, 1);
    opened.play(QStringLiteral("open"));
    QCOMPARE(opened.host.pos[pl_mkv], QPoint(206 + 220, 81));
    QCOMPARE(opened.state.CategoryId, 1);
    QCOMPARE(opened.host.litCategories(), QStringLiteral("1"));
}

void TestPickerLogic::previewPanelInVemraBrand()
{
    Rig vemra(QStringLiteral("vemra Video Converter"), 1, 1);
    vemra.play(QStringLiteral("open"));
    QVERIFY(!vemra.host.preview);
    vemra.play(QStringLiteral("b1 b6"));
    QVERIFY(!vemra.host.preview);
    vemra.play(QStringLiteral("b3"));
    QVERIFY(vemra.host.preview);

    Rig playing(QStringLiteral("vemra Video Converter"), 1, 1);
    playing.state.IsPlaying = true;
    playing.play(QStringLiteral("open"));
    QVERIFY(playing.host.preview);
    QCOMPARE(playing.host.previewHides, 0);

    Rig plain(QStringLiteral("Video Converter"), 1, 1);
    plain.play(QStringLiteral("open"));
    QVERIFY(plain.host.preview);
}

void TestPickerLogic::refusedWhileConverting()
{
    Rig rig(QStringLiteral("Video Converter"), 1, 1);
    rig.state.IsConverting = true;
    rig.play(QStringLiteral("open"));
    QCOMPARE(rig.prompt.texts(), QStringList{QStringLiteral("Please first stop convert!")});
    QCOMPARE(rig.prompt.messages.first().icon, PromptIcon::Warning);
    QCOMPARE(rig.host.visibleNames(), QString());
    QCOMPARE(rig.host.loads, 0);
}

void TestPickerLogic::missingPictures()
{
    // Without its lit picture a button does not take the hover: picture and ProfileId stay.
    Rig rig(QStringLiteral("Video Converter"), 1, 1);
    rig.host.unreadable = {QStringLiteral("images/sub/move/6.bmp"), QStringLiteral("images/sub/move/3.bmp")};
    rig.play(QStringLiteral("open b7 b6"));
    QCOMPARE(rig.state.ProfileId, 7);
    QCOMPARE(rig.host.litButtons(), QStringLiteral("7"));
    rig.play(QStringLiteral("b6 b3 b6"));
    QCOMPARE(rig.state.ProfileId, 7);
    QCOMPARE(rig.host.litButtons(), QStringLiteral("7"));
    QCOMPARE(rig.host.visibleNames(), QStringLiteral("pl_main pl_video1"));  // opener 3 opened nothing
    QCOMPARE(rig.prompt.texts(), QStringList{QStringLiteral("Unable to read /prog/images/sub/move/6.bmp")});
    QCOMPARE(rig.prompt.messages.first().icon, PromptIcon::Error);
    rig.play(QStringLiteral("k6"));  // a click still selects
    QCOMPARE(rig.selected(), QStringLiteral("6"));
    QCOMPARE(rig.state.ProfileId, 6);

    // Without its normal picture the button left behind goes blank, never stays lit.
    Rig blank(QStringLiteral("Video Converter"), 1, 1);
    blank.host.unreadable = {QStringLiteral("images/sub/general/5.bmp")};
    blank.play(QStringLiteral("open b5 b6"));
    QCOMPARE(blank.state.ProfileId, 6);
    QCOMPARE(blank.host.litButtons(), QStringLiteral("6"));
    QCOMPARE(blank.host.buttonShown.value(5), QStringLiteral("blank"));
    QCOMPARE(blank.prompt.messages.size(), 1);

    // A category without its lit picture still opens its panel.
    Rig category(QStringLiteral("Video Converter"), 1, 1);
    category.host.unreadable = {QStringLiteral("images/main/move/img_ipod.bmp")};
    category.play(QStringLiteral("open c3"));
    QCOMPARE(category.state.CategoryId, 3);
    QCOMPARE(category.host.visibleNames(), QStringLiteral("pl_main pl_ipod"));
    QCOMPARE(category.host.litCategories(), QString());
    QCOMPARE(category.prompt.messages.size(), 1);
}

void TestPickerLogic::atMostTwoLoadsPerHover()
{
    Rig rig(QStringLiteral("Video Converter"), 1, 1);
    rig.play(QStringLiteral("open"));
    QRandomGenerator random(7);
    for (int i = 0; i < 3000; ++i) {
        const bool category = random.bounded(4) == 0;
        const int target = category ? random.bounded(1, 14) : random.bounded(1, 133);
        const int before = rig.host.loads;
        if (category)
            rig.logic.categoryHover(target);
        else
            rig.logic.buttonHover(target);
        QVERIFY2(rig.host.loads - before <= 2, qPrintable(QStringLiteral("hover %1").arg(target)));
        const int again = rig.host.loads;
        if (category)
            rig.logic.categoryHover(target);
        else
            rig.logic.buttonHover(target);
        QCOMPARE(rig.host.loads, again);  // moving on over the same piece loads nothing
    }
}

void TestPickerLogic::selectProfileIsNotDisturbed()
{
    // SelectProfile closes the picker again (its option boxes change): ProfileId must stay the
    // clicked number while it runs and after.
    Rig rig(QStringLiteral("Video Converter"), 1, 1);
    QList<int> seen;
    rig.host.onSelect = [&](int n) {
        rig.logic.ClosePicker();
        seen << rig.state.ProfileId;
        rig.state.AppliedProfileId = n;
    };
    rig.play(QStringLiteral("open b2 b104 k104"));
    QCOMPARE(seen, QList<int>{104});
    QCOMPARE(rig.state.ProfileId, 104);

    // Whoever sets ProfileId after a hover (the direction switch) is left alone too.
    rig.play(QStringLiteral("open b6"));
    rig.state.ProfileId = 9;
    rig.logic.ClosePicker();
    QCOMPARE(rig.state.ProfileId, 9);
}

VC_TEST_MAIN(TestPickerLogic)
#include "tst_PickerLogic.moc"
