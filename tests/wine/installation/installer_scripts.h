// The install scripts of the installation tests: those the installer
// carries as records, and the one that lies on disk beside it.
#pragma once

#include <string>
#include <vector>

struct NamedScript {
    const char* name;
    std::string text;
};

// The lines of a license longer than an edit control takes by default
// (32,767 characters), each shown followed by CR LF.
inline std::vector<std::string> LongLicenseLines()
{
    std::vector<std::string> lines;
    for (int i = 1; i <= 450; ++i) {
        std::string line = "License line " + std::to_string(i) + ": ";
        line.resize(78, static_cast<char>('a' + i % 26));
        lines.push_back(line);
    }
    lines.back() = "The last line of the long license.";
    return lines;
}

inline std::string LongLicenseScript()
{
    std::string text = "LICENSE\r\n";
    for (const std::string& line : LongLicenseLines())
        text += line + "\r\n";
    // Declining it must leave this file uninstalled.
    return text + ".\r\nFILES\r\n!Sample Tools\r\nsampletools.prc\r\n.\r\n";
}

inline std::vector<NamedScript> CarriedScripts()
{
    return {
        {"Install.ini",
         "LICENSE\r\n"
         "Sample Tools for Palm OS handhelds - license terms\r\n"
         "\r\n"
         "You may install and use this software on one handheld.\r\n"
         "Press I Accept to continue, or I Decline to end the installation.\r\n"
         ".\r\n"
         "FILES\r\n"
         "*Sample Tools 2.0 (always installed)\r\n"
         "sampletools.prc\r\n"
         "+Sample Tools help database\r\n"
         "samplehelp.pdb\r\n"
         "-Sample Tools extra themes\r\n"
         "samplethemes.pdb\r\n"
         "!Shared runtime library\r\n"
         "sharedlib.prc\r\n"
         "Check the items that you want to install, then press Continue.\r\n"
         "They reach the handheld at the next HotSync.\r\n"
         ".\r\n"
         "USERS CHOOSE\r\n"
         "README\r\n"
         "Thank you for installing Sample Tools.\r\n"
         "Start it from the handheld's application launcher.\r\n"
         ".\r\n"},
        // Nothing to show on the files page; a user line and a readme that
        // users named with -u leave unasked and unoffered.
        {"hidden.ini",
         "FILES\r\n"
         "!Sample Tools\r\n"
         "sampletools.prc\r\n"
         "!Shared runtime library\r\n"
         "sharedlib.prc\r\n"
         "Never shown: no entry is visible.\r\n"
         ".\r\n"
         "USERS CHOOSE\r\n"
         "README\r\n"
         "Never offered with -u.\r\n"
         ".\r\n"},
        // The second file is neither in the payload nor on disk.
        {"missing.ini",
         "FILES\r\n"
         "!Sample Tools\r\n"
         "sampletools.prc\r\n"
         "!Gone\r\n"
         "missing.prc\r\n"
         ".\r\n"
         "README\r\n"
         "Never offered after a failed copy.\r\n"
         ".\r\n"},
        {"long.ini", LongLicenseScript()},
    };
}

// Read in text mode, the script ends at its Ctrl-Z byte: the readme is one
// line, and the block needs no terminator.
const NamedScript kDiskScript = {"ctrlz.ini",
                                 "README\r\n"
                                 "Thank you for installing.\r\n"
                                 "\x1a"
                                 "Text after the end of the file.\r\n"
                                 ".\r\n"};
