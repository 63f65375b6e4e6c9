// The browser edition as a user meets it: the page from build/web/site in headless Chromium, with
// the simulated radio behind a stand-in navigator.serial (serial-standin.js). The expected texts
// come from the engine itself and, where the desktop program's words are meant, from core's own
// text table, so the page cannot drift from either.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { existsSync, readFileSync } from 'node:fs';
import { createServer } from 'node:http';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
const sourceDir = path.resolve(here, '../..');
const siteDir = path.resolve(sourceDir, process.env.RADIO_WEB_SITE ?? 'build/web/site');
const testsimDir = path.resolve(siteDir, '../testsim');
const missing = [path.join(siteDir, 'index.html'), path.join(testsimDir, 'radio-sim.wasm'),
    path.join(here, 'node_modules/playwright-core')].find((file) => !existsSync(file));
if (missing) {
    console.log(`web tests skipped: ${missing} is missing (scripts/web.sh, npm ci --prefix tests/web)`);
}
const skip = missing ? `${missing} is missing` : false;
// A page test that hangs fails on its own, naming itself, and the others still run.
const each = { skip, timeout: 120000 };

const kChromiumArgs = ['--headless', '--disable-gpu', '--disable-background-networking',
    '--disable-component-update', '--disable-sync', '--no-first-run'];
const kTypes = { '.html': 'text/html', '.js': 'text/javascript', '.mjs': 'text/javascript',
    '.css': 'text/css', '.wasm': 'application/wasm', '.ini': 'text/plain; charset=utf-8' };
// The frames of one session end with row 50; the rest of the memory is never transferred.
const kTransferredBytes = 0x330;

let server;
let origin;
let browser;

// core's English and Chinese for one of its texts, read from its table.
function coreText(id) {
    const table = readFileSync(path.join(sourceDir, 'core/text/CoreTexts.cpp'), 'utf8');
    const match = table.match(new RegExp(`CoreText::${id},\\s*"((?:[^"\\\\]|\\\\.)*)"`));
    assert.ok(match, `CoreText::${id} is in core/text/CoreTexts.cpp`);
    return JSON.parse(`"${match[1]}"`);
}

function serve(request, response) {
    const url = new URL(request.url, 'http://localhost');
    if (url.pathname === '/blank.html') {
        response.writeHead(200, { 'Content-Type': 'text/html' }).end('<!DOCTYPE html><title>blank</title>');
        return;
    }
    const [dir, name] = url.pathname.startsWith('/testsim/')
        ? [testsimDir, url.pathname.slice('/testsim/'.length)] : [siteDir, url.pathname.slice(1) || 'index.html'];
    const file = path.join(dir, path.normalize(name));
    if (!file.startsWith(dir) || !existsSync(file)) {
        response.writeHead(404).end();
        return;
    }
    response.writeHead(200, { 'Content-Type': kTypes[path.extname(file)] ?? 'application/octet-stream' });
    response.end(readFileSync(file));
}

before(async () => {
    if (skip) {
        return;
    }
    server = createServer(serve);
    await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
    origin = `http://127.0.0.1:${server.address().port}`;
    const { chromium } = await import('playwright-core');
    browser = await chromium.launch({ executablePath: process.env.RADIO_CHROMIUM ?? '/usr/bin/chromium',
        args: kChromiumArgs });
});

after(async () => {
    await browser?.close();
    server?.close();
});

// The page, loaded and ready, in a context of its own (empty storage), with the stand-in port.
async function openPage({ hidePort = false, language } = {}) {
    const context = await browser.newContext({ acceptDownloads: true });
    await context.addInitScript({ path: path.join(here, 'serial-standin.js') });
    if (language) {
        await context.addInitScript((value) => localStorage.setItem('language', value), language);
    }
    const page = await context.newPage();
    page.on('pageerror', (error) => console.log(`page error: ${error.message}`));
    const started = performance.now();
    await page.goto(`${origin}/index.html`);
    await page.locator('#cmd-read:not([disabled])').waitFor();
    const loadMs = performance.now() - started;
    await page.evaluate(() => window.__radio.ready);
    if (hidePort) {
        await page.evaluate(() => window.__radio.hidePort());
    }
    return { page, context, loadMs };
}

// An engine of its own on a blank page of the same site, to make images and expected texts with.
async function openEngine(context, language = 'English') {
    const page = await context.newPage();
    await page.goto(`${origin}/blank.html`);
    await page.evaluate(async (lang) => {
        const { loadEngine } = await import('/engine.js');
        const programIni = await (await fetch('/Program.ini')).text();
        window.engine = await loadEngine({ programIni, language: lang });
    }, language);
    return (fn, arg) => page.evaluate(fn, arg);
}

