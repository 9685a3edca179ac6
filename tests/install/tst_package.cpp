// The Debian package: built with CPack, it holds the program, launchers and entries, and
// depends on the runtime libraries it links plus ffmpeg and its AMR-capable codecs.
#include "tests/support/TestMain.h"

#include <QProcess>

namespace {

QString runTool(const QString& program, const QStringList& args, const QString& dir = {})
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    if (!dir.isEmpty())
        p.setWorkingDirectory(dir);
    p.start(program, args);
    p.waitForFinished(800000);
    return QString::fromUtf8(p.readAll());
}

} // namespace

class TestPackage : public QObject {
    Q_OBJECT
private slots:
    void debianPackage();
};

void TestPackage::debianPackage()
{
    QTemporaryDir out;
    const QString log = runTool("cpack", {"-G", "DEB", "-B", out.path()}, VC_BINARY_DIR);
    const QStringList debs = QDir(out.path()).entryList({"*.deb"});
    QVERIFY2(debs.size() == 1, qPrintable(log));
    const QString deb = out.path() + "/" + debs.first();

    const QString depends = runTool("dpkg-deb", {"-f", deb, "Depends"});
    for (const char* package : {"libqt6widgets6", "libmpv2", "libdvdread8", "ffmpeg", "libavcodec-extra"})
        QVERIFY2(depends.contains(package), qPrintable(depends));

    const QString contents = runTool("dpkg-deb", {"-c", deb});
    for (const char* file : {"./usr/bin/avi-converter", "./usr/lib/videoconverter/Video Converter",
                             "./usr/lib/videoconverter/DVD Ripper", "./usr/share/applications/videoconverter-dvd-ripper.desktop",
                             "./usr/share/icons/hicolor/48x48/apps/videoconverter.png"})
        QVERIFY2(contents.contains(file), file);
}

VC_TEST_MAIN(TestPackage)
#include "tst_package.moc"
