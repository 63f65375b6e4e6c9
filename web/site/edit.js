// The desktop's Edit menu on the grid: copy, cut, paste, clear and fill down on the selected
// cells, select all, and the row commands on the current channel. The engine decides every cell
// and channel; this module only passes the selection and the clipboard's text, and words the
// engine's refusals as the desktop does. Copy, cut and paste go through the browser's clipboard
// events, which need no permission.

import { messageBox } from './dialogs.js';
import { t } from './texts.js';

// The menu's items in the desktop's order; null is a separator. `keys` is the shortcut as
// aria-keyshortcuts names it, `label` as the menu shows it.
const kItems = [
    { command: 'cut', tip: 'cutTip', keys: 'Control+X', label: 'Ctrl+X' },
    { command: 'copy', tip: 'copyTip', keys: 'Control+C', label: 'Ctrl+C' },
    { command: 'paste', tip: 'pasteTip', keys: 'Control+V', label: 'Ctrl+V' },
    { command: 'clear', tip: 'clearTip', keys: 'Delete', label: 'Del' },
    { command: 'fillDown', tip: 'fillDownTip', keys: 'Control+D', label: 'Ctrl+D' },
    { command: 'selectAll', tip: 'selectAllTip', keys: 'Control+A', label: 'Ctrl+A' },
    null,
    { command: 'insertChannel', tip: 'insertChannelTip', keys: 'Control+Insert', label: 'Ctrl+Ins' },
    { command: 'deleteChannel', tip: 'deleteChannelTip', keys: 'Control+Delete', label: 'Ctrl+Del' },
    { command: 'moveChannelUp', tip: 'moveChannelUpTip', keys: 'Control+Shift+ArrowUp', label: 'Ctrl+Shift+Up' },
    { command: 'moveChannelDown', tip: 'moveChannelDownTip', keys: 'Control+Shift+ArrowDown',
        label: 'Ctrl+Shift+Down' },
];

// The engine's row commands and where the current cell goes after each, as in the desktop.
const kRowCommands = {
    insertChannel: { name: 'Insert', step: 0 },
    deleteChannel: { name: 'Delete', step: 0 },
    moveChannelUp: { name: 'Up', step: -1 },
    moveChannelDown: { name: 'Down', step: 1 },
};

export class EditCommands {
    // hooks: warn(text) -> Promise (a message box), changed() after the document changed,
    // busy() while a transfer or a dialog has the page.
    constructor(engine, grid, table, hooks) {
        this.m_engine = engine;
        this.m_grid = grid;
        this.m_table = table;
        this.m_hooks = hooks;
        // Set while a menu item runs the browser's own copy or cut, whose event then is the grid's.
        this.m_fromMenu = false;
        table.addEventListener('keydown', (event) => this.onKeyDown(event));
        document.addEventListener('copy', (event) => this.onClipboard(event, false));
        document.addEventListener('cut', (event) => this.onClipboard(event, true));
        document.addEventListener('paste', (event) => {
            if (this.owns()) {
                event.preventDefault();
                const data = event.clipboardData;
                this.paste(data.getData('text/plain') || data.getData('text/csv'));
            }
        });
    }

    // The clipboard events are the grid's while a cell of it (not its editor) has the focus.
    owns() {
        if (this.m_hooks.busy() || this.m_grid.isEditing) {
            return false;
        }
        return this.m_fromMenu || this.m_table.contains(document.activeElement);
    }

    // Spreadsheets take the tab-separated text; whole channels also go as a channel list.
    onClipboard(event, cut) {
        if (!this.owns()) {
            return;
        }
        event.preventDefault();
        const copied = this.m_engine.copyCells(this.m_grid.selection);
        if (copied.error) {
            this.m_hooks.warn(copied.error);
            return;
        }
        event.clipboardData.setData('text/plain', copied.text);
        if (copied.csv) {
            event.clipboardData.setData('text/csv', copied.csv);
        }
        if (cut) {
            this.clear();
        }
    }

    onKeyDown(event) {
        if (this.m_grid.isEditing || event.altKey || event.metaKey) {
            return;
        }
        const key = event.key.length === 1 ? event.key.toLowerCase() : event.key;
        let command = null;
        if (!event.ctrlKey) {
            command = key === 'Delete' && !event.shiftKey ? 'clear' : null;
        } else if (event.shiftKey) {
            command = { ArrowUp: 'moveChannelUp', ArrowDown: 'moveChannelDown' }[key] ?? null;
        } else {
            command = { d: 'fillDown', a: 'selectAll', Insert: 'insertChannel', Delete: 'deleteChannel' }[key] ?? null;
        }
        if (command) {
            event.preventDefault();
            this.run(command);
        }
    }

    async run(command) {
        if (this.m_hooks.busy()) {
            return;
        }
        if (command === 'copy' || command === 'cut') {
            this.m_fromMenu = true;
            try {
                document.execCommand(command);
            } finally {
                this.m_fromMenu = false;
            }
        } else if (command === 'paste') {
            // A menu has no paste event: the clipboard is read with the browser's permission.
            let text;
            try {
                text = await navigator.clipboard.readText();
            } catch {
                await this.m_hooks.warn(t('clipboardUnread'));
                return;
            }
            this.paste(text);
        } else if (command === 'clear') {
            this.clear();
        } else if (command === 'fillDown') {
            const range = this.m_grid.selection;
            this.applyCells('nothingFilled', (acceptedPart) => this.m_engine.fillDown(range, acceptedPart));
        } else if (command === 'selectAll') {
            this.m_grid.selectAll();
        } else if (kRowCommands[command]) {
            this.editRows(kRowCommands[command]);
        }
    }

