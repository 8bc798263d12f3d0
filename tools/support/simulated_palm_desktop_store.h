// The few writes a simulated Palm Desktop needs, defined once for the real
// Windows registry and file system and once for the native fakes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Deletes a key below HKCU with everything below it; true also when absent.
bool DeleteRegistryTree(const std::string& keyPath);
bool WriteRegistryText(const std::string& keyPath, const std::string& valueName, const std::string& text);
bool ReadRegistryDword(const std::string& keyPath, const std::string& valueName, uint32_t* type,
                       uint32_t* value);

// Deletes a folder with everything in it; true also when absent.
bool DeleteFolderTree(const std::string& path);
// Makes a folder and any missing folders above it.
bool MakeFolder(const std::string& path);
bool WriteWholeFile(const std::string& path, const std::vector<unsigned char>& bytes);
