// Filter texts keep the product's own spelling, typos included ("*,flv;", "*m4a;"): only the
// notation changes on the way to the file dialog.
#include "sources/Filters.h"

#include <QStringList>

namespace sources {

const QString OpenDialog1Filter = QStringLiteral(
    "All Support Format|*.avi;*.mpg;*.mpeg;*.wmv;*.asf;*.asx;*.mov;*.dat;*.qt;*.vob;*.3gp;*.3g2;*.mp4;*.m4v;*.rm;"
    "*.rmvb;*.ram;*.mkv;*.flv;*.mjpg;*.mjpeg;*.ts;*.m2ts;*.h264;*.xwmv;*.yuv;|WMV Format(*.wmv;*.asf;*.asx;)|"
    "*.wmv;*.asf;*.asx;|MPEG Format(*.mpg;*.mpeg;)|*.mpg;*.mpeg;|AVI Format(*.avi;)|*.avi;|Quick Time Format(*.qt;"
    "*.mov;)|*.qt;*.mov;|VCD Format(*.dat;)|*.dat;|MP4 Format(*.mp4;*.m4v;*.m4a)|*.mp4;*.m4v;*m4a;|DVD Format(*.vob)"
    "|*.vob;|3GP Format(*.3gp)|*.3gp;|RM Format(*.rm;*.rmvb;*.ram;)|*.rm;*.rmvb;*.ram;|FLV Format(*.flv;)|*,flv;|"
    "All File(*.*)|*.*;");

QString ToQtFilter(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString label = parts[i].trimmed();
        if (label.endsWith(u')')) {
            const qsizetype open = label.lastIndexOf(u'(');
            if (open > 0)
                label = label.left(open).trimmed();
        }
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(u';', Qt::SkipEmptyParts)) {
            const QString pattern = p.trimmed();
            if (!pattern.isEmpty())
                patterns.append(pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern);
        }
        if (!patterns.isEmpty())
            entries.append(label + QStringLiteral(" (") + patterns.join(u' ') + u')');
    }
    return entries.join(QStringLiteral(";;"));
}

QString ExtensionOf(const QString& fileName)
{
    const QString name = fileName.mid(fileName.lastIndexOf(u'/') + 1);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot >= 0 ? name.mid(dot) : QString();
}

bool TakeFolderEntry(const QString& fileName, bool singleFormatMode, const QString& editionFilter)
{
    static const QStringList videoExtensions = {
        QStringLiteral(".avi"), QStringLiteral(".mpg"), QStringLiteral(".vob"), QStringLiteral(".mpeg"),
        QStringLiteral(".3gp"), QStringLiteral(".mp4"), QStringLiteral(".flv"), QStringLiteral(".rm"),
        QStringLiteral(".m4v"), QStringLiteral(".rmvb"), QStringLiteral(".wmv"), QStringLiteral(".asf"),
        QStringLiteral(".qt"), QStringLiteral(".asx")};
    const QString ext = ExtensionOf(fileName).toLower();
    if (singleFormatMode)
        return videoExtensions.contains(ext);
    return !ext.isEmpty() && editionFilter.contains(ext);
}

} // namespace sources
