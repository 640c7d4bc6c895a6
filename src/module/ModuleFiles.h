#pragma once

#include <QStringList>

namespace dolmex {

// The dialog files of `folder`: every "*.dlg" below it, in path order.
QStringList DialogFilesBelow(const QString& folder);

// The files named, each folder replaced by the dialog files below it.
QStringList DialogFilesIn(const QStringList& arguments);

} // namespace dolmex
