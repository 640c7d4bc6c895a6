// The registry code of the Windows build, run for real: writes the ".dlg" registration into a
// scratch key below HKEY_CURRENT_USER (never the machine's classes), reads the whole key back
// and compares it with what must be there. Built with mingw-w64 and run under wine by
// scripts/windows-check.sh; plain Win32, no Qt.

#include "shell/WindowsRegistry.h"

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

using dolmex::windows::RegistryError;
using dolmex::windows::RegistryValue;
using dolmex::windows::WriteRegistration;

const wchar_t* const kScratch = L"Software\\DolmexTest\\Classes";
const wchar_t* const kTypeKey = L"DLGFile";

int g_failures = 0;

std::string Utf8(const std::wstring& text) {
    if (text.empty())
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    return bytes;
}

void Fail(const std::string& where, const std::string& what) {
    ++g_failures;
    std::printf("FAILED %s: %s\n", where.c_str(), what.c_str());
}

// A value as the registry returns it: its type and its data byte for byte.
struct Stored {
    DWORD type = REG_NONE;
    std::vector<unsigned char> data;

    bool operator==(const Stored&) const = default;
};

// Every key below a root (its path, "" the root itself) with its values by name.
using Tree = std::map<std::wstring, std::map<std::wstring, Stored>>;

Stored Sz(const std::wstring& text) {
    Stored value{REG_SZ, {}};
    for (const wchar_t c : text + L'\0') { // the closing null character is part of the data
        value.data.push_back(static_cast<unsigned char>(c & 0xff));
        value.data.push_back(static_cast<unsigned char>((c >> 8) & 0xff));
    }
    return value;
}

Stored Binary(std::vector<unsigned char> bytes) {
    return {REG_BINARY, std::move(bytes)};
}

std::string Shown(const Stored& value) {
    std::string text = value.type == REG_SZ       ? "REG_SZ"
                       : value.type == REG_BINARY ? "REG_BINARY"
                                                  : "type " + std::to_string(value.type);
    if (value.type == REG_SZ && value.data.size() % 2 == 0) {
        std::wstring chars;
        for (std::size_t i = 0; i < value.data.size(); i += 2)
            chars += static_cast<wchar_t>(value.data[i] | (value.data[i + 1] << 8));
        std::string shown;
        for (const wchar_t c : chars)
            shown += c == L'\0' ? std::string("\\0") : Utf8(std::wstring(1, c));
        return text + " \"" + shown + "\"";
    }
    char hex[4];
    for (const unsigned char byte : value.data) {
        std::snprintf(hex, sizeof hex, " %02x", byte);
        text += hex;
    }
    return text;
}

