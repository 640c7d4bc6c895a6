#include "Document.h"

#include "DialogPath.h"
#include "DialogReader.h"
#include "DialogWriter.h"
#include "FileBytes.h"
#include "IoError.h"
#include "TextFields.h"

namespace dolmex {

Document::Document() {
    m_store.addObserver(this);
}

Document::~Document() {
    m_store.removeObserver(this);
}

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
    m_loading = true;
    m_store.replaceAll(std::move(lines));
    m_loading = false;
    m_loadNotes = std::move(notes);
    m_moduleRoot = ModuleRootOf(path);
    m_caption = DialogTitle(path);
    m_fileName = path;
    setModified(false);
    return true;
}

void Document::saveAs(const std::string& path) {
    WriteDialogFile(path, m_store.lines());
    m_loadNotes.clear();
    m_fileName = path;
    m_caption = DialogTitle(path);
    setModified(false);
}

void Document::setModified(bool modified) {
    if (m_modified == modified)
        return;
    m_modified = modified;
    if (onModifiedChanged)
        onModifiedChanged();
}

void Document::reset() {
    const bool modified = m_modified;
    m_store.SGClear();
    setModified(modified);
    m_fileName.clear();
    m_loadNotes.clear();
    m_caption = kUntitledCaption;
}

std::string Document::lineCountText(const std::string& label) const {
    if (m_store.cell(1, ColNumber).empty())
        return {};
    return label + " : " + IntText(m_store.rowCount() - 1);
}

void Document::lineStoreChanged(const LineStoreChange& change) {
    if (!m_loading && change.kind != LineStoreChange::Kind::TitleChanged)
        setModified(true);
}

} // namespace dolmex
