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
    channelPlansCommand: { en: 'Channel Plans...', zh: '信道方案...', desktop: true },
    channelPlansTip: {
        en: 'Fill channels from a channel plan such as PMR446, FRS, GMRS, MURS or a list of your own',
        zh: '用信道方案（如 PMR446、FRS、GMRS、MURS 或您自己的列表）填充信道',
        desktop: true,
    },
    checkChannelsCommand: { en: 'Check Channels...', zh: '检查信道...', desktop: true },
    checkChannelsTip: {
        en: "List channels that break a service's rule or will not work as meant",
        zh: '列出违反业务规定或无法按预期工作的信道',
        desktop: true,
    },
    importChannelsCommand: { en: 'Import Channels...', zh: '导入信道...', desktop: true },
    importChannelsTip: {
        en: 'Replace the channel list with one from a CSV file, after a preview',
        zh: '预览后用 CSV 文件中的信道列表替换当前信道列表',
        desktop: true,
    },
    compareWithFileCommand: { en: 'Compare with File...', zh: '与文件比较...', desktop: true },
    compareWithFileTip: {
        en: 'List where a data file differs from the active document',
        zh: '列出数据文件与活动文档的不同之处',
        desktop: true,
    },
    exportChannelsCommand: { en: 'Export Channels...', zh: '导出信道...', desktop: true },
    exportChannelsTip: {
        en: 'Save the channel list as a CSV file',
        zh: '把信道列表保存为 CSV 文件',
        desktop: true,
    },
    print: { en: 'Print...', zh: '打印...', desktop: true },
    historyCommand: { en: 'Radio History...', zh: '电台历史...', desktop: true },
    setupCommand: { en: 'Setup', zh: '设置', desktop: true },
    // The write choices of the Setup menu and their tips.
    backupChoice: { en: 'Backup Before Write', zh: '写前备份', desktop: true },
    backupTip: {
        en: 'Read the radio and keep its contents before every write',
        zh: '每次写频前先读取并保存对讲机的内容',
        desktop: true,
    },
    verifyChoice: { en: 'Verify After Write', zh: '写后校验', desktop: true },
    verifyTip: {
        en: 'Read the radio back after every write and compare',
        zh: '每次写频后读回对讲机并比较',
        desktop: true,
    },
    showChangesChoice: { en: 'Show Changes Before Writing', zh: '写前显示改动', desktop: true },
    showChangesTip: {
        en: 'After the backup, list what a write will change and ask first',
        zh: '备份之后列出写频将改动的内容，并先询问',
        desktop: true,
    },
    changedOnlyChoice: { en: 'Write Only Changed Rows', zh: '只写改动的行', desktop: true },
    changedOnlyTip: {
        en: 'Send only the rows that differ from the backup',
        zh: '只发送与备份不同的行',
        desktop: true,
    },
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

    // The Edit menu's block and row commands, their tips and what they answer.
    editMenu: { en: 'Edit', zh: '编辑', desktop: true },
    cut: { en: 'Cut', zh: '剪切', desktop: true },
    cutTip: { en: 'Copy the selected cells and clear them', zh: '复制选中的单元格并将其清除', desktop: true },
    copy: { en: 'Copy', zh: '复制', desktop: true },
    copyTip: {
        en: 'Copy the selected cells, or the current cell, for a spreadsheet or another channel list',
        zh: '复制选中的单元格（或当前单元格），供电子表格或其他信道列表使用',
        desktop: true,
    },
    paste: { en: 'Paste', zh: '粘贴', desktop: true },
    pasteTip: {
        en: 'Paste cells from a spreadsheet, or a channel list, into the selection or from the current cell on',
        zh: '把电子表格的单元格或信道列表粘贴到选择区域，或从当前单元格起粘贴',
        desktop: true,
    },
    clear: { en: 'Clear', zh: '清除', desktop: true },
    clearTip: {
        en: 'Clear the selected cells; clearing an Rx Frequency deletes its channel',
        zh: '清除选中的单元格；清除接收频率即删除该信道',
        desktop: true,
    },
    fillDown: { en: 'Fill Down', zh: '向下填充', desktop: true },
    fillDownTip: {
        en: 'Copy the top row of the selection into the rows below it',
        zh: '把选择区域最上面一行复制到下面各行',
        desktop: true,
    },
    selectAll: { en: 'Select All', zh: '全选', desktop: true },
    selectAllTip: { en: 'Select every channel', zh: '选中全部信道', desktop: true },
    insertChannel: { en: 'Insert Channel', zh: '插入信道', desktop: true },
    insertChannelTip: {
        en: 'Insert an empty channel here; the channels below move down',
        zh: '在此处插入一个空信道；下面的信道依次下移',
        desktop: true,
    },
    deleteChannel: { en: 'Delete Channel', zh: '删除信道', desktop: true },
    deleteChannelTip: {
        en: 'Delete this channel; the channels below move up',
        zh: '删除此信道；下面的信道依次上移',
        desktop: true,
    },
    moveChannelUp: { en: 'Move Channel Up', zh: '信道上移', desktop: true },
    moveChannelUpTip: { en: 'Swap this channel with the one above', zh: '把此信道与上面的信道交换', desktop: true },
    moveChannelDown: { en: 'Move Channel Down', zh: '信道下移', desktop: true },
    moveChannelDownTip: { en: 'Swap this channel with the one below', zh: '把此信道与下面的信道交换', desktop: true },
    refusedCell: { en: 'Channel %1, %2: "%3": %4', zh: '信道 %1，%2：“%3”：%4', desktop: true },
    notInList: { en: "not one of the column's choices", zh: '不是该列的可选项', desktop: true },
    pastTheGrid: { en: 'past the last channel or column', zh: '超出最后一个信道或最后一列', desktop: true },
    nothingPasted: {
        en: 'Nothing was pasted; these cells cannot be taken:\n%1',
        zh: '没有粘贴任何内容；以下单元格不能接受：\n%1',
        desktop: true,
    },
    nothingFilled: {
        en: 'Nothing was filled in; these cells cannot be taken:\n%1',
        zh: '没有填充任何内容；以下单元格不能接受：\n%1',
        desktop: true,
    },
    takeOtherCells: { en: 'Take the other cells?', zh: '是否接受其余的单元格？', desktop: true },
    listNotPasted: {
        en: 'Nothing was pasted; these rows of the channel list cannot be taken:\n%1',
        zh: '没有粘贴任何内容；信道列表的以下各行不能接受：\n%1',
        desktop: true,
    },
    listLine: { en: 'Line %1: %2', zh: '第 %1 行：%2', desktop: true },
    noRoom: {
        en: 'Channel 16 is in use: there is no room to insert a channel.',
        zh: '信道 16 正在使用：没有空位插入信道。',
        desktop: true,
    },
    clipboardUnread: {
        en: 'The browser did not let the page read the clipboard; press Ctrl+V to paste.',
        zh: '浏览器不允许本页读取剪贴板；请按 Ctrl+V 粘贴。',
    },

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

    // Channel Plans.
    channelPlans: { en: 'Channel Plans', zh: '信道方案', desktop: true },
    plansLabel: { en: 'Plans:', zh: '方案：', desktop: true },
    planName: { en: 'Name', zh: '名称', desktop: true },
    region: { en: 'Region', zh: '地区', desktop: true },
    descriptionLabel: { en: 'Description:', zh: '说明：', desktop: true },
    descriptionName: { en: 'Description of the plan', zh: '方案的说明', desktop: true },
    unfitName: { en: 'Why the plan does not fit', zh: '方案不适用的原因', desktop: true },
    planChannelsLabel: { en: 'Channels of the plan:', zh: '方案的信道：', desktop: true },
    planRow: { en: 'Row', zh: '行', desktop: true },
    receive: { en: 'Receive', zh: '接收', desktop: true },
    transmit: { en: 'Transmit', zh: '发射', desktop: true },
    tones: { en: 'Tones', zh: '亚音', desktop: true },
    bandwidthAllowed: { en: 'Bandwidth allowed', zh: '允许的带宽', desktop: true },
    powerLimit: { en: 'Power limit', zh: '功率限值', desktop: true },
    unreadLists: { en: 'These channel lists could not be read:\n%1', zh: '以下信道列表无法读取：\n%1', desktop: true },
    namedReason: { en: '%1: %2', zh: '%1：%2', desktop: true },
    fromRow: { en: 'From row', zh: '从第', desktop: true },
    toRow: { en: 'to row', zh: '行到第', desktop: true },
    intoChannel: { en: 'into channel', zh: '行，放入信道', desktop: true },
    replaceAll: { en: 'Replace all sixteen channels', zh: '替换全部十六个信道', desktop: true },
    effectName: { en: 'What applying the plan changes', zh: '应用方案将改动的内容', desktop: true },
    apply: { en: 'Apply', zh: '应用', desktop: true },
    noDescription: { en: 'A channel list without a description.', zh: '没有说明的信道列表。', desktop: true },
    service: { en: 'Service:', zh: '业务：', desktop: true },
    regionLine: { en: 'Region:', zh: '地区：', desktop: true },
    licenceNeeded: { en: 'Licence needed:', zh: '需要执照：', desktop: true },
    yes: { en: 'Yes', zh: '是', desktop: true },
    no: { en: 'No', zh: '否', desktop: true },
    rule: { en: 'Rule:', zh: '规定：', desktop: true },
    source: { en: 'Source:', zh: '出处：', desktop: true },
    notConfirmed: { en: 'Not confirmed:', zh: '未经核实：', desktop: true },
    planUnfit: {
        en: "This plan does not fit the document's band.",
        zh: '此方案不适用于本文档的频段。',
        desktop: true,
    },
    choosePlan: { en: 'Choose a plan.', zh: '请选择一个方案。', desktop: true },
    noChannelChanges: { en: 'No channel will change.', zh: '没有信道会改变。', desktop: true },
    channelReplaced: { en: 'Channel %1 will be replaced.', zh: '信道 %1 将被替换。', desktop: true },
    channelsReplaced: { en: 'Channels %1 will be replaced.', zh: '信道 %1 将被替换。', desktop: true },
    channelRun: { en: '%1 to %2', zh: '%1 至 %2', desktop: true },
    runSeparator: { en: ', ', zh: '、', desktop: true },
    othersEmptied: { en: 'The other channels will be emptied.', zh: '其余信道将被清空。', desktop: true },
    rowsLeftOut: {
        en: 'These rows of the plan were left out; the others are applied:\n%1',
        zh: '方案的以下各行未被应用，其余各行已应用：\n%1',
        desktop: true,
    },

    // Import Channels.
    importChannels: { en: 'Import Channels', zh: '导入信道', desktop: true },
    importButton: { en: 'Import', zh: '导入', desktop: true },
    line: { en: 'Line', zh: '行', desktop: true },
    whyNotImported: { en: 'Why it cannot be imported', zh: '不能导入的原因', desktop: true },
    now: { en: 'Now', zh: '现在', desktop: true },
    afterImport: { en: 'After the import', zh: '导入后', desktop: true },
    erased: { en: 'erased', zh: '已擦除', desktop: true },
    csvTooLarge: { en: 'It is too large for a channel list.', zh: '文件太大，不是信道列表。', desktop: true },

    // Check Channels.
    checkChannels: { en: 'Check Channels', zh: '检查信道', desktop: true },
    noFindings: { en: 'No findings.', zh: '没有发现问题。', desktop: true },
    findingsName: { en: 'Findings', zh: '检查结果', desktop: true },
    channel: { en: 'Channel', zh: '信道', desktop: true },
    field: { en: 'Field', zh: '字段', desktop: true },
    finding: { en: 'Finding', zh: '提示', desktop: true },
    goTo: { en: 'Go To', zh: '转到', desktop: true },

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

    // What a write will change, asked after the backup.
    changesQuestion: {
        en: 'Writing changes these channels and options in the radio on %1. Write?',
        zh: '写频将改动 %1 上对讲机的以下信道和选项。是否写入？',
        desktop: true,
    },
    otherModel: {
        en: "The radio's type or band differs from this document's: the document may be meant for another model. "
            + 'Write only if this is the radio you mean.',
        zh: '对讲机的类型或频段与本文档的不同：本文档可能是另一型号的。只有确认这是您要写的对讲机时才写入。',
        desktop: true,
    },
    what: { en: 'What', zh: '项目', desktop: true },
    inRadio: { en: 'In the radio', zh: '对讲机中', desktop: true },
    afterWrite: { en: 'After the write', zh: '写入后', desktop: true },
    channelCheck: { en: 'Channel check', zh: '信道检查', desktop: true },

    // Compare with File.
    compareWithFile: { en: 'Compare with File', zh: '与文件比较', desktop: true },
    compareQuestion: { en: 'Where %1 differs from this document:', zh: '%1 与本文档的不同之处：', desktop: true },
    inFile: { en: 'In the file', zh: '文件中', desktop: true },
    inDocument: { en: 'In the document', zh: '文档中', desktop: true },
    writeThisDocument: { en: 'Write This Document', zh: '写入本文档', desktop: true },
    sameImage: { en: '%1 holds the same image as this document.', zh: '%1 存有与本文档相同的数据。', desktop: true },

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
    written: { en: 'Written to the radio on %1.', zh: '已通过 %1 写入对讲机。', desktop: true },
    writtenVerifiedWhole: {
        en: 'Written to the radio on %1 and verified: the changed rows could not be written alone, so the whole '
            + 'memory was.',
        zh: '已通过 %1 写入对讲机并校验：改动的行无法单独写入，因此写入了全部存储。',
        desktop: true,
    },
    writtenWhole: {
        en: 'Written to the radio on %1: the changed rows could not be written alone, so the whole memory was.',
        zh: '已通过 %1 写入对讲机：改动的行无法单独写入，因此写入了全部存储。',
        desktop: true,
    },
    declinedStatus: {
        en: 'Nothing was written to the radio on %1.',
        zh: '没有向 %1 上的对讲机写入任何内容。',
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
    // The desktop words these three by count: enOne is the English for a count of one.
    rowsCannotApply: {
        en: '%1 rows of the plan cannot be applied.',
        enOne: '%1 row of the plan cannot be applied.',
        zh: '方案中有 %1 行无法应用。',
    },
    changesFindings: {
        en: 'Channel check: %1 findings, advice only:',
        enOne: 'Channel check: %1 finding, advice only:',
        zh: '信道检查：%1 条提示，仅供参考：',
    },
    findingsCount: {
        en: '%1 findings: advice only; nothing stops a write.',
        enOne: '%1 finding: advice only; nothing stops a write.',
        zh: '%1 条提示：仅供参考，不会阻止写频。',
    },
    // The desktop's words for these three, by count.
    rowsCannotImport: {
        en: 'The file has %1 rows that cannot be imported; nothing is changed.',
        enOne: 'The file has %1 row that cannot be imported; nothing is changed.',
        zh: '文件中有 %1 行不能导入；没有作任何修改。',
    },
    channelsRead: {
        en: '%1 channels read from the file; %2 change.',
        enOne: '%1 channel read from the file; %2 change.',
        zh: '从文件读取了 %1 个信道；%2 个有变化。',
    },
    channelsExported: {
        en: '%1 channels exported to %2',
        enOne: '%1 channel exported to %2',
        zh: '已将 %1 个信道导出到 %2',
    },
    imported: { en: 'Imported the channel list of %1.', zh: '已导入 %1 的信道列表。' },
    channelListFiles: { en: 'Channel lists', zh: '信道列表' },
    planNotFetched: { en: 'the list could not be fetched (%1)', zh: '无法获取该列表（%1）' },
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
    const text = args[0] === 1 && entry[`${current}One`] ? entry[`${current}One`] : entry[current];
    return text.replace(/%(\d)/g, (whole, n) => (n - 1 < args.length ? String(args[n - 1]) : whole));
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
