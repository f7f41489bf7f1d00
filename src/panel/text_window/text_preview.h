#pragma once

#include "panel/text/text_layer.h"

#include <QFrame>

// The preview box: the text at its preview size (font height size * 3) on
// its background colour, as it will stand on the panel.
namespace kq::panel {

class TextPreview final : public QFrame {
    Q_OBJECT

public:
    explicit TextPreview(QWidget *parent = nullptr);

    void SetDescription(const TextDescription &description);
    const TextDescription &Description() const { return m_description; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TextDescription m_description;
};

}  // namespace kq::panel
