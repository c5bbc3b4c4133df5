#!/usr/bin/env python3
"""A modem that only listens: reads the far end of the serial line and
appends every byte it receives to a log, flushed at once.  Before each
receipt is logged it notes how the program's end of the line is set up
(speed, data bits, parity, stop bits) as a line such as "9600 8N1".

Usage: fake-modem.py FAR_END PROGRAM_END MODEM_LOG PORT_LOG READY_FILE
The READY_FILE is made once both ends are open.
"""
import os
import sys
import termios

SPEEDS = {getattr(termios, name): int(name[1:]) for name in dir(termios)
          if name.startswith("B") and name[1:].isdigit()}
SIZES = {termios.CS5: 5, termios.CS6: 6, termios.CS7: 7, termios.CS8: 8}


def settings(fd):
    cflag, speed = termios.tcgetattr(fd)[2], termios.tcgetattr(fd)[5]
    if not cflag & termios.PARENB:
        parity = "N"
    elif cflag & termios.PARODD:
        parity = "O"
    else:
        parity = "E"
    stop = 2 if cflag & termios.CSTOPB else 1
    return "%s %s%s%d" % (SPEEDS.get(speed, "?"), SIZES.get(cflag & termios.CSIZE, "?"), parity, stop)


def main():
    far_end, program_end, modem_log, port_log, ready = sys.argv[1:6]
    far = os.open(far_end, os.O_RDONLY | os.O_NOCTTY)
    # Held open for reading its settings; also keeps the line up between the
    # program's opens, so socat never sees the last user of it leave.
    near = os.open(program_end, os.O_RDONLY | os.O_NOCTTY | os.O_NONBLOCK)
    with open(modem_log, "ab", buffering=0) as received, open(port_log, "a") as ports:
        open(ready, "w").close()
        while True:
            try:
                data = os.read(far, 4096)
            except OSError:
                break
            if not data:
                break
            ports.write(settings(near) + "\n")
            ports.flush()
            received.write(data)


if __name__ == "__main__":
    main()
