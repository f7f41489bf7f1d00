#include "services/recovery_offer.h"

#include "services/dialogs.h"

#include <QDir>
#include <QFileInfo>

namespace kq {

void RecoveryRestorers::Register(const QString &window, const QString &caption, RestoreFunction restore)
{
    m_entries.append({window, caption, std::move(restore)});
}

const RecoveryRestorers::Entry *RecoveryRestorers::Find(const QString &window) const
{
    for (const Entry &entry : m_entries) {
        if (entry.window == window)
            return &entry;
    }
    return nullptr;
}

bool RecoveryRestorers::Knows(const QString &window) const
{
    return Find(window) != nullptr;
}

QString RecoveryRestorers::Caption(const QString &window) const
{
    const Entry *entry = Find(window);
    return entry ? entry->caption : window;
}

bool RecoveryRestorers::Restore(const RecoveryCopy &copy) const
{
    const Entry *entry = Find(copy.window);
    return entry && entry->restore(copy);
}

QString RecoveryQuestion(const QList<AbandonedCopy> &copies, const RecoveryRestorers &restorers)
{
    QString text = QStringLiteral("前回、保存しないまま終わった作業が残っております。\r\n\r\n");
    for (const AbandonedCopy &abandoned : copies) {
        const RecoveryCopy &copy = abandoned.copy;
        const QString file = copy.filePath.isEmpty() ? QStringLiteral("新規") : QFileInfo(copy.filePath).fileName();
        text += QStringLiteral("・%1　%2　%3\r\n")
                    .arg(restorers.Caption(copy.window), file,
                         copy.changed.toLocalTime().toString(QStringLiteral("M月d日 H:mm")));
    }
    text += QStringLiteral("\r\n元に戻しますか？\r\n（「いいえ」を選ぶと、残っている作業は削除されます。）");
    return text;
}

QString RecoveryDamagedMessage(const QString &folder)
{
    return QStringLiteral(
               "壊れているため元に戻せない作業の控えがありました。\r\n控えは次のフォルダーに残してあります。\r\n")
        + QDir::toNativeSeparators(folder);
}

QString RecoveryWriteFailedMessage()
{
    return QStringLiteral(
        "作業の控えを保存できませんでした。\r\nディスクの空きを確認して下さい。\r\n作業はこのまま続けられます。");
}

void OfferAbandonedWork(RecoveryStore &store, Dialogs &dialogs, QWidget *parent, const RecoveryRestorers &restorers)
{
    AbandonedWork work = store.ClaimAbandoned();
    // A copy no window of this program knows (another version's, a renamed
    // file) is kept like a damaged one.
    for (qsizetype i = work.copies.size() - 1; i >= 0; --i) {
        if (!restorers.Knows(work.copies[i].copy.window))
            work.damaged.append(store.PutAside(work.copies.takeAt(i).file));
    }
    if (!work.copies.isEmpty()) {
        if (dialogs.AskYesNo(parent, RecoveryQuestion(work.copies, restorers))) {
            for (const AbandonedCopy &abandoned : std::as_const(work.copies)) {
                if (!restorers.Restore(abandoned.copy))
                    work.damaged.append(store.PutAside(abandoned.file));
            }
        }
    }
    if (!work.damaged.isEmpty())
        dialogs.Warning(parent, RecoveryDamagedMessage(store.DamagedFolder()));
    store.ForgetClaimed();
}

}  // namespace kq
