#include "platform/ProgramPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace paths {

QString programDir()
{
    QString dir = QCoreApplication::applicationDirPath();
    if (!dir.endsWith(u'/'))
        dir += u'/';
    return dir;
}

QString invocationName(const QString& argv0)
{
    return QFileInfo(argv0).fileName();
}

QString exeBaseName(const QString& exeFileName)
{
    if (exeFileName.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        return exeFileName.left(exeFileName.size() - 4);
    return exeFileName;
}

QString settingsDir()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/videoconverter/");
}

QString mainIniName(const QString& exeFileName)
{
    const QString base = exeBaseName(exeFileName);
    const qsizetype dot = base.lastIndexOf(u'.');
    return (dot >= 0 ? base.left(dot) : base) + QStringLiteral(".ini");
}

QString profileIniName(const QString& exeFileName)
{
    return QStringLiteral("pro ") + mainIniName(exeFileName);
}

QString defaultOutputFolder()
{
    return QDir::homePath() + QStringLiteral("/My Video/");
}

} // namespace paths
