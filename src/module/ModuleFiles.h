#pragma once

#include <QStringList>

namespace dolmex {

// The dialog files of `folder`: every "*.dlg" below it, in path order.
QStringList DialogFilesBelow(const QString& folder);

// The files named, each folder replaced by the dialog files below it.
QStringList DialogFilesIn(const QStringList& arguments);

// The module's dialog folder for the dialog at `path`: "dlg" in the module root, where the
// messages are looked up too, or the dialog's own folder when the root has no "dlg"; empty
// for an untitled dialog.
QString DialogFolderOf(const QString& path);

// Whether two paths name one file, however each was reached (links, "..", a relative path).
bool IsSameFile(const QString& a, const QString& b);

} // namespace dolmex
