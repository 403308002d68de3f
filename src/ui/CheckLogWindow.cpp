#include "ui/CheckLogWindow.h"

#include "entry/ExchangeValidator.h"
#include "log/Station.h"
#include "ui/EditContactDialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

CheckLogWindow::CheckLogWindow(Station& station, std::function<void(int)> openRecord, QWidget* parent)
    : QDialog(parent), m_station(station), m_openRecord(std::move(openRecord))
{
    setObjectName(QStringLiteral("frmCheckLog"));
    setWindowTitle(QStringLiteral("Check Log"));
    lstFindings = new QTableWidget(0, 4, this);
    lstFindings->setObjectName(QStringLiteral("lstFindings"));
    lstFindings->setHorizontalHeaderLabels(
        {QStringLiteral("Record"), QStringLiteral("Finding"), QStringLiteral("Call"), QStringLiteral("Detail")});
    lstFindings->verticalHeader()->hide();
    lstFindings->horizontalHeader()->setStretchLastSection(true);
    lstFindings->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstFindings->setSelectionMode(QAbstractItemView::SingleSelection);
    lstFindings->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lblCount = new QLabel(this);
    lblCount->setObjectName(QStringLiteral("lblCount"));
    cmdOpen = new QPushButton(QStringLiteral("&Open Record"), this);
    cmdOpen->setObjectName(QStringLiteral("cmdOpen"));
    cmdDone = new QPushButton(QStringLiteral("Done"), this);
    cmdDone->setObjectName(QStringLiteral("cmdDone"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblCount, 1);
    buttons->addWidget(cmdOpen);
    buttons->addWidget(cmdDone);
    auto* top = new QVBoxLayout(this);
    top->addWidget(lstFindings, 1);
    top->addLayout(buttons);
    resize(640, 420);

    connect(cmdOpen, &QPushButton::clicked, this, &CheckLogWindow::openSelected);
    connect(lstFindings, &QTableWidget::cellActivated, this, &CheckLogWindow::openSelected);
    connect(cmdDone, &QPushButton::clicked, this, &QDialog::accept);
    recheck();
}

void CheckLogWindow::recheck()
{
    m_findings = checkEntry(m_station.log().records(), m_station.rules(), m_station.log().sections());
    lstFindings->setRowCount(int(m_findings.size()));
    for (int row = 0; row < int(m_findings.size()); ++row) {
        const Finding& f = m_findings[size_t(row)];
        const QString cells[] = {QString::number(f.record), findingCodeText(f.code), f.call, f.detail};
        for (int c = 0; c < 4; ++c)
            lstFindings->setItem(row, c, new QTableWidgetItem(cells[c]));
    }
    lstFindings->resizeColumnsToContents();
    lblCount->setText(m_findings.empty() ? QStringLiteral("No findings: the log is ready to send.")
                                         : QStringLiteral("%1 findings").arg(m_findings.size()));
    cmdOpen->setEnabled(!m_findings.empty());
    if (!m_findings.empty())
        lstFindings->selectRow(0);
}

void CheckLogWindow::openSelected()
{
    const int row = lstFindings->currentRow();
    if (row < 0 || row >= int(m_findings.size()) || !m_openRecord)
        return;
    m_openRecord(m_findings[size_t(row)].record);
    recheck();
    lstFindings->selectRow(std::min(row, lstFindings->rowCount() - 1));
}

void editRecord(Station& station, int recNo, QWidget* parent)
{
    ExchangeValidator validator(station.log(), station.dialogs());
    EditContactDialog dialog(station.logbook(), validator, recNo, parent);
    const bool stored = dialog.exec() == QDialog::Accepted;
    // As after the main window's Edit: Cancel rewrites and reloads so the file matches the table,
    // unless the log has unreadable lines that a rewrite from memory would drop.
    if (!stored && station.logbook().firstUnreadLine() == 0)
        station.logbook().rewriteAndReload();
}
