#pragma once

#include "LineStore.h"
#include "LoadNote.h"

#include <functional>
#include <string>

namespace dolmex {

inline constexpr const char* kUntitledCaption = "00000 - Untitled";

// The open dialog with what its life needs: the line store, the file it came from, the
// module root found from that path, the caption, and the modified flag. The flag is only
// kept here; the edit session (src/editing) decides when it is set and cleared.
class Document {
public:
    Document() = default;
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    LineStore& store() { return m_store; }
    const LineStore& store() const { return m_store; }

    bool isModified() const { return m_modified; }
    void setModified(bool modified);
    // Called after every change of the modified flag (the window marks its title).
    std::function<void()> onModifiedChanged;

    // The path Save writes to; empty for an untitled document.
    const std::string& fileName() const { return m_fileName; }
    void setFileName(std::string path) { m_fileName = std::move(path); }
    const std::string& caption() const { return m_caption; }
    // Kept from the last successful load; New does not reset it.
    const std::string& moduleRoot() const { return m_moduleRoot; }

    // LoadDlg: false, with nothing changed, when the file cannot be opened. A read error
    // after opening throws IoError and leaves the document as it was. The flag is left to
    // the caller (EditSession::load clears it).
    bool LoadDlg(const std::string& path);

    // The lines of the loaded file that a save will not write back as they were, one note
    // per line. Emptied by a save and by New, after which they describe no file on disk.
    const LoadNotes& loadNotes() const { return m_loadNotes; }

    // Writes the store to `path` and makes it the document's file; on failure throws
    // IoError with the old file intact. The flag is left to the caller.
    void saveAs(const std::string& path);

    // New: one empty data row, no file name, the untitled caption. The modified flag
    // and the module root stay as they are.
    void reset();

    // The status-bar line count: `label` + " : " + data rows, or empty when the first
    // row holds no record.
    std::string lineCountText(const std::string& label) const;

private:
    LineStore m_store;
    std::string m_fileName;
    std::string m_caption = kUntitledCaption;
    std::string m_moduleRoot;
    LoadNotes m_loadNotes;
    bool m_modified = false;
};

} // namespace dolmex
