#pragma once

#include "shell/window_kind.h"

#include <QWidget>

class QStackedWidget;

namespace kq {

class MenuPicture;
class StudioContext;

// The borderless main menu: two pages of pictures. It only says what the
// pupil chose; the studio decides what happens (see StudioApp).
class MainMenu final : public QWidget {
    Q_OBJECT
public:
    enum class Page { Start, Studio };

    explicit MainMenu(StudioContext &context, QWidget *parent = nullptr);

    void ShowPage(Page page);
    Page CurrentPage() const;

signals:
    void windowRequested(kq::WindowKind kind);
    void helpRequested();
    void panelMakerRequested();
    // The menu has closed: the studio ends.
    void closed();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *MakeStartPage();
    QWidget *MakeStudioPage();
    MenuPicture *AddPicture(QWidget *page, const QString &name, const QRect &area);

    StudioContext &m_context;
    QStackedWidget *m_pages;
};

}  // namespace kq
