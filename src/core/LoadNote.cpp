#include "LoadNote.h"

namespace dolmex {

std::string DescribeLoadNote(const LoadNote& note) {
    switch (note.kind) {
    case LoadNote::Kind::CommentReplaced:
        return "saving drops this comment: only the last comment line before a record is kept";
    case LoadNote::Kind::UnattachedComment:
        return "saving drops this comment: no record follows it";
    case LoadNote::Kind::StrayText:
        return "saving drops this line's text: it is neither a record nor a comment";
    case LoadNote::Kind::TextOutsideFields:
        return "saving drops the text outside the seven fields";
    case LoadNote::Kind::BraceInField:
        return "saving writes the fields shifted: a \"{\" inside a field starts the next one";
    case LoadNote::Kind::UnclosedField:
        return "saving drops the last character: the last field has no closing \"}\"";
    case LoadNote::Kind::MissingFields:
        return "saving adds empty fields: the record has fewer than seven";
    }
    return {};
}

} // namespace dolmex
