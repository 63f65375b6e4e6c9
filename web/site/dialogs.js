// The page's dialogs, each a <dialog> of index.html shown modal. Every function resolves once
// the dialog is closed; the caller gives the keyboard back to the grid.

import { t } from './texts.js';

const byId = (id) => document.getElementById(id);
const kLeftColumnLists = 5;

let messageTitle = '';

// The title of message boxes that bring none of their own: the program's name.
export function setMessageTitle(title) {
    messageTitle = title;
}

// Resolves with the answer of the button pressed. Escape gives 'Cancel' where there is such a
// button, else the last button's answer, as a desktop message box does.
// buttons: [{answer, text}]; focus: the answer whose button starts with the focus.
export function messageBox(text, buttons = [{ answer: 'OK', text: t('ok') }], options = {}) {
    const dialog = byId('message-box');
    byId('message-title').textContent = options.title || messageTitle;
    byId('message-text').textContent = text;
    dialog.classList.toggle('warning', options.warning === true);
    const row = byId('message-buttons');
    row.replaceChildren();
    const escapeAnswer = buttons.some((b) => b.answer === 'Cancel') ? 'Cancel' : buttons[buttons.length - 1].answer;
    return new Promise((resolve) => {
        const finish = (answer) => {
            dialog.removeEventListener('cancel', onCancel);
            dialog.close();
            resolve(answer);
        };
        const onCancel = (event) => {
            event.preventDefault();
            finish(escapeAnswer);
        };
        for (const { answer, text: label } of buttons) {
            const button = document.createElement('button');
            button.type = 'button';
            button.dataset.answer = answer;
            button.textContent = label;
            button.addEventListener('click', () => finish(answer));
            row.append(button);
        }
        dialog.addEventListener('cancel', onCancel);
        dialog.showModal();
        const first = row.querySelector(`[data-answer="${options.focus || buttons[0].answer}"]`);
        (first || row.firstElementChild).focus();
    });
}

// The progress of a transfer: stage text and rows 0..51, with Cancel. Modal, so that the
// document stays as it is while the radio works on it.
export class ProgressBox {
    constructor(onCancel) {
        this.m_dialog = byId('progress-box');
        this.m_bar = byId('progress');
        this.m_stage = byId('progress-stage');
        this.m_number = byId('progress-number');
        byId('cmd-cancel').addEventListener('click', onCancel);
        this.m_dialog.addEventListener('cancel', (event) => {
            event.preventDefault();
            onCancel();
        });
    }

    open(title) {
        byId('progress-title').textContent = title;
        this.setStage('');
        if (!this.m_dialog.open) {
            this.m_dialog.showModal();
        }
        byId('cmd-cancel').focus();
    }

    setStage(text) {
        this.m_stage.textContent = text;
        this.setRow(0);
    }

    setRow(row) {
        this.m_bar.value = row;
        this.m_number.textContent = String(row);
    }

    close() {
        if (this.m_dialog.open) {
            this.m_dialog.close();
        }
    }
}

function fillSelect(select, items, selected, placeholder) {
    select.replaceChildren();
    if (placeholder !== undefined) {
        const option = document.createElement('option');
        option.value = '-1';
        option.textContent = placeholder;
        option.disabled = true;
        select.append(option);
    }
    items.forEach((item, index) => {
        const option = document.createElement('option');
        option.value = String(index);
        option.textContent = item;
        select.append(option);
    });
    select.value = String(selected >= 0 && selected < items.length ? selected : -1);
}

