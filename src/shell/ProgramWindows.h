#pragma once

#include "ProgramContext.h"
#include "TMainForm.h"

#include <QString>

#include <memory>

namespace dolmex {

class Prompter;

// Every window of the program, created once in start-up order and wired together: the
// main window first (its creation reads the settings and loads the command-line file),
// then the secondary windows, which live until the program ends.
class ProgramWindows {
public:
    ProgramWindows(ProgramContext& context, Prompter& prompter, const QString& commandLineFile);
    ~ProgramWindows();

    TMainForm& mainForm() { return *m_main; }

private:
    ProgramContext& m_context;
    Prompter& m_prompter;
    std::unique_ptr<TMainForm> m_main;
};

} // namespace dolmex
