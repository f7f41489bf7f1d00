#include "services/qt_translations.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace kq {
namespace {

// The set-up installs Qt's translations, so the common dialogs speak Japanese.
TEST(QtTranslations, QtsOwnDialogsSpeakJapanese)
{
    InstallQtJapanese();
    EXPECT_NE(QCoreApplication::translate("QFileDialog", "&Open"), QStringLiteral("&Open"));
    EXPECT_NE(QCoreApplication::translate("QColorDialog", "Select Color"), QStringLiteral("Select Color"));
}

}  // namespace
}  // namespace kq
