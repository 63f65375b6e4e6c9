// The page: loads the engine, shows its document in the grid and runs the commands. Every rule,
// text of the document and radio step is the engine's; the page only shows and asks.

import { loadEngine } from './engine.js';
import { ChannelGrid } from './grid.js';
import { EditCommands, EditMenu } from './edit.js';
import {
    messageBox, setMessageTitle, ProgressBox, productInfoDialog, optionalFeaturesDialog, historyDialog,
    channelPlansDialog, checkChannelsDialog, importPreviewDialog, changesDialog, setupDialog,
} from './dialogs.js';
import { t, setTextLanguage, applyTexts } from './texts.js';

const kLanguageKey = 'language';
const kRememberedKey = 'remembered';
const kWriteChoicesKey = 'writeChoices';
// The desktop's defaults for the write choices of its Setup menu.
const kWriteChoices = { backup: true, verify: true, showChanges: true, changedOnly: false };
// The choices a failed write offers, in the desktop program's order, with its words.
const kChoiceButtons = [
    { answer: 'WriteAgain', text: 'writeAgain' },
    { answer: 'RestoreBackup', text: 'restoreBackup' },
    { answer: 'WriteWithoutBackup', text: 'writeWithoutBackup' },
];

const byId = (id) => document.getElementById(id);

let engine = null;
let grid = null;
let editMenu = null;
let progress = null;
// The name the document is saved under, and the file it was last saved to where the browser
// lets the page write a file again (File System Access API).
let fileName = null;
let fileHandle = null;
let transferRunning = false;
let historyProblemShown = false;
// The built-in channel lists that could not be fetched or read: [{name, reason}].
let planProblems = [];
let writeChoices = { ...kWriteChoices };

function storedLanguage() {
    try {
        return localStorage.getItem(kLanguageKey) === 'Chinese' ? 'Chinese' : 'English';
    } catch {
        return 'English';
    }
}

function remember(key, value) {
    try {
        localStorage.setItem(key, value);
    } catch {
        // Private windows may refuse storage: the choice then lasts for this visit only.
    }
}

function rememberedChoice() {
    try {
        const choice = JSON.parse(localStorage.getItem(kRememberedKey) || 'null');
        return choice && Number.isInteger(choice.type) && Number.isInteger(choice.band) ? choice : undefined;
    } catch {
        return undefined;
    }
}

// The write choices kept for this browser; a choice not kept, or not a yes or no, has its default.
function storedWriteChoices() {
    let kept = {};
    try {
        kept = JSON.parse(localStorage.getItem(kWriteChoicesKey) || '{}') || {};
    } catch {
        // Unreadable: the defaults.
    }
    return Object.fromEntries(Object.entries(kWriteChoices).map(([key, value]) => [key,
        typeof kept[key] === 'boolean' ? kept[key] : value]));
}

// The status line keeps its key and arguments, so that it follows a change of language.
let statusText = null;

function showStatus(key, ...args) {
    statusText = { key, args };
    byId('status').textContent = t(key, ...args);
}

function documentName() {
    return fileName || `${engine.appName()}.dat`;
}

// Everything that shows the document or depends on it, after any change.
function update() {
    // The engine may take the type and band of what it loaded, read or was given; the next
    // visit starts from them, as the desktop program's settings do.
    remember(kRememberedKey, JSON.stringify(engine.choice()));
    byId('caption').textContent = engine.caption();
    // The tab names the document, marked while it has changes not saved.
    document.title = `${documentName()}${engine.modified === true ? ' *' : ''} - ${engine.appName()}`;
    byId('cmd-undo').disabled = !engine.canUndo || transferRunning;
    byId('cmd-redo').disabled = !engine.canRedo || transferRunning;
    grid.refresh();
}

async function afterDialog(promise) {
    const result = await promise;
    update();
    grid.focus();
    return result;
}

function warn(text, title) {
    return afterDialog(messageBox(text, undefined, { warning: true, title }));
}

// ---- Files ----

// The file's bytes, or null when there is no file or it cannot be read (said to the user).
async function fileBytes(file) {
    if (!file) {
        return null;
    }
    try {
        return new Uint8Array(await file.arrayBuffer());
    } catch (error) {
        await warn(t('cannotOpen', file.name, error.message));
        return null;
    }
}

