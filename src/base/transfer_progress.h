#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// The transfer progress window: how far the bar moves per item and where the
// window stands over the window that started the transfer.
namespace kq {

inline constexpr QSize kProgressWindowSize(274, 39);
inline constexpr int kProgressMaximum = 100;

// Halves go to the even neighbour, as the studio always rounded.
int RoundHalfEven(double value);

// round(100 / items); 0 for an empty list.
int ProgressStep(int itemCount);

// The bar after `sent` items: `sent` steps, never past the maximum.
int ProgressAfter(int sent, int itemCount);

// Top-left corner that centres a window of `size` over `caller` (its frame),
// each half-difference rounded as above.
QPoint CentredTopLeft(const QRect &caller, const QSize &size);

// What the device link drives while it sends; the window implements it.
class ProgressDisplay {
public:
    virtual ~ProgressDisplay() = default;
    // Shows the display centred over caller's window (where it stood when
    // caller is nullptr).
    virtual void ShowCentredOver(const QWidget *caller) = 0;
    virtual void SetProgress(int value) = 0;
    virtual void HideProgress() = 0;
};

}  // namespace kq
