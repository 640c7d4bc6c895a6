#pragma once

#include "DialogCommand.h"

namespace dolmex::cli {

// Plays a conversation through a dialog file for one player character and prints what was
// said, what could be chosen and how the run ended.
class PlayCommand : public DialogCommand {
public:
    QString name() const override { return QStringLiteral("play"); }
    QString summary() const override {
        return QStringLiteral("Play a conversation and print its transcript: play FILE --from N "
                              "[--gender male|female] [--intelligence K] [--choose 1,2,...] "
                              "[--fail-tests]");
    }

protected:
    Positionals positionals() const override;
    QList<QCommandLineOption> options() const override;
    QString helpDetails() const override;
    int execute(const QCommandLineParser& parser, const QStringList& positional) override;
};

} // namespace dolmex::cli
