#pragma once

#include "Command.h"

namespace dolmex::cli {

// Lists what would make dialog files point at the wrong lines, and the lines a save would
// change, one problem per line.
class CheckCommand : public Command {
public:
    QString name() const override { return QStringLiteral("check"); }
    QString summary() const override {
        return QStringLiteral("Report unresolved line references, bad line numbers and lines a "
                              "save would change: check FILE...");
    }
    int run(const QStringList& arguments, QTextStream& out, QTextStream& err) override;
};

} // namespace dolmex::cli
