// A settings write that reports its failure the way the program does everywhere:
// "Unable to write to %s" with the file's path, in an error message.
#pragma once

#include "platform/IniFile.h"
#include "platform/Prompt.h"

inline bool writeOrReport(const IniFile& ini, Prompt& prompt, const QString& section, const QString& key,
                          const QString& value)
{
    if (ini.writeString(section, key, value))
        return true;
    prompt.error(QStringLiteral("Unable to write to %1").arg(ini.path()));
    return false;
}
