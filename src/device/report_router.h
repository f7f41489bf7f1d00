#pragma once

#include <QList>
#include <QString>

// Which window sees a report from the clock: the first one open in a fixed
// order of priority. Windows register when they are created and unregister
// when they are destroyed.
namespace kq {

// In order of priority.
enum class ReceiverRole { Thermometer, IconEditor, FlowchartEditor, TextEditor, MelodyEditor };

class ReportReceiver {
public:
    virtual ~ReportReceiver() = default;
    // The received text, e.g. "FFFF"; runs on the user-interface thread.
    virtual void ReportReceived(const QString &text) = 0;
    // The clock went (pulled out, or its handle failed): a window that waits
    // for its completion report stops waiting, as none will come.
    virtual void ClockLost() = 0;
};

class ReportRouter {
public:
    // A receiver registered twice keeps its first registration.
    void Register(ReceiverRole role, ReportReceiver *receiver);
    void Unregister(ReportReceiver *receiver);

    // The receiver of the highest priority; of one role, the one registered
    // first. nullptr when none is registered.
    ReportReceiver *Current() const;

    // Hands text to Current(); false when no window takes reports.
    bool Route(const QString &text) const;
    // Tells every registered window, not only Current(): each may be waiting.
    void ClockLost() const;

private:
    struct Entry {
        ReceiverRole role;
        ReportReceiver *receiver;
    };
    QList<Entry> m_entries;
};

}  // namespace kq
