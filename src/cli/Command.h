#pragma once

#include <QStringList>
#include <QTextStream>

#include <memory>
#include <vector>

namespace dolmex::cli {

// One verb of dolmex-cli. `run` gets the arguments after the verb and returns the exit
// code; it writes results to `out` and one line per failure to `err`.
class Command {
public:
    virtual ~Command() = default;
    virtual QString name() const = 0;
    virtual QString summary() const = 0;
    virtual int run(const QStringList& arguments, QTextStream& out, QTextStream& err) = 0;
};

std::vector<std::unique_ptr<Command>> AllCommands();

} // namespace dolmex::cli
