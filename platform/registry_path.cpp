// The walk along a RegistryPath: split, open or create each key, read or
// write the value, close the keys again innermost first.
#include "platform/registry_path.h"

#include "base/bounded_text.h"
#include "platform/registry.h"

namespace {

// The keys and the value name of one path, pointing into working.
struct SplitPath {
    char working[kRegistryPathChars + 1];
    const char* keys[kRegistryPathKeys];
    int keyCount;
    const char* valueName; // nullptr when the path ends in a separator
};

// Splits path in place of a working copy. A component is a key when a
// separator follows it, the value name when it runs to the end; runs of
// separators count as one and leading ones are ignored. Returns 0, or -1
// for a path outside the limits.
int Split(const char* path, SplitPath* split)
{
    if (CopyText(split->working, path) != 0)
        return -1;
    split->keyCount = 0;
    split->valueName = nullptr;
    char* p = split->working;
    for (;;) {
        while (*p == '\\')
            p++;
        if (*p == '\0')
            return 0;
        char* component = p;
        while (*p != '\0' && *p != '\\')
            p++;
        if (*p == '\0') {
            split->valueName = component;
            return 0;
        }
        *p++ = '\0';
        if (split->keyCount == kRegistryPathKeys)
            return -1;
        split->keys[split->keyCount++] = component;
    }
}

enum class Access { kRead, kWrite };

// The shared walk. For a read, buffer receives the value and size is its
// capacity; for a write, data and size are the bytes to store.
long Walk(const char* path, Access access, void* buffer, const void* data, uint32_t size,
             uint32_t type)
{
    SplitPath split;
    if (Split(path, &split) != 0)
        return -1;

    RegistryKey slots[kRegistryPathKeys] = {};
    int opened = 0;
    RegistryKey parent = kCurrentUserKey;
    long status = 0;
    for (int i = 0; i < split.keyCount && status == 0; i++) {
        if (access == Access::kRead)
            status = RegistryOpenKey(parent, split.keys[i], kKeyRead, &slots[opened]);
        else
            status = RegistryCreateKey(parent, split.keys[i], kKeyAllAccess, &slots[opened]);
        if (status == 0)
            parent = slots[opened++];
    }
    if (status == 0 && split.valueName) {
        if (access == Access::kRead) {
            uint32_t inOut = size;
            status = RegistryQueryValue(parent, split.valueName, buffer, &inOut);
        } else {
            status = RegistrySetValue(parent, split.valueName, type, data, size);
        }
    }
    while (opened > 0)
        RegistryCloseKey(slots[--opened]);
    return status;
}

} // namespace

long ReadRegistryPath(const char* path, void* buffer, uint32_t size)
{
    return Walk(path, Access::kRead, buffer, nullptr, size, 0);
}

long WriteRegistryPath(const char* path, const void* data, uint32_t size, uint32_t type)
{
    return Walk(path, Access::kWrite, nullptr, data, size, type);
}
