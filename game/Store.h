// Store: the per-user key/value store the game keeps its options, records
// and window places in. Values are texts addressed by section and name.
//
// Backends (memory, INI file, registry) live with the platform; the game
// only sees this interface, and the rules for reading numbers and switches
// out of the texts live above it, so every backend reads the same way.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// One value of a write that stores several at once.
struct StoreEntry {
    std::string Section, Name, Value;
};

class Store {
public:
    virtual ~Store() = default;

    // The stored text, or nothing when the value is absent or cannot be read
    // (wrong type, unreadable file).
    virtual std::optional<std::string> ReadText(const std::string& section, const std::string& name) = 0;

    // True when the store holds a value of that name, readable or not: a
    // value of a type the store cannot read as text is there all the same,
    // and must not be taken for an absent one and written over.
    virtual bool Holds(const std::string& section, const std::string& name) {
        return ReadText(section, name).has_value();
    }

    // Stores the text; false when it could not be stored. A failed write
    // leaves what was stored before untouched.
    virtual bool WriteText(const std::string& section, const std::string& name, const std::string& value) = 0;

    // Stores every entry as one replace where the backend can: a failure or
    // an interrupted write leaves all of them as they were, never some old
    // and some new. This default writes them one by one, for stores that
    // have no such replace; it stops at the first refusal.
    virtual bool WriteTexts(const std::vector<StoreEntry>& entries);

    // Reads and writes as one: `update` reads what it needs from the store
    // as it is now and returns the entries to write, and where the backend
    // can keep other writers out (other programs included) none comes in
    // between, so a value merged from the stored one is never stale. This
    // default is a read followed by WriteTexts.
    using Update = std::function<std::vector<StoreEntry>(Store& now)>;
    virtual bool UpdateTexts(const Update& update);

    // Where the values are kept, in words a player can look for (a file's
    // path, a registry key); empty when there is no such place.
    virtual std::string Location() const { return {}; }
};

// Opens the program's store. The platform installs the opener at start-up;
// tests install one over a memory store. Without an opener the store reads
// nothing and refuses every write, so the game still runs on defaults.
using StoreOpener = std::function<std::unique_ptr<Store>()>;
void SetStoreOpener(StoreOpener opener);
std::unique_ptr<Store> OpenStore();
