// The channel grid: an ARIA grid over the engine's cell texts. Row 0 holds the headings and
// column 0 the channel numbers; the current cell moves over rows 1..16 and columns 1..8 as in
// the desktop program, and only the current cell is in the tab order (roving tabindex). The
// selection is the rectangle from an anchor cell to the current one (Shift with the arrow keys
// or a click, a click on a channel number for the whole channel); its cells are aria-selected.

import { t } from './texts.js';

const kKeysThatMove = new Set(['ArrowUp', 'ArrowDown', 'ArrowLeft', 'ArrowRight', 'Home', 'End', 'PageUp', 'PageDown']);

export class ChannelGrid {
    // `table` is the <table id="channels">; `engine` the loaded engine; `hooks` tells the page
    // of what the grid cannot decide itself: onRefused(message, caption) -> Promise (a message box),
    // onChanged() after a commit, onUndo(), onRedo().
    constructor(table, engine, hooks) {
        this.m_table = table;
        this.m_engine = engine;
        this.m_hooks = hooks;
        this.m_lastRow = engine.rows - 1;
        this.m_lastCol = engine.cols - 1;
        this.m_row = 1;
        this.m_col = 1;
        this.m_anchorRow = 1;
        this.m_anchorCol = 1;
        this.m_editor = null;
        this.m_cells = [];
        this.build();
        table.addEventListener('keydown', (event) => this.onKeyDown(event));
        table.addEventListener('click', (event) => this.onClick(event));
        table.addEventListener('dblclick', (event) => this.onDoubleClick(event));
        // A cell that takes the focus any other way (a screen reader, a script) becomes current
        // and the selection; one a mouse press focuses is left to the click, which may extend it.
        this.m_pressed = false;
        table.addEventListener('mousedown', () => { this.m_pressed = true; });
        table.addEventListener('mouseup', () => { this.m_pressed = false; });
        table.addEventListener('focusin', (event) => {
            const cell = this.cellOf(event);
            if (cell && event.target === cell && !this.m_editor && !cell.classList.contains('current')) {
                this.m_row = Number(cell.dataset.row);
                this.m_col = Number(cell.dataset.col);
                if (!this.m_pressed) {
                    this.m_anchorRow = this.m_row;
                    this.m_anchorCol = this.m_col;
                }
                this.markCurrent();
            }
            this.m_pressed = false;
        });
    }

    build() {
        this.m_table.replaceChildren();
        this.m_table.setAttribute('role', 'grid');
        this.m_table.setAttribute('aria-multiselectable', 'true');
        this.m_table.setAttribute('aria-rowcount', String(this.m_engine.rows));
        this.m_table.setAttribute('aria-colcount', String(this.m_engine.cols));
        const head = document.createElement('thead');
        const body = document.createElement('tbody');
        for (let row = 0; row <= this.m_lastRow; ++row) {
            const tr = document.createElement('tr');
            tr.setAttribute('role', 'row');
            const cells = [];
            for (let col = 0; col <= this.m_lastCol; ++col) {
                const cell = document.createElement(row === 0 || col === 0 ? 'th' : 'td');
                cell.dataset.row = String(row);
                cell.dataset.col = String(col);
                if (row === 0) {
                    cell.setAttribute('role', 'columnheader');
                    cell.scope = 'col';
                } else if (col === 0) {
                    cell.setAttribute('role', 'rowheader');
                    cell.scope = 'row';
                } else {
                    cell.setAttribute('role', 'gridcell');
                    cell.setAttribute('aria-selected', 'false');
                    cell.tabIndex = -1;
                }
                tr.append(cell);
                cells.push(cell);
            }
            (row === 0 ? head : body).append(tr);
            this.m_cells.push(cells);
        }
        this.m_table.append(head, body);
        this.refresh();
    }

    cell(row, col) {
        return this.m_cells[row][col];
    }

    get row() {
        return this.m_row;
    }

