#include "ui/SummarySheetWindow.h"

#include "entry/KeyFilters.h"
#include "log/Bands.h"
#include "log/Station.h"
#include "reports/SummaryKeptValues.h"
#include "reports/SummaryPrint.h"
#include "ui/BonusCalculatorWindow.h"
#include "ui/KeyFilter.h"
#include "ui/ReportPrinter.h"
#include "util/Clock.h"
#include "util/Dialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

template <typename W>
W* named(W* w, const char* name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

QLineEdit* line(const char* name) { return named(new QLineEdit, name); }

void zeroWhenNotNumeric(QLineEdit* e)
{
    QObject::connect(e, &QLineEdit::editingFinished, e, [e] { e->setText(numericOrZero(e->text())); });
}

}  // namespace

SummarySheetWindow::SummarySheetWindow(Station& station, QWidget* parent) : QDialog(parent), m_station(station)
{
    setObjectName(QStringLiteral("frmSummary"));
    setWindowTitle(QStringLiteral("ARRL Field Day Summary Sheet"));
    setModal(true);

    txtGotaCall = line("txtGotaCall");
    txtClubName = line("txtClubName");
    txtLocation = line("txtLocation");
    chkSetupEarly = named(new QCheckBox(QStringLiteral("Check if you began setup prior to 1800 UTC Saturday")), "chkSetupEarly");
    txtParticipants = line("txtParticipants");
    optClassB1 = named(new QRadioButton(QStringLiteral("1 Op")), "optClassB1");
    optClassB2 = named(new QRadioButton(QStringLiteral("2 Op")), "optClassB2");
    txtClassBCalls = line("txtClassBCalls");
    optPower5 = named(new QRadioButton(QStringLiteral("5 Watts or Less")), "optPower5");
    optPower150 = named(new QRadioButton(QStringLiteral("150 Watts or Less")), "optPower150");
    optPowerOver150 = named(new QRadioButton(QStringLiteral("Over 150 Watts")), "optPowerOver150");
    chkGenerator = named(new QCheckBox(QStringLiteral("Generator")), "chkGenerator");
    chkBattery = named(new QCheckBox(QStringLiteral("Battery")), "chkBattery");
    chkCommercial = named(new QCheckBox(QStringLiteral("Commercial Mains")), "chkCommercial");
    chkOtherPower = named(new QCheckBox(QStringLiteral("Other (list)..")), "chkOtherPower");
    txtOtherPower = line("txtOtherPower");
    chkSolar = named(new QCheckBox(QStringLiteral("Solar")), "chkSolar");
    chkWind = named(new QCheckBox(QStringLiteral("Wind")), "chkWind");
    lblPowerNote = named(new QLabel, "lblPowerNote");
    cmdBonus = named(new QPushButton(QStringLiteral("Bonus Calculator...")), "cmdBonus");
    lblScore = named(new QLabel, "lblScore");
    m_current = m_station.rules() == RulesEdition::FieldDay2025;
    if (m_current) {
        optPower150->setText(QStringLiteral("100 Watts or Less"));
        optPowerOver150->setText(QStringLiteral("Over 100 Watts"));
    }
    txtGotaCw = line("txtGotaCw");
    txtGotaDig = line("txtGotaDig");
    txtGotaPh = line("txtGotaPh");
    txtGotaOperators = named(new QPlainTextEdit, "txtGotaOperators");
    chkEmergencyPower = named(new QCheckBox(QStringLiteral("100% Emergency Power")), "chkEmergencyPower");
    chkW1aw = named(new QCheckBox(QStringLiteral("W1AW Field Day Message")), "chkW1aw");
    chkMedia = named(new QCheckBox(QStringLiteral("Media Publicity")), "chkMedia");
    chkMessagesRelayed = named(new QCheckBox(QStringLiteral("Messages Relayed  (no.):")), "chkMessagesRelayed");
    chkPublicPlace = named(new QCheckBox(QStringLiteral("Location in a Public Place")), "chkPublicPlace");
    chkSatellite = named(new QCheckBox(QStringLiteral("Satellite")), "chkSatellite");
    chkInfoBooth = named(new QCheckBox(QStringLiteral("Information Booth")), "chkInfoBooth");
    chkNaturalPower = named(new QCheckBox(QStringLiteral("Natural Power")), "chkNaturalPower");
    chkMessageToSm = named(new QCheckBox(QStringLiteral("Message to SM")), "chkMessageToSm");
    chkSiteVisited = named(new QCheckBox(QStringLiteral("Site visited by invited officials")), "chkSiteVisited");
    chkNonTraditional = named(new QCheckBox(QStringLiteral("Non-traditional Mode (list)")), "chkNonTraditional");
    chkYouth = named(new QCheckBox(QStringLiteral("Youth Participation  (no.):")), "chkYouth");
    txtMessagesRelayed = line("txtMessagesRelayed");
    txtNonTraditional = line("txtNonTraditional");
    txtYouth = line("txtYouth");
    txtTotalBonus = line("txtTotalBonus");
    txtName = line("txtName");
    txtAddress1 = line("txtAddress1");
    txtAddress2 = line("txtAddress2");
    txtEmail = line("txtEmail");
    cmdWriteSummary = named(new QPushButton(QStringLiteral("Write Summary File")), "cmdWriteSummary");
    cmdPrintSummary = named(new QPushButton(QStringLiteral("Print Sum Form")), "cmdPrintSummary");
    cmdDone = named(new QPushButton(QStringLiteral("Done")), "cmdDone");
    for (QPushButton* b : {cmdWriteSummary, cmdPrintSummary, cmdDone})
        b->setAutoDefault(false);

    for (QLineEdit* e : {txtParticipants, txtGotaCw, txtGotaDig, txtGotaPh, txtMessagesRelayed, txtTotalBonus})
        installKeyFilter(e, KeyFilters::digitsOnly);
    installKeyFilter(txtClassBCalls, KeyFilters::upperCase);
    installKeyFilter(txtGotaOperators, KeyFilters::upperCase);
    for (QLineEdit* e : {txtGotaCw, txtGotaDig, txtGotaPh})
        zeroWhenNotNumeric(e);

    auto* classBGroup = new QButtonGroup(this);
    classBGroup->addButton(optClassB1);
    classBGroup->addButton(optClassB2);
    optClassB1->setChecked(true);
    auto* power = new QButtonGroup(this);
    for (QRadioButton* b : {optPower5, optPower150, optPowerOver150})
        power->addButton(b);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Call Sign of GOTA Station (Class 2A and Above):"), txtGotaCall);
    form->addRow(QStringLiteral("Club or Group Name"), txtClubName);
    form->addRow(QStringLiteral("Location"), txtLocation);
    form->addRow(chkSetupEarly);
    form->addRow(QStringLiteral("Number of Participants"), txtParticipants);
    auto* bOps = new QHBoxLayout;
    bOps->addWidget(optClassB1);
    bOps->addWidget(optClassB2);
    form->addRow(QStringLiteral("If Class B (Non-club portable) select 1:"), bOps);
    form->addRow(QStringLiteral("If Class B, list calls of ops:"), txtClassBCalls);
    auto* powerRow = new QHBoxLayout;
    for (QRadioButton* b : {optPower5, optPower150, optPowerOver150})
        powerRow->addWidget(b);
    form->addRow(QStringLiteral("Maximum Power Output?"), powerRow);
    // Two rows, so the sheet stays narrow enough for a 1024 x 768 screen.
    auto* sources = new QGridLayout;
    sources->addWidget(chkGenerator, 0, 0);
    sources->addWidget(chkBattery, 0, 1);
    sources->addWidget(chkCommercial, 0, 2);
    sources->addWidget(chkSolar, 1, 0);
    sources->addWidget(chkWind, 1, 1);
    sources->addWidget(chkOtherPower, 1, 2);
    sources->addWidget(txtOtherPower, 1, 3);
    chkSolar->setVisible(m_current);
    chkWind->setVisible(m_current);
    form->addRow(QStringLiteral("Power Source:"), sources);
    form->addRow(lblPowerNote);
    auto* gota = new QHBoxLayout;
    gota->addWidget(new QLabel(QStringLiteral("CW:")));
    gota->addWidget(txtGotaCw);
    gota->addWidget(new QLabel(QStringLiteral("DIG:")));
    gota->addWidget(txtGotaDig);
    gota->addWidget(new QLabel(QStringLiteral("PH:")));
    gota->addWidget(txtGotaPh);
    form->addRow(QStringLiteral("QSO Totals for GOTA Station ONLY:"), gota);
    form->addRow(new QLabel(QStringLiteral("List all calls of operators and # of QSO's of the GOTA station:")));
    txtGotaOperators->setMaximumHeight(70);
    form->addRow(txtGotaOperators);

    auto* bonus = new QGroupBox(QStringLiteral("Bonus Points:"));
    auto* bg = new QGridLayout(bonus);
    const QList<QCheckBox*> left{chkEmergencyPower, chkW1aw,       chkMedia,       chkMessagesRelayed,
                                 chkPublicPlace,    chkSatellite};
    const QList<QCheckBox*> right{chkInfoBooth,   chkNaturalPower,   chkMessageToSm,
                                  chkSiteVisited, chkNonTraditional, chkYouth};
    for (int i = 0; i < 6; ++i) {
        bg->addWidget(left[i], i, 0);
        bg->addWidget(right[i], i, 2);
    }
    bg->addWidget(txtMessagesRelayed, 3, 1);
    bg->addWidget(txtNonTraditional, 4, 3);
    bg->addWidget(txtYouth, 5, 3);
    auto* totalLabel = new QLabel(QStringLiteral("Total Bonus Points:"));
    bg->addWidget(totalLabel, 6, 0);
    bg->addWidget(txtTotalBonus, 6, 1);
    // The current rules score every bonus: the calculator replaces the unscored checks.
    bg->addWidget(cmdBonus, 7, 0);
    bg->addWidget(lblScore, 8, 0, 1, 4);
    for (QWidget* w :
         std::initializer_list<QWidget*>{txtMessagesRelayed, txtNonTraditional, txtYouth, totalLabel, txtTotalBonus})
        w->setVisible(!m_current);
    for (QCheckBox* c : left + right)
        c->setVisible(!m_current);
    cmdBonus->setVisible(m_current);
    lblScore->setVisible(m_current);
    lblScore->setWordWrap(true);
    form->addRow(bonus);

    form->addRow(QStringLiteral("Your Name:"), txtName);
    form->addRow(QStringLiteral("Address Line 1:"), txtAddress1);
    form->addRow(QStringLiteral("Address Line 2:"), txtAddress2);
    form->addRow(QStringLiteral("Email Address:"), txtEmail);

    m_countsLabel = named(new QLabel, "lblCounts");
    m_countsLabel->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    form->addRow(m_countsLabel);

    auto* inner = new QWidget;
    inner->setLayout(form);
    auto* scroll = new QScrollArea;
    m_scroll = scroll;
    scroll->setObjectName(QStringLiteral("scrSheet"));
    scroll->setWidget(inner);
    scroll->setWidgetResizable(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdWriteSummary);
    buttons->addWidget(cmdPrintSummary);
    buttons->addStretch();
    buttons->addWidget(cmdDone);
    auto* top = new QVBoxLayout(this);
    top->addWidget(scroll);
    top->addLayout(buttons);
    resize(760, 700);

    connect(cmdWriteSummary, &QPushButton::clicked, this, &SummarySheetWindow::WriteSummaryFile);
    connect(cmdPrintSummary, &QPushButton::clicked, this, &SummarySheetWindow::PrintSummarySheet);
    connect(cmdDone, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdBonus, &QPushButton::clicked, this, &SummarySheetWindow::openBonusCalculator);

    // Opening: the kept values, the Class B tab stops, the counts.
    SummaryValues kept;
    loadKeptSummaryValues(m_station.userStore(), kept);
    txtName->setText(kept.yourName);
    txtAddress1->setText(kept.address1);
    txtAddress2->setText(kept.address2);
    txtEmail->setText(kept.email);
    txtClubName->setText(kept.clubName);
    const bool classB = m_station.prefs().ownClass.endsWith(QLatin1Char('B'));
    for (QWidget* w : std::initializer_list<QWidget*>{optClassB1, optClassB2, txtClassBCalls})
        w->setFocusPolicy(classB ? Qt::StrongFocus : Qt::ClickFocus);
    CountContactsByBandAndMode();
    if (m_current) {
        m_claims = EntryClaimsFile::read(m_station.paths().dataDir);
        const PowerSources& s = m_claims.sources;
        optPower5->setChecked(m_claims.level == PowerLevel::Up5);
        optPower150->setChecked(m_claims.level == PowerLevel::Up100);
        optPowerOver150->setChecked(m_claims.level == PowerLevel::Over100);
        chkGenerator->setChecked(s.generator);
        chkBattery->setChecked(s.battery);
        chkCommercial->setChecked(s.mains);
        chkOtherPower->setChecked(s.other);
        chkSolar->setChecked(s.solar);
        chkWind->setChecked(s.wind);
        for (QAbstractButton* b :
             std::initializer_list<QAbstractButton*>{optPower5, optPower150, optPowerOver150, chkGenerator, chkBattery,
                                                     chkCommercial, chkOtherPower, chkSolar, chkWind})
            connect(b, &QAbstractButton::toggled, this, &SummarySheetWindow::powerChanged);
        connect(txtGotaCw, &QLineEdit::textChanged, this, &SummarySheetWindow::showScore);
        connect(txtGotaDig, &QLineEdit::textChanged, this, &SummarySheetWindow::showScore);
        connect(txtGotaPh, &QLineEdit::textChanged, this, &SummarySheetWindow::showScore);
        showScore();
    }
}

