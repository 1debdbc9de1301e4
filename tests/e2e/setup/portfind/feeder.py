#!/usr/bin/env python3
"""Serial devices on pseudo-terminals for the touch search tests.

    feeder.py DIR COUNT

Makes COUNT terminals, COM1 to COM<COUNT>, writes "COMn /dev/pts/N" lines to
DIR/ptys, and then plays the devices that the test names in DIR/devices
(rewritten whole by the test), one line each:

    COMn highbit|lead|ascii|heartbeat BAUD   a controller at its own baud
    COMn chatter                             talks all the time, at any baud
    COMn held                                another program holds the port
    touch 0|1                                a finger on the screen or not
    ask N                                    DIR/status gets "answer N" and,
                                             per port, "COMn OPENERS BAUD"

A controller sends its packets only while touched and only while the port
is set to its own baud (read from the terminal's settings); at another baud
it sends bytes with no period, as a wrong baud shows them. DIR/events gets
"touched T" when a controller first sends a touched packet at its own baud
since the touch began, and
"mark NAME T" for each "mark NAME" line (monotonic seconds).
"""
import fcntl, os, pty, random, struct, sys, termios, time

TIOCSPTLCK = 0x40045431  # lock the terminal against further opens
SPEEDS = {getattr(termios, 'B%d' % b): b for b in (1200, 2400, 4800, 9600, 19200, 38400)}


def xy(n):
    return 1000 + 37 * n % 2000, 3000 - 53 * n % 2500


def highbit(n, touched):
    x, y = xy(n)
    return bytes([0xC1, x & 0x7F, x >> 7, y & 0x7F, y >> 7])


def lead(n, touched):
    x, y = xy(n)
    p = bytes([0x55, ord('T'), 0x83, x & 0xFF, x >> 8, y & 0xFF, y >> 8, n & 0xFF, 0])
    return p + bytes([(0xAA + sum(p)) & 0xFF])


def ascii_line(n, touched):
    x, y = xy(n)
    return b'%04d,%04d\r' % (x, y)


def heartbeat(n, touched):
    if not touched:
        return bytes([0xAA] + [0] * 9 + [0x55])
    x, y = xy(n)
    return bytes([0xAA, 1, x & 0xFF, x >> 8, y & 0xFF, y >> 8, 0, 0, 0, 0, 0x55])


def chatter(n, touched):
    return bytes([0x8F, n & 0x7F, (n * 3) & 0x7F])


PACKETS = {'highbit': highbit, 'lead': lead, 'ascii': ascii_line, 'heartbeat': heartbeat,
           'chatter': chatter}


class Port:
    def __init__(self, name):
        self.name = name
        self.master, self.slave = pty.openpty()  # the slave stays open: no hang-up
        self.path = os.ttyname(self.slave)
        os.set_blocking(self.master, False)
        self.kind, self.baud, self.sent, self.credit, self.due, self.held = 'silent', 0, 0, 0.0, 0.0, False

    def port_baud(self):
        return SPEEDS.get(termios.tcgetattr(self.master)[5], 0)

    def hold(self, held):
        if held != self.held:
            fcntl.ioctl(self.master, TIOCSPTLCK, struct.pack('i', 1 if held else 0))
            self.held = held

    def packet(self, touching, speed, events):
        """The next bytes the device sends, or None when it is quiet."""
        make = PACKETS.get(self.kind)
        if make is None:
            return None
        if self.kind == 'chatter' or speed == self.baud:
            if not (touching or self.kind in ('chatter', 'heartbeat')):
                return None
            if touching and self.kind != 'chatter' and 'touched' not in events:
                events['touched'] = time.monotonic()
            return make(self.sent, touching)
        return bytes(random.randrange(256) for _ in range(7)) if touching else None

    def tick(self, dt, touching, events):
        """A packet every 10 ms, as fast as the port's baud lets it go."""
        try:
            os.read(self.master, 4096)  # whatever the line echoes
        except OSError:
            pass
        speed = self.port_baud()
        self.credit = min(self.credit + dt * speed / 10.0, speed / 10.0 * 0.05 + 16)
        self.due = min(self.due + dt / 0.010, 5.0)
        while self.due >= 1:
            packet = self.packet(touching, speed, events)
            if packet is None or self.credit < len(packet):
                return
            self.credit -= len(packet)
            self.due -= 1
            self.sent += 1
            try:
                os.write(self.master, packet)
            except OSError:
                pass  # the terminal is full while nobody reads: the bytes are lost


def openers(paths):
    """How many processes other than this one have each terminal open."""
    count = dict.fromkeys(paths, 0)
    for pid in filter(str.isdigit, os.listdir('/proc')):
        if int(pid) == os.getpid():
            continue
        try:
            links = {os.readlink('/proc/%s/fd/%s' % (pid, fd)) for fd in os.listdir('/proc/%s/fd' % pid)}
        except OSError:
            continue
        for path in paths:
            count[path] += path in links
    return count


def write_atomically(path, text):
    with open(path + '.new', 'w') as f:
        f.write(text)
    os.replace(path + '.new', path)


def main():
    folder, count = sys.argv[1], int(sys.argv[2])
    ports = {'COM%d' % (i + 1): Port('COM%d' % (i + 1)) for i in range(count)}
    write_atomically(os.path.join(folder, 'ptys'), ''.join('%s %s\n' % (p.name, p.path) for p in ports.values()))
    control, events, answered, marks, last = os.path.join(folder, 'devices'), {}, None, set(), time.monotonic()
    written, parent = None, os.getppid()
    while os.getppid() == parent:  # a test killed on its timeout takes the feeder along
        time.sleep(0.005)
        try:
            lines = [line.split() for line in open(control)]
        except OSError:
            lines = []
        touching = ['touch', '1'] in lines
        if not touching:
            events.pop('touched', None)
        named = {words[0]: words for words in lines if words and words[0] in ports}
        for port in ports.values():
            words = named.get(port.name, [port.name, 'silent'])
            port.kind, port.baud = words[1], int(words[2]) if len(words) > 2 else 0
            port.hold(port.kind == 'held')
        now = time.monotonic()
        for port in ports.values():
            port.tick(now - last, touching, events)
        last = now
        for words in lines:
            if words[:1] == ['mark'] and words[1] not in marks:
                marks.add(words[1])
                events['mark ' + words[1]] = now
            if words[:1] == ['ask'] and words[1] != answered:
                answered = words[1]
                opened = openers([p.path for p in ports.values()])
                write_atomically(os.path.join(folder, 'status'), 'answer %s\n' % answered + ''.join(
                    '%s %d %d\n' % (p.name, opened[p.path], p.port_baud()) for p in ports.values()))
        text = ''.join('%s %.3f\n' % e for e in events.items())
        if text != written:
            write_atomically(os.path.join(folder, 'events'), text)
            written = text


if __name__ == '__main__':
    main()
