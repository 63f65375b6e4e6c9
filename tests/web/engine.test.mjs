// The WebAssembly engine gives the answers the native core gives (the rows are those of
// tests/core's ChannelTable, Options and ImageCompare tests, through the document's band of
// Program.ini: 136 - 174 MHz), and a job over a port object shaped like navigator.serial's.
//   RADIO_WEB_SITE=build/web/site node --test tests/web/engine.test.mjs
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { resolve } from 'node:path';
import { pathToFileURL } from 'node:url';

const site = resolve(process.env.RADIO_WEB_SITE || process.argv.find((a) => a.endsWith('site')) ||
    new URL('../../build/web/site', import.meta.url).pathname);
const { loadEngine } = await import(pathToFileURL(`${site}/engine.js`).href);
const wasmBinary = readFileSync(`${site}/radio-engine.wasm`);
const programIni = readFileSync(`${site}/Program.ini`, 'utf8');

const kBand = '(the band is 136.00000 to 174.00000 MHz)';
const kUsed = ['145.00000', '145.60000', 'None', 'None', 'Wide', 'Yes', 'Off', 'High'];
const kEmpty = ['', '', '', '', '', '', '', ''];

async function newEngine(language = 'English') {
    const engine = await loadEngine({ programIni, language, wasmBinary });
    assert.equal(engine.error, undefined);
    return engine;
}

function row(engine, r) {
    return Array.from({ length: 8 }, (_, i) => engine.cellText(r, i + 1));
}

// Row 5 holds the channel of `before` (kUsed or none), then one text is committed.
const commitCases = [
    { name: 'new channel gets defaults', col: 1, before: null, typed: '145',
        result: { accepted: true, changed: true, message: '' },
        after: ['145.00000', '145.00000', 'None', 'None', 'Wide', 'Yes', 'Off', 'High'] },
    { name: 'out of band keeps the row', col: 1, before: kUsed, typed: '470',
        result: { accepted: false, changed: false, message: `Out of range,please input again. ${kBand}` },
        after: kUsed },
    { name: 'off step keeps the row', col: 2, before: kUsed, typed: '145.0025',
        result: { accepted: false, changed: false,
            message: `Error data Value, please input according the step value(6.25K/5k). ${kBand}` },
        after: kUsed },
    { name: 'comma decimal', col: 1, before: kUsed, typed: '145,5',
        result: { accepted: true, changed: true, message: '' },
        after: ['145.50000', ...kUsed.slice(1)] },
    { name: 'clearing receive deletes the channel', col: 1, before: kUsed, typed: '',
        result: { accepted: true, changed: true, message: '' }, after: kEmpty },
    { name: 'a list item', col: 8, before: kUsed, typed: 'Low', userChose: true,
        result: { accepted: true, changed: true, message: '' },
        after: [...kUsed.slice(0, 7), 'Low'] },
    { name: 'a list item of a channel with one frequency', col: 8, before: kUsed, receiveOnly: true,
        typed: 'Low', userChose: true,
        result: { accepted: false, changed: false,
            message: 'The channel needs both frequencies before this can be set.' },
        after: ['145.00000', '', '', '', '', '', '', ''] },
];

test('commits agree with the core table', async () => {
    const engine = await newEngine();
    for (const c of commitCases) {
        engine.newDocument();
        if (c.before) {
            engine.commit(5, 1, c.before[0]);
            engine.commit(5, 2, c.before[1]);
        }
        if (c.receiveOnly) {
            const image = engine.datBytes();
            image.fill(0xFF, 5 * 16 + 4, 5 * 16 + 8); // channel 5's transmit frequency
            engine.loadDat(image);
        }
        assert.deepEqual(engine.commit(5, c.col, c.typed, c.userChose),
            { ...c.result, caption: c.result.message ? 'Caution' : '' }, c.name);
        assert.deepEqual(row(engine, 5), c.after, c.name);
    }
});

test('a new channel in Chinese has the Chinese defaults', async () => {
    const engine = await newEngine('Chinese');
    engine.commit(9, 1, '145.0125');
    assert.deepEqual(row(engine, 9), ['145.01250', '145.01250', '无', '无', '宽', '是', '关', '高']);
});

