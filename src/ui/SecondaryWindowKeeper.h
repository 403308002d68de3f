#pragma once

#include <QObject>
#include <functional>

class QWidget;

// Keeps the keyboard with the operator around the main window's secondary windows: Esc closes
// any of them (dialogs, the rig and tune windows, the views), and when one of them closes the
// focus goes back to the call field, so the next keys typed are not lost on a button or on
// nothing. Installed on the application, since secondary windows come from many places.
class SecondaryWindowKeeper : public QObject {
    Q_OBJECT
public:
    SecondaryWindowKeeper(QWidget& mainWindow, std::function<void()> returnToCall);

    // A top-level window whose parent chain reaches the main window (menus and pop-ups aside).
    bool isSecondary(const QWidget* window) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_main;
    std::function<void()> m_returnToCall;
};
