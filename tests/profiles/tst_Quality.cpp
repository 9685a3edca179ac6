// Quality arithmetic: the total bitrate of the current choices for one source, the estimated
// output size and the rounding rules.
#include "profiles/Quality.h"
#include "tests/support/TestMain.h"

using namespace quality;

namespace {

// A box at `index` of `count` items showing `text`.
BoxState box(int index, int count, const QString& text = QString())
{
    return BoxState{true, index, count, text};
}

using Levels = std::array<QString, 5>;
const Levels DeviceLevels = {"768", "512", "384", "256", "128"};
const Levels NoVideoLevels = {"*", "512", "384", "256", "128"};

} // namespace

Q_DECLARE_METATYPE(BoxState)
Q_DECLARE_METATYPE(Levels)
Q_DECLARE_METATYPE(Toriginalinfo)

class tst_Quality : public QObject {
    Q_OBJECT
private slots:
    void totalKbps_data();
    void totalKbps();
    void notAnInteger_data();
    void notAnInteger();
    void estimateOutputSize_data();
    void estimateOutputSize();
    void roundHalfEven();
    void amrKbps();
    void factorTables();
};

void tst_Quality::totalKbps_data()
{
    QTest::addColumn<int>("profile");
    QTest::addColumn<bool>("dvd");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<Levels>("levels");
    QTest::addColumn<BoxState>("size");
    QTest::addColumn<BoxState>("video");
    QTest::addColumn<BoxState>("audio");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QString>("sourceVideo");
    QTest::addColumn<QString>("sourceAudio");
    QTest::addColumn<int>("total");

    const BoxState s320 = box(1, 3, "320x240");
    QTest::newRow("113 fixed whatever the boxes") << 113 << false << ".mpg" << Levels{} << box(-1, 0) << box(-1, 6)
                                                  << box(5, 6) << "bad" << "bad" << "bad" << 1948;
    QTest::newRow("112") << 112 << true << ".mpg" << Levels{} << box(0, 2) << box(0, 5) << box(0, 5) << "" << "" << ""
                         << 1393;
    QTest::newRow("114") << 114 << false << ".vob" << Levels{} << box(1, 2) << box(2, 5) << box(2, 5) << "" << "" << ""
                         << 3222;
    QTest::newRow("no video: the audio part alone") << 17 << false << ".mp3" << NoVideoLevels << box(0, 1, "No Video")
                                                    << box(5, 6, "No Video") << box(1, 5) << "640x480" << "900"
                                                    << "128" << 192;
    QTest::newRow("121 source size, table D") << 121 << false << ".mp4" << Levels{} << box(5, 6, "640x480")
                                              << box(2, 5) << box(1, 5) << "1280x720" << "2000" << "128" << 1279;
    QTest::newRow("122 table B") << 122 << false << ".mp4" << Levels{} << box(0, 6, "640x480") << box(0, 5)
                                 << box(2, 5) << "" << "" << "" << 3000 + 128;
    QTest::newRow("123 table C, .MP4 not .mp4") << 123 << false << ".MP4" << Levels{} << box(0, 6, "640x480")
                                                << box(0, 6) << box(1, 6) << "" << "" << "" << 4997 + 192;
    QTest::newRow("example 7: 320x240 normal") << 7 << false << ".wmv" << Levels{} << s320 << box(2, 6)
                                               << box(2, 6) << "640x480" << "" << "" << 799 + 128;
    QTest::newRow(".3gp at audio 3 adds 6") << 8 << false << ".3gp" << Levels{} << box(0, 4, "176x144")
                                            << box(2, 6) << box(3, 6) << "" << "" << "" << 480 + 6;
    QTest::newRow(".3gp keep-source audio takes AMR index 0") << 8 << false << ".3gp" << Levels{}
                                                              << box(0, 4, "176x144") << box(2, 6) << box(5, 6) << ""
                                                              << "" << "77" << 480 + 12;
    QTest::newRow("keep-source video and audio") << 2 << false << ".avi" << Levels{} << s320 << box(5, 6)
                                                 << box(5, 6) << "640x480" << "1500" << "96" << 1596;
    QTest::newRow("DVD edition: last items use the tables") << 2 << true << ".avi" << Levels{}
                                                            << box(0, 3, "640x480") << box(4, 5) << box(4, 5) << ""
                                                            << "" << "" << 725 + 32;
    QTest::newRow("size note after the height") << 1 << false << ".asf" << Levels{} << box(0, 3, "720x576(PAL)")
                                                << box(2, 6) << box(2, 6) << "" << "" << "" << 1918 + 128;
    QTest::newRow("size without x: video part 0") << 1 << false << ".asf" << Levels{} << box(0, 3, "No Video")
                                                  << box(2, 6) << box(2, 6) << "" << "" << "" << 128;
    QTest::newRow("size with bad height: video part 0") << 1 << false << ".asf" << Levels{} << box(0, 3, "320xQ")
                                                        << box(2, 6) << box(2, 6) << "" << "" << "" << 128;
    QTest::newRow("device profile from its levels") << 27 << false << ".mp4" << DeviceLevels << box(0, 1, "320x240")
                                                    << box(1, 5) << box(2, 5) << "" << "" << "" << 512 + 128;
    QTest::newRow("device profile, no selection: Normal") << 27 << false << ".mp4" << DeviceLevels << box(0, 1)
                                                          << box(-1, 5) << box(-1, 5) << "" << "" << "" << 384 + 128;
    QTest::newRow("device profile, keep-source left over") << 30 << false << ".mp4" << DeviceLevels << box(0, 1)
                                                           << box(5, 6) << box(5, 6) << "" << "1000" << "96"
                                                           << 1000 + 96;
    QTest::newRow("audio profile: last item keeps the source") << 15 << false << ".aac" << NoVideoLevels
                                                               << box(0, 1, "No Video") << box(5, 6) << box(4, 5)
                                                               << "" << "" << "256" << 256;
    QTest::newRow("27..101: last audio item is a quality") << 30 << false << ".avi" << DeviceLevels << box(0, 1)
                                                           << box(4, 5) << box(4, 5) << "" << "" << "999"
                                                           << 128 + 32;
    QTest::newRow(".mp4 general: last audio item is a quality") << 4 << false << ".mp4" << Levels{}
                                                                << box(0, 6, "640x480") << box(2, 5) << box(4, 5)
                                                                << "" << "" << "999" << 1598 + 32;
}