    get col() {
        return this.m_col;
    }

    // The selected cells: {top, left, bottom, right}, the current cell alone when nothing more is.
    get selection() {
        return {
            top: Math.min(this.m_row, this.m_anchorRow), left: Math.min(this.m_col, this.m_anchorCol),
            bottom: Math.max(this.m_row, this.m_anchorRow), right: Math.max(this.m_col, this.m_anchorCol),
        };
    }

    selectAll() {
        this.m_anchorRow = this.m_lastRow;
        this.m_anchorCol = this.m_lastCol;
        this.moveTo(1, 1, true);
    }

    // Channels first..last, every column; the current cell goes to the first column of `first`.
    selectRows(first, last) {
        this.m_anchorRow = last;
        this.m_anchorCol = this.m_lastCol;
        this.moveTo(first, 1, true);
    }

    // Every text again from the engine: after an edit, undo, a read, a language change. An edit
    // still open is stale then and is dropped, as the desktop's grid drops it.
    refresh() {
        if (this.m_editor && !this.m_editor.committing) {
            this.closeEditor(false);
        }
        for (let row = 0; row <= this.m_lastRow; ++row) {
            for (let col = 0; col <= this.m_lastCol; ++col) {
                if (this.m_editor && this.m_editor.row === row && this.m_editor.col === col) {
                    continue;
                }
                this.showText(row, col);
            }
        }
        this.markCurrent();
    }

    showText(row, col) {
        const cell = this.cell(row, col);
        const text = this.m_engine.cellText(row, col);
        cell.textContent = text;
        if (row > 0 && col > 0) {
            // A screen reader reads the cell's text; an empty cell says so.
            if (text.trim() === '') {
                cell.setAttribute('aria-label', t('empty'));
            } else {
                cell.removeAttribute('aria-label');
            }
        }
    }

    markCurrent() {
        const { top, left, bottom, right } = this.selection;
        for (let row = 1; row <= this.m_lastRow; ++row) {
            for (let col = 1; col <= this.m_lastCol; ++col) {
                const current = row === this.m_row && col === this.m_col;
                const selected = row >= top && row <= bottom && col >= left && col <= right;
                const cell = this.cell(row, col);
                cell.tabIndex = current ? 0 : -1;
                cell.setAttribute('aria-selected', selected ? 'true' : 'false');
                cell.classList.toggle('current', current);
                cell.classList.toggle('selected', selected && (top !== bottom || left !== right));
            }
        }
    }

    focus() {
        if (this.m_editor) {
            this.m_editor.control.focus();
        } else {
            this.cell(this.m_row, this.m_col).focus();
        }
    }

    // `extend` keeps the anchor, so that the selection reaches from it to the new current cell.
    moveTo(row, col, extend = false) {
        this.m_row = Math.min(Math.max(row, 1), this.m_lastRow);
        this.m_col = Math.min(Math.max(col, 1), this.m_lastCol);
        if (!extend) {
            this.m_anchorRow = this.m_row;
            this.m_anchorCol = this.m_col;
        }
        this.markCurrent();
        const cell = this.cell(this.m_row, this.m_col);
        cell.focus();
        cell.scrollIntoView({ block: 'nearest', inline: 'nearest' });
    }

    // Enter and Tab step through the cells in reading order, wrapping at the ends, as the
    // desktop program's grid does.
    moveBy(step) {
        const count = this.m_lastRow * this.m_lastCol;
        let index = (this.m_row - 1) * this.m_lastCol + (this.m_col - 1) + step;
        index = ((index % count) + count) % count;
        this.moveTo(Math.floor(index / this.m_lastCol) + 1, (index % this.m_lastCol) + 1);
    }

