#pragma once

// The practice windows' own texts.

#include <QString>

namespace kq::practice {

inline const QString kIconWrong = QStringLiteral("命令が間違っています。確認してください。");
inline const QString kNextTwo = QStringLiteral("正解。練習問題２をやってみよう。");
inline const QString kNextThree = QStringLiteral("正解。練習問題３をやってみよう。");
inline const QString kNextFour = QStringLiteral("正解。練習問題４をやってみよう。");
inline const QString kIconFinished = QStringLiteral("正解。練習問題は終了しました。");
inline const QString kDropFailed =
    QStringLiteral("エラーが発生しました\r\nソフトを再起動するか再度インストールして下さい");

inline const QString kFlowWrongIcon = QStringLiteral("ドラッグ＆ドロップしたアイコンが違います。");
inline const QString kFlowPlaced =
    QStringLiteral("アイコンの配置ができました。続いてパラメータの設定を行います。\r\n次へのボタンを押して下さい。");
inline const QString kFlowWrongSettings = QStringLiteral("パラメータ設定が違います。");
inline const QString kFlowSettingsDone =
    QStringLiteral("パラメータ設定が終わりました。次は命令と命令を連結しましょう。\r\n次へのボタンを押して下さい。");
inline const QString kFlowComplete = QStringLiteral("プログラムが完成しました。\r\n次へのボタンを押して下さい。");

inline const QString kTextWrong = QStringLiteral("不正解。プログラムを確認してみよう。");
inline const QString kTextFinished =
    QStringLiteral("正解。以上で練習ステップは終わりです。文字プログラムに進みましょう。");

}  // namespace kq::practice
