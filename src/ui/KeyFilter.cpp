#include "ui/KeyFilter.h"

#include "ui/EntryKeyForwarder.h"
#include "ui/TypedPaste.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

class KeyFilterObject : public QObject {
public:
    KeyFilterObject(QWidget* edit, KeyFilterFn fn) : QObject(edit), m_edit(edit), m_fn(std::move(fn)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_edit || event->type() != QEvent::KeyPress)
            return false;
        int code = EntryKeyForwarder::keyCode(*static_cast<QKeyEvent*>(event));
        // Enter belongs to the window (default buttons, line ends in a text box), not to the filter.
        if (code == 0 || code == 13)
            return false;
        const int original = code;
        m_fn(code);
        if (code == original)
            return false;
        if (code != 0 && code != 8) {
            if (auto* line = qobject_cast<QLineEdit*>(m_edit))
                line->insert(QString(QChar(code)));
            else if (auto* text = qobject_cast<QPlainTextEdit*>(m_edit))
                text->insertPlainText(QString(QChar(code)));
        }
        return true;
    }

private:
    QWidget* m_edit;
    KeyFilterFn m_fn;
};

}  // namespace

void installKeyFilter(QWidget* edit, KeyFilterFn filter)
{
    edit->installEventFilter(new KeyFilterObject(edit, std::move(filter)));
    replayPastesAsKeys(edit);
}
