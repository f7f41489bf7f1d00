#include "context/studio_context.h"

#include "services/dialogs.h"

namespace kq {

StudioContext::StudioContext(kq::Dialogs &dialogs, kq::Waiter &waiter, kq::Paths paths, HidBackend &hid)
    : m_dialogs(dialogs),
      m_waiter(waiter),
      m_paths(std::move(paths)),
      m_deviceLink(hid, dialogs, waiter, m_generation)
{
}

}  // namespace kq
