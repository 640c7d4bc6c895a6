// Broken game message files: what the user gets and that no file on disk changed.

#include "BadInput.h"

namespace dolmex {
namespace {

using namespace badinput;

const Shape kMessageShape{
    "{7}{The old mill}\r\n",
    "{7}{" + std::string(kLongLine, 'm') + "}\r\n",
    "{7}{First}\r\n{8}{Second}\r\n",
    "{7}{\x98 place}\r\n",
};

struct MessageCase {
    Bad input;
    Then then;
    std::optional<IoError::Kind> error = std::nullopt;
    std::vector<std::string> found = {}; // the quest texts the line's description shows
};

// The quest texts shown in the description of a player's line that tests quest 7.
struct Described {
    std::vector<std::string> found;
    bool headed = false; // the panel shows the quest heading and each text under it
};

Described DescribeQuestTest(LineDescriber& describer) {
    LineStore store;
    store.replaceAll({Row({"1", "Hi", "", "5", "qu 7"})});
    const LineDescription description = describer.MakeLineDescr(store, 1, {});
    Described result{describer.messages().texts(MessageKind::Quest)};
    std::vector<std::string> shown;
    bool underHeading = false;
    for (const DescLine& line : description.lines) {
        if (line.bold)
            underHeading = line.text == "Quests:";
        else if (underHeading)
            shown.push_back(line.text);
    }
    result.headed = shown == result.found;
    return result;
}

class MessageBadInput : public testing::TestWithParam<MessageCase> {
protected:
    MessageBadInput() {
        m_tables.mainDescription.set(33, ":");
        m_tables.mainDescription.set(34 + static_cast<int>(MessageKind::Quest), "Quests");
    }
    LanguageTables m_tables;
};

TEST_P(MessageBadInput, DescriptionOfAQuestTest) {
    const MessageCase& c = GetParam();
    if (const auto why = WhyNot(c.input))
        GTEST_SKIP() << *why;
    TempFolder folder;
    const std::string root = folder.path("module") + "/";
    const std::string path = root + "mes/gamequestlog.mes";
    Place(c.input, path, kMessageShape);

    FileMessageSource source(root);
    LineDescriber describer(m_tables, source);
    if (c.input == Bad::Vanishes) {
        ASSERT_EQ(DescribeQuestTest(describer).found,
                  std::vector<std::string>{"7 - \"The old mill\""});
        fs::remove(path);
    }
    const Snapshot files = TakeSnapshot(folder.root());

    Described described;
    const auto error = Outcome(path, [&] { described = DescribeQuestTest(describer); });

    EXPECT_EQ(Describe(error), Describe(c.error));
    if (!error && c.then != Then::Anything) {
        EXPECT_EQ(described.found, c.found);
        EXPECT_TRUE(described.headed);
    }
    ExpectSameFiles(files, TakeSnapshot(folder.root()));
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, MessageBadInput,
    testing::Values(MessageCase{Bad::Empty, Then::Gives}, MessageCase{Bad::AllBytes, Then::Gives},
                    MessageCase{Bad::RandomBytes, Then::Anything},
                    // A stored text is cut to 160 characters.
                    MessageCase{Bad::LongLine, Then::Gives, {}, {"7 - \"" + std::string(155, 'm')}},
                    MessageCase{Bad::OnlyBraces, Then::Gives},
                    MessageCase{Bad::OnlyCr, Then::Gives},
                    // The number is found by counting "{", so the mark before it does no harm.
                    MessageCase{Bad::Utf8Bom, Then::Gives, {}, {"7 - \"First\""}},
                    MessageCase{Bad::Invalid1251, Then::Gives, {}, {"7 - \"\x98 place\""}},
                    MessageCase{Bad::Folder, Then::Gives},
                    MessageCase{Bad::NoReadPermission, Then::Gives},
                    MessageCase{Bad::ReadFails, Then::KeepsAll, IoError::Kind::Read},
                    // The file read before is not served from memory once it is gone.
                    MessageCase{Bad::Vanishes, Then::Gives}),
    CaseName<MessageCase>);

// A message file that comes back after it vanished is read again, not forgotten.
TEST(MessageFileBadInput, AFileThatComesBackIsReadAgain) {
    TempFolder folder;
    const std::string root = folder.path("module") + "/";
    const std::string path = root + "mes/gamequestlog.mes";
    Place(Bad::Vanishes, path, kMessageShape);
    FileMessageSource source(root);

    ASSERT_NE(source.messageFile(MessageKind::Quest), nullptr);
    fs::remove(path);
    EXPECT_EQ(source.messageFile(MessageKind::Quest), nullptr);
    std::ofstream(path, std::ios::binary) << "{7}{The mill, rebuilt}\r\n";
    const MessageFile* file = source.messageFile(MessageKind::Quest);
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(file->lineCount(), 1u);
    EXPECT_EQ(file->text(0), "The mill, rebuilt");
}

} // namespace
} // namespace dolmex
