#include "ui/fonts.h"

#include <QEvent>
#include <QFontDatabase>
#include <QGuiApplication>

QStringList installedFamilies(const QStringList &families)
{
    const QStringList installed = QFontDatabase::families();
    QStringList found = families;
    found.removeIf([&](const QString &family) { return !installed.contains(family, Qt::CaseInsensitive); });
    return found;
}

QFont verdana(qreal pointSize, bool bold)
{
    // Decided once, not left to each font request.
    static const QString family =
        installedFamilies({QStringLiteral("Verdana")}).value(0, QStringLiteral("DejaVu Sans"));
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

namespace {

// What Qt does on a change of the desktop's theme for an application font nobody set: it takes
// the desktop's font afresh. Qt has already read the new theme when its windows hear of it.
class DesktopFontFollower : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::ThemeChange) {
            const QFont desktop = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
            if (QGuiApplication::font() != desktop)
                QGuiApplication::setFont(desktop);
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void withApplicationFont(const QFont &font, const std::function<void()> &build)
{
    static const QObject *const follower = [] {
        auto *filter = new DesktopFontFollower(qApp);
        qApp->installEventFilter(filter);
        return filter;
    }();
    Q_UNUSED(follower);
    // QGuiApplication's, not QApplication's: the latter would also drop the theme's fonts for
    // message boxes, menus and the like, and tell every widget of the change twice.
    const QFont desktop = QGuiApplication::font();
    QGuiApplication::setFont(font);
    build();
    QGuiApplication::setFont(desktop);
}
