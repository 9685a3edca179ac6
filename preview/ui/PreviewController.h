// PreviewController: plays the selected row of the job list in the panel pl_play, shows the
// elapsed time in "play_time" and the position on "play_bar", pauses, stops, stops by itself at
// the end of the source (Timer1) and seeks when the play bar is released.
#pragma once

#include "preview/PreviewPlayer.h"
#include "ui/MainContext.h"

#include <QObject>
#include <QPointer>

class QWidget;

class PreviewController : public QObject, public PreviewPort {
    Q_OBJECT
public:
    explicit PreviewController(MainContext& ctx);

    void PreviewFileRow() override;
    void PreviewDvdRow() override;
    void TogglePause() override;
    void StopPreview() override;
    void PlayBarReleased() override;
    void Shutdown() override;

    // The position report of the player, in seconds.
    void OnPreviewPosition(double pos);
    void Timer1Timer();

    PreviewPlayer& player() { return player_; }

    // Preview state (GUI thread only).
    qint32 PreviewRow = 0;
    qint32 ElapsedSeconds = 0;
    qint32 BaseSeconds = 0;
    bool AwaitingFirstPosition = false;

private:
    // The start shared by both previews: the guards, then the player prepared for the selected
    // row. The row, or -1 when no preview starts.
    int beginPreview();
    // The cleanup after Play, whether or not it succeeded; file rows also get "Stop".
    void endPreview(bool fileRow);
    void startPlayer();
    void resetDisplays();
    void setStatus(const QString& text);
    qint32 previewDuration() const;
    // Waits without freezing the window: the GUI keeps handling events meanwhile.
    void wait(int ms);

    MainContext& ctx_;
    PreviewPlayer player_;
    QPointer<QWidget> surface_;  // native child of pl_play that the player draws into
};
