#include "FileChangeWatcher.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace dolmex {

namespace {

// Empty when the file cannot be read.
QByteArray DigestOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        return {};
    return hash.result();
}

} // namespace

FileChangeWatcher::FileChangeWatcher(QObject* parent) : QObject(parent) {
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, &FileChangeWatcher::check);
    const auto settleFirst = [this] { m_settle.start(); };
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, settleFirst);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, settleFirst);
}

void FileChangeWatcher::watch(const QString& path) {
    m_settle.stop();
    if (const QStringList watched = m_watcher.files() + m_watcher.directories(); !watched.isEmpty())
        m_watcher.removePaths(watched);
    m_path = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    m_digest = m_path.isEmpty() ? QByteArray() : DigestOf(m_path);
    if (m_path.isEmpty())
        return;
    m_watcher.addPath(QFileInfo(m_path).absolutePath());
    rewatch();
}

void FileChangeWatcher::rewatch() {
    if (QFileInfo::exists(m_path) && !m_watcher.files().contains(m_path))
        m_watcher.addPath(m_path);
}

void FileChangeWatcher::check() {
    if (m_path.isEmpty())
        return;
    rewatch();
    const QByteArray digest = DigestOf(m_path);
    if (digest == m_digest)
        return;
    m_digest = digest;
    if (digest.isEmpty())
        emit removedFromDisk(m_path);
    else
        emit changedOnDisk(m_path);
}

} // namespace dolmex