void SummarySheetWindow::powerChanged()
{
    const SummaryValues v = values();
    m_claims.level = v.claims.level;
    m_claims.sources = sheetPowerSources(v);
    QString error;
    if (!EntryClaimsFile::write(m_station.paths().dataDir, m_claims, &error))
        m_station.dialogs().message(error, QStringLiteral("Unable to write file."), Dialogs::Icon::Warning);
    showScore();
}

void SummarySheetWindow::showScore()
{
    const SummaryValues v = values();
    const ClaimedScore c = currentRulesScore(m_counts, v);
    lblPowerNote->setText(c.x5Refusal);
    lblScore->setText(QStringLiteral("Claimed score: %1 QSO points x %2 + %3 bonus points = %4")
                          .arg(summaryScore(m_counts, v).qsoPoints)
                          .arg(c.multiplier)
                          .arg(c.bonusPoints)
                          .arg(c.claimed));
}

void SummarySheetWindow::openBonusCalculator()
{
    const SummaryValues v = values();
    BonusCalculatorWindow w(m_claims.bonus, entryClassLetter(v.ownClass), summaryScore(m_counts, v).qsoPoints,
                            currentRulesScore(m_counts, v).multiplier, this);
    if (w.exec() != QDialog::Accepted)
        return;
    m_claims.bonus = w.claims();
    powerChanged();
}

