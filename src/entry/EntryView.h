#pragma once

#include "log/DisplayColours.h"

#include <QString>

// The entry fields of the main window.
enum class EntryField { None, Call, Class, Section, PostConDate, PostConTime };

// Everything the main window draws for the entry area, read after every call.
struct EntryView {
    QString txtCall;
    QString txtCK;
    QString txtSec;
    QString txtPostConDate;
    QString txtPostConTime;
    EntryField focus = EntryField::Call; // the field that must hold the focus
    unsigned selectAll = 0;              // bit (1 << field): select the whole text once (pre-fills)
    LabelView lblDialog{QString(), DisplayColours::Panel};
    LabelView lblDupe{QString(), DisplayColours::ButtonFace};
    bool editDeleteVisible = false;  // cmdEdit and cmdDelete
    bool postContestVisible = false; // txtPostConDate/Time and their labels; mnuPostContest checked
    bool dupWarningOn = true;        // cmdDup caption "On" / "Off"
};
