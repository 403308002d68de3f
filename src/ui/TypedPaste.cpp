#include "ui/TypedPaste.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextCursor>
#include <memory>

namespace {

bool isTextField(const QWidget* w)
{
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w);
}

bool isEditable(const QWidget* w)
{
    if (auto* line = qobject_cast<const QLineEdit*>(w))
        return !line->isReadOnly() && line->isEnabled();
    if (auto* text = qobject_cast<const QPlainTextEdit*>(w))
        return !text->isReadOnly() && text->isEnabled();
    return false;
}

void sendKey(const QPointer<QWidget>& target, int key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &press);
    if (!target)
        return;
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &release);
}

// The standard menus name their actions by text only ("&Paste\tCtrl+V", translated).
bool isPasteAction(const QAction* a)
{
    const QString text = a->text().section(QLatin1Char('\t'), 0, 0);
    return text == QCoreApplication::translate("QLineEdit", "&Paste")
        || text == QCoreApplication::translate("QWidgetTextControl", "&Paste");
}

// Puts the caret where the pointer is, as a click there would.
void placeCaret(QWidget* edit, const QPoint& viewportPos)
{
    if (auto* line = qobject_cast<QLineEdit*>(edit))
        line->setCursorPosition(line->cursorPositionAt(viewportPos));
    else if (auto* text = qobject_cast<QPlainTextEdit*>(edit))
        text->setTextCursor(text->cursorForPosition(viewportPos));
}

class PasteReplay : public QObject {
public:
    explicit PasteReplay(QWidget* edit) : QObject(edit), m_edit(edit) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!isEditable(m_edit))
            return false;
        switch (event->type()) {
        case QEvent::KeyPress:
            if (watched == m_edit && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
                typeAsKeys(m_edit, QGuiApplication::clipboard()->text());
                return true;
            }
            return false;
        case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::MiddleButton || !QGuiApplication::clipboard()->supportsSelection())
                return false;
            if (auto* line = qobject_cast<QLineEdit*>(m_edit))
                line->deselect();
            typeAsKeys(m_edit, QGuiApplication::clipboard()->text(QClipboard::Selection));
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            if (!drop->mimeData()->hasText())
                return false;
            placeCaret(m_edit, drop->position().toPoint());
            // A copy, never a move: the source must not lose text the filters may have refused.
            drop->setDropAction(Qt::CopyAction);
            drop->accept();
            typeAsKeys(m_edit, drop->mimeData()->text());
            return true;
        }
        case QEvent::ContextMenu:
            contextMenu(static_cast<QContextMenuEvent*>(event));
            return true;
        case QEvent::InputMethod: {
            auto* im = static_cast<QInputMethodEvent*>(event);
            // Only a plain commit; compositions still being edited stay with the field.
            if (im->commitString().isEmpty() || !im->preeditString().isEmpty() || im->replacementLength() != 0)
                return false;
            typeAsKeys(m_edit, im->commitString());
            return true;
        }
        default:
            return false;
        }
    }

private:
    // The field's own menu with its Paste routed here. Submenus (Unicode control characters)
    // are left out: they insert characters no key filter sees.
    void contextMenu(QContextMenuEvent* event)
    {
        std::unique_ptr<QMenu> menu;
        if (auto* line = qobject_cast<QLineEdit*>(m_edit))
            menu.reset(line->createStandardContextMenu());
        else if (auto* text = qobject_cast<QPlainTextEdit*>(m_edit))
            menu.reset(text->createStandardContextMenu(event->pos()));
        if (!menu)
            return;
        QAction* paste = nullptr;
        for (QAction* a : menu->actions()) {
            if (a->menu()) {
                menu->removeAction(a);
            } else if (isPasteAction(a)) {
                paste = new QAction(a->icon(), a->text(), menu.get());
                paste->setObjectName(QStringLiteral("edit-paste"));
                paste->setEnabled(a->isEnabled());
                menu->insertAction(a, paste);
                menu->removeAction(a);
            }
        }
        const QPointer<QWidget> edit = m_edit;
        QAction* chosen = menu->exec(event->globalPos());
        if (chosen && chosen == paste && edit)
            typeAsKeys(edit, QGuiApplication::clipboard()->text());
    }

    QWidget* m_edit;
};

} // namespace

void typeAsKeys(QWidget* field, const QString& text)
{
    QPointer<QWidget> target = field;
    if (!target)
        return;
    if (!target->hasFocus())
        target->setFocus(Qt::OtherFocusReason);
    for (qsizetype i = 0; i < text.size() && target; ++i) {
        const QChar c = text[i];
        const bool multiLine = qobject_cast<QPlainTextEdit*>(target) != nullptr;
        QWidget* before = target->window()->focusWidget();
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                continue; // CR LF is one line end
            if (multiLine)
                sendKey(target, Qt::Key_Return, QStringLiteral("\r"));
        } else if (c == QLatin1Char(' ')) {
            sendKey(target, Qt::Key_Space, QStringLiteral(" "));
        } else if (c.category() != QChar::Other_Control) {
            sendKey(target, c.toUpper().unicode(), QString(c));
        }
        if (!target)
            return;
        QWidget* after = target->window()->focusWidget();
        if (after != before) {
            // A key moved the focus (a carry to the next field): the rest goes where typing would.
            if (!after || !isTextField(after))
                return;
            target = after;
        }
    }
}

void replayPastesAsKeys(QWidget* edit)
{
    auto* replay = new PasteReplay(edit);
    edit->installEventFilter(replay);
    // A text box takes its mouse, drop and menu events on its viewport.
    if (auto* area = qobject_cast<QAbstractScrollArea*>(edit))
        area->viewport()->installEventFilter(replay);
}

void replayPastesAsKeysIn(QWidget* window)
{
    for (QLineEdit* e : window->findChildren<QLineEdit*>())
        replayPastesAsKeys(e);
    for (QPlainTextEdit* e : window->findChildren<QPlainTextEdit*>())
        replayPastesAsKeys(e);
}
