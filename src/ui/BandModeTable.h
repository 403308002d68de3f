#pragma once

#include <QTableWidget>

class ContactLog;

// Contacts counted by band (rows, the fixed band order) and mode (CW, DIG, PH), with totals,
// beside the contact list.
class BandModeTable : public QTableWidget {
    Q_OBJECT
public:
    explicit BandModeTable(QWidget* parent = nullptr);
    void refresh(const ContactLog& log);
    QSize sizeHint() const override;
};
