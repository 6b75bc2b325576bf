// libFuzzer entry; QUILLBOX_FUZZ_TARGET names the function of fuzztargets.h it drives.
#include "fuzztargets.h"

#include <QCoreApplication>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // The report data reads images through Qt's plugins, which want an application object.
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QuillboxFuzz::QUILLBOX_FUZZ_TARGET(data, size);
    return 0;
}
