#pragma once

#include "ProgramContext.h"
#include "TMainForm.h"
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

private:
    // The wizard applied its working row to the main grid's row `row`.
    void wizardApplied(int row) override;

    ProgramContext& m_context;
    Prompter& m_prompter;
    std::unique_ptr<TMainForm> m_main;
    // The renumbering options, the renumbering report and the about box come here.
    std::unique_ptr<TWizardForm> m_wizard;
    // The block navigator comes here.
};

} // namespace dolmex
