#pragma once

#include <QDialog>
#include <QString>

#include <optional>

class QListWidget;

namespace kq::panel {

// The picture picker: thumbnails of the GIF files of one folder, four
// across and three down in view, scrolling for more.
class PickerWindow final : public QDialog {
    Q_OBJECT
public:
    explicit PickerWindow(QWidget *parent = nullptr);

    // Modal. The full path of the chosen picture, or nullopt when cancelled.
    std::optional<QString> Pick(const QString &folder);

    // Replaces the thumbnails by those of folder's GIF files, in name order
    // with numbers compared as numbers; pictures that cannot be read are
    // left out. Pick calls it; public for tests.
    void Fill(const QString &folder);
    // The paths of the thumbnails shown, in order.
    QStringList Paths() const;

private:
    void Decide();

    QListWidget *m_thumbnails;
    std::optional<QString> m_chosen;
};

}  // namespace kq::panel
