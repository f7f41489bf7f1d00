#pragma once

#include <QString>

// The panel maker's own texts about its document and its file. The window
// shows them; the document returns them.
namespace kq::panel {

inline constexpr int kMaxLayers = 90;

inline const QString kLayerLimitMessage = QStringLiteral("これ以上レイヤーを追加できません。");
inline const QString kNoBackgroundMessage =
    QStringLiteral("背景画像が選択されていません。\r\n背景画像を選択して下さい。");
inline const QString kNothingToChangeMessage = QStringLiteral("変更する画像が選択されていません。");
inline const QString kBackgroundFixedMessage = QStringLiteral("背景は変更出来ません。");

inline const QString kDeleteQuestion = QStringLiteral("削除します。よろしいですか？");
inline const QString kClearQuestion = QStringLiteral("プログラムを全て消去します。よろしいですか？");
inline const QString kCloseQuestion = QStringLiteral("画面を閉じるとプログラムは消去されます。\r\nよろしいですか？");

inline const QString kPanelReadFailedMessage = QStringLiteral("ファイルの読み込みに失敗しました。");
inline const QString kPanelSaveFailedMessage = QStringLiteral("ファイルの保存に失敗しました。");
inline const QString kPanelOverwriteQuestion = QStringLiteral("同じ名前のファイルが既にあります。上書きしますか？");
inline const QString kPanelWrongExtensionMessage =
    QStringLiteral("指定したファイルを開くことが出来ません\r\nファイル名を確認して下さい。");

// The captions of the main window's progress panel.
inline const QString kSavingCaption = QStringLiteral("データ書き込み中");
inline const QString kLoadingCaption = QStringLiteral("データ読み込み中");

// kind + "ファイル " + path + " が見つかりません。", kind being "背景" or "部品".
QString PictureNotFoundMessage(const QString &kind, const QString &path);

}  // namespace kq::panel
