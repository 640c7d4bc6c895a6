#pragma once

// A conversation played through a dialog: the NPC line's words for the character, the
// answers the character may choose and those hidden (with why), the other ways on, and a
// transcript of what was said. The state is the start line and the choices made; every
// change of character or of failing tests plays those choices again, so the transcript
// always shows what this character would have seen.

#include "PlayRules.h"

#include "interp/DescriptionPanel.h"
#include "interp/GameMessages.h"
#include "tools/Reachability.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dolmex {

struct LanguageTables;

// One entry of the transcript; `row` is the grid row it is about (0: none).
struct PlayEntry {
    enum class Kind {
        NpcLine, // the NPC line said: its heading, text and results
        Options, // what the character could choose there
        Chosen,  // the answer or way on taken: its text, tests and results
        End,     // how the run ended
    };
    Kind kind = Kind::NpcLine;
    int row = 0;
    std::vector<DescLine> lines; // the first is the entry's heading

    bool operator==(const PlayEntry&) const = default;
};

struct PlayTest {
    int item = 0; // from 1
    std::string description;
    bool fails = false;
};

// A player line of the block.
struct PlayAnswer {
    int row = 0;
    std::string number;
    std::vector<DescLine> text; // as the description panel explains the line's text
    std::vector<PlayTest> tests;
    std::vector<HiddenReason> hidden; // empty: the character may choose it
    bool visible() const { return hidden.empty(); }
};

// A line that a run may go on at besides the answers.
struct PlayWay {
    enum class Source { Response, Generated, Result, NextTalk };
    Source source = Source::Response;
    std::string code; // the result code for Source::Result
    std::int32_t line = 0;
    int fromRow = 0; // the row that names it
};

// What the character may choose: the visible answers in row order, then the ways on.
struct PlayChoice {
    bool answer = true;
    int index = 0; // into answers() or ways()
};

class PlaySession {
public:
    // A run that goes round without a choice stops after this many lines.
    static constexpr int kStepLimit = 1000;

    PlaySession(const DialogLines& lines, const LanguageTables& tables,
                GameMessageSource& messages);

    // Starts at the block that holds data row `row`; false (nothing changes) when the row
    // belongs to no block.
    bool startAtRow(int row);
    // Starts at the line with that number; false when no line has it.
    bool startAtLine(std::int32_t number);
    // For the window's generated-line option.
    void setShowExplanations(bool show);

    const Character& character() const { return m_character; }
    void setCharacter(const Character& character);
    const TestAssumptions& tests() const { return m_tests; }
    void setTestFails(int row, int item, bool fails);
    void setAllTestsFail(bool all);

    // Takes choice `index` (0-based, into choices()); false when there is none such.
    bool choose(int index);
    // Takes back the last choice; false when none was made.
    bool back();
    // Drops every choice: the run begins again at its start.
    void restart();
    // Plays the choices again, after the language changed.
    void refresh() { replay(); }

    int startRow() const { return m_startRow; }
    // The NPC line the run stands at, 0 once it has ended.
    int currentRow() const { return m_currentRow; }
    bool ended() const { return m_currentRow == 0; }
    const std::vector<PlayAnswer>& answers() const { return m_answers; }
    const std::vector<PlayWay>& ways() const { return m_ways; }
    const std::vector<PlayChoice>& choices() const { return m_choices; }
    const std::vector<PlayEntry>& transcript() const { return m_transcript; }
    int choiceCount() const { return static_cast<int>(m_taken.size()); }

    // The text of a choice, as the options and the transcript show it.
    std::string choiceLabel(const PlayChoice& choice) const;
    std::string wayLabel(const PlayWay& way) const;
    std::string answerLabel(const PlayAnswer& answer) const;

private:
    // A choice remembered by what it was, so that a replay finds it again.
    struct Taken {
        bool answer = true;
        int row = 0;              // the answer's row
        PlayWay::Source source{}; // the way's
        std::int32_t line = 0;    // the way's
    };

    void replay();
    bool apply(const Taken& taken);
    void arrive(int npcRow, std::vector<PlayWay> ways);
    void follow(std::int32_t line, std::vector<PlayWay> ways);
    void end(const std::string& message, std::vector<PlayWay> ways);
    void settle(std::vector<PlayWay> ways);
    void addOptions();
    PlayAnswer readAnswer(int row);
    std::vector<DescLine> describeText(std::string_view text);
    std::vector<DescLine> describeResults(std::string_view results);
    std::vector<PlayWay> namedLines(int row, bool withResponse) const;

    DialogRows m_rows;
    const LanguageTables& m_tables;
    GameMessageSource& m_messages;
    GameMessageStore m_store;
    bool m_showExplanations = true;
    Character m_character;
    TestAssumptions m_tests;
    int m_startRow = 0;
    std::vector<Taken> m_taken;

    // Rebuilt by replay().
    int m_currentRow = 0;
    int m_steps = 0;
    std::vector<PlayAnswer> m_answers;
    std::vector<PlayWay> m_ways;
    std::vector<PlayChoice> m_choices;
    std::vector<PlayEntry> m_transcript;
};

} // namespace dolmex
