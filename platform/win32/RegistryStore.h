// RegistryStore: the per-user store on Windows, the registry key
// HKEY_CURRENT_USER\Software\Varnel\QuorVex. A section is a subkey of it,
// a value a named text (REG_SZ) inside the section.
//
// The product key is opened (and created when missing) with the store and
// held until the store goes; a section key is opened for each single read
// or write and closed right after, so several store objects open at once
// always see each other's writes.
#pragma once

#include <optional>
#include <string>

#include "game/Store.h"

class RegistryStore final : public Store {
public:
    static constexpr const char* ProductKey = "Software\\Varnel\\QuorVex";

    RegistryStore();
    ~RegistryStore() override;
    RegistryStore(const RegistryStore&) = delete;
    RegistryStore& operator=(const RegistryStore&) = delete;

    // Absent also when the product key could not be opened or the value is
    // of another type; a text of any length is read.
    std::optional<std::string> ReadText(const std::string& section, const std::string& name) override;
    // Any value of the name, of whatever type (a number, binary data).
    bool Holds(const std::string& section, const std::string& name) override;
    bool WriteText(const std::string& section, const std::string& name, const std::string& value) override;
    // Value by value (the registry has no transaction over several), under
    // one open key per section.
    bool WriteTexts(const std::vector<StoreEntry>& entries) override;
    std::string Location() const override { return std::string("HKEY_CURRENT_USER\\") + ProductKey; }

private:
    void* product_ = nullptr;  // the HKEY, kept opaque so callers need no system header
};
