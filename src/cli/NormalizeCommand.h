#pragma once

#include "DialogCommand.h"

namespace dolmex::cli {

// Reads a dialog file and writes it back in the canonical form.
class NormalizeCommand : public DialogCommand {
public:
    QString name() const override { return QStringLiteral("normalize"); }
    QString summary() const override {
        return QStringLiteral(
            "Read a dialog file and write it in canonical form: normalize IN --out OUT");
    }

protected:
    Positionals positionals() const override;
    QList<QCommandLineOption> options() const override;
    int execute(const QCommandLineParser& parser, const QStringList& positional) override;
};

} // namespace dolmex::cli
