#include "preview/ui/PreviewController.h"

#include "dvd/DvdListing.h"
#include "preview/PreviewMath.h"
#include "sources/Probe.h"

#include <QEventLoop>
#include <QFile>
#include <QFrame>
#include <QGuiApplication>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>

namespace {

const QString kPlay = QStringLiteral("Play");
const QString kPause = QStringLiteral("Pause");
const QString kStop = QStringLiteral("Stop");

} // namespace

PreviewController::PreviewController(MainContext& ctx) : ctx_(ctx)
{
    connect(ctx_.form.Timer1, &QTimer::timeout, this, &PreviewController::Timer1Timer);
}

int PreviewController::beginPreview()
{
    const int row = firstSelectedRow(ctx_.form);
    if (row < 0)
        return -1;
    AppState& s = ctx_.state;
    if (s.IsConverting) {
        ctx_.prompt.warn(refusal::StopConvert);
        return -1;
    }
    if (s.IsPaused)
        TogglePause();
    if (s.IsPlaying)
        return -1;  // one playback at a time; a paused one was resumed above
    if (ctx_.isVemraBrand())
        ctx_.form.pl_play->setVisible(true);
    s.IsPlaying = true;
    PreviewRow = row;
    AwaitingFirstPosition = true;
    ElapsedSeconds = 0;
    startPlayer();
    return row;
}

void PreviewController::endPreview(bool fileRow)
{
    // Runs whether or not Play succeeded.
    player_.DestroyPreviewWindow();
    resetDisplays();
    if (fileRow)
        setStatus(kStop);
    ctx_.state.IsPaused = false;
    ctx_.state.IsPlaying = false;
}

void PreviewController::startPlayer()
{
    // The player draws into a native window. It is a child covering pl_play rather than
    // pl_play itself, so that the panel's siblings stay ordinary (non-native) widgets.
    // Only X11 can embed; elsewhere (offscreen runs) the player plays without a picture.
    quintptr handle = 0;
    QFrame* panel = ctx_.form.pl_play;
    if (QGuiApplication::platformName() == QLatin1String("xcb") && panel) {
        if (!surface_) {
            surface_ = new QWidget(panel);
            surface_->setObjectName(QStringLiteral("pl_play_video"));
            surface_->setAttribute(Qt::WA_DontCreateNativeAncestors);
            surface_->setAttribute(Qt::WA_NativeWindow);
            surface_->setAutoFillBackground(true);
            QPalette black = surface_->palette();
            black.setColor(QPalette::Window, Qt::black);
            surface_->setPalette(black);
        }
        surface_->setGeometry(panel->rect());
        surface_->show();
        handle = quintptr(surface_->winId());
    }
    player_.InitPreviewWindow(handle, panel ? panel->width() : 0, panel ? panel->height() : 0);
    player_.SetEventFuntion([this](double pos) { OnPreviewPosition(pos); });
}

void PreviewController::PreviewFileRow()
{
    const int row = beginPreview();
    if (row < 0)
        return;
    const auto& infos = ctx_.state.SourceInfos;
    const QString path = row < infos.size() ? infos[row].SourcePath : QString();
    setStatus(kPlay);
    player_.Seek(0);
    player_.Play(QFile::encodeName(path));
    endPreview(true);
}

void PreviewController::PreviewDvdRow()
{
    // Neither a seek to 0 nor "Play"/"Stop" in the status column for DVD rows.
    const int row = beginPreview();
    if (row < 0)
        return;
    const QString reference = ctx_.dvd ? ctx_.dvd->PreviewReference(row) : QString();
    player_.Play(QFile::encodeName(reference));
    endPreview(false);
}

void PreviewController::TogglePause()
{
    AppState& s = ctx_.state;
    if (!s.IsPlaying)
        return;
    s.IsPaused = !s.IsPaused;
    player_.Pause();
    setStatus(s.IsPaused ? kPause : kPlay);
}

void PreviewController::StopPreview()
{
    player_.Stop();
    wait(100);
}

void PreviewController::OnPreviewPosition(double pos)
{
    if (AwaitingFirstPosition && pos > 0.0) {
        AwaitingFirstPosition = false;
        BaseSeconds = preview::RoundSeconds(pos);
    }
    const qint32 dur = previewDuration();
    if (dur <= ElapsedSeconds) {
        ctx_.form.Timer1->start();
        wait(500);
    }
    const qint32 r = preview::RoundSeconds(pos) - BaseSeconds;
    if (r != ElapsedSeconds) {
        ElapsedSeconds = r;
        if (SkinObject* t = ctx_.PlayTimeObject) {
            t->setText(dvd::SecondsToHms(std::max(r, 0)));
            t->redraw();
        }
        wait(50);
        if (!ctx_.state.PlayBarDragging) {
            if (SkinObject* bar = ctx_.PlayBarObject) {
                // The bar's scale is 0..10000: an unknown duration or a position past it stays on the scale.
                bar->setPosition(std::clamp(preview::MulDiv(ElapsedSeconds, 10000, dur), 0, 10000));
                bar->redraw();
            }
            wait(50);
        }
    }
}

void PreviewController::Timer1Timer()
{
    ctx_.form.Timer1->stop();
    player_.Stop();
}

void PreviewController::PlayBarReleased()
{
    AppState& s = ctx_.state;
    if (ctx_.isDvdEdition() || s.IsConverting || !s.IsPlaying)
        return;
    const qint32 p = ctx_.PlayBarObject ? ctx_.PlayBarObject->position() : 0;
    player_.Seek(preview::MulDiv(p, previewDuration(), 10000) + BaseSeconds);
    wait(300);
    s.PlayBarDragging = false;
}

void PreviewController::Shutdown()
{
    // The window is going away: no playback and no decoder thread may outlive it, and the
    // player must be gone before the window it draws into.
    ctx_.form.Timer1->stop();
    player_.Stop();
    player_.DestroyPreviewWindow();
}

void PreviewController::resetDisplays()
{
    if (SkinObject* bar = ctx_.PlayBarObject) {
        bar->setPosition(0);
        bar->redraw();
    }
    if (SkinObject* t = ctx_.PlayTimeObject) {
        t->setText(QStringLiteral("00:00:00"));
        t->redraw();
    }
}

void PreviewController::setStatus(const QString& text)
{
    // The row may have gone while playing (the direction switch clears the list).
    if (QTreeWidgetItem* item = ctx_.form.lv->topLevelItem(PreviewRow))
        item->setText(lvcol::Status, text);
}

qint32 PreviewController::previewDuration() const
{
    const auto& infos = ctx_.state.SourceInfos;
    if (PreviewRow < 0 || PreviewRow >= infos.size())
        return 0;
    return sources::ParseDurationText(infos[PreviewRow].DurationText);
}

void PreviewController::wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}
