// Test fixtures of the job list and the runner: a program directory whose register.dat is the
// scripted stand-in (tests/convert/standin), and a main window's controls on a plain widget with
// a context whose other subsystems are fakes.
#pragma once

#include "app/AppState.h"
#include "profiles/Catalogue.h"
#include "tests/support/ScriptedPrompt.h"
#include "ui/MainContext.h"
#include "ui/MainForm.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <QWidget>

#include <csignal>
#include <memory>

#ifndef VC_STANDIN_PATH
#define VC_STANDIN_PATH ""  // users of the window fixture alone
#endif

namespace standin {

// One call of the stand-in: its pid and arguments.
struct Call {
    qint64 pid = 0;
    QStringList args;
};

class Program {
public:
    Program()
    {
        QDir(dir_.path()).mkpath(QStringLiteral("program"));
        QDir(dir_.path()).mkpath(QStringLiteral("scripts"));
        QFile::copy(QStringLiteral(VC_STANDIN_PATH), encoder());
        QFile::setPermissions(encoder(), QFile::permissions(encoder()) | QFile::ExeOwner);
        qputenv("VC_STANDIN_DIR", scripts().toUtf8());
    }

    QString root() const { return dir_.path() + u'/'; }
    QString programDir() const { return dir_.path() + QStringLiteral("/program/"); }
    QString encoder() const { return programDir() + QStringLiteral("register.dat"); }
    QString scripts() const { return dir_.path() + QStringLiteral("/scripts"); }

    // The script for an input file name ("clip.avi") or "default", for probes or jobs.
    void probeScript(const QString& name, const QString& text) const { write(name + QStringLiteral(".probe"), text); }
    void jobScript(const QString& name, const QString& text) const { write(name + QStringLiteral(".job"), text); }

    QList<Call> calls() const
    {
        QList<Call> result;
        QFile f(scripts() + QStringLiteral("/calls.log"));
        if (!f.open(QIODevice::ReadOnly))
            return result;
        for (const QByteArray& line : f.readAll().split('\n')) {
            const QList<QByteArray> parts = line.split('\t');
            if (parts.size() < 2 || parts[0] != "call")
                continue;
            Call c;
            c.pid = parts[1].toLongLong();
            for (int i = 2; i < parts.size(); ++i)
                c.args.append(QString::fromUtf8(parts[i]).replace(QStringLiteral("\\n"), QStringLiteral("\n")));
            result.append(c);
        }
        return result;
    }

    // Pids of the children the stand-in started ("child", "late").
    QList<qint64> children() const
    {
        QList<qint64> result;
        QFile f(scripts() + QStringLiteral("/calls.log"));
        if (f.open(QIODevice::ReadOnly))
            for (const QByteArray& line : f.readAll().split('\n'))
                if (line.startsWith("child\t"))
                    result.append(line.mid(6).toLongLong());
        return result;
    }

    void clearCalls() const { QFile::remove(scripts() + QStringLiteral("/calls.log")); }

private:
    void write(const QString& file, const QString& text) const
    {
        QFile f(scripts() + u'/' + file);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(text.toUtf8());
    }

    QTemporaryDir dir_;
};

// True while a process of that pid exists and is not a zombie.
inline bool alive(qint64 pid)
{
    if (pid <= 0 || ::kill(pid_t(pid), 0) != 0)
        return false;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray s = stat.readAll();
    const qsizetype close = s.lastIndexOf(')');
    return close < 0 || s.mid(close + 2, 1) != "Z";
}

// A probe report as the transcoder prints it (lines end in CR LF).
inline QString report(const QString& duration, int total, const QString& size, int video, int audio)
{
    return QStringLiteral("say Input #0, avi, from 'x':\\r\\n  Duration: %1.00, start: 0.000000, bitrate: %2 kb/s\\r\\n"
                          "    Stream #0:0: Video: mpeg4, yuv420p, %3, %4 kb/s, 25 fps\\r\\n"
                          "    Stream #0:1: Audio: mp3, 44100 Hz, stereo, %5 kb/s\\r\\n\n")
        .arg(duration)
        .arg(total)
        .arg(size)
        .arg(video)
        .arg(audio);
}

struct FakeDialogs : DialogsPort {
    AppState* state = nullptr;
    QString folder;  // what the folder dialog answers
    QStringList captions;
    void ChooseFolder(const QString& caption) override
    {
        captions.append(caption);
        state->ChosenFolder = folder;
    }
    void ShowFinishDialog() override {}
    void ShowAbout() override {}
};

struct FakeDvd : DvdPort {
    QList<QList<int>> removed;
    QStringList openedFolders;
    int startDvdJobs = 0;
    void OpenDvdFolder() override {}
    void AddIfoFiles() override {}
    void ToggleTitleMode() override {}
    void lvClick() override {}
    void StartDvdJob() override { ++startDvdJobs; }
    void SetAllChecks(bool) override {}
    void OpenFolderAsDvd(const QString& folder) override { openedFolders.append(folder); }
    void RowsRemoved(const QList<int>& rows) override { removed.append(rows); }
    QString PreviewReference(int) const override { return QString(); }
};

// The main window's controls and context, without the skin and the real subsystems.
class Window {
public:
    explicit Window(const QString& programDir, const QString& exeFileName = QStringLiteral("Video Converter"))
    {
        form = buildMainForm(&widget);
        ctx = std::make_unique<MainContext>(MainContext{state, form, prompt, programDir});
        state.ExeFileName = exeFileName;
        state.CurrentJob.EncoderPath = programDir + QStringLiteral("register.dat");
        state.CurrentJob.WorkDir = programDir;
        dialogs.state = &state;
        ctx->dialogs = &dialogs;
        ctx->dvd = &dvd;
    }

    // Applies a profile the way profile selection leaves the boxes.
    void useProfile(int id, const QStringList& sizes, int sizeIndex, int videoIndex = 2, int audioIndex = 2,
                    const QString& args = QString(), const std::array<QString, 5>& levels = {})
    {
        state.ProfileId = id;
        state.ProfileDisplayName = catalogue::DisplayName(id);
        state.VideoBitrateLevels = levels;
        state.CurrentJob.ProfileArgs = args;
        form.cb_size->clear();
        form.cb_size->addItems(sizes);
        form.cb_size->setCurrentIndex(sizeIndex);
        form.cb_videobitrate->setCurrentIndex(videoIndex);
        form.cb_audiobitrate->setCurrentIndex(audioIndex);
    }

    // A row as the job list holds it, without probing.
    void addRow(const Toriginalinfo& info, const QString& caption)
    {
        form.lv->addTopLevelItem(new QTreeWidgetItem(
            QStringList{caption, info.FrameSize, info.DurationText, QString(), QStringLiteral("Status")}));
        state.SourceInfos.resize(form.lv->topLevelItemCount());
        state.SourceInfos.last() = info;
    }

    int rows() const { return form.lv->topLevelItemCount(); }
    QString text(int row, int column) const { return form.lv->topLevelItem(row)->text(column); }
    QString status(int row) const { return text(row, lvcol::Status); }
    QString tooltip(int row) const { return form.lv->topLevelItem(row)->toolTip(lvcol::Status); }

    QWidget widget;
    AppState state;
    MainForm form;
    ScriptedPrompt prompt;
    FakeDialogs dialogs;
    FakeDvd dvd;
    std::unique_ptr<MainContext> ctx;
};

} // namespace standin