// An image with channels 1 to 3 in the document's band, `shift` MHz above its lower edge and up;
// its bytes as a plain array.
async function sampleImage(engine, shift = 1) {
    return engine((mhz) => {
        const { engine } = window;
        engine.newDocument();
        const low = Number(engine.bandNames(engine.choice().type)[engine.choice().band].match(/\d+/)[0]);
        for (const row of [1, 2, 3]) {
            engine.commit(row, 1, (low + mhz + row).toFixed(5));
        }
        return Array.from(engine.datBytes());
    }, shift);
}

// Opens the image as sample.dat and waits until the page has it: the file's bytes are read
// asynchronously, and the status line names the file once the grid shows them.
async function openDat(page, bytes) {
    await page.evaluate(() => { document.getElementById('status').textContent = ''; });
    await page.setInputFiles('#file-open', { name: 'sample.dat', mimeType: 'application/octet-stream',
        buffer: Buffer.from(bytes) });
    await page.waitForFunction(() => document.getElementById('status').textContent.includes('sample.dat'));
}

async function compareDat(page, bytes) {
    await page.setInputFiles('#file-compare', { name: 'other.dat', mimeType: 'application/octet-stream',
        buffer: Buffer.from(bytes) });
}

async function importCsv(page, text) {
    await page.setInputFiles('#file-import', { name: 'list.csv', mimeType: 'text/csv', buffer: Buffer.from(text) });
}

// Waits for the message box, answers it and gives its text.
async function answer(page, choice) {
    await page.locator('#message-box[open]').waitFor();
    const text = await page.locator('#message-text').textContent();
    await page.locator(`#message-box [data-answer="${choice}"]`).click();
    return text;
}

// Waits until the radio's counter `key` reaches `value`; fails at once with the page's question
// when a message box or the changes before a write open instead.
async function waitForRadio(page, key, value, polling = 100) {
    const outcome = await (await page.waitForFunction(([k, v]) => {
        if (window.__radio.counters()[k] === v) {
            return 'done';
        }
        return document.querySelector('#message-box[open] #message-text, #changes-box[open] #changes-text')
            ?.textContent || false;
    }, [key, value], { polling })).jsonValue();
    assert.equal(outcome, 'done', `the page asked instead: ${outcome}`);
}

const cell = (page, row, col) => page.locator(`#channels [data-row="${row}"][data-col="${col}"]`);
const radio = (page, fn, arg) => page.evaluate(fn, arg);

test('a refused frequency shows the desktop message and keeps the cell; undo restores', each, async () => {
    const { page, context } = await openPage();
    const engine = await openEngine(context);
    const bytes = await sampleImage(engine);
    await openDat(page, bytes);
    const expected = await engine((dat) => {
        window.engine.loadDat(Uint8Array.from(dat));
        return window.engine.commit(1, 1, '999');
    }, bytes);
    assert.equal(expected.accepted, false);
    assert.ok(expected.message.startsWith(coreText('OutOfRange')), expected.message);

    const [first, second] = [await cell(page, 1, 1).textContent(), await cell(page, 2, 1).textContent()];
    await cell(page, 2, 1).click();
    await page.keyboard.type(first);
    await page.keyboard.press('Enter');
    assert.equal(await cell(page, 2, 1).textContent(), first);
    await cell(page, 1, 1).click();
    await page.keyboard.type('999');
    await page.keyboard.press('Enter');
    assert.equal(await answer(page, 'OK'), expected.message);
    assert.equal(await cell(page, 1, 1).textContent(), first);

    await page.keyboard.press('Control+z');
    assert.equal(await cell(page, 2, 1).textContent(), second);
    await context.close();
});

test('channels selected with Shift copy and paste with the keyboard as one undo step; a channel moves down',
    each, async () => {
    const { page, context } = await openPage();
    const engine = await openEngine(context);
    await openDat(page, await sampleImage(engine));
    const texts = (row) => Promise.all([1, 2, 3, 4, 5, 6, 7, 8].map((col) => cell(page, row, col).textContent()));
    const [one, two, empty] = [await texts(1), await texts(2), await texts(5)];
    await page.locator('#channels th[data-row="1"][data-col="0"]').click();
    await page.keyboard.press('Shift+ArrowDown');
    assert.equal(await page.locator('#channels td[aria-selected="true"]').count(), 16);
    await page.keyboard.press('Control+c');
    for (let step = 0; step < 3; ++step) {
        await page.keyboard.press('ArrowDown');
    }
    await page.keyboard.press('Control+v');
    assert.deepEqual([await texts(5), await texts(6)], [one, two]);
    await page.keyboard.press('Control+z');
    assert.deepEqual([await texts(5), await texts(6)], [empty, empty]);
    await page.keyboard.press('PageUp');
    await page.keyboard.press('Control+Shift+ArrowDown');
    assert.deepEqual([await texts(1), await texts(2)], [two, one]);
    assert.equal(await page.evaluate(() => document.activeElement.dataset.row), '2');
    await context.close();
});

