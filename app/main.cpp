// Program entry: one executable, many editions. The edition is the name the program was
// started under (a link named "AVI Converter" starts the AVI edition).
#include "app/Tfm_main.h"
#include "platform/ProgramPaths.h"

#include <QApplication>
#include <QSocketNotifier>

#include <clocale>
#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A termination signal (logout, `kill`) is handed to the GUI thread through a socket pair, so
// the window can stop what it started and save the settings before the program ends.
int signalSocket[2] = {-1, -1};

void onTerminationSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalSocket[0], &byte, 1);
}

void catchTerminationSignals()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalSocket) != 0)
        return;
    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(sig, &action, nullptr);
}

} // namespace

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
    // The preview plays inside the window through an X11 window id: on a Wayland desktop with
    // X11 compatibility the program runs as an X11 client.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    // The preview player needs C number formatting; Qt sets the locale from the environment.
    std::setlocale(LC_NUMERIC, "C");

    QStringList startPaths = QApplication::arguments();
    startPaths.removeFirst();

    Tfm_main window(paths::invocationName(QString::fromLocal8Bit(argv[0])), paths::programDir(), startPaths);
    catchTerminationSignals();
    QSocketNotifier terminate(signalSocket[1], QSocketNotifier::Read);
    QObject::connect(&terminate, &QSocketNotifier::activated, &window, [&] {
        char byte;
        [[maybe_unused]] const ssize_t n = ::read(signalSocket[1], &byte, 1);
        window.Terminate();
    });
    window.show();
    return QApplication::exec();
}
