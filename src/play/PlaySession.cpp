#include "PlaySession.h"

#include "core/TextFields.h"
#include "interp/DescriptionContext.h"
#include "interp/GeneratedLine.h"
#include "interp/OperationArgs.h"
#include "interp/ResultDescriber.h"
#include "interp/TestDescriber.h"
#include "lang/LanguageTables.h"
#include "tools/References.h"

#include <cstdlib>

namespace dolmex {

namespace {

// A numbered description line, "12) text": its number, or 0.
int ItemNumberOf(const std::string& line, std::size_t& textStart) {
    std::size_t i = 0;
    int number = 0;
    while (i < line.size() && line[i] >= '0' && line[i] <= '9' && number < 100000)
        number = number * 10 + (line[i++] - '0');
    if (i == 0 || line.compare(i, 2, ") ") != 0)
        return 0;
    textStart = i + 2;
    return number;
}

std::string Joined(const std::vector<DescLine>& lines) {
    std::string text;
    for (const DescLine& line : lines) {
        if (!text.empty())
            text += ' ';
        text += line.text;
    }
    return text;
}

} // namespace

PlaySession::PlaySession(const DialogLines& lines, const LanguageTables& tables,
                         GameMessageSource& messages)
    : m_rows(lines), m_tables(tables), m_messages(messages) {}

bool PlaySession::startAtRow(int row) {
    if (row < 1 || row > m_rows.count())
        return false;
    const int block = m_rows.blockOf(row);
    if (block == 0)
        return false;
    m_startRow = block;
    m_taken.clear();
    replay();
    return true;
}

bool PlaySession::startAtLine(std::int32_t number) {
    const int row = number > 0 ? m_rows.rowOf(number) : 0;
    return row != 0 && startAtRow(row);
}

void PlaySession::setShowExplanations(bool show) {
    m_showExplanations = show;
    replay();
}

void PlaySession::setCharacter(const Character& character) {
    m_character = character;
    replay();
}

void PlaySession::setTestFails(int row, int item, bool fails) {
    m_tests.setFails(row, item, fails);
    replay();
}

void PlaySession::setAllTestsFail(bool all) {
    m_tests.setAllFail(all);
    replay();
}

bool PlaySession::choose(int index) {
    if (index < 0 || index >= static_cast<int>(m_choices.size()))
        return false;
    const PlayChoice choice = m_choices[static_cast<std::size_t>(index)];
    Taken taken;
    taken.answer = choice.answer;
    if (choice.answer) {
        taken.row = m_answers[static_cast<std::size_t>(choice.index)].row;
    } else {
        const PlayWay& way = m_ways[static_cast<std::size_t>(choice.index)];
        taken.source = way.source;
        taken.line = way.line;
    }
    m_taken.push_back(taken);
    return apply(taken);
}

bool PlaySession::back() {
    if (m_taken.empty())
        return false;
    m_taken.pop_back();
    replay();
    return true;
}

void PlaySession::restart() {
    m_taken.clear();
    replay();
}

void PlaySession::replay() {
    m_transcript.clear();
    m_answers.clear();
    m_ways.clear();
    m_choices.clear();
    m_currentRow = 0;
    m_steps = 0;
    if (m_startRow == 0)
        return;
    arrive(m_startRow, {});
    for (std::size_t i = 0; i < m_taken.size(); ++i) {
        // A choice this character no longer has ends the replay there.
        if (!apply(m_taken[i])) {
            m_taken.resize(i);
            break;
        }
    }
}

bool PlaySession::apply(const Taken& taken) {
    int number = 0;
    for (const PlayChoice& choice : m_choices) {
        ++number;
        if (choice.answer != taken.answer)
            continue;
        const std::string heading = Fill(m_tables.play[playtext::kChosen], IntText(number));
        if (choice.answer) {
            const PlayAnswer answer = m_answers[static_cast<std::size_t>(choice.index)];
            if (answer.row != taken.row)
                continue;
            PlayEntry entry{PlayEntry::Kind::Chosen, answer.row, {}};
            entry.lines.push_back({heading + " [" + answer.number + "]", true});
            entry.lines.insert(entry.lines.end(), answer.text.begin(), answer.text.end());
            if (!answer.tests.empty()) {
                entry.lines.push_back({m_tables.mainDescription[md::kTestsHeading], true});
                for (const PlayTest& test : answer.tests)
                    entry.lines.push_back({IntText(test.item) + ") " + test.description + " (" +
                                               m_tables.play[playtext::kAssumedToPass] + ")",
                                           false});
            }
            const PackedLine& line = m_rows.line(answer.row);
            const std::vector<DescLine> results = describeResults(line[ColResult]);
            entry.lines.insert(entry.lines.end(), results.begin(), results.end());
            m_transcript.push_back(std::move(entry));

            std::vector<PlayWay> ways = namedLines(answer.row, false);
            const std::string_view response = line[ColResponse];
            if (response.empty()) {
                end(m_tables.play[playtext::kNoResponse], std::move(ways));
                return true;
            }
            // As the description panel reads it: what is no number counts as -1.
            const std::int32_t r = ParseIntOrMinus1(response);
            if (r > 0) {
                follow(r, std::move(ways));
            } else if (r == 0) {
                end(m_tables.mainDescription[md::kResponseZero], std::move(ways));
            } else {
                const auto next = static_cast<std::int32_t>(std::llabs(r));
                ways.push_back({PlayWay::Source::NextTalk, {}, next, answer.row});
                end(m_tables.mainDescription[md::kNegativeResponse] + " " + IntText(next),
                    std::move(ways));
            }
            return true;
        }
        const PlayWay way = m_ways[static_cast<std::size_t>(choice.index)];
        if (way.source != taken.source || way.line != taken.line)
            continue;
        const int target = m_rows.rowOf(way.line);
        m_transcript.push_back({PlayEntry::Kind::Chosen,
                                target != 0 ? target : way.fromRow,
                                {{heading + " " + wayLabel(way), true}}});
        follow(way.line, {});
        return true;
    }
    return false;
}

void PlaySession::follow(std::int32_t line, std::vector<PlayWay> ways) {
    const int row = m_rows.rowOf(line);
    if (row == 0)
        end(Fill(m_tables.play[playtext::kNoSuchLine], IntText(line)), std::move(ways));
    else if (!IsNpcLine(m_rows.line(row)))
        end(Fill(m_tables.play[playtext::kPlayerLineTarget], IntText(line)), std::move(ways));
    else
        arrive(row, std::move(ways));
}

void PlaySession::arrive(int npcRow, std::vector<PlayWay> ways) {
    for (;;) {
        if (++m_steps > kStepLimit) {
            end(Fill(m_tables.play[playtext::kStepLimit], IntText(kStepLimit)), {});
            return;
        }
        m_currentRow = npcRow;
        const PackedLine& line = m_rows.line(npcRow);
        PlayEntry said{PlayEntry::Kind::NpcLine, npcRow, {}};
        said.lines.push_back(
            {Fill(m_tables.play[playtext::kNpcLine], std::string(line[ColNumber])), true});
        const std::string_view femaleText = line[ColGender];
        const std::vector<DescLine> text = describeText(
            m_character.gender == Gender::Female && !femaleText.empty() ? femaleText
                                                                        : line[ColText]);
        said.lines.insert(said.lines.end(), text.begin(), text.end());
        const std::vector<DescLine> results = describeResults(line[ColResult]);
        said.lines.insert(said.lines.end(), results.begin(), results.end());
        m_transcript.push_back(std::move(said));

        m_answers.clear();
        for (const int row : m_rows.answersOf(npcRow))
            m_answers.push_back(readAnswer(row));
        const std::vector<PlayWay> named = namedLines(npcRow, true);
        const bool onlyItsResponse =
            ways.empty() && named.size() == 1 && named.front().source == PlayWay::Source::Response;
        ways.insert(ways.end(), named.begin(), named.end());
        if (!m_answers.empty()) {
            settle(std::move(ways));
            if (m_choices.empty())
                m_transcript.push_back({PlayEntry::Kind::End,
                                        0,
                                        {{m_tables.play[playtext::kNoChoosableAnswer], true}}});
            return;
        }
        if (onlyItsResponse) {
            // An NPC line that only leads on says the next line at once.
            const int target = m_rows.rowOf(ways.front().line);
            if (target == 0 || !IsNpcLine(m_rows.line(target))) {
                m_answers.clear();
                follow(ways.front().line, {});
                return;
            }
            npcRow = target;
            ways.clear();
            continue;
        }
        if (!ways.empty()) {
            settle(std::move(ways));
            return;
        }
        const std::string_view response = line[ColResponse];
        const std::int32_t r = ParseIntOrMinus1(response);
        if (response.empty())
            end(m_tables.play[playtext::kNoAnswers], {});
        else if (r == 0)
            end(m_tables.mainDescription[md::kResponseZero], {});
        else {
            const auto next = static_cast<std::int32_t>(std::llabs(r));
            end(m_tables.mainDescription[md::kNegativeResponse] + " " + IntText(next),
                {{PlayWay::Source::NextTalk, {}, next, npcRow}});
        }
        return;
    }
}

void PlaySession::end(const std::string& message, std::vector<PlayWay> ways) {
    m_currentRow = 0;
    m_answers.clear();
    m_transcript.push_back({PlayEntry::Kind::End, 0, {{message, true}}});
    settle(std::move(ways));
}

void PlaySession::settle(std::vector<PlayWay> ways) {
    m_ways.clear();
    for (PlayWay& way : ways) {
        bool known = false;
        for (const PlayWay& kept : m_ways)
            known = known || kept.line == way.line;
        if (!known)
            m_ways.push_back(std::move(way));
    }
    m_choices.clear();
    for (std::size_t i = 0; i < m_answers.size(); ++i) {
        if (m_answers[i].visible())
            m_choices.push_back({true, static_cast<int>(i)});
    }
    for (std::size_t i = 0; i < m_ways.size(); ++i)
        m_choices.push_back({false, static_cast<int>(i)});
    addOptions();
}

void PlaySession::addOptions() {
    if (m_answers.empty() && m_ways.empty())
        return;
    PlayEntry options{PlayEntry::Kind::Options, m_currentRow, {}};
    const auto& words = m_tables.play;
    int number = 0;
    if (!m_answers.empty()) {
        options.lines.push_back({words[playtext::kAnswersHeading], true});
        for (const PlayAnswer& answer : m_answers) {
            if (answer.visible())
                options.lines.push_back({IntText(++number) + ". " + answerLabel(answer), false});
        }
        bool headed = false;
        for (const PlayAnswer& answer : m_answers) {
            if (answer.visible())
                continue;
            if (!headed)
                options.lines.push_back({words[playtext::kHiddenHeading], true});
            headed = true;
            std::string reasons;
            for (const HiddenReason& reason : answer.hidden)
                reasons += (reasons.empty() ? "" : "; ") + DescribeHidden(m_tables, reason);
            options.lines.push_back({"- " + answerLabel(answer) + ": " + reasons, false});
        }
    }
    if (!m_ways.empty()) {
        options.lines.push_back({words[playtext::kWaysOnHeading], true});
        for (const PlayWay& way : m_ways)
            options.lines.push_back({IntText(++number) + ". " + wayLabel(way), false});
    }
    m_transcript.push_back(std::move(options));
}

PlayAnswer PlaySession::readAnswer(int row) {
    const PackedLine& line = m_rows.line(row);
    PlayAnswer answer;
    answer.row = row;
    answer.number = std::string(line[ColNumber]);
    answer.text = describeText(line[ColText]);
    answer.hidden = HiddenReasons(line, row, m_character, m_tests);

    const std::vector<std::string_view> items = LeadingCommaItems(line[ColTest]);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const int item = static_cast<int>(i) + 1;
        answer.tests.push_back({item, {}, m_tests.fails(row, item)});
    }
    if (!items.empty()) {
        DescriptionPanel panel;
        m_store.clear();
        GameMessageFinder finder(m_messages, m_store);
        TestDesc({m_tables, panel, finder}, line[ColTest]);
        for (const DescLine& described : panel.lines()) {
            std::size_t start = 0;
            const int item = ItemNumberOf(described.text, start);
            if (item < 1 || item > static_cast<int>(items.size()))
                continue;
            std::string& description = answer.tests[static_cast<std::size_t>(item - 1)].description;
            description += (description.empty() ? "" : "; ") + described.text.substr(start);
        }
        // A code the language file does not describe is shown as written.
        for (PlayTest& test : answer.tests) {
            if (test.description.empty())
                test.description = std::string(items[static_cast<std::size_t>(test.item - 1)]);
        }
    }
    return answer;
}

