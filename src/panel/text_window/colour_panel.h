#pragma once

#include <QAbstractButton>
#include <QColor>

// A framed patch of one colour that the user clicks to change it.
namespace kq::panel {

class ColourPanel final : public QAbstractButton {
    Q_OBJECT

public:
    explicit ColourPanel(QWidget *parent = nullptr);

    QColor Colour() const { return m_colour; }
    void SetColour(const QColor &colour);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_colour = Qt::white;
};

}  // namespace kq::panel
