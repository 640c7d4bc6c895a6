#pragma once

#include "DialogCommand.h"

namespace dolmex::cli {

// Prints a dialog file's map: its blocks and what leads from one to another, as Graphviz
// DOT or as an SVG drawing.
class GraphCommand : public DialogCommand {
public:
    QString name() const override { return QStringLiteral("graph"); }
    QString summary() const override {
        return QStringLiteral("Print the map of a dialog as DOT or SVG: graph FILE");
    }

protected:
    Positionals positionals() const override;
    QList<QCommandLineOption> options() const override;
    QString helpDetails() const override;
    int execute(const QCommandLineParser& parser, const QStringList& positional) override;
};

} // namespace dolmex::cli
