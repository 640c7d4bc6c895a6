#include "FileChangeWatcher.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace dolmex {

namespace {

// What tells one content from another; empty when the file cannot be read. Not a guard
// against anyone, so a fast 64-bit hash will do: a cryptographic one cost more than reading
// the dialog.
QByteArray DigestOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {};
    const quint64 hash = qHash(QByteArrayView(bytes), 0);
    QByteArray digest = QByteArray::number(static_cast<qulonglong>(hash), 16);
    digest += ':' + QByteArray::number(bytes.size());
    return digest;
}

} // namespace

FileChangeWatcher::Stamp FileChangeWatcher::StampOf(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    return {info.size(), info.fileTime(QFileDevice::FileModificationTime).toMSecsSinceEpoch(),
            true};
}

FileChangeWatcher::Known FileChangeWatcher::Read(const QString& path, Stamp expected) {
    // Were the file changed while it is read, the digest would be of someone else's bytes.
    if (StampOf(path) != expected)
        return {};
    Known known{DigestOf(path), true};
    if (StampOf(path) != expected)
        return {};
    return known;
}

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
    m_known = {};
    if (m_path.isEmpty())
        return;
    // The stamp now, the content on a worker: reading a large dialog again would lengthen
    // every open and save on the window's thread.
    m_known = std::async(std::launch::async, Read, m_path, StampOf(m_path)).share();
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
    const Known known = m_known.get();
    if (known.read && digest == known.digest)
        return;
    std::promise<Known> now;
    now.set_value({digest, true});
    m_known = now.get_future().share();
    if (digest.isEmpty() && !QFileInfo::exists(m_path))
        emit removedFromDisk(m_path);
    else
        emit changedOnDisk(m_path);
}

} // namespace dolmex
