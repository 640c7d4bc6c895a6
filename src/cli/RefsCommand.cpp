#include "RefsCommand.h"

#include "search/ReferenceIndex.h"

namespace dolmex::cli {

namespace {

QString Place(const LineReference& reference) {
    switch (reference.kind) {
    case ReferenceKind::Response:
        return QStringLiteral("response");
    case ReferenceKind::GeneratedG:
        return QStringLiteral("G:");
    case ReferenceKind::GeneratedM:
        return QStringLiteral("M:");
    case ReferenceKind::Result:
        break;
    }
    return QStringLiteral("result ") + QString::fromStdString(reference.code);
}

} // namespace

Positionals RefsCommand::positionals() const {
    return {QStringLiteral("FILE LINE"),
            QStringLiteral("The dialog file, and the number of the line named."), 2, 2};
}

QString RefsCommand::helpDetails() const {
    return QStringLiteral(
        "Prints FILE:ROW: PLACE for each place where a line names LINE, in row order (ROW "
        "counts the dialog's lines\nfrom 1, as the editor's grid does). PLACE is response, G: "
        "(an item of a G: list), M: (the line of an M: text)\nor result jo, result et, result "
        "uw.\nExit status: 0 some line names LINE, 1 none, 2 the file could not be read or "
        "the arguments are wrong.\n");
}

int RefsCommand::execute(const QCommandLineParser&, const QStringList& positional) {
    const QString& file = positional[0];
    bool isNumber = false;
    const int number = positional[1].toInt(&isNumber);
    if (!isNumber || number < 1)
        failUsage(
            QStringLiteral("LINE must be a line number from 1 on, not '%1'").arg(positional[1]));
    LineStore store;
    store.replaceAll(readDialog(file));
    const ReferenceIndex index(store);
    const std::vector<LineReference> references = index.referencesTo(number);
    for (const LineReference& reference : references)
        out() << file << ':' << reference.row << ": " << Place(reference) << '\n';
    return references.empty() ? kExitFindings : kExitOk;
}

} // namespace dolmex::cli
