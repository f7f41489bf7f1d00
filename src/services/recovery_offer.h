#pragma once

#include "base/recovery_store.h"

#include <QList>
#include <QString>

#include <functional>

class QWidget;

// At start, the work that programs ended without closing (a crash, a killed
// process, a power cut) left behind is offered back once, before anything
// else is used.
namespace kq {

class Dialogs;

// The windows that can take back a copy, by the window name their copies
// carry. Each folder registers its own windows, as it does for the registry.
class RecoveryRestorers {
public:
    // Opens the window with the copy's work, file path and caption, marked
    // unsaved, and writes the window's own copy at once (so the work is
    // safe again before the old copy goes). False when the window cannot
    // show the copy's body.
    using RestoreFunction = std::function<bool(const RecoveryCopy &)>;

    // caption: how the question names the window ("STEP1", "メロディー作成").
    void Register(const QString &window, const QString &caption, RestoreFunction restore);
    bool Knows(const QString &window) const;
    QString Caption(const QString &window) const;
    [[nodiscard]] bool Restore(const RecoveryCopy &copy) const;

private:
    struct Entry {
        QString window;
        QString caption;
        RestoreFunction restore;
    };
    const Entry *Find(const QString &window) const;

    QList<Entry> m_entries;
};

// The question that lists the copies: window, file name or "新規", time of
// the last change.
QString RecoveryQuestion(const QList<AbandonedCopy> &copies, const RecoveryRestorers &restorers);
// Damaged copies (or ones their window refused) were put aside in folder.
QString RecoveryDamagedMessage(const QString &folder);
// Shown once, without stopping the work, when a copy cannot be written.
QString RecoveryWriteFailedMessage();

// Claims what programs that ended without closing left, reports damaged
// copies, asks once, restores every copy or discards them all, and removes
// the claimed copies. Does nothing when nothing was left.
void OfferAbandonedWork(RecoveryStore &store, Dialogs &dialogs, QWidget *parent, const RecoveryRestorers &restorers);

}  // namespace kq
