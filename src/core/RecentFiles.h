#pragma once

#include <QString>
#include <QStringList>

namespace dolmex {

// The files last opened or saved, newest first, kept in a settings file of their own so the
// program's settings file keeps its format. A list that cannot be written is kept for the
// run: losing it is no reason to interrupt the user.
class RecentFiles {
public:
    static constexpr int kLimit = 10;

    // `settingsPath` empty: the list lives for the run only.
    explicit RecentFiles(QString settingsPath = {});

    const QStringList& files() const { return m_files; }
    // Puts `path` first, once, and drops the oldest beyond the limit.
    void add(const QString& path);
    void remove(const QString& path);
    void clear();

private:
    void store() const;

    QString m_settingsPath;
    QStringList m_files;
};

} // namespace dolmex
