#include "device/report_descriptor.h"

#include <QList>

#include <algorithm>

namespace kq {

namespace {

enum ItemType { kMain = 0, kGlobal = 1, kLocal = 2 };

// Tags of the items that matter here.
enum MainTag { kInput = 0x8, kOutput = 0x9, kFeature = 0xB };
enum GlobalTag { kReportSize = 0x7, kReportId = 0x8, kReportCount = 0x9, kPush = 0xA, kPop = 0xB };

constexpr quint8 kLongItemPrefix = 0xFE;

struct GlobalState {
    quint32 reportSize = 0;
    quint32 reportCount = 0;
    int reportId = 0;
};

quint32 UnsignedValue(const QByteArray &descriptor, qsizetype at, int size)
{
    quint32 value = 0;
    for (int i = 0; i < size; ++i)
        value |= quint32(quint8(descriptor[at + i])) << (8 * i);
    return value;
}

// hidraw hands over no report longer than the kernel's HID buffer
// (HID_MAX_BUFFER_SIZE), report-ID byte included.
constexpr quint64 kMaxReportBytes = 16384;
// Bit counts are held at this ceiling, so no sum of crafted sizes and counts
// wraps round, and a report past it is still seen as too long.
constexpr quint64 kBitsCeiling = (kMaxReportBytes + 1) * 8;
constexpr quint32 kMaxReportId = 255;

quint64 AddBits(quint64 total, quint64 size, quint64 count)
{
    // Each factor below 2^32: the product cannot wrap.
    return std::min(total + std::min(size * count, kBitsCeiling), kBitsCeiling);
}

// Report-ID byte included; nullopt past what hidraw hands over.
std::optional<int> LongestReport(const QMap<int, quint64> &bitsById)
{
    if (bitsById.isEmpty())
        return 0;
    quint64 longest = 0;
    for (quint64 bits : bitsById)
        longest = std::max(longest, bits);
    const quint64 bytes = 1 + (longest + 7) / 8;
    if (bytes > kMaxReportBytes)
        return std::nullopt;
    return int(bytes);
}

}  // namespace

std::optional<ReportLengths> ParseReportDescriptor(const QByteArray &descriptor)
{
    GlobalState state;
    QList<GlobalState> stack;
    bool usesReportIds = false;
    QMap<int, quint64> inputBits, outputBits, featureBits;

    qsizetype at = 0;
    while (at < descriptor.size()) {
        const quint8 prefix = quint8(descriptor[at]);
        if (prefix == kLongItemPrefix) {
            // Size byte, tag byte, then the data.
            if (at + 2 >= descriptor.size())
                return std::nullopt;
            const int dataSize = quint8(descriptor[at + 1]);
            at += 3 + dataSize;
            if (at > descriptor.size())
                return std::nullopt;
            continue;
        }
        const int size = (prefix & 0x3) == 3 ? 4 : (prefix & 0x3);
        const int type = (prefix >> 2) & 0x3;
        const int tag = prefix >> 4;
        if (at + 1 + size > descriptor.size())
            return std::nullopt;
        const quint32 value = UnsignedValue(descriptor, at + 1, size);
        at += 1 + size;

        if (type == kGlobal) {
            switch (tag) {
            case kReportSize: state.reportSize = value; break;
            case kReportCount: state.reportCount = value; break;
            case kReportId:
                if (value == 0 || value > kMaxReportId)
                    return std::nullopt;
                state.reportId = int(value);
                usesReportIds = true;
                break;
            case kPush: stack.append(state); break;
            case kPop:
                if (stack.isEmpty())
                    return std::nullopt;
                state = stack.takeLast();
                break;
            default: break;
            }
        } else if (type == kMain) {
            QMap<int, quint64> *bitsById = tag == kInput    ? &inputBits
                                           : tag == kOutput  ? &outputBits
                                           : tag == kFeature ? &featureBits
                                                             : nullptr;
            if (bitsById)
                (*bitsById)[state.reportId] = AddBits(bitsById->value(state.reportId), state.reportSize, state.reportCount);
        }
    }

    const std::optional<int> input = LongestReport(inputBits);
    const std::optional<int> output = LongestReport(outputBits);
    const std::optional<int> feature = LongestReport(featureBits);
    if (!input || !output || !feature)
        return std::nullopt;
    return ReportLengths{usesReportIds, *input, *output, *feature};
}

}  // namespace kq
