// The one entry to the engine: the core compiled to WebAssembly (radio-engine.js/.wasm), as the
// page and the node tests use it. Texts come back in the engine's language exactly as the core
// words them. A failure inside the engine never throws out of here: the call answers
// {error: message} instead.
//
// The radio calls (read, write, recover) suspend the module while the serial port is awaited;
// only one may be inside the module at a time, so they are queued here. Cancel only sets a flag
// the engine's pump reads, so it never calls into a module in the middle of a transfer.
import createRadioEngine from './radio-engine.js';
import { SerialLine, lineName } from './serial.js';

const kHistoryFolder = '/history';

const kRangeTypes = ['number', 'number', 'number', 'number'];

function rangeArgs({ top, left, bottom, right }) {
    return [top, left, bottom, right];
}

function errorOf(error) {
    return { error: String(error && error.message || error) };
}

// The images read and written live in IndexedDB where there is one (the browser); under node
// the history lasts as long as the module.
async function mountHistory(module) {
    module.FS.mkdir(kHistoryFolder);
    if (typeof indexedDB === 'undefined') {
        return false;
    }
    module.FS.mount(module.FS.filesystems.IDBFS, {}, kHistoryFolder);
    await syncHistory(module, true);
    return true;
}

// populate: true reads IndexedDB into the module, false stores the module's files.
function syncHistory(module, populate) {
    return new Promise((resolve) => {
        module.FS.syncfs(populate, (error) => {
            if (error) {
                console.warn('The radio history could not be synchronised:', error);
            }
            resolve();
        });
    });
}

// The emscripten glue finds node's `require` and `__dirname` as globals, which an ES module
// does not have; in a browser there is nothing to do.
async function provideNodeGlobals() {
    if (typeof process === 'undefined' || !process.versions || !process.versions.node) {
        return;
    }
    if (typeof globalThis.require === 'undefined') {
        const { createRequire } = await import('node:module');
        globalThis.require = createRequire(import.meta.url);
    }
    if (typeof globalThis.__dirname === 'undefined') {
        globalThis.__dirname = decodeURIComponent(new URL('.', import.meta.url).pathname);
    }
}

export async function loadEngine({ programIni, language = 'English', wasmBinary, remembered } = {}) {
    try {
        await provideNodeGlobals();
        const module = await createRadioEngine(wasmBinary ? { wasmBinary } : {});
        const persistent = await mountHistory(module);
        return new Engine(module, { programIni, language, remembered, persistent });
    } catch (error) {
        return errorOf(error);
    }
}

class Engine {
    constructor(module, { programIni, language, remembered, persistent }) {
        this.module = module;
        this.persistent = persistent;
        this.jobs = Promise.resolve();
        this.portName = 'serial port';
        this.rows = 17;
        this.cols = 9;
        this.currentLanguage = language;
        const created = this.call('engineCreate', ['string', 'string', 'number', 'number', 'number'],
            [programIni || '', language, remembered ? remembered.type : 0, remembered ? remembered.band : 0,
                remembered ? 1 : 0], false);
        if (created && created.error) {
            throw new Error(created.error);
        }
        this.handle = created;
    }

    // A synchronous call of an export taking the engine first: its JSON answer, parsed.
    call(name, types = [], args = [], withHandle = true) {
        try {
            const text = this.module.ccall(name, 'string', withHandle ? ['number', ...types] : types,
                withHandle ? [this.handle, ...args] : args);
            return JSON.parse(text);
        } catch (error) {
            return errorOf(error);
        }
    }

    // The bytes go through the module's heap, not its small stack: a dropped file may be large.
    // `types` and `args` come before the bytes.
    callWithBytes(name, bytes, types = [], args = []) {
        const data = typeof bytes === 'string' ? new TextEncoder().encode(bytes)
            : bytes instanceof Uint8Array ? bytes : new Uint8Array(bytes || []);
        const pointer = this.module._malloc(Math.max(1, data.length));
        try {
            this.module.HEAPU8.set(data, pointer);
            return this.call(name, [...types, 'number', 'number'], [...args, pointer, data.length]);
        } finally {
            this.module._free(pointer);
        }
    }

    get language() {
        return this.currentLanguage;
    }

    setLanguage(language) {
        this.currentLanguage = language === 'Chinese' ? 'Chinese' : 'English';
        return this.call('engineSetLanguage', ['string'], [this.currentLanguage]);
    }

    newDocument() {
        return this.call('engineNewDocument');
    }

    loadDat(bytes) {
        return this.callWithBytes('engineLoadDat', bytes);
    }

