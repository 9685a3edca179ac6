// Mounts and the optical-drive wait: a fake mount table decides which mount holds a folder and
// whether it is optical; the wait keeps the event loop running and ends whatever the query does.
#include "platform/Drives.h"
#include "tests/support/TestMain.h"

#include <QTimer>

#include <stdexcept>
#include <thread>

using namespace drives;

namespace {

const char* Table =
    "sysfs /sys sysfs rw 0 0\n"
    "/dev/sda1 / ext4 rw 0 0\n"
    "/dev/sr0 /media/cdrom0 udf ro 0 0\n"
    "/dev/sr1 /media/My\\040Disc iso9660 ro 0 0\n"
    "/dev/sdb1 /media/usb vfat rw 0 0\n"
    "/dev/loop3 /mnt/image udf ro 0 0\n"
    "broken line\n";

} // namespace

class TestDvdDrives : public QObject {
    Q_OBJECT
private slots:
    void mountOf_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("mountPoint");
        QTest::addColumn<bool>("optical");
        QTest::newRow("disc root") << "/media/cdrom0" << "/media/cdrom0" << true;
        QTest::newRow("inside the disc") << "/media/cdrom0/VIDEO_TS" << "/media/cdrom0" << true;
        QTest::newRow("escaped blank") << "/media/My Disc/VIDEO_TS" << "/media/My Disc" << true;
        QTest::newRow("prefix is not a parent") << "/media/cdrom0x/VIDEO_TS" << "/" << false;
        QTest::newRow("usb stick") << "/media/usb/dvd" << "/media/usb" << false;
        QTest::newRow("disc image by file system") << "/mnt/image/VIDEO_TS" << "/mnt/image" << true;
        QTest::newRow("home") << "/home/user/rips" << "/" << false;
    }
    void mountOf()
    {
        QFETCH(QString, path);
        QFETCH(QString, mountPoint);
        QFETCH(bool, optical);
        const QVector<MountEntry> table = ParseMountTable(QString::fromLatin1(Table));
        QCOMPARE(table.size(), 6);
        const auto m = MountOf(path, table);
        QVERIFY(m);
        QCOMPARE(m->mountPoint, mountPoint);
        QCOMPARE(IsOptical(*m), optical);
    }

    void systemTableHoldsTheRoot()
    {
        const auto m = MountOf(QDir::tempPath(), SystemMountTable());
        QVERIFY(m);
        QVERIFY(QDir::tempPath().startsWith(m->mountPoint));
    }

    void realQuery()
    {
        QVERIFY(QueryVolume(QDir::tempPath()));
        QVERIFY(!QueryVolume("/no/such/mount"));
    }

    // A slow drive: events keep flowing while the query blocks, and the wait ends with it.
    void waitPumpsEvents()
    {
        int ticks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
        timer.start(20);
        QString asked;
        WaitForVolume("/media/cdrom0", [&asked](const QString& mp) {
            asked = mp;
            std::this_thread::sleep_for(std::chrono::milliseconds(400));
            return true;
        });
        QCOMPARE(asked, "/media/cdrom0");
        QVERIFY2(ticks >= 5, qPrintable(QString::number(ticks)));
    }

    void waitEndsOnFailure()
    {
        WaitForVolume("/media/cdrom0", [](const QString&) -> bool { throw std::runtime_error("no disc"); });
        WaitForVolume("/media/cdrom0", [](const QString&) { return false; });
        WaitForVolume("/media/cdrom0", [](const QString&) { return true; });  // answers at once
    }
};

VC_TEST_MAIN(TestDvdDrives)
#include "tst_dvd_drives.moc"
