#pragma once

#include "base/paths.h"
#include "panel/document/panel_document.h"
#include "panel/model/kit_model.h"
#include "support/temp_paths.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>

#include <gtest/gtest.h>

// A panel maker data tree of the test's own small pictures in a temporary
// program folder: each model's default background and frame overlay, plus
// pictures written on demand. Pictures are stored as PNG whatever their name
// says, as the panel maker reads them by content.
namespace kq::panel::testing {

inline const QColor kBackgroundColour(20, 40, 200);

class PanelFixture {
public:
    PanelFixture() : m_panelPaths(m_temp.Paths().PanelProgramFolder(), m_temp.Paths().AppDataFolder())
    {
        for (int index = 0; index < kKitModelCount; ++index) {
            const KitModel &model = KitModelAt(index);
            WriteProgramPicture(DefaultBackground(model), Filled(model.panelSize, kBackgroundColour));
        }
    }

    const kq::Paths &PanelPaths() const { return m_panelPaths; }
    QString Root() const { return m_temp.Root(); }

    static QImage Filled(QSize size, const QColor &colour)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        return image;
    }

    // A picture of the data tree; the full path.
    QString WriteProgramPicture(const QString &relative, const QImage &image) const
    {
        return WritePicture(m_panelPaths.ProgramFile(relative), image);
    }

    // A picture of the pupil's own, outside the data tree; the full path.
    QString WriteUserPicture(const QString &name, const QImage &image) const
    {
        return WritePicture(m_temp.Root() + QStringLiteral("/pictures/") + name, image);
    }

    QString UserFile(const QString &name) const { return m_temp.Root() + QStringLiteral("/pictures/") + name; }

    static QString WritePicture(const QString &path, const QImage &image)
    {
        QDir().mkpath(QFileInfo(path).path());
        if (!image.save(path, "PNG"))
            ADD_FAILURE() << "cannot write " << path.toStdString();
        return path;
    }

private:
    kq::testing::TempPaths m_temp;
    kq::Paths m_panelPaths;
};

}  // namespace kq::panel::testing
