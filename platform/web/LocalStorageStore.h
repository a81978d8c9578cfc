// LocalStorageStore: the browser's per-site store, localStorage, as the
// game's Store, one key per value (StorageKeys.h).
//
// Nothing is cached: every read asks localStorage, so a save that merges
// the records (Settings.h) merges with what another tab of the game stored
// a moment ago. A write of several values puts back the ones already
// written when a later one is refused (the site's quota full, storage
// switched off), so a save is all or nothing. Tabs have no file lock to
// keep each other out; a read-merge-write takes a Web Lock instead.
#pragma once

#include "game/Store.h"

class LocalStorageStore final : public Store {
public:
    std::optional<std::string> ReadText(const std::string& section, const std::string& name) override;
    bool WriteText(const std::string& section, const std::string& name, const std::string& value) override;
    bool WriteTexts(const std::vector<StoreEntry>& entries) override;
    // Under the page's Web Lock of the store while the page is visible, so
    // two tabs merging their records take turns (quorvex.js, storeLock).
    bool UpdateTexts(const Update& update) override;
    std::string Location() const override { return "this browser's storage for the site"; }

    static std::string KeyOf(const std::string& section, const std::string& name);
};
