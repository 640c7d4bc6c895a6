#pragma once

#include "ProgramContext.h"
#include "tools/LineBuffers.h"

#include <QObject>

#include <functional>

namespace dolmex {

class Prompter;
class TBlockForm;
class TMainForm;
class TRenReport;
class TRenumberForm;

// The Buffer and Tools menu commands of the main window: the five line buffers with their
// button hints, the block layout commands, renumbering with its options and report, and
// the block navigator. Each change of the dialog is one undo step.
class ToolCommands : public QObject {
    Q_OBJECT

public:
    ToolCommands(ProgramContext& context, Prompter& prompter, TMainForm& main,
                 TRenumberForm& renumberForm, TRenReport& report, TBlockForm& navigator);

    // How the options window is shown; returns true for OK. Tests answer it.
    std::function<bool()> askOptions;

    void NB1Click(); // copy
    void NB5Click(); // append
    void NB2Click(); // cut
    void NB6Click(); // cut and append
    void NB3Click(); // paste
    void NB4Click(); // clear
    void BuffHint();
    void N34Click(); // number the block
    void N36Click(); // separator lines
    void N37Click(); // delete empty lines
    void N31Click(); // clear comments
    void N16Click(); // renumber
    void N32Click(); // navigator
    // The main window became active: carry out the navigator's pending choice.
    void FormActivate();

private:
    LineBuffers& buffers();
    // Runs a buffer write; false (after the I/O error box) when it failed.
    bool writeBuffer(const std::function<void()>& write);

    ProgramContext& m_context;
    Prompter& m_prompter;
    TMainForm& m_main;
    TRenumberForm& m_renumberForm;
    TRenReport& m_report;
    TBlockForm& m_navigator;
    LineBuffers m_buffers;
};

} // namespace dolmex
