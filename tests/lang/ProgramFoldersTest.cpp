#include "lang/ProgramFolders.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

namespace dolmex {
namespace {

using test::TempFolder;

QString Folder(const QString& path) {
    return QDir::toNativeSeparators(path) + QDir::separator();
}

TEST(ProgramFolders, LanguageFilesBesideTheProgramOrInTheInstalledDataFolder) {
    struct Case {
        const char* name;
        std::vector<const char*> files;
        const char* expected; // relative to the temporary folder
    };
    const Case cases[] = {
        {"build tree or portable copy", {"bin/english.lng"}, "bin"},
        {"installed", {"share/dolmex/english.lng"}, "share/dolmex"},
        {"letter case ignored", {"share/dolmex/ENGLISH.LNG"}, "share/dolmex"},
        {"beside the program wins", {"bin/english.lng", "share/dolmex/english.lng"}, "bin"},
        {"neither: the program's folder is named", {"share/dolmex/russian.lng"}, "bin"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        const QString root = QString::fromStdString(folder.root());
        QDir().mkpath(root + "/bin");
        for (const char* file : c.files) {
            QDir().mkpath(QFileInfo(root + "/" + file).path());
            folder.write(file, "[MAINMENU]\r\n");
        }
        EXPECT_EQ(LanguageFolderFor(root + "/bin"), Folder(root + "/" + c.expected)) << c.name;
    }
}

TEST(ProgramFolders, SettingsAndBuffersStayBesideAWritablePortableCopyOnly) {
    const QString program = QStringLiteral("/opt/dolmex/bin/dolmex");
    const QString bin = Folder(QStringLiteral("/opt/dolmex/bin"));
    const QString share = Folder(QStringLiteral("/opt/dolmex/share/dolmex"));
    const QString config = QStringLiteral("/home/ann/.config/Dolmex");
    struct Case {
        const char* name;
        QString languageDir;
        bool writable;
        QString home;
    };
    const Case cases[] = {
        {"portable, writable", bin, true, bin},
        {"portable, read-only", bin, false, Folder(config)},
        {"installed, read-only", share, false, Folder(config)},
        {"installed, writable (root)", share, true, Folder(config)},
    };
    for (const Case& c : cases) {
        const ProgramFolders folders =
            ChooseProgramFolders(program, c.languageDir, c.writable, config);
        EXPECT_EQ(folders.languageDir, c.languageDir) << c.name;
        EXPECT_EQ(folders.homeDir, c.home) << c.name;
        EXPECT_EQ(folders.settingsPath, c.home + "dolmex.ctl") << c.name;
    }
}

TEST(ProgramFolders, AnInstalledCopyGetsItsConfigurationFolderMade) {
    TempFolder folder;
    const QString root = QString::fromStdString(folder.root());
    QDir().mkpath(root + "/usr/bin");
    QDir().mkpath(root + "/usr/share/dolmex");
    folder.write("usr/share/dolmex/english.lng", "");
    const QString config = root + "/home/.config/Dolmex";
    const ProgramFolders folders = LocateProgramFolders(root + "/usr/bin/dolmex", config);
    EXPECT_EQ(folders.languageDir, Folder(root + "/usr/share/dolmex"));
    EXPECT_EQ(folders.homeDir, Folder(config));
    EXPECT_TRUE(QFileInfo(config).isDir());

    // The build tree: everything stays beside the program.
    folder.write("usr/bin/english.lng", "");
    EXPECT_EQ(LocateProgramFolders(root + "/usr/bin/dolmex", config).homeDir,
              Folder(root + "/usr/bin"));
}

} // namespace
} // namespace dolmex
