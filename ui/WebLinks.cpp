#include "ui/WebLinks.h"

#include "app/Edition.h"

namespace web {

QString BrandSiteUrl(const QString& name)
{
    return name.toLower().contains(QLatin1String("vemra")) ? VemraSite : DefaultSite;
}

QString SupportUrl(const QString& exeFileName)
{
    // The menu's test keeps the case, unlike every other brand test.
    if (exeFileName.contains(QLatin1String("vemra")))
        return BrandSiteUrl(exeFileName) + QStringLiteral("/Contact.html");
    return BrandSiteUrl(exeFileName) + QStringLiteral("/contact.php");
}

QString AboutContactUrl(const QString& exeFileName)
{
    if (edition::IsVemraBrand(exeFileName))
        return VemraSite + QStringLiteral("/Contact.html");
    return DefaultSite + QStringLiteral("/contact.php");
}

QString MakerLine(const QString& exeFileName)
{
    if (edition::IsVemraBrand(exeFileName))
        return QStringLiteral("Copyright (C) 2024 vemra Software Studio");
    return QStringLiteral("Copyright (C) 2024 The Video Converter Team");
}

} // namespace web
