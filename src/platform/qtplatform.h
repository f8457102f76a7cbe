#pragma once

#include "platform/platform.h"

#include <memory>
#include <random>

class InstanceLock;

// The platform as Qt provides it on Windows, Linux and macOS.
class QtPlatform final : public Platform
{
public:
    QtPlatform();
    ~QtPlatform() override;

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

    // The running program's file name without its extension: it names the settings store and
    // the previous-instance indicator, so a renamed copy keeps both apart.
    static QString programName();

private:
    std::unique_ptr<InstanceLock> instanceLock; // held until the process ends
    bool anotherInstance = false;
    std::mt19937 generator;
};
