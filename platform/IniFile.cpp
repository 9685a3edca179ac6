#include "platform/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

#include <optional>

namespace {

struct Line {
    enum Kind { Other, Section, Key } kind = Other;
    QString name;  // section or key name, trimmed
    QString value; // key value, trimmed
};

Line classify(const QString& raw)
{
    Line l;
    const QString t = raw.trimmed();
    if (t.startsWith(u'[')) {
        const qsizetype close = t.indexOf(u']');
        if (close > 0) {
            l.kind = Line::Section;
            l.name = t.mid(1, close - 1).trimmed();
        }
        return l;
    }
    if (t.startsWith(u';'))
        return l;
    const qsizetype eq = t.indexOf(u'=');
    if (eq > 0) {
        l.kind = Line::Key;
        l.name = t.left(eq).trimmed();
        l.value = t.mid(eq + 1).trimmed();
    }
    return l;
}

// nullopt when the file exists but cannot be read; empty list when it does not exist.
std::optional<QStringList> readLines(const QString& path)
{
    QFile f(path);
    if (!f.exists())
        return QStringList();
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QString text = QString::fromUtf8(f.readAll());
    QStringList lines = text.split(u'\n');
    for (QString& line : lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

IniFile::IniFile(QString path) : path_(std::move(path)) {}

QString IniFile::readString(const QString& section, const QString& key, const QString& def) const
{
    const auto lines = readLines(path_);
    if (!lines)
        return def;
    bool inSection = false;
    bool seenSection = false;
    for (const QString& raw : *lines) {
        const Line l = classify(raw);
        if (l.kind == Line::Section) {
            // Only the first section of a name counts, as with the classic functions.
            if (inSection)
                return def;
            inSection = !seenSection && sameName(l.name, section);
            seenSection = seenSection || inSection;
        } else if (inSection && l.kind == Line::Key && sameName(l.name, key)) {
            QString v = l.value;
            if (v.size() >= 2 && v.startsWith(u'"') && v.endsWith(u'"'))
                v = v.mid(1, v.size() - 2);
            return v;
        }
    }
    return def;
}

bool IniFile::parseInt(const QString& text, int* out)
{
    QString t = text.trimmed();
    bool negative = false;
    if (t.startsWith(u'-') || t.startsWith(u'+')) {
        negative = t.startsWith(u'-');
        t = t.mid(1);
    }
    int base = 10;
    if (t.startsWith(u'$')) {
        base = 16;
        t = t.mid(1);
    } else if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        t = t.mid(2);
    }
    if (t.isEmpty())
        return false;
    for (QChar c : t) {
        const bool ok = base == 10 ? c.isDigit() && c.unicode() < 128
                                   : (c.isDigit() && c.unicode() < 128) || QStringLiteral("abcdefABCDEF").contains(c);
        if (!ok)
            return false;
    }
    bool ok = false;
    const qulonglong magnitude = t.toULongLong(&ok, base);
    if (!ok)
        return false;
    qlonglong value;
    if (base == 16) {
        // Hex text names a 32-bit pattern: $FFFFFFFF is -1.
        if (magnitude > 0xFFFFFFFFull)
            return false;
        value = static_cast<qint32>(static_cast<quint32>(magnitude));
    } else {
        if (magnitude > 2147483648ull)
            return false;
        value = static_cast<qlonglong>(magnitude);
    }
    if (negative)
        value = -value;
    if (value < INT_MIN || value > INT_MAX)
        return false;
    *out = static_cast<int>(value);
    return true;
}

int IniFile::readInt(const QString& section, const QString& key, int def) const
{
    int v = def;
    if (!parseInt(readString(section, key, QString()), &v))
        return def;
    return v;
}

bool IniFile::readBool(const QString& section, const QString& key, bool def) const
{
    return readInt(section, key, def ? 1 : 0) != 0;
}

bool IniFile::writeString(const QString& section, const QString& key, const QString& value) const
{
    auto lines = readLines(path_);
    if (!lines)
        return false;

    const QString keyLine = key + u'=' + value;
    qsizetype sectionAt = -1;  // header line of the first matching section
    qsizetype insertAt = -1;   // after the last key line of that section
    bool replaced = false;
    for (qsizetype i = 0; i < lines->size(); ++i) {
        const Line l = classify(lines->at(i));
        if (l.kind == Line::Section) {
            if (sectionAt >= 0)
                break;
            if (sameName(l.name, section)) {
                sectionAt = i;
                insertAt = i + 1;
            }
        } else if (sectionAt >= 0 && l.kind == Line::Key) {
            if (sameName(l.name, key)) {
                (*lines)[i] = keyLine;
                replaced = true;
                break;
            }
            insertAt = i + 1;
        }
    }
    if (!replaced) {
        if (sectionAt >= 0) {
            lines->insert(insertAt, keyLine);
        } else {
            lines->append(u'[' + section + u']');
            lines->append(keyLine);
        }
    }

    QDir().mkpath(QFileInfo(path_).absolutePath());
    QSaveFile out(path_);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write(lines->join(u'\n').toUtf8());
    out.write("\n");
    return out.commit();
}

bool IniFile::writeInt(const QString& section, const QString& key, int value) const
{
    return writeString(section, key, QString::number(value));
}

bool IniFile::writeBool(const QString& section, const QString& key, bool value) const
{
    return writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}