test('undo and redo restore the image byte for byte', async () => {
    const engine = await newEngine();
    const before = engine.datBytes();
    engine.commit(3, 1, '146.52');
    const after = engine.datBytes();
    assert.equal(engine.modified, true);
    engine.undo();
    assert.deepEqual(engine.datBytes(), before);
    assert.equal(engine.modified, false);
    assert.equal(engine.canRedo, true);
    engine.redo();
    assert.deepEqual(engine.datBytes(), after);
});

test('a file of 1023 bytes is a Data Format Error and changes nothing', async () => {
    const engine = await newEngine();
    engine.commit(1, 1, '145');
    const before = engine.datBytes();
    assert.deepEqual(engine.loadDat(new Uint8Array(1023)), { ok: false, message: 'Data Format Error' });
    assert.deepEqual(engine.datBytes(), before);
});

// Bytes outside an option's list select nothing; storing an item writes the core's arithmetic.
const optionCases = [
    { name: 'time-out 0', key: 'tot', offset: 0x130, stored: 0, selection: -1, choose: 39, after: 40 },
    { name: 'vox 5', key: 'vox', offset: 0x139, stored: 5, selection: -1, choose: 0, after: 1 },
    { name: 'battery saver reads bit 0', key: 'battery-saver', offset: 0x135, stored: 0xFE, selection: 1,
        choose: 0, after: 1 },
];

test('options of odd bytes agree with the core', async () => {
    const engine = await newEngine();
    for (const c of optionCases) {
        const image = engine.datBytes();
        image[c.offset] = c.stored;
        assert.equal(engine.loadDat(image).ok, true);
        const options = engine.options();
        const index = options.findIndex((o) => o.list === c.key);
        assert.equal(options[index].selection, c.selection, c.name);
        const shown = options.map((o) => (o.isSwitch ? (o.selection === 0 ? 0 : 1) : o.selection));
        assert.equal(engine.setOptions(shown), false, `${c.name}: what the dialog showed changes nothing`);
        shown[index] = c.choose;
        assert.equal(engine.setOptions(shown), true, c.name);
        assert.equal(engine.datBytes()[c.offset], c.after, c.name);
    }
});

test('compare lists where a file differs from the document, the rows that never travel too', async () => {
    const engine = await newEngine();
    const empty = engine.datBytes();
    engine.commit(3, 1, '146.52');
    const file = (offset, value) => Object.assign(engine.datBytes(), offset === undefined ? {} : { [offset]: value });
    for (const [name, other, expected] of [
        ['the same file', file(), []],
        ['a channel the file lacks', empty, [['channel_added', 3, 'added', '', '146.52000']]],
        ['an option', file(0x134, 3), [['option', 0, 'Squelch Level', '3', '5']]],
        ['a reserved row', file(51 * 16, 0x12), [['reserved', 0, 'Rows 51 to 63 (kept only in the file)', '', '']]],
    ]) {
        const compared = engine.compare(other);
        assert.deepEqual(compared.changes.map((c) => [c.kind, c.channel, c.what, c.before, c.after]), expected, name);
        assert.equal(compared.otherModel, false, name);
    }
    assert.deepEqual(engine.compare(new Uint8Array(10)), { error: 'Data Format Error' });
});

test('the write check names an empty document', async () => {
    const engine = await newEngine();
    assert.deepEqual(engine.writeCheck(),
        { ok: false, message: 'No channel is in use: writing leaves the radio with no channels.' });
    engine.commit(1, 1, '145');
    assert.deepEqual(engine.outsideChannels(0, 1),
        { outside: [1], message: 'Channel 1 is outside the band 400.00000 to 470.00000 MHz.' });
    assert.match(engine.caption(), /136 - 174MHz/, 'asking changes nothing');
    // The printed report: the options page, then a page for the channel, as the desktop prints it.
    const report = engine.report(7.5 * 1440, 10 * 1440);
    assert.deepEqual([report.pages.length, report.pages[1].texts.some(([, , , text]) => text === '145.00000')],
        [2, true]);
});

const planTexts = JSON.parse(readFileSync(`${site}/plans/index.json`, 'utf8')).map((name) => ({ name,
    csv: readFileSync(`${site}/plans/${name}.csv`, 'utf8'), ini: readFileSync(`${site}/plans/${name}.ini`, 'utf8') }));
const pmr446 = Array.from({ length: 16 }, (_, i) => (446.00625 + 0.0125 * i).toFixed(5));
const channels = (first, last) => Array.from({ length: last - first + 1 }, (_, i) => first + i);

