#pragma once

#include "DialogCommand.h"

namespace dolmex::cli {

// Lists what would make dialog files point at the wrong lines, and the lines a save would
// change, one problem per line.
class CheckCommand : public DialogCommand {
public:
    QString name() const override { return QStringLiteral("check"); }
    QString summary() const override {
        return QStringLiteral("Report unresolved line references, bad line numbers, dead ends "
                              "and lines a save would change: check FILE...");
    }

protected:
    Positionals positionals() const override;
    QString helpDetails() const override;
    int execute(const QCommandLineParser& parser, const QStringList& positional) override;
};

} // namespace dolmex::cli
