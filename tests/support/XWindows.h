// Finding the program's windows on the X display a test runs under (xwininfo).
#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QString>

namespace xwindows {

// The environment for running the built program on the test's display: its own HOME and
// settings folder under `home`, messages and shell actions logged there instead of shown.
inline QProcessEnvironment programEnvironment(const QString& home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    env.insert(QStringLiteral("VC_PROMPT_LOG"), home + QStringLiteral("/prompts.log"));
    env.insert(QStringLiteral("VC_SHELL_LOG"), home + QStringLiteral("/shell.log"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    return env;
}

inline QString run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The id of a viewable top-level window with that caption, or empty.
inline QString viewableWindow(const QString& caption)
{
    static const QRegularExpression line("(0x[0-9a-f]+) \"([^\"]*)\"");
    const QString tree = run(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-children")});
    for (auto it = line.globalMatch(tree); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(2) == caption
            && run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), m.captured(1)}).contains(QLatin1String("Map State: IsViewable")))
            return m.captured(1);
    }
    return {};
}

// The whole screen as a PNG (ImageMagick's import).
inline void screenshot(const QString& path)
{
    run(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), path});
}

} // namespace xwindows
