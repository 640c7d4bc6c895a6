// A save killed at any moment leaves the target either as it was or complete.

#include "core/DialogReader.h"
#include "core/DialogWriter.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace dolmex {
namespace {

using test::ReadAll;
using test::TempFolder;

DialogLines LargeDialog(const std::string& text) {
    DialogLines rows;
    for (int i = 1; i <= 60'000; ++i)
        rows.push_back(
            DialogLine{std::to_string(i), text, "", "1", "gf 1 1", std::to_string(i + 1)});
    return rows;
}

TEST(CrashSafeSave, KilledSavesNeverLeaveAHalfWrittenFile) {
    TempFolder folder;
    const std::string target = folder.path("00001Big.dlg");
    const DialogLines oldRows = LargeDialog("The old text of this line");
    const DialogLines newRows = LargeDialog("A new and somewhat longer text of this line");
    const std::string oldBytes = SerializeDialog(oldRows);
    const std::string newBytes = SerializeDialog(newRows);

    // How long one save takes, so the kills spread over the whole of it.
    const auto start = std::chrono::steady_clock::now();
    WriteDialogFile(target, newRows);
    const auto saveTime = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - start);

    // Kill at random moments until fifty saves have been killed; a save that finished before
    // its kill shortens the delays, since the child may run slower than this process.
    std::mt19937 random(20261208);
    long longestDelay = saveTime.count() * 3 / 2 + 1;
    int killedMidway = 0;
    for (int run = 0; run < 1000 && killedMidway < 50; ++run) {
        WriteDialogFile(target, oldRows);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            WriteDialogFile(target, newRows);
            _exit(0);
        }
        usleep(
            static_cast<useconds_t>(std::uniform_int_distribution<long>(0, longestDelay)(random)));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        if (WIFSIGNALED(status))
            ++killedMidway;
        else
            longestDelay = longestDelay * 4 / 5 + 1;
        const std::string onDisk = ReadAll(target);
        ASSERT_TRUE(onDisk == oldBytes || onDisk == newBytes)
            << "run " << run << ": " << onDisk.size() << " bytes on disk";
    }
    EXPECT_GE(killedMidway, 50);
}

} // namespace
} // namespace dolmex
