#include "keying/KeyerPortSharing.h"

#include "keying/CwKeyer.h"
#include "keying/VoiceKeyer.h"

void KeyerPortSharing::join(VoiceKeyer& voice, CwKeyer& cw)
{
    voice.releaseOtherPorts = [&voice, &cw] { cw.givePortTo(voice.settings().portNumber()); };
    voice.returnOtherPorts = [&cw] { cw.takeBackPort(); };
    cw.claimPort = [&voice](int port) {
        if (port > 0 && voice.heldPort() == port)
            voice.releasePort();
    };
}

void KeyerPortSharing::leave(VoiceKeyer& voice, CwKeyer& cw)
{
    voice.releaseOtherPorts = [] {};
    voice.returnOtherPorts = [] {};
    cw.claimPort = [](int) {};
}
