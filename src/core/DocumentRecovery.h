#pragma once

#include "LineStore.h"
#include "SlicedSerializer.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>

namespace dolmex {

class Document;
class RecoveryWriter;

// The name of a document's recovery file in the recovery folder: "untitled.dlg" for an
// untitled document (empty path), otherwise a hash of the document's absolute path.
QString RecoveryFileName(const std::string& documentPath);

// Keeps a copy of the open document's unsaved changes in a recovery folder, so a crash
// loses only what was typed in the last moments.
//
// It watches the document's line store: a while after the last change (2 s unless set)
// it serialises the rows on the calling thread in short slices, a change in between
// starting over, and hands the text to a writer thread that replaces the recovery file
// atomically. The recovery file is the dialog file Save would write, so it loads like any
// dialog. When the delay ends with the document unmodified (undone to its saved state),
// the copies this object wrote are removed instead.
//
// Nothing here shows anything or blocks typing; a failed write is reported by writeFailed.
class DocumentRecovery : public QObject, private LineStoreObserver {
    Q_OBJECT

public:
    // `folder` is where recovery files live (the user's data folder in the editor, a
    // temporary folder in tests); it is made on the first write. `document` must outlive
    // this object.
    DocumentRecovery(Document& document, QString folder, QObject* parent = nullptr);
    // Finishes a write in flight. Does not remove anything: after a crash or a kill the
    // copy must stay, and a normal exit calls discard() first.
    ~DocumentRecovery() override;

    // Short enough that a slice, a key press and a repaint fit in one frame.
    static constexpr std::chrono::microseconds kDefaultSliceBudget{4000};

    void setDelay(std::chrono::milliseconds delay);
    // How long one slice of serialising may hold the calling thread.
    void setSliceBudget(std::chrono::microseconds budget) { m_sliceBudget = budget; }

    QString recoveryFilePath(const std::string& documentPath) const;

    // Whether to offer a recovery for `documentPath` (empty for untitled): its recovery
    // file exists and is newer than the document file, or the document file does not
    // exist. Waits for a write in flight to finish, so call it when a document has just
    // been opened or at start, not while the user types.
    bool hasRecoveryNewerThanFile(const std::string& documentPath);

    // Yes to the offer: replaces the rows with the recovery of the document's own file
    // name and keeps that name (so Save writes the real file); run it as an edit, which
    // leaves the document modified. False, with nothing changed, when the recovery file cannot be
    // opened; a read error after opening throws IoError. The recovery file is kept until the next
    // discard().
    bool restore();

    // No to the offer: deletes the recovery file of `documentPath`.
    void removeRecovery(const std::string& documentPath);

    // The unsaved changes are gone on purpose: after a completed Save or Save as, after
    // New or Open replaced a modified document, and at a normal exit. Stops a pending
    // autosave, gives up a write in flight and removes the recovery files this object
    // wrote or restored. Call it after the command has changed the document.
    void discard();

    // An autosave is waiting for its delay or being serialised.
    bool autosavePending() const;
    bool serializing() const { return m_serializer.has_value(); }
    // Blocks until the writer thread has done everything asked so far.
    void finishWrites();

    // For tests: runs on the writer thread when a write is complete but has not yet
    // replaced the file.
    void setBeforeCommitHook(std::function<void()> hook);

signals:
    // A recovery file could not be written or removed; `path` is the recovery file.
    // Emitted on this object's thread.
    void writeFailed(const QString& path, const QString& reason);

private:
    void lineStoreChanged(const LineStoreChange& change) override;
    void delayEnded();
    void serializeSlice();
    void removeOwnFiles();

    Document& m_document;
    QString m_folder;
    QTimer m_delay;
    QTimer m_slices;
    std::chrono::microseconds m_sliceBudget = kDefaultSliceBudget;
    std::optional<SlicedSerializer> m_serializer;
    // Recovery files this object wrote or restored since the last discard().
    std::set<QString> m_ownFiles;
    std::unique_ptr<RecoveryWriter> m_writer;
};

} // namespace dolmex
