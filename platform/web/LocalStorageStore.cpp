// LocalStorageStore: see LocalStorageStore.h.
#include "platform/web/LocalStorageStore.h"

#include <emscripten.h>

#include <cstdlib>

#include "platform/web/StorageKeys.h"

// The stored text in memory the caller frees, or 0 when there is none (or
// the browser keeps no storage for the page).
EM_JS(char*, qv_store_get, (const char* key), {
    const value = Module.qv.storeGet(UTF8ToString(key));
    return value === null ? 0 : allocateUTF8(value);
});
// 1 when stored; 0 when refused.
EM_JS(int, qv_store_set, (const char* key, const char* value), {
    return Module.qv.storeSet(UTF8ToString(key), UTF8ToString(value)) ? 1 : 0;
});
// 1 once the store's lock is held, 0 when it is not taken (a hidden page,
// no Web Locks, no answer in time).
EM_ASYNC_JS(int, qv_store_lock, (), { return await Module.qv.storeLock(); });
EM_JS(void, qv_store_unlock, (), { Module.qv.storeUnlock(); });
EM_JS(void, qv_store_remove, (const char* key), { Module.qv.storeRemove(UTF8ToString(key)); });

namespace {

std::optional<std::string> Get(const std::string& key) {
    char* text = qv_store_get(key.c_str());
    if (!text) return std::nullopt;
    std::string value(text);
    std::free(text);
    return value;
}

}  // namespace

std::string LocalStorageStore::KeyOf(const std::string& section, const std::string& name) {
    return LocalStorageKey(section, name);
}

std::optional<std::string> LocalStorageStore::ReadText(const std::string& section, const std::string& name) {
    return Get(KeyOf(section, name));
}

bool LocalStorageStore::WriteText(const std::string& section, const std::string& name, const std::string& value) {
    return qv_store_set(KeyOf(section, name).c_str(), value.c_str()) != 0;
}

bool LocalStorageStore::WriteTexts(const std::vector<StoreEntry>& entries) {
    std::vector<std::pair<std::string, std::optional<std::string>>> before;
    for (const StoreEntry& e : entries) {
        const std::string key = KeyOf(e.Section, e.Name);
        before.emplace_back(key, Get(key));
        if (qv_store_set(key.c_str(), e.Value.c_str())) continue;
        // Refused: what this write changed goes back, newest first.
        for (auto it = before.rbegin(); it != before.rend(); ++it) {
            if (it->second)
                qv_store_set(it->first.c_str(), it->second->c_str());
            else
                qv_store_remove(it->first.c_str());
        }
        return false;
    }
    return true;
}

bool LocalStorageStore::UpdateTexts(const Update& update) {
    const bool locked = qv_store_lock() != 0;
    const bool stored = WriteTexts(update(*this));
    if (locked) qv_store_unlock();
    return stored;
}
