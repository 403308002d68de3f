#pragma once

#include <QChar>
#include <QHash>
#include <QString>
#include <span>
#include <vector>

// The bonus points of the current Field Day rules (7.3.1 to 7.3.18). Bonus points are added
// after the power multiplier.
struct BonusRule {
    const char* key;     // the bonus file's key, e.g. "messages_handled"
    const char* rule;    // "7.3.6"
    const char* label;   // what the calculator shows
    int pointsEach;      // per item counted, or for the bonus when it is claimed
    bool counted;        // the claim is a count (messages, youth...), else 1 or 0
    int capPoints;       // 0: no cap
    const char* classes; // the class letters that may claim it
};

std::span<const BonusRule> bonusRules();
const BonusRule* findBonusRule(const QString& key);

// The cap in points for this class (class B's youth bonus is capped lower); 0 for none.
int bonusCap(const BonusRule& rule, QChar classLetter);
// Empty when the class may claim the bonus, else why it may not.
QString bonusRefusal(const BonusRule& rule, QChar classLetter);

struct BonusLine {
    const BonusRule* rule = nullptr;
    qint64 claimed = 0; // the count, or 1/0
    qint64 points = 0;  // after the cap; 0 when the class may not claim it
    QString refusal;
};

struct BonusResult {
    std::vector<BonusLine> lines; // one per rule, in rule order
    qint64 total = 0;
};

// `claims` maps rule keys to counts (or 1/0); missing keys are 0. The class letter is the last
// character of the entry's class.
BonusResult computeBonus(const QHash<QString, qint64>& claims, QChar classLetter);

// The claimed score of the current rules: QSO points x power multiplier + bonus points.
inline qint64 claimedScore(qint64 qsoPoints, int multiplier, qint64 bonusPoints)
{
    return qsoPoints * multiplier + bonusPoints;
}

// Reads "key = value" lines ('#' starts a comment). False with `error` set on an unreadable
// file, an unknown key or a value that is not a whole number of 0 or more.
bool readBonusFile(const QString& path, QHash<QString, qint64>& claims, QString& error);
