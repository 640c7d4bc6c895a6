#include "FindBar.h"

#include "lang/LanguageTables.h"
#include "search/Replace.h"
#include "ui/Cp1251.h"
#include "ui/DialogGrid.h"
#include "ui/LineStoreModel.h"
#include "ui/Prompter.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <tuple>

namespace dolmex {

namespace {

// The order of matches: row, column, place in the cell.
auto Key(const CellMatch& m) {
    return std::tuple(m.row, m.column, m.span.start);
}

QToolButton* FlatButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(parent->style()->standardIcon(icon));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

FindQuery QueryOf(const QLineEdit& pattern, const QCheckBox& matchCase, const QCheckBox& wholeWords,
                  const QCheckBox& regex, std::uint8_t columns) {
    FindQuery query;
    query.pattern = pattern.text();
    query.columns = columns;
    query.matchCase = matchCase.isChecked();
    query.wholeWord = wholeWords.isChecked();
    query.regex = regex.isChecked();
    return query;
}

FindBar::FindBar(EditSession& session, LineStoreModel& model, DialogGrid& grid,
                 const LanguageTables& tables, Prompter& prompter, QWidget* parent)
    : QWidget(parent), m_session(session), m_store(session.store()), m_model(model), m_grid(grid),
      m_tables(tables), m_prompter(prompter) {
    setObjectName(QStringLiteral("FindBar"));
    m_findLabel = new QLabel(this);
    FindText = new QLineEdit(this);
    FindText->setObjectName(QStringLiteral("FindText"));
    FindText->setClearButtonEnabled(true);
    m_findLabel->setBuddy(FindText);
    m_previousButton = FlatButton(this, "FindPrevBtn", QStyle::SP_ArrowUp);
    m_nextButton = FlatButton(this, "FindNextBtn", QStyle::SP_ArrowDown);
    FindCount = new QLabel(this);
    FindCount->setObjectName(QStringLiteral("FindCount"));
    FindCount->setMinimumWidth(120);
    MatchCase = new QCheckBox(this);
    MatchCase->setObjectName(QStringLiteral("MatchCase"));
    WholeWords = new QCheckBox(this);
    WholeWords->setObjectName(QStringLiteral("WholeWords"));
    RegexBox = new QCheckBox(this);
    RegexBox->setObjectName(QStringLiteral("RegexBox"));
    m_columnsButton = new QToolButton(this);
    m_columnsButton->setObjectName(QStringLiteral("FindColumns"));
    m_columnsButton->setPopupMode(QToolButton::InstantPopup);
    m_columnsButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto* columnMenu = new QMenu(m_columnsButton);
    for (int column = 0; column < kColumnCount; ++column) {
        QAction* item = columnMenu->addAction(QString());
        item->setObjectName(QStringLiteral("FindCol%1").arg(column));
        item->setCheckable(true);
        item->setChecked(true);
        connect(item, &QAction::toggled, this, &FindBar::queryChanged);
        m_columns.push_back(item);
    }
    m_columnsButton->setMenu(columnMenu);
    m_closeButton = FlatButton(this, "FindClose", QStyle::SP_TitleBarCloseButton);

    // The text and where the search stands on the first row, what it looks for on the
    // second: long captions of any language leave the text box its room.
    auto* findRow = new QHBoxLayout;
    findRow->setContentsMargins(0, 0, 0, 0);
    FindText->setMinimumWidth(200);
    for (QWidget* w : std::initializer_list<QWidget*>{m_findLabel, FindText, m_previousButton,
                                                      m_nextButton, FindCount, m_closeButton})
        findRow->addWidget(w);
    findRow->setStretchFactor(FindText, 2);
    findRow->setStretchFactor(FindCount, 1);
    auto* optionRow = new QHBoxLayout;
    optionRow->setContentsMargins(0, 0, 0, 0);
    for (QWidget* w :
         std::initializer_list<QWidget*>{MatchCase, WholeWords, RegexBox, m_columnsButton})
        optionRow->addWidget(w);
    optionRow->addStretch(1);

    m_replaceRow = new QWidget(this);
    m_replaceLabel = new QLabel(m_replaceRow);
    ReplaceText = new QLineEdit(m_replaceRow);
    ReplaceText->setObjectName(QStringLiteral("ReplaceText"));
    m_replaceLabel->setBuddy(ReplaceText);
    ReplaceBtn = new QPushButton(m_replaceRow);
    ReplaceBtn->setObjectName(QStringLiteral("ReplaceBtn"));
    ReplaceAllBtn = new QPushButton(m_replaceRow);
    ReplaceAllBtn->setObjectName(QStringLiteral("ReplaceAllBtn"));
    auto* replaceRow = new QHBoxLayout(m_replaceRow);
    replaceRow->setContentsMargins(0, 0, 0, 0);
    replaceRow->addWidget(m_replaceLabel);
    replaceRow->addWidget(ReplaceText, 1);
    replaceRow->addWidget(ReplaceBtn);
    replaceRow->addWidget(ReplaceAllBtn);
    replaceRow->addStretch(0);

    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(2, 2, 2, 2);
    rows->setSpacing(2);
    rows->addLayout(findRow);
    rows->addLayout(optionRow);
    rows->addWidget(m_replaceRow);

    // Every match is counted at each keystroke; on a large dialog (a regular expression over
    // 200,000 lines takes about a third of a second) the count waits for a pause in typing.
    m_typingPause.setSingleShot(true);
    m_typingPause.setInterval(250);
    connect(&m_typingPause, &QTimer::timeout, this, &FindBar::queryChanged);
    connect(FindText, &QLineEdit::textChanged, this, [this] {
        if (m_store.dataRowCount() < kSearchAsYouTypeRows)
            queryChanged();
        else
            m_typingPause.start();
    });
    connect(FindText, &QLineEdit::returnPressed, this, &FindBar::findNext);
    connect(ReplaceText, &QLineEdit::returnPressed, this, &FindBar::replaceOne);
    for (QCheckBox* box : {MatchCase, WholeWords, RegexBox})
        connect(box, &QCheckBox::toggled, this, &FindBar::queryChanged);
    connect(m_previousButton, &QToolButton::clicked, this, &FindBar::findPrevious);
    connect(m_nextButton, &QToolButton::clicked, this, &FindBar::findNext);
    connect(m_closeButton, &QToolButton::clicked, this, &FindBar::close);
    connect(ReplaceBtn, &QPushButton::clicked, this, &FindBar::replaceOne);
    connect(ReplaceAllBtn, &QPushButton::clicked, this, &FindBar::replaceAll);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &FindBar::close);

