#pragma once

#include <QByteArray>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <future>

namespace dolmex {

// Tells when another program changes or removes the open file: its bytes are no longer the
// ones the editor last read or wrote. Touching the file, or the editor's own save, says
// nothing. Each change is told once.
class FileChangeWatcher : public QObject {
    Q_OBJECT

public:
    // How long a burst of changes (a program writing in several steps) is let settle.
    static constexpr int kSettleMs = 200;

    explicit FileChangeWatcher(QObject* parent = nullptr);

    // The file as the editor holds it now, after a load or a save; empty: no file.
    void watch(const QString& path);
    const QString& path() const { return m_path; }

signals:
    void changedOnDisk(const QString& path);
    void removedFromDisk(const QString& path);

private:
    struct Stamp {
        qint64 size = -1;
        qint64 modified = 0; // ms since the epoch
        bool exists = false;
        bool operator==(const Stamp&) const = default;
    };
    struct Known {
        QByteArray digest; // empty: no file, or one that cannot be read
        bool read = false; // false: the file changed under the reading, so nothing is known
    };
    static Stamp StampOf(const QString& path);
    // The content of `path`, provided the file is still as `expected`.
    static Known Read(const QString& path, Stamp expected);

    void check();
    // The file itself goes from the watch when it is replaced by a rename, so its folder is
    // watched too, and the file is taken in again whenever it is there.
    void rewatch();

    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    QString m_path;
    std::shared_future<Known> m_known; // of the bytes the editor last read or wrote
};

} // namespace dolmex
