#pragma once

#include "EditVerb.h"
#include "core/Document.h"

#include <string>
#include <type_traits>
#include <utility>

namespace dolmex {

// The one way the dialog is changed: perform(verb, change) runs `change` on the store as one
// named step. Performs may nest; only the outermost one is a step. The session is also the
// one place that sets the document's modified flag: a step sets it by its verb's rule, a load
// or a save clears it, New keeps it, and an undo back to the saved state clears it.
//
// Used as it is (PlainEditSession) it keeps no history; UndoHistory records every step.
class EditSession : private LineStoreObserver {
public:
    ~EditSession() override;
    EditSession(const EditSession&) = delete;
    EditSession& operator=(const EditSession&) = delete;

    Document& document() { return m_document; }
    LineStore& store() { return m_document.store(); }
    bool isModified() const { return m_document.isModified(); }

    // Runs `change(store)` as one step of `verb` and returns what it returns. The command
    // ran when it returned nothing, or something that tests true (an engaged optional); a
    // change that throws did not run, but keeps (and records) what it changed before.
    template <class Change> auto perform(EditVerb verb, Change&& change) {
        Performing step(*this, verb);
        using Result = std::invoke_result_t<Change, LineStore&>;
        if constexpr (std::is_void_v<Result>) {
            std::forward<Change>(change)(store());
            step.ran();
        } else {
            Result result = std::forward<Change>(change)(store());
            if constexpr (std::is_constructible_v<bool, Result>) {
                if (static_cast<bool>(result))
                    step.ran();
            } else {
                step.ran();
            }
            return result;
        }
    }

    // Document::LoadDlg, then a new history and a clear flag. Throws as LoadDlg does.
    bool load(const std::string& path);
    // Document::saveAs; the state saved is the one an undo can come back to.
    void saveAs(const std::string& path);
    // New: an empty dialog and a new history; the flag stays as it was.
    void reset();
    // Another program changed the file and the text here was kept: it is unsaved now, and no
    // undo leads back to what the file holds.
    void fileChangedElsewhere();

    virtual bool canUndo() const { return false; }
    virtual bool canRedo() const { return false; }
    virtual void undo() {}
    virtual void redo() {}

protected:
    explicit EditSession(Document& document);

    // The outermost perform begins and ends (also a change made outside any perform).
    virtual void stepBegins(EditVerb verb) { (void)verb; }
    virtual void stepEnds() {}
    // Each change of the store inside a step, before and after it is made.
    virtual void changeBegins(const LineStoreChange& change) { (void)change; }
    virtual void changeEnded(const LineStoreChange& change) { (void)change; }
    // A load or New replaced the dialog: earlier steps no longer apply.
    virtual void historyForgotten() {}
    // The dialog as it is now is the one on disk.
    virtual void savedHere() {}
    // No state of the history is the one on disk any more.
    virtual void savedStateLost() {}

    // While set, changes of the store are replays of recorded steps, not edits.
    void setReplaying(bool replaying) { m_replaying = replaying; }
    void setModified(bool modified) { m_document.setModified(modified); }

private:
    // Ends the step also when the change throws.
    class Performing {
    public:
        Performing(EditSession& session, EditVerb verb) : m_session(session) {
            m_session.begin(verb);
        }
        ~Performing() { m_session.end(m_ran); }
        Performing(const Performing&) = delete;
        Performing& operator=(const Performing&) = delete;
        void ran() { m_ran = true; }

    private:
        EditSession& m_session;
        bool m_ran = false;
    };

    void begin(EditVerb verb);
    void end(bool ran);
    bool ignores(const LineStoreChange& change) const;
    void lineStoreAboutToChange(const LineStoreChange& change) override;
    void lineStoreChanged(const LineStoreChange& change) override;

    Document& m_document;
    int m_depth = 0;
    EditVerb m_verb = EditVerb::ChangeLines;
    bool m_changed = false;
    bool m_ran = false; // of the outermost step
    bool m_implicit = false;
    bool m_replaying = false;
};

// A session without undo: the CLI and the logic tests.
class PlainEditSession final : public EditSession {
public:
    explicit PlainEditSession(Document& document) : EditSession(document) {}
};

} // namespace dolmex
