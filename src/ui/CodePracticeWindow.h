#pragma once

#include <QWidget>
#include <random>

class CodePractice;
class CwKeyer;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

// "On the Air Code Practice": random groups, pasted or typed text sent through the CW keyer,
// with the text sent so far beside it and a box for typing ahead of the keyer.
class CodePracticeWindow : public QWidget {
    Q_OBJECT
public:
    CodePracticeWindow(CwKeyer& keyer, QWidget* parent = nullptr);

    void generate();
    void send();
    void stop();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void showSpeed();

    CwKeyer& m_keyer;
    CodePractice* m_practice;
    std::mt19937 m_random;
    QPlainTextEdit* m_toSend;
    QPlainTextEdit* m_sent;
    QLineEdit* m_typeAhead;
    QLineEdit* m_groups;
    QLineEdit* m_perGroup;
    QRadioButton* m_lettersOnly;
    QLabel* m_speed;
    QString m_sending; // the text as it was when Send was pressed
};