async function openFile(file) {
    const bytes = await fileBytes(file);
    if (!bytes) {
        return;
    }
    const loaded = engine.loadDat(bytes);
    if (!loaded.ok) {
        // The engine's text, then the size as the desktop program tells it; the document stays.
        await warn(`${loaded.message}\n${t('wrongSize', file.name, bytes.length, engine.datBytes().length)}`);
        return;
    }
    fileName = file.name;
    fileHandle = null;
    update();
    showStatus('opened', file.name);
    grid.focus();
}

// File > Compare with File: where the file differs from the document, with the document's write
// offered (where the browser can reach a radio); the document stays as it is.
async function compareWithFile(file) {
    const bytes = await fileBytes(file);
    if (!bytes) {
        return;
    }
    const compared = engine.compare(bytes);
    if (compared.error) {
        await warn(`${compared.error}\n${t('wrongSize', file.name, bytes.length, engine.datBytes().length)}`);
        return;
    }
    if (compared.changes.length === 0) {
        await afterDialog(messageBox(t('sameImage', file.name)));
        return;
    }
    const canWrite = 'serial' in navigator && !transferRunning;
    const answer = await afterDialog(changesDialog(compared, {
        title: t('compareWithFile'),
        text: t('compareQuestion', file.name),
        before: t('inFile'),
        after: t('inDocument'),
        answers: canWrite ? [{ answer: 'WriteDocument', text: t('writeThisDocument') }] : [],
    }));
    if (answer === 'WriteDocument') {
        await transfer('write');
    }
}

// The printable area the report is laid out for: what A4 and Letter both leave inside the margins
// that @page in style.css sets.
const kPrintWidthTwips = 7.5 * 1440;
const kPrintHeightTwips = 10 * 1440;

// The desktop program's printed report, one SVG a page in twips, handed to the browser's printing.
function printReport() {
    const model = engine.report(kPrintWidthTwips, kPrintHeightTwips);
    if (model.error) {
        warn(model.error);
        return;
    }
    const svg = 'http://www.w3.org/2000/svg';
    const make = (name, attributes) => {
        const element = document.createElementNS(svg, name);
        Object.entries(attributes).forEach(([key, value]) => element.setAttribute(key, String(value)));
        return element;
    };
    const pages = model.pages.map((page) => {
        const sheet = make('svg', { class: 'report-page', viewBox: `0 0 ${kPrintWidthTwips} ${kPrintHeightTwips}`,
            width: '7.5in', height: '10in' });
        for (const [x1, y1, x2, y2] of page.lines) {
            sheet.append(make('line', { x1, y1, x2, y2, stroke: 'black', 'stroke-width': 10 }));
        }
        for (const [font, x, y, text] of page.texts) {
            const label = make('text', { x, y, 'font-size': model.fonts[font], 'dominant-baseline': 'text-before-edge' });
            label.textContent = text;
            sheet.append(label);
        }
        return sheet;
    });
    byId('print-area').replaceChildren(...pages);
    window.print();
}

// Writes `data` where the user says: through the File System Access API (to `handle`, else to the
// file chosen in the browser's save dialog) or as a download. Resolves with the handle written
// to (null for a download), or undefined when the user cancelled or the file could not be written.
async function writeFile(data, { name, description, mime, extension, handle = null }) {
    if (!window.showSaveFilePicker) {
        // A download: the browser puts the file where it keeps downloads.
        const link = document.createElement('a');
        link.href = URL.createObjectURL(new Blob([data], { type: mime }));
        link.download = name;
        document.body.append(link);
        link.click();
        link.remove();
        setTimeout(() => URL.revokeObjectURL(link.href), 10000);
        return null;
    }
    let target = handle;
    try {
        if (!target) {
            target = await window.showSaveFilePicker({ suggestedName: name,
                types: [{ description, accept: { [mime]: [extension] } }] });
        }
        const writable = await target.createWritable();
        await writable.write(data);
        await writable.close();
        return target;
    } catch (error) {
        if (error.name !== 'AbortError') {
            await warn(t('cannotSave', target ? target.name : name, error.message));
        }
        return undefined;
    }
}

