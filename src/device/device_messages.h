#pragma once

#include <QString>

// What the device link and its callers tell the pupil.
namespace kq {

// Every command that needs the clock shows this when it returns false.
inline const QString kConnectionMessage = QStringLiteral("本体との接続が確認出来ません。");

inline const QString kOtherModelWarning = QStringLiteral(
    "当ソフトKQ-27で制御できるのはソラリット２です。\r\n現在ソラリットがパソコンに接続されています。\r\n"
    "もう一度、接続機器をご確認ください。");
inline const QString kOlderClockNotice = QStringLiteral(
    "接続されたソラリット２は2016年度以前のバージョンです。\r\n一部の機能には対応しておりませんが、このままご使用いただけます。\r\n"
    "詳しくはヘルプの「KQ-27の対応状況について」を参照ください。");

// A clock is plugged in, but this user may not open its node: not to be
// taken for a loose cable.
inline const QString kClockNotAccessibleWarning = QStringLiteral(
    "ソラリット２は接続されていますが、このパソコンでは使用が許可されていません。\r\n"
    "READMEにあるudevの設定を行うか、先生に相談して下さい。");

// The flowchart window's connection label.
inline const QString kConnectedLabel = QStringLiteral("接続中");
inline const QString kNotConnectedLabel = QStringLiteral("接続されていません");

}  // namespace kq
