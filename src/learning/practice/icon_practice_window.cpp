#include "learning/practice/icon_practice_window.h"

#include "context/studio_context.h"
#include "controls/font_fit.h"
#include "editors/icon/icon_drag.h"
#include "learning/practice/icon_practice_slot.h"
#include "learning/practice/practice_messages.h"
#include "services/dialogs.h"
#include "tools/control/picture_button.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include <array>

namespace kq {
namespace {

constexpr int kPaletteCell = 75;
constexpr int kPaletteRowHeight = 60;
constexpr int kPaletteRows = 5;

const std::array<QString, kIconPracticePages> kIconTasks = {
    QStringLiteral("フルカラーLEDで赤色を1秒点灯するプログラム。"),
    QStringLiteral("フルカラーLEDで緑色をフェードインさせるプログラム。"),
    QStringLiteral("音センサが反応するまでプログラムを一時停止するプログラム。"),
    QStringLiteral("温度が２０度になるまでプログラムを一時停止するプログラム。"),
};

QString IconPicture(const QString &name)
{
    return QStringLiteral("Img\\Icon\\DD\\") + name + QStringLiteral(".bmp");
}

QLabel *BoldLabel(int pointSize, QWidget *parent)
{
    auto *label = new QLabel(parent);
    QFont font = label->font();
    font.setPointSize(pointSize);
    font.setBold(true);
    label->setFont(font);
    label->setWordWrap(true);
    return label;
}

}  // namespace

IconPracticeWindow::IconPracticeWindow(StudioContext &context, QWidget *parent) : QWidget(parent), m_context(context)
{
    setObjectName(QStringLiteral("TForm16"));
    setWindowTitle(QStringLiteral("STEP1 練習"));
    UsePictureBackground(*this);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(BuildPalette(), 0, Qt::AlignTop);

    auto *work = new QVBoxLayout;
    m_title = BoldLabel(16, this);
    m_title->setObjectName(QStringLiteral("PageTitle"));
    m_task = BoldLabel(12, this);
    m_task->setObjectName(QStringLiteral("TaskText"));
    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("PagePicture"));
    work->addWidget(m_title);
    work->addWidget(m_task);
    work->addWidget(m_picture);

    m_slot = new QFrame(this);
    m_slot->setObjectName(QStringLiteral("Slot"));
    m_slot->setFixedSize(100, 130);
    m_slot->setStyleSheet(QStringLiteral("#Slot { background: #2b4c7e; border-radius: 6px; }"));
    m_slotArea = new SlotIconArea(0, m_slot);
    m_slotArea->setObjectName(QStringLiteral("DropPanel"));
    m_slotArea->setGeometry(17, 10, 65, 50);
    connect(m_slotArea, &SlotIconArea::IconDropped, this, &IconPracticeWindow::DropIcon);
    work->addWidget(m_slot, 0, Qt::AlignLeft);

    auto *buttons = new QHBoxLayout;
    m_back = MakePictureButton(this, QStringLiteral("BackButton"), m_context.Paths(),
                               QStringLiteral("Img\\Practice\\Back.bmp"), QStringLiteral("前へ"));
    connect(m_back, &QToolButton::clicked, this, [this] { ShowPage(m_page - 1); });
    buttons->addWidget(m_back);
    buttons->addStretch(1);
    m_check = MakePictureButton(this, QStringLiteral("CheckButton"), m_context.Paths(),
                                QStringLiteral("Img\\Practice\\Check.bmp"), QStringLiteral("答え合わせ"));
    connect(m_check, &QToolButton::clicked, this, &IconPracticeWindow::Check);
    buttons->addWidget(m_check);
    work->addLayout(buttons);
    work->addStretch(1);
    layout->addLayout(work, 1);
    resize(760, 560);
    ShowPage(0);
}

QWidget *IconPracticeWindow::BuildPalette()
{
    auto *palette = new QWidget(this);
    palette->setObjectName(QStringLiteral("Palette"));
    palette->setFixedSize(3 * kPaletteCell + 20, kPaletteRows * kPaletteRowHeight + 10);
    palette->setAutoFillBackground(true);
    QPalette colours = palette->palette();
    colours.setColor(QPalette::Window, QColor(0xfd, 0xf3, 0xd8));
    palette->setPalette(colours);
    // The editor's palette drawing: its first five rows hold icons 0..14.
    auto *background = new QLabel(palette);
    background->setPixmap(QPixmap(m_context.Paths().ProgramFile(IconPicture(QStringLiteral("Palette")))));
    background->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    background->setGeometry(0, 0, palette->width(), palette->height());
    for (const PalettePlace &place : IconPalette()) {
        if (place.icon > kIconPracticeLastIcon)
            continue;
        const QPixmap picture(m_context.Paths().ProgramFile(IconPicture(QString::number(place.icon))));
        auto *icon = new PaletteIcon(place.icon, picture, palette);
        icon->setGeometry(12 + (place.column - 1) * kPaletteCell, 10 + (place.row - 1) * kPaletteRowHeight, 65, 50);
    }
    return palette;
}

