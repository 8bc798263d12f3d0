// The section line read and the four section tests.
#include "script/install_script.h"

#include "base/bounded_text.h"

int ReadSectionLine(const ScriptStream& script, char (&line)[kScriptLineBytes])
{
    return ReadScriptLine(script, line, sizeof line);
}

bool IsLicenseSection(const char* line)
{
    return StartsWithIgnoringCase(line, "LICENSE");
}

bool IsFilesSection(const char* line)
{
    return StartsWithIgnoringCase(line, "FILES");
}

bool IsUserSection(const char* line)
{
    return StartsWithIgnoringCase(line, "USER");
}

bool IsReadmeSection(const char* line)
{
    return StartsWithIgnoringCase(line, "README");
}
