#include "search/StoreSearch.h"
#include "SearchFixtures.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace dolmex {
namespace {

CellMatcher Matcher(const char* pattern) {
    FindQuery query;
    query.pattern = QString::fromUtf8(pattern);
    return CellMatcher::compile(query);
}

class StoreSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        Fill(store, {{"1", "a cat", "", "", "", "", "", "cat"}, {"2", "dog"}, {"3", "cat cat"}});
    }
    LineStore store;
};

TEST_F(StoreSearchTest, FindAllGoesRowByRowColumnByColumnSpanBySpan) {
    EXPECT_EQ(
        FindAll(store, Matcher("cat")),
        (std::vector<CellMatch>{{1, 1, {2, 3}}, {1, 7, {0, 3}}, {3, 1, {0, 3}}, {3, 1, {4, 3}}}));
    EXPECT_TRUE(FindAll(store, Matcher("cow")).empty());
}

TEST_F(StoreSearchTest, FindNextStepsThroughTheMatchesAndWraps) {
    const CellMatcher cat = Matcher("cat");
    struct Step {
        std::optional<CellMatch> from;
        bool backward;
        CellMatch found;
        bool wrapped;
    };
    const Step steps[] = {
        {std::nullopt, false, {1, 1, {2, 3}}, false},
        {CellMatch{1, 1, {2, 3}}, false, {1, 7, {0, 3}}, false},
        {CellMatch{1, 7, {0, 3}}, false, {3, 1, {0, 3}}, false},
        {CellMatch{3, 1, {0, 3}}, false, {3, 1, {4, 3}}, false},
        {CellMatch{3, 1, {4, 3}}, false, {1, 1, {2, 3}}, true},
        {std::nullopt, true, {3, 1, {4, 3}}, false},
        {CellMatch{3, 1, {4, 3}}, true, {3, 1, {0, 3}}, false},
        {CellMatch{3, 1, {0, 3}}, true, {1, 7, {0, 3}}, false},
        {CellMatch{1, 1, {2, 3}}, true, {3, 1, {4, 3}}, true},
        // A place between matches (the cursor) works as well as a match.
        {CellMatch{2, 0, {0, 0}}, false, {3, 1, {0, 3}}, false},
        {CellMatch{2, 0, {0, 0}}, true, {1, 7, {0, 3}}, false},
        // Places outside the dialog are before its start or after its end.
        {CellMatch{0, 0, {0, 0}}, false, {1, 1, {2, 3}}, false},
        {CellMatch{9, 0, {0, 0}}, false, {1, 1, {2, 3}}, true},
        {CellMatch{9, 0, {0, 0}}, true, {3, 1, {4, 3}}, false},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.from ? step.from->row * 100 + step.from->column : -1);
        bool wrapped = !step.wrapped;
        const auto found =
            FindNext(store, cat, step.from ? &*step.from : nullptr, step.backward, &wrapped);
        ASSERT_TRUE(found);
        EXPECT_EQ(*found, step.found);
        EXPECT_EQ(wrapped, step.wrapped);
    }
}

TEST_F(StoreSearchTest, TheOnlyMatchIsFoundAgainAfterWrapping) {
    const CellMatcher dog = Matcher("dog");
    const CellMatch only{2, 1, {0, 3}};
    for (const bool backward : {false, true}) {
        bool wrapped = false;
        EXPECT_EQ(FindNext(store, dog, &only, backward, &wrapped), only);
        EXPECT_TRUE(wrapped);
    }
    EXPECT_EQ(FindNext(store, Matcher("cow"), nullptr, false, nullptr), std::nullopt);
    EXPECT_EQ(FindNext(store, Matcher("cow"), &only, true, nullptr), std::nullopt);
}

} // namespace
} // namespace dolmex
