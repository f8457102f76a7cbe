#include "e2efixture.h"

#include "ui/fonts.h"
#include "ui/twips.h"

#include <QDir>
#include <QPalette>
#include <QProcess>
#include <QtDebug>

#include <cstdlib>

TextLook labelLook() { return {verdana(8.25, true), Orange, PanelPurple}; }
TextLook counterLook() { return {verdana(8.25, true), Yellow, PanelPurple}; }
TextLook percentagesLook() { return {verdana(9, true), Yellow, PanelPurple}; }
TextLook verdictLook() { return {verdana(9, true), Orange, PanelPurple}; }
TextLook messageLook()
{
    const QPalette palette = QApplication::palette();
    return {QApplication::font(), palette.color(QPalette::WindowText), palette.color(QPalette::Window)};
}

QString pageAddress(const QString &key)
{
    return QStringLiteral(VEXMORA_SITE "/vexmora-test/ssd.php?page=") + key;
}

QPoint centre(const QRect &twips)
{
    return twipsRect(twips.x(), twips.y(), twips.width(), twips.height()).center();
}

QStringList moreWindowManagers(const QStringList &own)
{
    QStringList managers;
    for (const QString &name : qEnvironmentVariable("VEXMORA_E2E_WINDOW_MANAGERS").split(QLatin1Char(' '), Qt::SkipEmptyParts))
        if (!own.contains(name))
            managers << name;
    return managers;
}

void E2eTest::init()
{
    x = std::make_unique<XSession>();
    QVERIFY2(x->start(), qPrintable(x->error()));
}

void E2eTest::cleanup()
{
    if (QTest::currentTestFailed() && x) {
        // What the screen and the window manager showed when the test failed, beside its output.
        QString name = QStringLiteral("e2e-%1").arg(QString::fromLatin1(QTest::currentTestFunction()));
        if (QTest::currentDataTag())
            name += QLatin1Char('-') + QString::fromLatin1(QTest::currentDataTag());
        name.replace(QLatin1Char(' '), QLatin1Char('_'));
        for (const QString &path : x->keepEvidence(QDir::current().absoluteFilePath(name)))
            qInfo("kept at the failure: %s", qPrintable(path));
    }
    x.reset();
}

QStringList E2eTest::titles()
{
    QStringList names;
    for (const XSession::Window &window : x->visibleWindows())
        names << window.title;
    names.sort();
    return names;
}

bool E2eTest::shows(quint32 window, const QString &text, const TextLook &look)
{
    return findText(x->grab(window), text, look).has_value();
}

QPoint E2eTest::panelOrigin(quint32 mainWindow)
{
    return {0, firstRowOfColour(x->grab(mainWindow), 0, PanelPurple)};
}

QPoint E2eTest::clientOrigin(quint32 mainWindow)
{
    const QPoint panels = panelOrigin(mainWindow);
    return panels.y() < 0 ? panels : panels - QPoint(0, twipsToPixels(550));
}

bool E2eTest::centred(quint32 window, int monitor)
{
    const QRect frame = x->frameGeometry(window);
    const QRect screen = XSession::monitor(monitor);
    const QPoint offset = frame.topLeft() * 2 + QPoint(frame.width(), frame.height()) - screen.topLeft() * 2
                          - QPoint(screen.width(), screen.height());
    if (std::abs(offset.x()) <= 1 && std::abs(offset.y()) <= 1)
        return true;
    qWarning() << "frame" << frame << "on a monitor at" << screen;
    return false;
}

bool E2eTest::staysUnmaximised(quint32 window)
{
    const QStringList actions = x->allowedActions(window);
    if (actions.contains(QStringLiteral("_NET_WM_ACTION_MAXIMIZE_HORZ"))
        || actions.contains(QStringLiteral("_NET_WM_ACTION_MAXIMIZE_VERT"))) {
        qWarning() << "the window manager offers" << actions;
        return false;
    }
    const QRect frame = x->frameGeometry(window);
    if (!x->maximise(window))
        return false;
    // A window manager that declines says nothing; one that maximises does so at once.
    QTest::qWait(300);
    const QStringList state = x->windowState(window);
    if (state.contains(QStringLiteral("_NET_WM_STATE_MAXIMIZED_HORZ"))
        || state.contains(QStringLiteral("_NET_WM_STATE_MAXIMIZED_VERT")) || x->frameGeometry(window) != frame) {
        qWarning() << "asked to maximise, the window went from" << frame << "to" << x->frameGeometry(window) << state;
        return false;
    }
    return true;
}

// Starts the program and waits for its main window, drawn: the details panel in front.
void E2eTest::startMainWindow(QProcess *&program, quint32 &window, int monitor)
{
    program = x->startProgram();
    QVERIFY(program);
    QTRY_VERIFY_WITH_TIMEOUT((window = x->window(MainTitle)) != 0, WindowTimeout);
    QCOMPARE(x->windowPid(window), program->processId());
    QTRY_VERIFY(shows(window, QStringLiteral("Enter Name"), labelLook()));
    if (monitor == 0)
        return;
    // Off the monitor's centre: a window centred over it, as an owned dialog is, is then not
    // centred on the monitor.
    x->watch(window);
    QVERIFY(x->move(window, XSession::monitor(monitor).topLeft() + QPoint(40, 60)));
    QTRY_VERIFY_WITH_TIMEOUT(XSession::monitor(monitor).contains(x->frameGeometry(window)), WindowTimeout);
    // The user's next step comes after the program has heard where its window went.
    QTRY_VERIFY(XSession::monitor(monitor).contains(x->toldPosition(window)));
}

void E2eTest::closeMainWindowToExitScreen(QProcess *&program, quint32 &exitScreen)
{
    quint32 mainWindow = 0;
    startMainWindow(program, mainWindow);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(x->close(mainWindow));
    QTRY_COMPARE_WITH_TIMEOUT(titles(), QStringList{ApplicationTitle}, WindowTimeout);
    exitScreen = x->window(ApplicationTitle);
    QCOMPARE(x->windowPid(exitScreen), program->processId());
}
