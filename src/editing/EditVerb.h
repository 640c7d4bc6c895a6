#pragma once

#include <span>
#include <string_view>

namespace dolmex {

// Every kind of change a user makes to the dialog. Each is one undo step.
enum class EditVerb {
    EditCell,
    AppendLine,
    InsertLine,
    DeleteLines,
    CopyTextToGender,
    CopyGenderToText,
    MoveUp,
    MoveDown,
    CutLines,
    CutAndAppendLines,
    PasteLines,
    NumberBlock,
    SeparatorLines,
    DeleteEmptyLines,
    ClearComments,
    Renumber,
    SetResponse,
    WizardApply,
    Replace,
    ReplaceAll,
    RestoreRecovery,
    ChangeLines,
};

// When a verb marks the document modified.
enum class ModifiedRule {
    WhenChanged, // only when the store actually changed
    WhenRun,     // whenever the command ran (see EditSession::perform), changed or not
};

struct EditVerbInfo {
    EditVerb verb;
    std::string_view name; // for logs and tests; users see the step entry's text
    int stepEntry;         // entry of the EDITMENU section that names the undo step
    ModifiedRule modified;
};

// The one table of verbs, in the order of the enum.
std::span<const EditVerbInfo> EditVerbs();
const EditVerbInfo& VerbInfo(EditVerb verb);

} // namespace dolmex
