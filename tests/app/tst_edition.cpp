// Edition rules over a table of executable names.
#include "app/Edition.h"
#include "app/Layout.h"
#include "platform/ProgramPaths.h"
#include "tests/support/TestMain.h"

using edition::PickerRestriction;
Q_DECLARE_METATYPE(PickerRestriction)

class TestEdition : public QObject {
    Q_OBJECT
private slots:
    void rules_data();
    void rules();
    void layouts();
    void placeholder_data();
    void placeholder();
};

void TestEdition::rules_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("dvd");
    QTest::addColumn<bool>("vemra");
    QTest::addColumn<int>("profile");
    QTest::addColumn<QString>("label");  // the format word of the direction items, "" for none
    QTest::addColumn<PickerRestriction>("single");
    QTest::addColumn<PickerRestriction>("other");
    using R = PickerRestriction;
    // name                                       dvd    vemra  profile label     single          other direction
    QTest::newRow("general") << "Video Converter" << false << false << 1 << "" << R::Full << R::Full;
    QTest::newRow("avi") << "AVI Converter" << false << false << 102 << "AVI" << R::Avi << R::Full;
    QTest::newRow("mp3") << "MP3 Converter" << false << false << 17 << "" << R::Audio << R::Audio;
    QTest::newRow("audio") << "Audio Converter" << false << false << 17 << "" << R::Audio << R::Audio;
    QTest::newRow("3gp") << "3GP Converter" << false << false << 69 << "3GP" << R::Phone3gp << R::Full;
    QTest::newRow("psp") << "PSP Video Converter" << false << false << 53 << "PSP" << R::Psp << R::Full;
    QTest::newRow("mpeg") << "MPEG Converter" << false << false << 110 << "MPEG" << R::Mpeg << R::Full;
    QTest::newRow("mp4") << "MP4 Converter" << false << false << 118 << "MP4" << R::Mp4 << R::Full;
    QTest::newRow("mkv") << "MKV Converter" << false << false << 125 << "MKV" << R::Mkv << R::Full;
    QTest::newRow("ipod") << "iPod Video Converter" << false << false << 27 << "iPod" << R::Ipod << R::Full;
    QTest::newRow("iphone") << "iPhone Video Converter" << false << false << 36 << "iPhone" << R::Iphone << R::Full;
    QTest::newRow("gphone") << "GPhone Video Converter" << false << false << 41 << "GPhone" << R::Gphone << R::Full;
    QTest::newRow("wmv") << "WMV Converter" << false << false << 7 << "WMV" << R::Closed << R::Full;
    QTest::newRow("rm") << "RM Converter" << false << false << 6 << "RM" << R::Closed << R::Full;
    QTest::newRow("flv") << "FLV Converter" << false << false << 11 << "FLV" << R::Closed << R::Full;
    QTest::newRow("dvd") << "DVD Ripper" << true << false << 1 << "" << R::Full << R::Full;
    QTest::newRow("vemra dvd") << "vemra DVD Ripper" << true << true << 1 << "" << R::Full << R::Full;
    QTest::newRow("vemra general") << "Vemra Video Converter.exe" << false << true << 1 << "" << R::Full << R::Full;
    QTest::newRow("rm inside a word") << "Firmware Studio" << false << false << 6 << "RM" << R::Closed << R::Full;
    QTest::newRow("avi and ipod") << "AVI iPod Converter" << false << false << 102 << "AVI" << R::Ipod << R::Full;
    QTest::newRow("mp3 before avi") << "MP3 to AVI" << false << false << 102 << "AVI" << R::Audio << R::Audio;
    QTest::newRow("mixed case") << "aVi CONVERTER.EXE" << false << false << 102 << "AVI" << R::Avi << R::Full;
    QTest::newRow("words in the folder") << "/opt/dvd avi vemra/Video Converter" << false << false << 1 << "" << R::Full << R::Full;
    QTest::newRow("dvd with format") << "DVD to MP4 Ripper" << true << false << 118 << "MP4" << R::Mp4 << R::Full;
}

