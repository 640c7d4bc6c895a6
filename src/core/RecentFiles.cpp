#include "RecentFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace dolmex {

namespace {

const QString kFilesKey = QStringLiteral("recent/files");

// One spelling per file, so the same file reached two ways is listed once.
QString Normalized(const QString& path) {
    return path.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

RecentFiles::RecentFiles(QString settingsPath) : m_settingsPath(std::move(settingsPath)) {
    if (m_settingsPath.isEmpty())
        return;
    const QSettings settings(m_settingsPath, QSettings::IniFormat);
    // The file may have been edited by hand: the list is cleaned as it is read.
    for (const QString& path : settings.value(kFilesKey).toStringList()) {
        const QString normalized = Normalized(path);
        if (!normalized.isEmpty() && !m_files.contains(normalized) && m_files.size() < kLimit)
            m_files << normalized;
    }
}

void RecentFiles::add(const QString& path) {
    const QString normalized = Normalized(path);
    if (normalized.isEmpty())
        return;
    if (!m_files.isEmpty() && m_files.front() == normalized)
        return;
    m_files.removeAll(normalized);
    m_files.prepend(normalized);
    while (m_files.size() > kLimit)
        m_files.removeLast();
    store();
}

void RecentFiles::remove(const QString& path) {
    if (m_files.removeAll(Normalized(path)) > 0)
        store();
}

void RecentFiles::clear() {
    m_files.clear();
    store();
}

void RecentFiles::store() const {
    if (m_settingsPath.isEmpty())
        return;
    QSettings settings(m_settingsPath, QSettings::IniFormat);
    settings.setValue(kFilesKey, m_files);
    settings.sync();
}

} // namespace dolmex
