// Where the application puts its resources before it creates windows, and
// where the window layer finds them by id.  A registration replaces an
// earlier one of the same id.  Found pointers stay valid until the same id
// is registered again or the registry is cleared.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/ResourceTypes.h"

void RegisterMenuResource(UINT id, MenuResource menu);
void RegisterAcceleratorResource(UINT id, std::vector<ACCEL> table);
void RegisterStringResource(UINT id, std::string text);
void RegisterDialogResource(UINT id, DialogTemplate dialogTemplate);
void RegisterIconResource(UINT id, IconResource icon);
void RegisterVersionResource(VersionRecord record);

const MenuResource* FindMenuResource(UINT id);
const std::vector<ACCEL>* FindAcceleratorResource(UINT id);
const std::string* FindStringResource(UINT id);
const DialogTemplate* FindDialogResource(UINT id);
const IconResource* FindIconResource(UINT id);
const VersionRecord* FindVersionResource();

// Forgets every resource of this registry (tests).
void ClearUiResources();
