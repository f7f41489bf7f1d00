#include "learning/practice/flow_practice_panel.h"

#include "model/catalogue.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

namespace kq {

namespace {

constexpr int kTimeRow = 3;
constexpr int kSliderWidth = 260;

// Each caption keeps its text up to the colon and the space after it and
// shows the slider's value behind; the fixed pitch lines the colons up.
const std::array<QString, FlowPracticePanel::kColourSliders> kColourCaptions = {
    QStringLiteral("Red  : "),
    QStringLiteral("Green: "),
    QStringLiteral("Blue : "),
};
const QString kTimeCaption = QStringLiteral("点灯時間（秒）：");

QSlider *Slider(const ValueRow &row, const QString &name, QWidget *parent)
{
    auto *slider = new QSlider(Qt::Horizontal, parent);
    slider->setObjectName(name);
    slider->setRange(row.minimum, row.maximum);
    slider->setValue(row.defaultPosition);
    slider->setMinimumWidth(kSliderWidth);
    return slider;
}

}  // namespace

FlowPracticePanel::FlowPracticePanel(int generation, QWidget *parent)
    : QWidget(parent), m_timeRow(*RowsOf(InstructionKind::FullTime, 0, generation)[kTimeRow])
{
    const RowSetup rows = RowsOf(InstructionKind::FullTime, 0, generation);
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(6, 6, 6, 6);

    m_choices = new QComboBox(this);
    m_choices->setObjectName(QStringLiteral("Command_Kind_Combo"));
    m_choices->addItems(DialogLabelsOf(InstructionKind::FullTime, generation));
    m_choices->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(m_choices, &QComboBox::currentIndexChanged, this, &FlowPracticePanel::ChoiceChanged);
    grid->addWidget(m_choices, 0, 0, 1, 2, Qt::AlignLeft);

    m_colourNames = new QComboBox(this);
    m_colourNames->setObjectName(QStringLiteral("Color_Combo"));
    for (int number = 0; number <= kPaletteOff; ++number)
        m_colourNames->addItem(ColourNameOf(number));
    m_colourNames->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    // No colour is named until the pupil chooses one.
    m_colourNames->setCurrentIndex(-1);
    connect(m_colourNames, &QComboBox::activated, this, &FlowPracticePanel::ColourNameChosen);
    grid->addWidget(m_colourNames, 1, 0, Qt::AlignLeft);
    m_preview = new QFrame(this);
    m_preview->setObjectName(QStringLiteral("Color_Panel"));
    m_preview->setFrameShape(QFrame::Box);
    m_preview->setAutoFillBackground(true);
    m_preview->setFixedSize(40, 24);
    grid->addWidget(m_preview, 1, 1, Qt::AlignLeft);

    const QFont fixedPitch = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (int row = 0; row < kColourSliders; ++row) {
        const auto index = static_cast<std::size_t>(row);
        m_colourCaptions[index] = new QLabel(this);
        m_colourCaptions[index]->setObjectName(QStringLiteral("Para_Label%1").arg(row));
        m_colourCaptions[index]->setFont(fixedPitch);
        // Room for the widest value, so the sliders stay put as the values change.
        m_colourCaptions[index]->setMinimumWidth(
            QFontMetrics(fixedPitch).horizontalAdvance(kColourCaptions[index] + QStringLiteral("255")));
        m_colourSliders[index] = Slider(*rows[index], QStringLiteral("Para_TrackBar%1").arg(row), this);
        connect(m_colourSliders[index], &QSlider::valueChanged, this, &FlowPracticePanel::ColourMoved);
        grid->addWidget(m_colourCaptions[index], row + 2, 0);
        grid->addWidget(m_colourSliders[index], row + 2, 1);
    }

    m_timeCaption = new QLabel(this);
    m_timeCaption->setObjectName(QStringLiteral("Para_Label%1").arg(kTimeRow));
    grid->addWidget(m_timeCaption, 5, 0, 1, 2);
    m_timeSlider = Slider(m_timeRow, QStringLiteral("Para_TrackBar%1").arg(kTimeRow), this);
    connect(m_timeSlider, &QSlider::valueChanged, this, &FlowPracticePanel::TimeMoved);
    grid->addWidget(m_timeSlider, 6, 0, 1, 2);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OK_Button"));
    connect(ok, &QPushButton::clicked, this, [this] { emit Accepted(Settings()); });
    grid->addWidget(ok, 7, 1, Qt::AlignRight);

    ColourMoved();
    TimeMoved();
}

FlowPracticeSettings FlowPracticePanel::Settings() const
{
    return {m_choices->currentIndex(),
            Rgb {m_colourSliders[0]->value(), m_colourSliders[1]->value(), m_colourSliders[2]->value()},
            m_timeSlider->value()};
}

void FlowPracticePanel::ChoiceChanged(int choice)
{
    // A fade has no time of its own to set, as on the flowchart's lamp page.
    m_timeCaption->setVisible(choice == 0);
    m_timeSlider->setVisible(choice == 0);
}

void FlowPracticePanel::ColourNameChosen(int index)
{
    const Rgb colour = ColourRgbOf(index);
    m_settingNamedColour = true;
    m_colourSliders[0]->setValue(colour.red);
    m_colourSliders[1]->setValue(colour.green);
    m_colourSliders[2]->setValue(colour.blue);
    m_settingNamedColour = false;
}

void FlowPracticePanel::ColourMoved()
{
    if (!m_settingNamedColour)
        m_colourNames->setCurrentIndex(-1);
    for (std::size_t row = 0; row < m_colourSliders.size(); ++row)
        m_colourCaptions[row]->setText(kColourCaptions[row] + QString::number(m_colourSliders[row]->value()));
    const Rgb colour = Settings().colour;
    QPalette palette = m_preview->palette();
    palette.setColor(QPalette::Window, QColor(colour.red, colour.green, colour.blue));
    m_preview->setPalette(palette);
}

void FlowPracticePanel::TimeMoved()
{
    m_timeCaption->setText(kTimeCaption + QStringLiteral(" ") + ShownText(m_timeRow, m_timeSlider->value())
                           + QStringLiteral("秒"));
}

}  // namespace kq