    datBytes() {
        const bytes = this.call('engineDatBytes');
        return Array.isArray(bytes) ? Uint8Array.from(bytes) : bytes;
    }

    get modified() {
        return this.call('engineModified');
    }

    markSaved() {
        return this.call('engineMarkSaved');
    }

    caption() {
        return this.call('engineCaption');
    }

    appName() {
        return this.call('engineAppName');
    }

    title() {
        return this.call('engineTitle');
    }

    cellText(row, col) {
        return this.call('engineCellText', ['number', 'number'], [row, col]);
    }

    isListColumn(col) {
        return col >= 3 && col < this.cols;
    }

    listItems(col) {
        return this.call('engineListItems', ['number'], [col]);
    }

    initialListIndex(col, text) {
        return this.call('engineInitialListIndex', ['number', 'string'], [col, String(text)]);
    }

    commit(row, col, text, userChose = false) {
        return this.call('engineCommit', ['number', 'number', 'string', 'number'],
            [row, col, String(text), userChose ? 1 : 0]);
    }

    undo() {
        return this.call('engineUndo');
    }

    redo() {
        return this.call('engineRedo');
    }

    get canUndo() {
        return this.call('engineUndoState').canUndo === true;
    }

    get canRedo() {
        return this.call('engineUndoState').canRedo === true;
    }

    typeNames() {
        return this.call('engineTypeNames');
    }

    bandNames(type) {
        return this.call('engineBandNames', ['number'], [type]);
    }

    choice() {
        return this.call('engineChoice');
    }

    chooseModel(type, band, keepChannels = true) {
        return this.call('engineChooseModel', ['number', 'number', 'number'], [type, band, keepChannels ? 1 : 0]);
    }

    // What chooseModel would leave outside the band, without changing anything: {outside, message}.
    outsideChannels(type, band) {
        return this.call('engineOutsideChannels', ['number', 'number'], [type, band]);
    }

    options() {
        return this.call('engineOptions');
    }

    setOptions(selections) {
        const values = Int32Array.from(selections || []);
        const pointer = this.module._malloc(Math.max(4, values.byteLength));
        try {
            this.module.HEAP32.set(values, pointer >> 2);
            return this.call('engineSetOptions', ['number', 'number'], [pointer, values.length]);
        } finally {
            this.module._free(pointer);
        }
    }

    // Where a .dat file's bytes differ from the document: {changes, otherModel} as write's
    // confirmChanges has them, the rows that never travel included; {error} for bytes that are
    // not an image.
    compare(other) {
        return this.callWithBytes('engineCompare', other);
    }

    writeCheck() {
        return this.call('engineWriteCheck');
    }

    // The printed report for a printable area in twips: {fonts: [report, small] character heights,
    // pages: [{lines: [[x1, y1, x2, y2]], texts: [[font, x, y, text]]}]}, y growing downwards and
    // every text anchored at the top-left corner of its cell.
    report(widthTwips, heightTwips) {
        return this.call('engineReport', ['number', 'number'], [widthTwips, heightTwips]);
    }

    // The channel plans, [{name, csv, ini}] with ini '' for a list without a description, in
    // place of those handed over before. Gives the lists that could not be read: [{name, reason}].
    setPlans(plans) {
        this.call('engineClearPlans');
        const problems = [];
        for (const { name, csv, ini } of plans || []) {
            const added = this.call('engineAddPlan', ['string', 'string', 'string'], [name, csv || '', ini || '']);
            if (!added.ok) {
                problems.push({ name, reason: added.message || added.error });
            }
        }
        return problems;
    }

    // [{name, region, service, licence (true, false or null), rule, source, unconfirmed, described,
    // applicable, reason, rows: [{name, rx, tx, tones, bandwidth, power}]}], fitted to the band.
    plans() {
        return this.call('enginePlans');
    }

    // Rows firstRow..lastRow (0: the last) of the plan into channels from fromChannel on:
    // {channels, refused: [{row, channel, reason}], changed}. planEffect only tells; applyPlan
    // applies as one undo step.
    planEffect(name, { firstRow = 1, lastRow = 0, fromChannel = 1, replaceAll = false } = {}) {
        return this.call('enginePlanEffect', ['string', 'number', 'number', 'number', 'number'],
            [name, firstRow, lastRow, fromChannel, replaceAll ? 1 : 0]);
    }

