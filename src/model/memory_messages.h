#pragma once

#include "model/encoder.h"

#include <QString>

// What the steps say when a program would not fit the clock's 120 bytes.
namespace kq {

inline const QString kFlowchartPlaceOverflowMessage =
    QStringLiteral("これ以上命令を追加できません。(バイト数オーバー)");
inline const QString kFlowchartOpenOverflowMessage =
    QStringLiteral("読み込む命令数が最大数を超えている為開けません。(メモリ数オーバー)");
inline const QString kTextTransferOverflowMessage =
    QStringLiteral("メモリ数が最大数を超えている為転送できません。メモリ数を") + QString::number(kMemoryLimit)
    + QStringLiteral("以下にして下さい。\r\n「ヘルプ」→「消費メモリの表示」からメモリ数を確認できます。");
inline const QString kTextOpenOverflowMessage = QStringLiteral(
    "メモリ数が最大数を超える為開けません。\r\n(フローチャートで作成したファイルの場合、サブルーチン等を使うと開けない場合があります。)");
inline const QString kTextMemoryUnavailableMessage =
    QStringLiteral("プログラムが正しくない為メモリ数の表示ができません。");

}  // namespace kq
