#pragma once

#include <QString>

#include <stdexcept>
#include <string>

namespace dolmex {

// The one error type for file failures: carries the path and the reason, and is caught
// at the boundary of the command that touched the file.
class IoError : public std::runtime_error {
public:
    enum class Kind { Open, Read, Write };

    IoError(Kind kind, std::string path, std::string reason);

    Kind kind() const { return m_kind; }
    const std::string& path() const { return m_path; }
    const std::string& reason() const { return m_reason; }

private:
    Kind m_kind;
    std::string m_path;
    std::string m_reason;
};

// What a person reads of `error`: its path as characters, a colon and the reason (reasons
// are Qt's words or ours, UTF-8; the path is the system's bytes).
QString IoErrorText(const IoError& error);

} // namespace dolmex