    applyPlan(name, { firstRow = 1, lastRow = 0, fromChannel = 1, replaceAll = false } = {}) {
        return this.call('engineApplyPlan', ['string', 'number', 'number', 'number', 'number'],
            [name, firstRow, lastRow, fromChannel, replaceAll ? 1 : 0]);
    }

    // The channel check: [{kind, channel, column (the grid's), heading, text}].
    check() {
        return this.call('engineCheck');
    }

    // Channel lists (CSV). importPreview tells what importing the file's bytes would change:
    // {ok, tooLarge, problems: [{line, reason}], channelCount, changes: [{channel, now, after}]
    // ('' for a channel not in use), changed}; importApply answers the same and, when ok, changes
    // the document as one undo step. A file over csvByteLimit() bytes is refused unread.
    importPreview(bytes) {
        return this.callWithBytes('engineImportPreview', bytes);
    }

    importApply(bytes) {
        return this.callWithBytes('engineImportApply', bytes);
    }

    csvByteLimit() {
        return this.call('engineCsvByteLimit');
    }

    // The document's channel list as CSV text.
    exportCsv() {
        return this.call('engineExportCsv');
    }

    // The grid's block commands on a range {top, left, bottom, right} of rows 1..16 and columns
    // 1..8, each one undo step. copyCells answers {text, csv} (csv '' unless whole channels);
    // paste and fillDown answer {changed, refused: [{row, col, column, text, reason, reasonText}],
    // someAccepted, problems: [{line, reason}]}: a refusal leaves the document as it was unless
    // `acceptedPart`; problems are a pasted channel list's bad rows. clearCells answers {changed}.
    copyCells(range) {
        return this.call('engineCopyCells', kRangeTypes, rangeArgs(range));
    }

    paste(range, text, acceptedPart = false) {
        return this.callWithBytes('enginePaste', text, [...kRangeTypes, 'number'],
            [...rangeArgs(range), acceptedPart ? 1 : 0]);
    }

    clearCells(range) {
        return this.call('engineClearCells', kRangeTypes, rangeArgs(range));
    }

    fillDown(range, acceptedPart = false) {
        return this.call('engineFillDown', [...kRangeTypes, 'number'], [...rangeArgs(range), acceptedPart ? 1 : 0]);
    }

    // 'Insert', 'Delete', 'Up' or 'Down' on one channel: {outcome: 'Done' | 'NoRoom' | 'OutOfRange', changed}.
    editRows(command, channel) {
        return this.call('engineEditRows', ['string', 'number'], [command, channel]);
    }

    // Runs `work` after every radio call queued before it.
    enqueue(work) {
        const run = this.jobs.then(work, work);
        this.jobs = run.catch(() => {});
        return run;
    }

    connect(port) {
        return this.enqueue(() => {
            this.module.radioLine = port ? new SerialLine(port) : null;
            this.portName = lineName(port);
            return { ok: Boolean(port) };
        });
    }

    cancel() {
        this.module.radioCancel = true;
    }

    // A radio call: the hooks are the page's for its duration, and the history is stored after it.
    job(name, types, args, hooks) {
        return this.enqueue(async () => {
            this.module.radioHooks = hooks || {};
            this.module.radioCancel = false;
            try {
                const text = await this.module.ccall(name, 'string', ['number', 'string', ...types],
                    [this.handle, this.portName, ...args], { async: true });
                return JSON.parse(text);
            } catch (error) {
                return errorOf(error);
            } finally {
                this.module.radioHooks = null;
                if (this.persistent) {
                    await syncHistory(this.module, false);
                }
            }
        });
    }

    read(hooks) {
        return this.job('engineRead', [], [], hooks);
    }

    // The desktop's write choices; `force` writes even when the backup shows the radio already
    // holds the document. With `showChanges` (and a backup), the engine awaits
    // hooks.confirmChanges({port, changes: [{kind, channel (0: none), what, before, after}],
    // otherModel, findings: [text]}) before writing, and writes only when it resolves true; the
    // outcome of a write declined so says `declined`.
    write(hooks, { verify = true, backup = true, showChanges = false, changedOnly = false, force = false } = {}) {
        const flags = [verify, backup, showChanges, changedOnly, force].map((on) => (on ? 1 : 0));
        return this.job('engineWrite', ['number', 'number', 'number', 'number', 'number'], flags, hooks);
    }

    recover(choice, hooks) {
        return this.job('engineRecover', ['string'], [String(choice)], hooks);
    }

    history() {
        return this.call('engineHistory');
    }

    openHistory(id) {
        return this.call('engineOpenHistory', ['string'], [String(id)]);
    }
}
