// Every text the page shows, in both languages. Entries marked `desktop: true` are the desktop
// program's own words: the English is its source text without the '&' of an accelerator, the
// Chinese that source's translation in res/Chinese.ts without its "(&X)". The rest are the page's.

export const TEXTS = {
    // Commands, as the desktop's menus name them.
    open: { en: 'Open...', zh: '打开...', desktop: true },
    save: { en: 'Save', zh: '保存', desktop: true },
    undo: { en: 'Undo', zh: '撤销', desktop: true },
    redo: { en: 'Redo', zh: '重做', desktop: true },
    undoTip: { en: 'Undo the last change', zh: '撤销上一次修改', desktop: true },
    redoTip: { en: 'Redo the change undone last', zh: '重做上一次撤销的修改', desktop: true },
    read: { en: 'Read', zh: '读频', desktop: true },
    write: { en: 'Write', zh: '写频', desktop: true },
    productInfoCommand: { en: 'Product Information', zh: '类型设置', desktop: true },
    optionalFeaturesCommand: { en: 'Optional Features', zh: '可选功能', desktop: true },
    print: { en: 'Print...', zh: '打印...', desktop: true },
    historyCommand: { en: 'Radio History...', zh: '电台历史...', desktop: true },
    language: { en: 'Language', zh: '语言', desktop: true },
    english: { en: 'English', zh: '英文', desktop: true },
    chinese: { en: 'Chinese', zh: '中文', desktop: true },
    ready: { en: 'Ready', zh: '就绪', desktop: true },

    // Buttons of message boxes and dialogs.
    ok: { en: 'OK', zh: '确定', desktop: true },
    cancel: { en: 'Cancel', zh: '取消', desktop: true },
    retry: { en: 'Retry', zh: '重试', desktop: true },
    close: { en: 'Close', zh: '关闭', desktop: true },
    writeAgain: { en: 'Write Again', zh: '重新写入', desktop: true },
    restoreBackup: { en: 'Restore Backup', zh: '恢复备份', desktop: true },
    writeWithoutBackup: { en: 'Write Without Backup', zh: '不备份直接写入', desktop: true },
    writeButton: { en: 'Write', zh: '写入', desktop: true },

    // The grid.
    empty: { en: 'empty', zh: '空', desktop: true },
    editorName: { en: '%1, channel %2', zh: '%1，信道 %2', desktop: true },

    // Product Information.
    productInfo: { en: 'Product Information', zh: '类型设置', desktop: true },
    setting: { en: 'Setting', zh: '设置', desktop: true },
    type: { en: 'Type', zh: '类型', desktop: true },
    frequency: { en: 'Frequency', zh: '频率', desktop: true },
    chooseType: { en: 'Choose a type', zh: '请选择类型', desktop: true },
    chooseBand: { en: 'Choose a band', zh: '请选择频段', desktop: true },
    keepOrClear: {
        en: 'Keep these channels as they are (a write then asks before sending them), or clear them?',
        zh: '保留这些信道不变（写入对讲机前会再次询问），还是清除它们？',
        desktop: true,
    },
    keep: { en: 'Keep', zh: '保留', desktop: true },
    clearChannels: { en: 'Clear Channels', zh: '清除信道', desktop: true },

    // Optional Features.
    optionalFeatures: { en: 'Optional Features', zh: '可选功能', desktop: true },

    // Radio History.
    history: { en: 'Radio History', zh: '电台历史', desktop: true },
    historyOpen: { en: 'Open', zh: '打开', desktop: true },
    time: { en: 'Time', zh: '时间', desktop: true },
    kind: { en: 'Kind', zh: '种类', desktop: true },
    device: { en: 'Device', zh: '设备', desktop: true },
    historyType: { en: 'Type', zh: '机型', desktop: true },
    band: { en: 'Band', zh: '频段', desktop: true },
    channels: { en: 'Channels', zh: '信道数', desktop: true },
    unknown: { en: 'unknown', zh: '未知', desktop: true },
    historyNotLoaded: {
        en: 'The image of %1 cannot be loaded.\n%2',
        zh: '无法载入 %1 的数据。\n%2',
        desktop: true,
    },

    // Reading and writing.
    readData: { en: 'Read Data', zh: '读数据', desktop: true },
    writeData: { en: 'Write Data', zh: '写数据', desktop: true },
    transferProgress: { en: 'Transfer progress', zh: '传输进度', desktop: true },
    writeAnywayQuestion: { en: 'Write to the radio anyway?', zh: '仍然写入对讲机吗？', desktop: true },
    readDone: {
        en: 'Read from the radio on %1 into the document.',
        zh: '已通过 %1 从对讲机读取到文档。',
        desktop: true,
    },
    writtenVerified: {
        en: 'Written to the radio on %1 and verified.',
        zh: '已通过 %1 写入对讲机并校验。',
        desktop: true,
    },
    alreadyHeldStatus: {
        en: 'Nothing was written: the radio on %1 already holds this document.',
        zh: '没有写入任何内容：%1 上的对讲机已经存有本文档。',
        desktop: true,
    },
    historyNotKept: {
        en: 'The images of this transfer could not be kept in the radio history (%1).\n%2\n'
            + 'The transfer itself is not affected.',
        zh: '本次传输的数据无法保存到电台历史 (%1)。\n%2\n传输本身不受影响。',
        desktop: true,
    },
    writeAnyway: {
        en: 'Write Anyway',
        zh: '仍然写入',
        desktop: true,
    },
    unlistedRead: {
        en: 'The radio holds no type and band that Program.ini lists (type %1, band %2). Choose them in Edit > '
            + 'Product Information; until then no frequency can be typed.',
        zh: '对讲机中的类型和频段不在 Program.ini 的列表中（类型 %1，频段 %2）。请在“编辑 > 类型设置”中选择；'
            + '选择之前无法输入频率。',
        desktop: true,
    },
    alreadyHeld: {
        en: 'The radio already holds these channels and options; nothing was written.',
        zh: '对讲机已经存有这些信道和选项；没有写入任何内容。',
        desktop: true,
    },

    // Files.
    wrongSize: {
        en: '%1 holds %2 bytes; a data file holds exactly %3.',
        zh: '%1 有 %2 字节；数据文件必须正好是 %3 字节。',
        desktop: true,
    },
    cannotOpen: { en: 'Cannot open the file %1.\n%2', zh: '无法打开文件 %1。\n%2', desktop: true },
    cannotSave: { en: 'Cannot save the file %1.\n%2', zh: '无法保存文件 %1。\n%2', desktop: true },

    // The page's own texts.
    commands: { en: 'Commands', zh: '命令' },
    channelList: { en: 'Channel list', zh: '信道列表' },
    noSerial: {
        en: 'This browser has no Web Serial: Read and Write need Chrome, Edge or Chromium.',
        zh: '此浏览器不支持 Web Serial：读频和写频需要 Chrome、Edge 或 Chromium 浏览器。',
    },
    serialPort: { en: 'the serial port', zh: '串口' },
    usbPort: { en: 'USB %1:%2', zh: 'USB %1:%2' },
    browserStorage: { en: "the browser's storage", zh: '浏览器存储' },
    noPortChosen: {
        en: 'No serial port was chosen; nothing was read or written.',
        zh: '没有选择串口；没有读取或写入任何内容。',
    },
    portProblem: { en: 'The serial port cannot be used.\n%1', zh: '无法使用该串口。\n%1' },
    opened: { en: 'Opened %1.', zh: '已打开 %1。' },
    saved: { en: 'Saved %1.', zh: '已保存 %1。' },
    historyOpened: {
        en: 'Opened the image of %1 from the radio history.',
        zh: '已从电台历史打开 %1 的数据。',
    },
    historyEmpty: { en: 'The radio history is empty.', zh: '电台历史为空。' },
    loading: { en: 'Loading...', zh: '正在加载...' },
    engineFailed: { en: 'The program could not start.\n%1', zh: '程序无法启动。\n%1' },
};

let current = 'en';

// 'English' or 'Chinese', the names the engine and the language list use.
export function setTextLanguage(language) {
    current = language === 'Chinese' ? 'zh' : 'en';
}

export function textLanguage() {
    return current;
}

// The text of `key` in the current language with %1, %2 ... replaced, in one pass so that an
// argument holding "%2" stays as it is.
export function t(key, ...args) {
    const entry = TEXTS[key];
    if (!entry) {
        throw new Error(`No text ${key}`);
    }
    return entry[current].replace(/%(\d)/g, (whole, n) => (n - 1 < args.length ? String(args[n - 1]) : whole));
}

// Fills the static texts of the page: data-text (content), data-text-label (aria-label) and
// data-text-title (title).
export function applyTexts(root) {
    document.documentElement.lang = current === 'zh' ? 'zh-CN' : 'en';
    for (const element of root.querySelectorAll('[data-text]')) {
        element.textContent = t(element.dataset.text);
    }
    for (const element of root.querySelectorAll('[data-text-label]')) {
        element.setAttribute('aria-label', t(element.dataset.textLabel));
    }
    for (const element of root.querySelectorAll('[data-text-title]')) {
        element.title = t(element.dataset.textTitle);
    }
}
