#include "FileTypeRegistration.h"
#include "core/PathText.h"

#include "ProgramContext.h"
#include "core/Cp1251.h"
#include "core/FileBytes.h"
#include "core/IoError.h"
#include "ui/Prompter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <optional>
#include <string>
#include <utility>

#ifdef Q_OS_WIN
#include "WindowsRegistry.h"
#endif

namespace dolmex {

namespace {

const QString kTypeKey = QStringLiteral("DLGFile");
const QString kMimeType = QStringLiteral("application/x-velmora-dialog");
const QString kDesktopId = QStringLiteral("dolmex.desktop");
const QString kIconName = QStringLiteral("dolmex");

RegistryEntry Text(QString key, QString valueName, QString text) {
    return {std::move(key), std::move(valueName), RegistryEntry::Type::String, std::move(text), {}};
}

// The default value of `key`; empty when the list has none.
QString DefaultValue(const std::vector<RegistryEntry>& entries, const QString& key) {
    for (const RegistryEntry& e : entries)
        if (e.key == key && e.valueName.isEmpty() && e.type == RegistryEntry::Type::String)
            return e.text;
    return {};
}

QString Extension(const std::vector<RegistryEntry>& entries) {
    return entries.empty() ? QString() : entries.front().key;
}

QString XmlEscaped(const QString& text) {
    return text.toHtmlEscaped();
}

// A desktop entry's string value: no line breaks, backslashes doubled.
QString DesktopString(QString text) {
    text.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    text.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    text.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    text.replace(QLatin1Char('\t'), QStringLiteral("\\t"));
    return text;
}

QByteArray DesktopEntry(const QString& programPath, const std::vector<RegistryEntry>& entries) {
    const QString exec = DesktopExec(programPath);
    const QString verb = DefaultValue(entries, kTypeKey + QStringLiteral("\\shell"));
    QString text = QStringLiteral("[Desktop Entry]\n"
                                  "Type=Application\n"
                                  "Name=Dolmex\n"
                                  "GenericName=Dialog Editor\n"
                                  "Comment=Edit the dialog files of Velmora\n"
                                  "Exec=%1\n"
                                  "Icon=%2\n"
                                  "Terminal=false\n"
                                  "MimeType=%3;\n"
                                  "Categories=Development;\n")
                       .arg(exec, kIconName, kMimeType);
    if (!verb.isEmpty())
        text += QStringLiteral("Actions=open;\n\n[Desktop Action open]\nName=%1\nExec=%2\n")
                    .arg(DesktopString(verb), exec);
    return text.toUtf8();
}

// mimeapps.list with the type's default application set, every other line kept as it was.
QByteArray WithDefaultApplication(const QByteArray& list) {
    const QByteArray group = "[Default Applications]";
    const QByteArray line = (kMimeType + QLatin1Char('=') + kDesktopId + QLatin1Char(';')).toUtf8();
    QList<QByteArray> lines = list.split('\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.pop_back(); // the final line break
    qsizetype groupAt = -1;
    qsizetype insertAt = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray trimmed = lines[i].trimmed();
        if (trimmed.startsWith('[')) {
            if (groupAt >= 0)
                break;
            if (trimmed == group)
                groupAt = insertAt = i + 1;
            continue;
        }
        if (groupAt < 0)
            continue;
        const qsizetype equals = trimmed.indexOf('=');
        if (equals > 0 && trimmed.left(equals).trimmed() == kMimeType.toUtf8()) {
            lines[i] = line;
            return lines.join('\n') + '\n';
        }
        if (!trimmed.isEmpty())
            insertAt = i + 1;
    }
    if (groupAt < 0) {
        if (!lines.isEmpty() && !lines.back().trimmed().isEmpty())
            lines.append(QByteArray());
        lines.append(group);
        insertAt = lines.size();
    }
    lines.insert(insertAt, line);
    return lines.join('\n') + '\n';
}

QByteArray IconSvg() {
    QFile icon(QStringLiteral(":/dolmex/dolmex.svg"));
    icon.open(QIODevice::ReadOnly);
    return icon.readAll();
}

// Makes `dir` and checks that files can be created in it, before anything is written.
void RequireWritableFolder(const QString& dir) {
    if (!QDir().mkpath(dir) || !QFileInfo(dir).isDir())
        throw IoError(IoError::Kind::Write, PathBytes(dir), "the folder cannot be created");
    if (!QFileInfo(dir).isWritable())
        throw IoError(IoError::Kind::Write, PathBytes(dir), "the folder is not writable");
}

// Writes files one by one and puts back the earlier contents of all of them when one fails.
class AllOrNothing {
public:
    void write(const QString& path, const QByteArray& bytes) {
        std::optional<std::string> before;
        if (QFileInfo::exists(path))
            before = ReadFileBytes(PathBytes(path));
        WriteFileAtomically(PathBytes(path), std::string_view(bytes.constData(), bytes.size()));
        m_written.emplace_back(path, std::move(before));
    }

