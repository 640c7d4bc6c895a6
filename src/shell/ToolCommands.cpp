#include "ToolCommands.h"

#include "TMainForm.h"
#include "core/Cp1251.h"
#include "core/IoError.h"
#include "editing/EditSession.h"
#include "tools/BlockLayout.h"
#include "tools/Renumber.h"
#include "tools/TBlockForm.h"
#include "tools/TRenumberForm.h"
#include "ui/Prompter.h"

#include <QAction>
#include <QStyle>
#include <QToolButton>

namespace dolmex {

ToolCommands::ToolCommands(ProgramContext& context, Prompter& prompter, TMainForm& main,
                           TRenumberForm& renumberForm, TRenReport& report, TBlockForm& navigator)
    : QObject(&main), m_context(context), m_prompter(prompter), m_main(main),
      m_renumberForm(renumberForm), m_report(report), m_navigator(navigator),
      m_buffers(context.programDir) {
    askOptions = [this] { return m_renumberForm.exec() == QDialog::Accepted; };
    const std::pair<const char*, void (ToolCommands::*)()> commands[] = {
        {"NB1", &ToolCommands::NB1Click}, {"NB5", &ToolCommands::NB5Click},
        {"NB2", &ToolCommands::NB2Click}, {"NB6", &ToolCommands::NB6Click},
        {"NB3", &ToolCommands::NB3Click}, {"NB4", &ToolCommands::NB4Click},
        {"N34", &ToolCommands::N34Click}, {"N36", &ToolCommands::N36Click},
        {"N37", &ToolCommands::N37Click}, {"N31", &ToolCommands::N31Click},
        {"N16", &ToolCommands::N16Click}, {"N32", &ToolCommands::N32Click},
    };
    for (const auto& [name, handler] : commands)
        connect(main.action(QString::fromLatin1(name)), &QAction::triggered, this, handler);
    connect(&main, &TMainForm::firstShown, this, &ToolCommands::BuffHint);
    main.onDescribe = [this] { m_navigator.MakeBlocks(m_main.document().store()); };
    connect(&main, &TMainForm::activated, this, &ToolCommands::FormActivate);
    navigator.onFocusMain = [this] {
        m_main.activateWindow();
        m_main.raise();
        // Activation may not come back on every platform; carry the choice out now as well.
        FormActivate();
    };
}

LineBuffers& ToolCommands::buffers() {
    m_buffers.select(m_context.currentBuffer);
    return m_buffers;
}

bool ToolCommands::writeBuffer(const std::function<void()>& write) {
    try {
        write();
    } catch (const IoError& error) {
        m_prompter.ioError(IoErrorText(error));
        return false;
    }
    BuffHint();
    return true;
}

void ToolCommands::NB1Click() {
    const RowBlock block = m_main.selectedBlock();
    writeBuffer([&] { buffers().Copy(m_main.document().store(), block.first, block.last); });
}

void ToolCommands::NB5Click() {
    const RowBlock block = m_main.selectedBlock();
    writeBuffer([&] { buffers().Append(m_main.document().store(), block.first, block.last); });
}

void ToolCommands::NB2Click() {
    const RowBlock block = m_main.selectedBlock();
    m_main.session().perform(EditVerb::CutLines, [&](LineStore& store) {
        int row = 0;
        if (writeBuffer([&] { row = buffers().Cut(store, block.first, block.last); })) {
            m_main.setCurrentRow(row);
            m_main.MakeLineDescr();
        }
    });
}

void ToolCommands::NB6Click() {
    const RowBlock block = m_main.selectedBlock();
    m_main.session().perform(EditVerb::CutAndAppendLines, [&](LineStore& store) {
        int row = 0;
        if (writeBuffer([&] { row = buffers().CutAppend(store, block.first, block.last); })) {
            m_main.setCurrentRow(row);
            m_main.MakeLineDescr();
        }
    });
}

void ToolCommands::NB3Click() {
    const std::optional<PastedRows> pasted =
        m_main.session().perform(EditVerb::PasteLines, [&](LineStore& store) {
            std::optional<PastedRows> rows;
            try {
                rows = buffers().Paste(store, m_main.currentRow());
            } catch (const IoError& error) {
                m_prompter.ioError(IoErrorText(error));
            }
            if (rows) {
                m_main.setCurrentRow(rows->first + rows->count - 1);
                m_main.selectBlock({rows->first, rows->first + rows->count - 1});
            }
            return rows;
        });
    if (pasted)
        m_main.MakeLineDescr();
}

void ToolCommands::NB4Click() {
    writeBuffer([&] { buffers().Clear(); });
}

void ToolCommands::BuffHint() {
    const auto hints = buffers().BuffHint(m_context.tables);
    for (int i = 0; i < kBufferCount; ++i) {
        auto* button = m_main.findChild<QToolButton*>(QStringLiteral("bb%1").arg(i + 1));
        if (!button)
            continue;
        const BufferHint& hint = hints[static_cast<std::size_t>(i)];
        button->setToolTip(FromCp1251(hint.text));
        // Two images per buffer: a document for a buffer with a file, an empty frame without.
        button->setIcon(m_main.style()->standardIcon(
            hint.filled ? QStyle::SP_FileIcon : QStyle::SP_TitleBarNormalButton));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setProperty("filled", hint.filled);
    }
}

void ToolCommands::N34Click() {
    m_main.session().perform(EditVerb::NumberBlock, [&](LineStore& store) {
        if (NumberBlock(store, m_main.currentRow()))
            m_main.MakeLineDescr();
    });
}

void ToolCommands::N36Click() {
    const int row = m_main.currentRow();
    m_main.session().perform(EditVerb::SeparatorLines, [&](LineStore& store) {
        if (InsertSeparators(store)) {
            m_main.setCurrentRow(row);
            m_main.MakeLineDescr();
        }
    });
}

void ToolCommands::N37Click() {
    m_main.session().perform(EditVerb::DeleteEmptyLines, [&](LineStore& store) {
        if (DeleteEmptyLines(store)) {
            m_main.setCurrentRow(1);
            m_main.MakeLineDescr();
        }
    });
}

void ToolCommands::N31Click() {
    m_main.session().perform(EditVerb::ClearComments, ClearComments);
    m_main.MakeLineDescr();
}

void ToolCommands::N16Click() {
    // Answered No, the unsaved changes are renumbered with the rest: the document stays
    // modified, so nothing is lost if the options are then cancelled or refused.
    if (!m_main.Alarm())
        return;
    if (!askOptions || !askOptions())
        return;
    const std::optional<RenumberOptions> options = ReadRenumberOptions(m_renumberForm.values());
    if (!options)
        return;
    const int row = m_main.currentRow();
    const std::optional<std::vector<ReportLine>> report =
        m_main.session().perform(EditVerb::Renumber, [&](LineStore& store) {
            return Renumber(store, *options, m_context.tables);
        });
    if (!report)
        return;
    m_report.showReport(*report, m_context.tables.mainDescription[md::kReportFinishedCaption]);
    m_main.setCurrentRow(row);
    m_main.MakeLineDescr();
}

void ToolCommands::N32Click() {
    m_navigator.MakeBlocks(m_main.document().store());
    m_navigator.show();
}

void ToolCommands::FormActivate() {
    const std::optional<NavigatorChoice> choice =
        m_navigator.navigator().takeChoice(m_navigator.isVisible());
    if (!choice)
        return;
    if (!choice->insert) {
        m_main.Responce(choice->line);
        return;
    }
    m_main.session().perform(EditVerb::SetResponse, [&](LineStore& store) {
        WriteChosenResponse(store, m_main.currentRow(), choice->line);
    });
    m_main.MakeLineDescr();
}

} // namespace dolmex
