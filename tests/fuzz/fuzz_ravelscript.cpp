// Statements of `lumora ravel`: words and literals from any line, and every literal prints
// back as a literal that reads as the same value.
#include "ravelscript/RavelScript.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString line = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<QStringList> words = RavelScript::split(line);
    if (!words)
        return 0;
    for (const QString &word : *words) {
        const std::optional<QVariant> value = RavelScript::parseLiteral(word);
        if (!value || !value->isValid())
            continue;
        const std::optional<QVariant> again =
            RavelScript::parseLiteral(RavelScript::format(*value));
        if (!again || *again != *value)
            __builtin_trap();
    }
    return 0;
}
