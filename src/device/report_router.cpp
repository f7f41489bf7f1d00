#include "device/report_router.h"

namespace kq {

void ReportRouter::Register(ReceiverRole role, ReportReceiver *receiver)
{
    if (!receiver)
        return;
    for (const Entry &entry : m_entries) {
        if (entry.receiver == receiver)
            return;
    }
    m_entries.append({role, receiver});
}

void ReportRouter::Unregister(ReportReceiver *receiver)
{
    m_entries.removeIf([receiver](const Entry &entry) { return entry.receiver == receiver; });
}

ReportReceiver *ReportRouter::Current() const
{
    const Entry *best = nullptr;
    for (const Entry &entry : m_entries) {
        if (!best || int(entry.role) < int(best->role))
            best = &entry;
    }
    return best ? best->receiver : nullptr;
}

bool ReportRouter::Route(const QString &text) const
{
    ReportReceiver *receiver = Current();
    if (!receiver)
        return false;
    receiver->ReportReceived(text);
    return true;
}

}  // namespace kq
