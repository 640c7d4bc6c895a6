#include "WindowsRegistry.h"

#include <utility>

namespace dolmex::windows {

namespace {

std::string Utf8(const std::wstring& text) {
    if (text.empty())
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                            size, nullptr, nullptr);
    return bytes;
}

// Closes the key on every way out, a failed write included.
class OpenKey {
public:
    OpenKey(HKEY root, const std::wstring& path) {
        const LONG code = RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                          KEY_SET_VALUE, nullptr, &m_key, nullptr);
        if (code != ERROR_SUCCESS)
            throw RegistryError(path, code);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    ~OpenKey() { RegCloseKey(m_key); }

    HKEY get() const noexcept { return m_key; }

private:
    HKEY m_key = nullptr;
};

void SetValue(HKEY root, const RegistryValue& value) {
    const OpenKey key(root, value.key);
    const wchar_t* name = value.valueName.empty() ? nullptr : value.valueName.c_str();
    LONG code = ERROR_SUCCESS;
    if (value.type == RegistryValue::Type::String) {
        // REG_SZ counts its closing null character.
        code = RegSetValueExW(key.get(), name, 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(value.text.c_str()),
                              static_cast<DWORD>((value.text.size() + 1) * sizeof(wchar_t)));
    } else {
        code = RegSetValueExW(key.get(), name, 0, REG_BINARY,
                              value.bytes.empty() ? nullptr : value.bytes.data(),
                              static_cast<DWORD>(value.bytes.size()));
    }
    if (code != ERROR_SUCCESS)
        throw RegistryError(value.key, code);
}

} // namespace

RegistryError::RegistryError(std::wstring key, LONG code)
    : std::runtime_error("registry key " + Utf8(key) + ": error " + std::to_string(code)),
      m_key(std::move(key)), m_code(code) {}

void WriteRegistration(HKEY root, const std::vector<RegistryValue>& values,
                       const std::wstring& replacedKey) {
    // An empty name would delete every key below the root.
    if (replacedKey.empty())
        throw RegistryError(replacedKey, ERROR_INVALID_PARAMETER);
    if (values.empty())
        return;
    SetValue(root, values.front());
    const LONG code = RegDeleteTreeW(root, replacedKey.c_str());
    if (code != ERROR_SUCCESS && code != ERROR_FILE_NOT_FOUND)
        throw RegistryError(replacedKey, code);
    for (std::size_t i = 1; i < values.size(); ++i)
        SetValue(root, values[i]);
}

} // namespace dolmex::windows
