#pragma once

#include <QSize>
#include <QWidget>

#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace kq {
class Dialogs;
}

namespace kq::panel {

inline const QString kSizeMissingMessage = QStringLiteral("サイズの指定が正しくありません。");
inline const QString kSizeNotIntegerMessage = QStringLiteral("サイズの指定が正しくありません。整数を入力して下さい。");

// The resize page: by size in pixels or by percentage, digits only, with the
// aspect ratio kept on request.
class ResizePage : public QWidget {
    Q_OBJECT

public:
    explicit ResizePage(QWidget *parent = nullptr);

    // The current size into the fields, percentages 100, by size, keep on.
    void Reset(QSize current);
    // The size asked for, or nullopt after showing why it cannot be used.
    std::optional<QSize> RequestedSize(kq::Dialogs &dialogs, QWidget *parent) const;

private:
    void UpdateEnabled();
    void WidthEdited(const QString &text);
    void HeightEdited(const QString &text);

    QSize m_current;
    QLabel *m_currentLabel;
    QRadioButton *m_bySize;
    QRadioButton *m_byRatio;
    QLineEdit *m_width;
    QLineEdit *m_height;
    QLineEdit *m_widthPercent;
    QLineEdit *m_heightPercent;
    QCheckBox *m_keepAspect;
};

}  // namespace kq::panel
