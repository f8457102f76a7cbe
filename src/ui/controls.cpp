#include "ui/controls.h"

#include "ui/fonts.h"
#include "ui/links.h"
#include "ui/placement.h"
#include "ui/twips.h"

#include <QLabel>
#include <QPalette>
#include <QPushButton>

void setUpFixedWindow(QWidget *window, Qt::WindowFlags kind)
{
    window->setAttribute(Qt::WA_DeleteOnClose);
    // On Windows the fixed size also gets the thin fixed border, without a sizing frame.
    window->setWindowFlags(kind | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    window->setFont(verdana(8.25));
    keepUnmaximised(window);
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

QLabel *makeLabel(QWidget *parent, const QString &name, const QString &text, const QColor &color,
                  const QFont &font)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText); // a "<" in a text is a character, never markup
    label->setFont(font);
    setTextColor(label, color);
    return label;
}

QLabel *boxLabel(QWidget *parent, const QString &name, const QString &text, const QColor &color,
                 const QFont &font, const QRect &box)
{
    QLabel *label = makeLabel(parent, name, text, color, font);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(box);
    return label;
}

QLabel *textLabel(QWidget *parent, const QString &name, const QString &text, const QColor &color,
                  const QFont &font, int left, int top)
{
    QLabel *label = makeLabel(parent, name, text, color, font);
    label->move(twipsToPixels(left), twipsToPixels(top));
    sizeToText(label);
    return label;
}

LinkLabel *makeLink(QWidget *parent, const QString &name, const QString &text, const QColor &color,
                    QFont font)
{
    auto *label = new LinkLabel(text, parent);
    label->setObjectName(name);
    font.setUnderline(true);
    label->setFont(font);
    setTextColor(label, color);
    return label;
}

QPushButton *makeButton(QWidget *parent, const QString &name, const QString &caption, const QRect &box)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(box);
    button->setAutoDefault(true);
    return button;
}
