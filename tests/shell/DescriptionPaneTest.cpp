#include "shell/DescriptionPane.h"

#include "lang/LanguageTables.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QSplitter>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextEdit>

namespace dolmex {
namespace {

TEST(FoldWhiteSpace, FoldsAsHtmlDoes) {
    const struct {
        QString in, out;
    } cases[] = {
        {"", ""},
        {"a", "a"},
        {"  a  b  ", "a b "},
        {"\tx\t\ty", "x y"},
        {" ", ""},
        {QString("n") + QChar::Nbsp + QChar::Nbsp + "m",
         QString("n") + QChar::Nbsp + QChar::Nbsp + "m"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FoldWhiteSpace(c.in), c.out) << c.in.toStdString();
}

struct Pane {
    LanguageTables tables;
    QStatusBar bar;
    DescriptionPane pane{tables, bar, nullptr};
    std::unique_ptr<QSplitter> split{pane.widget()};

    QTextEdit* text() const { return split->findChild<QTextEdit*>("LineDesc"); }
    QListWidget* moves() const { return split->findChild<QListWidget*>("MoveList"); }
    QString panel(int i) const {
        return bar.findChild<QLabel*>(QString("SBPanel%1").arg(i))->text();
    }
    QStringList moveTexts() const {
        QStringList texts;
        for (int i = 0; i < moves()->count(); ++i)
            texts << moves()->item(i)->text();
        return texts;
    }
    // The bold runs of the panel, in order.
    QStringList boldTexts() const {
        QStringList texts;
        for (QTextBlock b = text()->document()->begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it)
                if (it.fragment().charFormat().fontWeight() == QFont::Bold)
                    texts << it.fragment().text();
        return texts;
    }
};

TEST(DescriptionPane, EachDescriptionReplacesAllOfThePrevious) {
    Pane p;
    p.pane.show({{{"Line 1", true}, {"  said  twice", false}},
                 {"To line 2", "To line 9"},
                 {"a", "b", "c"}});
    EXPECT_EQ(p.text()->toPlainText(), "Line 1\nsaid twice\n");
    EXPECT_EQ(p.boldTexts(), QStringList{"Line 1"});
    EXPECT_EQ(p.moveTexts(), (QStringList{"To line 2", "To line 9"}));
    p.moves()->setCurrentRow(1);

    // Fewer entries, one renamed; the panel loses its bold line.
    p.pane.show({{{"Line 1", false}}, {"To line 3"}, {"a", "", "c"}});
    EXPECT_EQ(p.text()->toPlainText(), "Line 1\n");
    EXPECT_TRUE(p.boldTexts().isEmpty());
    EXPECT_EQ(p.moveTexts(), QStringList{"To line 3"});
    EXPECT_EQ(p.moves()->currentRow(), -1);
    EXPECT_TRUE(p.moves()->selectedItems().isEmpty());
    EXPECT_EQ(p.panel(1), "");

    // The line count set between two equal descriptions is the description's again.
    p.pane.setLineCount("Lines : 5");
    p.pane.show({{{"Line 1", false}}, {"To line 3"}, {"a", "", "c"}});
    EXPECT_EQ(p.panel(2), "c");
    p.pane.show({{}, {}, {}});
    EXPECT_EQ(p.text()->toPlainText(), "");
    EXPECT_EQ(p.moves()->count(), 0);
}

} // namespace
} // namespace dolmex