// Shows the dialog and resolves true on OK, false on Cancel or Escape. `accept` runs on OK and
// may keep the dialog open by resolving false.
function runDialog(dialog, accept) {
    return new Promise((resolve) => {
        const ok = dialog.querySelector('[data-answer="OK"]');
        const cancel = dialog.querySelector('[data-answer="Cancel"]');
        const finish = (result) => {
            ok.removeEventListener('click', onOk);
            cancel.removeEventListener('click', onCancel);
            dialog.removeEventListener('cancel', onEscape);
            dialog.removeEventListener('keydown', onEnter);
            dialog.close();
            resolve(result);
        };
        const onOk = async () => {
            if (await accept()) {
                finish(true);
            }
        };
        const onCancel = () => finish(false);
        const onEscape = (event) => {
            event.preventDefault();
            finish(false);
        };
        // Enter on a list or a check box is OK, as a desktop dialog's default button.
        const onEnter = (event) => {
            if (event.key === 'Enter' && !event.target.matches('button')) {
                event.preventDefault();
                onOk();
            }
        };
        ok.addEventListener('click', onOk);
        cancel.addEventListener('click', onCancel);
        dialog.addEventListener('cancel', onEscape);
        dialog.addEventListener('keydown', onEnter);
        dialog.showModal();
        const first = dialog.querySelector('input[type="radio"]:checked') || dialog.querySelector('select, input');
        (first || ok).focus();
    });
}

// Product Information: type and band. Channels outside the chosen band are named, and kept or
// cleared as the user answers (Cancel goes back to the dialog). One undo step in the engine.
export function productInfoDialog(engine) {
    const dialog = byId('product-info');
    const typeList = byId('product-type');
    const bandList = byId('product-band');
    const choice = engine.choice();
    const types = engine.typeNames();
    const listed = choice.type >= 0 && choice.type < types.length;
    fillSelect(typeList, types, listed ? choice.type : -1, t('chooseType'));
    const loadBands = (band) => {
        const type = Number(typeList.value);
        const bands = type >= 0 ? engine.bandNames(type) : [];
        fillSelect(bandList, bands, band, t('chooseBand'));
    };
    loadBands(listed ? choice.band : -1);
    typeList.onchange = () => loadBands(0);
    return runDialog(dialog, async () => {
        const type = Number(typeList.value);
        const band = Number(bandList.value);
        // The channels the choice would leave outside its band are named first; Cancel goes back
        // to the dialog with nothing changed.
        const outside = engine.outsideChannels(type, band);
        let keep = true;
        if (outside.outside.length > 0) {
            const answer = await messageBox(`${outside.message}\n\n${t('keepOrClear')}`, [
                { answer: 'Keep', text: t('keep') },
                { answer: 'Clear', text: t('clearChannels') },
                { answer: 'Cancel', text: t('cancel') },
            ], { warning: true, focus: 'Cancel' });
            if (answer === 'Cancel') {
                return false;
            }
            keep = answer === 'Keep';
        }
        engine.chooseModel(type, band, keep);
        return true;
    });
}

// Optional Features: one list per option, a check box for the on/off ones (item 0 is on).
// OK hands every selection to the engine, which makes one undo step of what changed.
export function optionalFeaturesDialog(engine) {
    const dialog = byId('optional-features');
    const left = byId('options-left');
    const right = byId('options-right');
    const switches = byId('options-switches');
    left.replaceChildren();
    right.replaceChildren();
    switches.replaceChildren();
    const options = engine.options();
    const controls = options.map((option, index) => {
        const id = `option-${index}`;
        const label = document.createElement('label');
        label.htmlFor = id;
        label.textContent = option.label;
        if (option.isSwitch) {
            const box = document.createElement('input');
            box.type = 'checkbox';
            box.id = id;
            box.checked = option.selection === 0;
            const wrap = document.createElement('div');
            wrap.className = 'switch';
            wrap.append(box, label);
            switches.append(wrap);
            return () => (box.checked ? 0 : 1);
        }
        const select = document.createElement('select');
        select.id = id;
        fillSelect(select, option.items, option.selection);
        // As in the desktop's dialog: the first five lists on the left, the rest on the right.
        (left.childElementCount < 2 * kLeftColumnLists ? left : right).append(label, select);
        // A value the radio holds that the list does not offer stays as it was unless changed.
        return () => (select.selectedIndex >= 0 ? select.selectedIndex : option.selection);
    });
    return runDialog(dialog, async () => {
        engine.setOptions(controls.map((selection) => selection()));
        return true;
    });
}

