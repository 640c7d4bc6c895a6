#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace dolmex {

class Prompter;
struct ProgramContext;

// One value the ".dlg" registration writes below HKEY_CLASSES_ROOT.
struct RegistryEntry {
    enum class Type { String, Binary };

    QString key;       // below the root, parts joined by "\"
    QString valueName; // empty: the key's default value
    Type type = Type::String;
    QString text;     // a String value
    QByteArray bytes; // a Binary value

    bool operator==(const RegistryEntry&) const = default;
};

// The registration in the order it is written: the ".dlg" key, the file type's description
// and edit flags, its icon, the default verb, and the verb's command line, which names the
// program and the file in double quotes so that paths with blanks survive.
std::vector<RegistryEntry> FileTypeEntries(const QString& programPath, const QString& verb);

// The Exec value of a desktop entry that opens one file with the program, quoted and
// escaped as desktop entries require (blanks, quotes, "$", "%", backslashes).
QString DesktopExec(const QString& programPath);

// The shared-mime-info package that declares the file type of `entries`.
QByteArray MimePackage(const std::vector<RegistryEntry>& entries);

// The freedesktop equivalent of the registry entries: a MIME package, a desktop entry (the
// verb is its one action), the icon, and the default application for the type, all in the
// user's own folders.
class FreedesktopFileType {
public:
    struct Folders {
        QString dataHome;     // $XDG_DATA_HOME
        QString configHome;   // $XDG_CONFIG_HOME, which holds mimeapps.list
        QStringList toolDirs; // where update-mime-database and co. are looked for; empty: PATH
    };

    // The user's folders as the XDG variables (or their defaults) name them.
    static Folders FromEnvironment();

    explicit FreedesktopFileType(Folders folders) : m_folders(std::move(folders)) {}

    // Writes every file or, on an IoError, none: what was written is put back as it was.
    // Then refreshes the MIME and desktop databases where their tools are installed.
    void apply(const QString& programPath, const std::vector<RegistryEntry>& entries) const;

    QString mimePackagePath() const;
    QString desktopEntryPath() const;
    QString iconPath() const;
    QString mimeAppsPath() const;

private:
    void refreshDatabases() const;

    Folders m_folders;
};

// Registers the program with the platform's shell (the registry on Windows, the freedesktop
// folders elsewhere). Throws IoError.
void RegisterFileType(const QString& programPath, const QString& verb);

// The Tools menu command: registers the running program (or `context.programPath`) with the
// verb of the loaded language. Says nothing on success; a failure is an I/O error box.
void DLG1Click(const ProgramContext& context, Prompter& prompter);

} // namespace dolmex