    void undo() noexcept {
        for (auto it = m_written.rbegin(); it != m_written.rend(); ++it) {
            try {
                if (it->second)
                    WriteFileAtomically(PathBytes(it->first), *it->second);
                else
                    QFile::remove(it->first);
            } catch (const IoError&) {
                // The folder was writable a moment ago; nothing more can be done here.
            }
        }
    }

private:
    std::vector<std::pair<QString, std::optional<std::string>>> m_written;
};

#ifdef Q_OS_WIN
windows::RegistryValue WindowsValue(const RegistryEntry& entry) {
    windows::RegistryValue value;
    value.key = entry.key.toStdWString();
    value.valueName = entry.valueName.toStdWString();
    if (entry.type == RegistryEntry::Type::String) {
        value.type = windows::RegistryValue::Type::String;
        value.text = entry.text.toStdWString();
    } else {
        value.type = windows::RegistryValue::Type::Binary;
        value.bytes.assign(entry.bytes.cbegin(), entry.bytes.cend());
    }
    return value;
}

void WriteRegistry(const std::vector<RegistryEntry>& entries) {
    std::vector<windows::RegistryValue> values;
    values.reserve(entries.size());
    for (const RegistryEntry& entry : entries)
        values.push_back(WindowsValue(entry));
    try {
        // An earlier registration is deleted first, so a verb of another language does not
        // linger.
        windows::WriteRegistration(HKEY_CLASSES_ROOT, values, kTypeKey.toStdWString());
    } catch (const windows::RegistryError& error) {
        throw IoError(
            IoError::Kind::Write,
            PathBytes(QStringLiteral("HKEY_CLASSES_ROOT\\") + QString::fromStdWString(error.key())),
            "registry error " + std::to_string(error.code()));
    }
}
#endif

} // namespace

std::vector<RegistryEntry> FileTypeEntries(const QString& programPath, const QString& verb) {
    const QString command = QLatin1Char('"') + programPath + QStringLiteral("\" \"%1\"");
    RegistryEntry editFlags{kTypeKey,
                            QStringLiteral("EditFlags"),
                            RegistryEntry::Type::Binary,
                            {},
                            QByteArray(4, '\0')};
    return {
        Text(QStringLiteral(".dlg"), {}, kTypeKey),
        Text(kTypeKey, {}, QStringLiteral("Velmora Dialog file")),
        std::move(editFlags),
        Text(kTypeKey + QStringLiteral("\\DefaultIcon"), {},
             QStringLiteral("C:\\WINDOWS\\SYSTEM\\SHELL32.DLL,69")),
        Text(kTypeKey + QStringLiteral("\\shell"), {}, verb),
        Text(kTypeKey + QStringLiteral("\\shell\\") + verb + QStringLiteral("\\command"), {},
             command),
    };
}

QString DesktopExec(const QString& programPath) {
    // Quoted always: inside quotes only these four need a backslash.
    QString quoted;
    for (const QChar c : programPath) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        if (c == QLatin1Char('%'))
            quoted += QLatin1Char('%'); // a literal percent sign is written twice
        quoted += c;
    }
    return DesktopString(QLatin1Char('"') + quoted + QStringLiteral("\" %f"));
}

