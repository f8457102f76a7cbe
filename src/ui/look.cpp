#include "ui/look.h"

#include <QLabel>
#include <QPalette>
#include <QStringList>

QFont verdana(qreal pointSize, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

void setTextColor(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::ButtonText, color);
    widget->setPalette(palette);
}

void setBackground(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void sizeToText(QLabel *label)
{
    label->setWordWrap(false);
    label->resize(label->sizeHint());
}

QIcon applicationIcon()
{
    QIcon icon;
    icon.addFile(QStringLiteral(":/vexmora-32.png"));
    icon.addFile(QStringLiteral(":/vexmora-64.png"));
    return icon;
}
