// The main window's search parts: the find bar under the grid, the list of lines that name
// the current line beside the navigation list, and the way back and forth between jumps.

#include "DescriptionPane.h"
#include "FindBar.h"
#include "NavigationCommands.h"
#include "ReferencesPane.h"
#include "TMainForm.h"
#include "ui/DialogGrid.h"
#include "ui/UndoHistory.h"

#include <QAction>
#include <QGroupBox>
#include <QSplitter>
#include <QVBoxLayout>

namespace dolmex {

QWidget* TMainForm::createSearchParts() {
    m_findBar = new FindBar(*m_history, *m_model, *SG, m_context.tables, m_prompter);
    auto* gridArea = new QWidget;
    gridArea->setObjectName(QStringLiteral("GridArea"));
    auto* layout = new QVBoxLayout(gridArea);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(SG, 1);
    layout->addWidget(m_findBar);

    m_references = new ReferencesPane(
        m_document.store(), m_context.tables, [this] { return m_lines ? currentRow() : 1; }, this);
    QSplitter* lower = m_pane->widget();
    const QList<int> sizes = lower->sizes();
    lower->addWidget(m_references->widget());
    lower->setStretchFactor(2, 0);
    lower->setSizes(sizes + QList<int>{136});
    return gridArea;
}

void TMainForm::connectSearchParts() {
    m_navigation = std::make_unique<NavigationCommands>(*SG, *m_lines, m_document.store(),
                                                        m_context.tables, m_prompter, m_actions);
    connect(m_navigation.get(), &NavigationCommands::describe, this, &TMainForm::MakeLineDescr);
    connect(m_references, &ReferencesPane::referenceChosen, this, [this](int row) {
        m_navigation->jumpTo(row);
        SG->setFocus();
    });
    m_findBar->showMatch = [this](int row, int column, bool remember) {
        m_navigation->jumpToCell(row, column, remember);
    };
    connect(m_findBar, &FindBar::passingMessage, this, &TMainForm::showPassingMessage);
    const std::pair<const char*, void (FindBar::*)()> commands[] = {
        {"Find1", &FindBar::openFind},
        {"FindNext1", &FindBar::findNext},
        {"FindPrev1", &FindBar::findPrevious},
        {"Replace1", &FindBar::openReplace},
    };
    for (const auto& [name, handler] : commands)
        connect(action(QString::fromLatin1(name)), &QAction::triggered, m_findBar, handler);
}

} // namespace dolmex