// Radio History: what was read from and written to radios, newest first. Resolves with the id
// of the entry to open, or null.
export function historyDialog(engine) {
    const dialog = byId('history-box');
    const body = byId('history-rows');
    const open = byId('history-open');
    const close = byId('history-close');
    body.replaceChildren();
    // A history the engine could not list shows as empty; the document is not touched.
    const listed = engine.history();
    const entries = Array.isArray(listed) ? listed : [];
    const cellOf = (text) => {
        const td = document.createElement('td');
        td.textContent = text === undefined || text === null || text === '' ? t('unknown') : String(text);
        return td;
    };
    entries.forEach((entry, index) => {
        const tr = document.createElement('tr');
        const first = document.createElement('td');
        const radio = document.createElement('input');
        radio.type = 'radio';
        radio.name = 'history-entry';
        radio.value = String(index);
        radio.id = `history-${index}`;
        radio.checked = index === 0;
        const label = document.createElement('label');
        label.htmlFor = radio.id;
        label.textContent = entry.time;
        first.append(radio, label);
        // An erased radio's type, or one Program.ini does not list, has no name.
        tr.append(first, cellOf(entry.kindText), cellOf(entry.port), cellOf(entry.typeName), cellOf(entry.bandName),
            cellOf(entry.channels));
        tr.addEventListener('click', () => {
            radio.checked = true;
        });
        tr.addEventListener('dblclick', () => {
            radio.checked = true;
            open.click();
        });
        body.append(tr);
    });
    if (entries.length === 0) {
        const tr = document.createElement('tr');
        const td = document.createElement('td');
        td.colSpan = 6;
        td.textContent = t('historyEmpty');
        tr.append(td);
        body.append(tr);
    }
    open.disabled = entries.length === 0;
    return new Promise((resolve) => {
        const finish = (id) => {
            open.onclick = null;
            close.onclick = null;
            body.onkeydown = null;
            dialog.oncancel = null;
            dialog.close();
            resolve(id);
        };
        open.onclick = () => {
            const chosen = body.querySelector('input[name="history-entry"]:checked');
            if (chosen) {
                finish(entries[Number(chosen.value)].id);
            }
        };
        close.onclick = () => finish(null);
        // Enter on the list opens the entry chosen, as a double click does.
        body.onkeydown = (event) => {
            if (event.key === 'Enter') {
                event.preventDefault();
                open.onclick();
            }
        };
        dialog.oncancel = (event) => {
            event.preventDefault();
            finish(null);
        };
        dialog.showModal();
        (body.querySelector('input:checked') || close).focus();
    });
}

function cellOfText(text, tag = 'td') {
    const cell = document.createElement(tag);
    cell.textContent = text;
    return cell;
}

// A row of a one-choice list: a radio button and its label in the first cell, the other texts
// after it; a click on the row chooses it.
function choiceRow(name, index, [first, ...rest], checked) {
    const tr = document.createElement('tr');
    const cell = document.createElement('td');
    const radio = document.createElement('input');
    radio.type = 'radio';
    radio.name = name;
    radio.value = String(index);
    radio.id = `${name}-${index}`;
    radio.checked = checked;
    const label = document.createElement('label');
    label.htmlFor = radio.id;
    label.textContent = first;
    cell.append(radio, label);
    tr.append(cell, ...rest.map((text) => cellOfText(text)));
    return { tr, radio };
}

// "1 to 8, 10": the channels as runs.
function channelRuns(channels) {
    const runs = [];
    for (let i = 0; i < channels.length;) {
        let end = i;
        while (end + 1 < channels.length && channels[end + 1] === channels[end] + 1) {
            ++end;
        }
        runs.push(end === i ? String(channels[i]) : t('channelRun', channels[i], channels[end]));
        i = end + 1;
    }
    return runs.join(t('runSeparator'));
}

