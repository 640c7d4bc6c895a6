// The main window's map of the dialog: a dock beside the grid that follows the grid's cursor,
// moves it when a block is clicked, and exports the map from the File menu.

#include "MapDock.h"
#include "NavigationCommands.h"
#include "TMainForm.h"
#include "core/PathText.h"
#include "ui/DialogGrid.h"

#include <QAction>
#include <QFileInfo>

namespace dolmex {

void TMainForm::createMapDock() {
    m_map = new MapDock(
        m_document.store(), m_context.tables, m_prompter,
        [this] { return m_lines ? currentRow() : 1; }, this);
    // Beside the grid, which keeps the larger share.
    addToggledDock(m_map, Qt::RightDockWidgetArea, action(QStringLiteral("Map1")),
                   [this] { return width() * 2 / 5; });

    connect(SG->selectionModel(), &QItemSelectionModel::currentRowChanged, m_map,
            [this] { m_map->followRow(currentRow()); });
    // A click moves the cursor the way a find match does: remembered as a jump, in view.
    connect(m_map, &MapDock::rowChosen, this, [this](int row) {
        m_navigation->jumpToCell(row, std::max(0, SG->currentIndex().column()), true);
    });
    connect(m_map, &MapDock::wizardRequested, this, [this](int row) {
        if (row != currentRow())
            m_navigation->jumpToCell(row, std::max(0, SG->currentIndex().column()), true);
        emit openWizardRequested(row);
    });
    connect(this, &TMainForm::languageLoaded, m_map, &MapDock::setTexts);
    for (auto replaced : {&DocumentCommands::documentReplaced, &DocumentCommands::documentCleared,
                          &DocumentCommands::recoveryRestored})
        connect(m_documents.get(), replaced, m_map, &MapDock::dialogReplaced);
    connect(action(QStringLiteral("ExportMap1")), &QAction::triggered, this, [this] {
        // Beside the dialog, under its name.
        const QString dialog = PathText(m_document.fileName());
        const QFileInfo file(dialog);
        m_map->exportMap(dialog.isEmpty() ? QString()
                                          : file.path() + QLatin1Char('/') +
                                                file.completeBaseName() + QStringLiteral(".svg"));
    });
}

} // namespace dolmex
