#include "app/frmnagscreen.h"
#include "platform/qtplatform.h"
#include "platform/windowsystem.h"
#include "ui/accessibility.h"
#include "ui/style.h"

#include <QApplication>

#include <vector>

int main(int argc, char *argv[])
{
    // The window system is chosen on the command line that QApplication reads, not in the
    // environment, which the browser started from a link would inherit.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    std::vector<char *> qtArguments(argv, argv + argc);
    char platformOption[] = "-platform";
    QByteArray platformName;
    const auto variable = [](const char *name) { return qEnvironmentVariable(name); };
    if (const std::optional<QString> chosen = windowSystemFor(variable, arguments)) {
        platformName = chosen->toLatin1();
        qtArguments.insert(qtArguments.begin() + (argc > 0 ? 1 : 0), {platformOption, platformName.data()});
    }
    int qtArgumentCount = static_cast<int>(qtArguments.size());
    qtArguments.push_back(nullptr);

    QApplication app(qtArgumentCount, qtArguments.data());
    // The id of the desktop entry: a Wayland compositor finds the window's name and icon by it.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.quillmoor.vexmora"));
    // Between the main window closing and the exit screen coming up no window is open, and the
    // process must live on: it ends only through EndApplication.
    app.setQuitOnLastWindowClosed(false);
    QApplication::setStyle(new ApplicationStyle);
    installAccessibleInterfaces();
    QtPlatform qtPlatform;
    usePlatform(qtPlatform);
    frmNagScreen startup;
    // Start up inside the event loop, so that ending the process from the start-up sequence
    // (a second instance) ends the loop that is running.
    QMetaObject::invokeMethod(&startup, &frmNagScreen::Form_Load, Qt::QueuedConnection);
    return app.exec();
}
