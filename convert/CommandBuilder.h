// The transcoder command of one job as a function of plain data: the option boxes' snapshot and
// the applied profile (quality::Inputs), the source's probe record, the profile's argument line
// and the paths. Each option piece is a complete text with its own spaces ("" when absent); the
// pieces are joined with nothing in between. File jobs use BuildFileJob; DVD jobs build their
// own input and name and reuse the piece builders (BuildPieces), PrepareOutputFolder and
// NumberedOutputPath, then CommandLineText/ArgumentList through the runner.
#pragma once

#include "app/SharedTypes.h"
#include "profiles/Quality.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace command {

// Text of the size item that keeps the source's own picture size.
inline const QString OriginalSizeItem = QStringLiteral("The original width and height");

// " -s WxH": the source's frame size for the keep-size item (or the last item of a profile below
// 15), else the size item up to its "("; "" when cb_size is disabled or for the disc targets.
QString BuildSizeArg(const quality::Inputs& in, const Toriginalinfo& source);

// " -aspect R" from the size piece, R = width / height with 4 decimals ("1.3333"); "" when the
// size piece is empty, cb_size is disabled or for the disc targets. nullopt (and `error`) when
// the width or height is not a number.
std::optional<QString> BuildAspectArg(const quality::Inputs& in, const QString& sizeArg, QString* error);

// " -r 25 -b N" in bit/s: the source's rate (keep-source), the total minus the audio part
// (general video profiles) or the profile's level (fixed-rate profiles); "" for a profile
// without video and for the disc targets. nullopt when a text that must be a number is not one.
std::optional<QString> BuildVideoRateArg(const quality::Inputs& in, const Toriginalinfo& source, QString* error);

// " -ab N" in bit/s from the audio table, the source (keep-source) or the AMR table (".3gp",
// ".amr": 12200 .. 4750); "" for the disc targets.
std::optional<QString> BuildAudioRateArg(const quality::Inputs& in, const Toriginalinfo& source, QString* error);

// " -ar N " for the audio piece: 48000 above 192000 bit/s, 44100 above 64000, else 22050;
// " -ar 8000 " for ".3gp"/".amr"; "" for an empty audio piece and for the disc targets.
std::optional<QString> BuildSampleRateArg(const quality::Inputs& in, const QString& audioArg, QString* error);

// " -ac 1 " for ".3gp" and ".amr" outputs, else " -ac 2 ".
QString ChannelsArg(const QString& outputExtension);

// The disc targets' profile piece: " -target pal-vcd " (112), "...-svcd " (113), "...-dvd " (114)
// from the size item ("PAL"/"NTSC"); `profileArgs` unchanged for every other profile.
QString ProfileArgsFor(int profileId, const QString& sizeText, const QString& profileArgs);

// The option pieces of one job, in the record's own fields.
struct Pieces {
    QString SizeArg, AspectArg, VideoRateArg, AudioRateArg, SampleRateArg, ChannelsArg, ProfileArgs;
};

// Copies the option pieces into the job record's fields of the same names.
void ApplyPieces(const Pieces& pieces, intputrec& job);

// All option pieces for the current choices and one source; nullopt and `error` (the message for
// the user) when a text that must be a number is not one.
std::optional<Pieces> BuildPieces(const quality::Inputs& in, const Toriginalinfo& source, const QString& profileArgs,
                                  QString* error);

// The folder a job writes into, from the text of ed_output: the default output folder when the
// text is empty, made absolute, created (one level) when missing, with a trailing "/". nullopt
// and `error` when it cannot be created or written.
std::optional<QString> PrepareOutputFolder(const QString& edOutputText, QString* error);

// folder + firstName, or while that exists folder + stem + "_" + n + extension for n = 1, 2, ...
QString NumberedOutputPath(const QString& folder, const QString& firstName, const QString& stem,
                           const QString& extension, const std::function<bool(const QString&)>& exists);

// True when something (even a dangling link) has that name: an output never replaces it.
bool PathTaken(const QString& path);

// A file job's output: the source's file name with the extension replaced; the numbered
// alternatives are built from the row's caption.
QString FileOutputPath(const QString& folder, const QString& sourcePath, const QString& caption,
                       const QString& extension, const std::function<bool(const QString&)>& exists = PathTaken);

// Everything a file job is built from.
struct FileJobInputs {
    quality::Inputs quality;
    Toriginalinfo source;
    QString caption;       // the row's caption as shown
    QString profileArgs;   // the applied profile's argument line
    QString encoderPath;   // program directory + "register.dat"
    QString workDir;       // program directory
    QString outputFolder;  // prepared: existing, with a trailing "/"
};

// The job record of one file row; nullopt and `error` when a piece cannot be built.
std::optional<intputrec> BuildFileJob(const FileJobInputs& in, QString* error,
                                      const std::function<bool(const QString&)>& exists = PathTaken);

// The command line as text, its 15 pieces in order (paths quoted only when they hold a space).
QString CommandLineText(const intputrec& job);

// The same command as the process gets it (program excluded): each path one argument whatever
// it holds, option pieces split at spaces, the profile's argument line split by argsplit.
QStringList ArgumentList(const intputrec& job);

} // namespace command
