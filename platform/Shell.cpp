#include "platform/Shell.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QFile>
#include <QProcess>
#include <QUrl>

#include <cstdio>

namespace shell {
namespace {

// True when the action was recorded (or suppressed under test) and must not run.
bool record(const char* action, const QString& arg)
{
    const QString log = recordingLog();
    if (!log.isEmpty()) {
        QFile f(log);
        if (f.open(QIODevice::Append | QIODevice::Text))
            f.write(QByteArray(action) + '\t' + arg.toUtf8() + '\n');
        return true;
    }
    if (qEnvironmentVariableIsSet("VC_TEST")) {
        std::fprintf(stderr, "shell action suppressed under test: %s %s\n", action, qPrintable(arg));
        return true;
    }
    return false;
}

void xdgOpen(const QString& target)
{
    QProcess::startDetached(QStringLiteral("xdg-open"), {target});
}

} // namespace

QString recordingLog()
{
    return qEnvironmentVariable("VC_SHELL_LOG");
}

void openFolder(const QString& path)
{
    if (record("open-folder", path))
        return;
    xdgOpen(QUrl::fromLocalFile(path).toString());
}

void openUrl(const QString& url)
{
    if (record("open-url", url))
        return;
    xdgOpen(url);
}

void powerOff()
{
    if (record("power-off", QString()))
        return;
    QDBusInterface logind(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
                          QStringLiteral("org.freedesktop.login1.Manager"), QDBusConnection::systemBus());
    if (logind.isValid()) {
        const QDBusMessage reply = logind.call(QStringLiteral("PowerOff"), false);
        if (reply.type() != QDBusMessage::ErrorMessage)
            return;
    }
    QProcess::startDetached(QStringLiteral("systemctl"), {QStringLiteral("poweroff")});
}

} // namespace shell
