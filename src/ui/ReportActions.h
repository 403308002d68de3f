#pragma once

#include <QString>
#include <functional>

class QAbstractItemModel;
class QMenu;
class QWidget;
class Station;

// The report menu items of the main window's File menu: summary sheet, printed summary, ADIF,
// Cabrillo, text log and dupe sheet, their printouts, LogExp.txt, clipboard copy and the import
// window. `logListModel` is the model of the visible log list (for the clipboard copy);
// `reloadLog` is called after an import has rewritten fdlog.dat; `setStatus` shows the main
// window's progress texts ("Writing ASCII Log File." and the like, " " when done).
void installReportActions(QMenu* fileMenu, Station& station, QWidget* parent, QAbstractItemModel* logListModel,
                          std::function<void()> reloadLog, std::function<void(const QString&)> setStatus = {});
