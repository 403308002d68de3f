#include "audio/QtWavePlayer.h"
#include "keying/VoicePrompter.h"
#include "keying/WaveFile.h"
#include "support/TestFiles.h"
#include "support/WaitFor.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

// A PulseAudio server of the test's own with a null sink and a null source (silence to record):
// the sound goes nowhere, but player and recorder go the same way as on a station computer.
class NullSoundServer : public ::testing::Environment {
public:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        const QString runtime = m_dir.path();
        qputenv("PULSE_RUNTIME_PATH", runtime.toLocal8Bit());
        qputenv("PULSE_SERVER", ("unix:" + runtime + "/native").toLocal8Bit());
        m_server.start("pulseaudio",
                       {"--daemonize=no", "--exit-idle-time=-1", "-n", "--use-pid-file=no", "--disable-shm=yes",
                        "--load=module-null-sink", "--load=module-null-source", "--load=module-native-protocol-unix"});
        ASSERT_TRUE(m_server.waitForStarted(5000)) << "pulseaudio is missing (scripts/install-deps)";
        WAIT_TRUE(QFile::exists(runtime + "/native"), 10000);
    }
    void TearDown() override
    {
        m_server.terminate();
        m_server.waitForFinished(5000);
    }

private:
    QTemporaryDir m_dir;
    QProcess m_server;
};

const auto* const server = ::testing::AddGlobalTestEnvironment(new NullSoundServer);

QByteArray sinkInputs()
{
    QProcess pactl;
    pactl.start("pactl", {"list", "short", "sink-inputs"});
    pactl.waitForFinished(3000);
    return pactl.readAllStandardOutput().trimmed();
}

QString writeTone(const TempDataDir& dir, int ms)
{
    WaveFormat w{1, 8000, 16, 8000 * 2 * ms / 1000};
    QByteArray samples(w.dataBytes, '\0');
    for (qsizetype i = 0; i < samples.size(); i += 2)
        samples[i + 1] = (i / 20) % 2 ? 0x20 : char(0xE0); // 400 Hz square wave
    const QString path = dir.file(QStringLiteral("tone.wav"));
    writeBytes(path, WaveFile::header(w) + samples);
    return path;
}

TEST(QtWavePlayer, PlaysToTheEndAndStops)
{
    TempDataDir dir;
    const QString path = writeTone(dir, 1000);
    QtWavePlayer player;
    QSignalSpy finished(&player, &WavePlayer::finished);
    ASSERT_TRUE(player.open(path));
    QElapsedTimer t;
    t.start();
    player.play();
    EXPECT_TRUE(player.playing());
    // The sound reaches the server while it plays.
    WAIT_TRUE(!sinkInputs().isEmpty(), 2000);
    WAIT_TRUE(!player.playing(), 5000);
    EXPECT_EQ(finished.count(), 1);
    // It really played the sound's length, not gave up at once or ran to the guard timer.
    EXPECT_GE(t.elapsed(), 900);
    EXPECT_LT(t.elapsed(), 5000);

    ASSERT_TRUE(player.open(path));
    player.play();
    player.stop();
    EXPECT_FALSE(player.playing());
    EXPECT_EQ(finished.count(), 2);
    EXPECT_FALSE(player.open(dir.file(QStringLiteral("none.wav"))));

    // Torn down mid-sound, as at exit: the sound goes, and a player half destroyed reports nothing.
    int reports = 0;
    {
        QtWavePlayer dying;
        QObject::connect(&dying, &WavePlayer::finished, [&reports] { ++reports; });
        ASSERT_TRUE(dying.open(path));
        dying.play();
        WAIT_TRUE(!sinkInputs().isEmpty(), 2000);
    }
    EXPECT_EQ(reports, 0);
    WAIT_TRUE(sinkInputs().isEmpty(), 3000);
}

TEST(QtWavePlayer, BuiltInPromptsPlayUnlessTheDataFolderHasItsOwn)
{
    TempDataDir dir;
    writeTone(dir, 100);
    QFile::rename(dir.file(QStringLiteral("tone.wav")), VoicePrompter::promptPath(dir.path(), QStringLiteral("Dupe")));
    QtWavePlayer player;
    VoicePrompter prompter(dir.path(), player);
    for (const char* name : {"Call", "Class", "Section", "Dupe", "NavEn", "NavDis"}) {
        SCOPED_TRACE(name);
        const QString file = prompter.promptFile(QString::fromLatin1(name));
        EXPECT_EQ(file.startsWith(QStringLiteral(":/")), QByteArray(name) != "Dupe");
        const std::optional<WaveFormat> format = WaveFile::readFormat(file);
        ASSERT_TRUE(format);
        EXPECT_GT(format->lengthMs(), QByteArray(name) == "Dupe" ? 50 : 250); // spoken, not empty
    }
    QFile::remove(VoicePrompter::promptPath(dir.path(), QStringLiteral("Dupe")));
    prompter.entryPrompt(QStringLiteral("Dupe"), VoicePrompter::Off);
    EXPECT_FALSE(player.playing());
    prompter.levelChosen(VoicePrompter::CallOnly); // "NavEn" heard out, then "Call"
    EXPECT_TRUE(prompter.holding());
    WAIT_TRUE(!prompter.holding(), 8000);
    EXPECT_TRUE(player.playing());
    WAIT_TRUE(!player.playing(), 5000);
}

TEST(WaveFile, HeaderRoundTripAndRefusals)
{
    const WaveFormat w{2, 44100, 16, 176400};
    const QByteArray h = WaveFile::header(w);
    ASSERT_EQ(h.size(), 44);
    const std::optional<WaveFormat> back = WaveFile::parseFormat(h);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->lengthMs(), 1000);
    EXPECT_EQ(back->channels, 2);
    QByteArray floatFormat = h;
    floatFormat[20] = 3;
    for (const QByteArray& bad : {QByteArray("RIFF"), h.left(36), floatFormat, QByteArray(h).replace("WAVE", "AVI ")})
        EXPECT_FALSE(WaveFile::parseFormat(bad));
}

} // namespace
