#include "ui/ReportActions.h"

#include "log/Station.h"
#include "reports/AdifExport.h"
#include "reports/CabrilloExport.h"
#include "reports/EntryClaims.h"
#include "reports/SummarySheet.h"
#include "reports/TextReports.h"
#include "ui/BonusCalculatorWindow.h"
#include "ui/CheckLogWindow.h"
#include "ui/ImportWindow.h"
#include "ui/ReportPrinter.h"
#include "ui/SummarySheetWindow.h"
#include "util/Clock.h"
#include "util/Dialogs.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QClipboard>
#include <QLocale>
#include <QMenu>

namespace {

StationIdentity identity(Station& s) { return {s.prefs().ownCall, s.prefs().ownClass, s.prefs().ownSection}; }

void openSummary(Station& s, QWidget* parent, const char* missingTitle)
{
    if (!summaryIdentityComplete(s.prefs().ownCall, s.prefs().ownClass, s.prefs().ownSection)) {
        s.dialogs().beep();
        s.dialogs().message(QString::fromLatin1(SummaryTexts::NeedIdentity), QString::fromLatin1(missingTitle),
                            Dialogs::Icon::Warning);
        return;
    }
    SummarySheetWindow sheet(s, parent);
    sheet.exec();
}

// The bonus claims kept in the data folder, edited in the calculator without the summary window.
void editStoredBonusClaims(Station& s, QWidget* parent)
{
    EntryClaims c = EntryClaimsFile::read(s.paths().dataDir);
    const QChar letter = entryClassLetter(s.prefs().ownClass);
    const qint64 qsoPoints =
        computeScore(CountContactsByBandAndMode(s.log().records()), {}, PowerClass::None).qsoPoints;
    BonusCalculatorWindow w(c.bonus, letter, qsoPoints, scoreClaims(qsoPoints, c, letter).multiplier, parent);
    if (w.exec() != QDialog::Accepted)
        return;
    c.bonus = w.claims();
    QString error;
    if (!EntryClaimsFile::write(s.paths().dataDir, c, &error))
        s.dialogs().message(error, QStringLiteral("Unable to write file."), Dialogs::Icon::Warning);
}

}  // namespace

void installReportActions(QMenu* menu, Station& s, QWidget* parent, QAbstractItemModel* logListModel,
                          std::function<void()> reloadLog, std::function<void(const QString&)> setStatus)
{
    auto status = [setStatus](const QString& t) {
        if (setStatus)
            setStatus(t);
    };
    auto add = [menu](const char* name, const QString& text, auto handler) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QLatin1String(name));
        QObject::connect(a, &QAction::triggered, menu, handler);
        return a;
    };
    add("mnuWriteSumm", QStringLiteral("Write Summary File..."),
        [&s, parent] { openSummary(s, parent, SummaryTexts::NeedIdentityTitleWrite); });
    add("mnuPrntSum", QStringLiteral("Print Summary Sheet..."),
        [&s, parent] { openSummary(s, parent, SummaryTexts::NeedIdentityTitlePrint); });
    // The bonuses are those of the current rules only.
    QAction* bonus =
        add("mnuBonusCalc", QStringLiteral("Bonus Points..."), [&s, parent] { editStoredBonusClaims(s, parent); });
    QObject::connect(menu, &QMenu::aboutToShow, bonus,
                     [&s, bonus] { bonus->setEnabled(s.rules() == RulesEdition::FieldDay2025); });
    menu->addSeparator();
    add("mnuADIFExport", QStringLiteral("ADIF Export..."), [&s] {
        // One form for every question, so Cancel stops the export before the save dialog.
        if (const auto options = askAdifOptions(s.dialogs(), s.rules()))
            writeAdifExport(s.log().records(), *options, s.paths().dataDir,
                            QLocale::system().toString(s.clock().localNow().date(), QLocale::ShortFormat), s.dialogs());
    });
    add("mnuCabrilloExport", QStringLiteral("Cabrillo Export..."), [&s] {
        CabrilloHeader h;
        h.station = identity(s);
        h.station.call = h.station.call.trimmed();
        h.club = s.userStore().value(QStringLiteral("UserClubName"));
        std::optional<qint64> claimed;
        if (s.rules() == RulesEdition::FieldDay2025) {
            // The power step and bonus stored by the summary window; the category keeps its
            // three steps, the 100 W step being the low one.
            const EntryClaims c = EntryClaimsFile::read(s.paths().dataDir);
            const PowerClass category[] = {PowerClass::None, PowerClass::Qrp5, PowerClass::Low150, PowerClass::High};
            h.power = category[static_cast<int>(c.level)];
            const qint64 qsoPoints =
                computeScore(CountContactsByBandAndMode(s.log().records()), {}, PowerClass::None).qsoPoints;
            claimed = scoreClaims(qsoPoints, c, entryClassLetter(s.prefs().ownClass)).claimed;
        }
        exportCabrillo(s.log().records(), h, s.paths().dataDir, s.dialogs(), s.userStore(), claimed);
    });
    add("mnuAsciiLog", QStringLiteral("Write ASCII Log File..."), [&s, status] {
        StationIdentity id = identity(s);
        status(QStringLiteral("Writing ASCII Log File."));
        writeAsciiLog(s.log().records(), id, s.paths().dataDir, s.dialogs());
        s.prefs().ownCall = id.call;
        status(QStringLiteral(" "));
    });
    add("mnuAsciiDupe", QStringLiteral("Write ASCII Dupe Sheet..."), [&s] {
        StationIdentity id = identity(s);
        writeDupeSheet(s.log().records(), id, s.paths().dataDir, s.dialogs());
    });
    add("mnuPrntlog", QStringLiteral("Print Log..."), [&s, parent, status] {
        status(QStringLiteral("Preview of the log for printing."));
        previewReport(printedLogPages(s.log().records(), identity(s)), 11, QStringLiteral("ARRL Field Day Log"), parent);
        status(QStringLiteral(" "));
    });
    add("mnuPrntdupe", QStringLiteral("Print Dupe Sheet..."), [&s, parent] {
        previewReport(printedDupePages(s.log().records(), identity(s)), 11, QStringLiteral("ARRL Field Day Dupe Sheet"),
                      parent);
    });
    add("mnuLedraExport", QStringLiteral("Export LogExp.txt for Ledra"),
        [&s] { writeLedraExport(s.log().records(), s.paths().dataDir, s.dialogs(), s.rules()); });
    add("mnuCopyListtoClipboard", QStringLiteral("Copy Log List to Clipboard"), [logListModel] {
        if (!logListModel)
            return;
        QClipboard* c = QApplication::clipboard();
        c->clear();
        c->setText(buildClipboardText(*logListModel));
    });
    menu->addSeparator();
    add("mnuCombine", QStringLiteral("Append Data or Restore From Backup..."), [&s, parent, reloadLog] {
        ImportWindow w(s, reloadLog, parent);
        w.exec();
    });
    add("mnuCheckLog", QStringLiteral("Check Log..."), [&s, parent] {
        CheckLogWindow w(
            s, [&s, parent](int recNo) { editRecord(s, recNo, parent); }, parent);
        w.exec();
    });
}
