#include "keying/CwKeyer.h"
#include "VirtualKeyingClock.h"
#include "keying/CwMacros.h"
#include "keying/KeyingEngine.h"
#include "keying/RecordingKeyLine.h"
#include "support/TestFiles.h"
#include "support/WaitFor.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(CwMacros, WildcardsExpand)
{
    struct Row {
        const char* message;
        const char* call;
        const char* reportBefore;
        const char* expected;
        const char* reportAfter;
    };
    const std::vector<Row> rows{
        {"CQ FD $ $", "N0CALL ", "", "CQ FD N0CALL N0CALL", ""},
        {"TU $ *", "K1ABC", "", "TU K1ABC 5NN", "5NN"},
        {"UR *", "", "599", "UR 5NN", "5NN"},
        {"NR # ##", "", "", "NR  ", ""},
        {"$!", "W1AW", "", "W1AW!", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message);
        QString report = QString::fromLatin1(row.reportBefore);
        EXPECT_EQ(CwMacros::expand(QString::fromLatin1(row.message), QString::fromLatin1(row.call), QString(), report),
                  QString::fromLatin1(row.expected));
        EXPECT_EQ(report, QString::fromLatin1(row.reportAfter));
    }
}

TEST(CwSettings, RepeatInterval)
{
    const std::vector<std::pair<const char*, int>> rows{{"0", 0},  {"59.5", 59500}, {"60", 0},
                                                        {"-1", 0}, {"x", 0},        {"3", 3000}};
    for (const auto& [text, ms] : rows) {
        SCOPED_TRACE(text);
        EXPECT_EQ(CwSettings::repeatIntervalMs(QString::fromLatin1(text)), ms);
    }
}

TEST(CwSettings, FileRoundTripAndShortFiles)
{
    TempDataDir dir;
    const QString path = CwSettings::path(dir.path());
    const QByteArray file(
        "\"M1\"\r\n\"M2\"\r\n\"M3\"\r\n\"M4\"\r\n\"M5\"\r\n\"M6\"\r\n\"M7\"\r\n\"M8\"\r\n\"M9\"\r\n\"2\"\r\n"
        "\"25\"\r\n\"M10\"\r\n\"M11\"\r\n\"-3\"\r\n2\r\n\"&H278\"\r\n1\r\n\"5\"\r\n");
    writeBytes(path, file);
    CwSettings s;
    ASSERT_TRUE(s.load(path));
    EXPECT_EQ(QStringList({s.messages[0], s.messages[8], s.messages[9], s.messages[10], s.port, s.wpm, s.wordSpace,
                           s.printerAddress, s.repeatSeconds}),
              QStringList({"M1", "M9", "M10", "M11", "2", "25", "-3", "&H278", "5"}));
    EXPECT_EQ(s.output, CwSettings::Dtr);
    EXPECT_TRUE(s.displayOnMain);
    ASSERT_TRUE(s.save(path));
    EXPECT_EQ(readBytes(path), file);

    // Cut after the speed: the rest keeps its initial values; an empty F9 gets the test text.
    writeBytes(path, file.left(file.indexOf("\"M10\"")).replace("\"M9\"", "\"\""));
    CwSettings cut;
    ASSERT_TRUE(cut.load(path));
    EXPECT_EQ(QStringList({cut.wpm, cut.messages[8], cut.messages[9], cut.printerAddress}),
              QStringList({"25", "VVV DE ", "", "&H378"}));
    EXPECT_EQ(cut.output, CwSettings::None);
}

struct Keyer : ::testing::Test {
    QTemporaryDir dir;
    VirtualKeyingClock clock;
    std::shared_ptr<RecordingKeyLine> line = std::make_shared<RecordingKeyLine>(clock);
    CwKeyer keyer{dir.path(), UserSettingsStore(dir.filePath(QStringLiteral("user.ini"))), clock};
    QString call = QStringLiteral("K1ABC");
    int logged = 0;
    QList<LabelView> dialogs;
    int runs = 0;

    void SetUp() override
    {
        keyer.openKeyLine = [this](const CwSettings&, QString*) { return line; };
        keyer.hisCall = [this] { return call; };
        keyer.logContact = [this] { ++logged; };
        QObject::connect(&keyer, &CwKeyer::dialogShown, [this](const LabelView& l) { dialogs << l; });
        QObject::connect(&keyer.engine(), &KeyingEngine::runFinished, [this] { ++runs; });
        keyer.settings() = CwSettings{.messages = {"CQ", "$ TU!", "", "", "", "", "", "", "", "E", "T"},
                                      .port = "1",
                                      .wpm = "20",
                                      .output = CwSettings::Dtr};
        keyer.apply();
    }
    // Sends the function key and waits for the keying to end; element count keyed.
    size_t press(KeyerHandoff::Key key)
    {
        const int before = runs;
        line->clear();
        EXPECT_TRUE(keyer.windowKey(key, false, QStringLiteral("CW")));
        EXPECT_TRUE(QTest::qWaitFor([&] { return runs > before && !keyer.sending(); }, 5000));
        return line->events().size();
    }
};

