#pragma once

// Writes a file-type registration into the Windows registry. Plain Win32 and the standard
// library, so that the test program can build it with a cross compiler and run it without Qt.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace dolmex::windows {

// One value below the registration's root.
struct RegistryValue {
    enum class Type { String, Binary };

    std::wstring key;       // below the root, parts joined by "\"
    std::wstring valueName; // empty: the key's default value
    Type type = Type::String;
    std::wstring text;                // a String value, written as REG_SZ
    std::vector<unsigned char> bytes; // a Binary value, written as REG_BINARY
};

// A registry call that failed: the key it was about (below the root) and the Win32 error code.
class RegistryError : public std::runtime_error {
public:
    RegistryError(std::wstring key, LONG code);

    const std::wstring& key() const noexcept { return m_key; }
    LONG code() const noexcept { return m_code; }

private:
    std::wstring m_key;
    LONG m_code;
};

// Writes `values` below `root`: the first one (the extension's key), then deletes the tree
// `replacedKey` (a missing one is fine) so that nothing of an earlier registration lingers,
// then every other value, creating the keys as needed. Stops at the first failure with a
// RegistryError; what was written before it stays. An empty `replacedKey` is refused before
// anything is written.
void WriteRegistration(HKEY root, const std::vector<RegistryValue>& values,
                       const std::wstring& replacedKey);

} // namespace dolmex::windows