void SummarySheetWindow::CountContactsByBandAndMode()
{
    m_counts = ::CountContactsByBandAndMode(m_station.log().records());
    showCounts();
}

void SummarySheetWindow::showCounts()
{
    QString t = QStringLiteral("Band      CW   DIG    PH\n");
    const QStringList& bands = Bands::labels();
    for (int b = 0; b < bands.size(); ++b) {
        t += QStringLiteral("%1%2%3%4\n")
                 .arg(bands[b], -6)
                 .arg(m_counts.at(b, 0), 6)
                 .arg(m_counts.at(b, 1), 6)
                 .arg(m_counts.at(b, 2), 6);
    }
    m_countsLabel->setText(t);
}

SummaryValues SummarySheetWindow::values() const
{
    SummaryValues v;
    v.callUsed = m_station.prefs().ownCall;
    v.ownClass = m_station.prefs().ownClass;
    v.ownSection = m_station.prefs().ownSection;
    v.gotaCall = txtGotaCall->text();
    v.clubName = txtClubName->text();
    v.location = txtLocation->text();
    v.setupEarly = chkSetupEarly->isChecked();
    v.participants = txtParticipants->text();
    v.classBOneOp = optClassB1->isChecked();
    v.classBCalls = txtClassBCalls->text();
    v.power = optPower5->isChecked()         ? PowerClass::Qrp5
              : optPower150->isChecked()     ? PowerClass::Low150
              : optPowerOver150->isChecked() ? PowerClass::High
                                             : PowerClass::None;
    v.generator = chkGenerator->isChecked();
    v.battery = chkBattery->isChecked();
    v.commercialMains = chkCommercial->isChecked();
    v.otherPower = chkOtherPower->isChecked();
    v.otherPowerList = txtOtherPower->text();
    v.gotaCw = txtGotaCw->text();
    v.gotaDig = txtGotaDig->text();
    v.gotaPh = txtGotaPh->text();
    v.gotaOperators = txtGotaOperators->toPlainText();
    v.bonusEmergencyPower = chkEmergencyPower->isChecked();
    v.bonusW1awMessage = chkW1aw->isChecked();
    v.bonusMedia = chkMedia->isChecked();
    v.bonusMessagesRelayed = chkMessagesRelayed->isChecked();
    v.bonusPublicPlace = chkPublicPlace->isChecked();
    v.bonusSatellite = chkSatellite->isChecked();
    v.bonusInfoBooth = chkInfoBooth->isChecked();
    v.bonusNaturalPower = chkNaturalPower->isChecked();
    v.bonusMessageToSm = chkMessageToSm->isChecked();
    v.bonusSiteVisited = chkSiteVisited->isChecked();
    v.bonusNonTraditional = chkNonTraditional->isChecked();
    v.bonusYouth = chkYouth->isChecked();
    v.messagesRelayed = txtMessagesRelayed->text();
    v.nonTraditionalModes = txtNonTraditional->text();
    v.youthCount = txtYouth->text();
    v.totalBonus = txtTotalBonus->text();
    v.yourName = txtName->text();
    v.address1 = txtAddress1->text();
    v.address2 = txtAddress2->text();
    v.email = txtEmail->text();
    if (m_current) {
        v.rules = RulesEdition::FieldDay2025;
        v.claims = m_claims;
        v.claims.level = optPower5->isChecked()         ? PowerLevel::Up5
                         : optPower150->isChecked()     ? PowerLevel::Up100
                         : optPowerOver150->isChecked() ? PowerLevel::Over100
                                                        : PowerLevel::None;
        v.claims.sources.solar = chkSolar->isChecked();
        v.claims.sources.wind = chkWind->isChecked();
        v.power = PowerClass::None;
    }
    return v;
}

