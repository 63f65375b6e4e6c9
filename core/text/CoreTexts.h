#pragma once

#include "text/CoreTexts.h"
#include <initializer_list>
#include <string>
#include <string_view>

// The language a text is chosen in. The desktop program and radioprog decide it once, from
// Program.ini's [Setup] Language (exactly "Chinese" selects Chinese), or from --language.
enum class Language { English, Chinese };

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
    // The band a refused frequency was checked against; %1: BandRange.
    BandIs,
    NoBand,
    BandRange,  // %1 and %2: the band's edges in MHz
    ChooseBand, // where to choose a band, after NoBand
    // Before a write: %1 the channel numbers, %2 BandRange or NoBand.
    ChannelOutsideBand,
    ChannelsOutsideBand,
    NoChannelInUse,
    // A bandwidth, scan, busy lock or power chosen for a channel with one frequency.
    ChannelNotInUse,
    DataFormatError,
    PortOpenFailed,
    CommunicationError,
    WrongRadio,
    ProgramInterrupt,
    Caution,
    // Why a row of a channel list cannot be imported. Column names and the values of the file
    // stay as the file has them; %1.. are filled in by coreTextWith.
    CsvUnclosedQuote,
    CsvNoHeader,
    CsvNotHeader,
    CsvMissingColumn,     // %1: the column
    CsvShortRow,          // %1: fields of the row, %2: columns of the header
    CsvLocationNotNumber, // %1: the quoted value
    CsvLocationPast,      // %1: the value, %2: channels, %3 and %4: the first and last Location
    CsvLocationTwice,     // %1: the value, %2: the other line
    CsvLandsPast,         // %1: the Location, %2: the last channel
    CsvPriorityTwice,     // %1: the line that set it first
    CsvFrequencyEmpty,
    CsvNotMegahertz,   // %1: the column, %2: the quoted value
    CsvNotTenHertz,    // %1: the column, %2: the value
    CsvOutOfRange,     // what CsvRefusedInBand says about a frequency outside the band
    CsvOffStep,        // ... and about one off the 5 / 6.25 kHz step
    CsvRefusedInBand,  // %1: what, %2: why, %3 and %4: the band's limits in MHz
    CsvRefusedNoBand,  // %1: what, %2: why
    CsvTransmitOffset, // %1: Duplex, %2: Offset
    CsvTransmitAt,     // %1: the frequency, %2: Duplex, %3: Offset
    CsvSplitOffset,    // %1: Offset
    CsvDuplexOff,
    CsvDuplexUnknown, // %1: the quoted value
    CsvNotToneHz,     // %1: the column, %2: the quoted value
    CsvToneTenths,    // %1: the column, %2: the value
    CsvToneRange,     // %1: the column, %2: the value
    CsvToneNotInList, // %1: the column, %2: the value
    CsvNotDcs,        // %1: the column, %2: the quoted value
    CsvDcsUnknown,    // %1: the column, %2: the value
    CsvDcsNotInList,  // %1: the column, %2: the value
    CsvPolarity,      // %1: the quoted value
    CsvCrossMode,     // %1: the quoted value
    CsvToneMode,      // %1: the quoted value
    CsvMode,          // %1: the quoted value
    CsvSkip,          // %1: the quoted value
    CsvPower,         // %1: the quoted value
    CsvBusyLock,      // %1: the quoted value
    // What was seen on the line and what to try, after a transfer message; "%1" is a number.
    AdviceNoAnswer,
    AdviceUnexpectedBytes,
    AdviceFrameBroken, // %1: the row, 0 to 50
    // Transfer jobs: a write with its backup before and its verify after.
    VerifyMismatch, // %1: where it differs, as the texts below name a place of the image
    // Places of the image, as the grid and the option dialog name them.
    ChannelField,  // %1: a grid heading, %2: the channel number
    ChannelRecord, // %1: the channel number
    RadioWideOptions,
    RadioWideOption, // %1: the option's label
    TypeAndBand,
    BackupFailed,
    HalfWritten,
    AlreadyHeld,     // the backup showed the radio holds the image: nothing written
    ChangedFellBack, // writing only the changed frames did not work; the whole memory was written
    // A job the user cancelled, by the stage it was in.
    CancelledBackup,
    CancelledWriteUnsent,
    CancelledWrite,
    CancelledVerify,
    BackupKept,      // %1: the history entry's id
    HistoryNotSaved, // %1: the reason
    StageBackup,
    StageWrite,
    StageVerify,
    StageRead,
    // Kinds of history entries.
    HistoryRead,
    HistoryBeforeWrite,
    HistoryWritten,
    // What blocks a serial port and what to do; they follow the system's reason after "; ".
    // %1: the command, %2: its PID.
    PortAdviceDialout,
    PortAdviceBusy,
    PortAdviceBusyBy,
    PortAdviceModemManager,
    PortAdviceLeftExclusive,
    PortAdviceLeftExclusivePty, // %1: the command on the other side, %2: its PID
    PortAdviceNotFound,
    PortAdviceNotSerial,
    // A USB serial adapter without a tty; %1: its description, %2: its kernel driver.
    AdapterAdviceBrltty,
    AdapterAdviceNoTty,
    // The differences of two images, one line each: "CH 5  added  146.52000".
    CompareAdded,
    CompareRemoved,
    CompareReservedRows, // rows 51 to 63, which never travel
    CompareDiffer,
    CompareEmpty,      // a value with no text
    CompareOtherBytes, // bytes no field or option names
    // What became of a radio of a fleet session, one line each; %1: how many differences.
    FleetWrittenOne,
    FleetWritten,
    FleetUpToDate,
    FleetDriftedOne,
    FleetDrifted,
    FleetInStep,
    FleetNoRadio,
    // %1: the reason, one line.
    FleetFailedBackup,
    FleetFailedWrite,
    FleetFailedVerify,
    FleetFailedRead,
    FleetOtherIdentity,
    // %1: this radio's identification, %2: that of the session's first radio.
    FleetIdentityDiffers,
    // The channel check's findings, one line each: "CH 3, W/N: ..." (%1 the channel, %2 the
    // field's heading, then as listed).
    CheckTooWide,        // %3 the frequency in MHz, %4 the service
    CheckHighPower,      // %3 the frequency, %4 the service, %5 its limit ("0.5 W ERP")
    CheckMixedServices,  // %3 the receive frequency's services, %4 the transmit frequency's
    CheckTransmitNoPlan, // %3 the receive frequency's services, %4 the transmit frequency
    CheckDecodeOnly,     // a decode tone without an encode tone
    CheckEncodeOnly,     // an encode tone without a decode tone
    CheckDuplicate,      // %3 the channel it repeats
    CheckPriorityEmpty,  // %1 the priority channel, %2 the option's label
    CheckPriorityNotScanned,
    CheckNoFindings, // the check found nothing
    // Channel plans as radioprog lists and shows them: the headings and labels (a label's colon
    // is added in the language's own form), then the words under them.
    PlanName,
    PlanRegion,
    PlanService,
    PlanChannels,
    PlanLicence,
    PlanOrigin,
    PlanRule,
    PlanSource,
    PlanUnconfirmed,
    PlanRow,
    PlanRx,
    PlanTx,
    PlanRxTone,
    PlanTxTone,
    PlanBandwidth,
    PlanPowerLimit,
    PlanBuiltIn,
    PlanUser,
    PlanYes,
    PlanNo,
    PlanUnknown,
    PlanNeeded,
    PlanNotNeeded,
    PlanNotStated,
    PlanNarrow,
    PlanWide,
};

// The text in the chosen language; UTF-8.
const char* coreText(CoreText id, Language language);
// The text with its "%1" replaced by `argument`.
std::string coreText(CoreText id, Language language, const std::string& argument);
// The text with its "%1" and "%2" replaced.
std::string coreText(CoreText id, Language language, const std::string& first, const std::string& second);
// The text with every "%1" .. "%9" replaced by the argument of that number, in one pass: what
// an argument brings in is never replaced again.
std::string coreTextWith(CoreText id, Language language, std::initializer_list<std::string_view> arguments);
