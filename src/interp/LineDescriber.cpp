#include "LineDescriber.h"

#include "DescriptionContext.h"
#include "GeneratedLine.h"
#include "ResultDescriber.h"
#include "TestDescriber.h"

#include "core/LineStore.h"
#include "core/TextFields.h"
#include "lang/LanguageTables.h"

#include <cstdlib>

namespace dolmex {

namespace {

std::string Labelled(const std::string& label, std::string_view text) {
    std::string labelled = label + " : ";
    labelled += text;
    return labelled;
}

} // namespace

std::string LineDescriber::targetComment(const LineStore& store, const std::string& number) {
    const DialogLines& rows = store.lines();
    if (m_indexedStore != &store || m_indexedRevision != store.revision()) {
        m_commentedRows.clear();
        // The comment first, since most rows have none; a later row replaces an earlier.
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (!rows[i][ColComment].empty())
                m_commentedRows[std::string(rows[i][ColNumber])] = i;
        }
        m_indexedStore = &store;
        m_indexedRevision = store.revision();
    }
    const auto found = m_commentedRows.find(number);
    return found == m_commentedRows.end() ? std::string()
                                          : std::string(rows[found->second][ColComment]);
}

LineDescription LineDescriber::MakeLineDescr(const LineStore& store, int row,
                                             const StatusPanels& previous, DisplayOptions options) {
    const auto& mainDesc = m_tables.mainDescription;
    LineDescription result;
    result.status = previous;
    StatusPanels& status = result.status;
    status[2] = Labelled(mainDesc[md::kLineCount], IntText(store.rowCount() - 1));

    m_store.clear();
    DescriptionPanel panel;
    GameMessageFinder finder(m_source, m_store);
    const DescriptionContext context{m_tables, panel, finder};
    const auto finish = [&] {
        result.lines = panel.lines();
        result.moves = panel.moves();
        return result;
    };

    const DialogLine line = store.line(row);
    const std::string& number = line[ColNumber];
    const std::string& text = line[ColText];
    const std::string& gender = line[ColGender];
    const std::string& intelligenceCell = line[ColIntelligence];
    const std::string& comment = line[ColComment];
    const std::int64_t intelligence =
        intelligenceCell.empty() ? 0 : ParseIntOrMinus1(intelligenceCell);
    bool emptyRow = true;
    for (int column = 0; column < kFieldCount; ++column)
        emptyRow = emptyRow && line[static_cast<std::size_t>(column)].empty();
    if (emptyRow) {
        panel.addHeading(mainDesc[md::kEmpty] + " " + mainDesc[md::kLine]);
        return finish();
    }

    const bool playerLine = intelligence != 0;
    std::string heading = mainDesc[md::kLine] + " " + number + " - " + mainDesc[md::kSpeaker] +
                          " " + m_tables.player[playerLine ? player::kPc : player::kNpc];
    const std::int32_t g = ParseIntOrMinus1(gender);
    // A gender condition the game does not know leaves the panel empty.
    if (g < -1 || g > 1)
        return finish();
    if (playerLine) {
        heading += " (" + m_tables.gender[gender::kAnyCondition + g + 1] + ") " +
                   m_tables.in[intelligence < 0 ? in::kAtMost : in::kAtLeast] + " " +
                   mainDesc[md::kIntelligence] + " " + std::to_string(std::llabs(intelligence));
    }
    panel.addHeading(heading);

    if (playerLine) {
        status[1] =
            comment.empty() ? std::string() : Labelled(mainDesc[md::kPlayerComment], comment);
        int npcRow = row - 1;
        while (npcRow >= 1 && !store.cell(npcRow, ColIntelligence).empty())
            --npcRow;
        if (npcRow >= 1) {
            const std::string_view npcComment = store.cell(npcRow, ColComment);
            if (!npcComment.empty()) {
                status[0] = Labelled(mainDesc[md::kNpcComment], npcComment);
            } else {
                status[0] = status[1].empty() ? mainDesc[md::kNoComment] : status[1];
                status[1].clear();
            }
        }
        GenerDialog(context, text, options.generatedInfo);
        TestDesc(context, line[ColTest]);
    } else {
        status[0] = comment.empty() ? mainDesc[md::kNoComment]
                                    : Labelled(mainDesc[md::kNpcComment], comment);
        status[1].clear();
        if (!gender.empty() && gender != text) {
            panel.addHeading(mainDesc[md::kNpcText]);
            GenerDialog(context, text, options.generatedInfo);
            panel.addHeading(mainDesc[md::kOtherGenderText]);
            GenerDialog(context, gender, options.generatedInfo);
        } else {
            GenerDialog(context, text, options.generatedInfo);
        }
    }

    const std::string& response = line[ColResponse];
    if (!response.empty()) {
        panel.setBold(true);
        const std::int64_t r = ParseIntOrMinus1(response);
        if (r < 0) {
            const std::string magnitude = std::to_string(std::llabs(r));
            panel.add(mainDesc[md::kResponse] + " " + mainDesc[md::kNegativeResponse] + " " +
                      magnitude + ".");
            panel.addMove(mainDesc[md::kNegativeResponse] + " " + magnitude);
        } else if (r == 0) {
            panel.add(mainDesc[md::kResponse] + " " + mainDesc[md::kResponseZero]);
            panel.addMove(mainDesc[md::kResponseZero]);
        } else {
            std::string line = mainDesc[md::kResponse] + " " + TargetLineEntry(m_tables, response);
            if (const std::string target = targetComment(store, response); !target.empty())
                line += " (" + target + ")";
            panel.add(line);
            panel.addMove(TargetLineEntry(m_tables, response));
        }
        panel.setBold(false);
    }

    const std::string& results = line[ColResult];
    if (!results.empty())
        ResultDesc(context, results, true);

    if (options.messageTexts) {
        for (int kind = 0; kind < kMessageKindCount; ++kind) {
            const auto& texts = m_store.texts(static_cast<MessageKind>(kind));
            if (texts.empty())
                continue;
            panel.addHeading(mainDesc[md::kFirstMessageHeading + kind] +
                             mainDesc[md::kMessageSuffix]);
            for (const std::string& found : texts)
                panel.add(found);
        }
    }
    return finish();
}

} // namespace dolmex
