// A stand-in for navigator.serial with the simulated radio on the other end of its one port.
// The tests inject it before the page loads (page.addInitScript), so the page finds it where
// Chromium's own Web Serial would be. It loads the radio (radio-sim.js, built from the native
// simulator's conversation) from /testsim/ on the page's own server.
//
// Timing is that of a 9600-baud line: the bytes the page writes reach the radio one byte time
// apart, and each reply byte reaches the readable stream no sooner than the conversation says.
// Whatever is due when the page reads comes as one chunk, as a USB serial adapter delivers it.
(() => {
    if (!location.protocol.startsWith('http')) {
        return;
    }
    const radioReady = import('/testsim/radio-sim.js')
        .then((module) => module.default())
        .then((sim) => ({ sim, radio: new sim.SimRadio({}) }));

    const state = {
        granted: true,         // getPorts() lists the port; after hidePort(), not until requestPort()
        lineFreeAt: 0,         // when the radio has taken the last byte written so far
        firstWriteMs: null,    // the line's first and last use, for the timings the tests print
        lastDeliveryMs: null,
        pending: [],           // reply bytes not yet delivered: {byte, dueMs}
        waiters: [],           // resolve the readers that wait for replies (an old stream's too)
    };

    function wakeReaders() {
        const waiters = state.waiters;
        state.waiters = [];
        waiters.forEach((resolve) => resolve());
    }

    function takeReplies(radio) {
        const replies = radio.takeReplies();
        replies.bytes.forEach((byte, i) => state.pending.push({ byte, dueMs: replies.due[i] }));
        if (replies.bytes.length > 0) {
            wakeReaders();
        }
    }

    // Waits short times on a MessageChannel: Chromium stretches timers under 4 ms to about 4.3 ms,
    // four byte times, where a paced reply has a byte due every byte time.
    function sleepUntil(dueMs) {
        const leftMs = dueMs - performance.now();
        if (leftMs > 5) {
            return new Promise((resolve) => setTimeout(resolve, leftMs - 4));
        }
        // One channel for every wait: a new one each time makes the garbage collector stall the page.
        return new Promise((resolve) => {
            turns.waiting.push(resolve);
            turns.channel.port2.postMessage(0);
        });
    }
    const turns = { channel: new MessageChannel(), waiting: [] };
    turns.channel.port1.onmessage = () => turns.waiting.shift()();

    async function nextChunk(isOpen) {
        for (;;) {
            if (!isOpen()) {
                return null;
            }
            if (state.pending.length === 0) {
                await new Promise((resolve) => state.waiters.push(resolve));
                continue;
            }
            const now = performance.now();
            const due = state.pending.findIndex((entry) => entry.dueMs > now);
            const count = due < 0 ? state.pending.length : due;
            if (count > 0) {
                state.lastDeliveryMs = now;
                return Uint8Array.from(state.pending.splice(0, count), (entry) => entry.byte);
            }
            await sleepUntil(state.pending[0].dueMs);
        }
    }

    class StandInPort extends EventTarget {
        constructor() {
            super();
            this.readable = null;
            this.writable = null;
            this.onconnect = null;
            this.ondisconnect = null;
        }

        getInfo() {
            return { usbVendorId: 0x1a86, usbProductId: 0x7523 };
        }

        async open(options) {
            if (this.readable) {
                throw new DOMException('The port is already open.', 'InvalidStateError');
            }
            if (!options || !options.baudRate) {
                throw new TypeError('open() needs a baudRate.');
            }
            const ready = await radioReady;
            const byteMs = ready.sim.byteMs;
            let open = true;
            let cancelled = false;
            this.closeStreams = () => {
                open = false;
                wakeReaders();
            };
            state.pending = [];
            this.readable = new ReadableStream({
                pull: async (controller) => {
                    const chunk = await nextChunk(() => open);
                    if (chunk) {
                        controller.enqueue(chunk);
                    } else if (!cancelled) {
                        controller.close();
                    }
                },
                cancel: () => {
                    cancelled = true;
                    this.closeStreams();
                },
            }, { highWaterMark: 0 });
            this.writable = new WritableStream({
                write: (chunk) => {
                    const bytes = new Uint8Array(chunk);
                    state.firstWriteMs ??= performance.now();
                    const firstArrival = Math.max(performance.now(), state.lineFreeAt) + byteMs;
                    ready.radio.feed(bytes, firstArrival, byteMs);
                    state.lineFreeAt = firstArrival + byteMs * (bytes.length - 1);
                    takeReplies(ready.radio);
                },
            });
        }

        async close() {
            this.closeStreams?.();
            this.readable = null;
            this.writable = null;
        }

        async setSignals() {}
        async getSignals() {
            return { dataCarrierDetect: true, clearToSend: true, ringIndicator: false, dataSetReady: true };
        }
        async forget() {
            state.granted = false;
        }
    }

    const port = new StandInPort();

    class StandInSerial extends EventTarget {
        async getPorts() {
            return state.granted ? [port] : [];
        }
        async requestPort() {
            state.granted = true;
            window.__radio.requests += 1;
            return port;
        }
    }

    Object.defineProperty(Navigator.prototype, 'serial', {
        configurable: true,
        get: () => serial,
    });
    const serial = new StandInSerial();

    // What the tests do to the radio, from page.evaluate() once `ready` has resolved.
    let current = null;
    window.__radio = {
        requests: 0,
        ready: radioReady.then((ready) => {
            current = ready;
            return true;
        }),
        hidePort() {
            state.granted = false;
        },
        memory: () => Array.from(current.radio.memory()),
        setMemory: (bytes) => current.radio.setMemory(Uint8Array.from(bytes)),
        // A new radio with these faults ({paced, ignoreHandshake, stallAtFrame, nakAtFrame,
        // identity}), holding the memory the old one held; the counters start again.
        configure(options) {
            const memory = current.radio.memory();
            current.radio.delete();
            current.radio = new current.sim.SimRadio(options);
            current.radio.setMemory(memory);
            state.firstWriteMs = null;
        },
        setIgnoreHandshake: (ignore) => current.radio.setIgnoreHandshake(ignore),
        counters: () => current.radio.counters(),
        // Milliseconds from the first byte the page wrote to the last reply it was handed.
        lineMs: () => state.lastDeliveryMs - state.firstWriteMs,
    };
})();
