// INI file with the semantics of the classic private-profile functions: sections and keys
// compare case-insensitively, every call goes straight to disk (nothing is cached), a missing
// file reads as empty. Every write replaces the file atomically (temp file + rename) and keeps
// the lines it does not understand, so a crash never leaves a torn or shortened file.
#pragma once

#include <QString>

class IniFile {
public:
    explicit IniFile(QString path);

    const QString& path() const { return path_; }

    // The value of the first matching key of the first matching section, trimmed, with one
    // pair of surrounding double quotes removed; `def` when the file, section or key is missing.
    QString readString(const QString& section, const QString& key, const QString& def) const;

    // Decimal, or hexadecimal after "0x", "0X" or "$", optionally signed, within 32 bits;
    // anything else (and a missing key) yields `def`.
    int readInt(const QString& section, const QString& key, int def) const;

    // Read as an integer; true when it is not 0.
    bool readBool(const QString& section, const QString& key, bool def) const;

    // False when the file could not be written (or an existing file could not be read, which
    // would otherwise lose its other keys). Creates the folder when it is missing.
    bool writeString(const QString& section, const QString& key, const QString& value) const;
    bool writeInt(const QString& section, const QString& key, int value) const;
    bool writeBool(const QString& section, const QString& key, bool value) const;

    // Shared number rule, also used where settings values are typed in by hand.
    static bool parseInt(const QString& text, int* out);

private:
    QString path_;
};
