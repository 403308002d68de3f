#include "ui/BackupOptionsDialog.h"

#include "log/BackupScheduler.h"
#include "settings/Preferences.h"
#include "ui/KeyFilter.h"

#include <QCheckBox>
#include <QDate>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

BackupOptionsDialog::BackupOptionsDialog(BackupScheduler& scheduler, Preferences& prefs, const QString& dataDir,
                                         QWidget* parent)
    : QDialog(parent), m_scheduler(scheduler), m_prefs(prefs)
{
    setObjectName(QStringLiteral("frmBackup"));
    setWindowTitle(QStringLiteral("Backup Options"));

    // A long path wraps at its separators, never in the middle of a folder name.
    QString folder = dataDir;
    folder.replace(QLatin1Char('/'), QStringLiteral("/\u200B"));
    auto* label1 = new QLabel(QStringLiteral("Make a backup copy of your log file every 15 minutes saved in ") +
                                  folder + QStringLiteral(" (always enabled)."),
                              this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setWordWrap(true);
    const QString year = BackupScheduler::yearFolderName(QDate::currentDate());
    auto* label2 = new QLabel(QStringLiteral("Write a permanent backup of your log file every 15 minutes in ") +
                                  folder + QLatin1Char('/') + year + QStringLiteral("."),
                              this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setWordWrap(true);

    auto* always = new QCheckBox(this);
    always->setObjectName(QStringLiteral("Check1"));
    always->setChecked(true);
    always->setEnabled(false);
    m_datedCopies = new QCheckBox(this);
    m_datedCopies->setObjectName(QStringLiteral("Check2"));
    m_extraCopy = new QCheckBox(QStringLiteral("Also copy every backup to this folder:"), this);
    m_extraCopy->setObjectName(QStringLiteral("Check3"));
    m_extraFolder = new QLineEdit(this);
    m_extraFolder->setObjectName(QStringLiteral("Text1"));
    installKeyFilter(m_extraFolder, [](int& k) {
        if (k == '"')
            k = 0;
    });
    auto* browse = new QPushButton(QStringLiteral("Browse..."), this);
    browse->setObjectName(QStringLiteral("cmdBrowse"));
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString dir = QFileDialog::getExistingDirectory(this, QStringLiteral("Extra backup folder"), m_extraFolder->text());
        if (!dir.isEmpty())
            m_extraFolder->setText(dir);
    });
    auto* done = new QPushButton(QStringLiteral("Done"), this);
    done->setObjectName(QStringLiteral("Command1"));
    connect(done, &QPushButton::clicked, this, &BackupOptionsDialog::storeOptions);

    auto* grid = new QGridLayout(this);
    grid->addWidget(always, 0, 0);
    grid->addWidget(label1, 0, 1, 1, 2);
    grid->addWidget(m_datedCopies, 1, 0);
    grid->addWidget(label2, 1, 1, 1, 2);
    grid->addWidget(m_extraCopy, 2, 0, 1, 3);
    grid->addWidget(m_extraFolder, 3, 1);
    grid->addWidget(browse, 3, 2);
    grid->addWidget(done, 4, 2);

    // The year folder is looked for, and made, once per run.
    m_scheduler.ensureYearFolder();

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(60'000);
    connect(m_timer, &QTimer::timeout, this, [this] { m_scheduler.tick(); });
    m_timer->start();
}

void BackupOptionsDialog::showOptions()
{
    m_datedCopies->setChecked(m_prefs.permanentBackup == 1);
    m_extraCopy->setChecked(m_prefs.extraBackup == 1);
    m_extraFolder->setText(m_prefs.extraBackupFolder);
    exec();
}

void BackupOptionsDialog::storeOptions()
{
    m_prefs.permanentBackup = m_datedCopies->isChecked() ? 1 : 0;
    m_prefs.extraBackup = m_extraCopy->isChecked() ? 1 : 0;
    m_prefs.extraBackupFolder = m_extraFolder->text();
    hide();
    emit settingsChanged();
    accept();
}
