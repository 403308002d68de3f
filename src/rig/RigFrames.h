#pragma once

// Command frames for every rig family the rig window knows. Pure functions over bytes: the
// poller owns the port and only asks here what to send.
//
// Kenwood / Elecraft (ASCII, ';'-terminated): "FA;" asks the VFO A frequency, answered
//   "FA" + 11 digits of Hz + ";"; "MD;" asks the mode, answered "MDn;" (1 LSB, 2 USB, 3 CW,
//   4 FM, 5 AM, 6 FSK, 7 CW-R). Setting: "FA00014025000;", "MD3;". "Kenwood 2" polls "IF;"
//   (38 characters: Hz at 2-12, mode at 29, VFO at 30) and sets "FB..." when VFO B is in use.
//   Both Kenwood types also ask "DA;" (answered "DA0;" / "DA1;" by the TS-590 and later, "?;"
//   by older radios): data on a voice mode is a digital contact. Elecraft radios report their
//   DATA modes in MD (6, 9); the K3's "DT" sub-mode is kept even outside DATA, so it is not asked.
// Yaesu FTdx9000 (ASCII): "FA" + 8 digits of Hz + ";", mode "MD0n;".
// Icom CI-V and Ten-Tec Omni VI: FE FE <to> <from=E0> <cmd> [data] FD. 03 reads the
//   frequency, 04 the mode; 05 sets the frequency (5 packed-BCD bytes, least significant
//   first: 14.025 MHz is 00 50 02 14 00), 06 sets the mode (00 LSB, 01 USB, 02 AM, 03 CW,
//   04 RTTY, 05 FM, 07 CW-R, 08 RTTY-R). The address is the box text at characters 7-8.
//   The mode reply is the mode byte and then a filter byte. The IC-735 carries its frequency
//   in four BCD bytes both ways.
// Yaesu 5-byte CAT: four parameter bytes then the opcode. "Yaesu" (FT-817 style) sets the
//   frequency with 4 BCD bytes of 10-Hz units most significant first and opcode 01, the mode
//   with opcode 07; the status-block Yaesus (757 GX II, 890, 920, 990, 1000 D, 1000) set it
//   least significant first with opcode 0A, the mode with 0C. 00 00 00 00 00 / 00 00 00 00 80
//   turn CAT on and off on the FT-847 only (on the FT-817/857/897 they are LOCK ON / OFF), so
//   they go out only when the operator asks for them.
//   Binary replies have no terminator: one is whole at its family's length, or once the line
//   has been quiet for three character times.
// Ten-Tec front panel: 2A 41 <Hz as a big-endian uint32> 0D sets; "?A\r" / "?M\r" read.
// Ten-Tec Orion: CR-terminated ASCII, "?AF" / "?RMM" read, "*AF<Hz>" sets; "X\r"
//   wakes it after the port opens.
// Hamlib rigctld (TCP, '\n'-terminated lines): "f" answers Hz, "m" answers mode and
//   passband on two lines; "F <Hz>" and "M <mode> 0" set, answered "RPRT 0".

#include "log/Frequency.h"
#include "rig/RigCatalog.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace RigFrames {

// "FEFE64E003FD" to bytes: each pair of hex digits, from the first, becomes one byte.
QByteArray HexPairsToBytes(const QString& hex);
// Spaced pairs "FE FE 64" read at characters 1, 4, 7, ... (at most `maxBytes`).
QByteArray spacedHexToBytes(const QString& text, int maxBytes = -1);
// "FE FE 64": how the window shows raw replies.
QString bytesToSpacedHex(const QByteArray& bytes);

// The frequency frame (step 4 of a frequency change); empty for rigs without one.
QByteArray frequencyFrame(RigFamily family, Frequency f, const QString& freqBox, int vfoFlag);
// The pause before the frequency frame.
int frequencyPauseMs(RigFamily family);
// The mode frame; nullopt when the family has no frame for that mode word.
std::optional<QByteArray> modeFrame(RigFamily family, const QString& mode, const QString& freqBox,
                                    const QString& modeBox);

// What one send tick puts on the port. `toggle` is the frequency/mode alternation of the
// families that send one command per poll; it is flipped here when they use it.
QList<QByteArray> pollCommands(RigFamily family, const QString& freqBox, const QString& modeBox, bool convertToHex,
                               int& toggle);

QByteArray yaesuOpenBytes();
QByteArray yaesuCloseBytes();
QByteArray orionStartBytes();

// The two lines of the Pegasus control file: frequency, then mode.
QByteArray pegasusInText(Frequency f, const QString& lastMode);

// Our mode words in rigctld's vocabulary; empty when rigctld has no such mode.
QString rigctldMode(const QString& mode);

} // namespace RigFrames
