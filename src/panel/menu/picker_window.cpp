#include "panel/menu/picker_window.h"

#include "panel/document/panel_picture.h"

#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <algorithm>

namespace kq::panel {

namespace {

constexpr int kColumns = 4;
constexpr int kRows = 3;
constexpr int kGap = 3;
constexpr QSize kThumbnailSize(120, 120);

// The picture shrunk into the thumbnail square, centred on white; null
// when the file is not a picture that can be read.
QPixmap Thumbnail(const QString &path)
{
    QImageReader reader(path);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > kMaxPictureSide || size.height() > kMaxPictureSide
        || qint64(size.width()) * size.height() > kMaxPicturePixels)
        return {};
    if (size.width() > kThumbnailSize.width() || size.height() > kThumbnailSize.height())
        reader.setScaledSize(size.scaled(kThumbnailSize, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    const QImage image = reader.read();
    if (image.isNull())
        return {};
    QPixmap thumbnail(kThumbnailSize);
    thumbnail.fill(Qt::white);
    QPainter painter(&thumbnail);
    painter.drawImage((kThumbnailSize.width() - image.width()) / 2, (kThumbnailSize.height() - image.height()) / 2,
                      image);
    return thumbnail;
}

// Name order as people read it: "2.gif" before "10.gif". Runs of digits
// compare as numbers, the rest without case.
bool NameBefore(const QString &a, const QString &b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            qsizetype endA = i;
            qsizetype endB = j;
            while (endA < a.size() && a[endA].isDigit())
                ++endA;
            while (endB < b.size() && b[endB].isDigit())
                ++endB;
            QStringView numberA = QStringView(a).mid(i, endA - i);
            QStringView numberB = QStringView(b).mid(j, endB - j);
            while (numberA.size() > 1 && numberA.front() == QLatin1Char('0'))
                numberA = numberA.mid(1);
            while (numberB.size() > 1 && numberB.front() == QLatin1Char('0'))
                numberB = numberB.mid(1);
            if (numberA.size() != numberB.size())
                return numberA.size() < numberB.size();
            if (const int order = numberA.compare(numberB); order != 0)
                return order < 0;
            i = endA;
            j = endB;
            continue;
        }
        const QChar charA = a[i].toCaseFolded();
        const QChar charB = b[j].toCaseFolded();
        if (charA != charB)
            return charA < charB;
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

// Draws a thumbnail alone, framed, with a thick frame in the highlight
// colour when selected: no caption line, no focus marks.
class ThumbnailDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QRect area(option.rect.topLeft(), kThumbnailSize);
        painter->drawPixmap(area.topLeft(), index.data(Qt::DecorationRole).value<QIcon>().pixmap(kThumbnailSize));
        if (option.state & QStyle::State_Selected) {
            painter->setPen(QPen(option.palette.color(QPalette::Highlight), 3));
            painter->drawRect(area.adjusted(1, 1, -2, -2));
        } else {
            painter->setPen(option.palette.color(QPalette::Mid));
            painter->drawRect(area.adjusted(0, 0, -1, -1));
        }
    }

    QSize sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const override { return kThumbnailSize; }
};

class BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

}  // namespace

PickerWindow::PickerWindow(QWidget *parent) : QDialog(parent), m_thumbnails(new QListWidget(this))
{
    setObjectName(QStringLiteral("TForm7"));
    setWindowTitle(QStringLiteral("画像の選択"));

    auto *prompt = new QLabel(QStringLiteral("希望の画像を選んで「決定」ボタンを押して下さい。"), this);
    prompt->setObjectName(QStringLiteral("Label1"));

    m_thumbnails->setObjectName(QStringLiteral("Thumbnails"));
    m_thumbnails->setViewMode(QListView::IconMode);
    m_thumbnails->setMovement(QListView::Static);
    m_thumbnails->setResizeMode(QListView::Adjust);
    m_thumbnails->setSelectionMode(QAbstractItemView::SingleSelection);
    m_thumbnails->setIconSize(kThumbnailSize);
    // Each grid cell holds a thumbnail and the gap after it.
    const QSize cell = kThumbnailSize + QSize(kGap, kGap);
    m_thumbnails->setGridSize(cell);
    m_thumbnails->setUniformItemSizes(true);
    m_thumbnails->setItemDelegate(new ThumbnailDelegate(m_thumbnails));
    m_thumbnails->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_thumbnails->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int frame = 2 * m_thumbnails->frameWidth();
    // Wrapping wants a little room past the last column.
    m_thumbnails->setFixedSize(kColumns * cell.width() + kGap + frame
                                   + m_thumbnails->verticalScrollBar()->sizeHint().width(),
                               kRows * cell.height() + frame);
    connect(m_thumbnails, &QListWidget::itemDoubleClicked, this, &PickerWindow::Decide);

    auto *decide = new QPushButton(QStringLiteral("決定"), this);
    decide->setObjectName(QStringLiteral("Button1"));
    decide->setDefault(true);
    connect(decide, &QPushButton::clicked, this, &PickerWindow::Decide);
    auto *cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cancel->setObjectName(QStringLiteral("Button2"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(decide);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_thumbnails);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

std::optional<QString> PickerWindow::Pick(const QString &folder)
{
    Fill(folder);
    m_chosen.reset();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return m_chosen;
}

void PickerWindow::Fill(const QString &folder)
{
    const BusyCursor busy;
    m_thumbnails->clear();
    QStringList names = QDir(folder).entryList({QStringLiteral("*.gif")}, QDir::Files | QDir::Readable);
    std::sort(names.begin(), names.end(), NameBefore);
    for (const QString &name : names) {
        const QString path = QDir(folder).absoluteFilePath(name);
        const QPixmap thumbnail = Thumbnail(path);
        if (thumbnail.isNull())
            continue;
        auto *item = new QListWidgetItem(QIcon(thumbnail), QString(), m_thumbnails);
        item->setData(Qt::UserRole, path);
        item->setToolTip(name);
        item->setSizeHint(kThumbnailSize);
    }
    m_thumbnails->scrollToTop();
}

QStringList PickerWindow::Paths() const
{
    QStringList paths;
    for (int row = 0; row < m_thumbnails->count(); ++row)
        paths.append(m_thumbnails->item(row)->data(Qt::UserRole).toString());
    return paths;
}

void PickerWindow::Decide()
{
    const QList<QListWidgetItem *> selected = m_thumbnails->selectedItems();
    if (selected.isEmpty())
        return;
    m_chosen = selected.first()->data(Qt::UserRole).toString();
    accept();
}

}  // namespace kq::panel
