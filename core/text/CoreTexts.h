#pragma once

// The texts core hands to the user interfaces, in English and Chinese (UTF-8), kept once: the
// grid's headings and list items, the option labels and items, the printed report's labels,
// and the messages core returns. Where two places show the same label, they show the same
// Chinese text.
enum class CoreText {
    // Grid headings, in column order.
    HeadingChannel,
    HeadingRxFrequency,
    HeadingTxFrequency,
    HeadingRxTone,
    HeadingTxTone,
    HeadingWidth,
    HeadingScan,
    HeadingBusyLock,
    HeadingPower,
    // Channel list items.
    Wide,
    Narrow,
    Yes,
    No,
    Off,
    Carrier,
    ToneLock,
    High,
    Low,
    NoTone,
    On,
    // Option labels, without a unit or a colon.
    TimeOutTime,
    SquelchLevel,
    PriorityChannel,
    VoiceAnnunciation,
    MonitorKey,
    Vox,
    VoxGainLevel,
    VoxDelayTime,
    Beep,
    BatterySaver,
    SecondsUnit, // follows a label whose values are seconds: "Time Out Time (s)"
    // Option items.
    VoiceChinese,
    VoiceEnglish,
    MonitorNone,
    Monitor,
    MonitorMomentary,
    // The printed report.
    ReportOptionTitle,
    ReportFunction,
    ReportChannelTitle,
    ReportVoiceLabel, // the report's own spelling of the voice label
    ReportRxFrequency,
    ReportTxFrequency,
    ReportRxTone,
    ReportTxTone,
    // Image descriptions.
    RadioType,
    Band,
    NotInProgramIni,
    // The main window's caption: "<product>  [ Type:<type>  Fre:<band> ]".
    CaptionType,
    CaptionBand,
    // Messages.
    OutOfRange,
    OffStep,
    DataFormatError,
    PortOpenFailed,
    CommunicationError,
    WrongRadio,
    ProgramInterrupt,
    Caution,
};

// The text in the chosen language; UTF-8.
const char* coreText(CoreText id, bool chinese);
