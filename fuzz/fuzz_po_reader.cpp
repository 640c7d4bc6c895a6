// Any bytes as a PO file: reading it either fails with an IoError or gives entries, and
// putting those into a dialog never writes outside it or changes anything but text cells.
#include "core/DialogReader.h"
#include "core/IoError.h"
#include "translate/DialogTranslation.h"

#include <QTemporaryDir>

#include <cstdlib>
#include <fstream>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    static const QTemporaryDir scratch;
    const std::string path = scratch.filePath(QStringLiteral("input.po")).toStdString();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    std::vector<dolmex::PoEntry> entries;
    try {
        entries = dolmex::ReadPoFile(path);
    } catch (const dolmex::IoError&) {
        return 0;
    }
    dolmex::DialogLines lines =
        dolmex::ParseDialog("{10}{Hello}{Lady}{}{}{11}{}\r\n{11}{Who?}{}{1}{}{0}{}\r\n");
    const dolmex::DialogLines before = lines;
    dolmex::TranslationCatalog catalog(entries);
    std::vector<dolmex::TranslationNote> notes;
    catalog.translate(QStringLiteral("00001Ann.dlg"), lines, notes);
    catalog.unusedEntries(QStringLiteral("00001Ann.dlg"));
    if (lines.size() != before.size())
        std::abort();
    for (std::size_t i = 0; i < lines.size(); ++i)
        for (const int column : {0, 3, 4, 5, 6, 7})
            if (lines[i][column] != before[i][column])
                std::abort();
    return 0;
}
