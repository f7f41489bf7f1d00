#include "base/recovery_writer.h"

#include "base/recovery_store.h"

#include <QCoreApplication>

namespace kq {

RecoveryWriter::RecoveryWriter(RecoveryStore &store, QString key, Snapshot snapshot, Thread thread, QObject *parent)
    : QObject(parent), m_store(store), m_key(std::move(key)), m_snapshot(std::move(snapshot)), m_thread(thread)
{
    m_timer.setObjectName(QStringLiteral("RecoveryTimer"));
    m_timer.setSingleShot(true);
    m_timer.setInterval(kDelayMs);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryWriter::WriteNow);
    m_worker.setMaxThreadCount(1);
}

RecoveryWriter::~RecoveryWriter()
{
    // A copy being written finishes; its result has nobody left to tell.
    m_worker.waitForDone();
}

void RecoveryWriter::NoteChange()
{
    m_changed = QDateTime::currentDateTime();
    // Not restarted by later changes: a pupil typing on never loses more
    // than the last second.
    if (!m_timer.isActive() && !m_writeAfterWorker)
        m_timer.start();
}

void RecoveryWriter::Flush()
{
    if (m_timer.isActive()) {
        m_timer.stop();
        WriteNow();
    }
    m_worker.waitForDone();
    QCoreApplication::sendPostedEvents(this);
    if (m_writeAfterWorker) {
        m_writeAfterWorker = false;
        WriteNow();
        m_worker.waitForDone();
        QCoreApplication::sendPostedEvents(this);
    }
}

void RecoveryWriter::Remove()
{
    m_timer.stop();
    m_writeAfterWorker = false;
    m_worker.waitForDone();
    QCoreApplication::sendPostedEvents(this);
    m_store.Remove(m_key);
}

void RecoveryWriter::WriteNow()
{
    if (m_workerBusy) {
        m_writeAfterWorker = true;
        return;
    }
    auto [copy, makeBody] = m_snapshot();
    copy.changed = m_changed.isValid() ? m_changed : QDateTime::currentDateTime();
    if (m_thread == Thread::Ui) {
        Finished(WriteCopy(copy, makeBody));
        return;
    }
    m_workerBusy = true;
    m_worker.start([this, copy = std::move(copy), makeBody = std::move(makeBody)]() mutable {
        const bool written = WriteCopy(copy, makeBody);
        QMetaObject::invokeMethod(
            this, [this, written] { Finished(written); }, Qt::QueuedConnection);
    });
}

bool RecoveryWriter::WriteCopy(RecoveryCopy &copy, const BodyMaker &makeBody)
{
    std::optional<QByteArray> body = makeBody();
    if (!body)
        return false;
    copy.body = std::move(*body);
    return m_store.Write(m_key, copy);
}

void RecoveryWriter::Finished(bool written)
{
    m_workerBusy = false;
    m_store.ReportWriteResult(written);
    emit Written(written);
    if (m_writeAfterWorker) {
        m_writeAfterWorker = false;
        m_timer.start();
    }
}

}  // namespace kq
