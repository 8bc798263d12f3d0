// Visiting the records of a chain of any length first to last, in memory
// that does not grow with it.
#include "payload/payload.h"

#include "payload/record_walk.h"

#include <cstdlib>

bool VisitRecordsInOrder(Payload* payload, void (*visit)(Payload* payload, const PayloadRecord& record, void* context),
                         void* context)
{
    constexpr int kMarks = 4096;
    int32_t marks[kMarks]; // the end of every stride-th record, last first
    int markCount = 0;
    int stride = 1;
    WindowReader reader;
    reader.file = payload->file;
    PayloadRecord record;
    int32_t recordEnd = payload->recordCount ? static_cast<int32_t>(payload->layout.chainEnd) : -1;
    for (int i = 0; recordEnd >= 0; i++) {
        if (i % stride == 0 && markCount == kMarks) {
            for (int m = 0; m < kMarks / 2; m++)
                marks[m] = marks[2 * m];
            markCount = kMarks / 2;
            stride *= 2;
        }
        if (i % stride == 0)
            marks[markCount++] = recordEnd;
        recordEnd = ReadRecordEndingAt(reader, recordEnd, &record);
    }
    int32_t* stretch = static_cast<int32_t*>(malloc(sizeof(int32_t) * static_cast<size_t>(stride)));
    if (!stretch)
        return false;
    for (int m = markCount - 1; m >= 0; m--) {
        int count = 0;
        for (recordEnd = marks[m]; recordEnd >= 0 && count < stride; count++) {
            stretch[count] = recordEnd;
            recordEnd = ReadRecordEndingAt(reader, recordEnd, &record);
        }
        // The last of a stretch may be the damaged record that ends the walk.
        while (count-- > 0) {
            if (ReadRecordEndingAt(reader, stretch[count], &record) != kDamagedRecord)
                visit(payload, record, context);
        }
    }
    free(stretch);
    return true;
}

