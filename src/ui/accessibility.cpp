#include "ui/accessibility.h"

#include "ui/controls.h"
#include "ui/linklabel.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QDialog>

namespace {

// A caption as it reads: the "&" that marks the access letter goes, a doubled one stays single.
QString withoutAccessMark(const QString &caption)
{
    QString text;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&') && ++i == caption.size())
            break;
        text += caption.at(i);
    }
    return text;
}

// A link says its text and has one action, press, which goes the way of a click: through the
// label's clicked signal, or the tick box's own click, so that the page opens exactly as for
// a user with a mouse.
class AccessibleLink : public QAccessibleWidget
{
public:
    explicit AccessibleLink(QWidget *widget)
        : QAccessibleWidget(widget, QAccessible::Link)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            if (const auto *label = qobject_cast<const LinkLabel *>(widget()))
                return label->text(); // plain text: an "&" in it is a character
            if (const auto *box = qobject_cast<const LinkCheckBox *>(widget()))
                return withoutAccessMark(box->text());
        }
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override
    {
        return {pressAction()};
    }

    QStringList keyBindingsForAction(const QString &) const override
    {
        return {};
    }

    void doAction(const QString &actionName) override
    {
        if (actionName != pressAction() || !widget()->isEnabled() || !widget()->isVisible())
            return;
        if (auto *label = qobject_cast<LinkLabel *>(widget()))
            emit label->clicked();
        else if (auto *box = qobject_cast<LinkCheckBox *>(widget()))
            box->click();
    }
};

// Qt names a drop-down list after the item it shows; a screen reader should say what the list
// is for, from its label, and read the item as its value.
class AccessibleList : public QAccessibleWidget
{
public:
    explicit AccessibleList(QComboBox *list)
        : QAccessibleWidget(list, QAccessible::ComboBox)
    {
    }

    QComboBox *list() const { return static_cast<QComboBox *>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return list()->currentText();
        const QString own = QAccessibleWidget::text(t); // the name: its own, or its label's
        return t == QAccessible::Name && own.isEmpty() ? list()->currentText() : own;
    }

    int childCount() const override { return 1; }

    QAccessibleInterface *child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(list()->view()) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && child->object() == list()->view() ? 0 : -1;
    }

    QAccessibleInterface *childAt(int, int) const override { return nullptr; }

    QStringList actionNames() const override
    {
        return {showMenuAction(), pressAction()};
    }

    QStringList keyBindingsForAction(const QString &) const override
    {
        return {};
    }

    void doAction(const QString &actionName) override
    {
        if (actionName != showMenuAction() && actionName != pressAction())
            return;
        if (list()->view()->isVisible())
            list()->hidePopup();
        else
            list()->showPopup();
    }
};

QAccessibleInterface *programInterfaces(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (className == QLatin1String("LinkLabel") || className == QLatin1String("LinkCheckBox"))
        return new AccessibleLink(widget);
    if (className == QLatin1String("QComboBox"))
        return new AccessibleList(static_cast<QComboBox *>(widget));
    // The program's own window classes, met before Qt's QWidget: plain top-level windows, which
    // Qt would expose as a filler inside the application.
    if (widget->isWindow() && widget->windowType() == Qt::Window && !qobject_cast<QDialog *>(widget)
        && className == QLatin1String(widget->metaObject()->className())
        && widget->metaObject()->superClass() == &QWidget::staticMetaObject)
        return new QAccessibleWidget(widget, QAccessible::Window);
    return nullptr;
}

} // namespace

void installAccessibleInterfaces()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(programInterfaces);
}
