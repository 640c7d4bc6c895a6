#pragma once

// The entry numbers of the language file's texts that the program reads by number, one
// list per section, so that the editor, its tools and dolmex-cli read the same entries.

namespace dolmex {

// CAPTIONS: entries 1 to 10 are kept as a table, the renumbering window's captions; the
// other entries set controls by name.
namespace captions {
inline constexpr int kRenumberWindow = 1;
inline constexpr int kNumberingGroup = 2;
inline constexpr int kContinuous = 3;
inline constexpr int kInBlocks = 4;
inline constexpr int kBlockSize = 5;
inline constexpr int kStep = 6;
inline constexpr int kRewriteGroup = 7;
inline constexpr int kRewriteGenerated = 8;
inline constexpr int kRewriteResults = 9;
inline constexpr int kListQuests = 10;
inline constexpr int kFirstTableEntry = kRenumberWindow;
inline constexpr int kLastTableEntry = kListQuests;
} // namespace captions

// MAINDESCRIPTION: words of the description panel, the status bar, the reports, the hints
// and the main window's notes.
namespace md {
// The heading of a line, as in "Line 12 - spoken by Player (any gender) min. intelligence 5".
inline constexpr int kLine = 0;
inline constexpr int kSpeaker = 1;
inline constexpr int kIntelligence = 2;
// Headings, text labels and the response.
inline constexpr int kTestsHeading = 3;
inline constexpr int kResultsHeading = 4;
inline constexpr int kNpcText = 5;
inline constexpr int kOtherGenderText = 6;
inline constexpr int kResponse = 7;
inline constexpr int kNegativeResponse = 8;
inline constexpr int kResponseZero = 9;
// Exactly two words: they start every jump entry of the navigation list.
inline constexpr int kTargetLine = 10;
inline constexpr int kGeneratedHeading = 11;
inline constexpr int kArgumentsHeading = 12;
inline constexpr int kUnknownValue = 13;
inline constexpr int kLineCount = 14;
// The buffer hints; kEmpty also heads an empty line's description.
inline constexpr int kBufferContents = 15;
inline constexpr int kEmpty = 16;
inline constexpr int kBuffer = 17;
// The renumbering report and its window's captions.
inline constexpr int kUnresolvedWarning = 18;
inline constexpr int kUnresolvedHeading = 19;
inline constexpr int kReferenceIn = 20;
inline constexpr int kToMissingLine = 21;
inline constexpr int kReportRunningCaption = 22;
inline constexpr int kReportFirstHeading = 23;
inline constexpr int kNumberingHeading = 24;
inline constexpr int kLastNumber = 25;
inline constexpr int kRewritingHeading = 26;
inline constexpr int kGeneratedLabel = 27;
inline constexpr int kResultLabel = 28;
inline constexpr int kQuestHeading = 29;
inline constexpr int kQuestInLine = 30;
inline constexpr int kReportFinishedCaption = 31;
inline constexpr int kReportClosing = 32;
// Texts found in the game's message files: a suffix, then one heading per message kind
// from kFirstMessageHeading on.
inline constexpr int kMessageSuffix = 33;
inline constexpr int kFirstMessageHeading = 34;
// The status bar.
inline constexpr int kNpcComment = 43;
inline constexpr int kPlayerComment = 44;
inline constexpr int kNoComment = 45;
// The shell command that opens a .dlg file.
inline constexpr int kOpenWithCommand = 46;
// Typed text holding a character a dialog file cannot store.
inline constexpr int kUnencodable = 47;
// Passing notes and questions of the main window.
inline constexpr int kSaved = 48;
inline constexpr int kLoadNotes = 49;
inline constexpr int kNotADialog = 50;
inline constexpr int kRestoreQuestion = 51;
inline constexpr int kRecoveryFailed = 52;
// Going to a line by its number: the warning, the box's caption and its label.
inline constexpr int kNoLineNumbered = 53;
inline constexpr int kGoToCaption = 54;
inline constexpr int kGoToLabel = 55;
// The kind of a reference made by a line's response, in the list of lines naming one.
inline constexpr int kResponseReference = 56;
// The find bar: its labels and buttons, its notes and hints.
inline constexpr int kFindLabel = 57;
inline constexpr int kReplaceLabel = 58;
inline constexpr int kMatchCase = 59;
inline constexpr int kWholeWords = 60;
inline constexpr int kRegularExpression = 61;
inline constexpr int kColumns = 62;
inline constexpr int kReplaceButton = 63;
inline constexpr int kReplaceAllButton = 64;
inline constexpr int kMatchOfCount = 65;
inline constexpr int kNoMatches = 66;
inline constexpr int kWrappedToTop = 67;
inline constexpr int kWrappedToBottom = 68;
inline constexpr int kReplacedCount = 69;
inline constexpr int kCloseFindHint = 70;
inline constexpr int kFindNextHint = 71;
inline constexpr int kFindPreviousHint = 72;
// The names of the eight columns, number to comment.
inline constexpr int kFirstColumnName = 73;
inline constexpr int kUnstorableReplacement = 81;
inline constexpr int kInvalidPattern = 82;
// The map of the dialog: its dock, tool bar and legend, the marks it draws, the export's
// file kinds.
inline constexpr int kMapTitle = 83;
inline constexpr int kMapNeighbourhood = 84;
inline constexpr int kMapStepsHint = 85;
inline constexpr int kMapZoomIn = 86;
inline constexpr int kMapZoomOut = 87;
inline constexpr int kMapFit = 88;
inline constexpr int kMapLegend = 89;
inline constexpr int kMapResponse = 90;
inline constexpr int kMapJump = 91;
inline constexpr int kMapGenerated = 92;
inline constexpr int kMapEnd = 93;
inline constexpr int kMapNextTalk = 94;
inline constexpr int kMapDangling = 95;
inline constexpr int kMapUnreachable = 96;
inline constexpr int kMapTests = 97;
inline constexpr int kMapCondition = 98;
inline constexpr int kMapCurrent = 99;
inline constexpr int kMapSvgFilter = 100;
inline constexpr int kMapPngFilter = 101;
// The files opened last, and the open file changed by another program (%1: the file).
inline constexpr int kClearRecentFiles = 102;
inline constexpr int kRecentFileMissing = 103;
inline constexpr int kChangedOnDisk = 104;
inline constexpr int kReloadQuestion = 105;
inline constexpr int kReloadLosingChanges = 106;
inline constexpr int kRemovedFromDisk = 107;
// Find in module: its dock, button, headings and notes (%1, %2: counts).
inline constexpr int kModuleFindTitle = 108;
inline constexpr int kModuleFindButton = 109;
inline constexpr int kModuleFindFile = 110;
inline constexpr int kModuleFindRow = 111;
inline constexpr int kModuleFindColumn = 112;
inline constexpr int kModuleFindSearching = 113;
inline constexpr int kModuleFindFound = 114;
inline constexpr int kModuleFindUnreadable = 115;
inline constexpr int kModuleFindNoModule = 116;
// The module panel: its title, filter box and column titles, the line under the list, the
// words before why a file cannot be read (%1, %2: counts; %1 in the last: the reason).
inline constexpr int kModuleTitle = 117;
inline constexpr int kModuleFilter = 118;
inline constexpr int kModuleNumber = 119;
inline constexpr int kModuleName = 120;
inline constexpr int kModuleLines = 121;
inline constexpr int kModuleProblems = 122;
inline constexpr int kModuleReading = 123;
inline constexpr int kModuleCount = 124;
inline constexpr int kModuleEmpty = 125;
inline constexpr int kModuleNone = 126;
inline constexpr int kModuleUnreadable = 127;
inline constexpr int kLastMainDescription = 127;
} // namespace md

// PLAYER: who speaks a line.
namespace player {
inline constexpr int kNpc = 0;
inline constexpr int kPc = 1;
} // namespace player

// GENDER: the gender condition of a player line (empty, 0, 1), then the wizard's list.
namespace gender {
inline constexpr int kAnyCondition = 0;
inline constexpr int kWizardAny = 3;
inline constexpr int kWizardMale = 4;
inline constexpr int kWizardFemale = 5;
} // namespace gender

// IN: the intelligence condition, at most or at least.
namespace in {
inline constexpr int kAtMost = 0;
inline constexpr int kAtLeast = 1;
} // namespace in

// GREETINGTESTS: conditions 0 to kLastCondition, then the words of a greeting list line.
namespace greeting {
inline constexpr int kLastCondition = 9;
inline constexpr int kFloatingText = 10;
inline constexpr int kGoToLine = 11;
inline constexpr int kNoDialog = 12;
inline constexpr int kIf = 13;
} // namespace greeting

// The last entry of each name table that a line's text may name; a number past it reads
// as MAINDESCRIPTION's md::kUnknownValue. Spells are named 1 to kSpellCount.
namespace names {
inline constexpr int kLastCollege = 16;
inline constexpr int kLastDegree = 3;
inline constexpr int kLastQuest = 6;
inline constexpr int kLastRace = 11;
inline constexpr int kLastSkill = 15;
inline constexpr int kSpellCount = 80;
} // namespace names

// PLAY: the play window's captions, then the words of a played conversation's transcript
// (%1, %2: what they name).
namespace playtext {
inline constexpr int kCaption = 0;
inline constexpr int kCharacter = 1;
inline constexpr int kGender = 2;
inline constexpr int kMale = 3;
inline constexpr int kFemale = 4;
inline constexpr int kIntelligence = 5;
inline constexpr int kAnswers = 6;
inline constexpr int kShowHidden = 7;
inline constexpr int kBack = 8;
inline constexpr int kRestart = 9;
inline constexpr int kTranscript = 10;
inline constexpr int kFailingTests = 11;
inline constexpr int kAllTestsFail = 12;
inline constexpr int kCharacterLine = 13;
inline constexpr int kNpcLine = 14;
inline constexpr int kAnswersHeading = 15;
inline constexpr int kHiddenHeading = 16;
inline constexpr int kWaysOnHeading = 17;
inline constexpr int kChosen = 18;
inline constexpr int kMaleCharacter = 19;
inline constexpr int kFemaleCharacter = 20;
inline constexpr int kFromResponse = 21;
inline constexpr int kFromGeneratedText = 22;
inline constexpr int kFromResult = 23;
inline constexpr int kFromNextTalk = 24;
inline constexpr int kWayOn = 25;
inline constexpr int kAssumedToPass = 26;
inline constexpr int kSetToFail = 27;
inline constexpr int kUnknownGender = 28;
inline constexpr int kIntelligenceNotNumber = 29;
inline constexpr int kTestFails = 30;
inline constexpr int kNoSuchLine = 31;
inline constexpr int kPlayerLineTarget = 32;
inline constexpr int kNoAnswers = 33;
inline constexpr int kNoChoosableAnswer = 34;
inline constexpr int kNoResponse = 35;
inline constexpr int kStepLimit = 36;
inline constexpr int kWaysOn = 37;
inline constexpr int kLastEntry = 37;
} // namespace playtext

// EDITMENU: the undo commands and the names of undoable steps.
enum EditMenuEntry : int {
    kUndo = 0,
    kRedo,
    kStepEditCell,
    kStepAppendLine,
    kStepInsertLine,
    kStepDeleteLines,
    kStepCopyTextToGender,
    kStepCopyGenderToText,
    kStepMoveUp,
    kStepMoveDown,
    kStepCutLines,
    kStepCutAndAppendLines,
    kStepPasteLines,
    kStepNumberBlock,
    kStepSeparatorLines,
    kStepDeleteEmptyLines,
    kStepClearComments,
    kStepRenumber,
    kStepSetResponse,
    kStepWizardApply,
    kStepChangeLines,
    kStepReplace,
    kStepReplaceAll,
    kEditMenuEntries
};

} // namespace dolmex
