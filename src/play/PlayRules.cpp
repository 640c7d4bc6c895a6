#include "PlayRules.h"

#include "core/TextFields.h"
#include "interp/OperationArgs.h"
#include "lang/LanguageTables.h"

#include <cstdlib>
#include <utility>

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

namespace {

// Hands each reason that hides `line` to `hide`, in order, until `hide` returns false.
template <typename Hide>
void ForEachHiddenReason(const PackedLine& line, int row, const Character& character,
                         const TestAssumptions& tests, Hide&& hide) {
    using Kind = HiddenReason::Kind;
    const std::string_view gender = line[ColGender];
    if (!gender.empty()) {
        const std::optional<std::int32_t> g = WholeNumber(gender);
        if (g == 0 && character.gender != Gender::Male) {
            if (!hide(HiddenReason{Kind::MaleOnly, 0, {}}))
                return;
        } else if (g == 1 && character.gender != Gender::Female) {
            if (!hide(HiddenReason{Kind::FemaleOnly, 0, {}}))
                return;
        } else if (!g || *g < -1 || *g > 1) {
            if (!hide(HiddenReason{Kind::UnknownGender, 0, std::string(gender)}))
                return;
        }
    }
    const std::string_view intelligence = line[ColIntelligence];
    if (const std::optional<std::int32_t> n = WholeNumber(intelligence); !n) {
        if (!hide(HiddenReason{Kind::NotWholeNumber, 0, std::string(intelligence)}))
            return;
    } else if (*n > 0 && character.intelligence < *n) {
        if (!hide(HiddenReason{Kind::TooDim, *n, {}}))
            return;
    } else if (*n < 0 && static_cast<std::int64_t>(character.intelligence) > -std::int64_t{*n}) {
        if (!hide(HiddenReason{Kind::TooBright, static_cast<std::int32_t>(std::llabs(*n)), {}}))
            return;
    }
    const int count = tests.anyFail() ? TestCount(line) : 0;
    for (int item = 1; item <= count; ++item) {
        if (tests.fails(row, item) && !hide(HiddenReason{Kind::TestFails, item, {}}))
            return;
    }
}

} // namespace

std::vector<HiddenReason> HiddenReasons(const PackedLine& line, int row, const Character& character,
                                        const TestAssumptions& tests) {
    std::vector<HiddenReason> reasons;
    ForEachHiddenReason(line, row, character, tests, [&](HiddenReason reason) {
        reasons.push_back(std::move(reason));
        return true;
    });
    return reasons;
}

bool IsOffered(const PackedLine& line, int row, const Character& character,
               const TestAssumptions& tests) {
    bool offered = true;
    ForEachHiddenReason(line, row, character, tests, [&](const HiddenReason&) {
        offered = false;
        return false;
    });
    return offered;
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
