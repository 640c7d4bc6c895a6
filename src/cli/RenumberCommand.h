#pragma once

#include "Command.h"

namespace dolmex::cli {

// Renumbers a dialog file as the Tools menu does and prints the report as JSON.
class RenumberCommand : public Command {
public:
    QString name() const override { return QStringLiteral("renumber"); }
    QString summary() const override {
        return QStringLiteral("Renumber the lines of a dialog file and rewrite the references: "
                              "renumber FILE --out OUT [--blocks B] [--step S]");
    }
    int run(const QStringList& arguments, QTextStream& out, QTextStream& err) override;
};

} // namespace dolmex::cli
