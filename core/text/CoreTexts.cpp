#include "text/CoreTexts.h"

#include <iterator>
#include <utility>

namespace {

struct TextPair {
    CoreText id;
    const char* english;
    const char* chinese;
};

// In the order of CoreText; the check below keeps the two in step.
constexpr TextPair kTexts[] = {
    {CoreText::HeadingChannel, "CH", "信道"},
    {CoreText::HeadingRxFrequency, "Rx Frequency", "接收频率"},
    {CoreText::HeadingTxFrequency, "Tx Frequency", "发射频率"},
    {CoreText::HeadingRxTone, "QT/DQT Dec", "QT/DQT解码"},
    {CoreText::HeadingTxTone, "QT/DQT Enc", "QT/DQT编码"},
    {CoreText::HeadingWidth, "W/N", "宽/窄"},
    {CoreText::HeadingScan, "Scan", "扫描"},
    {CoreText::HeadingBusyLock, "Busy Lock", "繁忙锁定"},
    {CoreText::HeadingPower, "Power", "功率"},
    {CoreText::Wide, "Wide", "宽"},
    {CoreText::Narrow, "Narrow", "窄"},
    {CoreText::Yes, "Yes", "是"},
    {CoreText::No, "No", "否"},
    {CoreText::Off, "Off", "关"},
    {CoreText::Carrier, "Carrier", "载波"},
    {CoreText::ToneLock, "QT/DQT", "QT/DQT"},
    {CoreText::High, "High", "高"},
    {CoreText::Low, "Low", "低"},
    {CoreText::NoTone, "None", "无"},
    {CoreText::On, "On", "开"},
    {CoreText::TimeOutTime, "Time Out Time", "超时定时器"},
    {CoreText::SquelchLevel, "Squelch Level", "静噪电平"},
    {CoreText::PriorityChannel, "Priority Channel", "优先信道"},
    {CoreText::VoiceAnnunciation, "Voice Annunciation", "语音报号"},
    {CoreText::MonitorKey, "Monitor Key", "监听键"},
    {CoreText::Vox, "VOX", "声控"},
    {CoreText::VoxGainLevel, "Vox Gain Level", "声控增益电平"},
    {CoreText::VoxDelayTime, "Vox Delay Time", "声控延迟时间"},
    {CoreText::Beep, "Beep", "哔音"},
    {CoreText::BatterySaver, "Battery Saver", "电池省电"},
    {CoreText::SecondsUnit, " (s)", " (秒)"},
    {CoreText::VoiceChinese, "Chinese", "中文"},
    {CoreText::VoiceEnglish, "English", "英文"},
    {CoreText::MonitorNone, "None", "无"},
    {CoreText::Monitor, "Monitor", "监听"},
    {CoreText::MonitorMomentary, "Monitor Momentary", "监听瞬时"},
    {CoreText::ReportOptionTitle, "Option", "可选功能"},
    {CoreText::ReportFunction, "Function", "功能"},
    {CoreText::ReportChannelTitle, "Channel", "信道"},
    {CoreText::ReportVoiceLabel, "Voice Annunication", "语音报号"},
    {CoreText::ReportRxFrequency, "Receive Frequency", "接收频率"},
    {CoreText::ReportTxFrequency, "Transceive Frequency", "发射频率"},
    {CoreText::ReportRxTone, "QT/DQT Decode", "QT/DQT解码"},
    {CoreText::ReportTxTone, "QT/DQT Encode", "QT/DQT编码"},
    {CoreText::RadioType, "Type", "类型"},
    {CoreText::Band, "Band", "频率"},
    {CoreText::NotInProgramIni, "(not in Program.ini)", "(Program.ini 未列出)"},
    {CoreText::CaptionType, "Type:", "类型:"},
    {CoreText::CaptionBand, "Fre:", "频率:"},
    {CoreText::OutOfRange, "Out of range,please input again.", "超出范围，请重新输入。"},
    {CoreText::OffStep, "Error data Value, please input according the step value(6.25K/5k).",
     "数据错误，请按步进值(6.25K/5K)输入。"},
    {CoreText::BandIs, "(the band is %1)", "（频段为 %1）"},
    {CoreText::NoBand, "(there is no band: Program.ini does not list this type and band)",
     "（没有频段：Program.ini 未列出此类型和频段）"},
    {CoreText::BandRange, "%1 to %2 MHz", "%1 至 %2 MHz"},
    {CoreText::ChooseBand, "Choose the radio type and band in Edit > Product Information.",
     "请在“编辑 > 类型设置”中选择对讲机类型和频段。"},
    {CoreText::ChannelOutsideBand, "Channel %1 is outside the band %2.", "信道 %1 超出频段 %2。"},
    {CoreText::ChannelsOutsideBand, "Channels %1 are outside the band %2.", "信道 %1 超出频段 %2。"},
    {CoreText::NoChannelInUse, "No channel is in use: writing leaves the radio with no channels.",
     "没有使用中的信道：写入后对讲机中将没有任何信道。"},
    {CoreText::ChannelNotInUse, "The channel needs both frequencies before this can be set.",
     "信道需要先有接收和发射频率才能设置此项。"},
    {CoreText::DataFormatError, "Data Format Error", "数据格式不正确"},
    {CoreText::PortOpenFailed,
     "Could not Open the Port,Please check whether the Port are occupied or the device are ok",
     "无法打开端口，请检查端口是否被占用或设备是否正常"},
    {CoreText::CommunicationError, "Communication Error,Please check all the connections and the radio power",
     "通讯错误，请检查所有连接和对讲机电源"},
    {CoreText::WrongRadio, "Becuase the type of radio does not match,\ncommunications is interrupt.",
     "对讲机类型不匹配,无法通讯。"},
    {CoreText::ProgramInterrupt, "Program Interrupt, Please reset the radio and try again",
     "编程中断，请重启对讲机后再试"},
    {CoreText::Caution, "Caution", "警告"},
    {CoreText::CsvUnclosedQuote, "a quoted field starts here and is never closed",
     "带引号的字段从这里开始，但引号没有闭合"},
    {CoreText::CsvNoHeader,
     "the file holds no header line (and no channels): expected a first line naming the columns, such as "
     "Location,Name,Frequency,...",
     "文件中没有标题行（也没有信道）：第一行应列出各列的名称，例如 Location,Name,Frequency,..."},
    {CoreText::CsvNotHeader,
     "this is not a header line: the first line must name the columns, such as "
     "Location,Name,Frequency,Duplex,Offset,...",
     "这不是标题行：第一行必须列出各列的名称，例如 Location,Name,Frequency,Duplex,Offset,..."},
    {CoreText::CsvMissingColumn, "the header has no %1 column", "标题行中没有 %1 列"},
    {CoreText::CsvShortRow, "the row has %1 fields but the header names %2",
     "该行有 %1 个字段，但标题行列出了 %2 列"},
    {CoreText::CsvLocationNotNumber, "Location %1 is not a channel number", "Location %1 不是信道号"},
    {CoreText::CsvLocationPast, "Location %1 is past the %2 channels (Location %3 to %4)",
     "Location %1 超出了 %2 个信道（Location %3 到 %4）"},
    {CoreText::CsvLocationTwice, "Location %1 is also on line %2", "Location %1 在第 %2 行也出现了"},
    {CoreText::CsvLandsPast, "Location %1 would land past channel %2", "Location %1 会落在第 %2 信道之后"},
    {CoreText::CsvPriorityTwice, "Skip P: line %1 already made its channel the priority channel",
     "Skip P：第 %1 行已将它的信道设为优先信道"},
    {CoreText::CsvFrequencyEmpty, "Frequency is empty", "Frequency 为空"},
    {CoreText::CsvNotMegahertz, "%1 %2 is not a number of MHz", "%1 %2 不是以 MHz 为单位的数字"},
    {CoreText::CsvNotTenHertz,
     "%1 %2 MHz cannot be stored: the radio keeps frequencies in steps of 10 Hz (five decimals of MHz)",
     "%1 %2 MHz 无法保存：对讲机以 10 Hz 为单位保存频率（MHz 的五位小数）"},
    {CoreText::CsvOutOfRange, "out of range", "超出范围"},
    {CoreText::CsvOffStep, "not on the 5 kHz or 6.25 kHz step", "不符合 5K 或 6.25K 步进"},
    {CoreText::CsvRefusedInBand, "%1: %2 (the band is %3 to %4 MHz)", "%1：%2（频段为 %3 至 %4 MHz）"},
    {CoreText::CsvRefusedNoBand, "%1: %2 (the image holds no frequency of the band)",
     "%1：%2（映像无法保存该频段的任何频率）"},
    {CoreText::CsvTransmitOffset, "transmit frequency (Duplex %1, Offset %2)",
     "发射频率（Duplex %1，Offset %2）"},
    {CoreText::CsvTransmitAt, "transmit frequency %1 (Duplex %2, Offset %3)",
     "发射频率 %1（Duplex %2，Offset %3）"},
    {CoreText::CsvSplitOffset, "Offset %1 (the transmit frequency of a split channel)",
     "Offset %1（split 信道的发射频率）"},
    {CoreText::CsvDuplexOff,
     "Duplex \"off\" (transmit disabled) cannot be stored: every channel of this radio transmits",
     "Duplex \"off\"（禁止发射）无法保存：本对讲机的每个信道都能发射"},
    {CoreText::CsvDuplexUnknown, "Duplex %1 is not one of \"\", +, - or split",
     "Duplex %1 不是 \"\"、+、- 或 split 之一"},
    {CoreText::CsvNotToneHz, "%1 %2 is not a tone frequency in Hz", "%1 %2 不是以 Hz 为单位的亚音频率"},
    {CoreText::CsvToneTenths, "%1 %2 Hz cannot be stored: the radio keeps tones in tenths of a hertz",
     "%1 %2 Hz 无法保存：对讲机以 0.1 Hz 为单位保存亚音"},
    {CoreText::CsvToneRange,
     "%1 %2 Hz cannot be stored: the image holds CTCSS tones from 25.6 Hz up, as tenths of a hertz",
     "%1 %2 Hz 无法保存：映像只能保存 25.6 Hz 及以上、以 0.1 Hz 为单位的 CTCSS 亚音"},
    {CoreText::CsvToneNotInList, "%1 %2 Hz is not a CTCSS tone of the list (67.0 to 254.1 Hz, such as 88.5)",
     "%1 %2 Hz 不是列表中的 CTCSS 亚音（67.0 至 254.1 Hz，例如 88.5）"},
    {CoreText::CsvNotDcs, "%1 %2 is not a DCS code such as 023", "%1 %2 不是 023 这样的 DCS 码"},
    {CoreText::CsvDcsUnknown,
     "%1 %2 is not one of the 107 DCS codes the radio knows, nor another code of three octal digits (0 to "
     "7) that the image can hold",
     "%1 %2 既不是对讲机支持的 107 个 DCS 码之一，也不是映像能保存的其他三位八进制（0 到 7）码"},
    {CoreText::CsvDcsNotInList, "%1 %2 is not a DCS code of the list (023 to 754)",
     "%1 %2 不是列表中的 DCS 码（023 至 754）"},
    {CoreText::CsvPolarity, "DtcsPolarity %1 is not two letters N or R (transmit, receive)",
     "DtcsPolarity %1 不是两个字母 N 或 R（发射、接收）"},
    {CoreText::CsvCrossMode,
     "CrossMode %1 is not one the radio can store (Tone->Tone, Tone->DTCS, DTCS->Tone, DTCS->DTCS, Tone->, "
     "DTCS->, ->Tone, ->DTCS)",
     "CrossMode %1 不是对讲机能保存的组合（Tone->Tone、Tone->DTCS、DTCS->Tone、DTCS->DTCS、Tone->、"
     "DTCS->、->Tone、->DTCS）"},
    {CoreText::CsvToneMode, "Tone %1 is not one the radio can store (\"\", Tone, TSQL, DTCS or Cross)",
     "Tone %1 不是对讲机能保存的方式（\"\"、Tone、TSQL、DTCS 或 Cross）"},
    {CoreText::CsvMode, "Mode %1 cannot be stored: FM (wide) or NFM (narrow)",
     "Mode %1 无法保存：只能是 FM（宽带）或 NFM（窄带）"},
    {CoreText::CsvSkip, "Skip %1 is not \"\" (scanned), S (skipped) or P (priority)",
     "Skip %1 不是 \"\"（扫描）、S（跳过）或 P（优先）"},
    {CoreText::CsvPower, "Power %1 is not High, Low or a number of watts", "Power %1 不是 High、Low 或瓦数"},
    {CoreText::CsvBusyLock, "BusyLock %1 is not Off, Carrier or QT/DQT",
     "BusyLock %1 不是 Off、Carrier 或 QT/DQT"},
    {CoreText::AdviceNoAnswer,
     "The radio sent nothing back: check that it is switched on, that the cable's plug is pushed fully "
     "into the radio, and that this is the port of the programming cable.",
     "对讲机没有任何应答：请检查对讲机是否已开机、编程线插头是否完全插入对讲机，以及所选端口是否为编程线的端"
     "口。"},
    {CoreText::AdviceUnexpectedBytes,
     "Bytes came back that are not the radio's answer: another device may be on this port. Choose the "
     "port of the programming cable.",
     "收到的数据不是对讲机的应答：此端口上可能连接着其他设备。请选择编程线所在的端口。"},
    {CoreText::AdviceFrameBroken,
     "The radio answered, then the transfer broke off at row %1: the cable or interference. Check the "
     "cable and try again.",
     "对讲机已应答，但传输在第 %1 行中断：可能是编程线接触不良或受到干扰。请检查编程线后重试。"},
    {CoreText::VerifyMismatch,
     "Verify After Write found a difference in %1: the radio does not hold what was written. Write "
     "again.",
     "写后校验发现%1不一致：对讲机中的数据与写入的不同。请重新写入。"},
    {CoreText::ChannelField, "the %1 of channel %2", "信道 %2 的%1"},
    {CoreText::ChannelRecord, "channel %1", "信道 %1"},
    {CoreText::RadioWideOptions, "the radio-wide options", "整机可选功能"},
    {CoreText::RadioWideOption, "the radio-wide options (%1)", "整机可选功能（%1）"},
    {CoreText::TypeAndBand, "the type and band", "类型和频段"},
    {CoreText::BackupFailed,
     "The radio could not be read for the backup before writing; nothing was written.",
     "写前备份时无法读取对讲机，没有写入任何数据。"},
    {CoreText::HalfWritten,
     "The radio may hold a partly written memory: write again, or write the backup back.",
     "对讲机中的数据可能只写入了一部分：请重新写入，或将备份写回对讲机。"},
    {CoreText::AlreadyHeld, "The radio already holds these channels and options; nothing was written.",
     "对讲机中已是这些信道和选项；没有写入任何数据。"},
    {CoreText::ChangedFellBack,
     "The radio did not take only the changed rows (it refused a frame, or reading them back found a "
     "difference), so the whole memory was written and verified instead.",
     "对讲机未能只接收更改的行（它拒绝了一帧，或读回时发现不同），因此改为写入并校验了全部数据。"},
    {CoreText::CancelledBackup,
     "You cancelled the write while the radio was read for the backup: nothing was written, and the "
     "radio holds what it held before.",
     "您在写前备份时取消了写入：没有写入任何数据，对讲机中的数据保持原样。"},
    {CoreText::CancelledWriteUnsent,
     "You cancelled the write before anything was sent: the radio holds what it held before.",
     "您在发送任何数据之前取消了写入：对讲机中的数据保持原样。"},
    {CoreText::CancelledWrite,
     "You cancelled the write: the radio may hold a partly written memory. Write again.",
     "您取消了写入：对讲机中的数据可能只写入了一部分。请重新写入。"},
    {CoreText::CancelledVerify,
     "You cancelled the verify: the image was written completely, but not read back and compared.",
     "您取消了写后校验：数据已全部写入，但没有读回比较。"},
    {CoreText::BackupKept,
     "The backup of what the radio held before is in the radio history as %1; writing it back restores the "
     "radio.",
     "写前备份已保存在电台历史中（%1）；将其写回即可恢复对讲机。"},
    {CoreText::HistoryNotSaved, "The radio history could not be saved: %1", "无法保存电台历史：%1"},
    {CoreText::StageBackup, "Backing up the radio", "正在备份对讲机"},
    {CoreText::StageWrite, "Writing", "正在写入"},
    {CoreText::StageVerify, "Verifying", "正在校验"},
    {CoreText::StageRead, "Reading", "正在读取"},
    {CoreText::HistoryRead, "Read", "读取"},
    {CoreText::HistoryBeforeWrite, "Before write", "写前备份"},
    {CoreText::HistoryWritten, "Written", "已写入"},
    {CoreText::PortAdviceDialout,
     "your user may not use serial ports: add it to the dialout group (sudo usermod -aG dialout $USER, "
     "or sudo adduser $USER dialout) and log in again; the new group counts only from the next login",
     "当前用户无权使用串口：请将其加入 dialout 组（sudo usermod -aG dialout $USER，或 sudo adduser $USER "
     "dialout），然后注销并重新登录；新的组在下次登录后才生效"},
    {CoreText::PortAdviceBusy, "another program is using the port; close it and try again",
     "另一个程序正在使用此端口；请关闭它后重试"},
    {CoreText::PortAdviceBusyBy, "%1 (PID %2) is using the port; close it and try again",
     "%1（PID %2）正在使用此端口；请关闭它后重试"},
    {CoreText::PortAdviceModemManager,
     "ModemManager (PID %2) is probing the freshly plugged adapter for a modem; wait half a minute and try "
     "again. The udev rule 60-radio-programmer.rules makes it leave programming cables alone (see "
     "Connecting the cable in the manual)",
     "ModemManager（PID %2）正在探测刚插入的适配器是否为调制解调器；请等待半分钟后重试。udev 规则 "
     "60-radio-programmer.rules 可让它不再占用编程线（见帮助中的“连接编程线”）"},
    {CoreText::PortAdviceLeftExclusive,
     "the port was left in exclusive mode by a program that has ended (one killed before it could close "
     "the port), or a program of another user holds it: no running program that can be seen has it "
     "open. Unplugging the adapter and plugging it back in clears the mode; for a pseudo-terminal, "
     "restart the program that holds its other side",
     "此端口被一个已结束的程序（在关闭端口之前被强行终止）留在了独占模式，或者被其他用户的程序占用："
     "找不到打开它的正在运行的程序。拔下适配器再重新插入即可清除独占模式；如果是伪终端，请重新启动占用其另一"
     "端的程序"},
    {CoreText::PortAdviceLeftExclusivePty,
     "the port was left in exclusive mode by a program that has ended (one killed before it could close "
     "the port); no running program uses it, but %1 (PID %2) holds the other side of this "
     "pseudo-terminal and so keeps the mode: restart %1 to clear it (it then makes a new port)",
     "此端口被一个已结束的程序（在关闭端口之前被强行终止）留在了独占模式；没有正在运行的程序使用它，"
     "但 %1（PID %2）占用着此伪终端的另一端，独占模式因而保留：请重新启动 %1 以清除它（它会创建新的端口）"},
    {CoreText::PortAdviceNotFound, "is the cable plugged in?", "编程线是否已插好？"},
    {CoreText::PortAdviceNotSerial, "this is not a serial port", "这不是串口"},
    {CoreText::AdapterAdviceBrltty,
     "The USB serial adapter %1 is plugged in but has no serial port: brltty, the braille display "
     "service, has taken it. If no braille display is used here, remove it (sudo apt remove brltty) or "
     "switch it off (sudo systemctl mask brltty-udev.service brltty.service, then sudo systemctl stop "
     "brltty.service), and plug the cable in again.",
     "USB 串口适配器 %1 已插入，但没有串口设备：盲文显示服务 brltty 占用了它。如果本机不使用盲文显示器，"
     "请卸载它（sudo apt remove brltty）或将其停用（sudo systemctl mask brltty-udev.service "
     "brltty.service，然后 sudo systemctl stop brltty.service），再重新插入编程线。"},
    {CoreText::AdapterAdviceNoTty,
     "The USB serial adapter %1 is plugged in but has no serial port: unplug it and plug it back in; if "
     "it stays so, the kernel lacks its driver (%2).",
     "USB 串口适配器 %1 "
     "已插入，但没有串口设备：请拔下后重新插入；如果仍然如此，说明内核缺少它的驱动（%2）。"},
    {CoreText::CompareAdded, "added", "新增"},
    {CoreText::CompareRemoved, "removed", "删除"},
    {CoreText::CompareReservedRows, "Rows 51 to 63 (kept only in the file)",
     "第 51 至 63 行（只保存在文件中）"},
    {CoreText::CompareDiffer, "differ", "不同"},
    {CoreText::CompareEmpty, "(empty)", "（空）"},
    {CoreText::CompareOtherBytes, "Other bytes", "其他字节"},
    {CoreText::FleetWrittenOne, "written, 1 change", "已写入，1 处更改"},
    {CoreText::FleetWritten, "written, %1 changes", "已写入，%1 处更改"},
    {CoreText::FleetUpToDate, "already up to date", "已是最新"},
    {CoreText::FleetDriftedOne, "drifted, 1 change", "有偏差，1 处更改"},
    {CoreText::FleetDrifted, "drifted, %1 changes", "有偏差，%1 处更改"},
    {CoreText::FleetInStep, "in step", "一致"},
    {CoreText::FleetNoRadio, "no radio", "无对讲机"},
    {CoreText::FleetFailedBackup, "failed while backing up: %1", "备份时失败：%1"},
    {CoreText::FleetFailedWrite, "failed while writing: %1", "写入时失败：%1"},
    {CoreText::FleetFailedVerify, "failed while verifying: %1", "校验时失败：%1"},
    {CoreText::FleetFailedRead, "failed while reading: %1", "读取时失败：%1"},
    {CoreText::FleetOtherIdentity, "another model: %1", "其他型号：%1"},
    {CoreText::FleetIdentityDiffers,
     "the radio identifies itself as %1, the first radio of this session as %2; another model may have "
     "another memory layout, so nothing was written",
     "该对讲机的识别码为 %1，本次第一台对讲机的识别码为 "
     "%2；其他型号的存储布局可能不同，因此没有写入任何数据"},
    {CoreText::CheckTooWide,
     "CH %1, %2: %3 MHz is a %4 frequency, and %4 allows only narrow (12.5 kHz): set Narrow.",
     "信道 %1，%2：%3 MHz 是 %4 频率，%4 只允许窄带 (12.5 kHz)：请设为窄。"},
    {CoreText::CheckHighPower,
     "CH %1, %2: %3 MHz is a %4 frequency, limited to %5, and such radios give more on High: set Low. The "
     "program "
     "cannot know the radio's watts: check the radio's Low power against %5.",
     "信道 %1，%2：%3 MHz 是 %4 频率，限 "
     "%5，而此类对讲机的高功率超过此限：请设为低。本软件无法得知对讲机的实际功率："
     "请核对对讲机的低功率是否不超过 %5。"},
    {CoreText::CheckMixedServices,
     "CH %1, %2: the receive frequency is %3 and the transmit frequency %4: set both on one service.",
     "信道 %1，%2：接收频率属于 %3，发射频率属于 %4：请把两者设在同一业务上。"},
    {CoreText::CheckTransmitNoPlan,
     "CH %1, %2: the receive frequency is %3, but the transmit frequency %4 MHz is in no plan: check the "
     "transmit "
     "frequency.",
     "信道 %1，%2：接收频率属于 %3，但发射频率 %4 MHz 不在任何频率方案中：请检查发射频率。"},
    {CoreText::CheckDecodeOnly,
     "CH %1, %2: a decode tone without an encode tone: you will hear them, they may not hear you. Set the "
     "same "
     "encode tone, or none.",
     "信道 %1，%2：有解码亚音而无编码亚音：你能听到对方，对方可能听不到你。请设相同的编码亚音，或都不设。"},
    {CoreText::CheckEncodeOnly,
     "CH %1, %2: an encode tone without a decode tone: they will hear you, you will hear everyone on the "
     "frequency. Set the same decode tone, or none.",
     "信道 "
     "%1，%"
     "2：有编码亚音而无解码亚音：对方能听到你，你会听到此频率上的所有人。请设相同的解码亚音，或都不设。"},
    {CoreText::CheckDuplicate,
     "CH %1, %2: the same as channel %3 in every field: change or delete one of them.",
     "信道 %1，%2：与信道 %3 的每一项都相同：请修改或删除其中一个。"},
    {CoreText::CheckPriorityEmpty,
     "%2: channel %1 is the priority channel but is empty: choose a channel in use, or Off.",
     "%2：信道 %1 是优先信道，但它是空的：请选择一个在用的信道，或关闭。"},
    {CoreText::CheckPriorityNotScanned,
     "%2: channel %1 is the priority channel but is not in the scan list: set its Scan to Yes.",
     "%2：信道 %1 是优先信道，但不在扫描列表中：请把它的扫描设为是。"},
    {CoreText::CheckNoFindings, "no findings", "没有发现问题"},
    {CoreText::PlanName, "Name", "名称"},
    {CoreText::PlanRegion, "Region", "地区"},
    {CoreText::PlanService, "Service", "业务"},
    {CoreText::PlanChannels, "Channels", "信道数"},
    {CoreText::PlanLicence, "Licence", "需要执照"},
    {CoreText::PlanOrigin, "Origin", "来源"},
    {CoreText::PlanRule, "Rule", "规定"},
    {CoreText::PlanSource, "Source", "出处"},
    {CoreText::PlanUnconfirmed, "Unconfirmed", "未经核实"},
    {CoreText::PlanRow, "Row", "行"},
    {CoreText::PlanRx, "Rx", "接收"},
    {CoreText::PlanTx, "Tx", "发射"},
    {CoreText::PlanRxTone, "Rx tone", "接收亚音"},
    {CoreText::PlanTxTone, "Tx tone", "发射亚音"},
    {CoreText::PlanBandwidth, "Bandwidth", "带宽"},
    {CoreText::PlanPowerLimit, "Power limit", "功率限值"},
    {CoreText::PlanBuiltIn, "built-in", "内置"},
    {CoreText::PlanUser, "user", "用户"},
    {CoreText::PlanYes, "yes", "是"},
    {CoreText::PlanNo, "no", "否"},
    {CoreText::PlanUnknown, "unknown", "未知"},
    {CoreText::PlanNeeded, "needed", "需要"},
    {CoreText::PlanNotNeeded, "not needed", "不需要"},
    {CoreText::PlanNotStated, "not stated", "未说明"},
    {CoreText::PlanNarrow, "narrow", "窄"},
    {CoreText::PlanWide, "wide", "宽"},
};

constexpr bool inEnumOrder() {
    for (size_t i = 0; i < std::size(kTexts); ++i) {
        if (static_cast<size_t>(kTexts[i].id) != i) {
            return false;
        }
    }
    return static_cast<size_t>(CoreText::PlanWide) + 1 == std::size(kTexts);
}
static_assert(inEnumOrder(), "kTexts must list every CoreText once, in enum order");

} // namespace