// On a new 400 - 470 MHz document: the channels filled, the refusals, channel 16's frequency.
const planCases = [
    { name: 'all sixteen', plan: 'PMR446', request: { replaceAll: true }, filled: channels(1, 16), refused: 0,
        last: pmr446[15] },
    { name: 'rows past channel 16', plan: 'PMR446', request: { firstRow: 14, fromChannel: 15 }, filled: [15, 16],
        refused: 1, last: pmr446[14] },
    { name: 'outside the band', plan: 'MURS', request: {}, filled: [], refused: 1, last: '' },
];

test('channel plans apply as one undo step; the check points at the field', async () => {
    const engine = await newEngine();
    const problems = engine.setPlans([...planTexts, { name: 'Broken', csv: 'Location,Name\n1,x\n', ini: '' }]);
    assert.deepEqual(problems.map((p) => p.name), ['Broken']);
    engine.chooseModel(0, 1, false); // 400 - 470 MHz
    const murs = engine.plans().find((p) => p.name === 'MURS');
    assert.deepEqual([murs.applicable, murs.reason.includes('400.00000 to 470.00000')], [false, true], murs.reason);
    const before = engine.datBytes();
    for (const c of planCases) {
        assert.deepEqual(engine.planEffect(c.plan, c.request).channels, c.filled, c.name);
        assert.deepEqual(engine.datBytes(), before, `${c.name}: the effect changes nothing`);
        const applied = engine.applyPlan(c.plan, c.request);
        assert.deepEqual([applied.channels, applied.refused.length, applied.changed, engine.cellText(16, 1)],
            [c.filled, c.refused, c.filled.length > 0, c.last], c.name);
        if (applied.changed) {
            engine.undo();
        }
        assert.deepEqual(engine.datBytes(), before, `${c.name}: one undo step`);
    }
    engine.applyPlan('PMR446', { replaceAll: true });
    assert.deepEqual(channels(1, 16).map((n) => [engine.cellText(n, 1), engine.cellText(n, 5)]),
        pmr446.map((mhz) => [mhz, 'Narrow']));
    assert.deepEqual(engine.check(), []);
    engine.commit(3, 5, 'Wide', true);
    const findings = engine.check();
    assert.deepEqual(findings.map((f) => [f.kind, f.channel, f.column, f.heading]),
        [['too_wide', 3, 5, engine.cellText(0, 5)]]);
});

// Imports that cannot be taken, of the list exported below: the document stays as it was.
const badImportCases = [
    { name: 'a row out of the band', edit: (csv) => csv.replace('146.520000', '999'), tooLarge: false,
        problems: [[3, `Frequency 999: out of range ${kBand}`]] },
    { name: 'a text larger than a channel list', edit: (csv) => csv + '#'.repeat(1 << 20), tooLarge: true,
        problems: [] },
];

test('an exported channel list imports as the same channels in one undo step; a bad row changes nothing',
    async () => {
        const source = await newEngine();
        source.commit(1, 1, '145');
        source.commit(3, 1, '146.52');
        source.commit(3, 8, 'Low', true);
        const csv = source.exportCsv();
        const engine = await newEngine();
        engine.commit(5, 1, '147');
        const before = engine.datBytes();
        for (const c of badImportCases) {
            const preview = engine.importPreview(c.edit(csv));
            assert.deepEqual([preview.ok, preview.tooLarge, preview.problems.map((p) => [p.line, p.reason])],
                [false, c.tooLarge, c.problems], c.name);
            assert.equal(engine.importApply(c.edit(csv)).ok, false, c.name);
            assert.deepEqual(engine.datBytes(), before, c.name);
        }
        const preview = engine.importPreview(csv);
        assert.deepEqual(preview.changes.map((c) => [c.channel, c.now, c.after]),
            [[1, '', row(source, 1).join('  ')], [3, '', row(source, 3).join('  ')],
                [5, row(engine, 5).join('  '), '']]);
        assert.deepEqual(engine.datBytes(), before, 'the preview changes nothing');
        assert.deepEqual([engine.importApply(csv).changed, engine.importPreview(csv).changed], [true, false]);
        assert.deepEqual(channels(1, 16).map((n) => row(engine, n)), channels(1, 16).map((n) => row(source, n)));
        engine.undo();
        assert.deepEqual(engine.datBytes(), before);
    });

