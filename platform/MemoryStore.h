// MemoryStore: the store kept in memory, for the headless backend and the
// tests. Several store objects may share one set of contents, so a test can
// let the game open and release stores as it does with the real one and
// then look at what was written.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>

#include "game/Store.h"

class MemoryStore final : public Store {
public:
    struct Contents {
        std::map<std::pair<std::string, std::string>, std::string> Values;  // keys case-folded
        std::set<std::pair<std::string, std::string>> Unreadable;  // read as absent, like a value of the wrong type
        bool RefuseWrites = false;  // a store that cannot be written
        int Writes = 0;             // accepted writes (each entry of a one-write save counts), for tests
        int Replaces = 0;           // accepted calls of WriteText or WriteTexts, for tests

        void Set(const std::string& section, const std::string& name, const std::string& value);
        const std::string* Find(const std::string& section, const std::string& name) const;
    };

    explicit MemoryStore(std::shared_ptr<Contents> contents = std::make_shared<Contents>());

    std::optional<std::string> ReadText(const std::string& section, const std::string& name) override;
    bool Holds(const std::string& section, const std::string& name) override;
    bool WriteText(const std::string& section, const std::string& name, const std::string& value) override;
    // All or nothing, as one replace.
    bool WriteTexts(const std::vector<StoreEntry>& entries) override;
    std::string Location() const override { return "the test's memory store"; }

    const std::shared_ptr<Contents>& Shared() const { return contents_; }

private:
    std::shared_ptr<Contents> contents_;
};
