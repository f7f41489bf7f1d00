#include "panel/text_window/text_window.h"

#include "base/paths.h"
#include "panel/text_window/colour_panel.h"
#include "panel/text_window/font_entry_delegate.h"
#include "panel/text_window/text_preview.h"
#include "services/dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace kq::panel {

namespace {

QLabel *Caption(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

}  // namespace

TextWindow::TextWindow(kq::Dialogs &dialogs, const kq::Paths &panelPaths, QWidget *parent)
    : QDialog(parent), m_dialogs(dialogs)
{
    setWindowTitle(QStringLiteral("文字の追加"));
    BuildControls(panelPaths);
    FillFontList();
    ShowRecord(TextRecord{.description = {.face = kDefaultTextFace, .colour = Qt::black}});

    connect(m_text, &QLineEdit::textChanged, this, &TextWindow::UpdatePreview);
    connect(m_fonts, &QListWidget::currentRowChanged, this, &TextWindow::UpdatePreview);
    connect(m_sizes, &QComboBox::currentIndexChanged, this, &TextWindow::UpdatePreview);
    connect(m_bold, &QCheckBox::toggled, this, &TextWindow::UpdatePreview);
    connect(m_italic, &QCheckBox::toggled, this, &TextWindow::UpdatePreview);
    connect(m_fontColour, &ColourPanel::clicked, this, [this] { PickColour(m_fontColour); });
    connect(m_backColour, &ColourPanel::clicked, this, [this] { PickColour(m_backColour); });
    connect(m_ok, &QPushButton::clicked, this, &TextWindow::AcceptText);
}

void TextWindow::BuildControls(const kq::Paths &panelPaths)
{
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("Edit1"));
    // Far wider than any panel, and short enough for a sane layer picture.
    m_text->setMaxLength(100);
    m_text->setPlaceholderText(QStringLiteral("ここに文字を入力して下さい"));
    m_preview = new TextPreview(this);
    m_preview->setObjectName(QStringLiteral("Preview"));

    m_fonts = new QListWidget(this);
    m_fonts->setObjectName(QStringLiteral("FontList"));
    m_fonts->setItemDelegate(new FontEntryDelegate(m_fonts));
    m_fonts->setMinimumWidth(220);

    m_sizes = new QComboBox(this);
    m_sizes->setObjectName(QStringLiteral("SizeList"));
    for (int size = kMinTextSize; size <= kMaxTextSize; ++size)
        m_sizes->addItem(QString::number(size));
    m_fontColour = new ColourPanel(this);
    m_fontColour->setObjectName(QStringLiteral("FontColour"));
    m_backColour = new ColourPanel(this);
    m_backColour->setObjectName(QStringLiteral("BackColour"));
    m_bold = new QCheckBox(QStringLiteral("太字"), this);
    m_bold->setObjectName(QStringLiteral("Bold"));
    m_italic = new QCheckBox(QStringLiteral("斜体"), this);
    m_italic->setObjectName(QStringLiteral("Italic"));
    m_transparent = new QCheckBox(QStringLiteral("背景を透明化する"), this);
    m_transparent->setObjectName(QStringLiteral("Transparent"));

    m_ok = new QPushButton(this);
    m_ok->setObjectName(QStringLiteral("Image1"));
    m_ok->setDefault(true);
    m_ok->setCursor(Qt::PointingHandCursor);
    QImageReader reader(panelPaths.ProgramFile(QStringLiteral("Img/Button/TextOK.bmp")));
    const QPixmap picture = QPixmap::fromImage(reader.read());
    if (picture.isNull()) {
        m_ok->setText(QStringLiteral("OK"));
        m_ok->setMinimumSize(96, 40);
    } else {
        m_ok->setIcon(picture);
        m_ok->setIconSize(picture.size());
        m_ok->setFixedSize(picture.size());
        m_ok->setFlat(true);
        m_ok->setToolTip(QStringLiteral("OK"));
    }

    auto *settings = new QGridLayout;
    settings->setHorizontalSpacing(12);
    settings->setVerticalSpacing(10);
    settings->addWidget(new QLabel(QStringLiteral("大きさ"), this), 0, 0);
    settings->addWidget(m_sizes, 0, 1, Qt::AlignLeft);
    settings->addWidget(new QLabel(QStringLiteral("文字の色"), this), 1, 0);
    settings->addWidget(m_fontColour, 1, 1, Qt::AlignLeft);
    settings->addWidget(new QLabel(QStringLiteral("背景の色"), this), 2, 0);
    settings->addWidget(m_backColour, 2, 1, Qt::AlignLeft);
    auto *style = new QHBoxLayout;
    style->addWidget(m_bold);
    style->addSpacing(16);
    style->addWidget(m_italic);
    style->addStretch();
    settings->addLayout(style, 3, 0, 1, 2);
    settings->addWidget(m_transparent, 4, 0, 1, 2);
    settings->setColumnStretch(1, 1);