void IconPracticeWindow::ShowPage(int page)
{
    m_page = page;
    const auto index = static_cast<std::size_t>(page);
    m_title->setText(QStringLiteral("練習課題%1").arg(QChar(0xFF11 + page)));
    m_task->setText(kIconTasks[index]);
    m_picture->setPixmap(
        QPixmap(m_context.Paths().ProgramFile(QStringLiteral("Img\\Practice\\DD\\Page%1.bmp").arg(page + 1))));
    m_back->setVisible(page > 0);
    ShowSlot();
}

void IconPracticeWindow::DropIcon(int icon)
{
    const QPixmap picture(m_context.Paths().ProgramFile(IconPicture(QString::number(icon))));
    if (icon < 0 || icon > kIconPracticeLastIcon || picture.isNull()) {
        m_context.Dialogs().Warning(this, practice::kDropFailed);
        return;
    }
    Answer() = {};
    Answer().icon = icon;
    ShowSlot();
}

void IconPracticeWindow::ShowSlot()
{
    delete m_choice;
    m_choice = nullptr;
    const std::optional<int> icon = Answer().icon;
    m_slotArea->setPixmap(
        QPixmap(m_context.Paths().ProgramFile(IconPicture(icon ? QString::number(*icon) : QStringLiteral("Empty")))));
    const QStringList choices = icon ? IconPracticeChoicesOf(*icon) : QStringList();
    if (!choices.isEmpty()) {
        m_choice = new QComboBox(m_slot);
        m_choice->setObjectName(QStringLiteral("Choice"));
        m_choice->setGeometry(5, 65, 90, 20);
        m_choice->addItems(choices);
        FitFontToWidth(*m_choice, m_choice->width());
        m_choice->setCurrentIndex(Answer().choice);
        connect(m_choice, &QComboBox::currentIndexChanged, this, [this](int index) {
            Answer().choice = index;
            // A new choice starts its slider again.
            Answer().slider.reset();
            RebuildSlider();
        });
        m_choice->show();
    }
    RebuildSlider();
}

void IconPracticeWindow::RebuildSlider()
{
    delete m_slider;
    delete m_caption;
    m_slider = nullptr;
    m_caption = nullptr;
    IconSlotAnswer &answer = Answer();
    const std::optional<SliderKind> kind =
        answer.icon ? IconPracticeSliderOf(*answer.icon, answer.choice) : std::nullopt;
    if (!kind) {
        answer.slider.reset();
        return;
    }
    const SliderRange range = SliderRangeOf(*kind);
    if (!answer.slider)
        answer.slider = range.initial;
    m_caption = new QLabel(kq::SliderCaption(*kind, *answer.slider), m_slot);
    m_caption->setObjectName(QStringLiteral("SliderCaption"));
    m_caption->setGeometry(5, 88, 90, 12);
    m_caption->setStyleSheet(QStringLiteral("color: white; font-size: 10px;"));
    m_slider = new QSlider(Qt::Horizontal, m_slot);
    m_slider->setObjectName(QStringLiteral("Slider"));
    m_slider->setGeometry(5, 100, 90, 20);
    m_slider->setRange(range.minimum, range.maximum);
    m_slider->setPageStep(kIconPracticeSliderPageStep);
    m_slider->setValue(*answer.slider);
    connect(m_slider, &QSlider::valueChanged, this, [this, kind = *kind](int value) {
        Answer().slider = value;
        m_caption->setText(kq::SliderCaption(kind, value));
    });
    m_caption->show();
    m_slider->show();
}

void IconPracticeWindow::Check()
{
    const PracticeVerdict verdict = CheckIconPractice(m_page, Answer());
    m_context.Dialogs().Information(this, verdict.message);
    if (verdict.finished)
        close();
    else if (verdict.correct)
        ShowPage(m_page + 1);
}

}  // namespace kq