std::vector<DescLine> PlaySession::describeText(std::string_view text) {
    DescriptionPanel panel;
    m_store.clear();
    GameMessageFinder finder(m_messages, m_store);
    GenerDialog({m_tables, panel, finder}, text, m_showExplanations);
    return panel.lines();
}

std::vector<DescLine> PlaySession::describeResults(std::string_view results) {
    if (results.empty())
        return {};
    DescriptionPanel panel;
    m_store.clear();
    GameMessageFinder finder(m_messages, m_store);
    ResultDesc({m_tables, panel, finder}, results, false);
    return panel.lines();
}

std::vector<PlayWay> PlaySession::namedLines(int row, bool withResponse) const {
    std::vector<PlayWay> ways;
    VisitReferences(m_rows.line(row), ReferenceScope{}, [&](const ReferenceSite& site) {
        switch (site.kind) {
        case ReferenceKind::Response:
            if (withResponse)
                ways.push_back({PlayWay::Source::Response, {}, site.number, row});
            break;
        case ReferenceKind::GeneratedG:
        case ReferenceKind::GeneratedM:
            ways.push_back({PlayWay::Source::Generated, {}, site.number, row});
            break;
        case ReferenceKind::Result:
            ways.push_back({PlayWay::Source::Result, std::string(site.code), site.number, row});
            break;
        }
    });
    return ways;
}

std::string PlaySession::answerLabel(const PlayAnswer& answer) const {
    return "[" + answer.number + "] " + Joined(answer.text);
}

std::string PlaySession::wayLabel(const PlayWay& way) const {
    const auto& words = m_tables.play;
    std::string from;
    switch (way.source) {
    case PlayWay::Source::Response:
        from = words[playtext::kFromResponse];
        break;
    case PlayWay::Source::Generated:
        from = words[playtext::kFromGeneratedText];
        break;
    case PlayWay::Source::Result:
        from = Fill(words[playtext::kFromResult], way.code);
        break;
    case PlayWay::Source::NextTalk:
        from = words[playtext::kFromNextTalk];
        break;
    }
    return Fill(words[playtext::kWayOn], TargetLineEntry(m_tables, IntText(way.line)), from);
}

std::string PlaySession::choiceLabel(const PlayChoice& choice) const {
    return choice.answer ? answerLabel(m_answers[static_cast<std::size_t>(choice.index)])
                         : wayLabel(m_ways[static_cast<std::size_t>(choice.index)]);
}

} // namespace dolmex
