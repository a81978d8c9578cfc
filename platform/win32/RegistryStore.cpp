// RegistryStore: the five registry calls and the bounds around them.
#include "platform/win32/RegistryStore.h"

#include <windows.h>

#include <vector>

#include "platform/win32/RegistryText.h"

namespace {
HKEY Key(void* handle) { return static_cast<HKEY>(handle); }
}  // namespace

RegistryStore::RegistryStore() {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, ProductKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) == ERROR_SUCCESS)
        product_ = key;
}

RegistryStore::~RegistryStore() {
    if (product_) RegCloseKey(Key(product_));
}

std::optional<std::string> RegistryStore::ReadText(const std::string& section, const std::string& name) {
    if (!product_) return std::nullopt;
    HKEY key = nullptr;
    if (RegOpenKeyExA(Key(product_), section.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return std::nullopt;
    std::optional<std::string> text;
    // The size first, then the data into a buffer of that size (one byte
    // more, never read). A value that grew in between fails the second
    // query with ERROR_MORE_DATA instead of overrunning anything, and is
    // asked for again at its new size.
    for (int attempt = 0; attempt < 4 && !text; ++attempt) {
        DWORD type = 0, size = 0;
        if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
            !RegistryText::IsText(type) ||
            size > RegistryText::MaxReadBytes)
            break;
        std::vector<char> data(size_t(size) + 1, '\0');
        DWORD got = size;
        const LONG result =
            RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &got);
        if (result == ERROR_MORE_DATA) continue;
        if (result != ERROR_SUCCESS || got > size) break;
        text = RegistryText::FromData(type, data.data(), got);
        break;
    }
    RegCloseKey(key);
    return text;
}

bool RegistryStore::Holds(const std::string& section, const std::string& name) {
    if (!product_) return false;
    HKEY key = nullptr;
    if (RegOpenKeyExA(Key(product_), section.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    const bool held = RegQueryValueExA(key, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(key);
    return held;
}

bool RegistryStore::WriteTexts(const std::vector<StoreEntry>& entries) {
    // The registry has no transaction over several values; each section
    // key is opened once for all its entries, and a refused text refuses
    // the whole write before anything is stored.
    if (!product_) return false;
    for (const StoreEntry& e : entries)
        if (!RegistryText::Storable(e.Value)) return false;
    bool written = true;
    for (size_t first = 0; first < entries.size();) {
        size_t last = first;
        while (last < entries.size() && entries[last].Section == entries[first].Section) ++last;
        HKEY key = nullptr;
        if (RegCreateKeyExA(Key(product_), entries[first].Section.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
            return false;
        for (size_t i = first; i < last; ++i) {
            const std::string& value = entries[i].Value;
            written = RegSetValueExA(key, entries[i].Name.c_str(), 0, REG_SZ,
                                     reinterpret_cast<const BYTE*>(value.data()), DWORD(value.size())) == ERROR_SUCCESS &&
                      written;
        }
        RegCloseKey(key);
        first = last;
    }
    return written;
}

bool RegistryStore::WriteText(const std::string& section, const std::string& name, const std::string& value) {
    if (!product_ || !RegistryText::Storable(value)) return false;
    HKEY key = nullptr;
    if (RegCreateKeyExA(Key(product_), section.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return false;
    // The byte count is the text's length, without a terminating zero.
    const bool written = RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.data()),
                                        DWORD(value.size())) == ERROR_SUCCESS;
    RegCloseKey(key);
    return written;
}
