// Records that several subsystems share: what the probe learnt about a source, and one encode job.
#pragma once

#include <QString>
#include <QtGlobal>

// What the transcoder reported about one source; one per job-list row. Every field is text.
struct Toriginalinfo {
    QString SourcePath;   // full path of the source file (empty for DVD rows)
    QString FrameSize;    // width "x" height, e.g. 640x480
    QString DurationText; // HH:MM:SS, or empty
    QString VideoKbps;    // decimal kbit/s
    QString AudioKbps;    // decimal kbit/s
};

// One encode job. The option pieces are complete texts with their own spaces ("" when absent).
struct intputrec {
    QString InputPath;        // source path, or a "vts://" locator for DVD jobs
    QString OutputPath;
    QString EncoderPath;      // program directory + "register.dat"
    QString WorkDir;          // program directory; the child's current directory
    QString VideoRateArg;     // " -r 25 -b N " piece
    QString AudioRateArg;     // " -ab N" piece
    qint32 DurationSec = 0;
    QString ProfileArgs;      // the profile's argument line, or the " -target " piece
    QString SizeArg;          // " -s WxH" piece
    QString SampleRateArg;    // " -ar N " piece
    QString ChannelsArg;      // " -ac 2 " or " -ac 1 "
    QString AspectArg;        // " -aspect R" piece
    QString DurationLimitArg; // " -t HH:MM:SS" piece of DVD jobs
};