    onKeyDown(event) {
        if (this.m_editor) {
            return; // the editor's own handler has it
        }
        const ctrl = event.ctrlKey || event.metaKey;
        if (ctrl && !event.altKey) {
            const key = event.key.toLowerCase();
            if (key === 'z' && !event.shiftKey) {
                event.preventDefault();
                this.m_hooks.onUndo();
            } else if (key === 'y' || (key === 'z' && event.shiftKey)) {
                event.preventDefault();
                this.m_hooks.onRedo();
            } else if (event.key === 'Home' || event.key === 'End') {
                event.preventDefault();
                this.moveTo(event.key === 'Home' ? 1 : this.m_lastRow, event.key === 'Home' ? 1 : this.m_lastCol);
            }
            return;
        }
        if (event.altKey) {
            return;
        }
        if (kKeysThatMove.has(event.key)) {
            event.preventDefault();
            this.moveByKey(event.key, event.shiftKey);
            return;
        }
        switch (event.key) {
        case 'Enter':
            // As in the desktop program, Enter on a cell steps to the next one. Tab does only in
            // an open editor: on the grid it leaves for the next control, so the keyboard is
            // never caught in the grid.
            event.preventDefault();
            this.moveBy(event.shiftKey ? -1 : 1);
            return;
        case 'Tab':
            return;
        case 'F2':
            event.preventDefault();
            this.openEditor(null);
            return;
        default:
            break;
        }
        // A printable key opens the editor with what was typed, as a spreadsheet does.
        if (event.key.length === 1) {
            event.preventDefault();
            this.openEditor(event.key === ' ' ? null : event.key);
        }
    }

    moveByKey(key, extend) {
        let row = this.m_row;
        let col = this.m_col;
        switch (key) {
        case 'ArrowUp': --row; break;
        case 'ArrowDown': ++row; break;
        case 'ArrowLeft': --col; break;
        case 'ArrowRight': ++col; break;
        case 'Home': col = 1; break;
        case 'End': col = this.m_lastCol; break;
        case 'PageUp': row = 1; break;
        case 'PageDown': row = this.m_lastRow; break;
        default: break;
        }
        this.moveTo(row, col, extend);
    }

    cellOf(event) {
        const cell = event.target.closest('td[data-row]');
        return cell && this.m_table.contains(cell) ? cell : null;
    }

    // A plain click makes the cell current and edits it, as in the desktop program; with Shift it
    // extends the selection. A click on a channel number selects the channel.
    onClick(event) {
        const heading = event.target.closest('th[role="rowheader"]');
        if (heading && this.m_table.contains(heading) && !this.m_editor) {
            const row = Number(heading.dataset.row);
            if (event.shiftKey) {
                this.m_anchorCol = this.m_lastCol;
                this.moveTo(row, 1, true);
            } else {
                this.selectRows(row, row);
            }
            return;
        }
        const cell = this.cellOf(event);
        if (!cell || (this.m_editor && this.m_editor.cell === cell)) {
            return;
        }
        if (this.m_editor) {
            this.commitEditor(0);
            return;
        }
        this.moveTo(Number(cell.dataset.row), Number(cell.dataset.col), event.shiftKey);
        if (event.detail === 1 && !event.shiftKey && !event.ctrlKey) {
            this.openEditor(null);
        }
    }

    onDoubleClick(event) {
        const cell = this.cellOf(event);
        if (cell && !this.m_editor) {
            this.moveTo(Number(cell.dataset.row), Number(cell.dataset.col));
            this.openEditor(null);
        }
    }

    get isEditing() {
        return this.m_editor !== null;
    }