    m_store.addObserver(this);
    hide();
}

FindBar::~FindBar() {
    m_store.removeObserver(this);
    m_model.setCellMark(nullptr);
}

const std::string& FindBar::text(int entry) const {
    return m_tables.mainDescription[entry];
}

void FindBar::setTexts() {
    const auto t = [this](int entry) { return FromCp1251(text(entry)); };
    m_findLabel->setText(t(md::kFindLabel));
    m_replaceLabel->setText(t(md::kReplaceLabel));
    MatchCase->setText(t(md::kMatchCase));
    WholeWords->setText(t(md::kWholeWords));
    RegexBox->setText(t(md::kRegularExpression));
    m_columnsButton->setText(t(md::kColumns));
    ReplaceBtn->setText(t(md::kReplaceButton));
    ReplaceAllBtn->setText(t(md::kReplaceAllButton));
    m_closeButton->setToolTip(t(md::kCloseFindHint));
    m_nextButton->setToolTip(t(md::kFindNextHint));
    m_previousButton->setToolTip(t(md::kFindPreviousHint));
    for (int column = 0; column < kColumnCount; ++column)
        m_columns[static_cast<std::size_t>(column)]->setText(t(md::kFirstColumnName + column));
    paintCount();
}

void FindBar::openFind() {
    m_freshSearch = true;
    m_replaceRow->hide();
    show();
    FindText->setFocus();
    FindText->selectAll();
    queryChanged();
}

void FindBar::openReplace() {
    m_freshSearch = true;
    m_replaceRow->show();
    show();
    // With something to look for already, the keyboard goes where the next text is typed.
    QLineEdit* target = FindText->text().isEmpty() ? FindText : ReplaceText;
    target->setFocus();
    target->selectAll();
    queryChanged();
}

void FindBar::close() {
    hide();
    m_model.setCellMark(nullptr);
    m_grid.setFocus();
}

void FindBar::queryChanged() {
    m_typingPause.stop();
    std::uint8_t columns = 0;
    for (int column = 0; column < kColumnCount; ++column) {
        if (m_columns[static_cast<std::size_t>(column)]->isChecked())
            columns = static_cast<std::uint8_t>(columns | (1u << column));
    }
    m_matcher =
        CellMatcher::compile(QueryOf(*FindText, *MatchCase, *WholeWords, *RegexBox, columns));
    m_stale = true;
    m_current = -1;
    if (!isVisible())
        return;
    // Only the cells painted ask: the cost follows the rows in view, not the dialog's size.
    m_model.setCellMark([this](int row, int column) {
        if (!m_matcher.searches(column) || !m_matcher.matches(m_store.cell(row, column)))
            return LineStoreModel::CellMark::None;
        if (m_current >= 0 && !m_stale) {
            const CellMatch& shown = m_matches[static_cast<std::size_t>(m_current)];
            if (shown.row == row && shown.column == column)
                return LineStoreModel::CellMark::Current;
        }
        return LineStoreModel::CellMark::Match;
    });
    // Typing moves to the first match from the cursor on, as the text grows.
    step(false, true);
}

void FindBar::settleQuery() {
    // What the user typed counts, even when the pause after it has not yet run out.
    if (m_typingPause.isActive())
        queryChanged();
}

void FindBar::recount() {
    if (!m_stale)
        return;
    // The match shown stays the one shown when it is still there.
    const bool keep = m_current >= 0;
    const CellMatch shown = keep ? m_matches[static_cast<std::size_t>(m_current)] : CellMatch{};
    m_matches = m_matcher.isValid() ? FindAll(m_store, m_matcher) : std::vector<CellMatch>{};
    m_stale = false;
    m_current = -1;
    if (keep) {
        const auto found = std::find(m_matches.begin(), m_matches.end(), shown);
        if (found != m_matches.end())
            m_current = static_cast<int>(found - m_matches.begin());
    }
}

void FindBar::step(bool backward, bool here) {
    const QModelIndex cursor = m_grid.currentIndex();
    const int row = cursor.isValid() ? LineStoreModel::storeRow(cursor) : 1;
    const int column = std::max(0, cursor.column());
    // Where the cursor stands among the matches: on the one shown, or before its cell.
    int start = -1;
    if (!here && m_current >= 0 && !m_stale) {
        const CellMatch& shown = m_matches[static_cast<std::size_t>(m_current)];
        if (shown.row == row && shown.column == column)
            start = shown.span.start;
    }
    goTo({row, column, start}, here, backward, !here || m_freshSearch);
}

void FindBar::goTo(std::tuple<int, int, int> at, bool inclusive, bool backward, bool remember) {
    recount();
    if (m_matches.empty()) {
        m_current = -1;
        paintCount();
        m_model.refreshMarks();
        return;
    }
    const int count = static_cast<int>(m_matches.size());
    const auto first =
        std::lower_bound(m_matches.begin(), m_matches.end(), at,
                         [](const CellMatch& m, const auto& k) { return Key(m) < k; });
    int next = static_cast<int>(first - m_matches.begin());
    if (backward) {
        --next;
    } else if (!inclusive && next < count && Key(m_matches[static_cast<std::size_t>(next)]) == at) {
        ++next;
    }
    const bool wrapped = next < 0 || next >= count;
    if (wrapped)
        next = backward ? count - 1 : 0;
    m_current = next;
    const CellMatch& match = m_matches[static_cast<std::size_t>(next)];
    if (showMatch)
        showMatch(match.row, match.column, remember);
    m_freshSearch = false;
    if (wrapped)
        emit passingMessage(FromCp1251(text(backward ? md::kWrappedToBottom : md::kWrappedToTop)));
    paintCount();
    m_model.refreshMarks();
}

void FindBar::findNext() {
    if (!isVisible() || FindText->text().isEmpty()) {
        openFind();
        return;
    }
    settleQuery();
    step(false, false);
}

void FindBar::findPrevious() {
    if (!isVisible() || FindText->text().isEmpty()) {
        openFind();
        return;
    }
    settleQuery();
    step(true, false);
}

void FindBar::paintCount() {
    QString shown;
    QString style;
    if (!m_matcher.isValid()) {
        shown = FromCp1251(text(md::kInvalidPattern)) + QLatin1Char(' ') + m_matcher.errorText();
        style = QStringLiteral("color: #c00000");
    } else if (FindText->text().isEmpty()) {
        shown.clear();
    } else if (m_matches.empty()) {
        shown = FromCp1251(text(md::kNoMatches));
        style = QStringLiteral("color: #c00000");
    } else {
        const QString current =
            m_current >= 0 ? QString::number(m_current + 1) : QStringLiteral("-");
        shown = FromCp1251(text(md::kMatchOfCount))
                    .arg(current, QString::number(static_cast<qsizetype>(m_matches.size())));
    }
    FindCount->setText(shown);
    FindCount->setToolTip(shown);
    FindCount->setStyleSheet(style);
}

bool FindBar::refusesReplacement() {
    const QString replacement = ReplaceText->text();
    if (!ReplacementProblem(replacement))
        return false;
    m_prompter.warn(QStringLiteral("Warning"), UnstorableWarning(text(md::kUnstorableReplacement),
                                                                 FirstUnstorable(replacement)));
    ReplaceText->setFocus();
    return true;
}

void FindBar::replaceOne() {
    if (!isVisible() || refusesReplacement())
        return;
    settleQuery();
    recount();
    const QModelIndex cursor = m_grid.currentIndex();
    if (m_current >= 0 && cursor.isValid()) {
        const CellMatch match = m_matches[static_cast<std::size_t>(m_current)];
        const int before = static_cast<int>(m_store.cell(match.row, match.column).size());
        if (match.row == LineStoreModel::storeRow(cursor) && match.column == cursor.column() &&
            ReplaceMatch(m_session, m_store, m_matcher, match, ReplaceText->text())) {
            // The search goes on after the new text, so a replacement is never found again.
            const int after = static_cast<int>(m_store.cell(match.row, match.column).size());
            m_current = -1;
            goTo({match.row, match.column, match.span.start + match.span.length + after - before},
                 true, false, true);
            return;
        }
    }
    step(false, false);
}

void FindBar::replaceAll() {
    if (!isVisible() || refusesReplacement())
        return;
    settleQuery();
    const int replaced = ReplaceAll(m_session, m_store, m_matcher, ReplaceText->text());
    emit passingMessage(FromCp1251(text(md::kReplacedCount)).arg(replaced));
    m_stale = true;
    m_current = -1;
    recount();
    paintCount();
    m_model.refreshMarks();
}

void FindBar::lineStoreChanged(const LineStoreChange& change) {
    if (change.kind == LineStoreChange::Kind::TitleChanged)
        return;
    m_stale = true;
    if (!isVisible() || m_recountQueued)
        return;
    // Counted once after a command, however many changes it made.
    m_recountQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_recountQueued = false;
        recount();
        paintCount();
    });
}

} // namespace dolmex