async function saveFile() {
    const written = await writeFile(engine.datBytes(), { name: documentName(), description: engine.appName(),
        mime: 'application/octet-stream', extension: '.dat', handle: fileHandle });
    if (written === undefined) {
        fileHandle = null;
        return;
    }
    fileHandle = written;
    fileName = written ? written.name : fileName;
    engine.markSaved();
    update();
    showStatus('saved', documentName());
}

// ---- Channel lists ----

// File > Import Channels: the engine's preview of the file, then its import as one undo step.
// A file larger than a channel list can be is read no further than that size.
async function importChannels(file) {
    if (!file) {
        return;
    }
    let bytes;
    try {
        bytes = new Uint8Array(await file.slice(0, engine.csvByteLimit() + 1).arrayBuffer());
    } catch (error) {
        await warn(t('cannotOpen', file.name, error.message));
        return;
    }
    const preview = engine.importPreview(bytes);
    if (preview.error || preview.tooLarge) {
        await warn(t('cannotOpen', file.name, preview.error || t('csvTooLarge')));
        return;
    }
    if (!(await afterDialog(importPreviewDialog(preview)))) {
        return;
    }
    const applied = engine.importApply(bytes);
    update();
    if (applied.ok && applied.changed) {
        showStatus('imported', file.name);
    }
}

// File > Export Channels: the document's list as <document name>.csv, saved as Save saves.
async function exportChannels() {
    const csv = engine.exportCsv();
    if (typeof csv !== 'string') {
        await warn(csv.error);
        return;
    }
    const name = `${documentName().replace(/\.dat$/i, '')}.csv`;
    const written = await writeFile(csv, { name, description: t('channelListFiles'), mime: 'text/csv',
        extension: '.csv' });
    if (written !== undefined) {
        // One line per channel below the header line.
        showStatus('channelsExported', csv.split('\n').length - 2, written ? written.name : name);
    }
    grid.focus();
}

// ---- Commands on the document ----

function undo() {
    if (engine.canUndo && !transferRunning) {
        engine.undo();
        update();
    }
}

function redo() {
    if (engine.canRedo && !transferRunning) {
        engine.redo();
        update();
    }
}

async function productInfo() {
    await afterDialog(productInfoDialog(engine));
}

async function checkChannels() {
    const finding = await afterDialog(checkChannelsDialog(engine));
    if (finding) {
        grid.moveTo(finding.channel, finding.column);
    }
}

// The built-in plans the site ships (plans/index.json names them), handed to the engine. A list
// that cannot be fetched or read is named in the Channel Plans dialog; the others still work.
async function loadPlans() {
    const fetchText = async (file) => {
        const response = await fetch(`plans/${file}`);
        if (!response.ok) {
            throw new Error(`${response.status} ${response.statusText}`);
        }
        return response.text();
    };
    let names = [];
    try {
        names = JSON.parse(await fetchText('index.json'));
    } catch (error) {
        planProblems = [{ name: 'plans/index.json', reason: t('planNotFetched', error.message) }];
        return;
    }
    const fetched = [];
    const problems = [];
    for (const name of names) {
        try {
            // A list without a description has no .ini beside it.
            const [csv, ini] = await Promise.all([fetchText(`${name}.csv`), fetchText(`${name}.ini`).catch(() => '')]);
            fetched.push({ name, csv, ini });
        } catch (error) {
            problems.push({ name: `${name}.csv`, reason: t('planNotFetched', error.message) });
        }
    }
    planProblems = [...problems, ...engine.setPlans(fetched).map((p) => ({ name: `${p.name}.csv`, reason: p.reason }))];
}

async function openHistory() {
    const id = await afterDialog(historyDialog(engine));
    if (id === null) {
        return;
    }
    const time = engine.history().find((entry) => entry.id === id)?.time ?? id;
    const opened = engine.openHistory(id);
    if (!opened.ok) {
        await warn(t('historyNotLoaded', time, opened.message || opened.error || ''));
        return;
    }
    update();
    showStatus('historyOpened', time);
}

