// Reads a line of text off the Windows screen for scripts/windows-check: the program under test
// runs under Wine, and only a Windows process draws text as it does, with the same font engine
// and the same font substitutes. Grabs the screen, looks for the line drawn in the look named,
// and prints where it is. With "frame", prints instead the border styles of the top-level window
// of that title; with "uia", asks that window for its UI Automation root, as a screen reader
// does first, which switches on Qt's bridge in the program.
//
//   screenfind <look> <text>     looks: label, counter, percentages, verdict, message
//   screenfind frame <title>
//   screenfind uia <title>
//
// Exit code 0 when found, 1 when not, 2 on bad arguments.
#include "screentext.h"
#include "ui/fonts.h"

#include <QApplication>
#include <QPalette>
#include <QScreen>
#include <QTextStream>

#include <cstdio>

#include <qt_windows.h>

namespace {

const QColor PanelPurple(51, 7, 141);
const QColor Yellow(255, 255, 0);
const QColor Orange(255, 180, 4);

std::optional<TextLook> lookNamed(const QString &name)
{
    if (name == QLatin1String("label"))
        return TextLook{verdana(8.25, true), Orange, PanelPurple};
    if (name == QLatin1String("counter"))
        return TextLook{verdana(8.25, true), Yellow, PanelPurple};
    if (name == QLatin1String("percentages"))
        return TextLook{verdana(9, true), Yellow, PanelPurple};
    if (name == QLatin1String("verdict"))
        return TextLook{verdana(9, true), Orange, PanelPurple};
    if (name == QLatin1String("message")) {
        const QPalette palette = QApplication::palette();
        return TextLook{QApplication::font(), palette.color(QPalette::WindowText), palette.color(QPalette::Window)};
    }
    return std::nullopt;
}

// The border styles as Windows has them; Wine hands the window manager a window it may resize
// for WS_THICKFRAME alone.
int printFrame(const QString &title)
{
    HWND window = FindWindowW(nullptr, reinterpret_cast<const wchar_t *>(title.utf16()));
    if (!window)
        return 1;
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    QTextStream out(stdout);
    const std::pair<LONG_PTR, const char *> bits[] = {
        {WS_BORDER, "WS_BORDER"},         {WS_DLGFRAME, "WS_DLGFRAME"},       {WS_THICKFRAME, "WS_THICKFRAME"},
        {WS_SYSMENU, "WS_SYSMENU"},       {WS_MINIMIZEBOX, "WS_MINIMIZEBOX"}, {WS_MAXIMIZEBOX, "WS_MAXIMIZEBOX"}};
    for (const auto &[bit, name] : bits) {
        if (style & bit)
            out << name << ' ';
    }
    out << "\n";
    return 0;
}

// UiaRootObjectId, which MinGW-w64 declares only beside functions whose declarations do not
// compile as C++.
constexpr LPARAM UiaRoot = -25;

int askForAutomation(const QString &title)
{
    HWND window = FindWindowW(nullptr, reinterpret_cast<const wchar_t *>(title.utf16()));
    DWORD_PTR answer = 0;
    return window && SendMessageTimeoutW(window, WM_GETOBJECT, 0, UiaRoot, SMTO_ABORTIFHUNG, 10000, &answer) ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 3 && arguments.at(1) == QLatin1String("frame"))
        return printFrame(arguments.at(2));
    if (arguments.size() == 3 && arguments.at(1) == QLatin1String("uia"))
        return askForAutomation(arguments.at(2));
    const std::optional<TextLook> look = arguments.size() == 3 ? lookNamed(arguments.at(1)) : std::nullopt;
    if (!look) {
        std::fputs("usage: screenfind label|counter|percentages|verdict|message <text>\n"
                   "       screenfind frame <title>\n"
                   "       screenfind uia <title>\n",
                   stderr);
        return 2;
    }
    const QImage shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    const std::optional<QRect> place = findText(shot, arguments.at(2), *look);
    QTextStream out(stdout);
    if (!place) {
        out << "not found on a " << shot.width() << "x" << shot.height() << " screen\n";
        return 1;
    }
    out << "found at " << place->x() << "," << place->y() << "\n";
    return 0;
}
