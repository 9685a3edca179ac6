// Media fixtures made at test time with ffmpeg's lavfi sources.
#pragma once

#include <QString>
#include <QStringList>

namespace fixtures {

// Runs ffmpeg with the arguments (after "-hide_banner -loglevel error -y"); true on success.
bool ffmpeg(const QStringList& args);

// A clip of `seconds` with a test picture of `size` and a sine tone, encoded by the extension's
// default codecs (".avi", ".mp4", ".mkv", ...). Extra arguments go before the output path.
bool makeClip(const QString& path, double seconds = 2.0, const QString& size = QStringLiteral("320x240"),
              const QStringList& extra = {});

// Video only / audio only variants.
bool makeVideoOnly(const QString& path, double seconds = 2.0, const QString& size = QStringLiteral("320x240"));
bool makeAudioOnly(const QString& path, double seconds = 2.0);

// ffprobe's value of one entry, e.g. ("stream=codec_name", "v:0").
QString probe(const QString& path, const QString& entry, const QString& streams = QString());

} // namespace fixtures
