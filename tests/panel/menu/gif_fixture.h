#pragma once

#include <QByteArray>
#include <QColor>
#include <QSize>

// Qt reads GIF but cannot write it, so fixture pictures are made here byte
// by byte: a GIF89a of one colour, its LZW stream kept so short between
// clear codes that every code stays three bits wide.
namespace kq::testing {

inline QByteArray OneColourGif(QSize size, QColor colour)
{
    QByteArray gif("GIF89a");
    const auto word = [&gif](int value) {
        gif.append(char(value & 0xff));
        gif.append(char((value >> 8) & 0xff));
    };
    word(size.width());
    word(size.height());
    gif.append(char(0x81));  // global colour table of 4 entries
    gif.append('\0');
    gif.append('\0');
    const QColor table[4] = {colour, Qt::black, Qt::white, Qt::black};
    for (const QColor &entry : table) {
        gif.append(char(entry.red()));
        gif.append(char(entry.green()));
        gif.append(char(entry.blue()));
    }
    gif.append(',');
    word(0);
    word(0);
    word(size.width());
    word(size.height());
    gif.append('\0');

    constexpr int kClear = 4;
    constexpr int kEnd = 5;
    QByteArray data;
    quint32 bits = 0;
    int bitCount = 0;
    const auto code = [&](int value) {
        bits |= quint32(value) << bitCount;
        bitCount += 3;
        while (bitCount >= 8) {
            data.append(char(bits & 0xff));
            bits >>= 8;
            bitCount -= 8;
        }
    };
    const int pixels = size.width() * size.height();
    for (int pixel = 0; pixel < pixels; ++pixel) {
        if (pixel % 2 == 0)
            code(kClear);
        code(0);
    }
    code(kEnd);
    if (bitCount > 0)
        data.append(char(bits & 0xff));

    gif.append(char(2));  // minimum code size
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const QByteArray block = data.mid(at, 255);
        gif.append(char(block.size()));
        gif.append(block);
    }
    gif.append('\0');
    gif.append(';');
    return gif;
}

}  // namespace kq::testing