QByteArray MimePackage(const std::vector<RegistryEntry>& entries) {
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
               "  <mime-type type=\"%1\">\n"
               "    <comment>%2</comment>\n"
               "    <generic-icon name=\"text-x-generic\"/>\n"
               "    <glob pattern=\"*%3\"/>\n"
               "    <sub-class-of type=\"text/plain\"/>\n"
               "  </mime-type>\n"
               "</mime-info>\n")
        .arg(kMimeType, XmlEscaped(DefaultValue(entries, kTypeKey)), XmlEscaped(Extension(entries)))
        .toUtf8();
}

FreedesktopFileType::Folders FreedesktopFileType::FromEnvironment() {
    // These follow $XDG_DATA_HOME and $XDG_CONFIG_HOME and fall back to their defaults.
    return {QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
            {}};
}

QString FreedesktopFileType::mimePackagePath() const {
    return m_folders.dataHome + QStringLiteral("/mime/packages/dolmex.xml");
}

QString FreedesktopFileType::desktopEntryPath() const {
    return m_folders.dataHome + QStringLiteral("/applications/") + kDesktopId;
}

QString FreedesktopFileType::iconPath() const {
    return m_folders.dataHome + QStringLiteral("/icons/hicolor/scalable/apps/") + kIconName +
           QStringLiteral(".svg");
}

QString FreedesktopFileType::mimeAppsPath() const {
    return m_folders.configHome + QStringLiteral("/mimeapps.list");
}

void FreedesktopFileType::apply(const QString& programPath,
                                const std::vector<RegistryEntry>& entries) const {
    const QString targets[] = {mimePackagePath(), desktopEntryPath(), iconPath(), mimeAppsPath()};
    for (const QString& target : targets)
        RequireWritableFolder(QFileInfo(target).path());

    QByteArray mimeApps;
    if (QFileInfo::exists(mimeAppsPath()))
        mimeApps = QByteArray::fromStdString(ReadFileBytes(PathBytes(mimeAppsPath())));

    AllOrNothing files;
    try {
        files.write(mimePackagePath(), MimePackage(entries));
        files.write(desktopEntryPath(), DesktopEntry(programPath, entries));
        files.write(iconPath(), IconSvg());
        files.write(mimeAppsPath(), WithDefaultApplication(mimeApps));
    } catch (const IoError&) {
        files.undo();
        throw;
    }
    refreshDatabases();
}

void FreedesktopFileType::refreshDatabases() const {
    const std::pair<const char*, QString> tools[] = {
        {"update-mime-database", m_folders.dataHome + QStringLiteral("/mime")},
        {"update-desktop-database", m_folders.dataHome + QStringLiteral("/applications")},
    };
    for (const auto& [name, folder] : tools) {
        const QString tool =
            QStandardPaths::findExecutable(QString::fromLatin1(name), m_folders.toolDirs);
        if (tool.isEmpty())
            continue; // the desktop picks the files up at its next scan
        QProcess process;
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(tool, {folder});
        // The files are in place either way; a tool that fails only delays the desktop.
        process.waitForFinished(30000);
    }
}

void RegisterFileType(const QString& programPath, const QString& verb) {
    const std::vector<RegistryEntry> entries = FileTypeEntries(programPath, verb);
#ifdef Q_OS_WIN
    WriteRegistry(entries);
#else
    FreedesktopFileType(FreedesktopFileType::FromEnvironment()).apply(programPath, entries);
#endif
}

void DLG1Click(const ProgramContext& context, Prompter& prompter) {
    const QString programPath = context.programPath.empty()
                                    ? QCoreApplication::applicationFilePath()
                                    : PathText(context.programPath);
    try {
        RegisterFileType(QDir::toNativeSeparators(programPath),
                         FromCp1251(context.tables.mainDescription[md::kOpenWithCommand]));
    } catch (const IoError& error) {
        prompter.ioError(IoErrorText(error));
    }
}

} // namespace dolmex
