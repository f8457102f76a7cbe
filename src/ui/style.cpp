#include "ui/style.h"

#include "ui/icons.h"

#include <QPointer>
#include <QWidget>

QIcon ApplicationStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption *option,
                                     const QWidget *widget) const
{
    if (standardIcon != SP_ToolBarHorizontalExtensionButton)
        return QProxyStyle::standardIcon(standardIcon, option, widget);
    // The option is gone by the time the icon is drawn; the style and the widget may be, too.
    const QPointer<QStyle> style = baseStyle();
    const QPointer<const QWidget> owner = widget;
    return deferredIcon([style, owner, standardIcon] {
        return style ? style->standardIcon(standardIcon, nullptr, owner) : QIcon();
    });
}
