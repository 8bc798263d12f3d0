// Win32 side of the registry operations, all below HKEY_CURRENT_USER.
#include "platform/registry.h"

#include <windows.h>

namespace {

HKEY ToHkey(RegistryKey key)
{
    return key == kCurrentUserKey ? HKEY_CURRENT_USER : reinterpret_cast<HKEY>(key);
}

} // namespace

long RegistryOpenKey(RegistryKey parent, const char* name, uint32_t access, RegistryKey* key)
{
    HKEY opened;
    LONG status = RegOpenKeyExA(ToHkey(parent), name, 0, access, &opened);
    if (status == ERROR_SUCCESS)
        *key = reinterpret_cast<RegistryKey>(opened);
    return status;
}

long RegistryCreateKey(RegistryKey parent, const char* name, uint32_t access, RegistryKey* key)
{
    // The class argument is not const in the headers; an empty one is asked for.
    static char noClass[] = "";
    HKEY created;
    DWORD disposition;
    LONG status = RegCreateKeyExA(ToHkey(parent), name, 0, noClass, REG_OPTION_NON_VOLATILE, access,
                                  nullptr, &created, &disposition);
    if (status == ERROR_SUCCESS)
        *key = reinterpret_cast<RegistryKey>(created);
    return status;
}

long RegistryQueryValue(RegistryKey key, const char* name, void* data, uint32_t* size)
{
    DWORD count = *size;
    LONG status = RegQueryValueExA(ToHkey(key), name, nullptr, nullptr, static_cast<BYTE*>(data), &count);
    *size = count;
    return status;
}

long RegistrySetValue(RegistryKey key, const char* name, uint32_t type, const void* data, uint32_t size)
{
    return RegSetValueExA(ToHkey(key), name, 0, type, static_cast<const BYTE*>(data), size);
}

long RegistryCloseKey(RegistryKey key)
{
    return RegCloseKey(ToHkey(key));
}
