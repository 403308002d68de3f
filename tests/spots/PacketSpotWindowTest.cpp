// The "DX Spotting Setup" window over a session against the loopback cluster.
#include "ui/PacketSpotWindow.h"
#include "ClusterReplayServer.h"
#include "spots/SpotBoard.h"
#include "spots/SpotSession.h"
#include "support/ManualClock.h"
#include "support/TestFiles.h"
#include "support/WaitFor.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

TEST(PacketSpotWindow, ChooseTelnetOpenSendAndSaveOnDone)
{
    ClusterReplayServer server({"login: ", "DX de K1TTT:     14025.0  W1AW         CW\r\n", true, false, 7});
    TempDataDir dir;
    const QString file = QDir(dir.path()).filePath("PackSpot.txt");
    ManualClock clock;
    SpotBoard board(clock);
    SpotSession session(board);
    PacketSpotWindow w(session, file);
    EXPECT_EQ(w.windowTitle(), "DX Spotting Setup");

    auto* sources = w.findChild<QListWidget*>("List1");
    auto* send = w.findChild<QLineEdit*>("txtSent");
    ASSERT_TRUE(sources && send);
    QListWidgetItem* telnet = sources->findItems("Telnet", Qt::MatchExactly).front();
    emit sources->itemClicked(telnet);
    w.findChild<QLineEdit*>("txtTelnetHost")->setText("127.0.0.1");
    w.findChild<QLineEdit*>("txtTelnetPort")->setText(QString::number(server.port()));
    w.findChild<QPushButton*>("Command1")->click();
    EXPECT_FALSE(w.findChild<QLabel*>("lblListening")->isHidden());
    auto* box = w.findChild<QPlainTextEdit*>("txtUnProcessed");
    WAIT_TRUE(box->toPlainText().endsWith("login: "), 5000);
    send->setText("N0CALL");
    emit send->returnPressed();
    EXPECT_EQ(send->text(), "");
    WAIT_EQ(server.received, "N0CALL\r\n", 5000);
    WAIT_TRUE(server.finished, 5000);
    SCOPED_TRACE(box->toPlainText().toStdString());
    WAIT_EQ(board.rows().size(), 1u, 5000);
    EXPECT_TRUE(box->toPlainText().contains("W1AW"));

    w.startSpotLine();
    EXPECT_EQ(send->selectedText(), "Frequency in kHz");
    w.findChild<QPushButton*>("Command2")->click();
    EXPECT_TRUE(w.findChild<QLabel*>("lblListening")->isHidden());
    w.finish();
    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    SpotSettings back;
    EXPECT_TRUE(back.parse(saved.readAll()));
    EXPECT_EQ(back.source, "Telnet");
    EXPECT_EQ(back.telnetPort, QString::number(server.port()));
}
