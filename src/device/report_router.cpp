#include "device/report_router.h"

#include <algorithm>

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

void ReportRouter::ClockLost() const
{
    // A window may close, and unregister others, while it is told.
    const QList<Entry> entries = m_entries;
    for (const Entry &entry : entries) {
        const bool stillRegistered = std::any_of(m_entries.cbegin(), m_entries.cend(),
                                                 [&](const Entry &e) { return e.receiver == entry.receiver; });
        if (stillRegistered)
            entry.receiver->ClockLost();
    }
}

}  // namespace kq
