#pragma once

#include "DialogCommand.h"

namespace dolmex::cli {

// The last line of check's text output: "3 problems in 2 of 40 files", "No problems in 1 file",
// then ", 1 file could not be read" when some could not.
QString CheckSummary(long long problems, int filesWithProblems, int filesRead, int unreadable);

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
    QList<QCommandLineOption> options() const override;
    QString helpDetails() const override;
    int execute(const QCommandLineParser& parser, const QStringList& positional) override;
};

} // namespace dolmex::cli
