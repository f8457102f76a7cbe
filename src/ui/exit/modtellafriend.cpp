#include "ui/exit/modtellafriend.h"

#include "platform/platform.h"
#include "web/modhelp.h"

#include <QUrl>

namespace modTellAFriend {

QString strTafName;
QString strTafEmail;
QString strTafMessage;
QString strTafFriendName;
QString strTafFriendEmail;
QString strTafUrl;

namespace {

bool isFilledIn(const QString &value, QStringView prompt)
{
    return !value.isEmpty() && value != prompt;
}

// A value the site reads back exactly as it was typed: UTF-8, and every character but letters,
// digits and "-._~" percent-encoded, so that "&", "=", "#", "+", "%", spaces and line breaks
// stay inside their own parameter instead of rewriting the query.
QString queryValue(const QString &value)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

} // namespace

void SendTellAFriend()
{
    if (!isFilledIn(strTafName, PromptName)) {
        stopMessage(QStringLiteral("Please Enter Your Name"));
        return;
    }
    if (!isFilledIn(strTafMessage, PromptMessage)) {
        stopMessage(QStringLiteral("Please Enter Your Message"));
        return;
    }
    if (!isFilledIn(strTafFriendName, PromptFriendName)) {
        stopMessage(QStringLiteral("Please Enter Your Friend's Name"));
        return;
    }
    const QString url = modHelp::WebPageAddress(QStringLiteral("vxms-refer-a-friend"))
                        + QStringLiteral("&taf1=") + queryValue(strTafName)
                        + QStringLiteral("&taf2=") + queryValue(strTafEmail)
                        + QStringLiteral("&taf3=") + queryValue(strTafMessage)
                        + QStringLiteral("&taf4=") + queryValue(strTafFriendName)
                        + QStringLiteral("&taf5=") + queryValue(strTafFriendEmail)
                        + QStringLiteral("&taf6=") + queryValue(modHelp::ProductFolderAddress());
    // An address the system cannot hand over would vanish without a word; the user can
    // shorten the entries, which stay in their boxes.
    if (!modHelp::AddressFitsBrowser(url)) {
        stopMessage(QStringLiteral("Your Entries Are Too Long To Send"));
        return;
    }
    strTafUrl = url;
    modHelp::OpenInBrowser(strTafUrl);
}

} // namespace modTellAFriend
