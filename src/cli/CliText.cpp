#include "CliText.h"

#include "core/Cp1251.h"
#include "core/PathText.h"

#include "core/FileBytes.h"
#include "core/IoError.h"
#include "lang/LanguageLoader.h"
#include "lang/ProgramFolders.h"
#include "lang/Settings.h"

#include <QCoreApplication>

namespace dolmex::cli {

QString JsonString(const std::string& bytes) {
    const QString text = FromCp1251(bytes);
    QString json = QStringLiteral("\"");
    json.reserve(text.size() + 2);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '"':
            json += QLatin1String("\\\"");
            break;
        case '\\':
            json += QLatin1String("\\\\");
            break;
        case '\n':
            json += QLatin1String("\\n");
            break;
        case '\r':
            json += QLatin1String("\\r");
            break;
        case '\t':
            json += QLatin1String("\\t");
            break;
        default:
            if (c.unicode() < 0x20)
                json += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                json += c;
        }
    }
    return json + QLatin1Char('"');
}

void LoadLanguageTables(const QString& named, LanguageTables& tables) {
    if (!named.isEmpty()) {
        ParseLanguage(ReadFileBytes(PathBytes(named)), tables);
        return;
    }
    Settings settings;
    try {
        ReadSettings(SettingsPathFor(PathBytes(QCoreApplication::applicationFilePath())), settings);
    } catch (const IoError&) {
        // An unreadable settings file still leaves the default language to load.
    }
    LoadLanguage(PathBytes(LanguageFolderFor(QCoreApplication::applicationDirPath())),
                 settings.defLanguage, tables);
}

} // namespace dolmex::cli
