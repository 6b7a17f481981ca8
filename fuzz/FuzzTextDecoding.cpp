// The bytes of an imported file turned into text.
#include "FuzzSupport.h"
#include "TextDecoding.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = FuzzSupport::bytes(data, size);
    const QString text = TextDecoding::decode(bytes);
    // No decoding makes more characters than there are bytes.
    if (text.size() > bytes.size())
        std::abort();
    // Windows-1252 maps each byte to one character.
    if (TextDecoding::fromWindows1252(bytes).size() != bytes.size())
        std::abort();
    return 0;
}