void TestEdition::rules()
{
    QFETCH(QString, path);
    QFETCH(bool, dvd);
    QFETCH(bool, vemra);
    QFETCH(int, profile);
    QFETCH(QString, label);
    QFETCH(PickerRestriction, single);
    QFETCH(PickerRestriction, other);

    const QString name = paths::invocationName(path);
    QCOMPARE(edition::IsDvdEdition(name), dvd);
    QCOMPARE(edition::IsVemraBrand(name), vemra);
    QCOMPARE(edition::EditionProfile(name), profile);
    const edition::SourceFilter f = edition::EditionSourceFilter(name);
    if (label.isEmpty()) {
        QVERIFY(f.filter.isEmpty());
        QVERIFY(f.directionItems.isEmpty());
    } else {
        QCOMPARE(f.directionItems, (QStringList{"Convert Video To " + label, "Convert " + label + " To Video"}));
        QVERIFY(!f.filter.isEmpty());
    }
    QCOMPARE(edition::PickerRestrictionFor(name, true), single);
    QCOMPARE(edition::PickerRestrictionFor(name, false), other);
}

void TestEdition::layouts()
{
    // One control per row of the layout table that tells the four layouts apart.
    const EditionLayout fileVemra = LayoutFor(false, true);
    const EditionLayout fileDefault = LayoutFor(false, false);
    const EditionLayout dvdVemra = LayoutFor(true, true);
    const EditionLayout dvdDefault = LayoutFor(true, false);
    QCOMPARE(fileVemra.GroupPanelOffset, 180);
    QCOMPARE(fileDefault.GroupPanelOffset, 220);
    QCOMPARE(dvdVemra.GroupPanelOffset, 180);
    QCOMPARE(dvdDefault.GroupPanelOffset, 220);
    // The direction box sits above the option boxes in file editions, below them for DVDs.
    QVERIFY(fileDefault.cb_channel.top < fileDefault.cb_size.top);
    QVERIFY(fileVemra.cb_channel.top < fileVemra.cb_size.top);
    QVERIFY(dvdDefault.cb_channel.top > dvdDefault.cb_audiobitrate.top);
    QVERIFY(dvdVemra.cb_channel.top > dvdVemra.cb_audiobitrate.top);
    QCOMPARE(dvdDefault.ed_output.left, 82);
    QCOMPARE(dvdDefault.ed_output.top, 470);
    QCOMPARE(dvdVemra.Panel1.top, 429);
    QCOMPARE(fileVemra.Panel1.top, 451);
    QCOMPARE(dvdVemra.lv.height.value(), 298);
    QCOMPARE(dvdDefault.lv.height.value(), 333);
    QCOMPARE(fileVemra.lv.width.value(), 509);
    QCOMPARE(dvdVemra.presetPanels.left, 243);
    QCOMPARE(fileDefault.lvFirstCaption, QString("File Name"));
    QCOMPARE(dvdVemra.lvFirstCaption, QString("Title"));
    QVERIFY(!fileVemra.streamBoxesShown && !fileDefault.lvCheckBoxes);
    QVERIFY(dvdDefault.streamBoxesShown && dvdDefault.lvCheckBoxes);
    QCOMPARE(dvdDefault.cb_subtitle.left, 596);
    QCOMPARE(dvdVemra.cb_audio.width.value(), 177);
}

void TestEdition::placeholder_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("general") << "Video Converter" << "All Formats";
    QTest::newRow("vemra general") << "vemra Video Converter" << "All Formats";
    QTest::newRow("dvd") << "DVD Ripper" << "DVD To Video";
    QTest::newRow("vemra dvd") << "vemra DVD Ripper" << "DVD To Video";
    QTest::newRow("mp3") << "MP3 Converter" << "Video To Audio";
    QTest::newRow("audio") << "Audio Converter" << "Video To Audio";
}

void TestEdition::placeholder()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QCOMPARE(edition::DirectionPlaceholder(name), text);
}

VC_TEST_MAIN(TestEdition)
#include "tst_edition.moc"
