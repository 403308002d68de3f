#pragma once

#include <QWidget>
#include <array>

class ClickableLabel;
class CwKeyer;

// "CW Strings": the eleven memories as labels to click, for sending with the mouse. Keys typed
// here go to the main window as if typed there.
class CwStringsPanel : public QWidget {
    Q_OBJECT
public:
    CwStringsPanel(CwKeyer& keyer, QWidget* mainWindow);

    void refresh();
    // A click on row i (0 = F1 ... 9 = F10, 10 = F11).
    void sendRow(int i);

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    CwKeyer& m_keyer;
    QWidget* m_mainWindow;
    std::array<ClickableLabel*, 11> m_strings{};
};
