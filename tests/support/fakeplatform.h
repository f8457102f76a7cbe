#pragma once

#include "platform/platform.h"

#include <QList>
#include <QMap>
#include <QStringList>

#include <functional>
#include <limits>

// A recording platform for tests: message boxes answer from a script, the browser, the store,
// the clock and the generator are in memory, and ending the process is only counted.
// Installed for the lifetime of the object.
class FakePlatform final : public Platform
{
public:
    struct Message
    {
        QString text;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton;
    };

    FakePlatform();
    ~FakePlatform() override;

    QMessageBox::StandardButton message(const QString &text, QMessageBox::Icon icon,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton) override;
    void openInBrowser(const QString &address) override;
    bool browserTakes(const QString &address) override;
    bool previousInstanceRunning() override;
    QString setting(const QString &key) override;
    bool saveSetting(const QString &key, const QString &value) override;
    QDate today() override;
    void seedRandom() override;
    float nextRandom() override;
    void endProcess() override;

    QList<Message> messages;
    QStringList addresses;
    // Every call in order: "message:<text>", "open:<address>", "seed", "random", "save:<key>", "end".
    QStringList calls;
    int endCount = 0;

    // Scripted answers, used in turn; once used up, a box answers with its default button.
    QList<QMessageBox::StandardButton> answers;
    // Runs while a message box is "open", as the user would act before answering.
    std::function<void(const Message &)> whileMessageOpen;
    bool anotherInstance = false;
    qsizetype longestAddress = std::numeric_limits<qsizetype>::max();
    QMap<QString, QString> store;
    bool storeWritable = true;
    QDate date{2026, 12, 7};
    QList<float> randoms; // used in turn; 0 once used up
};
