#include "ui/CodePracticeWindow.h"

#include "entry/KeyFilters.h"
#include "keying/CodePractice.h"
#include "keying/CwKeyer.h"
#include "ui/KeyFilter.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <chrono>

namespace {
QPushButton* button(const QString& name, const QString& caption, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

void moveCaretToEnd(QPlainTextEdit* edit)
{
    QTextCursor c = edit->textCursor();
    c.movePosition(QTextCursor::End);
    edit->setTextCursor(c);
}
} // namespace

CodePracticeWindow::CodePracticeWindow(CwKeyer& keyer, QWidget* parent)
    : QWidget(parent, Qt::Window), m_keyer(keyer), m_practice(new CodePractice(keyer, this))
{
    setObjectName(QStringLiteral("frmCodePractice"));
    setWindowTitle(QStringLiteral("On the Air Code Practice"));
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    m_toSend = new QPlainTextEdit(this);
    m_toSend->setObjectName(QStringLiteral("Text1"));
    m_toSend->setFont(fixed);
    installKeyFilter(m_toSend, KeyFilters::upperCase);
    m_sent = new QPlainTextEdit(this);
    m_sent->setObjectName(QStringLiteral("Text2"));
    m_sent->setFont(fixed);
    m_sent->setReadOnly(true);
    m_typeAhead = new QLineEdit(this);
    m_typeAhead->setObjectName(QStringLiteral("Text5"));
    m_groups = new QLineEdit(QStringLiteral("10"), this);
    m_groups->setObjectName(QStringLiteral("Text3"));
    m_perGroup = new QLineEdit(QStringLiteral("5"), this);
    m_perGroup->setObjectName(QStringLiteral("Text4"));
    m_lettersOnly = new QRadioButton(QStringLiteral("Letters Only"), this);
    m_lettersOnly->setObjectName(QStringLiteral("Option1"));
    auto* all = new QRadioButton(QStringLiteral("Letters, Numbers and Punctuation"), this);
    all->setObjectName(QStringLiteral("Option2"));
    m_lettersOnly->setChecked(true);
    m_speed = new QLabel(this);
    m_speed->setObjectName(QStringLiteral("Label8"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Text to Send"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Text Sent"), this), 0, 1);
    grid->addWidget(m_toSend, 1, 0);
    grid->addWidget(m_sent, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Type characters here to send text from keyboard:"), this), 2, 0, 1, 2);
    grid->addWidget(m_typeAhead, 3, 0, 1, 2);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Number of groups"), m_groups);
    form->addRow(QStringLiteral("Characters per group"), m_perGroup);
    form->addRow(m_lettersOnly, all);
    form->addRow(QStringLiteral("Speed (WPM)"), m_speed);
    grid->addLayout(form, 4, 0);
    auto* buttons = new QGridLayout;
    const QList<QPair<QString, QString>> captions{{"Command2", "&Generate Random Characters"},
                                                  {"Command3", "&Send"},
                                                  {"Command4", "S&top"},
                                                  {"Command6", "&Clear"},
                                                  {"Command5", "Cl&ear"},
                                                  {"Command1", "&Paste from Clipboard"},
                                                  {"Command7", "&Faster"},
                                                  {"Command8", "S&lower"}};
    QList<QPushButton*> b;
    for (int i = 0; i < captions.size(); ++i) {
        b << button(captions[i].first, captions[i].second, this);
        buttons->addWidget(b.last(), i / 2, i % 2);
    }
    grid->addLayout(buttons, 4, 1);

    connect(b[0], &QPushButton::clicked, this, &CodePracticeWindow::generate);
    connect(b[1], &QPushButton::clicked, this, &CodePracticeWindow::send);
    connect(b[2], &QPushButton::clicked, this, &CodePracticeWindow::stop);
    connect(b[3], &QPushButton::clicked, m_toSend, &QPlainTextEdit::clear);
    connect(b[4], &QPushButton::clicked, m_sent, &QPlainTextEdit::clear);
    connect(b[5], &QPushButton::clicked, this, [this] { m_toSend->setPlainText(QApplication::clipboard()->text()); });
    connect(b[6], &QPushButton::clicked, this, [this] {
        m_keyer.UpDown1_UpClick();
        showSpeed();
    });
    connect(b[7], &QPushButton::clicked, this, [this] {
        m_keyer.UpDown1_DownClick();
        showSpeed();
    });
    connect(m_practice, &CodePractice::sent, this, [this](QChar ch, int position) {
        m_sent->insertPlainText(QString(ch));
        moveCaretToEnd(m_sent);
        QTextCursor c = m_toSend->textCursor();
        c.setPosition(std::min(position, int(m_toSend->toPlainText().size())));
        m_toSend->setTextCursor(c);
    });
    installKeyFilter(m_typeAhead, [this](int& key) {
        KeyFilters::upperCase(key);
        if (key == KeyFilters::Backspace) {
            m_practice->typeAhead(key);
            QString sent = m_sent->toPlainText();
            if (!sent.isEmpty()) {
                sent.chop(1);
                m_sent->setPlainText(sent);
                moveCaretToEnd(m_sent);
            }
        } else if (key > 0) {
            moveCaretToEnd(m_sent);
            m_sent->insertPlainText(QString(QChar(key)));
            m_practice->typeAhead(key);
        }
        key = 0; // the box stays empty
    });
    m_random.seed(static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
    showSpeed();
}

void CodePracticeWindow::showSpeed()
{
    m_speed->setText(m_keyer.settings().wpm);
}

void CodePracticeWindow::showEvent(QShowEvent* event)
{
    showSpeed();
    QWidget::showEvent(event);
}

void CodePracticeWindow::closeEvent(QCloseEvent* event)
{
    if (m_keyer.sending()) {
        event->ignore();
        return;
    }
    m_practice->stop();
    m_sending.clear();
    QWidget::closeEvent(event);
}

void CodePracticeWindow::generate()
{
    QString groups = m_groups->text();
    QString perGroup = m_perGroup->text();
    const QString text = CodePractice::generate(groups, perGroup, m_lettersOnly->isChecked(), m_random);
    m_groups->setText(groups);
    m_perGroup->setText(perGroup);
    m_toSend->setPlainText(text);
}

void CodePracticeWindow::send()
{
    m_sending = m_toSend->toPlainText();
    m_toSend->setFocus();
    m_practice->send([this] { return m_toSend->toPlainText(); });
}

void CodePracticeWindow::stop()
{
    m_sending.clear();
    m_practice->stop();
}
