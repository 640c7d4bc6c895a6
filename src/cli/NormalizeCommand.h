#pragma once

#include "Command.h"

namespace dolmex::cli {

// Reads a dialog file and writes it back in the canonical form.
class NormalizeCommand : public Command {
public:
    QString name() const override { return QStringLiteral("normalize"); }
    QString summary() const override {
        return QStringLiteral(
            "Read a dialog file and write it in canonical form: normalize IN --out OUT");
    }
    int run(const QStringList& arguments, QTextStream& out, QTextStream& err) override;
};

} // namespace dolmex::cli
