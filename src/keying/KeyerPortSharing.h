#pragma once

class CwKeyer;
class VoiceKeyer;

// CW keying, the WinKey keyer and the voice keyer's PTT may name one serial port. Whoever keys
// takes it and the others give way: the CW line comes back at its next character, the WinKey
// when the operator is back in CW (or at its next text), PTT at its next message.
namespace KeyerPortSharing {
void join(VoiceKeyer& voice, CwKeyer& cw);
// Before either keyer goes.
void leave(VoiceKeyer& voice, CwKeyer& cw);
} // namespace KeyerPortSharing