// Channels 1 and 2 in use (145 and 146 MHz), then one block or row command; `cells` are the
// receive frequencies of channels 1..6 after it, and undo gives the bytes before it back.
const kRows12 = { top: 1, left: 1, bottom: 2, right: 8 };
const blockCases = [
    { name: 'whole channels pasted as cells', run: (e) => e.paste({ top: 5, left: 1, bottom: 5, right: 1 },
        e.copyCells(kRows12).text), changed: true,
    cells: ['145.00000', '146.00000', '', '', '145.00000', '146.00000'] },
    { name: 'whole channels pasted as a channel list', run: (e) => e.paste({ top: 4, left: 3, bottom: 4, right: 3 },
        e.copyCells(kRows12).csv), changed: true, cells: ['145.00000', '146.00000', '', '145.00000', '146.00000', ''] },
    { name: 'one cell fills the range', run: (e) => e.paste({ top: 3, left: 1, bottom: 4, right: 1 }, '147\n'),
        changed: true, cells: ['145.00000', '146.00000', '147.00000', '147.00000', '', ''] },
    { name: 'a refused cell names itself and changes nothing', run: (e) => e.paste({ top: 3, left: 1, bottom: 3,
        right: 1 }, '147\n470\n'), changed: false, someAccepted: true,
    cells: ['145.00000', '146.00000', '', '', '', ''],
    refused: [[4, 1, '470', 'OutOfRange', 'Out of range,please input again.']] },
    { name: 'the accepted part alone', run: (e) => e.paste({ top: 3, left: 1, bottom: 3, right: 1 }, '147\n470\n',
        true), changed: true, someAccepted: true, cells: ['145.00000', '146.00000', '147.00000', '', '', ''],
    refused: [[4, 1, '470', 'OutOfRange', 'Out of range,please input again.']] },
    { name: 'past the last column', run: (e) => e.paste({ top: 1, left: 8, bottom: 1, right: 8 }, 'High\tx\n'),
        changed: false, someAccepted: true, cells: ['145.00000', '146.00000', '', '', '', ''],
    refused: [[1, 9, 'x', 'PastTheGrid', '']] },
    { name: 'a bad row of a channel list', run: (e) => e.paste(kRows12, 'Location,Frequency\n1,999\n'),
        changed: false, problems: 1, cells: ['145.00000', '146.00000', '', '', '', ''] },
    { name: 'fill down', run: (e) => e.fillDown({ top: 2, left: 1, bottom: 4, right: 8 }), changed: true,
        cells: ['145.00000', '146.00000', '146.00000', '146.00000', '', ''] },
    { name: 'clear whole channels', run: (e) => e.clearCells({ top: 1, left: 1, bottom: 1, right: 8 }),
        changed: true, cells: ['', '146.00000', '', '', '', ''] },
    { name: 'clear cells of no channel', run: (e) => e.clearCells({ top: 3, left: 1, bottom: 6, right: 2 }),
        changed: false, cells: ['145.00000', '146.00000', '', '', '', ''] },
    { name: 'insert', run: (e) => e.editRows('Insert', 1), outcome: 'Done', changed: true,
        cells: ['', '145.00000', '146.00000', '', '', ''] },
    { name: 'insert with channel 16 in use', before: (e) => e.commit(16, 1, '150'), run: (e) => e.editRows('Insert', 1),
        outcome: 'NoRoom', changed: false, cells: ['145.00000', '146.00000', '', '', '', ''] },
    { name: 'delete', run: (e) => e.editRows('Delete', 1), outcome: 'Done', changed: true,
        cells: ['146.00000', '', '', '', '', ''] },
    { name: 'move down', run: (e) => e.editRows('Down', 1), outcome: 'Done', changed: true,
        cells: ['146.00000', '145.00000', '', '', '', ''] },
    { name: 'move the first channel up', run: (e) => e.editRows('Up', 1), outcome: 'OutOfRange', changed: false,
        cells: ['145.00000', '146.00000', '', '', '', ''] },
    { name: 'no such cells', run: (e) => e.clearCells({ top: 0, left: 1, bottom: 17, right: 8 }),
        error: 'No such cells in the grid.', cells: ['145.00000', '146.00000', '', '', '', ''] },
];

