#include "DockState.h"

#include "core/PathText.h"

#include <QMainWindow>
#include <QSettings>

namespace dolmex {

namespace {

const QString kKey = QStringLiteral("MainWindow/docks");
// Raised when the docks change so much that an old layout would be wrong.
constexpr int kLayoutVersion = 1;

} // namespace

void RestoreDocks(QMainWindow& window, const std::string& path) {
    if (path.empty())
        return;
    const QSettings stored(PathText(path), QSettings::IniFormat);
    window.restoreState(stored.value(kKey).toByteArray(), kLayoutVersion);
}

void StoreDocks(const QMainWindow& window, const std::string& path) {
    if (path.empty())
        return;
    QSettings stored(PathText(path), QSettings::IniFormat);
    stored.setValue(kKey, window.saveState(kLayoutVersion));
}

} // namespace dolmex