    clear() {
        const cleared = this.m_engine.clearCells(this.m_grid.selection);
        if (cleared.error) {
            this.m_hooks.warn(cleared.error);
        } else if (cleared.changed) {
            this.m_hooks.changed();
        }
    }

    paste(text) {
        const range = this.m_grid.selection;
        this.applyCells('nothingPasted', (acceptedPart) => this.m_engine.paste(range, text, acceptedPart));
    }

    // The cells go in all or nothing; when some are refused, the user sees every refusal and may
    // take the accepted cells alone, as the desktop asks.
    async applyCells(refusedKey, edit) {
        let outcome = edit(false);
        if (outcome.error) {
            await this.m_hooks.warn(outcome.error);
            return;
        }
        if (outcome.problems.length > 0) {
            const lines = outcome.problems.map((problem) => t('listLine', problem.line, problem.reason));
            await this.m_hooks.warn(t('listNotPasted', lines.join('\n')));
            return;
        }
        if (outcome.refused.length > 0) {
            const reasons = { NotInList: t('notInList'), PastTheGrid: t('pastTheGrid') };
            const lines = outcome.refused.map((refusal) => t('refusedCell', refusal.row, refusal.column, refusal.text,
                refusal.reasonText || reasons[refusal.reason] || refusal.reason));
            const question = t(refusedKey, lines.join('\n'));
            if (!outcome.someAccepted) {
                await this.m_hooks.warn(question);
                return;
            }
            const answer = await messageBox(`${question}\n\n${t('takeOtherCells')}`, [
                { answer: 'Yes', text: t('yes') },
                { answer: 'No', text: t('no') },
            ], { warning: true });
            this.m_grid.focus();
            if (answer !== 'Yes') {
                return;
            }
            outcome = edit(true);
        }
        if (outcome.changed) {
            this.m_hooks.changed();
        }
    }

    async editRows({ name, step }) {
        const row = this.m_grid.row;
        const outcome = this.m_engine.editRows(name, row);
        if (outcome.error) {
            await this.m_hooks.warn(outcome.error);
        } else if (outcome.outcome === 'NoRoom') {
            await this.m_hooks.warn(t('noRoom'));
        } else if (outcome.changed) {
            this.m_hooks.changed();
            this.m_grid.moveTo(row + step, this.m_grid.col);
        }
    }
}

// The Edit menu button and its list (the WAI-ARIA menu button pattern): arrow keys move in the
// list, Enter or a click runs the item, Escape or a click elsewhere closes it.
export class EditMenu {
    constructor(button, list, commands, onClosed) {
        this.m_button = button;
        this.m_list = list;
        this.m_commands = commands;
        this.m_onClosed = onClosed;
        list.replaceChildren(...kItems.map((item) => {
            const li = document.createElement('li');
            if (!item) {
                li.setAttribute('role', 'separator');
                return li;
            }
            li.setAttribute('role', 'menuitem');
            li.tabIndex = -1;
            li.dataset.command = item.command;
            li.dataset.tip = item.tip;
            li.setAttribute('aria-keyshortcuts', item.keys);
            const text = document.createElement('span');
            const keys = document.createElement('span');
            keys.className = 'keys';
            keys.textContent = item.label;
            keys.setAttribute('aria-hidden', 'true');
            li.append(text, keys);
            return li;
        }));
        this.applyTexts();
        button.addEventListener('click', () => (this.isOpen ? this.close(true) : this.open(0)));
        button.addEventListener('keydown', (event) => {
            if (event.key === 'ArrowDown' || event.key === 'ArrowUp') {
                event.preventDefault();
                this.open(event.key === 'ArrowDown' ? 0 : -1);
            }
        });
        list.addEventListener('keydown', (event) => this.onKeyDown(event));
        // A mouse press on an item keeps the grid's focus, so that copy and cut see the grid.
        list.addEventListener('mousedown', (event) => event.preventDefault());
        list.addEventListener('click', (event) => {
            const item = event.target.closest('[role="menuitem"]');
            if (item) {
                this.choose(item);
            }
        });
        document.addEventListener('mousedown', (event) => {
            if (this.isOpen && !list.contains(event.target) && !button.contains(event.target)) {
                this.close(false);
            }
        });
    }

    // The items' words and tips in the page's language.
    applyTexts() {
        for (const item of this.items) {
            item.firstElementChild.textContent = t(item.dataset.command);
            item.title = t(item.dataset.tip);
        }
    }

    get items() {
        return [...this.m_list.querySelectorAll('[role="menuitem"]')];
    }

    get isOpen() {
        return !this.m_list.hidden;
    }

    // Opens with item `index` focused (-1: the last).
    open(index) {
        this.m_list.hidden = false;
        this.m_button.setAttribute('aria-expanded', 'true');
        const items = this.items;
        items.at(index).focus();
    }

    close(focusButton) {
        this.m_list.hidden = true;
        this.m_button.setAttribute('aria-expanded', 'false');
        if (focusButton) {
            this.m_button.focus();
        }
    }

    choose(item) {
        this.close(false);
        this.m_onClosed();
        this.m_commands.run(item.dataset.command);
    }

    onKeyDown(event) {
        const items = this.items;
        const index = items.indexOf(document.activeElement);
        const moves = { ArrowDown: index + 1, ArrowUp: index - 1, Home: 0, End: items.length - 1 };
        if (event.key in moves) {
            event.preventDefault();
            items[(moves[event.key] + items.length) % items.length].focus();
        } else if (event.key === 'Enter' || event.key === ' ') {
            event.preventDefault();
            if (index >= 0) {
                this.choose(items[index]);
            }
        } else if (event.key === 'Escape' || event.key === 'Tab') {
            event.preventDefault();
            this.close(true);
        }
    }
}
