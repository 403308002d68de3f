#pragma once

#include <QObject>
#include <functional>

class CodePracticeWindow;
class CwKeyer;
class CwSetupWindow;
class CwStringsPanel;
class Dialogs;
class QWidget;
class WinKeyWindow;

// The CW windows as the main window sees them: the CW setup window, the strings panel and the
// WinKey window, each created on first use and kept loaded; Ctrl+W (strings), Ctrl+C and
// Ctrl+S (setup) on the main window, menu items under Options, and the keyer's messages.
class CwWindows : public QObject {
    Q_OBJECT
public:
    CwWindows(CwKeyer& keyer, Dialogs& dialogs, std::function<QString()> ownCall, QWidget* mainWindow);

    CwSetupWindow& setup();
    CwStringsPanel& strings();
    WinKeyWindow& winKey();
    CodePracticeWindow& codePractice();
    void showSetup();
    void showStrings();
    void showWinKey();
    void showCodePractice();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static void showRestored(QWidget* w);

    CwKeyer& m_keyer;
    Dialogs& m_dialogs;
    std::function<QString()> m_ownCall;
    QWidget* m_main;
    CwSetupWindow* m_setup = nullptr;
    CwStringsPanel* m_strings = nullptr;
    WinKeyWindow* m_winKey = nullptr;
    CodePracticeWindow* m_practice = nullptr;
};
