// Replacing a file's contents so that a crash at any moment leaves either the
// old or the new contents under its name, never a mix: the new bytes go to a
// temporary file beside it, reach the disk, and are renamed over the old file.
#pragma once

#include "platform/core/Types.h"

#include <span>
#include <string>
#include <sys/stat.h>

// Writes head followed by everything from rest's current position to its end
// into a temporary file in the same folder, gives it the old file's owner and
// permission bits (from original), and renames it over path.  On any failure
// the file at path is untouched and the temporary file is removed.
bool ReplaceFileContents(const std::string& path, const struct stat& original, std::span<const BYTE> head, int rest);

// Removes temporary files that a process killed while replacing path left
// behind.  Only safe while holding the lock that guards replacing path.
void RemoveStaleTemporaries(const std::string& path);
