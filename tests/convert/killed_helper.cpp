// Runs one conversion ("job") or one probe ("probe") of SOURCE with the transcoder in PROGRAM_DIR
// and waits to be killed: the test kills this process and then looks for transcoders left over.
// Usage: killed_helper job|probe PROGRAM_DIR SOURCE OUTPUT_FOLDER
#include "convert/ui/ConversionController.h"
#include "sources/ui/SourceList.h"
#include "tests/convert/StandIn.h"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5)
        return 2;
    standin::Window win(args[2]);
    win.useProfile(7, {QStringLiteral("320x240")}, 0);
    win.form.ed_output->setText(args[4]);
    SourceList list(*win.ctx);
    ConversionController conv(*win.ctx);
    QTimer::singleShot(0, [&] {
        if (args[1] == QLatin1String("probe")) {
            list.AddSourceFile(args[3]);
        } else {
            win.addRow({args[3], QStringLiteral("320x240"), QStringLiteral("00:00:10"), QStringLiteral("800"),
                        QStringLiteral("128")}, QStringLiteral("a"));
            conv.StartConversion();
        }
    });
    return app.exec();
}