TEST_F(Keyer, FunctionKeysSendTheirMemories)
{
    // Elements per character: E 4, T 6.
    EXPECT_EQ(press(KeyerHandoff::Key::F10), 4u);
    EXPECT_EQ(press(KeyerHandoff::Key::F11), 6u);
    EXPECT_TRUE(keyer.windowKey(KeyerHandoff::Key::F12, false, QStringLiteral("CW")));
    EXPECT_FALSE(keyer.sending());
    EXPECT_EQ(dialogs.last(), (LabelView{QStringLiteral("Keyboard CW mode is ON!  Press F12 to exit keyboard CW mode."),
                                         CwKeyer::KeyboardCwColour}));
    EXPECT_TRUE(keyer.keyboardCwMode());
}

TEST_F(Keyer, LogMarkLogsOnlyWithACall)
{
    press(KeyerHandoff::Key::F2);
    WAIT_EQ(logged, 1, 2000);
    call.clear();
    press(KeyerHandoff::Key::F2);
    QCoreApplication::processEvents();
    EXPECT_EQ(logged, 1);
}

TEST_F(Keyer, SpeedKeysAndNoneOutput)
{
    EXPECT_TRUE(keyer.windowKey(KeyerHandoff::Key::Up, false, QStringLiteral("CW")));
    EXPECT_EQ(dialogs.last().text, QStringLiteral("21 WPM"));
    EXPECT_TRUE(keyer.windowKey(KeyerHandoff::Key::Down, false, QStringLiteral("CW")));
    EXPECT_TRUE(keyer.windowKey(KeyerHandoff::Key::Down, false, QStringLiteral("CW")));
    EXPECT_EQ(dialogs.last().text, QStringLiteral("19 WPM"));
    EXPECT_DOUBLE_EQ(keyer.engine().speed(), 19.0);
    EXPECT_FALSE(keyer.windowKey(KeyerHandoff::Key::Up, false, QStringLiteral("PH")));

    keyer.settings().output = CwSettings::None;
    keyer.apply();
    EXPECT_FALSE(keyer.windowKey(KeyerHandoff::Key::F1, false, QStringLiteral("CW")));
    EXPECT_FALSE(keyer.windowKey(KeyerHandoff::Key::F12, false, QStringLiteral("CW")));
    EXPECT_FALSE(keyer.keyboardCwMode());
}

TEST_F(Keyer, RepeatLoopRunsUntilAKey)
{
    keyer.settings().repeatSeconds = QStringLiteral("0.05");
    keyer.apply();
    press(KeyerHandoff::Key::F1);
    EXPECT_TRUE(keyer.repeatArmed());
    WAIT_TRUE(runs >= 3, 3000); // sent again after each interval
    keyer.windowKey(KeyerHandoff::Key::Escape, false, QStringLiteral("CW"));
    EXPECT_FALSE(keyer.repeatArmed());
    EXPECT_FALSE(keyer.repeatPending());
    WAIT_TRUE(!keyer.sending(), 2000);
    EXPECT_FALSE(keyer.repeatPending());
}

TEST_F(Keyer, KeyboardCwQueuesTypedKeysAndBackspaceWithdraws)
{
    EXPECT_FALSE(keyer.typedKey('c', QStringLiteral("CW"))); // mode off: the field gets it
    keyer.windowKey(KeyerHandoff::Key::F12, false, QStringLiteral("CW"));
    // While the first key is keyed, two more are typed and the last withdrawn.
    line->onCall = [this](int calls) {
        if (calls == 1) {
            keyer.typedKey('t', QStringLiteral("CW"));
            keyer.typedKey('e', QStringLiteral("CW"));
            keyer.typedKey(8, QStringLiteral("CW"));
        }
    };
    const int before = runs;
    EXPECT_TRUE(keyer.typedKey('e', QStringLiteral("CW")));
    WAIT_TRUE(runs > before && !keyer.sending(), 3000);
    EXPECT_EQ(line->events().size(), 10u); // E then T
    EXPECT_FALSE(keyer.keyboardCwWaiting());
}

} // namespace
