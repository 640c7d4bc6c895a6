#pragma once

#include "Command.h"

namespace dolmex::cli {

// Prints what the editor's description panel, navigation list and status bar show for the
// rows of a dialog file, one JSON object per row.
class DescribeCommand : public Command {
public:
    QString name() const override { return QStringLiteral("describe"); }
    QString summary() const override {
        return QStringLiteral("Describe dialog lines as JSON Lines: describe FILE [--row R] "
                              "[--lang LNGFILE] [--no-generated-info] [--no-messages]");
    }
    int run(const QStringList& arguments, QTextStream& out, QTextStream& err) override;
};

} // namespace dolmex::cli