// ---- The radio ----

function hex4(value) {
    return value.toString(16).padStart(4, '0');
}

// What the status line calls the port, where the desktop names its COM port.
function portLabel(serialPort) {
    const info = serialPort && serialPort.getInfo ? serialPort.getInfo() : {};
    return info.usbVendorId !== undefined
        ? t('usbPort', hex4(info.usbVendorId), hex4(info.usbProductId ?? 0))
        : t('serialPort');
}

// The port granted earlier, or the browser's chooser. The chooser needs the click's user
// gesture, which outlasts the moment getPorts() takes to answer.
async function choosePort() {
    const granted = await navigator.serial.getPorts();
    if (granted.length > 0) {
        return granted[0];
    }
    try {
        return await navigator.serial.requestPort();
    } catch {
        showStatus('noPortChosen');
        return null;
    }
}

// The hooks of a job on the radio the status line calls `where`.
function transferHooks(where) {
    return {
        onStage: (text) => progress.setStage(text),
        onProgress: (row) => progress.setRow(row),
        askRetry: async (text) => (await messageBox(text, [
            { answer: 'Retry', text: t('retry') },
            { answer: 'Cancel', text: t('cancel') },
        ], { warning: true })) === 'Retry',
        confirmChanges: async (question) => (await changesDialog(question, {
            title: t('writeData'),
            text: t('changesQuestion', where) + (question.otherModel ? `\n\n${t('otherModel')}` : ''),
            before: t('inRadio'),
            after: t('afterWrite'),
            answers: [{ answer: 'Write', text: t('write') }],
        })) === 'Write',
    };
}

function setRunning(running) {
    transferRunning = running;
    for (const id of ['cmd-read', 'cmd-write', 'cmd-open', 'cmd-compare', 'cmd-import', 'cmd-edit',
        'cmd-product-info', 'cmd-optional-features', 'cmd-channel-plans', 'cmd-check-channels', 'cmd-history']) {
        byId(id).disabled = running || ((id === 'cmd-read' || id === 'cmd-write') && !('serial' in navigator));
    }
    update();
}

// Runs one job with the progress dialog open; resolves with its outcome.
async function runJob(title, job) {
    setRunning(true);
    progress.open(title);
    try {
        return await job();
    } finally {
        progress.close();
        setRunning(false);
    }
}

// The notice of a job that did not end well, as the desktop's result box shows it; resolves
// with the recovery chosen, or null.
async function showNotice(notice) {
    if (notice.shape !== 'Warning' || notice.choices.length === 0) {
        await messageBox(notice.text, undefined, { title: notice.caption || undefined,
            warning: notice.shape !== 'Information' });
        return null;
    }
    const buttons = kChoiceButtons.filter((choice) => notice.choices.includes(choice.answer))
        .map((choice) => ({ answer: choice.answer, text: t(choice.text) }));
    // Declining closes the box on a radio that changed, and cancels a write not yet begun.
    buttons.push(notice.radioChanged ? { answer: 'Close', text: t('close') }
        : { answer: 'Cancel', text: t('cancel') });
    const answer = await messageBox(notice.text, buttons, { title: notice.caption || undefined, warning: true });
    return buttons.some((b) => b.answer === answer) && kChoiceButtons.some((c) => c.answer === answer)
        ? answer : null;
}