void tst_Quality::totalKbps()
{
    QFETCH(int, profile);
    QFETCH(bool, dvd);
    QFETCH(QString, extension);
    QFETCH(Levels, levels);
    QFETCH(BoxState, size);
    QFETCH(BoxState, video);
    QFETCH(BoxState, audio);
    QFETCH(QString, frame);
    QFETCH(QString, sourceVideo);
    QFETCH(QString, sourceAudio);
    QFETCH(int, total);

    const Inputs in{profile, dvd, extension, levels, OptionBoxes{size, video, audio}};
    const Toriginalinfo source{QStringLiteral("/in.avi"), frame, QStringLiteral("00:00:10"), sourceVideo, sourceAudio};
    QString bad;
    const std::optional<int> result = TotalKbps(in, source, &bad);
    QVERIFY2(result.has_value(), qPrintable(bad));
    QCOMPARE(*result, total);
}

void tst_Quality::notAnInteger_data()
{
    QTest::addColumn<int>("profile");
    QTest::addColumn<Levels>("levels");
    QTest::addColumn<BoxState>("size");
    QTest::addColumn<BoxState>("video");
    QTest::addColumn<BoxState>("audio");
    QTest::addColumn<Toriginalinfo>("source");
    QTest::addColumn<QString>("bad");

    const Toriginalinfo good{"/a.avi", "640x480", "", "900", "128"};
    Toriginalinfo badFrame = good;
    badFrame.FrameSize = "640xABC";
    Toriginalinfo badVideo = good;
    badVideo.VideoKbps = "abc";
    Toriginalinfo badAudio = good;
    badAudio.AudioKbps = "";
    QTest::newRow("source height") << 2 << Levels{} << box(2, 3, "The original width and height") << box(2, 6)
                                   << box(2, 6) << badFrame << "ABC";
    QTest::newRow("source video rate") << 2 << Levels{} << box(0, 3, "640x480") << box(5, 6) << box(2, 6) << badVideo
                                       << "abc";
    QTest::newRow("source audio rate") << 2 << Levels{} << box(0, 3, "640x480") << box(2, 6) << box(5, 6) << badAudio
                                       << "";
    QTest::newRow("level text") << 27 << Levels{"768", "5l2", "384", "256", "128"} << box(0, 1) << box(1, 5)
                                << box(2, 5) << good << "5l2";
}

