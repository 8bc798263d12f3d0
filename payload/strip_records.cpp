// Cutting the whole payload record chain off an executable.
#include "payload/payload_archive.h"

#include "platform/files.h"

PayloadResult StripPayloadRecords(const char* executablePath, bool forUpdate)
{
    Payload payload;
    PayloadResult opened = OpenPayload(executablePath, forUpdate, &payload);
    if (opened.fault != PayloadFault::kNone)
        return opened;
    PayloadFault refused = PayloadFault::kNone;
    if (payload.layout.isSigned)
        refused = PayloadFault::kSigned;
    else if (payload.chain == ChainState::kDamaged)
        refused = PayloadFault::kDamaged;
    bool cut = refused == PayloadFault::kNone && payload.chain == ChainState::kWhole;
    int32_t imageEnd = cut ? payload.chainStart : 0;
    // Closed first: the cut opens the file unshared.
    ClosePayload(&payload);
    if (!cut)
        return {refused, 0};
    int error = TruncateFileAt(executablePath, imageEnd);
    return {error ? PayloadFault::kCannotWrite : PayloadFault::kNone, error};
}
