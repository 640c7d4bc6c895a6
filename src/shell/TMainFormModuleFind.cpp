// The main window's find in module: a dock beside the grid that looks through the dialog
// files of the open dialog's module and opens the one a chosen match is in.

#include "ModuleFindDock.h"
#include "NavigationCommands.h"
#include "TMainForm.h"
#include "core/PathText.h"
#include "module/ModuleFiles.h"
#include "module/ModuleSearch.h"
#include "ui/DialogGrid.h"

#include <QAction>

namespace dolmex {

void TMainForm::createModuleFindDock() {
    m_moduleFind = new ModuleFindDock(
        m_context.tables, [this] { return DialogFolderOf(PathText(m_document.fileName())); },
        [this] {
            if (!m_document.isModified() || m_document.fileName().empty())
                return OpenDialog();
            return OpenDialog{PathText(m_document.fileName()), m_document.store().lines()};
        },
        this);
    addDockWidget(Qt::BottomDockWidgetArea, m_moduleFind);
    m_moduleFind->hide();
    connect(action(QStringLiteral("ModuleFind1")), &QAction::triggered, this, [this] {
        const bool wasHidden = m_moduleFind->isHidden();
        m_moduleFind->open();
        if (wasHidden) // under the grid, which keeps the larger share
            resizeDocks({m_moduleFind}, {height() / 3}, Qt::Vertical);
    });
    connect(this, &TMainForm::languageLoaded, m_moduleFind, &ModuleFindDock::setTexts);
    connect(m_moduleFind, &ModuleFindDock::matchChosen, this,
            [this](const QString& file, int row, int column) {
                const bool isOpen = IsSameFile(PathText(m_document.fileName()), file);
                if (!isOpen && !m_documents->openFile(file))
                    return;
                if (row > m_document.store().dataRowCount())
                    return; // the file changed since the search
                m_navigation->jumpToCell(row, column, true);
                SG->setFocus();
            });
}

} // namespace dolmex
