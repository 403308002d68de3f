#include "ui/VoiceNavigationWindow.h"

#include "keying/VoicePrompter.h"
#include "log/Station.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

VoiceNavigationWindow::VoiceNavigationWindow(Station& station, VoicePrompter& prompter, QWidget* parent)
    : QDialog(parent), m_station(station), m_prompter(prompter)
{
    setObjectName(QStringLiteral("BlindFrm"));
    setWindowTitle(QStringLiteral("Voice Navigation Settings"));
    auto* layout = new QVBoxLayout(this);
    const char* texts[] = {"Off", "Call Only", "All Data Fields"};
    for (int i = 0; i < 3; ++i) {
        m_levels[size_t(i)] = new QRadioButton(QString::fromLatin1(texts[i]), this);
        m_levels[size_t(i)]->setObjectName(QStringLiteral("Option%1").arg(i + 1));
        layout->addWidget(m_levels[size_t(i)]);
        connect(m_levels[size_t(i)], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                m_prompter.levelChosen(i);
        });
    }
    auto* where = new QLabel(QStringLiteral("Put the audio wave files in this program's working directory: ") +
                                 QDir::toNativeSeparators(station.paths().dataDir),
                             this);
    where->setObjectName(QStringLiteral("Label1"));
    where->setWordWrap(true);
    layout->addWidget(where);
    auto* done = new QPushButton(QStringLiteral("&Done"), this);
    done->setObjectName(QStringLiteral("cmdDone"));
    layout->addWidget(done);
    connect(done, &QPushButton::clicked, this, [this] {
        m_station.prefs().voiceNavigation = static_cast<quint8>(chosenLevel());
        m_station.SavePref();
        hide();
    });
    // Loading selects the stored level, which says its prompt.
    const int level = qBound(0, int(station.prefs().voiceNavigation), 2);
    m_levels[size_t(level)]->setChecked(true);
}

int VoiceNavigationWindow::chosenLevel() const
{
    for (int i = 0; i < 3; ++i)
        if (m_levels[size_t(i)]->isChecked())
            return i;
    return 0;
}
