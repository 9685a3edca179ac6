// The dialogs: the folder dialog's Ok, Cancel and close box, the after-finish dialog, the about
// box (placement, labels, the web label's colours and links) and nothing clipped in them.
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TestMain.h"
#include "ui/DeepBlue.h"
#include "ui/Dialogs.h"
#include "ui/WebLinks.h"

#include <QButtonGroup>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

#include <functional>
#include <memory>

namespace {

const QString ProgramDir = QStringLiteral(VC_PROGRAM_DIR "/");

QStringList shellLog()
{
    QFile f(vctest::shellLog());
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

struct DialogRig {
    explicit DialogRig(const QString& exe)
    {
        window.setFixedSize(781, 558);
        window.setWindowFlag(Qt::FramelessWindowHint);
        window.setStyleSheet(deepblue::styleSheet(ProgramDir));
        window.move(120, 90);
        window.show();
        form.window = &window;
        state.ExeFileName = exe;
        ctx = std::make_unique<MainContext>(MainContext{state, form, prompt, ProgramDir});
        dialogs = std::make_unique<Dialogs>(*ctx);
    }

    // Runs `script` once the modal dialog is on screen; the dialog must end by then.
    void whileShown(QDialog& dialog, const std::function<void()>& show, const std::function<void()>& script)
    {
        bool ran = false;
        QTimer::singleShot(0, &dialog, [&] {
            QTRY_VERIFY(dialog.isVisible());
            script();
            ran = true;
            if (dialog.isVisible()) {
                QTest::qFail("the dialog did not close", __FILE__, __LINE__);
                dialog.done(QDialog::Rejected);
            }
        });
        show();
        QVERIFY(ran);
    }

    QWidget window;
    MainForm form;
    AppState state;
    ScriptedPrompt prompt;
    std::unique_ptr<MainContext> ctx;
    std::unique_ptr<Dialogs> dialogs;
};

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT
private slots:
    void folderDialog();
    void folderDialogRoot();
    void finishDialog();
    void aboutBox_data();
    void aboutBox();
    void nothingClipped();
};

void TestDialogs::folderDialog()
{
    DialogRig rig("Video Converter");
    Tfm_dir& dir = rig.dialogs->dirDialog();
    QCOMPARE(dir.size(), QSize(287, 248));
    QCOMPARE(dir.ShellTreeView1->geometry(), QRect(14, 13, 259, 192));
    QCOMPARE(dir.btn_ok->text(), QString("Ok"));
    QCOMPARE(dir.btn_cancel->text(), QString("Cancel"));
    QTemporaryDir tmp;
    QDir(tmp.path()).mkpath("Films/2024");
    QFile(tmp.path() + "/file.avi").open(QIODevice::WriteOnly);
    const QString folder = QDir(tmp.path()).canonicalPath() + "/Films";

    // "Ok" with nothing selected keeps the dialog open; with a folder it hands the folder out.
    rig.whileShown(dir, [&] { rig.dialogs->ChooseFolder("File Directory"); }, [&] {
        QCOMPARE(dir.windowTitle(), QString("File Directory"));
        dir.btn_ok->click();
        QVERIFY(dir.isVisible());
        QVERIFY(rig.state.ChosenFolder.isEmpty());
        dir.selectFolder(folder);
        dir.btn_ok->click();
    });
    QCOMPARE(rig.state.ChosenFolder, folder);  // no trailing separator
    QVERIFY(!dir.model->filter().testFlag(QDir::Files));  // folders only

    // Cancel after an earlier choice gives nothing.
    rig.whileShown(dir, [&] { rig.dialogs->ChooseFolder("Output Directory"); }, [&] { dir.btn_cancel->click(); });
    QVERIFY(rig.state.ChosenFolder.isEmpty());

    // Mend: the close box acts as Cancel, so an old folder is never handed out again.
    rig.state.ChosenFolder = folder;
    rig.whileShown(dir, [&] { rig.dialogs->ChooseFolder("Select DVD Directory"); }, [&] { dir.close(); });
    QVERIFY(rig.state.ChosenFolder.isEmpty());
    rig.state.ChosenFolder = folder;
    rig.whileShown(dir, [&] { rig.dialogs->ChooseFolder("Output Directory"); },
                   [&] { QTest::keyClick(dir.ShellTreeView1, Qt::Key_Escape); });
    QVERIFY(rig.state.ChosenFolder.isEmpty());
}

void TestDialogs::folderDialogRoot()
{
    DialogRig rig("Video Converter");
    Tfm_dir& dir = rig.dialogs->dirDialog();
    rig.whileShown(dir, [&] { rig.dialogs->ChooseFolder("Output Directory"); }, [&] {
        dir.selectFolder("/");
        dir.btn_ok->click();
    });
    QCOMPARE(rig.state.ChosenFolder, QString("/"));  // the root keeps its separator
}

void TestDialogs::finishDialog()
{
    DialogRig rig("Video Converter");
    Tfm_set& set = rig.dialogs->setDialog();
    QCOMPARE(set.windowTitle(), QString("Settings"));
    QCOMPARE(set.rg_finish->title(), QString("Settings"));
    QStringList texts;
    for (QAbstractButton* b : set.items->buttons())
        texts << b->text();
    QCOMPARE(texts, QStringList({"Do nothing after converting finished", "Open the target folder after converting finished",
                                 "Automatically shutdown after converting finished"}));
    QVERIFY(!(set.windowFlags() & Qt::WindowCloseButtonHint));

    rig.state.FinishAction = 1;  // as read from the settings file
    rig.whileShown(set, [&] { rig.dialogs->ShowFinishDialog(); }, [&] {
        QCOMPARE(set.items->checkedId(), 1);
        set.items->button(2)->click();
        set.Button1->click();
    });
    QCOMPARE(rig.state.FinishAction, 2);
    // Cancel changes nothing, and the next opening shows the confirmed value.
    rig.whileShown(set, [&] { rig.dialogs->ShowFinishDialog(); }, [&] {
        QCOMPARE(set.items->checkedId(), 2);
        set.items->button(0)->click();
        set.Button2->click();
    });
    QCOMPARE(rig.state.FinishAction, 2);
    rig.whileShown(set, [&] { rig.dialogs->ShowFinishDialog(); }, [&] {
        QCOMPARE(set.items->checkedId(), 2);
        set.Button2->click();
    });
}

void TestDialogs::aboutBox_data()
{
    QTest::addColumn<QString>("exe");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("maker");
    QTest::addColumn<QString>("site");
    QTest::addColumn<QString>("contact");
    QTest::newRow("default") << "AVI Converter.exe" << "AVI Converter" << web::MakerLine("x") << web::DefaultSite
                             << web::DefaultSite + "/contact.php";
    QTest::newRow("vemra") << "vemra DVD Ripper" << "vemra DVD Ripper" << web::MakerLine("vemra") << web::VemraSite
                           << web::VemraSite + "/Contact.html";
    QTest::newRow("VEMRA upper case") << "VEMRA Video Converter" << "VEMRA Video Converter" << web::MakerLine("vemra")
                                      << web::VemraSite << web::VemraSite + "/Contact.html";
}

void TestDialogs::aboutBox()
{
    QFETCH(QString, exe);
    QFETCH(QString, title);
    QFETCH(QString, maker);
    QFETCH(QString, site);
    QFETCH(QString, contact);
    QFile::remove(vctest::shellLog());
    QVERIFY(web::MakerLine("vemra") != web::MakerLine("x"));

    DialogRig rig(exe);
    Tfm_about& about = rig.dialogs->aboutDialog();
    rig.whileShown(about, [&] { rig.dialogs->ShowAbout(); }, [&] {
        QCOMPARE(about.pos(), rig.window.pos() + QPoint(160, 100));
        QCOMPARE(about.windowTitle(), QString("About"));
        QCOMPARE(about.Label1->text(), title);
        QVERIFY(about.Label1->font().bold());
        QCOMPARE(about.Label4->text(), maker);
        QVERIFY(!about.Image1->pixmap().isNull());
        QCOMPARE(about.lbl_web->text(), QString("Visit our web"));
        QCOMPARE(about.lbl_web->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(about.btn_contact->text(), QString("Contact us "));

        // Red while the mouse is over the label, blue again when it leaves.
        auto colour = [&] { return about.lbl_web->palette().color(about.lbl_web->foregroundRole()); };
        about.lbl_web->ensurePolished();
        QCOMPARE(colour(), Tfm_about::WebColor);
        QVERIFY(Tfm_about::WebColor.blue() > Tfm_about::WebColor.red());
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), about.lbl_web->mapToGlobal(QPointF(5, 5)));
        QApplication::sendEvent(about.lbl_web, &enter);
        about.lbl_web->ensurePolished();
        QCOMPARE(colour(), Tfm_about::WebHoverColor);
        QVERIFY(Tfm_about::WebHoverColor.red() > Tfm_about::WebHoverColor.blue());
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(about.lbl_web, &leave);
        about.lbl_web->ensurePolished();
        QCOMPARE(colour(), Tfm_about::WebColor);

        QTest::mouseClick(about.lbl_web, Qt::LeftButton);
        about.btn_contact->click();
        QVERIFY(about.isVisible());
        about.btn_close->click();
    });
    QCOMPARE(shellLog(), QStringList({"open-url\t" + site, "open-url\t" + contact}));
}

void TestDialogs::nothingClipped()
{
    DialogRig rig("vemra Video Converter");
    rig.state.FinishAction = 0;
    Tfm_set& set = rig.dialogs->setDialog();
    Tfm_about& about = rig.dialogs->aboutDialog();
    rig.whileShown(set, [&] { rig.dialogs->ShowFinishDialog(); }, [&] {
        for (QAbstractButton* b : set.items->buttons()) {
            QVERIFY2(b->width() >= b->sizeHint().width(), qPrintable(b->text()));
            QVERIFY(set.rg_finish->contentsRect().contains(b->geometry()));
        }
        QVERIFY(set.rect().contains(set.rg_finish->geometry()));
        set.Button2->click();
    });
    rig.whileShown(about, [&] { rig.dialogs->ShowAbout(); }, [&] {
        for (QLabel* l : {about.Label1, about.Label4, about.lbl_web}) {
            QVERIFY2(l->width() >= l->sizeHint().width(), qPrintable(l->text()));
            QVERIFY(about.rect().contains(l->geometry()));
        }
        for (QPushButton* b : {about.btn_contact, about.btn_close})
            QVERIFY2(b->width() >= b->sizeHint().width(), qPrintable(b->text()));
        about.btn_close->click();
    });
}

VC_TEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
