// Reading "profiles.pop" and splitting its lines.
#include "profiles/ProfileFile.h"

#include <QFile>

namespace profilefile {

QStringList SplitLines(const QByteArray& data)
{
    QStringList lines;
    qsizetype end = data.indexOf('\x1a');
    if (end < 0)
        end = data.size();
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < end) {
        const char c = data[i];
        if (c == '\r' || c == '\n') {
            lines.append(QString::fromUtf8(data.constData() + start, i - start));
            ++i;
            if (c == '\r' && i < end && data[i] == '\n')
                ++i;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < end)
        lines.append(QString::fromUtf8(data.constData() + start, end - start));
    return lines;
}

ProfileBlock BlockFromData(const QByteArray& data, int p)
{
    ProfileBlock block;
    if (p < 1)
        return block;
    const QStringList lines = SplitLines(data);
    const qsizetype base = qsizetype(p - 1) * 4;
    auto line = [&](qsizetype n) -> std::optional<QString> {
        if (n < lines.size())
            return lines[n];
        return std::nullopt;
    };
    block.label = line(base);
    block.sizeLine = line(base + 1);
    block.bitrateLine = line(base + 2);
    block.argumentLine = line(base + 3);
    return block;
}

bool ReadProfileBlock(const QString& path, int p, ProfileBlock* block, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString());
        return false;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = QStringLiteral("Read error on file \"%1\". %2").arg(path, file.errorString());
        return false;
    }
    *block = BlockFromData(data, p);
    return true;
}

QStringList SplitValues(const QString& line)
{
    QStringList values;
    QString rest = line;
    while (!rest.isEmpty()) {
        const qsizetype p = rest.indexOf(u' ') + 1;  // 1-based, 0 when there is no space
        QString value;
        if (p == 0 && rest.size() >= 2)
            value = rest;
        else if (p > 1)
            value = rest.left(p - 1);
        if (value.isEmpty())
            break;
        values.append(value);
        if (p == 0)
            break;
        rest = rest.mid(p);
    }
    return values;
}

void FillVideoBitrateLevels(std::array<QString, 5>& levels, const QString& bitrateLine)
{
    const QStringList values = SplitValues(bitrateLine);
    for (qsizetype k = 0; k < values.size() && k < 5; ++k)
        levels[4 - k] = values[k];
}

} // namespace profilefile
