#include "app/endapplication.h"

#include "platform/platform.h"

#include <QApplication>
#include <QList>
#include <QPointer>
#include <QWidget>

namespace {
bool ending = false;
}

void EndApplication()
{
    if (ending)
        return;
    ending = true;
    // Guarded pointers: a close handler may delete another window while the walk runs.
    QList<QPointer<QWidget>> windows;
    for (QWidget *window : QApplication::topLevelWidgets())
        windows.append(window);
    for (const QPointer<QWidget> &window : windows) {
        if (!window)
            continue;
        window->close();
        // Later, not now: the walk may have started in one of this window's own handlers, which
        // still has to return through it. A window with a parent goes with its parent.
        if (window && !window->parentWidget())
            window->deleteLater();
    }
    ending = false;
    platform().endProcess();
}

bool ApplicationEnding()
{
    return ending;
}
