// Project files from anywhere: loading must never crash, hang or read out of bounds.
#include "project/ProjectFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    WorkingSet set;
    ProjectFile::apply(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), set);
    // Whatever loaded must save again.
    (void)ProjectFile::serialize(set);
    return 0;
}
