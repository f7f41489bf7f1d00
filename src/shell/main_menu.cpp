#include "shell/main_menu.h"

#include "context/studio_context.h"
#include "controls/clickable_picture.h"
#include "model/program_file.h"
#include "shell/menu_page.h"

#include <QCloseEvent>
#include <QFile>
#include <QLabel>
#include <QScreen>
#include <QStackedWidget>

namespace kq {

namespace {

constexpr QSize kMenuSize(655, 494);

// The clickable pictures of the studio page and the windows they open, at
// the places the page's background leaves for them.
struct WindowPicture {
    const char *name;
    QRect area;
    WindowKind kind;
};

constexpr WindowPicture kWindowPictures[] = {
    {"Image3", {198, 66, 200, 66}, WindowKind::IconPractice},
    {"Image14", {410, 66, 229, 66}, WindowKind::IconEditor},
    {"Image4", {198, 146, 200, 66}, WindowKind::FlowchartPractice},
    {"Image15", {410, 146, 229, 66}, WindowKind::FlowchartEditor},
    {"Image5", {198, 226, 200, 66}, WindowKind::TextPractice},
    {"Image16", {410, 226, 229, 66}, WindowKind::TextEditor},
    {"Image6", {16, 316, 148, 80}, WindowKind::MelodyEditor},
    {"Image7", {175, 316, 148, 80}, WindowKind::Thermometer},
    {"Image8", {334, 316, 148, 80}, WindowKind::TrainController},
    {"Image13", {493, 316, 146, 80}, WindowKind::ClockSetting},
    {"Image18", {16, 412, 150, 62}, WindowKind::KeywordSettings},
};

QString MenuPictureFile(const QString &name)
{
    return QStringLiteral("Img\\Menu\\") + name + QStringLiteral(".bmp");
}

}  // namespace

QString MainMenu::StartPagePicture()
{
    return MenuPictureFile(QStringLiteral("Page1"));
}

MainMenu::MainMenu(StudioContext &context, QWidget *parent)
    : QWidget(parent, Qt::FramelessWindowHint), m_context(context), m_pages(new QStackedWidget(this))
{
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("ソラリット２制御ソフト"));
    setFixedSize(kMenuSize);
    m_pages->setGeometry(rect());
    m_pages->addWidget(MakeStartPage());
    m_pages->addWidget(MakeStudioPage());
    move(screen()->availableGeometry().center() - rect().center());
}

QWidget *MainMenu::MakeStartPage()
{
    auto *page = new MenuPage(QStringLiteral("TabSheet1"),
                              QPixmap(m_context.Paths().ProgramFile(StartPagePicture())));
    connect(AddPicture(page, QStringLiteral("Image10"), {72, 144, 500, 110}), &ClickablePicture::Clicked, this,
            [this] { ShowPage(Page::Studio); });
    connect(AddPicture(page, QStringLiteral("Image11"), {72, 304, 500, 110}), &ClickablePicture::Clicked, this,
            &MainMenu::PanelMakerRequested);
    connect(AddPicture(page, QStringLiteral("Image2"), {504, 28, 50, 35}), &ClickablePicture::Clicked, this,
            &QWidget::close);

    auto *version = new QLabel(QStringLiteral("ver 3.3　"), page);
    version->setObjectName(QStringLiteral("VersionLabel"));
    QFont font = version->font();
    font.setPixelSize(27);
    version->setFont(font);
    version->setStyleSheet(QStringLiteral("color: #1f5f2a; background: transparent;"));
    version->adjustSize();
    version->move(kMenuSize.width() - version->width() - 14, kMenuSize.height() - version->height() - 10);
    // Dragging the window by its version text works like dragging the page.
    version->setAttribute(Qt::WA_TransparentForMouseEvents);
    return page;
}

QWidget *MainMenu::MakeStudioPage()
{
    auto *page = new MenuPage(QStringLiteral("TabSheet2"),
                              QPixmap(m_context.Paths().ProgramFile(MenuPictureFile(QStringLiteral("Page2")))));
    for (const WindowPicture &entry : kWindowPictures) {
        const WindowKind kind = entry.kind;
        connect(AddPicture(page, QString::fromLatin1(entry.name), entry.area), &ClickablePicture::Clicked, this,
                [this, kind] { emit WindowRequested(kind); });
    }
    connect(AddPicture(page, QStringLiteral("Image19"), {178, 412, 150, 62}), &ClickablePicture::Clicked, this,
            &MainMenu::HelpRequested);
    connect(AddPicture(page, QStringLiteral("Image12"), {489, 412, 150, 62}), &ClickablePicture::Clicked, this,
            &QWidget::close);
    return page;
}

ClickablePicture *MainMenu::AddPicture(QWidget *page, const QString &name, const QRect &area)
{
    auto *picture = new ClickablePicture(name, QPixmap(m_context.Paths().ProgramFile(MenuPictureFile(name))), QString(), page);
    picture->setGeometry(area);
    return picture;
}

void MainMenu::ShowPage(Page page)
{
    m_pages->setCurrentIndex(page == Page::Start ? 0 : 1);
}

MainMenu::Page MainMenu::CurrentPage() const
{
    return m_pages->currentIndex() == 0 ? Page::Start : Page::Studio;
}

void MainMenu::showEvent(QShowEvent *event)
{
    m_context.StepSwitch().underWay = false;
    QWidget::showEvent(event);
}

void MainMenu::closeEvent(QCloseEvent *event)
{
    // The step-switch hand-over file is worthless once the studio ends.
    QFile::remove(m_context.Paths().TempFolder() + kHandOverFileName);
    QWidget::closeEvent(event);
    emit Closed();
}

}  // namespace kq
