// A memory dump as the flowchart's read-back takes it: whatever the lines,
// the walk ends, and a flowchart it gives loads.
#include "base/text_file.h"
#include "editors/flowchart/flowchart.h"
#include "editors/flowchart/flowchart_code.h"
#include "editors/flowchart/flowchart_readback.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const kq::TextFileContent content =
        kq::DecodeTextLines(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    const std::optional<QStringList> section = kq::ReadBackSection(content.lines);
    if (!section)
        return 0;
    kq::Flowchart flowchart;
    if (!flowchart.LoadSection(*section))
        std::abort();
    (void)kq::GenerateProgram(flowchart);
    return 0;
}
