#include "DescriptionPane.h"

#include "interp/Navigation.h"
#include "ui/Cp1251.h"
#include "ui/SteadyScrollBar.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QSplitter>
#include <QStatusBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace dolmex {

namespace {

constexpr int kPassingMessageMs = 8000;

} // namespace

DescriptionPane::DescriptionPane(const LanguageTables& tables, QStatusBar& statusBar,
                                 QObject* parent)
    : QObject(parent), m_tables(tables) {
    LineDesc = new QTextEdit;
    LineDesc->setObjectName(QStringLiteral("LineDesc"));
    LineDesc->setReadOnly(true);
    LineDesc->setVerticalScrollBar(new SteadyScrollBar(Qt::Vertical, LineDesc));
    LineDesc->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Painted anew on each refresh; a history of that would only grow.
    LineDesc->setUndoRedoEnabled(false);

    GB1 = new QGroupBox;
    GB1->setObjectName(QStringLiteral("GB1"));
    MoveList = new QListWidget(GB1);
    MoveList->setObjectName(QStringLiteral("MoveList"));
    auto* groupLayout = new QVBoxLayout(GB1);
    groupLayout->setContentsMargins(2, 2, 2, 2);
    groupLayout->addWidget(MoveList);

    m_split = new QSplitter(Qt::Horizontal);
    m_split->addWidget(LineDesc);
    m_split->addWidget(GB1);
    m_split->setStretchFactor(0, 1);
    m_split->setStretchFactor(1, 0);
    m_split->setSizes({600, 136});

    statusBar.setObjectName(QStringLiteral("SB"));
    const int widths[] = {300, 300, 50};
    for (int i = 0; i < 3; ++i) {
        m_panels[i] = new QLabel;
        m_panels[i]->setObjectName(QStringLiteral("SBPanel%1").arg(i));
        // The comment panels keep their width however long the comment is.
        if (i < 2)
            m_panels[i]->setFixedWidth(widths[i]);
        else
            m_panels[i]->setMinimumWidth(widths[i]);
        statusBar.addWidget(m_panels[i]);
    }
    // What a command did ("Saved 53 lines to ..."), beside the three panels, which keep
    // their own texts.
    m_passingMessage = new QLabel;
    m_passingMessage->setObjectName(QStringLiteral("SBMessage"));
    // It takes only the room the panels leave: a long path never squeezes the line count.
    m_passingMessage->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusBar.addWidget(m_passingMessage, 1);
    m_passingMessageTimer = new QTimer(this);
    m_passingMessageTimer->setSingleShot(true);
    connect(m_passingMessageTimer, &QTimer::timeout, m_passingMessage, &QLabel::clear);

    connect(MoveList, &QListWidget::itemDoubleClicked, this, &DescriptionPane::chooseMove);
}

void DescriptionPane::show(LineDescription description) {
    // Moving the cursor repaints on every key: what did not change is left alone, since
    // each new text relays out its widget and each status panel the whole status bar.
    if (description.lines != m_description.lines)
        paintLines(description.lines);
    if (description.moves != m_description.moves)
        paintMoves(description.moves);
    for (int i = 0; i < 3; ++i)
        setPanelText(i, FromCp1251(description.status[static_cast<std::size_t>(i)]));
    m_description = std::move(description);
}

void DescriptionPane::paintLines(const std::vector<DescLine>& lines) {
    // Built in place rather than parsed from HTML, with the white space folded as HTML
    // would fold it, so the panel reads as it always has.
    // The old text goes inside the same edit block as the new comes in, so the panel is laid
    // out once and its scroll bar, seeing the same height, is left as it is.
    QTextCursor cursor(LineDesc->document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    QTextCharFormat plain;
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    const QString lineBreak(QChar::LineSeparator);
    for (const DescLine& line : lines) {
        cursor.insertText(FoldWhiteSpace(FromCp1251(line.text)), line.bold ? bold : plain);
        cursor.insertText(lineBreak, plain);
    }
    cursor.endEditBlock();
    LineDesc->moveCursor(QTextCursor::Start);
}

void DescriptionPane::paintMoves(const std::vector<std::string>& moves) {
    // The entries are renamed in place; only a change of their number adds or takes items.
    const int count = static_cast<int>(moves.size());
    while (MoveList->count() > count)
        delete MoveList->takeItem(MoveList->count() - 1);
    for (int i = 0; i < count; ++i) {
        const QString text = FromCp1251(moves[static_cast<std::size_t>(i)]);
        if (i < MoveList->count()) {
            QListWidgetItem* item = MoveList->item(i);
            if (item->text() != text)
                item->setText(text);
        } else {
            MoveList->addItem(text);
        }
    }
    // As a fresh list: nothing chosen, the first entry at the top.
    MoveList->setCurrentRow(-1);
    MoveList->clearSelection();
    MoveList->scrollToTop();
}

void DescriptionPane::setPanelText(int panel, const QString& text) {
    if (m_panels[panel]->text() != text)
        m_panels[panel]->setText(text);
}

void DescriptionPane::setLineCount(const QString& text) {
    setPanelText(2, text);
}

void DescriptionPane::showPassingMessage(const QString& text) {
    m_passingMessage->setText(text);
    m_passingMessage->setToolTip(text); // whole, where a small window cuts the note
    m_passingMessageTimer->start(kPassingMessageMs);
}

void DescriptionPane::setMovesTitle(const QString& title) {
    GB1->setTitle(title);
}

void DescriptionPane::chooseMove(QListWidgetItem* item) {
    const std::optional<std::string> entry = ToCp1251(item->text());
    if (!entry)
        return;
    if (const auto target = JumpTarget(m_tables, *entry))
        emit moveChosen(*target);
}

} // namespace dolmex
