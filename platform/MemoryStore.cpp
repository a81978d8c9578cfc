#include "platform/MemoryStore.h"

#include "platform/StoreNames.h"

namespace {
std::pair<std::string, std::string> Key(const std::string& section, const std::string& name) {
    return {FoldCase(section), FoldCase(name)};
}
}  // namespace

void MemoryStore::Contents::Set(const std::string& section, const std::string& name, const std::string& value) {
    Values[Key(section, name)] = value;
}

const std::string* MemoryStore::Contents::Find(const std::string& section, const std::string& name) const {
    auto it = Values.find(Key(section, name));
    return it == Values.end() ? nullptr : &it->second;
}

MemoryStore::MemoryStore(std::shared_ptr<Contents> contents) : contents_(std::move(contents)) {}

std::optional<std::string> MemoryStore::ReadText(const std::string& section, const std::string& name) {
    if (contents_->Unreadable.count(Key(section, name))) return std::nullopt;
    if (const std::string* v = contents_->Find(section, name)) return *v;
    return std::nullopt;
}

bool MemoryStore::Holds(const std::string& section, const std::string& name) {
    return contents_->Unreadable.count(Key(section, name)) != 0 || contents_->Find(section, name) != nullptr;
}

bool MemoryStore::WriteText(const std::string& section, const std::string& name, const std::string& value) {
    if (contents_->RefuseWrites) return false;
    contents_->Set(section, name, value);
    contents_->Unreadable.erase(Key(section, name));
    ++contents_->Writes;
    ++contents_->Replaces;
    return true;
}

bool MemoryStore::WriteTexts(const std::vector<StoreEntry>& entries) {
    if (contents_->RefuseWrites) return false;
    for (const StoreEntry& e : entries) {
        contents_->Set(e.Section, e.Name, e.Value);
        contents_->Unreadable.erase(Key(e.Section, e.Name));
        ++contents_->Writes;
    }
    ++contents_->Replaces;
    return true;
}
