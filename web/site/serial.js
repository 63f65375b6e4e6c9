// The JavaScript half of the engine's serial port: one SerialPort of navigator.serial (or any
// object shaped like one, as the tests pass) as the clone protocol uses it. The engine awaits
// each call while its C++ side is suspended, so one call runs at a time.

// What ISerialPort::read promises: it returns at `count` bytes, after 50 * count + 90 ms in all,
// or 30 ms after the last byte received.
const kMsPerByte = 50;
const kMsPerRead = 90;
const kQuietMs = 30;
// Browsers hold nested timers to at least 4 ms: shorter waits yield to the event loop instead
// and watch performance.now().
const kShortestTimerMs = 5;

const kOptions = { baudRate: 9600, dataBits: 8, parity: 'none', stopBits: 1 };

// "USB 1a86:7523" from the port's USB ids, or "serial port" when it tells none.
export function lineName(port) {
    const info = port && typeof port.getInfo === 'function' ? port.getInfo() : {};
    if (info && info.usbVendorId !== undefined && info.usbProductId !== undefined) {
        const hex = (id) => id.toString(16).padStart(4, '0');
        return `USB ${hex(info.usbVendorId)}:${hex(info.usbProductId)}`;
    }
    return 'serial port';
}

// One turn of the event loop, without the clamping of nested timers. Every wait shares one
// channel: a new MessageChannel each time costs the browser a message pipe, and thousands of them
// a transfer make the garbage collector stop the page for tens of milliseconds.
const waiting = [];
let turns = null;
function nextTask() {
    if (!turns) {
        turns = new MessageChannel();
        turns.port1.onmessage = () => {
            waiting.shift()();
            if (waiting.length === 0) {
                turns.port1.unref?.(); // under node, an idle channel must not keep the process alive
            }
        };
    }
    turns.port1.ref?.();
    return new Promise((resolve) => {
        waiting.push(resolve);
        turns.port2.postMessage(null);
    });
}

// The kind of PortOpenResult a failed port.open() stands for.
function openErrorKind(error) {
    switch (error && error.name) {
    case 'NotFoundError':
        return 'NotFound';
    case 'SecurityError':
    case 'NotAllowedError':
        return 'PermissionDenied';
    case 'NetworkError': // Chromium's word for a port it could not open, most often one in use
    case 'InvalidStateError':
        return 'Busy';
    default:
        return 'Other';
    }
}

export class SerialLine {
    constructor(port) {
        this.port = port;
        this.reader = null;
        this.writer = null;
        this.received = [];       // bytes read from the port and not yet taken
        this.failed = false;      // the port's readable side has gone for good
        this.wake = null;         // resolves the wait of a read in progress
        this.reading = null;      // the loop that keeps one reader.read() pending
    }

    async open() {
        try {
            // A port the page opened already (an earlier job that failed to close) is kept.
            if (!this.port.readable && !this.port.writable) {
                await this.port.open(kOptions);
            }
            this.writer = this.port.writable.getWriter();
            this.reader = this.port.readable.getReader();
        } catch (error) {
            this.releaseLocks();
            return { error: openErrorKind(error), detail: String(error && error.message || error) };
        }
        this.received = [];
        this.failed = false;
        this.reading = this.readLoop(this.reader);
        return { error: 'None', detail: '' };
    }

    // Keeps a read pending for as long as the line is open, so that a read that times out never
    // cancels one: bytes that arrive late are kept for the next read.
    async readLoop(reader) {
        for (;;) {
            let chunk;
            try {
                chunk = await reader.read();
            } catch (error) {
                // A framing or parity error replaces the readable side; a lost device leaves none.
                if (reader !== this.reader) {
                    return;
                }
                reader.releaseLock();
                this.reader = this.port.readable ? this.port.readable.getReader() : null;
                if (!this.reader) {
                    this.fail();
                    return;
                }
                reader = this.reader;
                continue;
            }
            if (chunk.done || reader !== this.reader) {
                if (reader === this.reader) {
                    this.fail();
                }
                return;
            }
            for (const byte of chunk.value) {
                this.received.push(byte);
            }
            this.notify();
        }
    }

    fail() {
        this.failed = true;
        this.notify();
    }

    notify() {
        if (this.wake) {
            const wake = this.wake;
            this.wake = null;
            wake();
        }
    }

    // Resolves when bytes arrive or `ms` have passed, whichever is first.
    waitForData(ms) {
        return new Promise((resolve) => {
            let done = false;
            let timer = null;
            const finish = () => {
                if (!done) {
                    done = true;
                    if (timer !== null) {
                        clearTimeout(timer);
                    }
                    resolve();
                }
            };
            this.wake = finish;
            if (ms >= kShortestTimerMs) {
                timer = setTimeout(finish, ms);
            } else {
                const until = performance.now() + ms;
                (async () => {
                    while (!done && performance.now() < until) {
                        await nextTask();
                    }
                    finish();
                })();
            }
        });
    }

    async write(bytes) {
        if (!this.writer) {
            return false;
        }
        await this.writer.write(bytes);
        return true;
    }

    // Up to `count` bytes as a Uint8Array; null when the line failed before any byte came. As on
    // a POSIX line, the 30 ms between bytes run from the moment bytes were last taken, and only
    // once the first has come.
    async read(count) {
        const deadline = performance.now() + kMsPerByte * count + kMsPerRead;
        const out = [];
        let lastByte = 0;
        for (;;) {
            if (this.received.length > 0) {
                out.push(...this.received.splice(0, count - out.length));
                lastByte = performance.now();
            }
            if (out.length >= count || this.failed) {
                break;
            }
            const end = out.length > 0 ? Math.min(deadline, lastByte + kQuietMs) : deadline;
            const now = performance.now();
            if (now >= end) {
                break;
            }
            await this.waitForData(end - now);
        }
        if (out.length === 0 && this.failed) {
            return null;
        }
        return Uint8Array.from(out);
    }

    purge() {
        this.received = [];
    }

    // Waits until what was written has been handed on, then drops what has been received.
    async clear() {
        if (this.writer) {
            await this.writer.ready;
        }
        this.received = [];
    }

    async close() {
        const reader = this.reader;
        this.reader = null;
        if (reader) {
            // Ends the pending read; its loop then sees the line closed.
            await reader.cancel().catch(() => {});
        }
        if (this.reading) {
            await this.reading;
            this.reading = null;
        }
        this.releaseLocks(reader);
        await this.port.close().catch(() => {});
        this.received = [];
    }

    releaseLocks(reader = this.reader) {
        for (const lock of [reader, this.writer]) {
            try {
                lock && lock.releaseLock();
            } catch (error) {
                // Released already.
            }
        }
        this.reader = null;
        this.writer = null;
    }
}
