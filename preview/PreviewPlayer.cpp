#include "preview/PreviewPlayer.h"

#include "preview/VtsSource.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>

#include <mpv/client.h>

#include <clocale>
#include <cstdio>
#include <cstring>

namespace {

constexpr quint64 kTimePos = 1;
constexpr quint64 kTrackCount = 2;

} // namespace

PreviewPlayer::PreviewPlayer(QObject* parent) : QObject(parent) {}

PreviewPlayer::~PreviewPlayer()
{
    DestroyPreviewWindow();
}

void PreviewPlayer::setOption(const char* name, const char* value)
{
    if (mpv_set_option_string(mpv_, name, value) < 0)
        std::fprintf(stderr, "preview: option %s=%s refused\n", name, value);
}

void PreviewPlayer::InitPreviewWindow(quintptr handle, qint32, qint32)
{
    DestroyPreviewWindow();
    // libmpv refuses to start unless numbers are formatted the C way.
    std::setlocale(LC_NUMERIC, "C");
    mpv_ = mpv_create();
    if (!mpv_) {
        std::fprintf(stderr, "preview: the player could not be created\n");
        return;
    }
    setOption("config", "no");
    setOption("terminal", "no");
    setOption("idle", "yes");
    setOption("keep-open", "no");
    // No scripts: they run on detached threads that could outlive the player.
    setOption("load-scripts", "no");
    setOption("ytdl", "no");
    setOption("osc", "no");
    setOption("load-stats-overlay", "no");
    setOption("load-osd-console", "no");
    setOption("load-auto-profiles", "no");
    setOption("osd-level", "0");
    setOption("resume-playback", "no");
    // Mouse and keys belong to the window, not to the video.
    setOption("input-default-bindings", "no");
    setOption("input-vo-keyboard", "no");
    setOption("input-cursor", "no");
    setOption("cursor-autohide", "no");
    // MPEG program streams overshoot a seek by up to 0.4 s without this.
    setOption("hr-seek-demuxer-offset", "1");
    setOption("audio-display", "no");
    if (handle != 0) {
        int64_t wid = int64_t(handle);
        mpv_set_option(mpv_, "wid", MPV_FORMAT_INT64, &wid);
        // OpenGL on X11 (EGL), else plain X11 drawing. Only the X11 context: the others probe
        // the console (DRM/KMS), pointless inside a window, and without a terminal that probe
        // closes descriptors it does not own, which broke the window's X connection.
        setOption("vo", "gpu,x11");
        setOption("gpu-context", "x11egl");
        // Ends in null so a machine without a sound device still shows the picture.
        setOption("ao", "pipewire,pulse,alsa,null");
    } else {
        setOption("vo", "null");
        setOption("ao", "null");
    }
    if (untimed_) {
        setOption("untimed", "yes");
        setOption("ao-null-untimed", "yes");
    }

    if (mpv_initialize(mpv_) < 0) {
        std::fprintf(stderr, "preview: the player could not be started\n");
        mpv_terminate_destroy(mpv_);
        mpv_ = nullptr;
        return;
    }
    mpv_request_log_messages(mpv_, "error");
    preview::RegisterVtsProtocol(mpv_);
    mpv_observe_property(mpv_, kTimePos, "time-pos", MPV_FORMAT_DOUBLE);
    mpv_observe_property(mpv_, kTrackCount, "track-list/count", MPV_FORMAT_INT64);
    mpv_set_wakeup_callback(mpv_, &PreviewPlayer::wakeup, this);
    startSeconds_ = 0;
    pendingSeek_ = -1;
}

void PreviewPlayer::SetEventFuntion(PositionFunction function)
{
    onPosition_ = std::move(function);
}

void PreviewPlayer::Seek(qint32 seconds)
{
    if (!mpv_)
        return;
    seconds = std::max<qint32>(seconds, 0);
    if (!playing_) {
        startSeconds_ = seconds;
        return;
    }
    if (!loaded_) {
        pendingSeek_ = seconds;
        return;
    }
    const QByteArray target = QByteArray::number(seconds);
    const char* cmd[] = {"seek", target.constData(), "absolute+exact", nullptr};
    mpv_command(mpv_, cmd);
}

