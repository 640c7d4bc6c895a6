#include "interp/GameMessages.h"
#include "interp/FileMessageSource.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>

#include <filesystem>

namespace dolmex {
namespace {

using test::TempFolder;
using Numbers = std::vector<std::int64_t>;

Numbers Range(std::int64_t first, std::int64_t last) {
    Numbers n;
    for (std::int64_t i = first; i <= last; ++i)
        n.push_back(i);
    return n;
}

TEST(WantedNumbers, ListsAndRanges) {
    constexpr std::int64_t kSaturated = 1'000'000'000'000;
    struct Case {
        const char* list;
        Numbers expected;
    };
    const Case cases[] = {
        {"7", {7}},
        {"3-6", {3, 4, 5, 6}},
        {"6-3", {}},
        {"5-", {5}},
        {"-5", {}},
        {"1,1", {1, 1}},
        {",,5", {5}},
        {" 12 ", {12}},
        {"#12", {12}},
        {"12a", {12}},
        {"1-2-3", Range(1, 23)},
        {"1-500", Range(1, 100)},
        {"90-95,1-10",
         [] {
             Numbers n = Range(90, 95);
             auto r = Range(1, 10);
             n.insert(n.end(), r.begin(), r.end());
             return n;
         }()},
        {"1,2,3,4,5,6,7,8,9,10,11", Range(1, 10)},
        {"1,2,3,4,5,6,7,8,9,,11", Range(1, 9)},
        {"1-99999999999", Range(1, 100)},
        {"99999999999999999999999", {kSaturated}},
        {"99999999999999999998-99999999999999999999", {kSaturated}},
        {"", {}},
        {"abc", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WantedNumbers(c.list), c.expected) << c.list;
}

TEST(AreaName, FirstNonEmptyStretchBetweenSlashes) {
    const std::pair<const char*, const char*> cases[] = {
        {"Tarn/North gate/x", "North gate"},
        {"no slash", ""},
        {"/only", "only"},
        {"a//b/c", "b"},
        {"a/", ""},
        {"a///", ""},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(AreaName(text), expected) << text;
}

struct FindCase {
    const char* name;
    MessageKind kind;
    std::string file;
    const char* list;
    std::vector<std::string> expected;
};

TEST(FindGameMessages, StoresWhatTheFileHolds) {
    using enum MessageKind;
    const FindCase cases[] = {
        {"plain kind", GlobalVar, "{105}{The old mill}\r\n", "105", {"105 - \"The old mill\""}},
        {"object names are bare", ObjectName, "{3}{a sword}\n", "3", {"a sword"}},
        {"areas keep the stretch between slashes",
         Area,
         "{5}{Tarn/North gate/x}\n",
         "5",
         {"5 - \"North gate\""}},
        {"rumour n is message 20n", Rumour, "{3}{no}\n{60}{Wolves}\n", "3", {"3 - \"Wolves\""}},
        {"file order, not list order",
         GlobalFlag,
         "{1}{a}\n{2}{b}\n{3}{c}\n",
         "3,1",
         {"1 - \"a\"", "3 - \"c\""}},
        {"asked twice, found twice", GlobalFlag, "{1}{a}\n", "1,1", {"1 - \"a\"", "1 - \"a\""}},
        {"a number on two lines",
         GlobalFlag,
         "{1}{a}\n{2}{b}\n{1}{c}\n",
         "1",
         {"1 - \"a\"", "1 - \"c\""}},
        {"lines without a number never match",
         GlobalFlag,
         "{x}{a}\n{-1}{b}\nfree text\n{1}{c}",
         "0-2",
         {"1 - \"c\""}},
        {"huge numbers match nothing", Rumour, "{2147483647}{max}\n", "99999999999999", {}},
        {"nothing asked", GlobalFlag, "{1}{a}\n", "-1", {}},
    };
    for (const auto& c : cases) {
        MemoryMessageSource source;
        source.setFile(c.kind, c.file);
        GameMessageStore store;
        GameMessageFinder(source, store).FindGameMessages(c.kind, c.list);
        EXPECT_EQ(store.texts(c.kind), c.expected) << c.name;
        for (int k = 0; k < kMessageKindCount; ++k) {
            if (static_cast<MessageKind>(k) != c.kind) {
                EXPECT_EQ(store.counter(static_cast<MessageKind>(k)), 0) << c.name;
            }
        }
    }
}

TEST(FindGameMessages, KeepsTwentyTextsOfAKindCutToTheirWidth) {
    std::string file;
    for (int i = 1; i <= 30; ++i)
        file += "{" + std::to_string(i) + "}{" + std::string(200, 'x') + "}\n";
    MemoryMessageSource source;
    source.setFile(MessageKind::GlobalVar, file);
    GameMessageStore store;
    GameMessageFinder finder(source, store);
    finder.FindGameMessages(MessageKind::GlobalVar, "1-15");
    finder.FindGameMessages(MessageKind::GlobalVar, "16-30");
    const auto& texts = store.texts(MessageKind::GlobalVar);
    ASSERT_EQ(texts.size(), 20u);
    EXPECT_EQ(texts.front(), ("1 - \"" + std::string(200, 'x')).substr(0, 160));
    EXPECT_EQ(texts.back().substr(0, 5), "20 - ");
    for (const auto& text : texts)
        EXPECT_EQ(text.size(), 160u);
    store.clear();
    EXPECT_EQ(store.counter(MessageKind::GlobalVar), 0);
}

TEST(FindGameMessages, MissingFileIsSkipped) {
    MemoryMessageSource source;
    GameMessageStore store;
    GameMessageFinder(source, store).FindGameMessages(MessageKind::Quest, "1");
    EXPECT_EQ(store.counter(MessageKind::Quest), 0);
}

TEST(MessageFilePathIn, JoinsTheRootWithTheGamePath) {
    const std::pair<const char*, const char*> cases[] = {
        {"/games/mod/", "/games/mod/mes/gamearea.mes"},
        {"/games/mod", "/games/mod/mes/gamearea.mes"},
        {"C:\\games\\mod\\", "C:/games/mod/mes/gamearea.mes"},
        {"", "mes/gamearea.mes"},
    };
    for (const auto& [root, expected] : cases)
        EXPECT_EQ(MessageFilePathIn(root, MessageFilePath(MessageKind::Area)), expected) << root;
}

TEST(FileMessageSource, ReadsAFileOnceUntilItChanges) {
    TempFolder folder;
    QDir(QString::fromStdString(folder.root())).mkpath("semes");
    const std::string path = folder.write("semes/globalvars.mes", "{1}{one}\n");
    FileMessageSource source(folder.root() + "/");
    GameMessageStore store;
    GameMessageFinder finder(source, store);
    const auto look = [&](const char* list) {
        store.clear();
        finder.FindGameMessages(MessageKind::GlobalVar, list);
        return store.texts(MessageKind::GlobalVar);
    };
    using Texts = std::vector<std::string>;

    EXPECT_EQ(look("1"), Texts{"1 - \"one\""});
    EXPECT_EQ(look("1"), Texts{"1 - \"one\""});
    EXPECT_EQ(source.readCount(), 1);

    folder.write("semes/globalvars.mes", "{1}{first}\n");
    EXPECT_EQ(look("1"), Texts{"1 - \"first\""}) << "new size";
    EXPECT_EQ(source.readCount(), 2);

    // Same size, later modification time.
    folder.write("semes/globalvars.mes", "{1}{fir5t}\n");
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(60),
                                 QFileDevice::FileModificationTime));
    file.close();
    EXPECT_EQ(look("1"), Texts{"1 - \"fir5t\""}) << "new time";
    EXPECT_EQ(source.readCount(), 3);

    std::filesystem::remove(path);
    EXPECT_EQ(look("1"), Texts{}) << "removed";
    folder.write("semes/globalvars.mes", "{1}{back}\n");
    EXPECT_EQ(look("1"), Texts{"1 - \"back\""}) << "back again";
}

TEST(FileMessageSource, NoModuleRootMeansTheWorkingFolder) {
    TempFolder folder;
    QDir(QString::fromStdString(folder.root())).mkpath("mes");
    folder.write("mes/gamequestlog.mes", "{4}{Find the ring}\n");
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(folder.root())));
    FileMessageSource source;
    const MessageFile* file = source.messageFile(MessageKind::Quest);
    QDir::setCurrent(previous);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->text(0), "Find the ring");
    EXPECT_EQ(source.messageFile(MessageKind::Area), nullptr);
}

} // namespace
} // namespace dolmex