void SummarySheetWindow::storeBack(const SummaryValues& v)
{
    txtTotalBonus->setText(v.totalBonus);
    txtGotaCw->setText(v.gotaCw);
    txtGotaDig->setText(v.gotaDig);
    txtGotaPh->setText(v.gotaPh);
    m_station.prefs().ownCall = v.callUsed;
}

void SummarySheetWindow::WriteSummaryFile()
{
    SummaryValues v = values();
    ::WriteSummaryFile(v, m_counts, m_station.log().size(), m_station.paths().dataDir,
                       m_station.clock().localNow().date(), m_station.dialogs(), m_station.userStore(),
                       m_station.shared());
    storeBack(v);
}

void SummarySheetWindow::PrintSummarySheet()
{
    // The sheet runs past one page: split it where a page of 11-point text ends.
    const QStringList lines = printedSummaryLines(values(), m_counts);
    PrintPages pages;
    for (qsizetype i = 0; i < lines.size(); i += 60)
        pages.push_back(lines.mid(i, 60));
    previewReport(pages, 11, QStringLiteral("ARRL Field Day Summary"), this);
    m_station.dialogs().beep();
    m_station.dialogs().message(SummaryTexts::printedFormsMessage(), QString::fromLatin1(SummaryTexts::PrintedFormsTitle),
                                Dialogs::Icon::Information);
}