    auto *right = new QVBoxLayout;
    right->addWidget(Caption(QStringLiteral("文字の設定"), this));
    right->addLayout(settings);
    right->addStretch();
    right->addWidget(m_ok, 0, Qt::AlignRight);

    auto *left = new QVBoxLayout;
    left->addWidget(Caption(QStringLiteral("フォント"), this));
    left->addWidget(m_fonts, 1);

    auto *lower = new QHBoxLayout;
    lower->setSpacing(18);
    lower->addLayout(left, 1);
    lower->addLayout(right);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 16);
    layout->setSpacing(8);
    layout->addWidget(Caption(QStringLiteral("文字"), this));
    layout->addWidget(m_text);
    layout->addWidget(m_preview);
    layout->addSpacing(6);
    layout->addLayout(lower, 1);
    resize(600, 520);
}

void TextWindow::FillFontList()
{
    // A face name the record cannot carry is left out like the text would be.
    for (const QString &family : QFontDatabase::families()) {
        if (!QFontDatabase::isPrivateFamily(family) && !TextRefusal(family))
            m_fonts->addItem(family);
    }
}

// A face that is not installed (the default, or one of a text made
// elsewhere) joins the top of the list, where it shows in its nearest face.
void TextWindow::SelectFace(const QString &face)
{
    const QList<QListWidgetItem *> found = m_fonts->findItems(face, Qt::MatchExactly);
    if (!found.isEmpty()) {
        m_fonts->setCurrentItem(found.first());
        return;
    }
    m_fonts->insertItem(0, face);
    m_fonts->setCurrentRow(0);
}

TextDescription TextWindow::CurrentDescription() const
{
    const QListWidgetItem *face = m_fonts->currentItem();
    return {m_text->text(),
            face != nullptr ? face->text() : kDefaultTextFace,
            m_fontColour->Colour(),
            m_sizes->currentText().toInt(),
            m_bold->isChecked(),
            m_italic->isChecked(),
            m_backColour->Colour()};
}

void TextWindow::ShowRecord(const TextRecord &record)
{
    const TextDescription &d = record.description;
    m_text->setText(d.text);
    SelectFace(d.face);
    m_sizes->setCurrentText(QString::number(d.size));
    m_fontColour->SetColour(d.colour);
    m_backColour->SetColour(d.background);
    m_bold->setChecked(d.bold);
    m_italic->setChecked(d.italic);
    m_transparent->setChecked(record.transparent);
    UpdatePreview();
}

void TextWindow::UpdatePreview()
{
    m_preview->SetDescription(CurrentDescription());
}

// The face chosen last, or the edited text's face, is in view on opening.
void TextWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_fonts->scrollToItem(m_fonts->currentItem());
}

void TextWindow::PickColour(ColourPanel *panel)
{
    const std::optional<QColor> chosen = m_dialogs.ChooseColour(this, panel->Colour());
    if (!chosen)
        return;
    panel->SetColour(*chosen);
    UpdatePreview();
}

void TextWindow::OpenForNew()
{
    m_text->clear();
    show();
    raise();
    activateWindow();
    m_text->setFocus();
}

std::optional<TextRecord> TextWindow::EditModally(const TextRecord &old)
{
    hide();
    m_edited = old;
    m_editResult.reset();
    ShowRecord(old);
    m_text->selectAll();
    m_text->setFocus();
    exec();
    m_edited.reset();
    return std::exchange(m_editResult, std::nullopt);
}

void TextWindow::AcceptText()
{
    const TextDescription description = CurrentDescription();
    if (const std::optional<QString> refusal = TextRefusal(description.text)) {
        m_dialogs.Warning(this, *refusal);
        m_text->setFocus();
        return;
    }
    TextRecord record{0, MeasureText(description), {}, description, m_transparent->isChecked(),
                      description.background};
    if (m_edited) {
        record.layer = m_edited->layer;
        record.position = m_edited->position;
        m_editResult = record;
        accept();
        return;
    }
    hide();
    emit NewTextAccepted(record);
}

}  // namespace kq::panel
