#include "keying/CodePractice.h"
#include "VirtualKeyingClock.h"
#include "keying/CwKeyer.h"
#include "keying/RecordingKeyLine.h"
#include "support/WaitFor.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <atomic>
#include <gtest/gtest.h>
#include <semaphore>

namespace {

struct Practice : ::testing::Test {
    QTemporaryDir dir;
    VirtualKeyingClock clock;
    std::shared_ptr<RecordingKeyLine> line = std::make_shared<RecordingKeyLine>(clock);
    CwKeyer keyer{dir.path(), UserSettingsStore(dir.filePath(QStringLiteral("user.ini"))), clock};
    CodePractice practice{keyer};
    QString sent;

    void SetUp() override
    {
        keyer.openKeyLine = [this](const CwSettings&, QString*) { return line; };
        keyer.settings().output = CwSettings::Dtr;
        keyer.settings().port = QStringLiteral("1");
        keyer.apply();
        QObject::connect(&practice, &CodePractice::sent, [this](QChar c, int) { sent += c; });
    }
};

TEST_F(Practice, GeneratesGroupsFromTheTable)
{
    std::mt19937 random(7);
    for (const bool lettersOnly : {true, false}) {
        QString groups = QStringLiteral("abc");
        QString perGroup;
        const QString text = CodePractice::generate(groups, perGroup, lettersOnly, random);
        EXPECT_EQ(QStringList({groups, perGroup}), QStringList({"10", "5"}));
        ASSERT_EQ(text.size(), 60);
        const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        EXPECT_EQ(words.size(), 10);
        const QString allowed = CodePractice::characters().left(lettersOnly ? 26 : 41);
        bool other = false;
        const QString characters = QString(text).remove(QLatin1Char(' ')); // a named copy outlives the loop
        for (const QChar c : characters) {
            EXPECT_TRUE(allowed.contains(c)) << c.toLatin1();
            other = other || !c.isLetter();
        }
        // 50 draws from the whole table all letters: not by chance.
        EXPECT_EQ(other, !lettersOnly);
    }
}

TEST_F(Practice, SendsEachCharacterAfterTheOneBeforeIsKeyedAndStops)
{
    QSignalSpy finished(&practice, &CodePractice::finished);
    practice.send([] { return QStringLiteral("ETE"); });
    WAIT_EQ(finished.size(), 1, 5000);
    EXPECT_EQ(sent, QStringLiteral("ETE"));
    EXPECT_EQ(line->events().size(), 14u); // E 4, T 6, E 4: nothing lost or doubled

    sent.clear();
    QObject::connect(&practice, &CodePractice::sent, [this](QChar, int position) {
        if (position == 2)
            practice.stop();
    });
    practice.send([] { return QStringLiteral("EEEEEE"); });
    WAIT_EQ(finished.size(), 2, 5000);
    EXPECT_EQ(sent, QStringLiteral("EE"));
}

TEST_F(Practice, BackspaceWithdrawsATypedCharacterNotYetKeyed)
{
    std::binary_semaphore gate(0);
    std::atomic<bool> busy{false};
    line->onCall = [&](int calls) {
        if (calls == 1) {
            busy = true; // the keyer is on the first character
            gate.acquire();
        }
    };
    practice.typeAhead('E');
    WAIT_TRUE(busy.load(), 5000);
    practice.typeAhead('T');
    EXPECT_TRUE(practice.typeAhead(8));
    EXPECT_FALSE(practice.typeAhead(8)); // 'E' is already being keyed
    gate.release();
    WAIT_TRUE(!keyer.sending(), 5000);
    EXPECT_EQ(line->events().size(), 4u);
}

} // namespace
