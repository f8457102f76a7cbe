#pragma once

#include <QString>
#include <QStringView>

// The refer-a-friend request: the user's and a friend's names and addresses and a message go to
// the publisher's site as the query of one web address, opened in the browser.
namespace modTellAFriend {

// The prompts of the exit screen's boxes. A name or message still showing its prompt counts as
// not filled in.
inline constexpr QStringView PromptName = u"Your Name";
inline constexpr QStringView PromptEmail = u"Your Email Address";
inline constexpr QStringView PromptMessage = u"Your Message";
inline constexpr QStringView PromptFriendName = u"Friend's Name";
inline constexpr QStringView PromptFriendEmail = u"Friend's Email Address";

// The request fields. The exit screen writes the first five, each box's text without spaces at
// the ends, on every press of its button; they keep their values between presses.
extern QString strTafName;
extern QString strTafEmail;
extern QString strTafMessage;
extern QString strTafFriendName;
extern QString strTafFriendEmail;
// The last request opened; written only when every check has passed.
extern QString strTafUrl;

// Checks that the name, the message and the friend's name are filled in, with a stop message
// for the first that is not; then builds the request into strTafUrl and opens it, unless it is
// too long for the system to hand to the browser, which gets a stop message too.
void SendTellAFriend();

} // namespace modTellAFriend
