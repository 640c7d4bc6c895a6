#include "shell/FileTypeRegistration.h"
#include "core/IoError.h"
#include "shell/ProgramWindows.h"
#include "support/ProgramFolder.h"
#include "support/TestFiles.h"
#include "ui/Prompter.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace dolmex {
namespace {

using test::ReadAll;
using test::TempFolder;
using Type = RegistryEntry::Type;

const QString kVerb = QStringLiteral("Open with Dolmex");

std::string Read(const QString& path) {
    return ReadAll(path.toStdString());
}

int Occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

TEST(FileTypeEntries, SixValuesInTheOrderTheyAreWritten) {
    const QString program = QStringLiteral("C:\\Program Files\\Dolmex\\dolmex.exe");
    const std::vector<RegistryEntry> expected = {
        {".dlg", "", Type::String, "DLGFile", {}},
        {"DLGFile", "", Type::String, "Velmora Dialog file", {}},
        {"DLGFile", "EditFlags", Type::Binary, "", QByteArray(4, '\0')},
        {"DLGFile\\DefaultIcon", "", Type::String, "C:\\WINDOWS\\SYSTEM\\SHELL32.DLL,69", {}},
        {"DLGFile\\shell", "", Type::String, kVerb, {}},
        {"DLGFile\\shell\\Open with Dolmex\\command",
         "",
         Type::String,
         "\"C:\\Program Files\\Dolmex\\dolmex.exe\" \"%1\"",
         {}},
    };
    const std::vector<RegistryEntry> entries = FileTypeEntries(program, kVerb);
    ASSERT_EQ(entries.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(entries[i].key, expected[i].key);
        EXPECT_EQ(entries[i].valueName, expected[i].valueName);
        EXPECT_EQ(entries[i].type, expected[i].type);
        EXPECT_EQ(entries[i].text, expected[i].text);
        EXPECT_EQ(entries[i].bytes, expected[i].bytes);
    }
}

TEST(DesktopExec, QuotesThePathSoThatEveryCharacterSurvives) {
    struct Case {
        const char* path;
        const char* exec; // as it stands in the file
    };
    const Case cases[] = {
        {"/usr/bin/dolmex", R"("/usr/bin/dolmex" %f)"},
        {"/home/ann/My Games/dolmex", R"("/home/ann/My Games/dolmex" %f)"},
        {"/opt/$HOME/dolmex", R"("/opt/\\$HOME/dolmex" %f)"},
        {"/opt/say \"hi\"/dolmex", R"("/opt/say \\"hi\\"/dolmex" %f)"},
        {"/opt/back`tick/dolmex", R"("/opt/back\\`tick/dolmex" %f)"},
        {"/opt/a\\b/dolmex", R"("/opt/a\\\\b/dolmex" %f)"},
        {"/opt/100%/dolmex", R"("/opt/100%%/dolmex" %f)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DesktopExec(QString::fromUtf8(c.path)), QString::fromUtf8(c.exec)) << c.path;
}

class FreedesktopTest : public ::testing::Test {
protected:
    void SetUp() override { QDir().mkpath(noTools()); }

    QString root() const { return QString::fromStdString(folder.root()); }
    QString noTools() const { return root() + "/no-tools"; }
    FreedesktopFileType::Folders folders() const {
        return {root() + "/data", root() + "/config", {noTools()}};
    }
    void apply(const QString& verb, FreedesktopFileType::Folders where) const {
        const QString program = QStringLiteral("/opt/My Games/dolmex");
        FreedesktopFileType(std::move(where)).apply(program, FileTypeEntries(program, verb));
    }
    void apply(const QString& verb) const { apply(verb, folders()); }

    TempFolder folder;
    const FreedesktopFileType files{folders()};
};

TEST_F(FreedesktopTest, WritesTheTypeTheProgramAndTheDefaultAssociation) {
    apply(kVerb);
    // The package the program writes is the one `cmake --install` installs.
    EXPECT_EQ(Read(files.mimePackagePath()), ReadAll(DOLMEX_SOURCE_DIR "/dist/dolmex.xml"));
    const std::string desktop = Read(files.desktopEntryPath());
    EXPECT_NE(desktop.find("\nExec=\"/opt/My Games/dolmex\" %f\n"), std::string::npos) << desktop;
    EXPECT_NE(desktop.find("\nMimeType=application/x-velmora-dialog;\n"), std::string::npos);
    EXPECT_NE(desktop.find("\n[Desktop Action open]\nName=Open with Dolmex\n"), std::string::npos);
    EXPECT_NE(Read(files.iconPath()).find("<svg"), std::string::npos);
    EXPECT_EQ(Read(files.mimeAppsPath()),
              "[Default Applications]\napplication/x-velmora-dialog=dolmex.desktop;\n");
}

TEST_F(FreedesktopTest, RegisteringTwiceLeavesOneRegistrationWithTheLatestVerb) {
    apply(QStringLiteral("Open with Dolmex"));
    apply(QStringLiteral("Open in Dolmex"));
    const std::string desktop = Read(files.desktopEntryPath());
    EXPECT_EQ(Occurrences(desktop, "[Desktop Action"), 1);
    EXPECT_EQ(Occurrences(desktop, "Name=Open"), 1);
    EXPECT_NE(desktop.find("Name=Open in Dolmex\n"), std::string::npos);
    EXPECT_EQ(Occurrences(Read(files.mimeAppsPath()), "application/x-velmora-dialog="), 1);
    EXPECT_EQ(QDir(root() + "/data/applications").entryList(QDir::Files).size(), 1);
}

TEST_F(FreedesktopTest, TheDefaultAssociationKeepsEveryOtherLine) {
    const std::string line = "application/x-velmora-dialog=dolmex.desktop;";
    struct Case {
        const char* name;
        std::string before;
        std::string after;
    };
    const Case cases[] = {
        {"no group yet", "[Added Associations]\ntext/plain=gedit.desktop;\n",
         "[Added Associations]\ntext/plain=gedit.desktop;\n\n[Default Applications]\n" + line +
             "\n"},
        {"added at the end of its group",
         "[Default Applications]\ntext/plain=gedit.desktop;\n\n[Added Associations]\nx=y;\n",
         "[Default Applications]\ntext/plain=gedit.desktop;\n" + line +
             "\n\n[Added Associations]\nx=y;\n"},
        {"an older default replaced",
         "[Default Applications]\napplication/x-velmora-dialog = other.desktop;\na/b=c;\n",
         "[Default Applications]\n" + line + "\na/b=c;\n"},
        {"the same key in another group untouched",
         "[Added Associations]\napplication/x-velmora-dialog=other.desktop;\n"
         "[Default Applications]\n",
         "[Added Associations]\napplication/x-velmora-dialog=other.desktop;\n"
         "[Default Applications]\n" +
             line + "\n"},
    };
    for (const Case& c : cases) {
        QDir().mkpath(root() + "/config");
        std::ofstream(files.mimeAppsPath().toStdString(), std::ios::binary) << c.before;
        apply(kVerb);
        EXPECT_EQ(Read(files.mimeAppsPath()), c.after) << c.name;
    }
}

TEST_F(FreedesktopTest, AFolderThatCannotBeWrittenLeavesEverythingAsItWas) {
    struct Case {
        const char* name;
        QString blocked; // a regular file where a folder or a file of ours must go
        bool blockedIsFolder;
    };
    const Case cases[] = {
        {"data home", "/data", false},
        {"applications", "/data/applications", false},
        {"config home", "/config", false},
        {"icon, found only while writing", "/data/icons/hicolor/scalable/apps/dolmex.svg", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder fresh;
        const QString base = QString::fromStdString(fresh.root());
        const FreedesktopFileType::Folders where{base + "/data", base + "/config", {noTools()}};
        const FreedesktopFileType target(where);
        const QString blocked = base + c.blocked;
        QDir().mkpath(QFileInfo(blocked).path());
        if (c.blockedIsFolder)
            QDir().mkpath(blocked);
        else
            std::ofstream(blocked.toStdString()) << "a file";
        EXPECT_THROW(apply(kVerb, where), IoError);
        for (const QString& path :
             {target.mimePackagePath(), target.desktopEntryPath(), target.mimeAppsPath()})
            EXPECT_FALSE(QFileInfo(path).isFile()) << path.toStdString();
    }

    // A registration made before is not disturbed by one that fails.
    apply(QStringLiteral("First"));
    const std::string desktop = Read(files.desktopEntryPath());
    QFile::remove(files.iconPath());
    QDir().mkpath(files.iconPath());
    EXPECT_THROW(apply(QStringLiteral("Second")), IoError);
    EXPECT_EQ(Read(files.desktopEntryPath()), desktop);
}

TEST_F(FreedesktopTest, RefreshesTheDatabasesOnlyWhereTheToolsAreInstalled) {
    const QString tools = root() + "/tools";
    const QString log = root() + "/tools.log";
    QDir().mkpath(tools);
    for (const char* name : {"update-mime-database", "update-desktop-database"}) {
        const QString script = tools + "/" + name;
        std::ofstream(script.toStdString())
            << "#!/bin/sh\necho " << name << " \"$@\" >> '" << log.toStdString() << "'\n";
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    FreedesktopFileType::Folders where = folders();
    where.toolDirs = {tools};
    apply(kVerb, where);
    const std::string data = (root() + "/data").toStdString();
    EXPECT_EQ(Read(log), "update-mime-database " + data + "/mime\nupdate-desktop-database " + data +
                             "/applications\n");

    // Without the tools the files are written all the same.
    QFile::remove(files.desktopEntryPath());
    EXPECT_NO_THROW(apply(kVerb));
    EXPECT_TRUE(QFileInfo(files.desktopEntryPath()).isFile());
}

class DLG1Test : public ::testing::Test {
protected:
    void SetUp() override {
        test::SetUpProgramFolder(folder, context);
        context.programPath = folder.path("my programs/dolmex");
        savedData = qgetenv("XDG_DATA_HOME");
        savedConfig = qgetenv("XDG_CONFIG_HOME");
        savedPath = qgetenv("PATH");
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(folder.path("data")));
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(folder.path("config")));
        // The databases are not refreshed here: that is a tool's business, tested above.
        qputenv("PATH", QByteArray::fromStdString(folder.path("no-tools")));
    }
    void TearDown() override {
        qputenv("XDG_DATA_HOME", savedData);
        qputenv("XDG_CONFIG_HOME", savedConfig);
        qputenv("PATH", savedPath);
    }

    TempFolder folder;
    ProgramContext context;
    ScriptedPrompter prompter;
    QByteArray savedData, savedConfig, savedPath;
};

TEST_F(DLG1Test, RegistersTheProgramWithTheVerbOfTheLanguageAndSaysNothing) {
    ProgramWindows windows(context, prompter, {});
    windows.mainForm().show();
    windows.mainForm().action("DLG1")->trigger();
    EXPECT_TRUE(prompter.shown().empty());
    const std::string desktop = ReadAll(folder.path("data/applications/dolmex.desktop"));
    EXPECT_NE(desktop.find("Exec=\"" + folder.path("my programs/dolmex") + "\" %f\n"),
              std::string::npos)
        << desktop;
    EXPECT_NE(desktop.find("Name=Open with Dolmex\n"), std::string::npos);
}

TEST_F(DLG1Test, AnUnwritableFolderIsAnIoErrorBox) {
    folder.write("data", "a file where the data folder belongs");
    ProgramWindows windows(context, prompter, {});
    windows.mainForm().show();
    windows.mainForm().action("DLG1")->trigger();
    ASSERT_EQ(prompter.count("error"), 1);
    EXPECT_TRUE(prompter.shown().back().text.contains(QString::fromStdString(folder.path("data"))));
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(folder.path("config/mimeapps.list"))));
}

} // namespace
} // namespace dolmex
