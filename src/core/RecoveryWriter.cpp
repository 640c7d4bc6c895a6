#include "RecoveryWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace dolmex {

RecoveryWriter::RecoveryWriter(FailureHandler onFailure)
    : m_onFailure(std::move(onFailure)), m_thread([this] { run(); }) {}

RecoveryWriter::~RecoveryWriter() {
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void RecoveryWriter::write(const QString& path, std::vector<std::string> chunks) {
    {
        const std::lock_guard lock(m_mutex);
        std::erase_if(m_jobs, [&](const Job& job) { return !job.removal && job.path == path; });
        m_jobs.push_back({false, path, std::move(chunks), m_nextSerial++});
    }
    m_wake.notify_all();
}

void RecoveryWriter::remove(const QString& path) {
    {
        const std::lock_guard lock(m_mutex);
        m_lastRemoval[path] = m_nextSerial;
        m_jobs.push_back({true, path, {}, m_nextSerial++});
    }
    m_wake.notify_all();
}

void RecoveryWriter::waitUntilIdle() {
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return m_jobs.empty() && !m_busy; });
}

void RecoveryWriter::setBeforeCommitHook(std::function<void()> hook) {
    const std::lock_guard lock(m_mutex);
    m_beforeCommit = std::move(hook);
}

void RecoveryWriter::run() {
    for (;;) {
        Job job;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
            if (m_jobs.empty())
                return;
            job = std::move(m_jobs.front());
            m_jobs.pop_front();
            m_busy = true;
        }
        perform(job);
        {
            const std::lock_guard lock(m_mutex);
            m_busy = false;
        }
        m_idle.notify_all();
    }
}

void RecoveryWriter::perform(const Job& job) {
    if (!job.removal) {
        performWrite(job);
        return;
    }
    QFile file(job.path);
    if (file.exists() && !file.remove())
        m_onFailure(job.path, file.errorString());
}

void RecoveryWriter::performWrite(const Job& job) {
    if (overtaken(job))
        return;
    const QString folder = QFileInfo(job.path).absolutePath();
    if (!QDir().mkpath(folder)) {
        m_onFailure(job.path, QStringLiteral("cannot create the folder %1").arg(folder));
        return;
    }
    // Dropping a QSaveFile without commit() deletes its temporary file and leaves the
    // target as it was.
    QSaveFile file(job.path);
    if (!file.open(QIODevice::WriteOnly)) {
        m_onFailure(job.path, file.errorString());
        return;
    }
    for (const std::string& chunk : job.chunks) {
        if (overtaken(job))
            return;
        if (file.write(chunk.data(), static_cast<qint64>(chunk.size())) !=
            static_cast<qint64>(chunk.size())) {
            m_onFailure(job.path, file.errorString());
            return;
        }
    }
    std::function<void()> hook;
    {
        const std::lock_guard lock(m_mutex);
        hook = m_beforeCommit;
    }
    if (hook)
        hook();
    // Not needed for correctness (the removal runs after this job), but it saves a
    // rename and a delete.
    if (overtaken(job))
        return;
    if (!file.commit())
        m_onFailure(job.path, file.errorString());
}

bool RecoveryWriter::overtaken(const Job& job) {
    const std::lock_guard lock(m_mutex);
    const auto removal = m_lastRemoval.find(job.path);
    return removal != m_lastRemoval.end() && removal->second > job.serial;
}

} // namespace dolmex
