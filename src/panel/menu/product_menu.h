#pragma once

#include <QPixmap>
#include <QPoint>
#include <QWidget>

namespace kq {
class Paths;
}

namespace kq::panel {

// The panel maker's main window: a borderless picture, dragged to move the
// window, with one picture per kit model and a close picture. It only says
// which model was chosen; main() opens the panel window.
class ProductMenu final : public QWidget {
    Q_OBJECT
public:
    explicit ProductMenu(const kq::Paths &panelPaths, QWidget *parent = nullptr);

    // The menu's picture in the panel maker's data tree, which it needs.
    static QString BackgroundPicture();

    // Hides the menu and announces the model (0..5), as a click on its
    // picture does.
    void Choose(int modelIndex);

signals:
    void ModelChosen(int modelIndex);
    // The menu has closed: the program ends.
    void Closed();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void TakeHandOver();

    const kq::Paths &m_paths;
    QPixmap m_background;
    QPoint m_grabOffset;
};

}  // namespace kq::panel
