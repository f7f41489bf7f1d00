#include "editors/flowchart/parameters/parameter_controls.h"

#include "editors/flowchart/parameters/parameter_edit.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace kq {

namespace {

constexpr int kSubroutineNameLength = 14;
constexpr int kColourRows = 3;
constexpr int kOffEntry = 7;
constexpr int kColourButtonSize = 22;
// What the dialog shows before a colour is chosen.
constexpr Rgb kUnchosenSwatch {128, 128, 128};

QColor ColourOf(const Rgb &rgb)
{
    return QColor(rgb.red, rgb.green, rgb.blue);
}

void Paint(QWidget &widget, const QColor &colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::Button, colour);
    widget.setPalette(palette);
}

}  // namespace

ParameterControls::ParameterControls(Mode mode, QWidget *parent) : QWidget(parent), m_mode(mode)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);

    m_variants = new QComboBox(this);
    m_variants->setObjectName(QStringLiteral("Command_Kind_Combo"));
    layout->addWidget(m_variants);
    connect(m_variants, &QComboBox::activated, this, [this](int index) { SetUpVariant(index); });

    BuildRows();
    BuildColourControls();

    m_subroutinePanel = new QFrame(this);
    m_subroutinePanel->setObjectName(QStringLiteral("Sub_Panel"));
    auto *subLayout = new QHBoxLayout(m_subroutinePanel);
    subLayout->setContentsMargins(0, 0, 0, 0);
    subLayout->addWidget(new QLabel(QStringLiteral("サブルーチン名"), m_subroutinePanel));
    m_subroutineName = new QLineEdit(m_subroutinePanel);
    m_subroutineName->setObjectName(QStringLiteral("Sub_Edit1"));
    m_subroutineName->setMaxLength(kSubroutineNameLength);
    subLayout->addWidget(m_subroutineName, 1);
    layout->addWidget(m_subroutinePanel);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("OK_Button"));
    m_ok->setDefault(mode == Mode::Dialog);
    buttons->addWidget(m_ok);
    connect(m_ok, &QPushButton::clicked, this, &ParameterControls::Ok);
    // The dialog has no title bar to close it by; the panel closes with its box.
    if (mode == Mode::Dialog) {
        auto *cancel = new QPushButton(QStringLiteral("キャンセル"), this);
        cancel->setObjectName(QStringLiteral("Cancel_Button"));
        cancel->setAutoDefault(false);
        buttons->addWidget(cancel);
        connect(cancel, &QPushButton::clicked, this, &ParameterControls::Cancelled);
    }
    layout->addLayout(buttons);
    layout->addStretch(1);

    HideValueControls();
}

ParameterControls::~ParameterControls()
{
    // A focused edit loses its focus while the children go: nothing to check then.
    for (RowWidgets &widgets : m_rowWidgets)
        disconnect(widgets.edit, nullptr, this, nullptr);
}

void ParameterControls::BuildRows()
{
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(1);
    for (int row = 0; row < kValueRows; ++row) {
        RowWidgets &widgets = m_rowWidgets[static_cast<std::size_t>(row)];
        widgets.caption = new QLabel(this);
        widgets.caption->setObjectName(QStringLiteral("Para_Label%1").arg(row));
        widgets.edit = new ParameterEdit(this);
        widgets.edit->setObjectName(QStringLiteral("Para_Edit%1").arg(row));
        widgets.edit->SetDigitsOnly(m_mode == Mode::Dialog);
        widgets.edit->setFixedWidth(56);
        widgets.unit = new QLabel(this);
        widgets.unit->setObjectName(QStringLiteral("Para_Label%1").arg(row + kValueRows));
        widgets.bar = new QSlider(Qt::Horizontal, this);
        widgets.bar->setObjectName(QStringLiteral("Para_TrackBar%1").arg(row));
        widgets.bar->installEventFilter(this);
        grid->addWidget(widgets.caption, row * 2, 0);
        grid->addWidget(widgets.edit, row * 2, 1);
        grid->addWidget(widgets.unit, row * 2, 2);
        grid->addWidget(widgets.bar, row * 2 + 1, 0, 1, 3);
        connect(widgets.bar, &QSlider::valueChanged, this, [this, row] { RowMoved(row); });
        connect(widgets.edit, &ParameterEdit::Left, this, [this, row] { EditLeft(row); });
    }
    grid->setColumnStretch(0, 1);
    static_cast<QVBoxLayout *>(layout())->addLayout(grid);
}