test('read fills the grid; write with backup and verify leaves the document in the radio', each, async () => {
    const { page, context } = await openPage({ hidePort: true });
    const engine = await openEngine(context);
    const inRadio = await sampleImage(engine);
    await radio(page, (bytes) => window.__radio.setMemory(bytes), inRadio);
    await page.locator('#cmd-read').click();
    await waitForRadio(page, 'completedReads', 1);
    const expectedCell = await engine(() => window.engine.cellText(3, 1));
    await page.waitForFunction((text) =>
        document.querySelector('#channels [data-row="3"][data-col="1"]').textContent === text, expectedCell);
    assert.equal(await radio(page, () => window.__radio.requests), 1, 'Read asked for the port');

    const edited = await engine(() => {
        window.engine.commit(5, 1, window.engine.cellText(1, 1));
        return Array.from(window.engine.datBytes());
    });
    const typed = await engine(() => window.engine.cellText(1, 1));
    await cell(page, 5, 1).click();
    await page.keyboard.type(typed);
    await page.keyboard.press('Enter');
    assert.equal(await cell(page, 5, 1).textContent(), typed);
    await page.locator('#cmd-write').click();
    await page.locator('#changes-box[open]').waitFor();
    assert.deepEqual(await page.locator('#changes-rows td:nth-child(2)').allTextContents(), ['5'], 'channel 5 added');
    await page.locator('#changes-box [data-answer="Write"]').click();
    await waitForRadio(page, 'completedReads', 3);
    const memory = await radio(page, () => window.__radio.memory());
    assert.deepEqual(memory.slice(0, kTransferredBytes), edited.slice(0, kTransferredBytes));
    const { completedWrites, writeFramesStored } = await radio(page, () => window.__radio.counters());
    assert.deepEqual({ completedWrites, writeFramesStored }, { completedWrites: 1, writeFramesStored: 102 });

    // Switched off, the write asks nothing; the choice is kept for the next visit.
    await page.locator('#cmd-setup').click();
    await page.locator('#choice-show-changes').uncheck();
    await page.keyboard.press('Escape');
    await cell(page, 6, 1).click();
    await page.keyboard.type(typed);
    await page.keyboard.press('Enter');
    await page.locator('#cmd-write').click();
    await waitForRadio(page, 'completedReads', 5);
    const again = await context.newPage();
    await again.goto(`${origin}/index.html`);
    await again.locator('#cmd-setup:not([disabled])').click();
    assert.equal(await again.locator('#choice-show-changes').isChecked(), false);
    await context.close();
});

test('cancel during the write offers writing again or putting the backup back', each, async () => {
    const { page, context } = await openPage();
    const engine = await openEngine(context);
    await radio(page, (bytes) => window.__radio.setMemory(bytes), await sampleImage(engine, 2));
    await openDat(page, await sampleImage(engine, 5));
    const original = await radio(page, () => window.__radio.memory());
    await page.locator('#cmd-write').click();
    // Pressed from inside the page the moment the write is under way: a click from here could
    // arrive after the last frame. A question from the page, or no write within a minute, ends
    // the watch with what was seen instead.
    const watched = await page.evaluate(() => new Promise((resolve) => {
        const giveUpAt = performance.now() + 60000;
        const watch = () => {
            document.querySelector('#changes-box[open] [data-answer="Write"]')?.click();
            const question = document.querySelector('#message-box[open] #message-text');
            if (window.__radio.counters().writeFramesStored > 20) {
                document.getElementById('cmd-cancel').click();
                resolve('cancelled');
            } else if (question || performance.now() > giveUpAt) {
                resolve(`before frame 20: ${question?.textContent ?? 'no write within a minute'}`);
            } else {
                setTimeout(watch, 1);
            }
        };
        watch();
    }));
    assert.equal(watched, 'cancelled');
    await page.locator('#message-box[open]').waitFor();
    for (const choice of ['WriteAgain', 'RestoreBackup']) {
        assert.ok(await page.locator(`#message-box [data-answer="${choice}"]`).isVisible(), choice);
    }
    await answer(page, 'RestoreBackup');
    await waitForRadio(page, 'completedWrites', 1);
    assert.deepEqual(await radio(page, () => window.__radio.memory()), original);
    await context.close();
});

