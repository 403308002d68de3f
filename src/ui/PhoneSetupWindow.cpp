#include "ui/PhoneSetupWindow.h"

#include "audio/WaveRecorder.h"
#include "keying/VoiceKeyer.h"
#include "util/Dialogs.h"

#include <QDir>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// Runs `left` when the field loses the focus.
class FocusOutWatcher : public QObject {
public:
    FocusOutWatcher(QLineEdit* edit, std::function<void()> left) : QObject(edit), m_left(std::move(left))
    {
        edit->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::FocusOut)
            m_left();
        return false;
    }

private:
    std::function<void()> m_left;
};

QLineEdit* namedEdit(const char* name, QWidget* parent)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    return e;
}

QPushButton* namedButton(const QString& name, const QString& text, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

PhoneSetupWindow::PhoneSetupWindow(VoiceKeyer& keyer, WaveRecorder& recorder, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_keyer(keyer), m_recorder(recorder), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("PhoneFrm"));
    setWindowTitle(QStringLiteral("Phone Wave Selections"));
    // Modal, yet shown rather than run in a loop of its own: the keyers go on meanwhile.
    setModal(true);
    auto* grid = new QGridLayout;
    for (int i = 0; i < 9; ++i) {
        grid->addWidget(new QLabel(QStringLiteral("F%1").arg(i + 1), this), i, 0);
        m_files[size_t(i)] = namedEdit(QStringLiteral("Text%1").arg(i + 1).toLatin1().constData(), this);
        connect(m_files[size_t(i)], &QLineEdit::textEdited, this, &PhoneSetupWindow::fieldsToSettings);
        grid->addWidget(m_files[size_t(i)], i, 1);
        QPushButton* browse = namedButton(QStringLiteral("cmdBrowse%1").arg(i + 1), QStringLiteral("Browse"), this);
        connect(browse, &QPushButton::clicked, this, [this, i] { this->browse(i); });
        grid->addWidget(browse, i, 2);
        m_record[size_t(i)] = namedButton(QStringLiteral("cmdRecord%1").arg(i + 1), QStringLiteral("Record"), this);
        connect(m_record[size_t(i)], &QPushButton::clicked, this, [this, i] { record(i); });
        grid->addWidget(m_record[size_t(i)], i, 3);
        QPushButton* play = namedButton(QStringLiteral("cmdPlay%1").arg(i + 1), QStringLiteral("Play"), this);
        connect(play, &QPushButton::clicked, this, [this, i] {
            fieldsToSettings();
            if (!m_keyer.playBack(i))
                m_dialogs.beep();
        });
        grid->addWidget(play, i, 4);
    }

    m_port = namedEdit("Text10", this);
    m_printer = namedEdit("Text11", this);
    m_loop = namedEdit("txtPHLoop", this);
    const char* lineNames[] = {"Option1", "Option2", "Option3"};
    const char* lineTexts[] = {"RTS", "DTR", "Parallel"};
    auto* lines = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        m_lines[size_t(i)] = new QRadioButton(QString::fromLatin1(lineTexts[i]), this);
        m_lines[size_t(i)]->setObjectName(QString::fromLatin1(lineNames[i]));
        connect(m_lines[size_t(i)], &QRadioButton::toggled, this, &PhoneSetupWindow::fieldsToSettings);
        lines->addWidget(m_lines[size_t(i)]);
    }
    new FocusOutWatcher(m_port, [this] { portLeft(); });
    new FocusOutWatcher(m_loop, [this] { loopLeft(); });
    connect(m_printer, &QLineEdit::textEdited, this, [this](const QString& text) {
        // No quote may reach wave2.txt's quoted value; letters as the address syntax writes them.
        QString clean = text.toUpper();
        clean.remove(QLatin1Char('"'));
        if (clean != text)
            m_printer->setText(clean);
        fieldsToSettings();
    });

    auto* ptt = new QGridLayout;
    ptt->addWidget(new QLabel(QStringLiteral("PTT port (0 = none):"), this), 0, 0);
    ptt->addWidget(m_port, 0, 1);
    ptt->addLayout(lines, 0, 2);
    ptt->addWidget(new QLabel(QStringLiteral("Printer port address:"), this), 1, 0);
    ptt->addWidget(m_printer, 1, 1);
    ptt->addWidget(new QLabel(QStringLiteral("Loop (Sec)"), this), 2, 0);
    ptt->addWidget(m_loop, 2, 1);

    QPushButton* test = namedButton(QStringLiteral("cmdTest"), QStringLiteral("&Test"), this);
    test->setToolTip(QStringLiteral("Plays F1 Command"));
    m_stop = namedButton(QStringLiteral("cmdStop"), QStringLiteral("&Stop"), this);
    m_stop->hide();
    m_done = namedButton(QStringLiteral("cmdDone"), QStringLiteral("&Done"), this);
    connect(test, &QPushButton::clicked, this, [this] {
        fieldsToSettings();
        m_stop->setVisible(m_keyer.playTest());
    });
    connect(m_stop, &QPushButton::clicked, this, [this] {
        m_keyer.stopRepeat();
        m_stop->hide();
    });
    connect(m_done, &QPushButton::clicked, this, &PhoneSetupWindow::done);
    connect(&m_recorder, &WaveRecorder::failed, this,
            [this](const QString& why) { m_dialogs.message(why, QStringLiteral("Recording")); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(test);
    buttons->addWidget(m_stop);
    buttons->addStretch();
    buttons->addWidget(m_done);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(ptt);
    layout->addLayout(buttons);
    showSettings();
}

void PhoneSetupWindow::showSettings()
{
    const PhoneSettings s = m_keyer.settings(); // a copy: filling the fields writes back
    for (int i = 0; i < 9; ++i)
        m_files[size_t(i)]->setText(s.files[size_t(i)]);
    m_port->setText(s.port);
    m_printer->setText(s.printerAddress);
    m_loop->setText(s.loopSeconds);
    for (int i = 0; i < 3; ++i)
        m_lines[size_t(i)]->setChecked(s.line == i);
}

void PhoneSetupWindow::fieldsToSettings()
{
    PhoneSettings& s = m_keyer.settings();
    for (int i = 0; i < 9; ++i)
        s.files[size_t(i)] = m_files[size_t(i)]->text();
    s.port = m_port->text();
    s.printerAddress = m_printer->text();
    s.loopSeconds = m_loop->text();
    s.line = PhoneSettings::None;
    for (int i = 0; i < 3; ++i)
        if (m_lines[size_t(i)]->isChecked())
            s.line = i;
}

void PhoneSetupWindow::browse(int key)
{
    const QString path = m_dialogs.openFileName(QStringLiteral("F%1 wave file").arg(key + 1), m_keyer.dataDir(),
                                                QStringLiteral("Wave files (*.wav)"));
    if (path.isEmpty()) {
        m_dialogs.beep();
        return;
    }
    m_files[size_t(key)]->setText(path);
    fieldsToSettings();
    m_done->setFocus();
}

void PhoneSetupWindow::record(int key)
{
    if (m_recording >= 0) {
        // The second press ends the take and makes it the key's message.
        const int was = m_recording;
        m_recording = -1;
        m_record[size_t(was)]->setText(QStringLiteral("Record"));
        if (m_recorder.stop()) {
            m_files[size_t(was)]->setText(m_recorder.path());
            fieldsToSettings();
        }
        return;
    }
    QString path = m_files[size_t(key)]->text().trimmed();
    if (path.isEmpty())
        path = QDir(m_keyer.dataDir()).filePath(QStringLiteral("F%1.wav").arg(key + 1));
    if (!m_recorder.start(path))
        return;
    m_recording = key;
    m_record[size_t(key)]->setText(QStringLiteral("Stop rec."));
}

void PhoneSetupWindow::portLeft()
{
    const QString checked = PhoneSettings::checkedPort(m_port->text());
    if (checked != m_port->text())
        m_port->setText(checked);
    fieldsToSettings();
    m_keyer.PhoneSetup();
}

void PhoneSetupWindow::loopLeft()
{
    const QString checked = PhoneSettings::checkedLoopSeconds(m_loop->text());
    if (checked != m_loop->text())
        m_loop->setText(checked);
    fieldsToSettings();
}

void PhoneSetupWindow::done()
{
    fieldsToSettings();
    if (!m_keyer.saveSettings())
        m_dialogs.message(QStringLiteral("wave2.txt could not be written in %1.").arg(m_keyer.dataDir()),
                          QStringLiteral("Phone Wave Selections"));
    hide();
}
