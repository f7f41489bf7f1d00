#include "learning/transfer_data_rows.h"

#include "base/text_helpers.h"

namespace kq {

namespace {

struct DisplayEntry {
    int kind;
    int variant;  // -1: any variant
    int displayNumber;
    const char16_t *description;
};

constexpr DisplayEntry kDisplayEntries[] = {
    {2, 0, 100, u"フルカラーLED点灯"},
    {2, 1, 101, u"フルカラーLEDフェードイン"},
    {2, 2, 102, u"フルカラーLEDフェードアウト"},
    {3, 0, 103, u"フルカラーLED点灯(連続)"},
    {3, 1, 104, u"フルカラーLED消灯"},
    {4, 0, 105, u"バックライト点灯"},
    {4, 1, 106, u"バックライト点灯(連続)"},
    {4, 2, 107, u"バックライト消灯"},
    {5, 0, 108, u"確認音１"},
    {5, 1, 109, u"確認音２"},
    {5, 2, 110, u"確認音３"},
    {5, 3, 111, u"音プログラムを再生する"},
    {5, 4, 112, u"音プログラム再生(連続)"},
    {5, 5, 113, u"音プログラム停止"},
    {6, 0, 114, u"動作停止(時間)"},
    {6, 1, 115, u"動作停止(時間or音センサ)"},
    {6, 2, 116, u"動作停止(時間orSWセンサ)"},
    {6, 3, 117, u"動作停止(時間or明るくなるまで)"},
    {6, 4, 118, u"動作停止(時間or暗くなるまで)"},
    {6, 5, 119, u"動作停止(時間or設定温度)"},
    {7, 0, 120, u"音入力があるまで停止"},
    {7, 1, 121, u"SWが押されるまで停止"},
    {7, 2, 122, u"明るくなるまで停止"},
    {7, 3, 123, u"暗くなるまで停止"},
    {7, 4, 124, u"設定温度になるまで停止"},
    {7, 5, 125, u"信号入力があるまで停止"},
    // The alarm wait came after the numbering was laid out; it takes the
    // first free number.
    {7, 6, 155, u"アラーム時刻になるまで停止"},
    {8, 0, 126, u"SWがONなら"},
    {8, 1, 127, u"SWがOFFなら"},
    {8, 2, 128, u"周囲が明るければ"},
    {8, 3, 129, u"周囲が暗ければ"},
    {8, 4, 130, u"設定温度より高ければ"},
    {8, 5, 131, u"設定温度より低ければ"},
    {8, 6, 132, u"設定温度と同じなら"},
    {8, 7, 133, u"温度が変数xより高ければ"},
    {8, 8, 134, u"温度が変数xより低ければ"},
    {8, 9, 135, u"温度が変数xと同じなら"},
    {9, 0, 136, u"繰返開始位置"},
    {9, 1, 137, u"繰返終了位置"},
    {10, -1, 138, u"サブルーチン"},
    {11, -1, 139, u"変数x に温度を代入"},
    {12, 0, 140, u"信号出力"},
    {12, 1, 141, u"DCモータ ON(時間指定)"},
    {12, 2, 142, u"DCモータ ON(連続)"},
    {12, 3, 143, u"DCモータ OFF"},
    {12, 4, 144, u"豆球 点灯(時間指定)"},
    {12, 5, 145, u"豆球 点灯(連続)"},
    {12, 6, 146, u"豆球 消灯"},
    {13, 0, 147, u"電車 前進(時間・出力)"},
    {13, 1, 148, u"電車 後進(時間・出力)"},
    {13, 2, 149, u"電車 前進(連続)"},
    {13, 3, 150, u"電車 後進(連続)"},
    {13, 4, 151, u"徐々に発車(前進)"},
    {13, 5, 152, u"徐々に発車(後進)"},
    {13, 6, 153, u"徐々に停止"},
    {13, 7, 154, u"電車 停止"},
    {20, -1, 200, u"else"},
    {21, -1, 201, u"endif"},
};

const DisplayEntry *DisplayEntryOf(int kind, int variant)
{
    for (const DisplayEntry &entry : kDisplayEntries) {
        if (entry.kind == kind && (entry.variant == -1 || entry.variant == variant))
            return &entry;
    }
    return nullptr;
}

int FieldValue(const QString &line, int n)
{
    return FieldOf(line, n, QLatin1Char(',')).toInt();
}

}  // namespace

std::vector<TransferDataRow> TransferDataRows(const QStringList &programLines)
{
    std::vector<TransferDataRow> rows;
    for (qsizetype i = 1; i + 1 < programLines.size(); ++i) {
        const QString &line = programLines[i];
        const DisplayEntry *entry = DisplayEntryOf(FieldValue(line, 1), FieldValue(line, 2));
        // Lines come from the editors' own checked programs; an unknown
        // instruction would still get its row, with number 0 and no text.
        const int displayNumber = entry ? entry->displayNumber : 0;
        QString bits = ByteToBits(quint32(displayNumber), 1);
        for (int field = 2; field <= 5; ++field)
            bits += ByteToBits(quint32(FieldValue(line, field)), 1);
        rows.push_back({QString::number(i - 1), entry ? QString::fromUtf16(entry->description) : QString(),
                        RemoveSpaces(bits)});
    }
    return rows;
}

}  // namespace kq
