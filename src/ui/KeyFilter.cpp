#include "ui/KeyFilter.h"

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
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
            return false;
        int code = 0;
        if (key->key() == Qt::Key_Backspace)
            code = 8;
        else if (key->text().size() == 1 && key->text()[0].unicode() >= 32 && key->text()[0].unicode() < 256)
            code = key->text()[0].unicode();
        else
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

void installKeyFilter(QWidget* edit, KeyFilterFn filter) { edit->installEventFilter(new KeyFilterObject(edit, std::move(filter))); }
