#include "search/ReferenceIndex.h"
#include "SearchFixtures.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace dolmex {
namespace {

using Kind = ReferenceKind;

class ReferenceIndexTest : public ::testing::Test {
protected:
    void SetUp() override {
        Fill(store, {{"10", "G: a 20, b 30", "", "", "", "20", "gf 1 2, jo 0 20"},
                     {"20", "M:x,20", "G:, c 20", "1", "", "0", "et5 20,uw 3 30"},
                     {"30", "g: a 20", "", "", "", "-20", "xx 0 20"}});
    }
    LineStore store;
};

TEST_F(ReferenceIndexTest, FindsEveryKindOfReferenceInRowOrder) {
    const ReferenceIndex index(store);
    EXPECT_EQ(index.referencesTo(20),
              (std::vector<LineReference>{{1, Kind::Response, "", ColResponse},
                                          {1, Kind::GeneratedG, "", ColText},
                                          {1, Kind::Result, "jo", ColResult},
                                          {2, Kind::GeneratedM, "", ColText},
                                          // After the empty first item of the list.
                                          {2, Kind::GeneratedG, "", ColGender},
                                          {2, Kind::Result, "et", ColResult}}));
    EXPECT_EQ(index.referencesTo(30),
              (std::vector<LineReference>{{1, Kind::GeneratedG, "", ColText},
                                          {2, Kind::Result, "uw", ColResult}}));
    EXPECT_TRUE(index.referencesTo(10).empty());
    EXPECT_TRUE(index.referencesTo(0).empty());
    EXPECT_TRUE(index.referencesTo(-20).empty());
}

std::vector<int> Rows(const std::vector<LineReference>& references) {
    std::vector<int> rows;
    for (const LineReference& reference : references)
        rows.push_back(reference.row);
    return rows;
}

TEST_F(ReferenceIndexTest, FollowsEditsInsertsAndRemoves) {
    const ReferenceIndex index(store);
    ASSERT_EQ(Rows(index.referencesTo(30)), (std::vector<int>{1, 2}));
    struct Edit {
        const char* what;
        void (*change)(LineStore&);
        std::vector<int> rowsNaming30;
    };
    const Edit edits[] = {
        {"response", [](LineStore& s) { s.setCell(3, ColResponse, "30"); }, {1, 2, 3}},
        {"comment", [](LineStore& s) { s.setCell(3, ColComment, "30"); }, {1, 2, 3}},
        {"insert",
         [](LineStore& s) {
             s.insertLines(1, {DialogLine{"5", "", "", "", "", "30"}, DialogLine{}});
         },
         {1, 3, 4, 5}},
        {"remove", [](LineStore& s) { s.removeLines(2, 2); }, {1, 2, 3}},
        {"line",
         [](LineStore& s) {
             s.setLine(2, DialogLine{"20", "M:y,30"});
         },
         {1, 2, 3}},
        {"rows",
         [](LineStore& s) {
             s.setLines(1, {DialogLine{}, DialogLine{}});
         },
         {3}},
        {"append",
         [](LineStore& s) {
             s.insertLines(s.rowCount(), {DialogLine{"", "G:q 30"}});
         },
         {3, 4}},
        {"clear", [](LineStore& s) { s.removeLines(1, 99); }, {}},
    };
    for (const Edit& edit : edits) {
        SCOPED_TRACE(edit.what);
        edit.change(store);
        EXPECT_EQ(Rows(index.referencesTo(30)), edit.rowsNaming30);
    }
}

// Several changes between two questions, in any order, must leave the index as a fresh
// reading of the store would be.
TEST_F(ReferenceIndexTest, AgreesWithAFreshReadingAfterRandomChanges) {
    const ReferenceIndex index(store);
    std::mt19937 random(7);
    auto number = [&random] { return std::to_string(random() % 5 + 1); };
    for (int step = 0; step < 400; ++step) {
        const int rows = store.dataRowCount();
        const int row = rows > 0 ? static_cast<int>(random() % static_cast<unsigned>(rows)) + 1 : 1;
        switch (random() % 4) {
        case 0:
            if (rows > 0)
                store.setCell(row, random() % 2 ? ColResponse : ColText,
                              random() % 2 ? number() : "G: a " + number());
            break;
        case 1:
            store.insertLines(row, {DialogLine{"", "", "", "", "", number(), "jo 0 " + number()}});
            break;
        case 2:
            if (rows > 1)
                store.removeLines(row, 1 + static_cast<int>(random() % 2));
            break;
        default:
            for (int n = 1; n <= 5; ++n) {
                const ReferenceIndex fresh(store);
                ASSERT_EQ(index.referencesTo(n), fresh.referencesTo(n)) << "step " << step;
            }
        }
    }
}

} // namespace
} // namespace dolmex