async function finishJob(direction, outcome, where) {
    if (outcome.error) {
        await messageBox(t('portProblem', outcome.error), undefined, { warning: true });
        return;
    }
    if (outcome.historyKept && !outcome.historyKept.ok && !historyProblemShown) {
        historyProblemShown = true;
        await messageBox(t('historyNotKept', t('browserStorage'), outcome.historyKept.message), undefined,
            { warning: true });
    }
    if (outcome.notice) {
        const choice = await showNotice(outcome.notice);
        if (choice) {
            const next = await runJob(t('writeData'), () => engine.recover(choice, transferHooks(where)));
            await finishJob('write', next, where);
        }
        return;
    }
    if (!outcome.ok) {
        return;
    }
    if (direction === 'read') {
        if (!outcome.listed) {
            await messageBox(t('unlistedRead', outcome.type, outcome.band));
        }
        showStatus('readDone', where);
    } else if (outcome.alreadyHeld) {
        showStatus('alreadyHeldStatus', where);
        // Escape answers the last button: OK, which writes nothing.
        const answer = await messageBox(t('alreadyHeld'), [
            { answer: 'WriteAnyway', text: t('writeAnyway') },
            { answer: 'OK', text: t('ok') },
        ], { focus: 'OK' });
        if (answer === 'WriteAnyway') {
            const forced = await runJob(t('writeData'),
                () => engine.write(transferHooks(where), { ...writeChoices, force: true }));
            await finishJob('write', forced, where);
        }
    } else if (outcome.declined) {
        showStatus('declinedStatus', where);
    } else if (outcome.fellBack) {
        showStatus(writeChoices.verify ? 'writtenVerifiedWhole' : 'writtenWhole', where);
    } else {
        showStatus(writeChoices.verify ? 'writtenVerified' : 'written', where);
    }
}

async function transfer(direction) {
    if (transferRunning) {
        return;
    }
    const chosen = await choosePort();
    if (!chosen) {
        grid.focus();
        return;
    }
    if (direction === 'write') {
        const check = engine.writeCheck();
        if (!check.ok) {
            const answer = await messageBox(`${check.message}\n\n${t('writeAnywayQuestion')}`, [
                { answer: 'Write', text: t('writeButton') },
                { answer: 'Cancel', text: t('cancel') },
            ], { warning: true, focus: 'Cancel' });
            if (answer !== 'Write') {
                grid.focus();
                return;
            }
        }
    }
    const where = portLabel(chosen);
    try {
        await engine.connect(chosen);
        const outcome = await runJob(direction === 'read' ? t('readData') : t('writeData'), () => (
            direction === 'read' ? engine.read(transferHooks(where))
                : engine.write(transferHooks(where), writeChoices)));
        await finishJob(direction, outcome, where);
    } catch (error) {
        // The engine turns the radio's troubles into notices; what lands here is the port's.
        await messageBox(t('portProblem', error && error.message ? error.message : String(error)), undefined,
            { warning: true });
    }
    update();
    grid.focus();
}

// ---- Language ----

function setLanguage(language) {
    setTextLanguage(language);
    engine.setLanguage(language);
    remember(kLanguageKey, language);
    applyTexts(document);
    editMenu.applyTexts();
    setMessageTitle(engine.appName());
    byId('language').value = language;
    if (statusText) {
        showStatus(statusText.key, ...statusText.args);
    }
    update();
}

// ---- Start ----

