#include "Renumber.h"

#include "core/LineStore.h"
#include "core/TextFields.h"
#include "lang/LanguageTables.h"

#include <iterator>
#include <limits>

namespace dolmex {

namespace {

constexpr std::int32_t kMaxOption = 99;

bool InOptionRange(std::int32_t value) {
    return value >= 1 && value <= kMaxOption;
}

// Picks the rows' new numbers: (old, new) for each row in order, and the last number, or
// nothing when the numbers would pass the 32-bit range.
std::optional<std::int32_t> NumberRows(const DialogLines& lines, const RenumberOptions& options,
                                       std::vector<std::pair<std::int32_t, std::int32_t>>& pairs) {
    std::int64_t d = 0;
    pairs.reserve(lines.size());
    for (const PackedLine& line : lines) {
        if (options.blocks && !IsPlayerLineForNumbering(line))
            d = (d / options.blockSize + 1) * options.blockSize;
        else
            d += options.step;
        if (d > std::numeric_limits<std::int32_t>::max())
            return std::nullopt;
        const auto number = static_cast<std::int32_t>(d);
        pairs.emplace_back(ParseIntOrMinus1(line[ColNumber]), number);
    }
    return static_cast<std::int32_t>(d);
}

std::string KindLabel(const UnresolvedReference& reference, const LanguageTables& tables) {
    const auto& words = tables.mainDescription;
    switch (reference.kind) {
    case ReferenceKind::Response:
        return "Respone Line";
    case ReferenceKind::GeneratedG:
        return words[md::kGeneratedLabel] + " G:";
    case ReferenceKind::GeneratedM:
        return words[md::kGeneratedLabel] + " M:";
    case ReferenceKind::Result:
        return words[md::kResultLabel] + " " + reference.code;
    }
    return {};
}

} // namespace

const std::array<FormCaption, 10> kRenumberFormCaptions{{
    {"TRenumberForm", captions::kRenumberWindow},
    {"GroupBox1", captions::kNumberingGroup},
    {"RB1", captions::kContinuous},
    {"RB2", captions::kInBlocks},
    {"Label3", captions::kBlockSize},
    {"Label2", captions::kStep},
    {"GroupBox2", captions::kRewriteGroup},
    {"CheckBox1", captions::kRewriteGenerated},
    {"CheckBox2", captions::kRewriteResults},
    {"CheckBox3", captions::kListQuests},
}};

bool AreValidRenumberOptions(const RenumberOptions& options) {
    if (!InOptionRange(options.step))
        return false;
    return !options.blocks ||
           (InOptionRange(options.blockSize) && options.blockSize > options.step);
}

std::optional<RenumberOptions> ReadRenumberOptions(const RenumberFormValues& form) {
    RenumberOptions options;
    options.blocks = form.blocks;
    options.step = ParseIntOrMinus1(form.blocks ? form.edit2 : form.edit1);
    if (form.blocks)
        options.blockSize = ParseIntOrMinus1(form.edit3);
    options.rewriteGenerated = form.checkBox1;
    options.rewriteResults = form.checkBox2;
    options.listQuests = form.checkBox3;
    if (!AreValidRenumberOptions(options))
        return std::nullopt;
    return options;
}

std::optional<RenumberOutcome> RenumberLines(const DialogLines& lines,
                                             const RenumberOptions& options) {
    if (!AreValidRenumberOptions(options))
        return std::nullopt;
    RenumberOutcome outcome;
    std::vector<std::pair<std::int32_t, std::int32_t>> pairs;
    const auto last = NumberRows(lines, options, pairs);
    if (!last)
        return std::nullopt;
    outcome.lastNumber = *last;
    const LineNumberMap map(pairs);

    const ReferenceScope scope{options.rewriteGenerated, options.rewriteResults};
    int row = 1;
    for (const PackedLine& packed : lines) {
        LineRewrite line(packed);
        line.replace(ColNumber, IntText(pairs[static_cast<std::size_t>(row - 1)].second));
        RewriteReferences(line, row++, map, scope, outcome.unresolved);
        outcome.lines.push_back(line.packed());
    }

    if (options.listQuests) {
        row = 1;
        for (const PackedLine& line : outcome.lines) {
            if (const std::int32_t quest = QuestNumber(line[ColText]); quest > 0)
                outcome.quests.push_back({row, quest, std::string(line[ColNumber])});
            ++row;
        }
    }
    return outcome;
}

std::string UnresolvedReportText(const UnresolvedReference& reference,
                                 const LanguageTables& tables) {
    const auto& words = tables.mainDescription;
    return words[md::kLine] + " " + reference.lineNumber + " : " + words[md::kReferenceIn] + " " +
           KindLabel(reference, tables) + " " + words[md::kToMissingLine] + " " +
           reference.referenced;
}

std::vector<ReportLine> RenumberReport(const RenumberOutcome& outcome, int rowCount,
                                       const LanguageTables& tables) {
    const auto& words = tables.mainDescription;
    std::vector<ReportLine> report;
    report.reserve(8 + outcome.unresolved.size() + outcome.quests.size());
    report.push_back({true, words[md::kReportFirstHeading]});
    report.push_back({false, words[md::kLineCount] + " - " + IntText(rowCount)});
    report.push_back({true, words[md::kNumberingHeading]});
    report.push_back({false, words[md::kLastNumber] + " - " + IntText(outcome.lastNumber)});
    report.push_back({true, words[md::kRewritingHeading]});
    if (!outcome.unresolved.empty()) {
        report.push_back({false, words[md::kUnresolvedWarning] + " !!!!"});
        report.push_back({true, words[md::kUnresolvedHeading]});
        for (const UnresolvedReference& reference : outcome.unresolved)
            report.push_back({false, UnresolvedReportText(reference, tables)});
    }
    if (!outcome.quests.empty()) {
        report.push_back({true, words[md::kQuestHeading] + " :"});
        for (const QuestListing& quest : outcome.quests)
            report.push_back({false, IntText(quest.quest) + " " + words[md::kQuestInLine] + " " +
                                         quest.lineNumber});
    }
    report.push_back({true, words[md::kReportClosing] + " !"});
    return report;
}

std::optional<std::vector<ReportLine>> Renumber(LineStore& store, const RenumberOptions& options,
                                                const LanguageTables& tables) {
    auto outcome = RenumberLines(store.lines(), options);
    if (!outcome)
        return std::nullopt;
    std::vector<ReportLine> report = RenumberReport(*outcome, store.dataRowCount(), tables);
    // Rows keep their order, so one cell change over all rows keeps the grid's position.
    store.setPackedLines(1, std::move(outcome->lines));
    return report;
}

} // namespace dolmex
