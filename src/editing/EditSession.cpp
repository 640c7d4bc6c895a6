#include "EditSession.h"

namespace dolmex {

EditSession::EditSession(Document& document) : m_document(document) {
    store().addObserver(this);
}

EditSession::~EditSession() {
    store().removeObserver(this);
}

void EditSession::begin(EditVerb verb) {
    if (m_depth++ > 0)
        return;
    m_verb = verb;
    m_changed = false;
    m_ran = false;
    stepBegins(verb);
}

void EditSession::end(bool ran) {
    if (m_depth == 0)
        return;
    // The outermost command decides; an inner one's result is part of its change.
    if (m_depth == 1)
        m_ran = ran;
    if (--m_depth > 0)
        return;
    if (m_changed || (m_ran && VerbInfo(m_verb).modified == ModifiedRule::WhenRun))
        setModified(true);
    stepEnds();
}

bool EditSession::load(const std::string& path) {
    bool loaded = false;
    m_replaying = true;
    try {
        loaded = m_document.LoadDlg(path);
    } catch (...) {
        m_replaying = false;
        throw;
    }
    m_replaying = false;
    if (!loaded)
        return false;
    setModified(false);
    historyForgotten();
    return true;
}

void EditSession::saveAs(const std::string& path) {
    m_document.saveAs(path);
    setModified(false);
    savedHere();
}

void EditSession::fileChangedElsewhere() {
    setModified(true);
    savedStateLost();
}

void EditSession::reset() {
    m_replaying = true;
    m_document.reset();
    m_replaying = false;
    historyForgotten();
}

bool EditSession::ignores(const LineStoreChange& change) const {
    return m_replaying || change.kind == LineStoreChange::Kind::TitleChanged;
}

void EditSession::lineStoreAboutToChange(const LineStoreChange& change) {
    if (ignores(change))
        return;
    if (m_depth == 0) {
        // A change no command announced is still a step of its own.
        const bool cellEdit = change.kind == LineStoreChange::Kind::CellsChanged &&
                              change.column >= 0 && change.rowCount == 1;
        begin(cellEdit ? EditVerb::EditCell : EditVerb::ChangeLines);
        m_implicit = true;
    }
    changeBegins(change);
}

void EditSession::lineStoreChanged(const LineStoreChange& change) {
    if (ignores(change))
        return;
    m_changed = true;
    changeEnded(change);
    if (m_implicit) {
        m_implicit = false;
        end(true);
    }
}

} // namespace dolmex
