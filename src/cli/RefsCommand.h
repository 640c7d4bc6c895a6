#pragma once

#include "DialogCommand.h"

namespace dolmex::cli {

// Prints the lines of a dialog file that name one line by its number.
class RefsCommand : public DialogCommand {
public:
    QString name() const override { return QStringLiteral("refs"); }
    QString summary() const override {
        return QStringLiteral("Print the lines that name a line: refs FILE LINE");
    }

protected:
    Positionals positionals() const override;
    QString helpDetails() const override;
    int execute(const QCommandLineParser& parser, const QStringList& positional) override;
};

} // namespace dolmex::cli
