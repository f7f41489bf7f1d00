#include "panel/effect_window/control_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSlider>

namespace kq::panel {

ControlPage::ControlPage(QWidget *parent) : QWidget(parent), m_grid(new QGridLayout(this))
{
    m_grid->setContentsMargins(0, 0, 0, 0);
    m_grid->setHorizontalSpacing(10);
    m_grid->setColumnStretch(0, 1);
    m_grid->setColumnMinimumWidth(1, 40);
}

void ControlPage::AddSlider(const QString &label, IntRange range, int defaultValue)
{
    auto *slider = new QSlider(Qt::Horizontal, this);
    slider->setObjectName(QStringLiteral("Slider%1").arg(m_sliders.size() + 1));
    slider->setRange(range.minimum, range.maximum);
    slider->setPageStep(std::max(1, (range.maximum - range.minimum) / 10));
    auto *value = new QLabel(this);
    value->setObjectName(QStringLiteral("SliderValue%1").arg(m_sliders.size() + 1));
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("-0000")));
    connect(slider, &QSlider::valueChanged, value, [value](int v) { value->setNum(v); });
    slider->setValue(defaultValue);
    value->setNum(defaultValue);

    m_grid->addWidget(new QLabel(label, this), m_rows++, 0, 1, 2);
    m_grid->addWidget(slider, m_rows, 0);
    m_grid->addWidget(value, m_rows++, 1);
    m_sliders.push_back({slider, defaultValue});
}

void ControlPage::AddCombo(const QString &label, const QStringList &choices)
{
    auto *combo = new QComboBox(this);
    combo->setObjectName(QStringLiteral("Combo%1").arg(m_combos.size() + 1));
    combo->addItems(choices);
    m_grid->addWidget(new QLabel(label, this), m_rows++, 0, 1, 2);
    m_grid->addWidget(combo, m_rows++, 0);
    m_combos.push_back(combo);
}

int ControlPage::SliderValue(int index) const
{
    return m_sliders.at(static_cast<size_t>(index)).slider->value();
}

int ControlPage::ComboIndex(int index) const
{
    return std::max(0, m_combos.at(static_cast<size_t>(index))->currentIndex());
}

void ControlPage::Reset()
{
    for (const SliderControl &control : m_sliders)
        control.slider->setValue(control.defaultValue);
    for (QComboBox *combo : m_combos)
        combo->setCurrentIndex(0);
}

}  // namespace kq::panel
