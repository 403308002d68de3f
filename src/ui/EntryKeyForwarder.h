#pragma once

#include <QObject>
#include <functional>

class QKeyEvent;

// Turns key presses in the entry fields into the character codes the entry rules take: Enter
// 13, Space 32, Backspace 8, printable characters as themselves. Control-key combinations,
// function keys, arrows and Escape are left to the window; so is Tab, which moves the focus.
class EntryKeyForwarder : public QObject {
    Q_OBJECT
public:
    // Called with the field widget and the code; returns true when the key was used up.
    using Handler = std::function<bool(QObject* field, int key)>;
    EntryKeyForwarder(Handler handler, QObject* parent) : QObject(parent), m_handler(std::move(handler)) {}

    static int keyCode(const QKeyEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Handler m_handler;
};
