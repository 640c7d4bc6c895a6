#include "IoError.h"
#include "PathText.h"

namespace dolmex {

IoError::IoError(Kind kind, std::string path, std::string reason)
    : std::runtime_error(path + ": " + reason), m_kind(kind), m_path(std::move(path)),
      m_reason(std::move(reason)) {}

QString IoErrorText(const IoError& error) {
    return PathText(error.path()) + QStringLiteral(": ") + QString::fromStdString(error.reason());
}

} // namespace dolmex
