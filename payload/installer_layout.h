// Where an installer's payload chain ends, and where its program image ends,
// read from its PE headers. An unsigned installer's chain ends with the
// file; a signed one's ends where the certificate table that signing
// appended begins, less the zero bytes that align that table.
#pragma once

#include <cstdint>
#include <cstdio>

struct InstallerLayout {
    int64_t fileLength;
    int64_t chainEnd;            // just past the last record's tag, if there is a chain
    bool isSigned;               // a certificate table ends the file
    bool badSignature;           // directory 4 names a table that is no whole one ending the file
    int64_t imageEnd;            // end of the last section's data; 0 when the file is no PE image
    int64_t checkSumAt;          // file offsets of the PE CheckSum field and of data
    int64_t securityDirectoryAt; // directory 4, which signing rewrites; 0 when absent
};

// Reads the layout of the open file. Returns 0, or -1 when its length
// cannot be had. A file that is no PE image gets chainEnd = fileLength.
int ReadInstallerLayout(FILE* file, InstallerLayout* layout);
