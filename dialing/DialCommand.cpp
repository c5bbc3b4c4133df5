#include "dialing/DialCommand.h"

#include "contacts/Contact.h"
#include "dialing/PortText.h"
#include "dialing/SerialPort.h"
#include "dialing/ToneTable.h"

#include <cstring>

DialResult DialCommand(const Contact* c, DialField field, const DialerSettings& settings, const DialWait& wait) {
    if (!c) return {DialOutcome::NothingToDial};
    char keys[kDialStringSize];
    BuildDialString(DialEntry(*c, field), settings.Keys, keys);
    if (std::strlen(keys) < 3) return {DialOutcome::NothingToDial};
    if (settings.ToneDial) {
        DialBySpeaker(keys);
        return {DialOutcome::Played};
    }
    SerialPort port;
    if (!port.OpenPort(settings.ComNum, settings.Speed))
        return {DialOutcome::PortFailed, port.ErrorStep(), port.ErrorDetail()};
    char command[kPrefixSize + kDialStringSize + 2];
    BuildDialCommand(settings.Prefix, keys, command, sizeof command);
    // The port closes with its object; no hang-up after a failed write.
    if (!port.WritePort(command)) return {DialOutcome::WriteFailed};
    char text[96];
    BuildDialingText(keys, text, sizeof text);
    wait(text);
    port.WritePort(kHangUpCommand, 4);
    return {DialOutcome::Dialled};
}