test('block and row commands are one undo step each, and refusals change nothing', async () => {
    const engine = await newEngine();
    for (const c of blockCases) {
        engine.newDocument();
        engine.commit(1, 1, '145');
        engine.commit(2, 1, '146');
        c.before?.(engine);
        const before = engine.datBytes();
        const result = c.run(engine);
        assert.deepEqual([result.error, result.changed, result.outcome, result.refused?.length ? result.someAccepted
            : undefined, result.refused?.map((r) => [r.row, r.col, r.text, r.reason, r.reasonText]),
        result.problems?.length], [c.error, c.error ? undefined : c.changed, c.outcome, c.someAccepted,
            result.refused && (c.refused ?? []), result.problems && (c.problems ?? 0)], c.name);
        assert.deepEqual([1, 2, 3, 4, 5, 6].map((n) => engine.cellText(n, 1)), c.cells, c.name);
        if (c.changed) {
            engine.undo();
        }
        assert.deepEqual(engine.datBytes(), before, c.name);
    }
    const copied = engine.copyCells({ top: 1, left: 1, bottom: 2, right: 2 });
    assert.deepEqual(copied, { text: '145.00000\t145.00000\n146.00000\t146.00000\n', csv: '' });
});

// A radio on a port object as navigator.serial gives one: it answers the handshake after
// "\x02PROGRAM", identifies as P3207, and serves 8-byte read ('R') and write ('W') frames.
// With `refuseFrame`, the radio leaves that write frame (0-based, counted over the port's life)
// unacknowledged.
function radioPort(memory, { refuseFrame = -1 } = {}) {
    let framesWritten = 0;
    const port = silentPort();
    const open = port.open;
    port.open = async () => {
        await open();
        let controller;
        port.readable = new ReadableStream({ start(c) { controller = c; } });
        let state = 'handshake';
        let heard = [];
        const answer = (...bytes) => setTimeout(() => controller.enqueue(Uint8Array.from(bytes)));
        port.writable = new WritableStream({ write(chunk) {
            for (const byte of chunk) {
                heard.push(byte);
                if (state === 'handshake' && String.fromCharCode(...heard.slice(-8)) === '\x02PROGRAM') {
                    state = 'identify';
                    answer(0x06);
                } else if (state === 'identify' && byte === 0x02) {
                    state = 'start';
                    answer(...Buffer.from('P3207\0\0\0'));
                } else if (state === 'start' && byte === 0x06) {
                    state = 'frames';
                    heard = [];
                    answer(0x06);
                } else if (state === 'frames' && heard[0] === 0x02) {
                    state = 'handshake'; // the next session of a job
                } else if (state === 'frames') {
                    const address = (heard[1] << 8) | heard[2];
                    if (heard[0] === 0x06) {
                        heard = [];
                        answer(0x06);
                    } else if (heard[0] === 0x52 && heard.length === 4) {
                        heard = [];
                        answer(0x57, address >> 8, address & 0xFF, 8, ...memory.slice(address, address + 8));
                    } else if (heard[0] === 0x57 && heard.length === 12) {
                        if (framesWritten++ !== refuseFrame) {
                            memory.set(heard.slice(4), address);
                            answer(0x06);
                        }
                        heard = [];
                    }
                }
            }
        } });
    };
    return port;
}

test('a read and a write over a radio port keep their images in the history', async () => {
    const engine = await newEngine();
    const radio = await newEngine();
    radio.commit(1, 1, '146.52');
    const memory = radio.datBytes();
    await engine.connect(radioPort(memory));
    const cancelled = await engine.read({ onProgress: (row) => row === 10 && engine.cancel() });
    assert.deepEqual([cancelled.ok, cancelled.notice, engine.cellText(1, 1)], [false, null, '']);
    const stages = [];
    let rows = 0;
    const hooks = { onStage: (text, stage) => stages.push(stage), onProgress: (row) => { rows = row; } };
    const read = await engine.read(hooks);
    assert.equal(read.ok, true, JSON.stringify(read));
    assert.deepEqual([stages, rows, engine.cellText(1, 1)], [['Read'], 51, '146.52000']);
    engine.commit(2, 1, '145.5');
    stages.length = 0;
    const written = await engine.write(hooks);
    assert.deepEqual([written.ok, written.notice, stages], [true, null, ['Backup', 'Write', 'Verify']]);
    assert.deepEqual(memory.slice(0, 816), engine.datBytes().slice(0, 816));
    const held = await engine.write(hooks);
    const forced = await engine.write(hooks, { force: true });
    assert.deepEqual([held.alreadyHeld, forced.alreadyHeld, forced.ok], [true, false, true]);
    assert.deepEqual(engine.history().map((e) => [e.kind, e.port, e.channels]),
        [['written', 'USB 1a86:7523', 2], ['before-write', 'USB 1a86:7523', 2], ['before-write', 'USB 1a86:7523', 2],
            ['written', 'USB 1a86:7523', 2], ['before-write', 'USB 1a86:7523', 1], ['read', 'USB 1a86:7523', 1]]);
    engine.undo(); // the edit
    engine.undo(); // the read
    assert.equal(engine.cellText(1, 1), '');
});

