#pragma once

#include <QString>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace dolmex {

// The one thread that changes recovery files. Writes and removals run one at a time in the
// order they were asked for, so a removal always comes after every write asked before it:
// a write still running can never bring back a file that was removed after it.
class RecoveryWriter {
public:
    // Called on the writer's thread when a write or removal fails.
    using FailureHandler = std::function<void(const QString& path, const QString& reason)>;

    explicit RecoveryWriter(FailureHandler onFailure);
    // Finishes the work already asked for, then stops the thread.
    ~RecoveryWriter();
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;

    // Replaces the file at `path` with the chunks, one after the other, atomically; its
    // folder is made when missing. A write not yet started is dropped when a newer write of
    // the same file is asked for, and a write is given up when a removal of its file is.
    void write(const QString& path, std::vector<std::string> chunks);
    void remove(const QString& path);
    // Blocks until everything asked for so far is done.
    void waitUntilIdle();

    // For tests: runs on the writer's thread when a write is complete but has not yet
    // replaced the file.
    void setBeforeCommitHook(std::function<void()> hook);

private:
    struct Job {
        bool removal = false;
        QString path;
        std::vector<std::string> chunks;
        std::uint64_t serial = 0;
    };

    void run();
    void perform(const Job& job);
    void performWrite(const Job& job);
    // A removal of the job's file was asked for after the job.
    bool overtaken(const Job& job);

    FailureHandler m_onFailure;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<Job> m_jobs;
    std::map<QString, std::uint64_t> m_lastRemoval;
    std::function<void()> m_beforeCommit;
    std::uint64_t m_nextSerial = 1;
    bool m_busy = false;
    bool m_stopping = false;
    std::thread m_thread;
};

} // namespace dolmex
