#pragma once

#include "log/Frequency.h"

#include <QDateTime>
#include <QString>

namespace Wsjtx {
struct QsoLogged;
}

// A contact handed over complete by a digital-mode program, before the logger's own tests.
struct DigitalContact {
    QString source; // the program, for the message line ("WSJT-X")
    QString call;
    QString cls;
    QString section;
    QDateTime timeOnUtc;
    Frequency frequency; // the Tx frequency: it decides the band
};

// The exchange comes from "Exchange received" ("2A EMA"), or from the comments when the
// operator typed it there; both are upper-cased, and anything past class and section is dropped.
DigitalContact digitalContactFromWsjtx(const Wsjtx::QsoLogged& qso);