void tst_Quality::notAnInteger()
{
    QFETCH(int, profile);
    QFETCH(Levels, levels);
    QFETCH(BoxState, size);
    QFETCH(BoxState, video);
    QFETCH(BoxState, audio);
    QFETCH(Toriginalinfo, source);
    QFETCH(QString, bad);
    const Inputs in{profile, false, ".avi", levels, OptionBoxes{size, video, audio}};
    QString badText = QStringLiteral("untouched");
    QVERIFY(!TotalKbps(in, source, &badText).has_value());
    QCOMPARE(badText, bad);
    QCOMPARE(NotAnIntegerMessage(badText), QStringLiteral("'%1' is not a valid integer value").arg(bad));
}

void tst_Quality::estimateOutputSize_data()
{
    QTest::addColumn<int>("kbps");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("1000 for a minute") << 1000 << 60 << "7.15MB";
    QTest::newRow("zero") << 0 << 600 << "0.00MB";
    QTest::newRow("no duration") << 1279 << 0 << "0.00MB";
    QTest::newRow("5 significant digits: 4567.891") << 879 << 43593 << "4567.90MB";
    QTest::newRow("an hour") << 1279 << 3600 << "548.89MB";
    QTest::newRow("half to even, down: 15.625") << 1024 << 128 << "15.62MB";
    QTest::newRow("half to even, up: 46.875") << 1024 << 384 << "46.88MB";
    QTest::newRow("beyond 32 bits") << 100000 << 100000 << "1192100.00MB";
}

void tst_Quality::estimateOutputSize()
{
    QFETCH(int, kbps);
    QFETCH(int, seconds);
    QFETCH(QString, text);
    QCOMPARE(EstimateOutputSize(kbps, seconds), text);
}

void tst_Quality::roundHalfEven()
{
    const QList<std::pair<double, long long>> cases = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {1087.2, 1087}, {5.9, 6},
                                                       {4.75, 5}, {-0.5, 0}, {-1.5, -2}};
    for (auto [value, rounded] : cases)
        QCOMPARE(RoundHalfEven(value), rounded);
}

void tst_Quality::amrKbps()
{
    QCOMPARE(AmrKbps(0), 12.2);
    QCOMPARE(AmrKbps(4), 4.75);
    QCOMPARE(AmrKbps(5), 12.2);   // keep-source item
    QCOMPARE(AmrKbps(-1), 7.4);   // nothing selected
    QVERIFY(IsKeepSourceIndex(5));
    QVERIFY(!IsKeepSourceIndex(4));
    QCOMPARE(QualityIndex(box(-1, 5)), 2);
    QCOMPARE(QualityIndex(box(3, 5)), 3);
}

void tst_Quality::factorTables()
{
    QVERIFY(&FactorsFor(1) == &FactorsA);
    QVERIFY(&FactorsFor(117) == &FactorsA);
    QVERIFY(&FactorsFor(118) == &FactorsD);
    QVERIFY(&FactorsFor(121) == &FactorsD);
    QVERIFY(&FactorsFor(119) == &FactorsB);
    QVERIFY(&FactorsFor(122) == &FactorsB);
    QVERIFY(&FactorsFor(120) == &FactorsC);
    QVERIFY(&FactorsFor(123) == &FactorsC);
    QVERIFY(&FactorsFor(124) == &FactorsA);
}

VC_TEST_MAIN(tst_Quality)
#include "tst_Quality.moc"
