#include "web/modhelp.h"

#include "platform/platform.h"

#include <QUrl>

#ifndef VEXMORA_SITE
#error "VEXMORA_SITE must name the publisher's site, for example https://www.example.com"
#endif

namespace modHelp {

QString SiteAddress()
{
    return QStringLiteral(VEXMORA_SITE);
}

QString SiteName()
{
    return QUrl(SiteAddress()).host();
}

QString WebPageAddress(const QString &key)
{
    return SiteAddress() + QStringLiteral("/vexmora-test/ssd.php?page=") + key;
}

QString ProductFolderAddress()
{
    return SiteAddress() + QStringLiteral("/vexmora-test/");
}

void OpenInBrowser(const QString &address)
{
    // The address stays Unicode text all the way to the browser: an 8-bit code page would
    // turn every character it lacks into a replacement character.
    platform().openInBrowser(address);
}

bool AddressFitsBrowser(const QString &address)
{
    return platform().browserTakes(address);
}

void OpenWebPage(const QString &key)
{
    OpenInBrowser(WebPageAddress(key));
}

} // namespace modHelp
