#include "platform/ui/ResourceRegistry.h"

#include <map>
#include <optional>
#include <utility>

namespace {

struct Registry {
    std::map<UINT, MenuResource> menus;
    std::map<UINT, std::vector<ACCEL>> accelerators;
    std::map<UINT, std::string> strings;
    std::map<UINT, DialogTemplate> dialogs;
    std::map<UINT, IconResource> icons;
    std::optional<VersionRecord> version;
};

Registry& Resources() {
    static Registry registry;
    return registry;
}

template <class Value>
const Value* Find(const std::map<UINT, Value>& table, UINT id) {
    const auto found = table.find(id);
    return found == table.end() ? nullptr : &found->second;
}

}  // namespace

void RegisterMenuResource(UINT id, MenuResource menu) { Resources().menus[id] = std::move(menu); }
void RegisterAcceleratorResource(UINT id, std::vector<ACCEL> table) { Resources().accelerators[id] = std::move(table); }
void RegisterStringResource(UINT id, std::string text) { Resources().strings[id] = std::move(text); }
void RegisterDialogResource(UINT id, DialogTemplate dialogTemplate) { Resources().dialogs[id] = std::move(dialogTemplate); }
void RegisterIconResource(UINT id, IconResource icon) { Resources().icons[id] = std::move(icon); }
void RegisterVersionResource(VersionRecord record) { Resources().version = std::move(record); }

const MenuResource* FindMenuResource(UINT id) { return Find(Resources().menus, id); }
const std::vector<ACCEL>* FindAcceleratorResource(UINT id) { return Find(Resources().accelerators, id); }
const std::string* FindStringResource(UINT id) { return Find(Resources().strings, id); }
const DialogTemplate* FindDialogResource(UINT id) { return Find(Resources().dialogs, id); }
const IconResource* FindIconResource(UINT id) { return Find(Resources().icons, id); }
const VersionRecord* FindVersionResource() { return Resources().version ? &*Resources().version : nullptr; }

void ClearUiResources() { Resources() = Registry{}; }
