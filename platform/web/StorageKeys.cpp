#include "platform/web/StorageKeys.h"

#include "platform/StoreNames.h"

std::string LocalStorageKey(const std::string& section, const std::string& name) {
    return "QuorVex/" + FoldCase(section) + "/" + FoldCase(name);
}