void ReadKey(HKEY key, const std::wstring& path, Tree& tree) {
    auto& values = tree[path];
    DWORD subkeys = 0, longestSubkey = 0, valueCount = 0, longestName = 0;
    LONG code = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, &longestSubkey, nullptr,
                                 &valueCount, &longestName, nullptr, nullptr, nullptr);
    if (code != ERROR_SUCCESS)
        return Fail(Utf8(path), "RegQueryInfoKeyW error " + std::to_string(code));
    for (DWORD i = 0; i < valueCount; ++i) {
        std::wstring name(longestName + 1, L'\0');
        DWORD length = longestName + 1;
        code = RegEnumValueW(key, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (code != ERROR_SUCCESS)
            return Fail(Utf8(path), "RegEnumValueW error " + std::to_string(code));
        name.resize(length);
        const wchar_t* queried = name.empty() ? nullptr : name.c_str();
        Stored value;
        DWORD size = 0;
        code = RegQueryValueExW(key, queried, nullptr, &value.type, nullptr, &size);
        value.data.resize(size);
        if (code == ERROR_SUCCESS && size > 0)
            code = RegQueryValueExW(key, queried, nullptr, &value.type, value.data.data(), &size);
        if (code != ERROR_SUCCESS)
            return Fail(Utf8(path), "RegQueryValueExW error " + std::to_string(code));
        value.data.resize(size);
        values[name] = value;
    }
    for (DWORD i = 0; i < subkeys; ++i) {
        std::wstring name(longestSubkey + 1, L'\0');
        DWORD length = longestSubkey + 1;
        code = RegEnumKeyExW(key, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (code != ERROR_SUCCESS)
            return Fail(Utf8(path), "RegEnumKeyExW error " + std::to_string(code));
        name.resize(length);
        HKEY subkey = nullptr;
        code = RegOpenKeyExW(key, name.c_str(), 0, KEY_READ, &subkey);
        if (code != ERROR_SUCCESS)
            return Fail(Utf8(path), "RegOpenKeyExW error " + std::to_string(code));
        ReadKey(subkey, path.empty() ? name : path + L"\\" + name, tree);
        RegCloseKey(subkey);
    }
}

Tree Read(HKEY root) {
    Tree tree;
    ReadKey(root, L"", tree);
    return tree;
}

std::string KeyName(const std::wstring& path) {
    return path.empty() ? "(the root)" : Utf8(path);
}

std::string ValueName(const std::wstring& name) {
    return name.empty() ? "(default)" : Utf8(name);
}

// Reports every key and value that differs, is missing or is there beyond `expected`.
void ExpectTree(const std::string& when, const Tree& actual, const Tree& expected) {
    for (const auto& [path, values] : expected) {
        const auto found = actual.find(path);
        if (found == actual.end()) {
            Fail(when, "missing key " + KeyName(path));
            continue;
        }
        for (const auto& [name, value] : values) {
            const auto stored = found->second.find(name);
            if (stored == found->second.end())
                Fail(when, KeyName(path) + " lacks value " + ValueName(name));
            else if (!(stored->second == value))
                Fail(when, KeyName(path) + " value " + ValueName(name) + " is " +
                               Shown(stored->second) + ", not " + Shown(value));
        }
        for (const auto& [name, value] : found->second)
            if (!values.count(name))
                Fail(when, KeyName(path) + " has an unexpected value " + ValueName(name) + " = " +
                               Shown(value));
    }
    for (const auto& [path, values] : actual)
        if (!expected.count(path))
            Fail(when, "unexpected key " + KeyName(path));
}

void Expect(bool condition, const std::string& when, const std::string& what) {
    if (!condition)
        Fail(when, what);
}

RegistryValue Text(std::wstring key, std::wstring text) {
    return {std::move(key), L"", RegistryValue::Type::String, std::move(text), {}};
}

// The registration as the program's FileTypeEntries lists it, for one verb and command line.
std::vector<RegistryValue> Registration(const std::wstring& verb, const std::wstring& command) {
    return {
        Text(L".dlg", L"DLGFile"),
        Text(L"DLGFile", L"Velmora Dialog file"),
        {L"DLGFile", L"EditFlags", RegistryValue::Type::Binary, L"", {0, 0, 0, 0}},
        Text(L"DLGFile\\DefaultIcon", L"C:\\WINDOWS\\SYSTEM\\SHELL32.DLL,69"),
        Text(L"DLGFile\\shell", verb),
        Text(L"DLGFile\\shell\\" + verb + L"\\command", command),
    };
}

// What a registration leaves below a root that held only an unrelated ".txt" key before.
Tree Registered(const std::wstring& verb, const std::wstring& command) {
    return {
        {L"", {}},
        {L".txt", {{L"", Sz(L"txtfile")}}},
        {L".dlg", {{L"", Sz(L"DLGFile")}}},
        {L"DLGFile", {{L"", Sz(L"Velmora Dialog file")}, {L"EditFlags", Binary({0, 0, 0, 0})}}},
        {L"DLGFile\\DefaultIcon", {{L"", Sz(L"C:\\WINDOWS\\SYSTEM\\SHELL32.DLL,69")}}},
        {L"DLGFile\\shell", {{L"", Sz(verb)}}},
        {L"DLGFile\\shell\\" + verb, {}},
        {L"DLGFile\\shell\\" + verb + L"\\command", {{L"", Sz(command)}}},
    };
}

// Runs the write and reports a RegistryError as a failure; true when it succeeded.
bool Write(const std::string& when, HKEY root, const std::vector<RegistryValue>& values) {
    try {
        WriteRegistration(root, values, kTypeKey);
        return true;
    } catch (const RegistryError& error) {
        Fail(when, error.what());
        return false;
    }
}

// The error a write fails with, or none (code 0) when it succeeded.
RegistryError WriteError(HKEY root, const std::vector<RegistryValue>& values,
                         const std::wstring& replacedKey) {
    try {
        WriteRegistration(root, values, replacedKey);
    } catch (const RegistryError& error) {
        return error;
    }
    return RegistryError(L"", ERROR_SUCCESS);
}

void SetText(HKEY root, const std::wstring& key, const std::wstring& name,
             const std::wstring& text) {
    HKEY opened = nullptr;
    if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &opened,
                        nullptr) != ERROR_SUCCESS) {
        Fail("preparing", "cannot create " + Utf8(key));
        return;
    }
    RegSetValueExW(opened, name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(opened);
}

