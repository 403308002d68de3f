#pragma once

#include <QObject>

class QWidget;

// Small entry filters for the report windows: upper-casing letters, or digits only. (A shared
// set for every window is on its way; these stay private to the report windows until then.)
class ReportKeyFilter : public QObject {
    Q_OBJECT
public:
    enum class Kind { Capital, Number };
    static void install(QWidget* w, Kind kind);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ReportKeyFilter(Kind kind, QObject* parent) : QObject(parent), m_kind(kind) {}
    Kind m_kind;
};
