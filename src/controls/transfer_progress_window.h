#pragma once

#include "base/transfer_progress.h"

#include <QWidget>

class QProgressBar;

// The borderless window with one progress bar the studio shows while it
// sends a program, a melody or the clock setting.
namespace kq {

class TransferProgressWindow final : public QWidget, public ProgressDisplay {
    Q_OBJECT

public:
    explicit TransferProgressWindow(QWidget *parent = nullptr);

    void ShowCentredOver(const QWidget *caller) override;
    void SetProgress(int value) override;
    void HideProgress() override;

    int Progress() const;

private:
    QProgressBar *m_bar;
};

}  // namespace kq
