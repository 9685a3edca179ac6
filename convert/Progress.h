// Progress of a running job from the transcoder's output: the "time=" seconds of its progress
// lines, the bar position (0..10000, one unit = 0.01 %) and the row's percentage text.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace progress {

// Whole seconds after the first "time=" (up to the "." before "bitrate=", or the digits up to
// the first non-digit when no "." comes first); 0 when there is no such line, the text is not an
// integer, or the value is above 100000.
qint64 ParseProgressSeconds(const QString& text);

// seconds x (10000 - base) / duration with a 64-bit product, rounded to the nearest integer
// (halves to even). The caller makes sure durationSec is above 0.
int ProgressUnits(qint64 seconds, int progressBase, qint32 durationSec);

// The row's text for a bar position: 523 gives "05.23%", 10000 gives "100.00%".
QString ProgressText(int value);

// "HH:MM:SS" of whole seconds (the converted time of a job whose length is unknown).
QString ClockText(qint64 seconds);

// The runner's reader: takes the output chunk by chunk (each up to its first NUL byte) and
// consumes it line by line (CR or LF; CR LF counts as one).
class ProgressFeed {
public:
    // Seconds of the first progress line still held, when at least one line end arrived and the
    // value is not 0; nullopt otherwise.
    std::optional<qint64> feed(const QByteArray& chunk);
    // The last non-empty line that is not a progress line: what a failing transcoder said last.
    QString lastMessage() const;

private:
    QByteArray buffer_;
    QString lastMessage_;
};

} // namespace progress
