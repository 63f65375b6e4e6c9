#pragma once

// Command and control ids. Each is also a help context: F1 on a menu entry opens the help page at
// the entry's command id, F1 in a dialog at the id of the dialog or of its focused control, and
// the help pages carry an anchor named after each of them.
namespace id {

// File
constexpr int kFileNew = 57600;
constexpr int kFileOpen = 57601;
constexpr int kFileClose = 57602;
constexpr int kFileSave = 57603;
constexpr int kFileSaveAs = 57604;
constexpr int kFilePrintSetup = 57606;
constexpr int kFilePrint = 57607;
constexpr int kFilePrintPreview = 57609;
constexpr int kAppExit = 57665;
constexpr int kImportChannels = 32808;
constexpr int kExportChannels = 32809;
constexpr int kCompareWithFile = 32812;
// Edit
constexpr int kEditUndo = 57643;
constexpr int kEditRedo = 57644;
constexpr int kEditClear = 57632;
constexpr int kEditCut = 57635;
constexpr int kEditCopy = 57634;
constexpr int kEditSelectAll = 57642;
constexpr int kEditPaste = 57637;
constexpr int kInsertChannel = 32804;
constexpr int kDeleteChannel = 32805;
constexpr int kMoveChannelUp = 32806;
constexpr int kMoveChannelDown = 32807;
constexpr int kFillDown = 32810;
// The three pages of the navigation tree, also in the Edit menu
constexpr int kProductInformation = 32786;
constexpr int kChannelInformation = 32787;
constexpr int kOptionalFeatures = 32788;
// The channel plans and the channel check, in the Edit menu after the pages
constexpr int kChannelPlans = 32816;
constexpr int kCheckChannels = 32817;
// Program
constexpr int kRead = 32773;
constexpr int kWrite = 32774;
constexpr int kRadioHistory = 32800;
constexpr int kSaveLog = 32801;
constexpr int kCompareWithRadio = 32811;
constexpr int kProgramSeveralRadios = 32815;
// View
constexpr int kViewToolbar = 59392;
constexpr int kViewStatusBar = 59393;
constexpr int kControlBar = 32780;
// Setup
constexpr int kComSetup = 32777;
constexpr int kLanguage = 32799;
constexpr int kBackupBeforeWrite = 32802;
constexpr int kVerifyAfterWrite = 32803;
constexpr int kShowChangesBeforeWriting = 32813;
constexpr int kWriteOnlyChangedRows = 32814;
// Window: its arrangements, the next and previous document, and the list of documents (every
// entry of the list has the same id)
constexpr int kWindowCascade = 57650;
constexpr int kWindowTile = 57651;
constexpr int kNextWindow = 61504;
constexpr int kPrevWindow = 61520;
constexpr int kWindowDocument = 65280;
// Help
constexpr int kAppAbout = 57664;
constexpr int kHelpContents = 57667;
// Accelerators without a menu entry
constexpr int kNextPane = 57680;
constexpr int kPrevPane = 57681;

// Windows: F1 with no menu open gives 0x10000 plus the resource of the window, 128 for the main
// window and 129 for a document window.
constexpr int kHelpMainFrame = 0x10000 + 128;
constexpr int kHelpDocumentFrame = 0x10000 + 129;

// Controls
constexpr int kViewCaption = 1006;
constexpr int kNavigationTree = 1031;
constexpr int kNavigationBar = 100;
constexpr int kAboutVersion = 1002;
constexpr int kAboutCopyrights = 1003;
constexpr int kAboutOwner = 1004;
constexpr int kAboutIcon = 1005;
constexpr int kLanguageEnglish = 1006;
constexpr int kLanguageChinese = 1007;

} // namespace id

// Name of the dynamic property that holds the help context id of a control or window (the same
// property HelpDialog reads).
constexpr const char* kHelpIdProperty = "controlId";
