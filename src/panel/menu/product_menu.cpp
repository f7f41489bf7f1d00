#include "panel/menu/product_menu.h"

#include "base/paths.h"
#include "controls/clickable_picture.h"
#include "panel/menu/hand_over.h"
#include "panel/model/kit_model.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace kq::panel {

namespace {

constexpr QSize kMenuSize(760, 520);

// The model pictures in the order of the kit models, three to a row, at the
// places the menu picture leaves for them.
struct ModelPicture {
    const char *name;
    QPoint position;
};

constexpr ModelPicture kModelPictures[kKitModelCount] = {
    {"Image3", {25, 96}},   {"Image2", {270, 96}},  {"Image4", {515, 96}},
    {"Image5", {25, 284}},  {"Image6", {270, 284}}, {"Image7", {515, 284}},
};

constexpr QPoint kClosePosition(696, 16);

}  // namespace

QString ProductMenu::BackgroundPicture()
{
    return QStringLiteral("Img\\Menu\\Menu.bmp");
}

ProductMenu::ProductMenu(const kq::Paths &panelPaths, QWidget *parent)
    : QWidget(parent, Qt::FramelessWindowHint)
    , m_paths(panelPaths)
    , m_background(panelPaths.ProgramFile(BackgroundPicture()))
{
    setObjectName(QStringLiteral("TForm2"));
    setWindowTitle(QStringLiteral("メニュー"));
    setFixedSize(kMenuSize);

    for (int index = 0; index < kKitModelCount; ++index) {
        const QString code = KitModelAt(index).code;
        auto *picture = new ClickablePicture(QString::fromLatin1(kModelPictures[index].name),
                                             QPixmap(m_paths.ProgramFile(QStringLiteral("Img/Menu/") + code + QStringLiteral(".bmp"))),
                                             code, this);
        picture->setGeometry(QRect(kModelPictures[index].position, QSize(220, 160)));
        connect(picture, &ClickablePicture::Clicked, this, [this, index] { Choose(index); });
    }

    auto *close = new ClickablePicture(QStringLiteral("Image14"), QPixmap(m_paths.ProgramFile(QStringLiteral("Img/Menu/Close.bmp"))),
                                       QStringLiteral("×"), this);
    close->setGeometry(QRect(kClosePosition, QSize(48, 48)));
    connect(close, &ClickablePicture::Clicked, this, &QWidget::close);

    auto *version = new QLabel(QStringLiteral("ver 3.1 "), this);
    version->setObjectName(QStringLiteral("Label1"));
    QFont font = version->font();
    font.setPixelSize(22);
    font.setBold(true);
    version->setFont(font);
    version->setStyleSheet(QStringLiteral("color: #23407a; background: transparent;"));
    version->adjustSize();
    version->move(kMenuSize.width() - version->width() - 16, kMenuSize.height() - version->height() - 12);
    // Dragging the window by its version text works like dragging the picture.
    version->setAttribute(Qt::WA_TransparentForMouseEvents);

    move(screen()->availableGeometry().center() - rect().center());
}

void ProductMenu::Choose(int modelIndex)
{
    hide();
    emit ModelChosen(modelIndex);
}

void ProductMenu::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Only once the menu is on screen, so a preselected model opens its
    // window over a started program.
    QTimer::singleShot(0, this, &ProductMenu::TakeHandOver);
}

void ProductMenu::TakeHandOver()
{
    if (const std::optional<int> model = TakeHandOverModel(m_paths); model && isVisible())
        Choose(*model);
}

void ProductMenu::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    emit Closed();
}

void ProductMenu::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!m_background.isNull()) {
        painter.drawPixmap(rect(), m_background);
        return;
    }
    painter.fillRect(rect(), palette().window());
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ProductMenu::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_grabOffset = pos() - event->globalPosition().toPoint();
    raise();
    activateWindow();
}

void ProductMenu::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        move(event->globalPosition().toPoint() + m_grabOffset);
}

}  // namespace kq::panel
