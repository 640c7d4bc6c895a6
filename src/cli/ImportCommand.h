#pragma once

#include "DialogCommand.h"

namespace dolmex::cli {

// Writes the translations of a gettext PO file back into the dialog files.
class ImportCommand : public DialogCommand {
public:
    QString name() const override { return QStringLiteral("import"); }
    QString summary() const override {
        return QStringLiteral(
            "Put the translations of a PO file into dialogs: import F.po FILE...");
    }

protected:
    Positionals positionals() const override;
    QString helpDetails() const override;
    int execute(const QCommandLineParser& parser, const QStringList& positional) override;
};

} // namespace dolmex::cli
