#pragma once

#include "CellMatcher.h"
#include "StoreSearch.h"
#include "editing/EditSession.h"

#include <QString>

#include <optional>

namespace dolmex {

// Why `text` cannot replace a match, or nothing when it can: a character Windows-1251
// cannot hold, a brace (it would split the line's fields) or a line break (it would split
// the line). Replacing refuses such a text before anything changes.
std::optional<QString> ReplacementProblem(const QString& text);

// Replaces the one match `match`, as one undoable step, when it is still a match of
// `matcher` in the store. For a regular expression "\1" to "\99" in `replacement` stand
// for the captured texts, as QString::replace has them. `store` is the session's store.
bool ReplaceMatch(EditSession& session, LineStore& store, const CellMatcher& matcher,
                  const CellMatch& match, const QString& replacement);

// Replaces every match as one undoable step and returns how many it replaced. Only the
// matched cells change, and in them only the matches.
int ReplaceAll(EditSession& session, LineStore& store, const CellMatcher& matcher,
               const QString& replacement);

} // namespace dolmex
