// A text record of a panel file: what parses writes itself back the same way.
#include "panel/text/text_layer.h"

#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString line = QString::fromUtf8(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    const std::optional<kq::panel::TextRecord> record = kq::panel::ParseTextRecord(line);
    if (!record)
        return 0;
    const std::optional<kq::panel::TextRecord> again = kq::panel::ParseTextRecord(kq::panel::TextRecordLine(*record));
    if (!again || !(*again == *record))
        std::abort();
    if (const std::optional<kq::panel::TextDescription> description =
            kq::panel::ParseTextDescription(kq::panel::DescriptionField(record->description));
        !description || !(*description == record->description))
        std::abort();
    return 0;
}
