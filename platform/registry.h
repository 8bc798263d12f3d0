// The registry below HKEY_CURRENT_USER, one key or value at a time. Defined
// for Windows in registry_win.cpp; native tests link a fake registry.
#pragma once

#include <cstdint>

// An open key. kCurrentUserKey stands for HKEY_CURRENT_USER itself, which is
// never opened or closed.
using RegistryKey = uintptr_t;
constexpr RegistryKey kCurrentUserKey = 0;

constexpr uint32_t kKeyRead = 0x20019;      // KEY_READ
constexpr uint32_t kKeyAllAccess = 0xF003F; // KEY_ALL_ACCESS
constexpr uint32_t kRegDword = 4;           // REG_DWORD

// Each returns the platform's status: 0 on success, anything else on failure.
long RegistryOpenKey(RegistryKey parent, const char* name, uint32_t access, RegistryKey* key);
long RegistryCreateKey(RegistryKey parent, const char* name, uint32_t access, RegistryKey* key);
long RegistryQueryValue(RegistryKey key, const char* name, void* data, uint32_t* size);
long RegistrySetValue(RegistryKey key, const char* name, uint32_t type, const void* data, uint32_t size);
long RegistryCloseKey(RegistryKey key);
