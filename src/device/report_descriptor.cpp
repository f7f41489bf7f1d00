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

int BytesOf(quint64 bits)
{
    return int((bits + 7) / 8);
}

int LongestReport(const QMap<int, quint64> &bitsById)
{
    quint64 longest = 0;
    for (quint64 bits : bitsById)
        longest = std::max(longest, bits);
    return bitsById.isEmpty() ? 0 : 1 + BytesOf(longest);
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
            const quint64 bits = quint64(state.reportSize) * state.reportCount;
            switch (tag) {
            case kInput: inputBits[state.reportId] += bits; break;
            case kOutput: outputBits[state.reportId] += bits; break;
            case kFeature: featureBits[state.reportId] += bits; break;
            default: break;
            }
        }
    }

    ReportLengths lengths;
    lengths.usesReportIds = usesReportIds;
    lengths.input = LongestReport(inputBits);
    lengths.output = LongestReport(outputBits);
    lengths.feature = LongestReport(featureBits);
    return lengths;
}

}  // namespace kq
