#include "app/Settings.h"

#include "platform/ProgramPaths.h"
#include "platform/ReportedWrite.h"
#include "ui/MainContext.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>

namespace {
const QString Plane = QStringLiteral("plane");
const QString Output = QStringLiteral("output");
const QString Profiles = QStringLiteral("profiles");
} // namespace

void LoadSettings(MainContext& ctx)
{
    AppState& s = ctx.state;
    const QString dir = paths::settingsDir();
    QDir().mkpath(dir);
    s.ProfileIni.emplace(dir + paths::profileIniName(s.ExeFileName));
    s.MainIni.emplace(dir + paths::mainIniName(s.ExeFileName));
    const IniFile& ini = *s.MainIni;

    s.VideoPageFirst = ini.readBool(Plane, QStringLiteral("video"), true);
    s.AudioPageFirst = ini.readBool(Plane, QStringLiteral("audio"), true);
    s.OutputFolder = ini.readString(Output, QStringLiteral("path"), paths::defaultOutputFolder());
    ctx.form.ed_output->setText(s.OutputFolder);
    s.CategoryId = ini.readInt(Profiles, QStringLiteral("selcetindex"), 1);
    s.SingleFormatMode = ini.readBool(Profiles, QStringLiteral("BisSingle"), true);
    if (s.SingleFormatMode) {
        s.ProfileId = ini.readInt(Profiles, QStringLiteral("selcetsubindex"), edition::EditionProfile(s.ExeFileName));
        ctx.form.cb_channel->setCurrentIndex(0);
    } else {
        s.ProfileId = ini.readInt(Profiles, QStringLiteral("mainselcetsubindex"), 1);
        ctx.form.cb_channel->setCurrentIndex(1);
    }
    ctx.profiles->SelectProfile(s.ProfileId);
    s.FinishAction = ini.readInt(Profiles, QStringLiteral("FinishSelcet"), 0);
}

bool SaveSettings(MainContext& ctx)
{
    AppState& s = ctx.state;
    if (!s.MainIni)
        return true;
    const IniFile& ini = *s.MainIni;
    auto b = [](bool v) { return v ? QStringLiteral("1") : QStringLiteral("0"); };
    const std::pair<QString, QString> keys[] = {
        {Profiles, QStringLiteral("BisSingle")},
        {Profiles, s.SingleFormatMode ? QStringLiteral("selcetsubindex") : QStringLiteral("mainselcetsubindex")},
        {Output, QStringLiteral("path")},
        {Profiles, QStringLiteral("selcetindex")},
        {Profiles, QStringLiteral("FinishSelcet")},
        {Plane, QStringLiteral("video")},
        {Plane, QStringLiteral("audio")},
    };
    const QString values[] = {
        b(s.SingleFormatMode), QString::number(s.ProfileId), s.OutputFolder, QString::number(s.CategoryId),
        QString::number(s.FinishAction), b(s.VideoPageFirst), b(s.AudioPageFirst),
    };
    for (std::size_t i = 0; i < std::size(keys); ++i)
        if (!writeOrReport(ini, ctx.prompt, keys[i].first, keys[i].second, values[i]))
            return false;
    s.MainIni.reset();
    return true;
}
