#pragma once

#include "services/window_kind.h"

#include <QWidget>

class QStackedWidget;

namespace kq {

class ClickablePicture;
class StudioContext;

// The borderless main menu: two pages of pictures. It only says what the
// pupil chose; the studio decides what happens (see StudioApp).
class MainMenu final : public QWidget {
    Q_OBJECT
public:
    enum class Page { Start, Studio };

    // The first page's picture in the data tree, which the menu needs.
    static QString StartPagePicture();

    explicit MainMenu(StudioContext &context, QWidget *parent = nullptr);

    void ShowPage(Page page);
    Page CurrentPage() const;

signals:
    void WindowRequested(kq::WindowKind kind);
    void HelpRequested();
    void PanelMakerRequested();
    // The menu has closed: the studio ends.
    void Closed();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *MakeStartPage();
    QWidget *MakeStudioPage();
    ClickablePicture *AddPicture(QWidget *page, const QString &name, const QRect &area);

    StudioContext &m_context;
    QStackedWidget *m_pages;
};

}  // namespace kq
