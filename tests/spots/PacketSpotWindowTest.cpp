// The "DX Spotting Setup" window over a session against the loopback cluster.
#include "ui/PacketSpotWindow.h"
#include "ClusterReplayServer.h"
#include "LoopbackAgwEngine.h"
#include "SpotSessionFixture.h"
#include "settings/UserSettingsStore.h"
#include "support/TestFiles.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

TEST_F(SpotSessionFixture, PacketWindowChoosesTelnetOpensSendsAndSavesOnDone)
{
    ClusterReplayServer server({"login: ", "DX de K1TTT:     14025.0  W1AW         CW\r\n", false});
    TempDataDir dir;
    const QString file = dir.file("PackSpot.txt");
    PacketSpotWindow w(session, file);
    w.show();
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

    w.startSpotLine();
    EXPECT_EQ(send->selectedText(), "Frequency in kHz");
    w.findChild<QPushButton*>("Command2")->click();
    EXPECT_TRUE(w.findChild<QLabel*>("lblListening")->isHidden());
    w.findChild<QComboBox*>("cboHandshaking")->setCurrentText("RTS OnOff");
    w.findChild<QComboBox*>("cboComPort")->setCurrentText("3");
    w.findChild<QComboBox*>("cboMainFormDisplay")->setCurrentText("List");
    w.findChild<QCheckBox*>("chkConvToHex")->setChecked(true);
    w.finish();
    SpotSettings back;
    EXPECT_TRUE(back.parse(readBytes(file)));
    EXPECT_EQ(
        std::tuple(back.source, back.telnetPort, back.handshaking, back.port, back.mainFormList, back.convertToHex),
        std::tuple(QString("Telnet"), QString::number(server.port()), 4, 3, true, 1));
}

TEST_F(SpotSessionFixture, PacketWindowAgwSourceRegistersConnectsTitlesAndDisconnects)
{
    LoopbackEngine engine;
    TempDataDir dir;
    UserSettingsStore store(dir.file("user.ini"));
    PacketSpotWindow w(session, dir.file("PackSpot.txt"), &store);
    auto* agwPort = w.findChild<QLineEdit*>("txtAgwPort");
    EXPECT_EQ(agwPort->text(), "8000");
    agwPort->setText(QString::number(engine.port()));
    QSignalSpy messages(&session, &SpotSession::message);
    auto* sources = w.findChild<QListWidget*>("List1");
    auto* send = w.findChild<QLineEdit*>("txtSent");
    emit sources->itemClicked(sources->findItems("AGW Packet Engine", Qt::MatchExactly).front());
    const auto type = [&](const QString& text) {
        send->setText(text);
        emit send->returnPressed();
    };
    w.findChild<QPushButton*>("Command1")->click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0],
              (QVariantList{"Please enter your call sign on the setup form to transmit!", "Call Sign Required!"}));
    EXPECT_FALSE(session.isListening());

    board.setOwnCall("N0CALL");
    w.findChild<QPushButton*>("Command1")->click();
    WAIT_TRUE(session.received().text().contains("** Successfully connected to AGW Packet Engine **"), 5000);
    type("sh/dx"); // not connected: nothing goes out
    type(":D");
    type(":c ");
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[1],
              (QVariantList{"You must enter a call sign to connect to such as :C VESKA", "Call sign Required"}));
    type(":c gb7djk");
    WAIT_EQ(w.windowTitle(), "DX Spotting Setup - Connected to GB7DJK", 5000);
    WAIT_EQ(board.rows().size(), 1u, 5000); // its line came in two frames
    EXPECT_TRUE(session.received().text().contains("** Connected to GB7DJK **"));
    EXPECT_TRUE(session.received().text().contains("Hello from GB7DJK\r\n"));
    type("sh/dx");
    type(":d");
    WAIT_EQ(w.windowTitle(), "DX Spotting Setup", 5000);
    type("sh/dx"); // the node is gone: nothing goes out
    type(":c gb7djk");
    WAIT_EQ(w.windowTitle(), "DX Spotting Setup - Connected to GB7DJK", 5000);
    ASSERT_EQ(engine.received.size(), 5u);
    const auto& got = engine.received;
    EXPECT_EQ(QByteArray() + got[0].kind + got[1].kind + got[2].kind + got[3].kind + got[4].kind + got[2].data,
              "XCDdCsh/dx\r");
    w.findChild<QPushButton*>("Command2")->click();
    EXPECT_EQ(w.windowTitle(), "DX Spotting Setup");

    // The address the window was given outlives the program in the per-user store.
    w.finish();
    SpotSession later(board);
    later.loadAgwAddress(store);
    EXPECT_EQ(later.agwPort(), engine.port());
    EXPECT_EQ(later.agwHost(), "127.0.0.1");

    agwPort->setText(QString::number(closedLoopbackPort()));
    w.findChild<QPushButton*>("Command1")->click();
    WAIT_EQ(messages.size(), 3, 5000);
    EXPECT_EQ(messages[2][1].toString(), "Unable to connect to the AGW Packet Engine.");
    EXPECT_FALSE(session.isListening());
}