test('a write the radio breaks off offers the desktop choices, and restoring the backup works', async () => {
    const engine = await newEngine();
    const memory = engine.datBytes();
    await engine.connect(radioPort(memory, { refuseFrame: 20 }));
    engine.commit(1, 1, '146.52');
    const broken = await engine.write({});
    assert.deepEqual([broken.ok, broken.stage, broken.notice.shape, broken.notice.choices, broken.notice.radioChanged],
        [false, 'Write', 'Warning', ['WriteAgain', 'RestoreBackup'], true]);
    const restored = await engine.recover('RestoreBackup', {});
    assert.equal(restored.ok, true);
    engine.undo();
    assert.deepEqual(memory.slice(0, 816), engine.datBytes().slice(0, 816));
});

// Show Changes: the page's answer to the question after the backup, and whether the write goes on.
const confirmCases = [
    { name: 'declined', answer: async () => false, written: false },
    { name: 'a hook that throws', answer: async () => { throw new Error('no dialog'); }, written: false },
    { name: 'no hook', answer: null, written: false },
    { name: 'accepted', answer: async () => true, written: true },
];

test('with Show Changes the page is shown the changes and the findings, and a write needs its yes', async () => {
    const engine = await newEngine();
    const memory = engine.datBytes();
    const before = Array.from(memory);
    await engine.connect(radioPort(memory));
    engine.commit(4, 1, '145');
    engine.commit(4, 3, engine.listItems(3)[1], true); // a decode tone alone: a finding
    for (const c of confirmCases) {
        const asked = [];
        const hooks = c.answer ? { confirmChanges: (question) => asked.push(question) && c.answer() } : {};
        const outcome = await engine.write(hooks, { showChanges: true });
        assert.deepEqual([outcome.ok, outcome.declined, outcome.notice], [true, !c.written, null], c.name);
        assert.deepEqual(Array.from(memory.slice(0, 816)), (c.written ? Array.from(engine.datBytes()) : before)
            .slice(0, 816), c.name);
        assert.deepEqual(asked.map((q) => [q.port, q.changes[0].kind, q.changes[0].channel, q.otherModel,
            q.findings.length, q.findings[0].startsWith('CH 4')]), c.answer ? [['USB 1a86:7523', 'channel_added', 4,
            false, 1, true]] : [], c.name);
    }
});

// A port object as navigator.serial gives one: here a radio that never answers.
function silentPort({ openError } = {}) {
    const port = { written: 0, closed: false, readable: null, writable: null };
    port.getInfo = () => ({ usbVendorId: 0x1a86, usbProductId: 0x7523 });
    port.open = async () => {
        if (openError) {
            throw new DOMException(openError, 'NetworkError');
        }
        port.readable = new ReadableStream({});
        port.writable = new WritableStream({ write(chunk) { port.written += chunk.length; } });
    };
    port.close = async () => {
        port.closed = true;
        port.readable = port.writable = null;
    };
    return port;
}

test('a radio that never answers asks to retry, then fails the read', async () => {
    const engine = await newEngine();
    const port = silentPort();
    await engine.connect(port);
    const asked = [];
    const outcome = await engine.read({ askRetry: async (text) => asked.push(text) && false });
    assert.equal(asked.length, 1);
    assert.match(asked[0], /\n\nUSB 1a86:7523$/);
    assert.equal(outcome.ok, false);
    assert.equal(outcome.stage, 'Read');
    assert.ok(port.written > 0 && port.closed);
    assert.deepEqual(engine.history(), []);
});

test('a port that does not open names the browser reason', async () => {
    const engine = await newEngine();
    await engine.connect(silentPort({ openError: 'Failed to open serial port.' }));
    const outcome = await engine.read({});
    assert.equal(outcome.notice.shape, 'Warning');
    assert.match(outcome.notice.text, /\n\nUSB 1a86:7523: Failed to open serial port\.$/);
});
