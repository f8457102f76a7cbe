#include "ui/accessibility.h"

#include "ui/links.h"
#include "ui/panelstack.h"

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
// is for, from its label, and read the item as its value. Orca reads a list's value only from
// its text, and says nothing when the item changes under the arrow keys, however Qt reports
// it: the item is therefore the list's one line of text, with the caret at its end, and a new
// item moves the caret, which Orca answers by reading the line. Two items of the same length
// would leave the caret in place, and Orca would take the second move for the first.
class AccessibleList : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit AccessibleList(QComboBox *list)
        : QAccessibleWidget(list, QAccessible::ComboBox)
    {
        QObject::connect(list, &QComboBox::currentIndexChanged, list, [list] {
            if (!list->hasFocus())
                return;
            QAccessibleTextCursorEvent moved(list, int(list->currentText().size()));
            QAccessible::updateAccessibility(&moved);
        });
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(int startOffset, int endOffset) const override
    {
        return list()->currentText().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(list()->currentText().size()); }
    int cursorPosition() const override { return characterCount(); }
    void setCursorPosition(int) override {}
    void selection(int, int *startOffset, int *endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
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

// Panels stacked one behind the other, of which a screen reader meets only the one in front.
// Qt tells when a panel starts or stops showing but never that it becomes visible, so a panel
// that a screen reader once met behind the others would stay invisible to it for good; Orca's
// review would then skip the panel as it comes to the front.
class AccessibleStack : public QAccessibleWidget
{
public:
    explicit AccessibleStack(PanelStack *stack)
        : QAccessibleWidget(stack, QAccessible::LayeredPane)
    {
        QObject::connect(stack, &PanelStack::currentChanged, stack, [stack] {
            QAccessibleEvent reordered(stack, QAccessible::ObjectReorder);
            QAccessible::updateAccessibility(&reordered);
        });
    }

    QWidget *front() const { return static_cast<PanelStack *>(widget())->currentWidget(); }

    int childCount() const override { return front() ? 1 : 0; }

    QAccessibleInterface *child(int index) const override
    {
        return index == 0 && front() ? QAccessible::queryAccessibleInterface(front()) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && front() && child->object() == front() ? 0 : -1;
    }
};

// Orca says a notification when it starts showing: its role, then its name.
class AccessibleNotice : public QAccessibleWidget
{
public:
    explicit AccessibleNotice(QLabel *label)
        : QAccessibleWidget(label, QAccessible::Notification)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? static_cast<QLabel *>(widget())->text() : QAccessibleWidget::text(t);
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
    if (className == QLatin1String("PanelStack"))
        return new AccessibleStack(static_cast<PanelStack *>(widget));
    if (className == QLatin1String("SpokenNotice"))
        return new AccessibleNotice(static_cast<QLabel *>(widget));
    // Qt gives a plain QFrame the role of a window, and Orca's review stays inside the nearest
    // window: it would never leave the panel in front for the menu bar and the banners.
    if (className == QLatin1String("QFrame") && !widget->isWindow())
        return new QAccessibleWidget(widget, QAccessible::Pane);
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

SpokenNotice::SpokenNotice(QWidget *parent)
    : QLabel(parent)
{
    setObjectName(QStringLiteral("spokenNotice"));
    setGeometry(0, 0, 0, 0);
}

// Orca ignores a new name beside the focus, and Qt 6.4 hands over a new name or description of
// the focused control in a form that Orca cannot speak; it speaks a notification that shows.
// Qt's UI Automation bridge raises nothing for an object that starts showing; it turns a text
// value change into a notification, which Narrator and NVDA speak wherever the focus is (before
// Windows 10 version 1709, and under Wine, into the label's new value, which no one says). The
// build decides: each has one bridge, and Qt's Linux one only warns of a label's value change.
void SpokenNotice::say(const QString &text)
{
    setText(text);
#ifdef Q_OS_WIN
    QAccessibleValueChangeEvent told(this, text);
    QAccessible::updateAccessibility(&told);
#else
    hide();
    show();
#endif
}

// Orca says a focused control's description after its name. Narrator and NVDA read a
// description only when asked: on Windows the text is also said, once the focus has moved,
// since the focus change would cut short a notification raised before it.
void SpokenNotice::sayWithFocus(QWidget *control, const QString &text)
{
    control->setAccessibleDescription(text);
    control->setFocus();
#ifdef Q_OS_WIN
    say(text);
#endif
}
