#pragma once

#include "DialogCommand.h"

namespace dolmex::cli {

// Renumbers a dialog file as the Tools menu does and prints the report as JSON.
class RenumberCommand : public DialogCommand {
public:
    QString name() const override { return QStringLiteral("renumber"); }
    QString summary() const override {
        return QStringLiteral("Renumber the lines of a dialog file and rewrite the references: "
                              "renumber FILE --out OUT [--blocks B] [--step S]");
    }

protected:
    Positionals positionals() const override;
    QList<QCommandLineOption> options() const override;
    int execute(const QCommandLineParser& parser, const QStringList& positional) override;
};

} // namespace dolmex::cli
