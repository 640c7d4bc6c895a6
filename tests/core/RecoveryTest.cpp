#include "core/DialogReader.h"
#include "core/DialogWriter.h"
#include "core/Document.h"
#include "core/DocumentRecovery.h"
#include "editing/EditSession.h"
#include "support/Rows.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

namespace dolmex {
namespace {

using namespace std::chrono_literals;
using test::ReadAll;
using test::TempFolder;

// Processes events until `done` holds (false after 30 s, so a fault fails instead of hanging).
bool WaitFor(const std::function<bool()>& done) {
    const auto giveUp = std::chrono::steady_clock::now() + 30s;
    while (!done() && std::chrono::steady_clock::now() < giveUp)
        QCoreApplication::processEvents();
    return done();
}

// The window thread's part of the pending autosave, then the writer's.
void Settle(DocumentRecovery& recovery) {
    ASSERT_TRUE(WaitFor([&] { return !recovery.autosavePending(); }));
    recovery.finishWrites();
    QCoreApplication::processEvents(); // queued failure reports
}

void WriteFile(const QString& path, const char* bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void SetAge(const QString& path, int seconds) {
    QFile file(path);
    ASSERT_TRUE(file.exists() && file.open(QIODevice::ReadWrite));
    file.setFileTime(QDateTime::currentDateTime().addSecs(-seconds),
                     QFileDevice::FileModificationTime);
}

struct Fixture {
    Fixture() {
        // Timers and queued signals need an application object.
        static int argc = 1;
        static char name[] = "core_tests";
        static char* argv[] = {name, nullptr};
        static QCoreApplication app(argc, argv);
        recovery.setDelay(0ms);
    }
    void fill(int rows) {
        DialogLines lines;
        for (int i = 1; i <= rows; ++i)
            lines.push_back(DialogLine{std::to_string(i), "Text", "", "", "", "", "",
                                       i % 7 == 0 ? "note" : ""});
        lines.push_back(DialogLine{});
        document.store().replaceAll(std::move(lines));
    }
    QString copy() const { return recovery.recoveryFilePath(document.fileName()); }
    bool copyMatches() const {
        return ReadAll(copy().toStdString()) == SerializeDialog(document.store().lines());
    }

    TempFolder temp;
    QString folder = QString::fromStdString(temp.path("recovery"));
    Document document;
    PlainEditSession session{document};
    DocumentRecovery recovery{document, folder};
};

TEST(Recovery, OneFilePerAbsolutePathAndOneForUntitled) {
    TempFolder temp;
    const std::string a = temp.path("00001A.dlg");
    EXPECT_EQ(RecoveryFileName(""), "untitled.dlg");
    EXPECT_EQ(RecoveryFileName(a), RecoveryFileName(temp.root() + "/./x/../00001A.dlg"));
    EXPECT_NE(RecoveryFileName(a), RecoveryFileName(temp.path("00001a.dlg")));
    EXPECT_TRUE(RecoveryFileName(a).contains(QRegularExpression("^[0-9a-f]{40}\\.dlg$")));
}

TEST(Recovery, CopyIsTheSavedFileAndRestoresUnderTheDocumentsName) {
    Fixture f;
    const std::string path = f.temp.write("00001Bob.dlg", "{1}{Hi}{}{}{}{}{}\r\n");
    ASSERT_TRUE(f.session.load(path));
    SetAge(QString::fromStdString(path), 60);
    f.recovery.setSliceBudget(0us); // several slices
    f.fill(1000);
    Settle(f.recovery);
    EXPECT_TRUE(f.copyMatches());

    Document reopened;
    PlainEditSession session(reopened);
    ASSERT_TRUE(session.load(path));
    DocumentRecovery next(reopened, f.folder);
    ASSERT_TRUE(next.hasRecoveryNewerThanFile(path));
    ASSERT_TRUE(
        session.perform(EditVerb::RestoreRecovery, [&](LineStore&) { return next.restore(); }));
    EXPECT_EQ(Unpacked(reopened.store().lines()),
              Unpacked(ParseDialog(SerializeDialog(f.document.store().lines()))));
    EXPECT_TRUE(reopened.isModified());
    EXPECT_EQ(reopened.fileName(), path);
    EXPECT_EQ(reopened.caption(), "00001 - Bob");
    next.discard(); // saved before the next autosave: the restored copy goes too
    next.finishWrites();
    EXPECT_FALSE(QFile::exists(f.copy()));
}

TEST(Recovery, OfferedWhenNewerThanTheFileOrWithoutOne) {
    struct Case {
        const char* name;
        bool untitled;
        int fileAge, copyAge; // seconds; -1: no such file
        bool offered;
    } cases[] = {
        {"untitled", true, -1, 10, true},
        {"no copy", false, 10, -1, false},
        {"file gone", false, -1, 10, true},
        {"older than the file", false, 10, 20, false},
        {"newer than the file", false, 20, 10, true},
    };
    for (const Case& c : cases) {
        Fixture f;
        const std::string path = c.untitled ? "" : f.temp.path("00002Ann.dlg");
        if (c.fileAge >= 0)
            SetAge(QString::fromStdString(f.temp.write("00002Ann.dlg", "{1}{A}{}{}{}{}{}")),
                   c.fileAge);
        if (c.copyAge >= 0) {
            const QString copy = f.recovery.recoveryFilePath(path);
            WriteFile(copy, "{1}{Changed}{}{}{}{}{}\r\n");
            SetAge(copy, c.copyAge);
        }
        EXPECT_EQ(f.recovery.hasRecoveryNewerThanFile(path), c.offered) << c.name;
    }
}

TEST(Recovery, RemovesWhatItWroteAndNothingElse) {
    Fixture f;
    // A copy left by an earlier run, for a file this run has not opened.
    const std::string other = f.temp.path("00003Old.dlg");
    const QString earlier = f.recovery.recoveryFilePath(other);
    WriteFile(earlier, "{1}{x}{}{}{}{}{}\r\n");

    f.document.store().setCell(1, ColText, "typed");
    Settle(f.recovery);
    const QString untitled = f.copy();
    ASSERT_TRUE(QFile::exists(untitled));
    // Saved under a name: the next autosave writes that name's copy and drops the old one.
    f.session.saveAs(f.temp.path("00003New.dlg"));
    f.document.store().setCell(1, ColText, "more");
    Settle(f.recovery);
    EXPECT_FALSE(QFile::exists(untitled));
    ASSERT_TRUE(QFile::exists(f.copy()));
    // Undone to the saved state: the delay ends with the document unmodified.
    f.document.store().setCell(1, ColText, "typed");
    f.document.setModified(false);
    Settle(f.recovery);
    EXPECT_FALSE(QFile::exists(f.copy()));

    f.document.store().setCell(1, ColText, "again");
    Settle(f.recovery);
    ASSERT_TRUE(QFile::exists(f.copy()));
    f.recovery.discard();
    f.recovery.finishWrites();
    EXPECT_FALSE(QFile::exists(f.copy()));
    EXPECT_TRUE(QFile::exists(earlier));
    f.recovery.removeRecovery(other);
    f.recovery.finishWrites();
    EXPECT_FALSE(QFile::exists(earlier));
}

TEST(Recovery, AChangeWhileSerialisingStartsOver) {
    Fixture f;
    f.recovery.setSliceBudget(0us);
    f.fill(2000);
    ASSERT_TRUE(WaitFor([&] { return f.recovery.serializing(); }));
    f.document.store().setCell(1, ColText, "changed after its slice");
    Settle(f.recovery);
    EXPECT_TRUE(f.copyMatches());
}

// The writer held just before its file replaces the old one, while the window thread goes
// on: a discard then must leave no file, a newer change the newer text.
TEST(Recovery, AWriteInFlightNeverOutlivesLaterRequests) {
    for (const bool discard : {true, false}) {
        std::atomic<int> stage = 0; // 1: the first write waits, 2: it may go on
        Fixture f;
        f.recovery.setBeforeCommitHook([&] {
            int idle = 0;
            if (!stage.compare_exchange_strong(idle, 1))
                return;
            for (int i = 0; i < 30'000 && stage != 2; ++i)
                std::this_thread::sleep_for(1ms);
        });
        f.document.store().setCell(1, ColText, "first");
        ASSERT_TRUE(WaitFor([&] { return stage == 1; }));
        if (discard)
            f.recovery.discard();
        else
            f.document.store().setCell(1, ColText, "second");
        ASSERT_TRUE(WaitFor([&] { return !f.recovery.autosavePending(); }));
        stage = 2;
        f.recovery.finishWrites();
        if (discard)
            EXPECT_FALSE(QFile::exists(f.copy()));
        else
            EXPECT_TRUE(f.copyMatches());
    }
}

TEST(Recovery, AFailedWriteIsReportedOnTheWindowThread) {
    Fixture f;
    const QString blocked = QString::fromStdString(f.temp.write("file", "")) + "/recovery";
    DocumentRecovery recovery(f.document, blocked);
    recovery.setDelay(0ms);
    QStringList failed;
    QObject::connect(&recovery, &DocumentRecovery::writeFailed, [&](const QString& path) {
        EXPECT_EQ(QThread::currentThread(), QCoreApplication::instance()->thread());
        failed << path;
    });
    f.document.store().setCell(1, ColText, "typed");
    Settle(recovery);
    EXPECT_EQ(failed, QStringList{recovery.recoveryFilePath("")});
}

} // namespace
} // namespace dolmex
