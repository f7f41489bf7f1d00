#include "panel/effect_window/resize_page.h"

#include "panel/effects/effect_settings.h"
#include "services/dialogs.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <cmath>

namespace kq::panel {

namespace {

QLineEdit *DigitField(QWidget *parent, const char *name)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    // Only digits can be typed (backspace still works).
    field->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), field));
    field->setMaximumWidth(90);
    return field;
}

enum class FieldCheck { Missing, NotInteger, Number };

FieldCheck Check(const QString &text, int &value)
{
    if (text.isEmpty())
        return FieldCheck::Missing;
    bool ok = false;
    value = text.toInt(&ok);
    // "-0" is not an integer either.
    if (!ok || text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+')))
        return FieldCheck::NotInteger;
    return FieldCheck::Number;
}

}  // namespace

ResizePage::ResizePage(QWidget *parent)
    : QWidget(parent),
      m_currentLabel(new QLabel(this)),
      m_bySize(new QRadioButton(QStringLiteral("サイズで指定する"), this)),
      m_byRatio(new QRadioButton(QStringLiteral("比率で指定する"), this)),
      m_width(DigitField(this, "WidthEdit")),
      m_height(DigitField(this, "HeightEdit")),
      m_widthPercent(DigitField(this, "WidthPercentEdit")),
      m_heightPercent(DigitField(this, "HeightPercentEdit")),
      m_keepAspect(new QCheckBox(QStringLiteral("縦横の比率を保持する"), this))
{
    m_currentLabel->setObjectName(QStringLiteral("CurrentSize"));
    m_bySize->setObjectName(QStringLiteral("BySize"));
    m_byRatio->setObjectName(QStringLiteral("ByRatio"));
    m_keepAspect->setObjectName(QStringLiteral("KeepAspect"));

    auto *grid = new QGridLayout;
    grid->addWidget(m_bySize, 0, 0, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("横"), this), 1, 1);
    grid->addWidget(m_width, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("ピクセル"), this), 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("縦"), this), 2, 1);
    grid->addWidget(m_height, 2, 2);
    grid->addWidget(new QLabel(QStringLiteral("ピクセル"), this), 2, 3);
    grid->addWidget(m_byRatio, 3, 0, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("横"), this), 4, 1);
    grid->addWidget(m_widthPercent, 4, 2);
    grid->addWidget(new QLabel(QStringLiteral("%"), this), 4, 3);
    grid->addWidget(new QLabel(QStringLiteral("縦"), this), 5, 1);
    grid->addWidget(m_heightPercent, 5, 2);
    grid->addWidget(new QLabel(QStringLiteral("%"), this), 5, 3);
    grid->setColumnMinimumWidth(0, 16);
    grid->setColumnStretch(4, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_currentLabel);
    layout->addLayout(grid);
    layout->addWidget(m_keepAspect);
    layout->addStretch();

    connect(m_bySize, &QRadioButton::toggled, this, &ResizePage::UpdateEnabled);
    connect(m_width, &QLineEdit::textEdited, this, &ResizePage::WidthEdited);
    connect(m_height, &QLineEdit::textEdited, this, &ResizePage::HeightEdited);
    connect(m_widthPercent, &QLineEdit::textEdited, this, [this](const QString &text) {
        if (m_keepAspect->isChecked())
            m_heightPercent->setText(text);
    });
    connect(m_heightPercent, &QLineEdit::textEdited, this, [this](const QString &text) {
        if (m_keepAspect->isChecked())
            m_widthPercent->setText(text);
    });
}

void ResizePage::Reset(QSize current)
{
    m_current = current;
    m_currentLabel->setText(
        QStringLiteral("現在のサイズ：横 %1 × 縦 %2 ピクセル").arg(current.width()).arg(current.height()));
    m_width->setText(QString::number(current.width()));
    m_height->setText(QString::number(current.height()));
    m_widthPercent->setText(QStringLiteral("100"));
    m_heightPercent->setText(QStringLiteral("100"));
    m_keepAspect->setChecked(true);
    m_bySize->setChecked(true);
    UpdateEnabled();
}

void ResizePage::UpdateEnabled()
{
    const bool bySize = m_bySize->isChecked();
    m_width->setEnabled(bySize);
    m_height->setEnabled(bySize);
    m_widthPercent->setEnabled(!bySize);
    m_heightPercent->setEnabled(!bySize);
}

void ResizePage::WidthEdited(const QString &text)
{
    int width = 0;
    if (!m_keepAspect->isChecked() || Check(text, width) != FieldCheck::Number || m_current.width() <= 0)
        return;
    m_height->setText(QString::number(std::lround(double(width) * m_current.height() / m_current.width())));
}

void ResizePage::HeightEdited(const QString &text)
{
    int height = 0;
    if (!m_keepAspect->isChecked() || Check(text, height) != FieldCheck::Number || m_current.height() <= 0)
        return;
    m_width->setText(QString::number(std::lround(double(height) * m_current.width() / m_current.height())));
}

std::optional<QSize> ResizePage::RequestedSize(kq::Dialogs &dialogs, QWidget *parent) const
{
    const bool bySize = m_bySize->isChecked();
    int first = 0, second = 0;
    const FieldCheck a = Check((bySize ? m_width : m_widthPercent)->text(), first);
    const FieldCheck b = Check((bySize ? m_height : m_heightPercent)->text(), second);
    if (a == FieldCheck::Missing || b == FieldCheck::Missing) {
        dialogs.Warning(parent, kSizeMissingMessage);
        return std::nullopt;
    }
    if (a == FieldCheck::NotInteger || b == FieldCheck::NotInteger) {
        dialogs.Warning(parent, kSizeNotIntegerMessage);
        return std::nullopt;
    }
    QSize size(first, second);
    if (!bySize) {
        size = QSize(static_cast<int>(std::lround(first / 100.0 * m_current.width())),
                     static_cast<int>(std::lround(second / 100.0 * m_current.height())));
    }
    // No picture can have a side of 0, and a huge one is no panel's.
    if (size.width() != kImageSideRange.Clamp(size.width()) || size.height() != kImageSideRange.Clamp(size.height())) {
        dialogs.Warning(parent, kSizeMissingMessage);
        return std::nullopt;
    }
    return size;
}

}  // namespace kq::panel
