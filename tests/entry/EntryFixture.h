#pragma once

#include "entry/EntryWorkflow.h"
#include "log/ContactLog.h"
#include "log/Logbook.h"
#include "log/OperatingState.h"
#include "log/SectionTable.h"
#include "settings/Preferences.h"
#include "support/ManualClock.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

// A log on disk, the operating state and an entry workflow on 20 m CW, operator JS, UTC offset 4,
// local time 2026-06-27 14:00:00 (so contacts are stamped 18:00:00).
struct EntryFixture : ::testing::Test {
    TempDataDir dir;
    ScriptedDialogs dialogs;
    ManualClock clock;
    Preferences prefs = [] {
        Preferences p;
        p.band = "20";
        p.mode = "CW";
        p.operatorInitials = "JS";
        p.utcOffset = 4.0f;
        return p;
    }();
    ContactLog log{SectionTable::standard()};
    Logbook book{log, dir.file("fdlog.dat"), dir.file("LogBkUp.dat"), dialogs};
    OperatingState state{prefs};
    EntryWorkflow wf{book, state, prefs, dialogs, clock};

    static ContactRecord rec(const QString& call, const QString& band = "20", const QString& mode = "CW",
                             const QString& time = "18:05:31")
    {
        return {call, "2A", "CT", "2026/06/27", time, band, mode, "AB", "14.025"};
    }
    void seed(const std::vector<ContactRecord>& records)
    {
        ASSERT_TRUE(LogFile(dir.file("fdlog.dat")).rewrite(records));
        ASSERT_TRUE(book.reload());
    }
    QByteArray fileText() const { return readBytes(dir.file("fdlog.dat")); }
    static QByteArray line(const char* fields) { return QByteArray(fields) + "\r\n"; }
    // The call, class and section fields.
    QStringList fields() const { return {v().txtCall, v().txtCK, v().txtSec}; }
    // The three fields are empty and the focus is back in the call field.
    void expectEntryCleared() const
    {
        EXPECT_EQ(fields(), QStringList({"", "", ""}));
        EXPECT_EQ(v().focus, EntryField::Call);
    }
    const EntryView& v() const { return wf.view(); }
    // The text and title of the last message or question.
    QStringList told() const { return {dialogs.last().text, dialogs.last().title}; }
};
