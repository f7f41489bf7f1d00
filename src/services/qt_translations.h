#pragma once

// Qt's own texts (the file, colour and print dialogs, a line edit's menu) in
// Japanese, as every other text of the programs is.
namespace kq {

// Installs Qt's Japanese translation into the running application; without
// the translation files Qt keeps its English texts.
void InstallQtJapanese();

}  // namespace kq
