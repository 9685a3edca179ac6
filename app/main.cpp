// Program entry: one executable, many editions. The edition is the name the program was
// started under (a link named "AVI Converter" starts the AVI edition).
#include "app/Tfm_main.h"
#include "platform/ProgramPaths.h"

#include <QApplication>

#include <clocale>
#include <cstdio>

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fprintf(stderr,
                     "%s: no display found. On a machine without a screen, run it under Xvfb:\n"
                     "  xvfb-run -a \"%s\"\n",
                     argv[0], argv[0]);
        return 1;
    }
    QApplication app(argc, argv);
    // The preview player needs C number formatting; Qt sets the locale from the environment.
    std::setlocale(LC_NUMERIC, "C");

    QStringList startPaths = QApplication::arguments();
    startPaths.removeFirst();

    Tfm_main window(paths::invocationName(QString::fromLocal8Bit(argv[0])), paths::programDir(), startPaths);
    window.show();
    return QApplication::exec();
}
