#pragma once

#include "ProgramContext.h"
#include "TMainForm.h"
#include "ToolCommands.h"
#include "play/TPlayForm.h"
#include "tools/TBlockForm.h"
#include "tools/TRenumberForm.h"
#include "wizard/TWizardForm.h"

#include <QString>

#include <memory>

namespace dolmex {

class Prompter;

// Every window of the program, created once in start-up order and wired together: the
// main window first (its creation reads the settings and loads the command-line file),
// then the secondary windows, which live until the program ends.
class ProgramWindows : private WizardHost {
public:
    ProgramWindows(ProgramContext& context, Prompter& prompter, const QString& commandLineFile);
    ~ProgramWindows() override;

    TMainForm& mainForm() { return *m_main; }
    TWizardForm& wizard() { return *m_wizard; }
    TRenumberForm& renumberForm() { return *m_renumberForm; }
    TRenReport& renumberReport() { return *m_report; }
    TBlockForm& navigator() { return *m_navigator; }
    ToolCommands& tools() { return *m_tools; }
    TPlayForm& playForm() { return *m_play; }

private:
    // The wizard applied its working row to the main grid's row `row`.
    void wizardApplied(int row) override;

    ProgramContext& m_context;
    Prompter& m_prompter;
    std::unique_ptr<TMainForm> m_main;
    std::unique_ptr<TRenumberForm> m_renumberForm;
    std::unique_ptr<TRenReport> m_report;
    // The about box is made when it is asked for.
    std::unique_ptr<TWizardForm> m_wizard;
    std::unique_ptr<TBlockForm> m_navigator;
    std::unique_ptr<ToolCommands> m_tools;
    std::unique_ptr<TPlayForm> m_play;
};

} // namespace dolmex
