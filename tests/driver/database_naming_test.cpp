// The slot path cleaning and splitting, and the database header rule with
// its fallback to the source's own name.
#include "driver/database_header.h"
#include "driver/slot_path.h"

#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

TEST(SlotPath, CleaningRunsTheLineEndPassThenTheBlankPassOnce)
{
    struct { const char* path; const char* cleaned; } cases[] = {
        {"a.prc \t \r\n", "a.prc"}, {"a.prc\r\r\n\n", "a.prc"}, {"a.prc\n ", "a.prc\n"},
        {"a\t \n\t", "a\t \n"}, {" \t\r\n", ""}, {"", ""}, {" a b", " a b"},
    };
    for (const auto& c : cases) {
        char path[kFilePathChars + 1];
        strcpy(path, c.path);
        CleanSlotPath(path);
        EXPECT_STREQ(path, c.cleaned) << c.path;
    }
}

TEST(SlotPath, SplitsLikeWindowsPaths)
{
    struct { const char* path; const char* drive; const char* folder; const char* base; const char* ext; } cases[] = {
        {"c:\\dir\\sub\\tools.v2.prc", "c:", "\\dir\\sub\\", "tools.v2", ".prc"},
        {"tools", "", "", "tools", ""},
        {"dir/x.PDB", "", "dir/", "x", ".PDB"},
        {"d.ir\\file", "", "d.ir\\", "file", ""},
        {".profile", "", "", "", ".profile"},
        {"c:x.prc", "c:", "", "x", ".prc"},
        {"", "", "", "", ""},
    };
    for (const auto& c : cases) {
        SplitPath parts;
        SplitWindowsPath(c.path, &parts);
        EXPECT_STREQ(parts.drive, c.drive) << c.path;
        EXPECT_STREQ(parts.folder, c.folder) << c.path;
        EXPECT_STREQ(parts.baseName, c.base) << c.path;
        EXPECT_STREQ(parts.extension, c.ext) << c.path;
    }
}

FILE* SourceOf(const std::string& bytes)
{
    FILE* file = tmpfile();
    fwrite(bytes.data(), 1, bytes.size(), file);
    rewind(file);
    return file;
}

std::string Header(const std::string& name, unsigned char high, unsigned char low)
{
    std::string header = name;
    header.resize(kDatabaseNameBytes, '\0');
    return header + static_cast<char>(high) + static_cast<char>(low) + "rest of the database";
}

TEST(DatabaseHeader, NamesFromTheHeaderElseFromTheSourcesOwnName)
{
    const std::string resource = Header("Sample", 0x00, 0x01);
    struct { std::string bytes; const char* path; const char* name; bool resource; } cases[] = {
        // The header wins over the source's own name and extension.
        {resource, "c:\\x\\other.pdb", "Sample", true},
        {Header("Sample", 0x01, 0x00), "other.prc", "Sample", false},
        {Header("Sample", 0xFF, 0xFE), "other.prc", "Sample", false},
        {Header(std::string(32, 'N'), 0x00, 0x00), "o.pdb", "NNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNN", false},
        {Header("", 0x00, 0x03), "o.pdb", "", true},
        // Shorter than the header: named as if it could not be opened.
        {resource.substr(0, kDatabaseHeaderBytes - 1), "dir\\own name.PRC", "own name", true},
        {"", "own.pdb", "own", false},
        {"", "noext", "noext", false},
    };
    for (const auto& c : cases) {
        FILE* source = SourceOf(c.bytes);
        DatabaseName naming;
        NameDatabase(source, c.path, &naming);
        fclose(source);
        EXPECT_STREQ(naming.name, c.name) << c.path;
        EXPECT_EQ(naming.isResourceDatabase, c.resource) << c.path;
    }
    DatabaseName naming;
    NameDatabase(nullptr, "c:\\p\\x.prc.pRc", &naming);
    EXPECT_STREQ(naming.name, "x.prc");
    EXPECT_TRUE(naming.isResourceDatabase);
}

} // namespace
