#include "records/FileReplace.h"

#include "platform/core/File.h"
#include "platform/core/Trace.h"

#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::string_view kUniqueSuffix = "XXXXXX";  // filled in by mkostemp

struct PathParts {
    std::string folder;
    std::string name;
};

PathParts SplitPath(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return {".", path};
    return {slash == 0 ? std::string("/") : path.substr(0, slash), path.substr(slash + 1)};
}

// Hidden, and named after the file, so that leftovers are easy to recognise.
std::string TemporaryPrefix(const PathParts& parts) { return "." + parts.name + "."; }

// Makes the rename itself durable.
void SyncFolder(const std::string& folder) {
    const CFileDescriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!directory.IsOpen() || ::fsync(directory.Get()) != 0) Trace("records: cannot sync folder " + folder);
}

// Ownership can be kept only by a privileged process or the owner itself;
// otherwise the new file simply belongs to us.  The permission bits come
// after it, because a change of owner may clear the set-id bits.
bool CopyAttributes(int descriptor, const struct stat& original) {
    if (::fchown(descriptor, original.st_uid, original.st_gid) != 0) {
        Trace("records: cannot keep the owner of the records file");
    }
    return ::fchmod(descriptor, original.st_mode & 07777u) == 0;
}

// Writes the new contents (head, then the rest of the old file from its
// current position), gives them the original's attributes and makes them
// durable.  Stops at the first step that fails.
bool FillTemporary(int descriptor, const struct stat& original, std::span<const BYTE> head, int rest) {
    if (!WriteAll(descriptor, head)) return false;
    if (!CopyRest(rest, descriptor)) return false;
    if (!CopyAttributes(descriptor, original)) return false;
    return ::fsync(descriptor) == 0;
}

}  // namespace

bool ReplaceFileContents(const std::string& path, const struct stat& original, std::span<const BYTE> head, int rest) {
    const PathParts parts = SplitPath(path);
    std::string pattern = parts.folder + "/" + TemporaryPrefix(parts) + std::string(kUniqueSuffix);
    CFileDescriptor temporary(::mkostemp(pattern.data(), O_CLOEXEC));
    if (!temporary.IsOpen()) {
        Trace("records: cannot create a temporary file beside " + path);
        return false;
    }
    const bool filled = FillTemporary(temporary.Get(), original, head, rest);
    // Closed whatever happened; a late write error shows only here.
    const bool closed = temporary.Close();
    if (!filled || !closed || std::rename(pattern.c_str(), path.c_str()) != 0) {
        Trace("records: cannot write the new records file " + pattern);
        ::unlink(pattern.c_str());
        return false;
    }
    SyncFolder(parts.folder);
    return true;
}

void RemoveStaleTemporaries(const std::string& path) {
    const PathParts parts = SplitPath(path);
    const std::string prefix = TemporaryPrefix(parts);
    const std::unique_ptr<DIR, int (*)(DIR*)> folder(::opendir(parts.folder.c_str()), ::closedir);
    if (!folder) return;
    std::vector<std::string> stale;
    for (;;) {
        const dirent* entry = ::readdir(folder.get());
        if (entry == nullptr) break;
        const std::string_view name = entry->d_name;
        if (name.size() == prefix.size() + kUniqueSuffix.size() && name.starts_with(prefix)) {
            stale.emplace_back(name);
        }
    }
    for (const std::string& name : stale) {
        ::unlinkat(::dirfd(folder.get()), name.c_str(), 0);
        Trace("records: removed a stale temporary file " + name);
    }
}
