#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

class WavePlayer;

// Spoken prompts for operators who cannot see the screen: the prompt files "Call", "Class",
// "Section", "Dupe", "NavEn" and "NavDis" (.wav, in the data folder, else the program's own
// under :/fdlog/prompts when the sound library is linked in) played on a player of
// their own, never keying the transmitter. A new prompt cuts the one playing, except one played
// whole: prompts asked for meanwhile wait for its end and then play in order, so the window
// goes on drawing and taking keys while the operator hears it out.
class VoicePrompter : public QObject {
    Q_OBJECT
public:
    enum Level { Off = 0, CallOnly = 1, AllFields = 2 };

    VoicePrompter(QString dataDir, WavePlayer& player, QObject* parent = nullptr);

    static QString promptPath(const QString& dataDir, const QString& name);
    // The data folder's file, else the built-in prompt of that name; empty when neither exists.
    QString promptFile(const QString& name) const;

    // BlindKeyPhone: plays the prompt file named `name` when it exists.
    void BlindKeyPhone(const QString& name);
    // Plays `name` to its end before any later prompt.
    void playWhole(const QString& name);
    // A prompt of the entry at voice navigation `level`: the field names come already
    // filtered by level; "Dupe" plays at every level and is heard out at levels 1 and 2 (with
    // navigation off, only the data folder's own file: the built-in one stays quiet).
    void entryPrompt(const QString& name, int level);
    // A level chosen in the voice navigation window: Off says "NavDis", All Data Fields
    // "NavEn", Call Only "NavEn" and then "Call".
    void levelChosen(int level);

    // The poll of the whole prompt's end (also taken from the player's notice).
    void checkPlayback();
    bool holding() const { return m_holding; }
    QStringList waiting() const { return m_waiting; }

private:
    bool start(const QString& name);

    QString m_dataDir;
    WavePlayer& m_player;
    bool m_holding = false;
    QStringList m_waiting; // prompts asked for while a whole one plays; each entry "name" or "!name" (whole)
    QTimer m_poll;
};
