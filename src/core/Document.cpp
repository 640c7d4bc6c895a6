#include "Document.h"

#include "DialogPath.h"
#include "DialogReader.h"
#include "DialogWriter.h"
#include "FileBytes.h"
#include "IoError.h"
#include "TextFields.h"

namespace dolmex {

bool Document::LoadDlg(const std::string& path) {
    std::string bytes;
    try {
        bytes = ReadFileBytes(path);
    } catch (const IoError& error) {
        if (error.kind() == IoError::Kind::Open)
            return false;
        throw;
    }
    LoadNotes notes;
    DialogLines lines = ParseDialog(bytes, &notes);
    m_store.replaceAll(std::move(lines));
    m_loadNotes = std::move(notes);
    m_moduleRoot = ModuleRootOf(path);
    m_caption = DialogTitle(path);
    m_fileName = path;
    return true;
}

void Document::saveAs(const std::string& path) {
    WriteDialogFile(path, m_store.lines());
    m_loadNotes.clear();
    m_fileName = path;
    m_caption = DialogTitle(path);
}

void Document::setModified(bool modified) {
    if (m_modified == modified)
        return;
    m_modified = modified;
    if (onModifiedChanged)
        onModifiedChanged();
}

void Document::reset() {
    m_store.SGClear();
    m_fileName.clear();
    m_loadNotes.clear();
    m_caption = kUntitledCaption;
}

std::string Document::lineCountText(const std::string& label) const {
    if (m_store.cell(1, ColNumber).empty())
        return {};
    return label + " : " + IntText(m_store.rowCount() - 1);
}

} // namespace dolmex
