// The profile data file "profiles.pop": blocks of four lines, block k for profile k (a label,
// the size line, the bitrate line, the argument line). Reading a block and the rule that splits
// the size and bitrate lines into values.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace profilefile {

inline const QString FileName = QStringLiteral("profiles.pop");

// The lines of one block that the file holds; a line past the end of the data stays nullopt.
struct ProfileBlock {
    std::optional<QString> label;
    std::optional<QString> sizeLine;
    std::optional<QString> bitrateLine;
    std::optional<QString> argumentLine;
};

// The text's lines: CR LF, a lone CR and a lone LF each end a line, a Ctrl+Z byte ends the
// data, and a line may be of any length. UTF-8.
QStringList SplitLines(const QByteArray& data);

// Block of profile p (1-based) within the data; an empty block for p below 1.
ProfileBlock BlockFromData(const QByteArray& data, int p);

// Reads block p of the file. False, with the error text the user is shown ("Cannot open file
// ..."), when the file cannot be opened or read.
bool ReadProfileBlock(const QString& path, int p, ProfileBlock* block, QString* error);

// The splitting rule of both lists: values end at a single space; an empty value (a leading
// space, two spaces in a row, a trailing space) ends the list, and a last value of one
// character is dropped ("96 8" gives only "96").
QStringList SplitValues(const QString& line);

// The k-th value of the bitrate line goes into slot 4 - k (lowest quality first); values past
// the fifth are ignored and slots the line does not reach keep their text.
void FillVideoBitrateLevels(std::array<QString, 5>& levels, const QString& bitrateLine);

} // namespace profilefile
