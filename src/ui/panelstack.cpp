#include "ui/panelstack.h"

#include <QStackedLayout>

PanelStack::PanelStack(QWidget *parent)
    : QWidget(parent)
    , stack(new QStackedLayout(this))
{
    connect(stack, &QStackedLayout::currentChanged, this, &PanelStack::currentChanged);
}

void PanelStack::addWidget(QWidget *panel)
{
    stack->addWidget(panel);
}

QWidget *PanelStack::currentWidget() const
{
    return stack->currentWidget();
}

void PanelStack::setCurrentWidget(QWidget *panel)
{
    stack->setCurrentWidget(panel);
}
