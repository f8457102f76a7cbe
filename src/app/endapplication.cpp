#include "app/endapplication.h"

#include "app/platform.h"

#include <QApplication>
#include <QWidget>

void EndApplication()
{
    for (QWidget *window : QApplication::topLevelWidgets())
        window->close();
    platform().endProcess();
}
