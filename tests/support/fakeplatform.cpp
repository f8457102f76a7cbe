#include "support/fakeplatform.h"

FakePlatform::FakePlatform()
{
    usePlatform(*this);
}

FakePlatform::~FakePlatform() = default;

QMessageBox::StandardButton FakePlatform::message(const QString &text, QMessageBox::Icon icon,
                                                  QMessageBox::StandardButtons buttons,
                                                  QMessageBox::StandardButton defaultButton)
{
    const Message shown{text, icon, buttons, defaultButton};
    messages.append(shown);
    calls.append(QStringLiteral("message:") + text);
    if (whileMessageOpen)
        whileMessageOpen(shown);
    return answers.isEmpty() ? defaultButton : answers.takeFirst();
}

void FakePlatform::openInBrowser(const QString &address)
{
    addresses.append(address);
    calls.append(QStringLiteral("open:") + address);
}

bool FakePlatform::browserTakes(const QString &address)
{
    return address.size() <= longestAddress;
}

bool FakePlatform::previousInstanceRunning()
{
    calls.append(QStringLiteral("instance"));
    return anotherInstance;
}

QString FakePlatform::setting(const QString &key)
{
    return store.value(key);
}

bool FakePlatform::saveSetting(const QString &key, const QString &value)
{
    calls.append(QStringLiteral("save:") + key);
    if (!storeWritable)
        return false;
    store.insert(key, value);
    return true;
}

QDate FakePlatform::today()
{
    return date;
}

void FakePlatform::seedRandom()
{
    calls.append(QStringLiteral("seed"));
}

float FakePlatform::nextRandom()
{
    calls.append(QStringLiteral("random"));
    return randoms.isEmpty() ? 0.0f : randoms.takeFirst();
}

void FakePlatform::endProcess()
{
    ++endCount;
    calls.append(QStringLiteral("end"));
}
