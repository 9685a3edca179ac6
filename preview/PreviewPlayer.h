// The preview player on libmpv, with the seven entries the preview operations call. Everything
// runs on the thread that owns the player (the GUI thread): libmpv's wakeup callback only posts
// a queued call, which drains the event queue and hands position reports to the registered
// function. Play runs a local event loop until the playback has ended, so the window keeps
// handling input (pause, stop, seek) meanwhile.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <atomic>
#include <functional>

struct mpv_handle;
class QEventLoop;

class PreviewPlayer : public QObject {
    Q_OBJECT
public:
    using PositionFunction = std::function<void(double seconds)>;

    explicit PreviewPlayer(QObject* parent = nullptr);
    ~PreviewPlayer() override;  // ends any playback and releases the player

    // Prepares a player that draws into the native window `handle` (an X11 window id). Handle 0
    // plays without picture and sound, for runs without a display.
    void InitPreviewWindow(quintptr handle, qint32 width, qint32 height);
    // The function that receives the playback position, in seconds, while Play runs.
    void SetEventFuntion(PositionFunction function);
    // Moves to `seconds` in the time base of the reported positions; before Play, sets where
    // the next playback starts.
    void Seek(qint32 seconds);
    // Plays a file path or a "vts://" reference; returns when the playback has ended (end of
    // source, Stop, or DestroyPreviewWindow). False when the source could not be played.
    bool Play(const QByteArray& source);
    void Pause();  // toggles between paused and playing
    void Stop();
    void DestroyPreviewWindow();

    // Decode as fast as possible instead of in real time (tests).
    void setUntimed(bool untimed) { untimed_ = untimed; }
    bool isPlaying() const { return playing_; }
    // A player property as text (for example "current-tracks/audio/src-id"), or empty.
    QString property(const char* name) const;

private:
    static void wakeup(void* self);
    void drain();
    void selectTracks();
    void setOption(const char* name, const char* value);

    mpv_handle* mpv_ = nullptr;
    PositionFunction onPosition_;
    QEventLoop* playLoop_ = nullptr;
    std::atomic<bool> drainPosted_{false};
    bool draining_ = false;
    bool untimed_ = false;
    bool playing_ = false;
    bool loaded_ = false;
    bool ended_ = false;
    bool failed_ = false;
    qint32 startSeconds_ = 0;
    qint32 pendingSeek_ = -1;
    int wantedAudio_ = -1;     // src-id of the audio track to select; 0 none, -1 the player's choice
    int wantedSubtitle_ = -1;  // src-id of the subtitle track to select; 0 none
    bool subtitleSelected_ = false;
};
