#pragma once

#include "app/AppContext.h"
#include "log/LogFile.h"
#include "log/Station.h"
#include "settings/Preferences.h"
#include "support/ManualClock.h"
#include "support/ScriptedDialogs.h"
#include "support/TestAppOptions.h"
#include "support/TestFiles.h"
#include "support/WaitFor.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

// The whole program on a temporary data folder with prepared preferences and log: K1ABC 2A CT on
// 20 m CW, UTC offset 4 (the test clock's, so no offset question at start-up).
struct AppFixture : ::testing::Test {
    TempDataDir dir;
    ScriptedDialogs dialogs;
    ManualClock clock;
    std::unique_ptr<AppContext> app;

    void prepare(const QByteArray& log, const std::function<void(Preferences&)>& adjust = {})
    {
        Preferences p;
        p.ownCall = "K1ABC";
        p.ownClass = "2A";
        p.ownSection = "CT";
        p.band = "20";
        p.mode = "CW";
        p.utcOffset = 4;
        if (adjust)
            adjust(p);
        ASSERT_TRUE(SavePref(dir.file("fdpref.dat"), p));
        writeBytes(dir.file("fdlog.dat"), log);
    }
    bool start(const std::function<void(AppContext::Options&)>& adjust = {})
    {
        AppContext::Options o = testAppOptions(dir);
        if (adjust)
            adjust(o);
        app = std::make_unique<AppContext>(std::move(o), dialogs, clock);
        return app->start();
    }
    MainWindow& win() { return app->window(); }
    template <class T = QWidget> T* child(const QString& name)
    {
        T* c = app->window().findChild<T*>(name);
        EXPECT_NE(c, nullptr) << name.toStdString();
        return c;
    }
    // A missing control fails the case (in child()) instead of crashing the whole program.
    QString text(const QString& name)
    {
        const QLabel* l = child<QLabel>(name);
        return l ? l->text() : QString();
    }
    QString field(const QString& name)
    {
        const QLineEdit* e = child<QLineEdit>(name);
        return e ? e->text() : QString();
    }
    QStringList texts(const QStringList& labels)
    {
        QStringList out;
        for (const QString& l : labels)
            out << text(l);
        return out;
    }
    void trigger(const QString& action)
    {
        if (QAction* a = child<QAction>(action))
            a->trigger();
    }
    // Shown and active, so keys typed at the focus reach it.
    void showActive()
    {
        win().show();
        QApplication::setActiveWindow(&win());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&win()));
    }
    std::vector<ContactRecord> onDisk() const
    {
        std::vector<ContactRecord> records;
        LogFile(dir.file("fdlog.dat")).read(records, 100000);
        return records;
    }
};
