#include "ui/CwStringsPanel.h"

#include "keying/CwKeyer.h"
#include "ui/ClickableLabel.h"

#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QPushButton>

CwStringsPanel::CwStringsPanel(CwKeyer& keyer, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window), m_keyer(keyer), m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("frmCWStrings"));
    setWindowTitle(QStringLiteral("CW Strings"));
    auto* grid = new QGridLayout(this);
    for (int i = 0; i < 11; ++i) {
        auto* key = new ClickableLabel(QStringLiteral("F%1").arg(i + 1), this);
        key->setObjectName(QStringLiteral("Label1_%1").arg(i));
        m_strings[size_t(i)] = new ClickableLabel(this);
        m_strings[size_t(i)]->setObjectName(QStringLiteral("lblCWString_%1").arg(i));
        grid->addWidget(key, i, 0);
        grid->addWidget(m_strings[size_t(i)], i, 1);
        connect(key, &ClickableLabel::clicked, this, [this, i] { sendRow(i); });
        connect(m_strings[size_t(i)], &ClickableLabel::clicked, this, [this, i] { sendRow(i); });
    }
    auto* minimise = new QPushButton(QStringLiteral("Minimize"), this);
    minimise->setObjectName(QStringLiteral("Command1"));
    minimise->setFocusPolicy(Qt::NoFocus);
    grid->addWidget(minimise, 11, 0, 1, 2);
    connect(minimise, &QPushButton::clicked, this, &QWidget::showMinimized);
}

void CwStringsPanel::refresh()
{
    for (size_t i = 0; i < m_strings.size(); ++i)
        m_strings[i]->setText(m_keyer.settings().messages[i]);
}

void CwStringsPanel::sendRow(int i)
{
    int code = 112 + i;
    if (code == 121)
        code = 124; // F10's code as the keyer takes it
    if (code == 123 || m_keyer.outputNone())
        return;
    m_keyer.FKeyCW(code);
}

void CwStringsPanel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        refresh();
    QWidget::changeEvent(event);
}

void CwStringsPanel::showEvent(QShowEvent* event)
{
    refresh();
    QWidget::showEvent(event);
}

void CwStringsPanel::keyPressEvent(QKeyEvent* event)
{
    // To the field the operator was typing in, so keyboard CW and the entry see the key too.
    QWidget* target = m_mainWindow->focusWidget() ? m_mainWindow->focusWidget() : m_mainWindow;
    QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text());
    QApplication::sendEvent(target, &copy);
}