void ParameterControls::BuildColourControls()
{
    auto *colourRow = new QHBoxLayout;
    m_colourNames = new QComboBox(this);
    m_colourNames->setObjectName(QStringLiteral("Color_Combo"));
    for (int number = 0; number <= kPaletteOff; ++number)
        m_colourNames->addItem(ColourNameOf(number));
    connect(m_colourNames, &QComboBox::activated, this, &ParameterControls::ColourNameChosen);
    colourRow->addWidget(m_colourNames, 1);

    m_swatchPanel = new QFrame(this);
    m_swatchPanel->setObjectName(QStringLiteral("Color_Panel"));
    m_swatchPanel->setFrameShape(QFrame::Box);
    m_swatchPanel->setAutoFillBackground(true);
    m_swatchPanel->setFixedSize(40, 24);
    colourRow->addWidget(m_swatchPanel, 0, Qt::AlignLeft);
    static_cast<QVBoxLayout *>(layout())->addLayout(colourRow);

    m_colourButtonPanel = new QFrame(this);
    m_colourButtonPanel->setObjectName(QStringLiteral("Color_Disp_Panel"));
    auto *buttons = new QGridLayout(m_colourButtonPanel);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(2);
    buttons->addWidget(new QLabel(QStringLiteral("選択中の色"), m_colourButtonPanel), 0, 0, 1, kPaletteSize);
    for (int number = 0; number < kPaletteSize; ++number) {
        auto *button = new QPushButton(m_colourButtonPanel);
        button->setObjectName(QStringLiteral("Color_Disp%1").arg(number));
        button->setFixedSize(kColourButtonSize, kColourButtonSize);
        button->setToolTip(ColourNameOf(number));
        button->setStyleSheet(
            QStringLiteral("background-color: %1; border: 1px solid gray;").arg(ColourOf(ColourRgbOf(number)).name()));
        buttons->addWidget(button, 1, number);
        connect(button, &QPushButton::clicked, this, [this, number] { SetSwatch(ColourRgbOf(number)); });
        m_colourButtons[static_cast<std::size_t>(number)] = button;
    }
    static_cast<QVBoxLayout *>(layout())->addWidget(m_colourButtonPanel);
}

void ParameterControls::ShowFor(InstructionKind kind, const std::optional<ParameterList> &stored,
                                const QStringList &subroutineNames, int generation)
{
    m_kind = kind;
    m_stored = stored;
    m_subroutineNames = subroutineNames;
    m_generation = generation;
    const ControlsMode mode = m_mode == Mode::Dialog ? ControlsMode::Dialog : ControlsMode::Panel;
    {
        const QSignalBlocker blocker(m_variants);
        m_variants->clear();
        m_variants->addItems(VariantLabelsOf(kind, generation, mode));
    }
    int variant = stored ? stored->variant : 0;
    if (variant < 0 || variant >= m_variants->count())
        variant = 0;
    SetUpVariant(variant);
    if (m_mode == Mode::Dialog && kind == InstructionKind::FullTime) {
        m_colourNames->setCurrentIndex(kOffEntry);
        SetSwatch(kUnchosenSwatch);
    }
    if (m_mode == Mode::Dialog)
        m_ok->setFocus();
}

void ParameterControls::HideValueControls()
{
    for (RowWidgets &widgets : m_rowWidgets) {
        widgets.caption->hide();
        widgets.edit->hide();
        widgets.unit->hide();
        widgets.bar->hide();
    }
    m_colourNames->hide();
    m_swatchPanel->hide();
    m_colourButtonPanel->hide();
    m_subroutinePanel->hide();
}

void ParameterControls::SetUpVariant(int variant)
{
    {
        const QSignalBlocker blocker(m_variants);
        m_variants->setCurrentIndex(variant);
    }
    HideValueControls();
    for (RowWidgets &widgets : m_rowWidgets) {
        const QSignalBlocker blocker(widgets.bar);
        widgets.bar->setRange(0, 255);
        widgets.bar->setValue(0);
    }
    m_colourNames->setCurrentIndex(-1);
    m_rows = RowsOf(m_kind, variant, m_generation);

    const bool panelStored = m_mode == Mode::Panel && m_stored.has_value();
    const bool storedVariant = panelStored && m_stored->variant == variant;
    for (int row = 0; row < kValueRows; ++row) {
        const auto &setup = m_rows[static_cast<std::size_t>(row)];
        if (!setup)
            continue;
        RowWidgets &widgets = m_rowWidgets[static_cast<std::size_t>(row)];
        const bool storedColour = panelStored && m_kind == InstructionKind::FullTime && row < kColourRows;
        const int position =
            storedVariant || storedColour ? m_stored->p[static_cast<std::size_t>(row)] : setup->defaultPosition;
        {
            const QSignalBlocker blocker(widgets.bar);
            widgets.bar->setRange(setup->minimum, setup->maximum);
            widgets.bar->setValue(position);
        }
        RowMoved(row);
        if (!setup->shown)
            continue;
        widgets.caption->setText(setup->caption);
        widgets.unit->setText(setup->unit);
        widgets.caption->show();
        widgets.edit->show();
        widgets.unit->show();
        widgets.bar->show();
    }

    if (m_kind == InstructionKind::FullTime) {
        m_colourNames->show();
        m_swatchPanel->show();
    } else if (m_kind == InstructionKind::FullConti && variant == 0) {
        SetSwatch(storedVariant ? ColourRgbOf(m_stored->p[0]) : ColourRgbOf(0));
        m_swatchPanel->show();
        m_colourButtonPanel->show();
    } else if (m_kind == InstructionKind::Routine) {
        m_subroutinePanel->show();
    }
}