const char* coreText(CoreText id, Language language) {
    const size_t index = static_cast<size_t>(id);
    if (index >= std::size(kTexts)) {
        return "";
    }
    return language == Language::Chinese ? kTexts[index].chinese : kTexts[index].english;
}

std::string coreText(CoreText id, Language language, const std::string& argument) {
    std::string text = coreText(id, language);
    const size_t at = text.find("%1");
    if (at != std::string::npos) {
        text.replace(at, 2, argument);
    }
    return text;
}

std::string coreText(CoreText id, Language language, const std::string& first, const std::string& second) {
    // Each marker is found in the text itself, never in what replaced the other: the later one
    // is replaced first, so the position of the earlier one still holds.
    std::string text = coreText(id, language);
    std::pair<size_t, const std::string*> markers[] = {{text.find("%1"), &first}, {text.find("%2"), &second}};
    if (markers[0].first != std::string::npos && markers[1].first != std::string::npos &&
        markers[0].first < markers[1].first) {
        std::swap(markers[0], markers[1]);
    }
    for (const auto& [at, value] : markers) {
        if (at != std::string::npos) {
            text.replace(at, 2, *value);
        }
    }
    return text;
}

std::string coreTextWith(CoreText id, Language language, std::initializer_list<std::string_view> arguments) {
    const std::string_view text = coreText(id, language);
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            const size_t n = static_cast<size_t>(text[i + 1] - '1');
            if (n < arguments.size()) {
                out += *(arguments.begin() + n);
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}
