#include "ui/ImportWindow.h"

#include "log/Station.h"
#include "reports/LogImport.h"
#include "util/Dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

ImportWindow::ImportWindow(Station& station, std::function<void()> reloadLog, QWidget* parent)
    : QDialog(parent), m_station(station), m_reloadLog(std::move(reloadLog))
{
    setObjectName(QStringLiteral("frmCombine"));
    setWindowTitle(QStringLiteral("Append Data or Restore From Backup"));
    setModal(true);

    txtPath = new QLineEdit;
    txtPath->setObjectName(QStringLiteral("txtPath"));
    chkEliminateDupes = new QCheckBox(QStringLiteral("Eliminate Duplicates from imported file"));
    chkEliminateDupes->setObjectName(QStringLiteral("chkEliminateDupes"));
    chkEliminateDupes->setChecked(true);
    chkDigitalAsDig = new QCheckBox(QStringLiteral("Count digital modes (FT8, FT4, RTTY, PSK31, JS8 and the like) as DIG"));
    chkDigitalAsDig->setObjectName(QStringLiteral("chkDigitalAsDig"));
    // Unticked keeps each contact's mode word as the file has it.
    chkDigitalAsDig->setChecked(true);
    prgRead = new QProgressBar;
    prgRead->setObjectName(QStringLiteral("prgRead"));
    prgRead->setRange(0, 1000);
    prgRead->setValue(0);
    cmdBrowse = new QPushButton(QStringLiteral("Browse"));
    cmdBrowse->setObjectName(QStringLiteral("cmdBrowse"));
    cmdAppend = new QPushButton(QStringLiteral("Append"));
    cmdAppend->setObjectName(QStringLiteral("cmdAppend"));
    cmdDone = new QPushButton(QStringLiteral("Done"));
    cmdDone->setObjectName(QStringLiteral("cmdDone"));
    for (QPushButton* b : {cmdBrowse, cmdAppend, cmdDone})
        b->setAutoDefault(false);

    auto* g = new QGridLayout(this);
    g->addWidget(new QLabel(QStringLiteral("File to append (a .dat log or an .adi file):")), 0, 0, 1, 3);
    g->addWidget(txtPath, 1, 0, 1, 2);
    g->addWidget(cmdBrowse, 1, 2);
    g->addWidget(chkEliminateDupes, 2, 0, 1, 3);
    g->addWidget(chkDigitalAsDig, 3, 0, 1, 3);
    g->addWidget(prgRead, 4, 0, 1, 3);
    g->addWidget(cmdAppend, 5, 0);
    g->addWidget(cmdDone, 5, 2);

    connect(cmdBrowse, &QPushButton::clicked, this, &ImportWindow::cmdBrowse_Click);
    connect(cmdAppend, &QPushButton::clicked, this, &ImportWindow::cmdAppend_Click);
    connect(cmdDone, &QPushButton::clicked, this, &QDialog::accept);
    connect(chkEliminateDupes, &QCheckBox::clicked, this, &ImportWindow::chkEliminateDupes_Click);
}

void ImportWindow::cmdBrowse_Click()
{
    const QString f = m_station.dialogs().openFileName(QStringLiteral("Append Data or Restore From Backup"),
                                                       m_station.paths().dataDir,
                                                       QStringLiteral("*.DAT, *.ADI (*.DAT *.ADI *.dat *.adi)"));
    if (f.isEmpty())
        return;
    txtPath->setText(f);
    cmdAppend->setFocus();
}

void ImportWindow::chkEliminateDupes_Click(bool checked)
{
    if (checked)
        return;
    if (!m_station.dialogs().askYesNo(QStringLiteral("Are you sure?  Once imported, duplicates can only be removed "
                                                     "manually and will not be identified by the program."),
                                      QStringLiteral("Are you sure")))
        chkEliminateDupes->setChecked(true);
}

void ImportWindow::cmdAppend_Click()
{
    ImportOptions o;
    o.eliminateDuplicates = chkEliminateDupes->isChecked();
    o.digitalAsDig = chkDigitalAsDig->isChecked();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    cmdAppend->setEnabled(false);
    prgRead->setValue(0);
    // The file is read in one go; the bar moves as it is parsed so a big file shows life.
    appendLogFile(
        txtPath->text(), m_station.logbook(), m_station.paths().dataDir, o, m_station.dialogs(),
        [this](qint64 done, qint64 total) {
            prgRead->setValue(total > 0 ? static_cast<int>(done * 1000 / total) : 1000);
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
    cmdAppend->setEnabled(true);
    QApplication::restoreOverrideCursor();
    // Also after a failure: a file that broke off part way leaves the contacts merged so far in
    // memory, never written. Reading the log back drops them, so the table, the file and the
    // window show the same contacts.
    if (m_reloadLog)
        m_reloadLog();
    cmdDone->setFocus();
}