    // `typed` is the first key typed into the cell, or null to edit the cell's text.
    openEditor(typed) {
        if (this.m_editor) {
            return;
        }
        const row = this.m_row;
        const col = this.m_col;
        const cell = this.cell(row, col);
        const text = this.m_engine.cellText(row, col);
        const isList = this.m_engine.isListColumn(col);
        const control = isList ? this.listEditor(col, text, typed) : this.lineEditor(text, typed);
        control.setAttribute('aria-label', t('editorName', this.m_engine.cellText(0, col), row));
        control.classList.add('cell-editor');
        this.m_editor = { row, col, cell, control, isList, userChose: false, committing: false };
        if (isList && typed !== null) {
            this.m_editor.userChose = this.pickByKey(control, typed);
        }
        control.addEventListener('keydown', (event) => this.onEditorKey(event));
        control.addEventListener('change', () => {
            if (this.m_editor && this.m_editor.control === control) {
                this.m_editor.userChose = true;
            }
        });
        // Leaving the cell takes what was typed, as the desktop's editor does.
        control.addEventListener('blur', () => {
            if (this.m_editor && this.m_editor.control === control && !this.m_editor.committing) {
                this.commitEditor(0, false);
            }
        });
        // The editor takes the cell's place without widening its column.
        cell.style.width = `${cell.getBoundingClientRect().width}px`;
        cell.replaceChildren(control);
        cell.classList.add('editing');
        control.focus();
        if (!isList && typed === null) {
            control.select();
        }
    }

    lineEditor(text, typed) {
        const input = document.createElement('input');
        input.type = 'text';
        input.autocomplete = 'off';
        input.spellcheck = false;
        input.size = 1;
        input.value = typed === null ? text : typed;
        return input;
    }

    listEditor(col, text, typed) {
        const select = document.createElement('select');
        for (const item of this.m_engine.listItems(col)) {
            const option = document.createElement('option');
            option.textContent = item;
            option.value = item;
            select.append(option);
        }
        select.selectedIndex = this.m_engine.initialListIndex(col, text);
        return select;
    }

    // A key typed on a list cell picks the first item starting with it; a choice if one does.
    pickByKey(select, typed) {
        const key = typed.toLowerCase();
        const index = [...select.options].findIndex((option) => option.text.trim().toLowerCase().startsWith(key));
        if (index < 0) {
            return false;
        }
        select.selectedIndex = index;
        return true;
    }

    onEditorKey(event) {
        switch (event.key) {
        case 'Enter':
            event.preventDefault();
            event.stopPropagation();
            this.commitEditor(1);
            return;
        case 'Tab':
            event.preventDefault();
            event.stopPropagation();
            this.commitEditor(event.shiftKey ? -1 : 1);
            return;
        case 'Escape':
            event.preventDefault();
            event.stopPropagation();
            this.closeEditor(true);
            return;
        default:
            break;
        }
        if (this.m_editor && this.m_editor.isList && event.key.length === 1 && !event.ctrlKey && !event.altKey) {
            // The list's own type-ahead changes the choice without a change event in every browser.
            this.m_editor.userChose = true;
        }
        event.stopPropagation();
    }

    // Gives the edit to the engine. Taken: the editor closes and the current cell moves by
    // `step`. Refused: the editor closes on the cell's old text, the current cell stays and the
    // engine's message is shown.
    commitEditor(step, keepFocus = true) {
        const editor = this.m_editor;
        if (!editor || editor.committing) {
            return;
        }
        editor.committing = true;
        const text = editor.control.value;
        const outcome = this.m_engine.commit(editor.row, editor.col, text, editor.isList && editor.userChose);
        this.closeEditor(keepFocus);
        if (outcome.changed) {
            this.m_hooks.onChanged();
        }
        if (!outcome.accepted) {
            if (outcome.message) {
                this.m_hooks.onRefused(outcome.message, outcome.caption);
            }
            return;
        }
        if (step !== 0 && keepFocus) {
            this.moveBy(step);
        }
    }

    closeEditor(keepFocus) {
        const editor = this.m_editor;
        if (!editor) {
            return;
        }
        this.m_editor = null;
        editor.cell.classList.remove('editing');
        editor.cell.style.width = '';
        this.showText(editor.row, editor.col);
        if (keepFocus) {
            this.cell(this.m_row, this.m_col).focus();
        }
    }
}
