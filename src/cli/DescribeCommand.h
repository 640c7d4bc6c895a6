#pragma once

#include "DialogCommand.h"

namespace dolmex::cli {

// Prints what the editor's description panel, navigation list and status bar show for the
// rows of a dialog file, one JSON object per row.
class DescribeCommand : public DialogCommand {
public:
    QString name() const override { return QStringLiteral("describe"); }
    QString summary() const override {
        return QStringLiteral("Describe dialog lines as JSON Lines: describe FILE [--row R] "
                              "[--lang LNGFILE] [--no-generated-info] [--no-messages]");
    }

protected:
    Positionals positionals() const override;
    QList<QCommandLineOption> options() const override;
    int execute(const QCommandLineParser& parser, const QStringList& positional) override;
};

} // namespace dolmex::cli
