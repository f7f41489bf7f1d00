#include "services/dialogs.h"

#include "services/dialog_folder.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QFileDialog>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace kq {

namespace {

// Texts keep the CR LF of the original messages; the box breaks the line at
// the LF, so the CR must not reach it.
QString ForDisplay(const QString &text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

QMessageBox::StandardButton Show(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                                 const QString &text, QMessageBox::StandardButtons buttons,
                                 QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, title, ForDisplay(text), buttons, parent);
    box.setDefaultButton(defaultButton);
    if (box.button(QMessageBox::Yes))
        box.button(QMessageBox::Yes)->setText(QStringLiteral("はい(&Y)"));
    if (box.button(QMessageBox::No))
        box.button(QMessageBox::No)->setText(QStringLiteral("いいえ(&N)"));
    return QMessageBox::StandardButton(box.exec());
}

}  // namespace

void QtDialogs::Warning(QWidget *parent, const QString &text)
{
    Show(parent, QMessageBox::Warning, QStringLiteral("警告"), text, QMessageBox::Ok, QMessageBox::Ok);
}

void QtDialogs::Information(QWidget *parent, const QString &text)
{
    Show(parent, QMessageBox::Information, QStringLiteral("情報"), text, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtDialogs::AskYesNo(QWidget *parent, const QString &text)
{
    return Show(parent, QMessageBox::Question, QStringLiteral("確認"), text,
                QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
        == QMessageBox::Yes;
}

void QtDialogs::Notice(QWidget *parent, const QString &text)
{
    auto *box = new QMessageBox(QMessageBox::Information, QStringLiteral("情報"), ForDisplay(text), QMessageBox::Ok,
                                parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

QString QtDialogs::OpenFileName(QWidget *parent, const QString &folder, const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, QString(), AbsoluteDialogStart(folder), filter);
}

QString QtDialogs::SaveFileName(QWidget *parent, const QString &folder, const QString &filter)
{
    // The callers ask the overwrite question themselves, with their own text.
    return QFileDialog::getSaveFileName(parent, QString(), AbsoluteDialogStart(folder), filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

QString QtDialogs::OpenPictureFileName(QWidget *parent, const QString &folder, const QString &filter)
{
    // Qt's own dialog, since the desktop's cannot take a preview beside it.
    QFileDialog dialog(parent, QString(), AbsoluteDialogStart(folder), filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    constexpr QSize kPreviewSize(220, 220);
    auto *preview = new QLabel(&dialog);
    preview->setObjectName(QStringLiteral("PicturePreview"));
    preview->setFixedSize(kPreviewSize);
    preview->setAlignment(Qt::AlignCenter);
    preview->setFrameShape(QFrame::StyledPanel);
    if (auto *grid = qobject_cast<QGridLayout *>(dialog.layout()))
        grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1);
    QObject::connect(&dialog, &QFileDialog::currentChanged, preview, [preview, kPreviewSize](const QString &path) {
        QImageReader reader(path);
        const QSize size = reader.size();
        // Read only as large as shown: a photo of many megapixels stays cheap.
        if (size.isValid())
            reader.setScaledSize(size.scaled(kPreviewSize, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
        const QImage picture = reader.read();
        preview->setPixmap(picture.isNull() ? QPixmap() : QPixmap::fromImage(picture));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

std::optional<QColor> QtDialogs::ChooseColour(QWidget *parent, const QColor &initial)
{
    const QColor colour = QColorDialog::getColor(initial, parent);
    if (!colour.isValid())
        return std::nullopt;
    return colour;
}

bool QtDialogs::SetUpPrinter(QWidget *parent, QPrinter &printer)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace kq
