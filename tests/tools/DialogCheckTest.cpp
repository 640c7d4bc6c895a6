#include "ToolFixtures.h"

#include "tools/DialogCheck.h"

#include <gtest/gtest.h>

namespace dolmex {
namespace {

using test::Row;
using test::With;

std::vector<std::string> Messages(const DialogLines& lines) {
    std::vector<std::string> messages;
    for (const DialogProblem& problem : CheckDialog(lines))
        messages.push_back(std::to_string(problem.row) + ": " + DescribeProblem(problem));
    return messages;
}

TEST(DialogCheck, FindsWhatRenumberingWouldMisdirect) {
    struct Case {
        const char* name;
        DialogLines lines;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"a sound dialog",
         {With(Row("1"), ColResponse, "2"), With(Row("2", "1"), ColResult, "uw 3 1, gf 1 2"),
          DialogLine{}, With(Row("3"), ColText, "G:1 fl 30, 3 2")},
         {}},
        {"every kind of reference",
         {With(With(Row("1"), ColResponse, "9"), ColResult, "gf 1, et 2 8"),
          With(With(Row("2"), ColText, "G:a 7"), ColGender, "M:x,6")},
         {"1: the response names line 9, which no line has",
          "1: the result et names line 8, which no line has",
          "2: the G: list in the text names line 7, which no line has",
          "2: the M: text in the gender text names line 6, which no line has"}},
        {"a repeated number",
         {Row("4"), Row("5"), Row("04"), Row("4")},
         {"3: line number 04 is also the number of row 1",
          "4: line number 4 is also the number of row 1"}},
        {"numbers that are not whole numbers",
         {Row("abc"), Row("12 "), Row("-1"), Row(" -01"), Row("0"), Row("$10"), Row("")},
         {"1: line number 'abc' is not a whole number",
          "2: line number '12 ' is not a whole number"}},
        {"responses that name no line are not references",
         {With(Row("1"), ColResponse, "0"), With(Row("2"), ColResponse, "-5"),
          With(Row("3"), ColResponse, "x")},
         {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Messages(c.lines), c.messages) << c.name;
}

} // namespace
} // namespace dolmex
