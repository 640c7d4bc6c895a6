#include "EditVerb.h"

#include "lang/LanguageTables.h"

#include <array>

namespace dolmex {

namespace {

using enum ModifiedRule;

constexpr std::array kVerbs{
    EditVerbInfo{EditVerb::EditCell, "EditCell", kStepEditCell, WhenChanged},
    EditVerbInfo{EditVerb::AppendLine, "AppendLine", kStepAppendLine, WhenChanged},
    EditVerbInfo{EditVerb::InsertLine, "InsertLine", kStepInsertLine, WhenChanged},
    EditVerbInfo{EditVerb::DeleteLines, "DeleteLines", kStepDeleteLines, WhenChanged},
    EditVerbInfo{EditVerb::CopyTextToGender, "CopyTextToGender", kStepCopyTextToGender,
                 WhenChanged},
    EditVerbInfo{EditVerb::CopyGenderToText, "CopyGenderToText", kStepCopyGenderToText,
                 WhenChanged},
    EditVerbInfo{EditVerb::MoveUp, "MoveUp", kStepMoveUp, WhenChanged},
    EditVerbInfo{EditVerb::MoveDown, "MoveDown", kStepMoveDown, WhenChanged},
    EditVerbInfo{EditVerb::CutLines, "CutLines", kStepCutLines, WhenChanged},
    EditVerbInfo{EditVerb::CutAndAppendLines, "CutAndAppendLines", kStepCutAndAppendLines,
                 WhenChanged},
    EditVerbInfo{EditVerb::PasteLines, "PasteLines", kStepPasteLines, WhenChanged},
    EditVerbInfo{EditVerb::NumberBlock, "NumberBlock", kStepNumberBlock, WhenChanged},
    EditVerbInfo{EditVerb::SeparatorLines, "SeparatorLines", kStepSeparatorLines, WhenChanged},
    EditVerbInfo{EditVerb::DeleteEmptyLines, "DeleteEmptyLines", kStepDeleteEmptyLines,
                 WhenChanged},
    // Clearing comments and a renumbering that ran mark the dialog even when every cell stays.
    EditVerbInfo{EditVerb::ClearComments, "ClearComments", kStepClearComments, WhenRun},
    EditVerbInfo{EditVerb::Renumber, "Renumber", kStepRenumber, WhenRun},
    EditVerbInfo{EditVerb::SetResponse, "SetResponse", kStepSetResponse, WhenChanged},
    // An apply writes the wizard's row back whether or not anything in it was changed.
    EditVerbInfo{EditVerb::WizardApply, "WizardApply", kStepWizardApply, WhenRun},
    EditVerbInfo{EditVerb::Replace, "Replace", kStepReplace, WhenChanged},
    EditVerbInfo{EditVerb::ReplaceAll, "ReplaceAll", kStepReplaceAll, WhenChanged},
    // A restore that found no copy changed nothing and leaves the flag.
    EditVerbInfo{EditVerb::RestoreRecovery, "RestoreRecovery", kStepChangeLines, WhenChanged},
    EditVerbInfo{EditVerb::ChangeLines, "ChangeLines", kStepChangeLines, WhenChanged},
};

constexpr bool InEnumOrder() {
    for (std::size_t i = 0; i < kVerbs.size(); ++i) {
        if (static_cast<std::size_t>(kVerbs[i].verb) != i)
            return false;
    }
    return true;
}
static_assert(InEnumOrder() && kVerbs.size() == static_cast<std::size_t>(EditVerb::ChangeLines) + 1,
              "the verb table holds every verb, in the order of EditVerb");

} // namespace

std::span<const EditVerbInfo> EditVerbs() {
    return kVerbs;
}

const EditVerbInfo& VerbInfo(EditVerb verb) {
    return kVerbs[static_cast<std::size_t>(verb)];
}

} // namespace dolmex
