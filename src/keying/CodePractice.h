#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <random>

class CwKeyer;

// Code practice over the program's CW keyer: random five-character groups, a text sent one
// character at a time (the text is read again before every character, so edits made while
// sending take effect), and characters typed ahead of the keyer.
class CodePractice : public QObject {
    Q_OBJECT
public:
    explicit CodePractice(CwKeyer& keyer, QObject* parent = nullptr);

    // The 41 characters groups are drawn from: A-Z, 0-9, then . , ? / -
    static const QString& characters();
    // `groups` groups of `perGroup` characters, each group followed by a blank; the first 26
    // characters only with lettersOnly. Non-numeric counts become "10" and "5" in place.
    static QString generate(QString& groups, QString& perGroup, bool lettersOnly, std::mt19937& random);

    // Sends currentText() from its first character; sent(ch, position) after each one is
    // handed to the keyer, finished() at the end or after stop().
    void send(std::function<QString()> currentText);
    void stop();
    bool running() const { return m_running; }

    // A key in the type-ahead box: Backspace (8) withdraws the last character not yet keyed
    // (true when there was one); any other is queued.
    bool typeAhead(int key);

signals:
    void sent(QChar ch, int position);
    void finished();

private:
    void next();

    CwKeyer& m_keyer;
    std::function<QString()> m_text;
    int m_position = 0;
    bool m_running = false;
    bool m_waiting = false; // a character is with the keyer
};