// A fresh scratch root holding one unrelated key, which no registration may touch.
HKEY FreshRoot() {
    RegDeleteTreeW(HKEY_CURRENT_USER, kScratch);
    HKEY root = nullptr;
    const LONG code = RegCreateKeyExW(HKEY_CURRENT_USER, kScratch, 0, nullptr, 0, KEY_ALL_ACCESS,
                                      nullptr, &root, nullptr);
    if (code != ERROR_SUCCESS) {
        Fail("preparing", "cannot create the scratch key: error " + std::to_string(code));
        return nullptr;
    }
    SetText(root, L".txt", L"", L"txtfile");
    return root;
}

void Registers() {
    HKEY root = FreshRoot();
    if (!root)
        return;
    // Blanks in the program's path: the command line keeps its quotes.
    const std::wstring english = L"Open with Dolmex";
    const std::wstring spaced = L"\"C:\\Program Files\\Dolmex\\dolmex.exe\" \"%1\"";
    if (Write("first registration", root, Registration(english, spaced)))
        ExpectTree("first registration", Read(root), Registered(english, spaced));

    // Another language's verb: only the new verb's key is left below "shell".
    const std::wstring german = L"Mit Dolmex \u00f6ffnen";
    const std::wstring plain = L"\"D:\\Dolmex\\dolmex.exe\" \"%1\"";
    if (Write("second registration", root, Registration(german, plain)))
        ExpectTree("second registration", Read(root), Registered(german, plain));

    // Whatever else an earlier registration left below the type's key goes too.
    SetText(root, L"DLGFile\\shell\\Print\\command", L"", L"print.exe \"%1\"");
    SetText(root, L"DLGFile", L"AlwaysShowExt", L"");
    if (Write("over leftovers", root, Registration(english, spaced)))
        ExpectTree("over leftovers", Read(root), Registered(english, spaced));

    RegCloseKey(root);
}

void ReportsWhereItFailed() {
    HKEY root = FreshRoot();
    if (!root)
        return;
    const Tree before = Read(root);
    const std::wstring command = L"\"C:\\Dolmex\\dolmex.exe\" \"%1\"";

    // An empty name for the key to replace would delete the whole root.
    RegistryError error = WriteError(root, Registration(L"Open", command), L"");
    Expect(error.code() == ERROR_INVALID_PARAMETER, "empty replaced key",
           "error code " + std::to_string(error.code()));
    ExpectTree("empty replaced key", Read(root), before);

    // A key name longer than the registry allows (255 characters a part): the error names
    // that key, and what came before it was written.
    std::vector<RegistryValue> values = Registration(L"Open", command);
    const std::wstring tooLong = L"DLGFile\\" + std::wstring(300, L'x');
    values.insert(values.begin() + 2, Text(tooLong, L"never"));
    error = WriteError(root, values, kTypeKey);
    Expect(error.code() != ERROR_SUCCESS, "too long a key", "the write succeeded");
    Expect(error.key() == tooLong, "too long a key", "the error names " + KeyName(error.key()));
    Expect(std::string(error.what()).find(std::to_string(error.code())) != std::string::npos,
           "too long a key", std::string("the message lacks the code: ") + error.what());
    const Tree after = Read(root);
    const auto type = after.find(L"DLGFile");
    Expect(after.count(L".dlg") == 1 && type != after.end() && type->second.count(L"") == 1 &&
               after.count(L"DLGFile\\shell") == 0,
           "too long a key", "not exactly the values before the failing one were written");

    // A handle that is no longer open: the first key is the one reported.
    RegCloseKey(root);
    error = WriteError(root, Registration(L"Open", command), kTypeKey);
    Expect(error.code() == ERROR_INVALID_HANDLE, "closed root",
           "error code " + std::to_string(error.code()));
    Expect(error.key() == L".dlg", "closed root", "the error names " + KeyName(error.key()));
}

} // namespace

int main() {
    Registers();
    ReportsWhereItFailed();
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\DolmexTest");
    if (g_failures != 0) {
        std::printf("RegistryCheck: %d check(s) failed\n", g_failures);
        return 1;
    }
    std::printf("RegistryCheck: the registration reads back exactly, with quotes, one verb, and "
                "its failures name their key\n");
    return 0;
}
