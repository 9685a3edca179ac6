// The brands' web addresses, contact pages and maker lines. The default brand and the vemra
// brand each have one site; two page paths lead to their contact pages.
#pragma once

#include <QString>

namespace web {

inline const QString DefaultSite = QStringLiteral("http://www.videoconverter.example");
inline const QString VemraSite = QStringLiteral("http://www.vemra.example");

// The site of the brand of `name`: the vemra site when the lower-cased name holds "vemra".
QString BrandSiteUrl(const QString& name);

// "Support" and "Contact us" of the help menu: the page "/Contact.html" only when the name
// itself, case kept, holds "vemra"; else "/contact.php" (on the brand's site either way).
QString SupportUrl(const QString& exeFileName);

// "Contact us " of the about box: the vemra site + "/Contact.html" for the vemra brand, else
// the default site + "/contact.php".
QString AboutContactUrl(const QString& exeFileName);

// The about box's maker line of the brand.
QString MakerLine(const QString& exeFileName);

} // namespace web
