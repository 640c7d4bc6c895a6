#include "PlayRules.h"

#include "core/TextFields.h"
#include "interp/OperationArgs.h"
#include "lang/LanguageTables.h"

#include <cstdlib>

namespace dolmex {

bool TestAssumptions::fails(int row, int item) const {
    return m_allFail || m_failing.contains({row, item});
}

void TestAssumptions::setFails(int row, int item, bool fails) {
    if (fails)
        m_failing.insert({row, item});
    else
        m_failing.erase({row, item});
}

std::optional<std::int32_t> WholeNumber(std::string_view cell) {
    const std::int32_t number = ParseIntOrMinus1(cell);
    if (number != -1)
        return number;
    // ParseIntOrMinus1 cannot tell "-1" from a failure.
    const std::size_t first = cell.find_first_not_of(' ');
    if (first != std::string_view::npos && cell[first] == '-' &&
        ParseIntOrMinus1(cell.substr(first + 1)) == 1)
        return -1;
    return std::nullopt;
}

std::vector<HiddenReason> HiddenReasons(const PackedLine& line, int row, const Character& character,
                                        const TestAssumptions& tests) {
    using Kind = HiddenReason::Kind;
    std::vector<HiddenReason> reasons;
    const std::string_view gender = line[ColGender];
    if (!gender.empty()) {
        const std::optional<std::int32_t> g = WholeNumber(gender);
        if (g == 0 && character.gender != Gender::Male)
            reasons.push_back({Kind::MaleOnly, 0, {}});
        else if (g == 1 && character.gender != Gender::Female)
            reasons.push_back({Kind::FemaleOnly, 0, {}});
        else if (!g || *g < -1 || *g > 1)
            reasons.push_back({Kind::UnknownGender, 0, std::string(gender)});
    }
    const std::string_view intelligence = line[ColIntelligence];
    if (const std::optional<std::int32_t> n = WholeNumber(intelligence); !n) {
        reasons.push_back({Kind::NotWholeNumber, 0, std::string(intelligence)});
    } else if (*n > 0 && character.intelligence < *n) {
        reasons.push_back({Kind::TooDim, *n, {}});
    } else if (*n < 0 && static_cast<std::int64_t>(character.intelligence) > -std::int64_t{*n}) {
        reasons.push_back({Kind::TooBright, static_cast<std::int32_t>(std::llabs(*n)), {}});
    }
    const int count = tests.anyFail() ? TestCount(line) : 0;
    for (int item = 1; item <= count; ++item) {
        if (tests.fails(row, item))
            reasons.push_back({Kind::TestFails, item, {}});
    }
    return reasons;
}

int TestCount(const PackedLine& line) {
    return static_cast<int>(LeadingCommaItems(line[ColTest]).size());
}

std::string DescribeHidden(const LanguageTables& tables, const HiddenReason& reason) {
    using Kind = HiddenReason::Kind;
    const auto& words = tables.play;
    const auto bound = [&](int direction) {
        return tables.in[direction] + " " + tables.mainDescription[md::kIntelligence] + " " +
               IntText(reason.bound);
    };
    switch (reason.kind) {
    case Kind::None:
        break;
    case Kind::MaleOnly:
        return tables.gender[gender::kAnyCondition + 1];
    case Kind::FemaleOnly:
        return tables.gender[gender::kAnyCondition + 2];
    case Kind::UnknownGender:
        return Fill(words[playtext::kUnknownGender], reason.cell);
    case Kind::TooDim:
        return bound(in::kAtLeast);
    case Kind::TooBright:
        return bound(in::kAtMost);
    case Kind::NotWholeNumber:
        return Fill(words[playtext::kIntelligenceNotNumber], reason.cell);
    case Kind::TestFails:
        return Fill(words[playtext::kTestFails], IntText(reason.bound));
    }
    return {};
}

std::string Fill(const std::string& pattern, const std::string& first, const std::string& second) {
    std::string out;
    out.reserve(pattern.size() + first.size() + second.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() &&
            (pattern[i + 1] == '1' || pattern[i + 1] == '2')) {
            out += pattern[i + 1] == '1' ? first : second;
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

} // namespace dolmex