// Channel Plans: the plans the page handed to the engine, those that do not fit the document's
// band marked and their reason shown; rows of the chosen plan go into channels from the one
// asked. The effect line is the engine's apply on the document, so Apply does what it says: one
// undo step, the rows left out named after it. `problems`: the lists that could not be read.
export function channelPlansDialog(engine, problems) {
    const dialog = byId('channel-plans');
    const body = byId('plans-rows');
    const description = byId('plan-description');
    const unfit = byId('plan-unfit');
    const rows = byId('plan-channels-rows');
    const from = byId('plan-from');
    const to = byId('plan-to');
    const into = byId('plan-into');
    const replaceAll = byId('plan-replace-all');
    const effect = byId('plan-effect');
    const apply = dialog.querySelector('[data-answer="OK"]');
    const listed = engine.plans();
    const plans = Array.isArray(listed) ? listed : [];
    const firstFit = Math.max(0, plans.findIndex((plan) => plan.applicable));
    body.replaceChildren();
    const radios = plans.map((plan, index) => {
        const { tr, radio } = choiceRow('plan', index, [plan.name, plan.region], index === firstFit);
        // Greyed, with its reason for a pointer; the description pane gives it to everyone.
        tr.classList.toggle('unfit', !plan.applicable);
        tr.title = plan.reason;
        tr.addEventListener('click', () => {
            radio.checked = true;
            showPlan();
        });
        radio.addEventListener('change', showPlan);
        body.append(tr);
        return radio;
    });
    const problemLines = problems.map((problem) => t('namedReason', problem.name, problem.reason));
    byId('plans-problems').textContent = t('unreadLists', problemLines.join('\n'));
    byId('plans-problems').hidden = problemLines.length === 0;

    const current = () => plans[radios.findIndex((radio) => radio.checked)];
    const request = () => ({ firstRow: Number(from.value) || 1, lastRow: Number(to.value) || 1,
        fromChannel: Number(into.value) || 1, replaceAll: replaceAll.checked });

    function describe(plan) {
        if (!plan.described) {
            description.replaceChildren(cellOfText(t('noDescription'), 'p'));
            return;
        }
        const lines = [['service', plan.service], ['regionLine', plan.region],
            ['licenceNeeded', plan.licence === null ? '' : t(plan.licence ? 'yes' : 'no')], ['rule', plan.rule],
            ['source', plan.source], ['notConfirmed', plan.unconfirmed]];
        description.replaceChildren(...lines.filter(([, text]) => text).map(([label, text]) => {
            const p = document.createElement('p');
            const bold = cellOfText(t(label), 'b');
            p.append(bold, ` ${text}`);
            return p;
        }));
    }

    function showEffect() {
        const plan = current();
        if (!plan || !plan.applicable) {
            effect.textContent = plan ? t('planUnfit') : t('choosePlan');
            apply.disabled = true;
            return;
        }
        const result = engine.planEffect(plan.name, request());
        const channels = result.channels || [];
        let text;
        if (channels.length === 0) {
            text = t('noChannelChanges');
            const reason = result.refused && result.refused.length > 0 ? result.refused[0].reason : result.error;
            if (reason) {
                text += ` ${reason}`;
            }
        } else {
            text = channels.length === 1 ? t('channelReplaced', channels[0])
                : t('channelsReplaced', channelRuns(channels));
            if (replaceAll.checked && channels.length < 16) {
                text += ` ${t('othersEmptied')}`;
            }
            // A refusal may stand for several rows (those past channel 16).
            const leftOut = request().lastRow - request().firstRow + 1 - channels.length;
            if (leftOut > 0) {
                text += ` ${t('rowsCannotApply', leftOut)}`;
            }
        }
        effect.textContent = text;
        apply.disabled = channels.length === 0;
    }

    let anchor = 1;
    function chooseRows(first, last) {
        from.value = String(Math.min(first, last));
        to.value = String(Math.max(first, last));
        showEffect();
    }

    function showPlan() {
        const plan = current();
        rows.replaceChildren();
        description.replaceChildren();
        unfit.textContent = plan ? plan.reason : '';
        unfit.hidden = !plan || plan.applicable;
        const count = plan ? plan.rows.length : 0;
        if (plan) {
            describe(plan);
            plan.rows.forEach((row, index) => {
                const tr = document.createElement('tr');
                tr.append(...[index + 1, row.name, row.rx, row.tx, row.tones, row.bandwidth, row.power]
                    .map((text) => cellOfText(String(text))));
                // Rows clicked in the table are the rows applied; Shift extends the range.
                tr.addEventListener('click', (event) => {
                    if (!event.shiftKey) {
                        anchor = index + 1;
                    }
                    chooseRows(anchor, index + 1);
                });
                rows.append(tr);
            });
        }
        // The whole plan, from channel 1, unless the user chooses otherwise.
        for (const input of [from, to]) {
            input.max = String(Math.max(count, 1));
        }
        anchor = 1;
        from.value = '1';
        to.value = String(Math.max(count, 1));
        showEffect();
    }

    for (const input of [from, to, into, replaceAll]) {
        input.oninput = showEffect;
    }
    showPlan();
    return runDialog(dialog, async () => {
        const plan = current();
        if (!plan || apply.disabled) {
            return false;
        }
        const result = engine.applyPlan(plan.name, request());
        if (!result.changed) {
            return false;
        }
        if (result.refused.length > 0) {
            await messageBox(t('rowsLeftOut', result.refused.map((refusal) => refusal.reason).join('\n')));
        }
        return true;
    });
}

