#include "ProgramWindows.h"

namespace dolmex {

ProgramWindows::ProgramWindows(ProgramContext& context, Prompter& prompter,
                               const QString& commandLineFile)
    : m_context(context), m_prompter(prompter),
      m_main(std::make_unique<TMainForm>(context, prompter, commandLineFile)) {}

ProgramWindows::~ProgramWindows() = default;

} // namespace dolmex
