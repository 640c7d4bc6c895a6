// The main window's module panel: the dialogs of the open dialog's module, or of a folder
// chosen from the File menu, one of them opened by Enter or a double click.

#include "ModulePanel.h"
#include "TMainForm.h"
#include "core/PathText.h"
#include "ui/Prompter.h"

#include <QAction>
#include <QFileInfo>

#include <algorithm>

namespace dolmex {

void TMainForm::createModulePanel() {
    m_module = new ModulePanel(m_context.tables, this);
    QAction* toggle = action(QStringLiteral("Module1"));
    // Beside the grid, which keeps the larger share, wide enough for four columns.
    addToggledDock(m_module, Qt::LeftDockWidgetArea, toggle,
                   [this] { return std::max(width() / 4, m_module->sizeHint().width()); });

    connect(action(QStringLiteral("OpenModule1")), &QAction::triggered, this, [this, toggle] {
        const QString dialog = PathText(m_document.fileName());
        const QString start = !m_module->folder().isEmpty() ? m_module->folder()
                              : dialog.isEmpty()            ? QString()
                                                            : QFileInfo(dialog).absolutePath();
        QString caption = action(QStringLiteral("OpenModule1"))->text();
        caption.remove(QLatin1Char('&'));
        if (caption.endsWith(QLatin1String("...")))
            caption.chop(3);
        const std::optional<QString> folder = m_prompter.folderName(caption, start);
        if (!folder)
            return;
        m_module->setFolder(*folder);
        toggle->setChecked(true);
    });
    connect(m_module, &ModulePanel::openRequested, this,
            [this](const QString& path) { m_documents->openFile(path); });
    connect(this, &TMainForm::languageLoaded, m_module, &ModulePanel::setTexts);
    // Opened, or saved under another name: the panel lists that dialog's module.
    for (auto named : {&DocumentCommands::documentReplaced, &DocumentCommands::captionChanged})
        connect(m_documents.get(), named, m_module,
                [this] { m_module->followDialog(PathText(m_document.fileName())); });
}

} // namespace dolmex
