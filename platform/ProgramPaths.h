// Where the program's files are: the program directory (of the resolved binary), the name it
// was started under (which selects the edition), the settings folder and the settings names.
#pragma once

#include <QString>

namespace paths {

// Directory of the running executable, with a trailing "/".
QString programDir();

// File name part of argv[0], case kept: a link named "AVI Converter" gives "AVI Converter".
QString invocationName(const QString& argv0);

// The name without a trailing ".exe" (any case), else the whole name.
QString exeBaseName(const QString& exeFileName);

// $XDG_CONFIG_HOME/videoconverter/ (default ~/.config/videoconverter/), trailing "/".
QString settingsDir();

// Main settings file name: the base with its extension replaced by ".ini" ("Video.Converter"
// gives "Video.ini"), or ".ini" appended when the base holds no dot.
QString mainIniName(const QString& exeFileName);
// "pro " + the main settings file name.
QString profileIniName(const QString& exeFileName);

// ~/My Video/ : the output folder until the user chooses one.
QString defaultOutputFolder();

} // namespace paths
