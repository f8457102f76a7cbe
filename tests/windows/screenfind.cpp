// Reads a line of text off the Windows screen for scripts/windows-check: the program under test
// runs under Wine, and only a Windows process draws text as it does, with the same font engine
// and the same font substitutes. Grabs the screen, looks for the line drawn in the look named,
// and prints where it is.
//
//   screenfind <look> <text>     looks: label, counter, percentages, verdict, message
//
// Exit code 0 when found, 1 when not, 2 on bad arguments.
#include "screentext.h"
#include "ui/look.h"

#include <QApplication>
#include <QPalette>
#include <QScreen>
#include <QTextStream>

#include <cstdio>

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

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const std::optional<TextLook> look = arguments.size() == 3 ? lookNamed(arguments.at(1)) : std::nullopt;
    if (!look) {
        std::fputs("usage: screenfind label|counter|percentages|verdict|message <text>\n", stderr);
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