test('a radio that does not answer asks to retry with the desktop message; switched on, Retry reads it',
    each, async () => {
    const { page, context } = await openPage();
    await radio(page, () => window.__radio.setIgnoreHandshake(true));
    await page.locator('#cmd-read').click();
    await page.locator('#message-box[open]').waitFor();
    await radio(page, () => window.__radio.setIgnoreHandshake(false));
    const text = await answer(page, 'Retry');
    assert.ok(text.includes(coreText('CommunicationError')), text);
    await waitForRadio(page, 'completedReads', 1);
    await context.close();
});

test('Chinese shows the grid headings and the commands in Chinese', each, async () => {
    const { page, context } = await openPage();
    const engine = await openEngine(context, 'Chinese');
    await page.locator('#language').selectOption('Chinese');
    const heading = await engine(() => window.engine.cellText(0, 1));
    assert.match(heading, /[\u4e00-\u9fff]/);
    assert.equal(await cell(page, 0, 1).textContent(), heading);
    const { TEXTS } = await import(pathToFileURL(path.join(siteDir, 'texts.js')));
    assert.equal(await page.locator('#cmd-read').textContent(), TEXTS.read.zh);
    await context.close();
});

test('the main page and its dialogs have no serious or critical accessibility fault', each, async () => {
    const { page, context } = await openPage();
    const engine = await openEngine(context);
    const plain = await sampleImage(engine);
    const withFinding = await engine(() => window.engine.commit(2, 3, window.engine.listItems(3)[1], true)
        && Array.from(window.engine.datBytes()));
    const write = async () => { await openDat(page, withFinding); await page.locator('#cmd-write').click(); };
    await page.addScriptTag({ path: path.join(here, 'node_modules/axe-core/axe.min.js') });
    // The main page with two channels selected and the Edit menu open.
    const selectAndOpenMenu = async () => {
        await page.locator('#channels th[data-row="3"][data-col="0"]').click({ modifiers: ['Shift'] });
        await page.locator('#cmd-edit').click();
    };
    for (const [command, dialog] of [[selectAndOpenMenu, null], ['#cmd-channel-plans', '#channel-plans'],
        ['#cmd-check-channels', '#check-box'], [() => importCsv(page, 'Location,Frequency\n1,999\n'), '#import-box'],
        ['#cmd-setup', '#setup-box'], [write, '#changes-box'], [() => compareDat(page, plain), '#changes-box']]) {
        if (typeof command === 'function') {
            await command();
            await page.locator(dialog ? `${dialog}[open]` : '#edit-menu:not([hidden])').waitFor();
        } else if (command) {
            await page.locator(command).click();
        }
        const violations = await page.evaluate(async () => (await window.axe.run()).violations
            .filter((v) => v.impact === 'serious' || v.impact === 'critical')
            .map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`));
        assert.deepEqual(violations, [], dialog ?? 'the main page');
        if (dialog) {
            await page.keyboard.press('Escape');
            await page.locator(`${dialog}:not([open])`).waitFor({ state: 'attached' });
        }
    }
    await context.close();
});

test('Channel Plans fills the channels as one undo step; a finding chosen focuses its cell', each, async () => {
    const { page, context } = await openPage();
    await page.locator('#cmd-product-info').click();
    await page.locator('#product-band').selectOption('1'); // 400 - 470 MHz
    await page.locator('#product-info [data-answer="OK"]').click();
    await page.locator('#cmd-channel-plans').click();
    await page.locator('#plans-rows tr', { hasText: 'PMR446' }).click();
    await page.locator('#plan-replace-all').check();
    await page.locator('#channel-plans [data-answer="OK"]').click();
    assert.equal(await cell(page, 16, 1).textContent(), '446.19375');
    await page.keyboard.press('Control+z');
    assert.equal(await cell(page, 16, 1).textContent(), '');
    await page.keyboard.press('Control+y');
    await cell(page, 3, 5).click();
    await page.keyboard.type('W');
    await page.keyboard.press('Enter');
    await page.locator('#cmd-check-channels').click();
    const finding = page.locator('#check-rows tr');
    const [channel, field, text, ...more] = await finding.locator('td').allTextContents();
    assert.deepEqual([channel, field, text.includes('446.03125'), more], ['3', await cell(page, 0, 5).textContent(),
        true, []]);
    await finding.click();
    assert.equal(await page.evaluate(() => document.activeElement.dataset.row + document.activeElement.dataset.col),
        '35');
    await context.close();
});

test('Import Channels shows what the file changes and imports it as one undo step', each, async () => {
    const { page, context } = await openPage();
    const engine = await openEngine(context);
    await sampleImage(engine);
    const [csv, expected] = await engine(() => [window.engine.exportCsv(),
        [1, 2, 3].map((row) => window.engine.cellText(row, 1))]);
    await importCsv(page, csv);
    await page.locator('#import-box[open]').waitFor();
    assert.deepEqual(await page.locator('#import-rows td:first-child').allTextContents(), ['1', '2', '3']);
    await page.locator('#import-ok').click();
    assert.deepEqual(await Promise.all([1, 2, 3].map((row) => cell(page, row, 1).textContent())), expected);
    assert.match(await page.locator('#status').textContent(), /list\.csv/);
    await page.keyboard.press('Control+z');
    assert.equal(await cell(page, 1, 1).textContent(), '');
    await context.close();
});

test('Compare with File lists the channel the file differs in and writes the document on request', each,
    async () => {
        const { page, context } = await openPage();
        const engine = await openEngine(context);
        await openDat(page, await sampleImage(engine));
        const same = await engine(() => Array.from(window.engine.datBytes()));
        await compareDat(page, await engine(() => window.engine.commit(2, 2, window.engine.cellText(1, 2))
            && Array.from(window.engine.datBytes())));
        await page.locator('#changes-box[open]').waitFor();
        assert.deepEqual(await page.locator('#changes-rows td:nth-child(2)').allTextContents(), ['2']);
        assert.equal(await page.locator('#changes-before').textContent(), 'In the file');
        await page.locator('#changes-box [data-answer="WriteDocument"]').click();
        await page.locator('#changes-box[open] #changes-after', { hasText: 'After the write' }).waitFor();
        await page.keyboard.press('Escape');
        await compareDat(page, same);
        assert.equal(await answer(page, 'OK'), 'other.dat holds the same image as this document.');
        await context.close();
    });

// The floor is clone_benchmark's for one read (tests/bench/CloneBenchmark.cpp): the bytes on the
// wire at 10 bits a byte plus the pauses the protocol mandates.
test('timings: a paced read against its floor, and the page load', each, async () => {
    const { page, context, loadMs } = await openPage();
    await radio(page, () => window.__radio.configure({ paced: true }));
    const started = performance.now();
    await page.locator('#cmd-read').click();
    await waitForRadio(page, 'completedReads', 1, 'raf');
    const readMs = performance.now() - started;
    const frames = 102;
    const floorMs = (20 + frames * 18) * 10000 / 9600 + (8 * 2 + 6 + 3) + frames + frames / 2;
    const lineMs = await radio(page, () => window.__radio.lineMs());
    console.log(`paced read ${readMs.toFixed(0)} ms from the click, ${lineMs.toFixed(0)} ms on the line; ` +
        `floor ${floorMs.toFixed(0)} ms, ratio ${(lineMs / floorMs).toFixed(2)}; page load ${loadMs.toFixed(0)} ms`);
    await context.close();
});

// The words the page borrows from the desktop program are the desktop's, in both languages.
test('texts marked desktop are the desktop translation', { skip: existsSync(path.join(sourceDir,
    'web/site/texts.js')) ? false : 'web/site/texts.js is missing' }, async () => {
    const unescape = (s) => s.replace(/&lt;/g, '<').replace(/&gt;/g, '>').replace(/&quot;/g, '"')
        .replace(/&apos;/g, "'").replace(/&amp;/g, '&');
    const withoutAccelerator = (s) => s.replace(/\(&.\)/g, '').replace(/&(.)/g, '$1');
    const ts = readFileSync(path.join(sourceDir, 'res/Chinese.ts'), 'utf8');
    const translations = new Map();
    for (const [, source, translation] of ts.matchAll(
        /<source>([^]*?)<\/source>\s*(?:<comment>[^]*?<\/comment>\s*)?<translation[^>]*>([^]*?)<\/translation>/g)) {
        const key = withoutAccelerator(unescape(source));
        translations.set(key, [...(translations.get(key) ?? []), withoutAccelerator(unescape(translation))]);
    }
    const { TEXTS } = await import(pathToFileURL(path.join(sourceDir, 'web/site/texts.js')));
    const wrong = Object.entries(TEXTS).filter(([, text]) => text.desktop)
        .filter(([, text]) => !(translations.get(text.en) ?? []).includes(text.zh))
        .map(([key, text]) => `${key}: "${text.en}" -> "${text.zh}" (desktop: ${translations.get(text.en)})`);
    assert.deepEqual(wrong, []);
});
