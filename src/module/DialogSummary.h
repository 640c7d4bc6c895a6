#pragma once

// What the module panel shows of one dialog file: its number and character from the file
// name, and from its contents the rows and the problems `check` reports.

#include <QDateTime>
#include <QString>

namespace dolmex {

// "00001Ferryman.dlg" -> number "00001" (value 1), name "Ferryman". A name that does not
// start with a digit has no number (value -1) and is all name.
struct DialogFileNaming {
    QString number;
    int value = -1;
    QString name;

    bool operator==(const DialogFileNaming&) const = default;
};

DialogFileNaming NameOfDialogFile(const QString& fileName);

// When a file was last seen as it is, to tell whether it changed since it was read.
struct FileStamp {
    qint64 size = -1;
    QDateTime modified;

    bool operator==(const FileStamp&) const = default;
};

FileStamp StampOf(const QString& path);

struct DialogSummary {
    QString path;
    DialogFileNaming naming;
    int lines = 0;    // the rows of the grid the file opens in
    int problems = 0; // what `check` reports of the file, in number
    // Why the file could not be read; empty when it was, and only then do the counts hold.
    QString readError;
    FileStamp stamp; // taken before reading: a write during the read shows as a change

    bool readable() const { return readError.isEmpty(); }
};

// Reads and checks the dialog at `path`; never throws. Runs on a worker.
DialogSummary SummarizeDialog(const QString& path);

} // namespace dolmex
