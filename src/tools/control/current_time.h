#pragma once

#include <QDateTime>

#include <functional>

namespace kq {

// The PC's local date and time; tests give a fixed moment.
using CurrentTime = std::function<QDateTime()>;

}  // namespace kq
