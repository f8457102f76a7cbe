#pragma once

#include <QString>

// The publisher's web pages: their addresses, and the one way an address reaches the browser.
namespace modHelp {

// Scheme and host of the publisher's site, without a trailing slash ("https://host").
QString SiteAddress();
// The host alone, as labels name the site ("www.quillmoor.example").
QString SiteName();

// Site + "/vexmora-test/ssd.php?page=" + key; the key goes in as it is.
QString WebPageAddress(const QString &key);
// Site + "/vexmora-test/", with the trailing slash.
QString ProductFolderAddress();

// Hands the address to the default browser and returns at once; never reports a failure.
void OpenInBrowser(const QString &address);
// Whether the system can hand the address to the browser whole; a longer one would never arrive.
bool AddressFitsBrowser(const QString &address);
void OpenWebPage(const QString &key);

} // namespace modHelp
