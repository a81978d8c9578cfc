#include "game/Store.h"

namespace {
// Reads and refuses everything: what the game uses when no store could be
// opened, so it still runs on its defaults.
class NullStore final : public Store {
public:
    std::optional<std::string> ReadText(const std::string&, const std::string&) override { return std::nullopt; }
    bool WriteText(const std::string&, const std::string&, const std::string&) override { return false; }
};

StoreOpener& Opener() {
    static StoreOpener opener;
    return opener;
}

}  // namespace

bool Store::WriteTexts(const std::vector<StoreEntry>& entries) {
    for (const StoreEntry& e : entries)
        if (!WriteText(e.Section, e.Name, e.Value)) return false;
    return true;
}

bool Store::UpdateTexts(const Update& update) {
    const std::vector<StoreEntry> entries = update(*this);
    return entries.empty() || WriteTexts(entries);
}

void SetStoreOpener(StoreOpener opener) { Opener() = std::move(opener); }

std::unique_ptr<Store> OpenStore() {
    std::unique_ptr<Store> store;
    if (Opener()) store = Opener()();
    if (!store) store = std::make_unique<NullStore>();
    return store;
}