void ParameterControls::RowMoved(int row)
{
    const auto &setup = m_rows[static_cast<std::size_t>(row)];
    if (!setup)
        return;
    const int position = m_rowWidgets[static_cast<std::size_t>(row)].bar->value();
    m_rowWidgets[static_cast<std::size_t>(row)].edit->setText(ShownText(*setup, position));
    if (m_kind == InstructionKind::FullTime && row < kColourRows) {
        SetSwatch(Rgb {m_rowWidgets[0].bar->value(), m_rowWidgets[1].bar->value(), m_rowWidgets[2].bar->value()});
    } else if (m_kind == InstructionKind::Routine && row == 0) {
        const qsizetype index = position - 1;
        m_subroutineName->setText(index >= 0 && index < m_subroutineNames.size() ? m_subroutineNames.at(index)
                                                                                 : QString());
    }
}

void ParameterControls::EditLeft(int row)
{
    const auto &setup = m_rows[static_cast<std::size_t>(row)];
    RowWidgets &widgets = m_rowWidgets[static_cast<std::size_t>(row)];
    if (!setup || !setup->shown)
        return;
    const std::optional<int> position = CheckedPosition(*setup, widgets.edit->text());
    if (!position) {
        widgets.edit->RestoreEnteredText();
        return;
    }
    widgets.bar->setValue(*position);
    // The same position moves nothing: write the normal form all the same.
    widgets.edit->setText(ShownText(*setup, widgets.bar->value()));
}

void ParameterControls::CheckFocusedEdit()
{
    for (int row = 0; row < kValueRows; ++row) {
        if (m_rowWidgets[static_cast<std::size_t>(row)].edit->hasFocus())
            EditLeft(row);
    }
}

void ParameterControls::ColourNameChosen(int index)
{
    const Rgb colour = ColourRgbOf(index);
    m_rowWidgets[0].bar->setValue(colour.red);
    m_rowWidgets[1].bar->setValue(colour.green);
    m_rowWidgets[2].bar->setValue(colour.blue);
    SetSwatch(colour);
}

void ParameterControls::SetSwatch(const Rgb &colour)
{
    m_swatch = colour;
    Paint(*m_swatchPanel, ColourOf(colour));
}

bool ParameterControls::eventFilter(QObject *watched, QEvent *event)
{
    // Moving a colour bar by hand means the colour is no longer a named one.
    if (event->type() == QEvent::MouseButtonRelease && m_kind == InstructionKind::FullTime) {
        for (int row = 0; row < kColourRows; ++row) {
            if (watched == m_rowWidgets[static_cast<std::size_t>(row)].bar)
                m_colourNames->setCurrentIndex(-1);
        }
    }
    return QWidget::eventFilter(watched, event);
}

int ParameterControls::Variant() const
{
    return std::max(m_variants->currentIndex(), 0);
}

ParameterChoice ParameterControls::Choice() const
{
    std::array<int, kValueRows> positions {};
    for (int row = 0; row < kValueRows; ++row)
        positions[static_cast<std::size_t>(row)] = m_rowWidgets[static_cast<std::size_t>(row)].bar->value();
    ParameterChoice choice;
    choice.parameters = BuildParameterList(m_kind, Variant(), m_generation, positions, m_swatch);
    if (m_kind == InstructionKind::Routine)
        choice.subroutineName = m_subroutineName->text();
    return choice;
}

void ParameterControls::Ok()
{
    // Enter presses OK without leaving the edit: check what it holds first.
    CheckFocusedEdit();
    emit Accepted(Choice());
}

}  // namespace kq
