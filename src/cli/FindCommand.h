#pragma once

#include "DialogCommand.h"

namespace dolmex::cli {

// Prints the cells of dialog files that hold a text or a regular expression.
class FindCommand : public DialogCommand {
public:
    QString name() const override { return QStringLiteral("find"); }
    QString summary() const override {
        return QStringLiteral("Print the cells that hold a text: find PATTERN FILE...");
    }

protected:
    Positionals positionals() const override;
    QList<QCommandLineOption> options() const override;
    QString helpDetails() const override;
    int execute(const QCommandLineParser& parser, const QStringList& positional) override;
};

} // namespace dolmex::cli
