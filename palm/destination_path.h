// The destination of an installed database in a Palm user's folders.
#pragma once

#include "palm/palm_user.h"

// Writes "<folder>\<cleaned name>.prc" (or ".pdb") into destination.
// databaseName (may be nullptr) loses one leading and one trailing double
// quote; codes 1 to 31 and the characters . , ? * < > + = | \ [ ] / ^ ; : "
// and 0xD8 0xA9 0xAE 0x91-0x94 become '_', and so does every blank from the
// name on. A name that Windows keeps for a device (CON, PRN, AUX, NUL,
// CONIN$, CONOUT$, COM0-9, LPT0-9, in any case) gets a leading '_'. With no name (or an
// empty one) the folder alone is the destination. Returns 0, or -1 when the
// path would be longer than kFilePathChars characters: it is never cut,
// since a cut path names another file; destination is then empty.
int BuildDestinationPathIn(char (&destination)[kFilePathChars + 1], const char* folder,
                           const char* databaseName, bool isResourceDatabase);

// As BuildDestinationPathIn, in the user's install folder or, with toBackup,
// backup folder. On -1 the caller reports a failed copy.
int BuildDestinationPath(char (&destination)[kFilePathChars + 1], const PalmUser& user,
                         const char* databaseName, bool isResourceDatabase, bool toBackup);
