#include "platform/platform.h"

#include <cstdlib>

namespace {
Platform *current = nullptr;
}

Platform &platform()
{
    if (!current)
        std::abort(); // a programming error: main() or the test installs one first
    return *current;
}

void usePlatform(Platform &p)
{
    current = &p;
}

void stopMessage(const QString &text)
{
    platform().message(text, QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok);
}