function wireCommands() {
    const fileInput = byId('file-open');
    byId('cmd-open').addEventListener('click', () => fileInput.click());
    fileInput.addEventListener('change', async () => {
        const [file] = fileInput.files;
        fileInput.value = '';
        await openFile(file);
    });
    // A file dropped anywhere on the page opens as if chosen.
    document.body.addEventListener('dragover', (event) => {
        if (event.dataTransfer && [...event.dataTransfer.types].includes('Files')) {
            event.preventDefault();
            event.dataTransfer.dropEffect = 'copy';
        }
    });
    document.body.addEventListener('drop', (event) => {
        event.preventDefault();
        const busy = transferRunning || document.querySelector('dialog[open]') !== null;
        if (!busy && event.dataTransfer && event.dataTransfer.files.length > 0) {
            openFile(event.dataTransfer.files[0]);
        }
    });
    byId('cmd-save').addEventListener('click', saveFile);
    const compareInput = byId('file-compare');
    byId('cmd-compare').addEventListener('click', () => compareInput.click());
    compareInput.addEventListener('change', async () => {
        const [file] = compareInput.files;
        compareInput.value = '';
        await compareWithFile(file);
    });
    const importInput = byId('file-import');
    byId('cmd-import').addEventListener('click', () => importInput.click());
    importInput.addEventListener('change', async () => {
        const [file] = importInput.files;
        importInput.value = '';
        await importChannels(file);
    });
    byId('cmd-export').addEventListener('click', exportChannels);
    byId('cmd-print').addEventListener('click', printReport);
    byId('cmd-undo').addEventListener('click', () => { undo(); grid.focus(); });
    byId('cmd-redo').addEventListener('click', () => { redo(); grid.focus(); });
    byId('cmd-product-info').addEventListener('click', productInfo);
    byId('cmd-optional-features').addEventListener('click', () => afterDialog(optionalFeaturesDialog(engine)));
    byId('cmd-channel-plans').addEventListener('click',
        () => afterDialog(channelPlansDialog(engine, planProblems)));
    byId('cmd-check-channels').addEventListener('click', checkChannels);
    byId('cmd-history').addEventListener('click', openHistory);
    byId('cmd-setup').addEventListener('click', () => afterDialog(setupDialog(writeChoices,
        (choices) => remember(kWriteChoicesKey, JSON.stringify(choices)))));
    byId('cmd-read').addEventListener('click', () => transfer('read'));
    byId('cmd-write').addEventListener('click', () => transfer('write'));
    byId('language').addEventListener('change', (event) => setLanguage(event.target.value));
    // Undo and redo also where the focus is on a button, not only in the grid; an editor's own
    // text keeps its keys.
    document.addEventListener('keydown', (event) => {
        if (event.defaultPrevented || !(event.ctrlKey || event.metaKey) || event.altKey
            || event.target.closest('dialog, input, select') || grid.isEditing) {
            return;
        }
        const key = event.key.toLowerCase();
        if (key === 'z' && !event.shiftKey) {
            event.preventDefault();
            undo();
        } else if (key === 'y' || (key === 'z' && event.shiftKey)) {
            event.preventDefault();
            redo();
        } else if (key === 's') {
            event.preventDefault();
            saveFile();
        } else if (key === 'o' && !transferRunning) {
            event.preventDefault();
            fileInput.click();
        }
    });
    // Leaving the page with changes not saved asks first, in the browser's own words.
    window.addEventListener('beforeunload', (event) => {
        if (engine.modified === true) {
            event.preventDefault();
            event.returnValue = '';
        }
    });
}

async function start() {
    const language = storedLanguage();
    writeChoices = storedWriteChoices();
    setTextLanguage(language);
    applyTexts(document);
    byId('language').value = language;
    showStatus('loading');
    try {
        const response = await fetch('Program.ini');
        if (!response.ok) {
            throw new Error(`Program.ini: ${response.status} ${response.statusText}`);
        }
        engine = await loadEngine({ programIni: await response.text(), language, remembered: rememberedChoice() });
        if (engine.error) {
            throw new Error(engine.error);
        }
    } catch (error) {
        showStatus('engineFailed', error && error.message ? error.message : String(error));
        return;
    }
    await loadPlans();
    setMessageTitle(engine.appName());
    progress = new ProgressBox(() => engine.cancel());
    grid = new ChannelGrid(byId('channels'), engine, {
        onRefused: (message, caption) => warn(message, caption),
        onChanged: () => update(),
        onUndo: undo,
        onRedo: redo,
    });
    const edits = new EditCommands(engine, grid, byId('channels'), {
        warn: (text) => warn(text),
        changed: () => update(),
        busy: () => transferRunning || document.querySelector('dialog[open]') !== null,
    });
    editMenu = new EditMenu(byId('cmd-edit'), byId('edit-menu'), edits, () => grid.focus());
    wireCommands();
    const serial = 'serial' in navigator;
    byId('serial-note').hidden = serial;
    if (!serial) {
        // The one-line reason is what a screen reader tells of the disabled buttons.
        byId('cmd-read').setAttribute('aria-describedby', 'serial-note');
        byId('cmd-write').setAttribute('aria-describedby', 'serial-note');
    }
    for (const id of ['cmd-open', 'cmd-save', 'cmd-compare', 'cmd-import', 'cmd-export', 'cmd-print', 'cmd-edit',
        'cmd-product-info', 'cmd-optional-features', 'cmd-channel-plans', 'cmd-check-channels', 'cmd-history',
        'cmd-setup']) {
        byId(id).disabled = false;
    }
    byId('cmd-read').disabled = !serial;
    byId('cmd-write').disabled = !serial;
    update();
    showStatus('ready');
}

start();