bool PreviewPlayer::Play(const QByteArray& source)
{
    if (!mpv_ || playing_)
        return false;
    wantedAudio_ = -1;
    wantedSubtitle_ = -1;
    subtitleSelected_ = false;
    if (source.startsWith("vts://")) {
        const std::optional<preview::VtsSource> vts = preview::ParseVtsSource(source);
        if (!vts)
            return false;
        wantedAudio_ = vts->audioId;
        wantedSubtitle_ = vts->subtitleId;
        // The chosen streams are switched on once the demuxer has found them.
        mpv_set_property_string(mpv_, "aid", wantedAudio_ == 0 ? "no" : "auto");
        mpv_set_property_string(mpv_, "sid", "no");
    }
    if (startSeconds_ > 0)
        mpv_set_property_string(mpv_, "start", QByteArray::number(startSeconds_).constData());
    startSeconds_ = 0;

    // A path that is not a "vts://" reference is always a local file, never a protocol or a
    // folder.
    QByteArray target = source;
    if (!source.startsWith("vts://")) {
        if (!QFileInfo(QFile::decodeName(source)).isFile()) {
            std::fprintf(stderr, "preview: no such file: %s\n", source.constData());
            return false;
        }
        if (!source.startsWith('/'))
            target = "./" + source;
    }
    const char* cmd[] = {"loadfile", target.constData(), "replace", nullptr};
    playing_ = true;
    loaded_ = false;
    ended_ = false;
    failed_ = false;
    pendingSeek_ = -1;
    if (mpv_command(mpv_, cmd) < 0) {
        playing_ = false;
        return false;
    }
    QEventLoop loop;
    playLoop_ = &loop;
    if (!ended_)
        loop.exec();
    playLoop_ = nullptr;
    playing_ = false;
    loaded_ = false;
    return !failed_;
}

void PreviewPlayer::Pause()
{
    if (!mpv_)
        return;
    const char* cmd[] = {"cycle", "pause", nullptr};
    mpv_command(mpv_, cmd);
}

void PreviewPlayer::Stop()
{
    if (!mpv_ || !playing_)
        return;
    const char* cmd[] = {"stop", nullptr};
    mpv_command(mpv_, cmd);
}

void PreviewPlayer::DestroyPreviewWindow()
{
    if (!mpv_)
        return;
    mpv_handle* mpv = mpv_;
    mpv_ = nullptr;
    // Joins libmpv's threads; no callback runs after this returns.
    mpv_terminate_destroy(mpv);
    if (playLoop_) {
        ended_ = true;
        playLoop_->quit();
    }
}

QString PreviewPlayer::property(const char* name) const
{
    if (!mpv_)
        return {};
    char* value = mpv_get_property_string(mpv_, name);
    if (!value)
        return {};
    const QString text = QString::fromUtf8(value);
    mpv_free(value);
    return text;
}

void PreviewPlayer::wakeup(void* self)
{
    // Called on any of libmpv's threads: only post, the GUI thread does the work.
    auto* player = static_cast<PreviewPlayer*>(self);
    if (!player->drainPosted_.exchange(true))
        QMetaObject::invokeMethod(player, &PreviewPlayer::drain, Qt::QueuedConnection);
}

