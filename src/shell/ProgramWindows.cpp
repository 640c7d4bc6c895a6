#include "ProgramWindows.h"

#include "FileTypeRegistration.h"

#include <QAction>

namespace dolmex {

ProgramWindows::ProgramWindows(ProgramContext& context, Prompter& prompter,
                               const QString& commandLineFile)
    : m_context(context), m_prompter(prompter),
      m_main(std::make_unique<TMainForm>(context, prompter, commandLineFile)) {
    // The secondary windows in start-up order: renumbering options, renumbering report,
    // about box, line wizard, block navigator.
    m_renumberForm = std::make_unique<TRenumberForm>(context.tables, m_main.get());
    m_report = std::make_unique<TRenReport>(m_main.get());
    m_wizard =
        std::make_unique<TWizardForm>(context.tables, m_main->session(), prompter,
                                      context.wizardCaptions, static_cast<WizardHost*>(this));
    m_navigator = std::make_unique<TBlockForm>(m_main.get());
    m_tools = std::make_unique<ToolCommands>(context, prompter, *m_main, *m_renumberForm, *m_report,
                                             *m_navigator);
    QObject::connect(m_main.get(), &TMainForm::openWizardRequested, m_wizard.get(),
                     &TWizardForm::openRow);
    QObject::connect(m_main.get(), &TMainForm::languageLoaded, m_wizard.get(),
                     &TWizardForm::languageLoaded);

    QObject::connect(m_main->action(QStringLiteral("DLG1")), &QAction::triggered, m_main.get(),
                     [this] { DLG1Click(m_context, m_prompter); });

    // Tools > Play from this line: the play window, at the current line's block.
    m_play = std::make_unique<TPlayForm>(context.tables, m_main.get());
    QObject::connect(
        m_main->action(QStringLiteral("Play1")), &QAction::triggered, m_main.get(), [this] {
            if (!m_play->play(m_main->document().store().lines(), m_main->currentRow()))
                return;
            m_play->show();
            m_play->raise();
            m_play->activateWindow();
        });
    QObject::connect(m_main.get(), &TMainForm::languageLoaded, m_play.get(),
                     &TPlayForm::languageLoaded);
    QObject::connect(m_play.get(), &TPlayForm::rowChosen, m_main.get(), [this](int row) {
        m_main->setCurrentRow(row);
        m_main->MakeLineDescr();
    });
}

ProgramWindows::~ProgramWindows() = default;

void ProgramWindows::wizardApplied(int row) {
    m_main->setCurrentRow(row);
    m_main->MakeLineDescr();
}

} // namespace dolmex
