#pragma once

// Runs the built dolmex-cli (its path comes from the DOLMEX_CLI compile definition) and
// collects what it printed.

#include <QProcess>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <string>

namespace dolmex::test {

struct CliRun {
    int exitCode;
    std::string out, err;
};

inline CliRun RunCli(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(DOLMEX_CLI), arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

inline QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

inline long Lines(const std::string& text) {
    return std::count(text.begin(), text.end(), '\n');
}

} // namespace dolmex::test
