// The probe of one source: the transcoder's report ("Duration:", "bitrate:", "Video:" and
// "Audio:" lines) read into five texts, and the rules that turn those texts into a job-list
// record. Plain functions and one small parser; no process, no widget.
#pragma once

#include "app/SharedTypes.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace sources {

// What the parser has found so far; a text not found stays as it was (empty at the start).
struct ProbeResult {
    QString FrameSize;
    QString VideoKbps;
    QString AudioKbps;
    QString TotalKbps;
    QString DurationText;
};

// Reads the transcoder's report chunk by chunk. Each chunk is taken up to its first NUL byte.
// Whenever the kept text holds a line end, the whole kept text is searched and then discarded up
// to and including its last line end (a CR followed by LF counts as one).
class ProbeParser {
public:
    void feed(const QByteArray& chunk);
    const ProbeResult& result() const { return result_; }
    // The last non-empty line the transcoder printed (for a file that could not be read).
    QString lastLine() const;
    // Text after the last line end, not parsed (the report ended without a line end).
    const QByteArray& pending() const { return buffer_; }

private:
    void parse();

    QByteArray buffer_;
    QString lastLine_;
    ProbeResult result_;
};

// One pass of the parser over a text that holds at least one line end (exposed for tables).
void ParseReport(const QString& text, ProbeResult& result);

// Whole seconds from "HH:MM:SS" (characters 1-2, 4-5, 7-8); 0 when any of them is not an integer.
int ParseDurationText(const QString& text);

// The path in double quotes when it contains a space, otherwise unchanged.
QString QuoteIfSpaced(const QString& path);

// A decimal integer text (optional sign, digits only, 32 bits) as the program reads numbers.
std::optional<int> ToInt(const QString& text);
// The same within 64 bits.
std::optional<qint64> ToInt64(const QString& text);

// The row caption: the file name without its folder and without its extension.
QString CaptionOf(const QString& path);

// The record of a new row from a finished probe, with the missing values completed; nullopt
// when the total bitrate is not an integer (the file is not added). A video or audio text that
// is present but not an integer counts as missing.
std::optional<Toriginalinfo> CompleteProbe(const QString& path, ProbeResult probe);

} // namespace sources