void PreviewPlayer::drain()
{
    drainPosted_ = false;
    // A position handler may run a local event loop; the drain it interrupted carries on
    // afterwards, so reports are never handled inside one another.
    if (draining_)
        return;
    draining_ = true;
    while (mpv_) {
        const mpv_event* event = mpv_wait_event(mpv_, 0);
        if (event->event_id == MPV_EVENT_NONE)
            break;
        switch (event->event_id) {
        case MPV_EVENT_PROPERTY_CHANGE: {
            const auto* p = static_cast<const mpv_event_property*>(event->data);
            if (event->reply_userdata == kTimePos && p->format == MPV_FORMAT_DOUBLE && playing_ && onPosition_) {
                const double seconds = *static_cast<const double*>(p->data);
                onPosition_(seconds);  // may run local event loops, even destroy the player
            } else if (event->reply_userdata == kTrackCount && loaded_) {
                selectTracks();
            }
            break;
        }
        case MPV_EVENT_FILE_LOADED:
            loaded_ = true;
            selectTracks();
            if (pendingSeek_ >= 0) {
                const qint32 s = pendingSeek_;
                pendingSeek_ = -1;
                Seek(s);
            }
            break;
        case MPV_EVENT_END_FILE: {
            const auto* end = static_cast<const mpv_event_end_file*>(event->data);
            if (end->reason == MPV_END_FILE_REASON_ERROR) {
                failed_ = true;
                std::fprintf(stderr, "preview: %s\n", mpv_error_string(end->error));
            } else if (end->reason == MPV_END_FILE_REASON_REDIRECT) {
                failed_ = true;  // a playlist: the preview plays the file itself, not what it names
                Stop();
            }
            ended_ = true;
            if (playLoop_)
                playLoop_->quit();
            break;
        }
        case MPV_EVENT_SHUTDOWN:
            ended_ = true;
            if (playLoop_)
                playLoop_->quit();
            break;
        case MPV_EVENT_LOG_MESSAGE: {
            const auto* m = static_cast<const mpv_event_log_message*>(event->data);
            // Decoders complain about damaged frames after a seek or a cut sector range, and
            // the video outputs about each way of drawing they try before one works.
            const bool expected = !std::strncmp(m->prefix, "ffmpeg/", 7) || !std::strcmp(m->prefix, "ad")
                                  || !std::strcmp(m->prefix, "vd") || !std::strncmp(m->prefix, "vo/", 3);
            if (!expected)
                std::fprintf(stderr, "preview: %s: %s", m->prefix, m->text);
            break;
        }
        default:
            break;
        }
    }
    draining_ = false;
}

void PreviewPlayer::selectTracks()
{
    if (!mpv_ || (wantedAudio_ <= 0 && (wantedSubtitle_ <= 0 || subtitleSelected_)))
        return;
    mpv_node list;
    if (mpv_get_property(mpv_, "track-list", MPV_FORMAT_NODE, &list) < 0)
        return;
    // Tracks of an MPEG program stream are numbered in the order they were found; the DVD's
    // stream ids are their src-id.
    if (list.format == MPV_FORMAT_NODE_ARRAY) {
        for (int i = 0; i < list.u.list->num; ++i) {
            const mpv_node& track = list.u.list->values[i];
            if (track.format != MPV_FORMAT_NODE_MAP)
                continue;
            QByteArray type;
            int64_t id = -1, srcId = -1;
            for (int k = 0; k < track.u.list->num; ++k) {
                const char* key = track.u.list->keys[k];
                const mpv_node& v = track.u.list->values[k];
                if (!std::strcmp(key, "type") && v.format == MPV_FORMAT_STRING)
                    type = v.u.string;
                else if (!std::strcmp(key, "id") && v.format == MPV_FORMAT_INT64)
                    id = v.u.int64;
                else if (!std::strcmp(key, "src-id") && v.format == MPV_FORMAT_INT64)
                    srcId = v.u.int64;
            }
            if (type == "audio" && wantedAudio_ > 0 && srcId == wantedAudio_) {
                mpv_set_property(mpv_, "aid", MPV_FORMAT_INT64, &id);
                wantedAudio_ = -1;  // chosen once; later track changes leave it alone
            } else if (type == "sub" && wantedSubtitle_ > 0 && !subtitleSelected_ && srcId == wantedSubtitle_) {
                mpv_set_property(mpv_, "sid", MPV_FORMAT_INT64, &id);
                subtitleSelected_ = true;
            }
        }
    }
    mpv_free_node_contents(&list);
}
