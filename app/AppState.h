// The process-wide state that the subsystems share. Owned by the main window, read and written
// on the GUI thread only. Field names are the system's own.
#pragma once

#include "app/SharedTypes.h"
#include "platform/IniFile.h"

#include <QString>
#include <QVector>

#include <array>
#include <optional>

class QProcess;

struct AppState {
    QString ExeFileName;          // file name the program was started under, case kept
    QString OutputFolder;         // mirrored in ed_output
    QString EditionFilter;        // open-dialog filter of the edition's own format, or empty
    bool SingleFormatMode = true; // direction: item 0 of cb_channel (true) or item 1
    bool VideoPageFirst = true;
    bool AudioPageFirst = true;
    int ProfileId = -1;
    int CategoryId = -1;
    int AppliedProfileId = 0;
    bool IsConverting = false;
    int CurrentJobIndex = 0;
    bool IsPlaying = false;
    bool IsPaused = false;
    bool PlayBarDragging = false;
    bool TitleMode = true;
    int FinishAction = 0;         // 0 nothing, 1 open OutputFolder, 2 power off
    int GroupPanelOffset = 220;   // set by the layout (180 or 220)
    std::optional<IniFile> MainIni;
    std::optional<IniFile> ProfileIni;
    QVector<Toriginalinfo> SourceInfos;
    std::array<QString, 5> VideoBitrateLevels;
    QString ProfileDisplayName;
    QString ChosenFolder;
    QProcess* EncoderProcessHandle = nullptr;

    intputrec CurrentJob;         // the job being started; EncoderPath and WorkDir fixed at creation
};
