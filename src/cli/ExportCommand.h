#pragma once

#include "DialogCommand.h"

namespace dolmex::cli {

// Writes the texts a player sees in dialog files to a gettext PO file, for translation.
class ExportCommand : public DialogCommand {
public:
    QString name() const override { return QStringLiteral("export"); }
    QString summary() const override {
        return QStringLiteral(
            "Write the texts to translate to a PO file: export FILE... --out F.po");
    }

protected:
    Positionals positionals() const override;
    QList<QCommandLineOption> options() const override;
    QString helpDetails() const override;
    int execute(const QCommandLineParser& parser, const QStringList& positional) override;
};

} // namespace dolmex::cli