// Check Channels: the engine's findings, advice only. Resolves with the finding chosen (a
// click, Enter or Go To), whose channel and column the grid then shows, or null.
export function checkChannelsDialog(engine) {
    const dialog = byId('check-box');
    const body = byId('check-rows');
    const goTo = byId('check-go-to');
    const close = byId('check-close');
    const listed = engine.check();
    const findings = Array.isArray(listed) ? listed : [];
    byId('check-summary').textContent = findings.length === 0 ? t('noFindings') : t('findingsCount', findings.length);
    byId('check-frame').hidden = findings.length === 0;
    dialog.classList.toggle('empty', findings.length === 0);
    goTo.hidden = findings.length === 0;
    body.replaceChildren();
    return new Promise((resolve) => {
        const finish = (finding) => {
            goTo.onclick = null;
            close.onclick = null;
            body.onkeydown = null;
            dialog.oncancel = null;
            dialog.close();
            resolve(finding);
        };
        findings.forEach((finding, index) => {
            const { tr, radio } = choiceRow('finding', index, [String(finding.channel), finding.heading, finding.text],
                index === 0);
            tr.addEventListener('click', () => {
                radio.checked = true;
                finish(finding);
            });
            body.append(tr);
        });
        goTo.onclick = () => {
            const chosen = body.querySelector('input[name="finding"]:checked');
            if (chosen) {
                finish(findings[Number(chosen.value)]);
            }
        };
        close.onclick = () => finish(null);
        body.onkeydown = (event) => {
            if (event.key === 'Enter') {
                event.preventDefault();
                goTo.onclick();
            }
        };
        dialog.oncancel = (event) => {
            event.preventDefault();
            finish(null);
        };
        dialog.showModal();
        (body.querySelector('input:checked') || close).focus();
    });
}

// Import Channels: what the file would change, as the engine's preview tells it (each channel
// whose texts change, before and after), or the rows that cannot be imported with an OK that
// changes nothing. Resolves true when Import is chosen.
export function importPreviewDialog(preview) {
    const dialog = byId('import-box');
    const ok = byId('import-ok');
    const cancel = dialog.querySelector('[data-answer="Cancel"]');
    const problems = preview.problems || [];
    const changes = preview.changes || [];
    const headings = preview.ok ? ['channel', 'now', 'afterImport'] : ['line', 'whyNotImported'];
    byId('import-head').replaceChildren(...headings.map((key) => {
        const th = cellOfText(t(key), 'th');
        th.scope = 'col';
        return th;
    }));
    const shown = (text) => text || t('erased');
    const rows = preview.ok ? changes.map((c) => [String(c.channel), shown(c.now), shown(c.after)])
        : problems.map((p) => [String(p.line), p.reason]);
    byId('import-rows').replaceChildren(...rows.map((texts) => {
        const tr = document.createElement('tr');
        tr.append(...texts.map((text) => cellOfText(text)));
        return tr;
    }));
    byId('import-summary').textContent = preview.ok ? t('channelsRead', preview.channelCount, changes.length)
        : t('rowsCannotImport', problems.length);
    byId('import-frame').hidden = rows.length === 0;
    ok.textContent = t(preview.ok ? 'importButton' : 'ok');
    ok.disabled = preview.ok && !preview.changed;
    cancel.hidden = !preview.ok;
    const shownDialog = runDialog(dialog, async () => true);
    if (ok.disabled) {
        cancel.focus();
    }
    return shownDialog.then((accepted) => accepted && preview.ok && preview.changed);
}

// A list of differences (the engine's {changes, findings}, see engine.js) with the dialog's
// `title`, `text`, the headings `before` and `after` of the two sides and the `answers`
// ([{answer, text}]) beside Cancel: Show Changes Before Writing and Compare with File. The
// findings of the channel check, advice only, show where there are any. Resolves with the answer
// chosen, or null. The focus starts on the list and Enter there is Cancel, as on the desktop,
// whose default button is Cancel; Escape is Cancel too.
export function changesDialog(question, { title, text, before, after, answers }) {
    const dialog = byId('changes-box');
    const list = byId('changes-frame');
    const cancel = dialog.querySelector('[data-answer="Cancel"]');
    byId('changes-title').textContent = title;
    byId('changes-text').textContent = text;
    byId('changes-before').textContent = before;
    byId('changes-after').textContent = after;
    byId('changes-rows').replaceChildren(...question.changes.map((change) => {
        const tr = document.createElement('tr');
        tr.append(...[change.what, change.channel > 0 ? String(change.channel) : '', change.before, change.after]
            .map((text) => cellOfText(text)));
        return tr;
    }));
    const findings = question.findings || [];
    byId('changes-findings-label').textContent = t('changesFindings', findings.length);
    byId('changes-findings').replaceChildren(...findings.map((text) => cellOfText(text, 'li')));
    byId('changes-findings-label').hidden = findings.length === 0;
    byId('changes-findings-frame').hidden = findings.length === 0;
    const buttons = answers.map(({ answer, text: label }) => {
        const button = document.createElement('button');
        button.type = 'button';
        button.dataset.answer = answer;
        button.textContent = label;
        return button;
    });
    dialog.querySelectorAll('.buttons [data-answer]:not([data-answer="Cancel"])').forEach((b) => b.remove());
    cancel.before(...buttons);
    return new Promise((resolve) => {
        const finish = (answer) => {
            cancel.onclick = null;
            list.onkeydown = null;
            dialog.oncancel = null;
            dialog.close();
            resolve(answer);
        };
        buttons.forEach((button) => { button.onclick = () => finish(button.dataset.answer); });
        cancel.onclick = () => finish(null);
        list.onkeydown = (event) => {
            if (event.key === 'Enter') {
                event.preventDefault();
                finish(null);
            }
        };
        dialog.oncancel = (event) => {
            event.preventDefault();
            finish(null);
        };
        dialog.showModal();
        list.scrollTop = 0;
        list.focus();
    });
}

// Setup: the desktop's write choices as check boxes; `choices` ({backup, verify, showChanges,
// changedOnly}) changes as they are ticked and `onChange` keeps it. Resolves when closed.
export function setupDialog(choices, onChange) {
    const dialog = byId('setup-box');
    const close = byId('setup-close');
    const boxes = [...dialog.querySelectorAll('input[data-choice]')];
    for (const box of boxes) {
        box.checked = choices[box.dataset.choice];
        box.onchange = () => {
            choices[box.dataset.choice] = box.checked;
            onChange(choices);
        };
    }
    return new Promise((resolve) => {
        const finish = () => {
            close.onclick = null;
            dialog.oncancel = null;
            dialog.close();
            resolve();
        };
        close.onclick = finish;
        dialog.oncancel = (event) => {
            event.preventDefault();
            finish();
        };
        dialog.showModal();
        boxes[0].focus();
    });
}
